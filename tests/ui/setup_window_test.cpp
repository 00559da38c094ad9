// The setup window at a 1024 x 768 screen of 96 dots per inch, driven by mouse and key events.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <cmath>
#include <map>

#include "ai/computer_turn.h"
#include "engine/chat.h"
#include "engine/engine_flow.h"
#include "engine/turn.h"
#include "net/lobby.h"
#include "shell/setup_screen.h"
#include "ui_fixture.h"
#include "window/chat_box.h"
#include "window/latin1_box.h"

namespace zarnath::testing {

namespace {

// Pauses that show what was drawn without waiting, so a whole game runs in a test's time.
struct QuickPlatform : DesktopPlatform {
  void Pause(int) override { DesktopPlatform::Pause(0); }
  void PauseUntil(int64_t) override { DesktopPlatform::Pause(0); }
};

// A game whose screen is the setup window over a recording stand-in for the game window, with
// the engine's turn steps and the computer player wired to the desktop timers.
struct Setup {
  explicit Setup(const char* defaults = nullptr) {
    platform.scripted = platform.muted = true;
    game.programFolder = folder.dir.path().toStdString();
    for (int level = 0; level < 6; ++level) game.CpuName[static_cast<size_t>(level)] = kCpuNames[level];
    if (defaults) {
      QFile file(folder.file("defaults.cfg"));
      file.open(QIODevice::WriteOnly);
      file.write(defaults);
    }
    windows.Attach(game);
    windows.showTitle = [this] { ++titles; };
    flow.Attach(game);
    flow.onComputerTurn = [this] { ComputerTurn(game); };
    for (GameTimer t : {GameTimer::kTurn, GameTimer::kAI, GameTimer::kChatLock})
      platform.SetTimerHandler(
          t, [this, t] { t == GameTimer::kAI ? ComputerDoneTick(game) : TimerTick(game, t); });
    game.io.screen.ShowSetupWindow();
  }
  SetupWindow& w() { return *windows.window(); }
  QString Defaults() const {
    QFile file(folder.file("defaults.cfg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : "<missing>";
  }

  ProgramFolderCopy folder;
  QuickPlatform platform;
  HeadlessPorts pending;
  SetupWindows windows;
  SetupScreen screen{pending, windows};
  EngineFlow flow;
  Game game{Ports{platform, screen, pending, flow}};
  int titles = 0;
};

void Click(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// The option's number as the bar holds it (up raises it) and its upper bound.
int Spin(const QScrollBar* bar) {
  return -bar->value();
}
int SpinMax(const QScrollBar* bar) {
  return -bar->minimum();
}

// The relative luminance of a colour on the screen.
double Luminance(QColor c) {
  auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// The contrast between a scroll bar button's face (its commonest colour, away from its edges)
// and the pixel of its arrow that differs most from it.
double ArrowContrast(QScrollBar* bar, QStyle::SubControl button) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.subControls = QStyle::SC_All;
  const QRect face =
      bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, button, bar).adjusted(3, 3, -3, -3);
  const QImage image = bar->grab().toImage();
  std::map<QRgb, int> counts;
  for (int y = face.top(); y <= face.bottom(); ++y)
    for (int x = face.left(); x <= face.right(); ++x) ++counts[image.pixel(x, y)];
  QRgb common = 0;
  int most = 0;
  for (const auto& [colour, count] : counts)
    if (count > most) most = count, common = colour;
  const double back = Luminance(QColor(common));
  double best = 1;
  for (const auto& entry : counts) {
    const double l = Luminance(QColor(entry.first));
    best = std::max(best, (std::max(l, back) + 0.05) / (std::min(l, back) + 0.05));
  }
  return best;
}

}  // namespace

class SetupWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Without "defaults.cfg": empty first name, boxes unticked, 3 gather turns, 30 worlds with
  // 8 treasures of at most 15, levels 5 5 4 3 hidden, the help shown, no message.
  void firstValuesWithoutDefaults() {
    Setup s;
    SetupWindow& w = s.w();
    QVERIFY(w.isVisible());
    QVERIFY(s.game.window.SetupVisible);
    QVERIFY(s.platform.boxes.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Zarnath Game Setup"));
    QVERIFY(w.ImgStart()->geometry() == QRect(320, 200, 75, 35));
    QVERIFY(w.ImgStart()->picture() == "butt12.jpg");
    const QString levels[] = {"5", "5", "4", "3"};
    for (int k = 0; k < 4; ++k) {
      QVERIFY(w.txtPL[k]->text().isEmpty());
      QVERIFY(!w.chkAI[k]->isChecked());
      QVERIFY(!w.txtPL[k]->isReadOnly());
      QVERIFY(w.txtAI[k]->text() == levels[k]);
      QVERIFY(w.txtAI[k]->isHidden());
      QVERIFY(w.HScrollAI[k]->isHidden());
      QVERIFY(w.lblStatus[k]->isHidden());
      QCOMPARE(w.txtPL[k]->palette().color(QPalette::Text),
               QColor::fromRgb(QRgb(std::array{0x0096ff, 0xff3200, 0xffeb00, 0x00c832}[k])));
    }
    QVERIFY(w.Label7->isVisible());
    QVERIFY(w.Label8->isVisible());
    QVERIFY(w.Label5->isHidden());
    QVERIFY(w.Label5->text() == "Status:");
    QVERIFY(w.Label8->text().contains("click the 'AI' button next to the name."));
    QVERIFY(!w.chkShield->isChecked());
    QVERIFY(!w.chkMode->isChecked());
    QVERIFY(!w.chkTruce->isChecked());
    QVERIFY(!w.chkTruce->isEnabled());
    QVERIFY(!w.VScroll2->isEnabled());
    QVERIFY(w.txtTruce->text() == "10");
    QVERIFY(w.txtPlanets->text() == "30");
    QVERIFY(w.txtPlanets->isReadOnly());
    QVERIFY(Spin(w.VScroll1) == 30);
    QVERIFY(w.txtOp[0]->text() == "15");
    QVERIFY(w.txtOp[1]->text() == "8");
    QVERIFY(w.txtOp[2]->text() == "3");
    QVERIFY(Spin(w.VScrollOp[1]) == 8);
    QVERIFY(SpinMax(w.VScrollOp[1]) == 15);
    QVERIFY(w.OptRadar[0]->isChecked());
    QVERIFY(!w.chkLan->isChecked());
    QVERIFY(!w.chkOnline->isChecked());
    QVERIFY(w.OptServerClient[1]->isChecked());
    QVERIFY(!s.game.NetworkGame);
    QVERIFY(s.game.PlayerColor == kPlayerColors);
  }

  // Every caption shows whole in the game's typeface, with computer seats and in a lobby too.
  void captionsShowWhole() {
    RegisterDisplayFonts();
    Setup s("Wolfgang\r\n");
    SetupWindow& w = s.w();
    auto check = [&w](const char* when) {
      const QStringList cut = CutLabels(&w);
      QVERIFY2(cut.isEmpty(), qPrintable(QString::fromLatin1(when) + ": " + cut.join(QStringLiteral("; "))));
    };
    check("first showing");
    Click(w.chkAI[1]);
    QTest::keyClick(w.HScrollAI[1], Qt::Key_End);
    check("a computer seat");
    Click(w.chkLan);
    check("a network game");
    Click(w.OptServerClient[0]);
    QCOMPARE(w.lblStatus[1]->text(), QStringLiteral("Waiting for Client..."));
    check("the host's lobby");
    Click(w.OptServerClient[1]);
    QTest::keyClicks(w.txtIP, "127.0.0.1");
    QTest::keyClick(w.txtIP, Qt::Key_Return);
    QCOMPARE(w.lblStatus[1]->text(), QStringLiteral("Looking for Server..."));
    check("the join lobby");
  }

  // "defaults.cfg" gives the first name, both boxes (the shield box clicks) and the gather turns.
  void defaultsRestored() {
    Setup s("Vega\r\n1\r\n1\r\n5\r\n");
    SetupWindow& w = s.w();
    QVERIFY(w.txtPL[0]->text() == "Vega");
    QVERIFY(w.chkShield->isChecked());
    QVERIFY(w.chkMode->isChecked());
    QVERIFY(w.txtOp[2]->text() == "5");
    QVERIFY(Spin(w.VScrollOp[2]) == 5);
    QVERIFY(s.platform.boxes.empty());
    QCOMPARE(s.platform.sounds, std::vector<std::string>{"click1.wav"});
    QVERIFY(!w.chkTruce->isEnabled());  // slot 0's name takes no part in the truce
  }

  // At 9 worlds the computer box of slot 2 names it "Atlas" (level 4) and raises the count to
  // 11 with 3 treasures of at most 6; the level bar renames it; unticking frees it.
  void computerSlotAtNineWorlds() {
    Setup s;
    SetupWindow& w = s.w();
    QTest::keyClick(w.VScroll1, Qt::Key_End);  // the bar's bottom: the fewest worlds
    QVERIFY(w.txtPlanets->text() == "9");
    QVERIFY(w.txtOp[1]->text() == " 3");
    QVERIFY(SpinMax(w.VScrollOp[1]) == 5);
    QVERIFY(!w.txtAI[3]->isEnabled());
    Click(w.chkAI[2]);
    QVERIFY(w.chkAI[2]->isChecked());
    QVERIFY(w.txtPL[2]->text() == "Atlas");
    QVERIFY(w.txtPL[2]->isReadOnly());
    QVERIFY(w.txtAI[2]->isVisible());
    QVERIFY(w.txtAI[2]->text() == "4");
    QVERIFY(w.HScrollAI[2]->isVisible());
    QVERIFY(w.txtPlanets->text() == "11");
    QVERIFY(Spin(w.VScroll1) == 11);
    QVERIFY(w.txtOp[1]->text() == " 3");
    QVERIFY(Spin(w.VScrollOp[1]) == 3);
    QVERIFY(SpinMax(w.VScrollOp[1]) == 6);
    QVERIFY(w.Label5->isVisible());
    QVERIFY(w.Label5->text() == "Level: 6 - Hardest");
    QVERIFY(w.Label8->isHidden());
    QVERIFY(w.chkTruce->isEnabled());
    QVERIFY(w.VScroll2->isEnabled());
    QTest::keyClick(w.HScrollAI[2], Qt::Key_End);
    QVERIFY(w.txtPL[2]->text() == "Hyperion");
    QVERIFY(w.txtAI[2]->text() == "6");
    QTest::keyClicks(w.txtPL[2], "x");  // locked
    QCOMPARE(w.txtPL[2]->text(), QStringLiteral("Hyperion"));
    Click(w.chkAI[2]);
    QVERIFY(w.txtPL[2]->text().isEmpty());
    QVERIFY(!w.txtPL[2]->isReadOnly());
    QVERIFY(w.txtAI[2]->isHidden());
    QVERIFY(w.Label8->isVisible());
    QVERIFY(w.Label5->isHidden());
    QVERIFY(!w.chkTruce->isEnabled());
  }

  // A key typed into slot 3 at 10 worlds raises the count to 12, even a swallowed "*".
  void keyInSlotThreeRaisesTheWorlds() {
    Setup s;
    SetupWindow& w = s.w();
    QTest::keyClick(w.VScroll1, Qt::Key_End);
    QTest::keyClick(w.VScroll1, Qt::Key_Up);  // up raises the count
    QCOMPARE(w.txtPlanets->text(), QStringLiteral("10"));
    QTest::keyClick(w.txtPL[3], '*');
    QVERIFY(w.txtPL[3]->text().isEmpty());
    QVERIFY(w.txtPlanets->text() == "12");
    QVERIFY(w.txtOp[1]->text() == " 4");
    QTest::keyClicks(w.txtPL[3], "D_i");
    QCOMPARE(w.txtPL[3]->text(), QStringLiteral("Di"));
    QVERIFY(w.chkTruce->isEnabled());
    QTest::keyClick(w.VScroll1, Qt::Key_End);  // slots 1 and 2 empty: back down to 9 clears slot 3
    QVERIFY(w.txtPlanets->text() == "9");
    QVERIFY(w.txtPL[3]->text().isEmpty());
    QVERIFY(!w.chkTruce->isEnabled());
  }

  // A name box edits like any text box: a selection is replaced or deleted whole, Delete and the
  // caret keys work; "*" is still swallowed and a key in slot 2 still raises the world count.
  void nameBoxesEditLikeTextBoxes() {
    Setup s("Vega\r\n");
    SetupWindow& w = s.w();
    NameBox* name = w.txtPL[0];
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->text(), QString());
    QTest::keyClicks(name, "Ann");
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "Bo");
    QCOMPARE(name->text(), QStringLiteral("Bo"));
    QTest::keyClick(name, Qt::Key_Home);
    QTest::keyClick(name, Qt::Key_Delete);
    QCOMPARE(name->text(), QStringLiteral("o"));
    QTest::keyClicks(name, "J*");
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, "hn");
    QTest::keyClick(name, Qt::Key_Left);
    QTest::keyClick(name, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(name, "e");
    QCOMPARE(name->text(), QStringLiteral("Joen"));
    QCOMPARE(s.game.setup.txtPL[0], "Joen");

    QTest::keyClick(w.VScroll1, Qt::Key_End);
    QTest::keyClick(w.VScroll1, Qt::Key_Up);
    QTest::keyClicks(w.txtPL[1], "Kim");
    QTest::keyClick(w.txtPL[2], Qt::Key_A, Qt::ControlModifier);  // no text, yet a key typed
    QCOMPARE(w.txtPlanets->text(), QStringLiteral("11"));
  }

