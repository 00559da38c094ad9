// The save and load dialogs and the title's Load with the program's real game window, the
// engine's flow and the desktop platform (boxes answered by a script).
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "../fixtures/file_faults.h"
#include "commands/proximity_dialog.h"
#include "engine/game_start.h"
#include "engine/save_load.h"
#include "net/lobby.h"
#include "persist/saved_game.h"
#include "shell/game_program.h"
#include "shell/saved_game_dialog.h"
#include "ui_fixture.h"

namespace zarnath::testing {

namespace {

// A game between Alice (human, seat 0) and Bob (human) and a computer, waiting for Alice.
struct ProgramGame {
  ProgramGame() {
    platform.scripted = platform.muted = true;
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(11);
    for (int level = 1; level <= 6; ++level)
      g.CpuName[static_cast<size_t>(level - 1)] = kCpuNames[static_cast<size_t>(level - 1)];
  }
  ~ProgramGame() {
    platform.SetTimer(GameTimer::kAI, 0, false);
    platform.SetTimer(GameTimer::kTurn, 0, false);
  }
  void Start() {
    g.setup.txtPL = {"Alice", "Bob", "Calypso", ""};
    g.setup.chkAI = {0, 0, 1, 0};
    g.setup.txtAI[2] = "3";
    g.setup.txtPlanets = "16";
    imgStart_Click(g);
  }
  QString File(const QString& name) const { return folder.file(name); }
  std::string Bytes() const { return SavedGameText(g.state()); }

