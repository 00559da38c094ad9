// The high-score window: its layout, its rows after a result, the Information menu's look at the
// table, and the window shown at the end of a game won by conquest.
#include <QLabel>

#include "engine/game_start.h"
#include "net/lobby.h"
#include "persist/atomic_file.h"
#include "persist/high_scores.h"
#include "shell/game_program.h"
#include "shell/high_score_window.h"
#include "ui_fixture.h"

namespace zarnath::testing {

namespace {

QColor TextColour(const QLabel* label) {
  return label->palette().color(QPalette::WindowText);
}
QStringList Row(const HighScoreWindow& w, int element) {
  QStringList texts;
  for (int c = 0; c < kHighScoreFields; ++c) texts << w.lbl(c, element)->text();
  return texts;
}
bool RowVisible(const HighScoreWindow& w, int element) {
  for (int c = 0; c < kHighScoreFields; ++c)
    if (!w.lbl(c, element)->isVisible()) return false;
  return true;
}

const QColor kPeach(255, 224, 192), kCyan(0, 255, 255), kPaleCyan(128, 255, 255);

struct ScoreProgram {
  ScoreProgram() {
    platform.scripted = platform.muted = true;
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(5);
    for (int level = 1; level <= 6; ++level)
      g.CpuName[static_cast<size_t>(level - 1)] = kCpuNames[static_cast<size_t>(level - 1)];
  }
  ~ScoreProgram() {
    platform.SetTimer(GameTimer::kAI, 0, false);
    platform.SetTimer(GameTimer::kTurn, 0, false);
  }
  QByteArray ScoreFile() const {
    QFile f(folder.file(kHighScoreFile));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
  }
  ProgramFolderCopy folder;
  DesktopPlatform platform;
  GameProgram program{platform};
  Game& g = program.game;
};

}  // namespace

class HighScoresTest : public QObject {
  Q_OBJECT