  // The arrows of the option spinners and the level bars stand out from their buttons: a
  // contrast of at least 4.5 to 1 between an arrow and its button's face.
  void barArrowsAreReadable() {
    Setup s;
    SetupWindow& w = s.w();
    Click(w.chkAI[1]);
    std::vector<QScrollBar*> bars{w.VScroll1, w.HScrollAI[1]};
    for (QScrollBar* bar : w.VScrollOp) bars.push_back(bar);
    for (QScrollBar* bar : bars) {
      QVERIFY(bar->isVisible() && bar->isEnabled());
      for (auto button : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
        const double contrast = ArrowContrast(bar, button);
        QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("contrast %1 to 1").arg(contrast)));
      }
    }
  }

  // A character outside Latin-1 never enters a name, the lobby's chat line or the address, typed
  // or pasted (and never turns into "?"): a note says so; Latin-1 letters go in, also the Latin-1
  // letters of a paste.
  void charactersOutsideLatin1AreRefused() {
    Setup s;
    SetupWindow& w = s.w();
    TypeText(w.txtPL[0], QStringLiteral("\u0141\u00e9o"));
    QCOMPARE(w.txtPL[0]->text(), QStringLiteral("\u00e9o"));
    QCOMPARE(s.game.setup.txtPL[0], "\xe9o");
    QLabel* notice = w.findChild<QLabel*>(QStringLiteral("latin1Notice"));
    QVERIFY(notice && notice->isVisible());
    QCOMPARE(notice->text(), QString::fromLatin1(kLatin1OnlyNotice));
    QGuiApplication::clipboard()->setText(QStringLiteral("Zo\u00eb\u674e"));
    QTest::keyClick(w.txtPL[1], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.game.setup.txtPL[1], "Zo\xeb");
    QGuiApplication::clipboard()->setText(QStringLiteral("Bo\u0159ek"));
    QTest::keyClick(w.txtPL[2], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.txtPL[2]->text(), QStringLiteral("Boek"));
    QCOMPARE(s.game.setup.txtPL[2], "Boek");
    QTest::keyClick(w.txtMessage, Qt::Key_V, Qt::ControlModifier);
    TypeText(w.txtMessage, QStringLiteral(" hi \u263a"));
    QCOMPARE(s.game.setup.txtMessage, "Boek hi ");
    Click(w.chkLan);
    QGuiApplication::clipboard()->setText(QStringLiteral("10.0.0.\u0662"));
    QTest::keyClick(w.txtIP, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.game.setup.txtIP, "");
  }

  // A paste in the middle of a name that loses characters before its end leaves the cursor after
  // what went in, so typing goes on there; y with diaeresis, the last Latin-1 letter, goes in.
  // (The paste is no longer than the name box takes: the box cuts a paste before its refused
  // characters are left out.)
  void aPasteThatLosesCharactersLeavesTheCursorAfterIt() {
    Setup s;
    QLineEdit* box = s.w().txtPL[1];
    TypeText(box, QStringLiteral("Abc"));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Right);
    QGuiApplication::clipboard()->setText(QStringLiteral("\u0141\u00ffx\u4e00y"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("A\u00ffxybc"));
    QCOMPARE(box->cursorPosition(), 4);
    TypeText(box, QStringLiteral("z"));
    QCOMPARE(s.game.setup.txtPL[1], "A\xffxyzbc");
    QLabel* notice = s.w().findChild<QLabel*>(QStringLiteral("latin1Notice"));
    QVERIFY(notice && notice->isVisible());
  }

  // The note on a refused letter lies over no control and takes no click: the next seat's
  // computer box, pressed through the window as the pointer gives it while the note shows, ticks.
  void theLatin1NoteCoversNoControl() {
    Setup s;
    SetupWindow& w = s.w();
    for (int seat : {0, 2}) {
      TypeText(w.txtPL[seat], QStringLiteral("\u0141"));
      QLabel* notice = w.findChild<QLabel*>(QStringLiteral("latin1Notice"));
      QVERIFY(notice && notice->isVisible());
      const QRect at(notice->mapTo(&w, QPoint(0, 0)), notice->size());
      QVERIFY(w.rect().contains(at));
      for (const QWidget* c : w.findChildren<QWidget*>()) {
        if (c == notice || !c->isVisible() ||
            !c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
          continue;
        const QRect r(c->mapTo(&w, QPoint(0, 0)), c->size());
        QVERIFY2(!r.intersects(at), qPrintable(c->metaObject()->className() + (": " + c->objectName())));
      }
      QWidget* box = w.chkAI[seat + 1];
      QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, box->mapTo(&w, box->rect().center()));
      QCOMPARE(s.game.setup.chkAI[seat + 1], 1);
      QVERIFY(!notice->isVisible());
    }
  }

  // 30 worlds after any other count: 8 treasures of at most 16; the treasures' bar keeps to it.
  void thirtyWorldsTreasures() {
    Setup s;
    SetupWindow& w = s.w();
    QTest::keyClick(w.VScroll1, Qt::Key_PageDown);
    QCOMPARE(w.txtPlanets->text(), QStringLiteral("25"));
    QTest::keyClick(w.VScroll1, Qt::Key_Home);
    QVERIFY(w.txtPlanets->text() == "30");
    QVERIFY(w.txtOp[1]->text() == " 8");
    QVERIFY(SpinMax(w.VScrollOp[1]) == 16);
    QTest::keyClick(w.VScrollOp[1], Qt::Key_Home);
    QVERIFY(w.txtOp[1]->text() == "16");
    QVERIFY(s.game.setup.VScrollOp[1] == 16);
    w.txtOp[0]->selectAll();
    QTest::keyClicks(w.txtOp[0], "4x");  // below the range: put back when the box is left
    QCOMPARE(w.txtOp[0]->text(), QStringLiteral("4"));
    QTest::keyClick(w.txtOp[0], Qt::Key_Return);
    QCOMPARE(w.txtOp[0]->text(), QStringLiteral("15"));
    Click(w.OptRadar[2]);
    QVERIFY(s.game.setup.OptRadar[2]);
    QVERIFY(!s.game.setup.OptRadar[0]);
  }

  // Names: "*" and "_" never enter, typed or pasted; a computer's name is refused with a message.
  void namesTypedAndPasted() {
    Setup s;
    SetupWindow& w = s.w();
    QTest::keyClicks(w.txtPL[0], "Ti*tan_x");
    QCOMPARE(w.txtPL[0]->text(), QStringLiteral("Titax"));
    QCOMPARE(s.platform.boxes.size(), size_t{1});
    QCOMPARE(s.platform.boxes[0].text,
             "That Name Belongs To A Computer Player!  Please Choose Another Name.");
    QTest::keyClicks(w.txtPL[1], "Ninechars");
    QCOMPARE(w.txtPL[1]->text(), QStringLiteral("Ninechar"));
    QGuiApplication::clipboard()->setText(QStringLiteral("A*b_cdef"));
    QTest::keyClick(w.txtPL[2], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.txtPL[2]->text(), QStringLiteral("Abcdef"));
    QCOMPARE(s.game.setup.txtPL[2], "Abcdef");
    QCOMPARE(w.txtPlanets->text(), QStringLiteral("30"));
  }

  // A name the saved game or the high-score file would give back changed never enters a box: the
  // key or the paste that makes it is refused with a message naming it, and the box keeps its
  // name. One that came in from "defaults.cfg" is refused when Start is pressed, before any game.
  void namesTheFilesCannotKeep() {
    Setup s("Gr\xFCn\r\n");
    SetupWindow& w = s.w();
    QCOMPARE(w.txtPL[0]->text(), QString::fromLatin1("Gr\xFCn"));
    Click(w.ImgStart());
    QCOMPARE(s.platform.boxes.size(), size_t{1});
    QCOMPARE(s.platform.boxes[0].text,
             "The Name \"Gr\xFCn\" Can Not Be Kept In Saved Games And High Scores: "
             "Its \"\xFC\" Would Be Lost!  Please Choose Another Name.");
    QVERIFY(s.pending.Has("Focus txtPL0"));
    QVERIFY(!s.pending.Has("ShowGameWindow"));
    QVERIFY(w.isVisible() && s.game.PlayerName[0].empty());
    QCOMPARE(s.Defaults(), QStringLiteral("Gr\xFCn\r\n"));
    // Nor does a LAN client connect to its host on it.
    Click(w.chkLan);
    Click(w.OptServerClient[1]);
    QTest::keyClicks(w.txtIP, "127.0.0.1");
    s.pending.Clear();
    QTest::keyClick(w.txtIP, Qt::Key_Return);
    QCOMPARE(s.platform.boxes.size(), size_t{2});
    QCOMPARE(s.platform.boxes[1].text, s.platform.boxes[0].text);
    QVERIFY(!s.pending.Has("ConnectToHost"));
    QVERIFY(w.lblStatus[1]->text() != QStringLiteral("Looking for Server..."));
    Click(w.chkLan);
    s.platform.boxes.clear();

    w.txtPL[0]->selectAll();
    TypeText(w.txtPL[0], QString::fromLatin1("Ra\xFAl"));
    QCOMPARE(w.txtPL[0]->text(), QStringLiteral("Ral"));
    QCOMPARE(s.platform.boxes.size(), size_t{1});
    QCOMPARE(s.platform.boxes[0].text,
             "The Name \"Ra\xFA\" Can Not Be Kept In Saved Games And High Scores: "
             "Its \"\xFA\" Would Be Lost!  Please Choose Another Name.");
    // A pasted control character that would break a line of the saved game.
    QGuiApplication::clipboard()->setText(QStringLiteral("C\x0By"));
    QTest::keyClick(w.txtPL[1], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.txtPL[1]->text(), QString());
    QCOMPARE(s.platform.boxes.size(), size_t{2});
    QVERIFY(s.platform.boxes[1].text.find("\"C?y\"") != std::string::npos);
    QVERIFY(s.platform.boxes[1].text.find("Its Character 11 Would") != std::string::npos);
    // The same character where both files keep it, and a letter they keep everywhere.
    QGuiApplication::clipboard()->setText(QStringLiteral("\x0B") + QString::fromLatin1("Jos\xE9"));
    QTest::keyClick(w.txtPL[1], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.game.setup.txtPL[1], "\x0BJos\xE9");
    QCOMPARE(s.platform.boxes.size(), size_t{2});
    Click(w.ImgStart());
    QVERIFY(s.pending.Has("ShowGameWindow"));
    QCOMPARE(s.game.PlayerName[0] + "," + s.game.PlayerName[1], "Ral,\x0BJos\xE9");
  }

  // Start refuses an empty first name with its message; with a name it writes "defaults.cfg",
  // hides the setup window, shows the game window and hands out the first turn.
  void startChecksAndStarts() {
    Setup s;
    SetupWindow& w = s.w();
    Click(w.ImgStart());
    QCOMPARE(s.platform.boxes.size(), size_t{1});
    QVERIFY(s.platform.boxes[0].text == "You Must Enter Your Name First!");
    QVERIFY(s.platform.boxes[0].title == "Zarnath");
    QVERIFY(w.isVisible());
    QVERIFY(s.pending.Has("Focus txtPL0"));
    QVERIFY(!s.pending.Has("ShowGameWindow"));
    QCOMPARE(s.Defaults(), QStringLiteral("<missing>"));
    QCOMPARE(s.platform.sounds, std::vector<std::string>{"click1.wav"});  // the button clicks always

    QTest::keyClicks(w.txtPL[0], "Vega");
    Click(w.chkShield);
    w.txtOp[2]->selectAll();
    QTest::keyClicks(w.txtOp[2], "4");
    Click(w.chkAI[1]);
    s.pending.Clear();
    Click(w.ImgStart());
    QVERIFY(!w.isVisible());
    QVERIFY(!s.game.window.SetupVisible);
    QVERIFY(s.game.window.Visible);
    QVERIFY(s.pending.Has("HideSetupWindow"));
    QVERIFY(s.pending.Has("ShowGameWindow"));
    QCOMPARE(s.Defaults(), QStringLiteral("Vega\r\n1\r\n0\r\n4\r\n"));
    QVERIFY(s.game.PlayerName[0] == "Vega");
    QVERIFY(s.game.PlayerName[1] == "Titan");
    QVERIFY(s.game.WorldCount == 30);
    QCOMPARE(s.game.menus.mnuOptionsTreas.Caption, "World Treasures = 8");
  }

  // Closing the setup window brings the title back; the next showing is a new window.
  void closeReturnsToTheTitle() {
    Setup s("Vega\r\n");
    s.w().close();
    QVERIFY(s.titles == 1);
    QVERIFY(s.pending.Has("Close 0"));
    QVERIFY(!s.game.window.SetupVisible);
    QTRY_VERIFY_WITH_TIMEOUT(s.windows.window() == nullptr, 5000);
    s.game.setup.VScroll1 = 14;
    s.game.io.screen.ShowSetupWindow();
    QVERIFY(s.w().isVisible());
    QVERIFY(s.w().txtPL[0]->text() == "Vega");
    QVERIFY(s.w().txtPlanets->text() == "30");
  }

  // Four computers started from the window play a speed game to its conquest in the event loop;
  // then the setup window is shown again, created afresh.
  // The lobby's chat appends each line to its box and keeps its newest lines only.
  void lobbyChatAppendsEachLineAndKeepsABoundedHistory() {
    Setup s;
    s.game.setup.txtPL[0] = "Ann";
    s.game.setup.chatVisible = true;
    s.game.setup.txtChat.Renew("Connected...\r\n");
    s.w().ShowState();
    QPlainTextEdit* box = s.w().txtChat;
    QCOMPARE(box->toPlainText(), QStringLiteral("Connected..."));
    for (int i = 0; i < 2000; ++i) LobbyChatArrived(s.game, " Bob: line " + std::to_string(i));
    QVERIFY(box->document()->blockCount() <= kChatBoxLines);
    QCOMPARE(box->document()->lastBlock().text(), QStringLiteral(" Bob: line 1999"));
    int added = 0;
    connect(box->document(), &QTextDocument::contentsChange, [&](int, int, int n) { added += n; });
    LobbyChatArrived(s.game, " Bob: one more");
    QVERIFY(added > 0);
    QVERIFY2(added <= 20, qPrintable(QString::number(added)));
    QCOMPARE(box->document()->lastBlock().text(), QStringLiteral(" Bob: one more"));
    // A paste into the lobby's line is cut at the chat's longest text; what the line shows is
    // what is sent.
    QLineEdit* entry = s.w().txtMessage;
    entry->setFocus();
    QGuiApplication::clipboard()->setText(QString(1500, QLatin1Char('p')));
    QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(entry->text().size(), static_cast<qsizetype>(kChatLongest));
    QCOMPARE(s.game.setup.txtMessage, std::string(kChatLongest, 'p'));
  }

  void computerGameReturnsToSetup() {
    Setup s;
    SetupWindow& w = s.w();
    s.game.random.Seed(5);
    for (int k = 0; k < 4; ++k) Click(w.chkAI[k]);
    QTest::keyClick(w.VScroll1, Qt::Key_End);
    QVERIFY(w.txtPlanets->text() == "12");
    QVERIFY(w.txtPL[0]->text() == "Titan");
    QVERIFY(w.txtPL[3]->text() == "Calypso");
    Click(w.ImgStart());
    s.game.SpeedGame = true;
    QVERIFY(!w.isVisible());
    QVERIFY(s.pending.Has("ShowGameWindow"));
    QVERIFY(s.game.GameYear == 1.0f);
    QTRY_VERIFY_WITH_TIMEOUT(s.pending.Has("ReturnToSetup"), 100000);
    QVERIFY(s.windows.window());
    QVERIFY(s.w().isVisible());
    QVERIFY(s.game.window.SetupVisible);
    QVERIFY(!s.game.window.Visible);
    QVERIFY(!s.w().chkAI[0]->isChecked());
    QVERIFY(s.w().txtPL[0]->text().isEmpty());
  }
};

ZARNATH_UI_SUITE(SetupWindowTest, {"setup", 1024, 96});

}  // namespace zarnath::testing

#include "setup_window_test.moc"