  ProgramFolderCopy folder;
  DesktopPlatform platform;
  GameProgram program{platform};
  Game& g = program.game;
};

QListWidgetItem* Listed(QListWidget* list, const QString& name) {
  const auto found = list->findItems(name, Qt::MatchExactly);
  return found.size() == 1 ? found[0] : nullptr;
}

// A press and release, then the second press that makes it a double-click.
void DoubleClick(QListWidget* list, QListWidgetItem* item) {
  const QPoint at = list->visualItemRect(item).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// The title's Load, then a double-click on the file `name` in the Load dialog.
void LoadFromTheTitle(ProgramGame& u, TitleWindow& title, const QString& name) {
  title.showLoadDialog = [&u] { u.program.dialogs.ShowLoadDialog(); };
  QVERIFY(title.Form_Load());
  QTest::mouseClick(title.ImgLoad(), Qt::LeftButton);
  LoadGameDialog& d = u.program.dialogs.loadDialog();
  QVERIFY(Listed(d.File1, name));
  DoubleClick(d.File1, Listed(d.File1, name));
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

}  // namespace

class SavedGamesTest : public QObject {
  Q_OBJECT

 private slots:
  // Enter saves under the completed name and goes no further; an empty box does nothing; the
  // dialog keeps its name and folder between showings, the autosave empties the box; a
  // double-click on a listed file saves over it.
  void saveWithEnterDoubleClickAndTheAutosave() {
    ProgramGame t;
    t.Start();
    SaveGameDialog& d = t.program.dialogs.saveDialog();
    t.program.dialogs.mnuFileSave_Click();
    QVERIFY(d.isVisible());
    QCOMPARE(d.windowTitle(), QStringLiteral("Save Game"));
    QCOMPARE(d.folder(), t.folder.dir.path());
    QCOMPARE(d.File1->count(), 0);
    QTest::mouseClick(d.ImgAccept(), Qt::LeftButton);  // empty: nothing
    QVERIFY(d.isVisible() && QDir(t.folder.dir.path()).entryList({"*.zq"}).isEmpty());

    // Nothing is written while the File menu is locked (a computer's turn, a turn resolving): the
    // save waits, and writes once the lock lets go.
    t.g.menus.mnuFile.Enabled = false;
    QTest::keyClicks(d.Text1, "busy");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QTest::qWait(50);
    QVERIFY(d.isVisible() && d.SaveWaiting() && !QFile::exists(t.File("busy.zq")));
    t.g.menus.mnuFile.Enabled = true;
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 5000);
    QCOMPARE(Read(t.File("busy.zq")), QByteArray::fromStdString(t.Bytes()));
    QVERIFY(!d.SaveWaiting());

    const struct {
      const char* typed;
      const char* file;
    } names[] = {{"game", "game.zq"}, {"game.ZQ", "game.ZQ.zq"}, {"other.zq", "other.zq"}};
    for (const auto& n : names) {
      t.program.dialogs.mnuFileSave_Click();
      d.Text1->clear();
      QTest::keyClicks(d.Text1, n.typed);
      QTest::keyClick(d.Text1, Qt::Key_Return);
      QVERIFY2(!d.isVisible(), n.typed);
      QCOMPARE(d.Text1->text(), QString::fromLatin1(n.file));  // no line break typed into it
      QCOMPARE(Read(t.File(n.file)), QByteArray::fromStdString(t.Bytes()));
    }
    // Shown again: the last name, the same folder, the files listed exactly as named.
    t.program.dialogs.mnuFileSave_Click();
    QCOMPARE(d.Text1->text(), QStringLiteral("other.zq"));
    QStringList listed;
    for (int i = 0; i < d.File1->count(); ++i) listed << d.File1->item(i)->text();
    QCOMPARE(listed, (QStringList{"busy.zq", "game.zq", "game.ZQ.zq", "other.zq"}));

    // A click takes a listed name; a double-click saves over that file at once.
    t.g.GameYear = 1.25f;
    QTest::mouseClick(d.File1->viewport(), Qt::LeftButton, {},
                      d.File1->visualItemRect(Listed(d.File1, "game.zq")).center());
    QCOMPARE(d.Text1->text(), QStringLiteral("game.zq"));
    QVERIFY(d.isVisible());
    DoubleClick(d.File1, Listed(d.File1, "game.ZQ.zq"));
    QVERIFY(!d.isVisible());
    QCOMPARE(Read(t.File("game.ZQ.zq")), QByteArray::fromStdString(t.Bytes()));
    QVERIFY(Read(t.File("game.zq")) != QByteArray::fromStdString(t.Bytes()));

    // The autosave of the end of a turn: the dialog with an empty name box, not waited for.
    t.g.io.flow.OfferAutoSave();
    QVERIFY(d.isVisible() && d.Text1->text().isEmpty());
    QVERIFY(t.platform.boxes.empty());
  }

  // A folder that cannot be written, or a disk that is full: the reason is shown, the dialog
  // stays with its name and the file that was there stays whole.
  void aFailedSaveKeepsTheDialogAndTheOldFile() {
    ProgramGame t;
    t.Start();
    SaveGameDialog& d = t.program.dialogs.saveDialog();
    t.program.dialogs.mnuFileSave_Click();
    QTest::keyClicks(d.Text1, "keep");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    const QByteArray before = Read(t.File("keep.zq"));
    QVERIFY(!d.isVisible() && before.size() > 1000);

    t.g.GameYear = 2.5f;
    t.program.dialogs.mnuFileSave_Click();
    {
      FileWritesFail full(100);
      QTest::keyClick(d.Text1, Qt::Key_Return);
    }
    QVERIFY(d.isVisible());
    QCOMPARE(d.Text1->text(), QStringLiteral("keep.zq"));
    QCOMPARE(Read(t.File("keep.zq")), before);
    QCOMPARE(t.platform.boxes.size(), size_t{1});
    QCOMPARE(t.platform.boxes[0].title, std::string("Zarnath Error"));
    QVERIFY2(t.platform.boxes[0].text.starts_with("The game was not saved.\r") &&
                 t.platform.boxes[0].text.find("keep.zq") != std::string::npos,
             t.platform.boxes[0].text.c_str());

    // A folder that went away after it was chosen.
    const QString gone = t.File("gone");
    QVERIFY(QDir().mkdir(gone));
    d.SetFolder(gone);
    QVERIFY(QDir().rmdir(gone));
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY(d.isVisible() && t.platform.boxes.size() == 2);
    QVERIFY(t.platform.boxes[1].text.find("gone") != std::string::npos);
  }

  // The title's Load: Cancel brings the title back; a double-click loads the game into the
  // game window with its caption, and a seat whose name is no computer's is a human seat.
  void loadFromTheTitle() {
    ProgramGame t;
    t.Start();
    t.g.GameYear = 1.55f;
    t.program.dialogs.mnuFileSave_Click();
    QTest::keyClicks(t.program.dialogs.saveDialog().Text1, "alice");
    QTest::keyClick(t.program.dialogs.saveDialog().Text1, Qt::Key_Return);
    const std::string saved = t.Bytes();
    // Escape in the save dialog is Cancel: the dialog goes, nothing is written.
    t.program.dialogs.mnuFileSave_Click();
    SaveGameDialog& save = t.program.dialogs.saveDialog();
    QVERIFY(save.isVisible());
    save.Text1->setText(QStringLiteral("bob"));
    QTest::keyClick(save.Text1, Qt::Key_Escape);
    QVERIFY(!save.isVisible() && !QFile::exists(t.File("bob.zq")));

    // A second program, as after a restart.
    ProgramGame u;
    DesktopDisplayModes modes;
    TitleWindow title(u.g, u.platform, modes);
    QVERIFY(QFile::copy(t.File("alice.zq"), u.File("alice.zq")));
    title.showLoadDialog = [&] { u.program.dialogs.ShowLoadDialog(); };
    u.program.dialogs.showTitle = [&] { title.show(); };
    QVERIFY(title.Form_Load());
    LoadGameDialog& d = u.program.dialogs.loadDialog();

    QTest::mouseClick(title.ImgLoad(), Qt::LeftButton);
    QVERIFY(!title.isVisible() && d.isVisible());
    QCOMPARE(d.windowTitle(), QStringLiteral("Load Game"));
    QVERIFY(d.Text1->text().isEmpty());
    QTest::mouseClick(d.ImgCancel(), Qt::LeftButton);
    QVERIFY(!d.isVisible() && title.isVisible());
    // Escape is Cancel, wherever the dialog's keyboard focus is.
    for (QWidget* focus : {static_cast<QWidget*>(d.Text1), static_cast<QWidget*>(d.File1)}) {
      QTest::mouseClick(title.ImgLoad(), Qt::LeftButton);
      QVERIFY(d.isVisible() && !title.isVisible());
      QTest::keyClick(focus, Qt::Key_Escape);
      QVERIFY(!d.isVisible() && title.isVisible());
    }

    QTest::mouseClick(title.ImgLoad(), Qt::LeftButton);
    u.g.setup.chkAI[1] = 1;  // seat 1 was a computer in a former game
    QVERIFY(Listed(d.File1, "alice.zq"));
    DoubleClick(d.File1, Listed(d.File1, "alice.zq"));
    QVERIFY(!d.isVisible() && !title.isVisible() && u.program.window.isVisible());
    QCOMPARE(u.program.window.windowTitle(), QStringLiteral("Zarnath - Year 1.55, Turn #11:  Alice"));
    QVERIFY(u.platform.boxes.empty());
    QCOMPARE(u.g.setup.chkAI[1], 0);  // Bob plays himself
    QCOMPARE(u.Bytes(), saved);
  }

  // A game loaded from the title goes on with the last setup's choices from "defaults.cfg", as
  // the setup window has them when it loads: Reset Solar System starts a new galaxy for them.
  void resetSolarSystemAfterALoadFromTheTitle() {
    ProgramGame t;
    t.Start();
    t.program.dialogs.mnuFileSave_Click();
    QTest::keyClicks(t.program.dialogs.saveDialog().Text1, "alice");
    QTest::keyClick(t.program.dialogs.saveDialog().Text1, Qt::Key_Return);

    ProgramGame u;
    QVERIFY(QFile::copy(t.File("alice.zq"), u.File("alice.zq")));
    QVERIFY(QFile::copy(t.File("defaults.cfg"), u.File("defaults.cfg")));
    DesktopDisplayModes modes;
    TitleWindow title(u.g, u.platform, modes);
    LoadFromTheTitle(u, title, "alice.zq");
    QVERIFY(u.program.window.isVisible());
    QCOMPARE(u.g.setup.txtPL[0], "Alice");
    // Nothing of a network state is left on a game loaded on a fresh start: it saves.
    u.program.dialogs.mnuFileSave_Click();
    QTest::keyClicks(u.program.dialogs.saveDialog().Text1, "again");
    QTest::keyClick(u.program.dialogs.saveDialog().Text1, Qt::Key_Return);
    QVERIFY(u.platform.boxes.empty() && QFile::exists(u.File("again.zq")));

    u.program.menuBar.item("mnuFileNewSS")->trigger();
    QCOMPARE(u.platform.boxes.size(), size_t{1});
    QCOMPARE(u.platform.boxes[0].title, "Create New Solar System");
    QCOMPARE(u.g.GameYear, 1.0f);
    QCOMPARE(u.g.PlayerName[0], "Alice");
    QCOMPARE(u.g.PlayerName[2], "Calypso");
  }

  // A double-click in the folder list opens that folder: the file list follows at once, the name
  // box keeps its text; the folder above is listed too.
  void theFolderListMovesTheFileList() {
    ProgramGame t;
    QVERIFY(QDir(t.folder.dir.path()).mkpath("old/deeper"));
    QFile saved(t.File("old/x.zq"));
    QVERIFY(saved.open(QIODevice::WriteOnly));
    saved.close();
    LoadGameDialog& d = t.program.dialogs.loadDialog();
    t.program.dialogs.ShowLoadDialog();
    QTest::keyClicks(d.Text1, "typed");
    const auto old = d.Dir1->findItems(QStringLiteral("old"), Qt::MatchEndsWith);
    QCOMPARE(old.size(), 1);
    DoubleClick(d.Dir1, old[0]);
    QCOMPARE(d.folder(), t.File("old"));
    QCOMPARE(d.File1->count(), 1);
    QCOMPARE(d.File1->item(0)->text(), QStringLiteral("x.zq"));
    QCOMPARE(d.Text1->text(), QStringLiteral("typed"));
    QCOMPARE(d.Dir1->currentItem()->text().trimmed(), QStringLiteral("old"));
    QVERIFY(!d.Dir1->findItems(QStringLiteral("deeper"), Qt::MatchEndsWith).isEmpty());
    const auto up = d.Dir1->findItems(t.folder.dir.path().section('/', -1), Qt::MatchEndsWith);
    QCOMPARE(up.size(), 1);
    DoubleClick(d.Dir1, up[0]);
    QCOMPARE(d.folder(), t.folder.dir.path());
    QCOMPARE(d.File1->count(), 0);
  }

  // A missing file and a damaged one: the reason in a box, the name box emptied, the dialog back,
  // the running game as it was.
  void missingAndCorruptFilesLeaveTheGame() {
    ProgramGame t;
    t.Start();
    const std::string before = t.Bytes();
    const QString caption = t.program.window.windowTitle();
    QFile bad(t.File("bad.zq"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray::fromStdString(before).replace("\r\n", "\r\nx\r\n"));
    bad.close();
    LoadGameDialog& d = t.program.dialogs.loadDialog();
    t.program.dialogs.mnuFileLoad_Click();
    QVERIFY(d.isVisible() && d.Text1->text().isEmpty());

    QTest::keyClicks(d.Text1, "nothing");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QCOMPARE(t.platform.boxes.size(), size_t{1});
    QCOMPARE(t.platform.boxes[0].text, std::string("   File Not Found!   "));
    QCOMPARE(t.platform.boxes[0].title, std::string("Zarnath Error"));
    QVERIFY(d.isVisible() && d.Text1->text().isEmpty());
    QCOMPARE(t.Bytes(), before);

    QTest::keyClicks(d.Text1, "bad");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QCOMPARE(t.platform.boxes.size(), size_t{2});
    const std::string& refusal = t.platform.boxes[1].text;
    QVERIFY2(refusal.starts_with("Error # ") && refusal.find("\rLine ") != std::string::npos,
             refusal.c_str());
    QVERIFY(d.isVisible() && d.Text1->text().isEmpty());
    QCOMPARE(t.Bytes(), before);
    QCOMPARE(t.program.window.windowTitle(), caption);
    QVERIFY(t.program.window.isVisible());

    // Cancel over a running game leaves the game window as it was.
    bool titleShown = false;
    t.program.dialogs.showTitle = [&] { titleShown = true; };
    QTest::mouseClick(d.ImgCancel(), Qt::LeftButton);
    QVERIFY(!d.isVisible() && !titleShown && t.program.window.isVisible());
  }

  // Load chosen while a step of the game yields (a relay, a turn's sends) waits until that step is
  // done: the game does not change under it.
  void aLoadChosenWhileAStepYieldsWaitsForIt() {
    ProgramGame t;
    t.Start();
    t.g.GameYear = 1.55f;
    QVERIFY(SaveGame(t.g, t.File("later.zq").toStdString()));
    t.g.GameYear = 1.20f;
    LoadGameDialog& d = t.program.dialogs.loadDialog();
    t.program.dialogs.mnuFileLoad_Click();
    d.Text1->setText(QStringLiteral("later"));
    // The step: it yields, and the player's Enter in the dialog is handled in that yield.
    float yearAfterYield = 0;
    QTimer::singleShot(0, [&] {
      bool pressed = false;
      QTimer::singleShot(0, [&] {
        QTest::keyClick(d.Text1, Qt::Key_Return);
        pressed = true;
      });
      for (int k = 0; k < 100 && !pressed; ++k) t.platform.Yield();
      yearAfterYield = pressed ? t.g.GameYear : -1.0f;
    });
    QTRY_VERIFY_WITH_TIMEOUT(yearAfterYield != 0, 5000);
    QCOMPARE(yearAfterYield, 1.20f);
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 5000);
    QCOMPARE(t.g.GameYear, 1.55f);
    QCOMPARE(t.program.window.windowTitle(), QStringLiteral("Zarnath - Year 1.55, Turn #11:  Alice"));
  }

  // A step of the game locks what it must (the File menu, the input, the turn resolving) and
  // lets go of each in its own time: a load chosen meanwhile waits while any one of them holds,
  // however long, and is carried out once the last has let go.
  void aLoadWaitsForEveryLockOfAStep() {
    ProgramGame t;
    t.Start();
    t.g.GameYear = 1.55f;
    QVERIFY(SaveGame(t.g, t.File("later.zq").toStdString()));
    const struct {
      const char* lock;
      std::function<void(bool)> set;
    } locks[] = {{"File menu", [&](bool on) { t.g.menus.mnuFile.Enabled = !on; }},
                 {"input busy", [&](bool on) { t.g.InputBusy = on; }},
                 {"turn resolving", [&](bool on) { t.g.TurnResolving = on; }}};
    LoadGameDialog& d = t.program.dialogs.loadDialog();
    for (const auto& last : locks) {
      t.g.GameYear = 1.20f;
      t.program.dialogs.mnuFileLoad_Click();
      QTest::keyClicks(d.Text1, "later");
      for (const auto& l : locks) l.set(true);
      QTest::keyClick(d.Text1, Qt::Key_Return);
      for (const auto& l : locks)
        if (&l != &last) l.set(false);
      QTest::qWait(100);  // ten looks
      QVERIFY2(d.isVisible() && d.LoadWaiting() && t.g.GameYear == 1.20f, last.lock);
      last.set(false);
      QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 5000);
      QCOMPARE(t.g.GameYear, 1.55f);
      QVERIFY(!d.LoadWaiting() && t.platform.boxes.empty());
    }
  }