 private slots:
  // A result enters the table and shows highlighted under the headings; a result below a full
  // table shows on the extra line; the menu shows the stored table without it; OK hides.
  void headingsRowsExtraLineAndTheMenu() {
    ScoreProgram t;
    t.g.GameYear = 1.55f;
    t.program.dialogs.HighScore("Alice", 87.65f, 1234.5f, 150, 24, 70);
    HighScoreWindow& w = t.program.dialogs.highScores();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Zarnath HighScores"));
    QVERIFY(w.size() == QSize(682, 404) && w.minimumSize() == w.maximumSize());
    QCOMPARE(w.Label1()->text(), QStringLiteral("highscores"));
    // At (240, 16), 207 pixels wide and at least 33 high: as high as its typeface needs.
    QCOMPARE(w.Label1()->geometry().topLeft(), QPoint(240, 16));
    QCOMPARE(w.Label1()->width(), 207);
    QVERIFY(w.Label1()->height() >= 33);
    QCOMPARE(Row(w, 0),
             (QStringList{"rating:", "name:", "turns:", "worlds:", "prod:", "class:", "ships:", "date:"}));
    for (int c = 0; c < kHighScoreFields; ++c)
      QCOMPARE(TextColour(w.lbl(c, 0)), c == 2 || c == 3 || c == 7 ? kPaleCyan : kCyan);
    QCOMPARE(w.lbl(7, 11)->geometry(), QRect(568, 328, 105, 17));
    const QStringList alice = Row(w, 1);
    QCOMPARE(alice.mid(0, 7), (QStringList{"087.7", "Alice", " 11", " 24", " 150", "2.92", " 1234.5"}));
    QCOMPARE(alice[7], QString::fromStdString(DatesOf(std::time(nullptr)).stored));
    QCOMPARE(TextColour(w.lbl(1, 1)), kCyan);
    QVERIFY(Row(w, 2).join("").isEmpty() && !RowVisible(w, 11));
    const QByteArray afterAlice = t.ScoreFile();
    QCOMPARE(afterAlice.count("\r\n"), 80);

    // Nine more rows fill the table; a result below all of them goes to the extra line only.
    HighScoreTable table = ReadHighScoreText(afterAlice.toStdString());
    for (int r = 1; r < kHighScoreRows; ++r)
      table[static_cast<size_t>(r)] =
          MakeHighScoreEntry({"P" + std::to_string(r), 80.0f - r, 10, 10, 5, 10}, 2, "x");
    QVERIFY(WriteFileAtomically(t.g.programFolder + "/" + kHighScoreFile, HighScoreFileText(table)));
    const QByteArray full = t.ScoreFile();
    t.program.dialogs.HighScore("Late", 5.0f, 10, 10, 5, 10);
    QCOMPARE(w.lbl(1, 10)->text(), QStringLiteral("P9"));
    QCOMPARE(TextColour(w.lbl(1, 1)), kPeach);
    QVERIFY(RowVisible(w, 11));
    QCOMPARE(w.lbl(1, 11)->text(), QStringLiteral("Late"));
    QCOMPARE(w.lbl(7, 11)->text(), QString::fromStdString(DatesOf(std::time(nullptr)).shortDate));
    QCOMPARE(TextColour(w.lbl(0, 11)), kCyan);
    QCOMPARE(t.ScoreFile(), full);

    // OK hides; the menu shows the stored table again, nothing highlighted, no extra line.
    QTest::mouseClick(w.ImgOk(), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    t.program.dialogs.mnuInfoHigh_Click();
    QVERIFY(w.isVisible() && !RowVisible(w, 11));
    QCOMPARE(w.lbl(1, 1)->text(), QStringLiteral("Alice"));
    for (int i = 1; i <= 10; ++i) QCOMPARE(TextColour(w.lbl(0, i)), kPeach);
    QCOMPARE(t.ScoreFile(), full);
    QVERIFY(t.platform.boxes.empty());
    // Escape is OK.
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
  }

  // A score file that cannot be read is reported and never written over.
  // The title and every cell show their texts whole: the title's "g" keeps its descender.
  void titleAndCellsShowWhole() {
    ScoreProgram t;
    RegisterDisplayFonts();
    HighScoreWindow w(t.g);
    HighScoreLines lines{};
    for (HighScoreLine& line : lines) {
      line.captions = {"099.9", "Wolfgang", " 999", " 30", " 999", "9.99", " 99999.9", "29/12/2024"};
      line.visible = true;
    }
    w.ShowLines(lines);
    const QStringList cut = CutLabels(&w);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
  }

  void anUnreadableFileIsReported() {
    ScoreProgram t;
    QVERIFY(QDir().mkdir(t.folder.file(kHighScoreFile)));  // a folder in the file's place
    t.program.dialogs.HighScore("Alice", 50, 10, 10, 5, 10);
    QCOMPARE(t.platform.boxes.size(), size_t{1});
    QCOMPARE(t.platform.boxes[0].title, std::string("Zarnath Error"));
    QVERIFY(t.platform.boxes[0].text.find(kHighScoreFile) != std::string::npos);
    QVERIFY(QFileInfo(t.folder.file(kHighScoreFile)).isDir());
  }

  // Alice takes every world: the high-score window shows her result while the orbits turn on,
  // the file keeps it, and the window goes with the game.
  void shownAtAConquest() {
    ScoreProgram t;
    t.g.setup.txtPL = {"Alice", "Bob", "", ""};
    t.g.setup.chkAI = {0, 0, 0, 0};
    t.g.setup.txtPlanets = "10";
    imgStart_Click(t.g);
    for (int w = 0; w < t.g.WorldCount; ++w) t.g.WorldOwner[static_cast<size_t>(w)] = 1;
    t.g.PlayerName[1].clear();
    QStringList shown;
    t.g.SpeedGame = true;  // the orbits turn without animation
    t.program.window.onRefresh = [&](Control) {
      if (t.program.dialogs.hasHighScores() && t.program.dialogs.highScores().isVisible())
        shown << t.program.dialogs.highScores().lbl(1, 1)->text();
    };
    t.g.io.flow.GameCheck();
    // Shown from the victory's announcement to the end of the year the orbits run on after it.
    QVERIFY(shown.size() >= 20);
    QCOMPARE(shown.filter(QStringLiteral("Alice")).size(), shown.size());
    QVERIFY(!t.program.dialogs.hasHighScores() && !t.program.window.isVisible());
    const HighScoreTable stored = ReadHighScoreText(t.ScoreFile().toStdString());
    QCOMPARE(stored[0][kName], std::string("Alice"));
    QCOMPARE(stored[0][kWorlds], std::string(" 10"));
  }
};

ZARNATH_UI_SUITE(HighScoresTest, {"high-scores", 1024, 96});

}  // namespace zarnath::testing

#include "high_scores_test.moc"