  // A load chosen while a step yields and taken back (Cancel, Escape) before the step is done
  // never happens, neither in the step nor after it: the game stays the one Alice kept. Chosen
  // again with no step under way, it loads.
  void aLoadTakenBackWhileItWaitsNeverHappens() {
    ProgramGame t;
    t.Start();
    t.g.GameYear = 1.55f;
    QVERIFY(SaveGame(t.g, t.File("later.zq").toStdString()));
    t.g.GameYear = 1.20f;
    const std::string kept = t.Bytes();
    const QString caption = t.program.window.windowTitle();
    bool titleShown = false;
    t.program.dialogs.showTitle = [&] { titleShown = true; };
    LoadGameDialog& d = t.program.dialogs.loadDialog();
    const struct {
      const char* way;
      std::function<void()> takeBack;
    } ways[] = {{"Cancel", [&] { QTest::mouseClick(d.ImgCancel(), Qt::LeftButton); }},
                {"Escape", [&] { QTest::keyClick(d.Text1, Qt::Key_Escape); }}};
    for (const auto& w : ways) {
      t.program.dialogs.mnuFileLoad_Click();
      d.Text1->setText(QStringLiteral("later"));
      // The step yields for 150 ms; Enter comes in its first yield, the take-back 50 ms later,
      // while the load waits and looks again.
      bool waitedAtTakeBack = false, stepDone = false;
      QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] { QTest::keyClick(d.Text1, Qt::Key_Return); });
        QTimer::singleShot(50, [&] {
          waitedAtTakeBack = d.LoadWaiting() && t.Bytes() == kept;
          w.takeBack();
        });
        QElapsedTimer yielding;
        yielding.start();
        while (yielding.elapsed() < 150) t.platform.Yield();
        stepDone = true;
      });
      QTRY_VERIFY_WITH_TIMEOUT(stepDone, 5000);
      QVERIFY2(waitedAtTakeBack, w.way);
      QTRY_VERIFY_WITH_TIMEOUT(!d.LoadWaiting(), 5000);
      QVERIFY2(t.Bytes() == kept, w.way);
      QVERIFY(!d.isVisible() && !titleShown && t.program.window.isVisible());
      QCOMPARE(t.program.window.windowTitle(), caption);
    }

    t.program.dialogs.mnuFileLoad_Click();
    QTest::keyClicks(d.Text1, "later");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY(!d.isVisible() && !d.LoadWaiting());
    QCOMPARE(t.g.GameYear, 1.55f);
  }

  // At one computer Bob's Done starts Calypso's computer turn, which locks the File menu and the
  // input while she plays. A load chosen then is carried out once she is done, and the loaded
  // game goes on at the seat it was saved at: nothing of the computer's turn (its Done) reaches it.
  void aLoadChosenInAComputersTurnRunsOnceItIsDone() {
    ProgramGame t;
    t.Start();
    t.g.GameYear = 1.55f;
    QVERIFY(SaveGame(t.g, t.File("later.zq").toStdString()));
    t.g.GameYear = 1.0f;
    const auto done = [&] {
      QTest::mouseClick(t.program.controls.button(MainButton::kDone), Qt::LeftButton, {}, QPoint(5, 5));
    };
    done();
    QCOMPARE(t.g.CurrentPlayer, 1);
    t.program.menuBar.item("mnuFileLoad")->trigger();
    LoadGameDialog& d = t.program.dialogs.loadDialog();
    QTest::keyClicks(d.Text1, "later");
    bool pressed = false, waited = false;
    QTimer computer;
    computer.setInterval(1);
    QObject::connect(&computer, &QTimer::timeout, [&] {
      if (t.g.CurrentPlayer != 2 || !t.g.InputBusy) return;
      computer.stop();
      QTest::keyClick(d.Text1, Qt::Key_Return);
      waited = d.isVisible() && d.LoadWaiting() && !t.g.menus.mnuFile.Enabled;
      pressed = true;
    });
    computer.start();
    done();
    QTRY_VERIFY_WITH_TIMEOUT(pressed, 10000);
    QVERIFY(waited);
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible() && !d.LoadWaiting(), 10000);
    QCOMPARE(t.g.GameYear, 1.55f);
    QCOMPARE(t.g.CurrentPlayer, 0);
    QVERIFY(!t.platform.TimerEnabled(GameTimer::kAI));
    QCOMPARE(t.program.window.windowTitle(), QStringLiteral("Zarnath - Year 1.55, Turn #11:  Alice"));
  }

  // Calypso, a computer, plays seat 0, and Alice seat 1. Alice's Done ends the round; after the
  // turn's show Calypso moves, with the File menu and the input locked. Alice's Enter in the Save
  // dialog then writes nothing yet and waits; once Calypso is done it writes the new turn's whole
  // game and the dialog closes.
  void aSaveChosenInTheComputersMoveAfterTheShowWritesTheNewTurn() {
    ProgramGame t;
    t.g.setup.txtPL = {"Calypso", "Alice", "", ""};
    t.g.setup.chkAI = {1, 0, 0, 0};
    t.g.setup.txtAI[0] = "3";
    t.g.setup.txtPlanets = "16";
    imgStart_Click(t.g);
    t.g.SpeedGame = true;  // no animation pauses
    QTRY_VERIFY_WITH_TIMEOUT(t.g.CurrentPlayer == 1 && !t.g.InputBusy, 10000);
    t.program.dialogs.mnuFileSave_Click();
    SaveGameDialog& d = t.program.dialogs.saveDialog();
    QTest::keyClicks(d.Text1, "after");

    bool pressed = false, waited = false;
    QTimer computer;
    computer.setInterval(1);
    QObject::connect(&computer, &QTimer::timeout, [&] {
      if (t.g.GameYear == 1.0f || t.g.CurrentPlayer != 0 || t.g.TurnResolving || !t.g.InputBusy) return;
      computer.stop();
      QTest::keyClick(d.Text1, Qt::Key_Return);
      waited = d.isVisible() && d.SaveWaiting() && !QFile::exists(t.File("after.zq"));
      pressed = true;
    });
    // The game as the save wrote it: the dialog closes right after the file.
    std::string written;
    float yearAtSave = 0;
    bool lockedAtSave = true;
    OnEvent hidden(&d, QEvent::Hide, [&] {
      written = t.Bytes();
      yearAtSave = t.g.GameYear;
      lockedAtSave = t.g.InputBusy || t.g.TurnResolving || !t.g.menus.mnuFile.Enabled;
    });
    computer.start();
    QTest::mouseClick(t.program.controls.button(MainButton::kDone), Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_VERIFY_WITH_TIMEOUT(pressed, 10000);
    QVERIFY(waited);
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 10000);
    QVERIFY(!lockedAtSave && !d.SaveWaiting() && t.platform.boxes.empty());
    QCOMPARE(Read(t.File("after.zq")), QByteArray::fromStdString(written));
    QCOMPARE(yearAtSave, 1.05f);
  }

  // A save chosen while a step yields waits for it. Taken back meanwhile (Cancel), it never
  // happens; when the step replaced the game (a load), it writes nothing of the game that came
  // and says why.
  void aWaitingSaveTakenBackOrOvertakenWritesNothing() {
    ProgramGame t;
    t.Start();
    t.g.GameYear = 1.55f;
    QVERIFY(SaveGame(t.g, t.File("later.zq").toStdString()));
    t.g.GameYear = 1.20f;
    SaveGameDialog& d = t.program.dialogs.saveDialog();
    const struct {
      const char* way;
      std::function<void()> meanwhile;
      size_t boxes;
    } ways[] = {{"Cancel", [&] { QTest::mouseClick(d.ImgCancel(), Qt::LeftButton); }, 0},
                {"a load", [&] { LoadSavedGame(t.g, t.File("later.zq").toStdString()); }, 1}};
    for (const auto& w : ways) {
      t.platform.boxes.clear();
      t.program.dialogs.mnuFileSave_Click();
      d.Text1->setText(QStringLiteral("mine"));
      bool waitedInStep = false, stepDone = false;
      QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] { QTest::keyClick(d.Text1, Qt::Key_Return); });
        QElapsedTimer yielding;
        yielding.start();
        while (yielding.elapsed() < 50) t.platform.Yield();
        waitedInStep = d.SaveWaiting();
        w.meanwhile();
        stepDone = true;
      });
      QTRY_VERIFY_WITH_TIMEOUT(stepDone, 5000);
      QVERIFY2(waitedInStep, w.way);
      QTRY_VERIFY_WITH_TIMEOUT(!d.SaveWaiting(), 5000);
      QVERIFY2(!QFile::exists(t.File("mine.zq")), w.way);
      QCOMPARE(t.platform.boxes.size(), w.boxes);
    }
    QCOMPARE(
        t.platform.boxes[0].text,
        std::string("The game was not saved.\rThe game it was chosen for was replaced by another (a loaded "
                    "game, a new game or a new state from the server) while the save waited for the turn "
                    "to finish."));
    QVERIFY(d.isVisible());
    QCOMPARE(t.g.GameYear, 1.55f);
  }

  // A proximity bomb Alice planted on her own home world before Done has no trip: saved, the game loads from
  // the title's Load dialog as it was.
  void aBombPlantedAtHomeLoadsFromTheTitle() {
    ProgramGame t;
    t.Start();
    ProximityDialog planting;
    planting.OpenFor(t.g, kHomeWorld0, kHomeWorld0);
    planting.text = "5";
    QVERIFY(planting.ImgSet_Click(t.g).result == LaunchResult::kLaunched);
    QCOMPARE(t.g.FleetTripTime[0], 0.0f);
    t.program.dialogs.mnuFileSave_Click();
    SaveGameDialog& save = t.program.dialogs.saveDialog();
    QVERIFY(save.isVisible());
    QTest::keyClicks(save.Text1, "planted");
    QTest::keyClick(save.Text1, Qt::Key_Return);
    const std::string saved = t.Bytes();

    ProgramGame u;
    QVERIFY(QFile::copy(t.File("planted.zq"), u.File("planted.zq")));
    DesktopDisplayModes modes;
    TitleWindow title(u.g, u.platform, modes);
    LoadFromTheTitle(u, title, "planted.zq");
    QVERIFY2(u.platform.boxes.empty(), u.platform.boxes.empty() ? "" : u.platform.boxes[0].text.c_str());
    QVERIFY(u.program.window.isVisible());
    QCOMPARE(u.Bytes(), saved);
  }
};

ZARNATH_UI_SUITE(SavedGamesTest, {"saved-games", 1024, 96});

}  // namespace zarnath::testing

#include "saved_games_test.moc"
