// Games that end while the player's dialogs stand open, through the program's own windows: a Save
// dialog left open over a game that then goes writes nothing over the file named in it (a new game
// at one computer, a conquest on a LAN client); after the high scores a load opens its game at
// once, from a Load dialog left open and from the title, at one computer and on a LAN host; and a
// client that leaves a lobby whose first state stopped part-way, by unticking LAN or by closing
// the setup window, keeps no lock and plays its next host's game.
#include <QAction>
#include <QCheckBox>
#include <QFile>

#include "engine/save_load.h"
#include "headless/last_worlds.h"
#include "hot_seat.h"
#include "lan_program.h"
#include "shell/saved_game_dialog.h"
#include "shell/title_window.h"

namespace zarnath::testing {

namespace {

constexpr const char* kNoGame =
    "The game was not saved.\rNo game is in progress, so there is nothing to save.";

// Bob against the computer Calypso (level 1) at one computer, on a seeded star system.
struct AgainstTheComputer {
  AgainstTheComputer() {
    platform.scripted = platform.muted = true;
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(11);
    for (size_t level = 0; level < kCpuNames.size(); ++level) g.CpuName[level] = kCpuNames[level];
    g.setup.txtPL = {"Bob", "Calypso", "", ""};
    g.setup.chkAI = {0, 1, 0, 0};
    g.setup.txtAI[1] = "1";
    g.setup.txtPlanets = "12";
    imgStart_Click(g);
    g.SpeedGame = true;  // no animation pauses
  }
  ~AgainstTheComputer() {
    for (GameTimer t : {GameTimer::kAI, GameTimer::kTurn, GameTimer::kStepsWaiting})
      platform.SetTimer(t, 0, false);
  }
  ProgramFolderCopy folder;
  DesktopPlatform platform;
  GameProgram program{platform};
  Game& g = program.game;
};

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

// The reason a save gives while the host's state is still coming.
constexpr const char* kComing =
    "The game was not saved.\rThe server is still sending its game, so no whole turn of it is here to save "
    "yet.";

// The name box as the player left it: `name` typed, no Enter.
void Typed(SavedGameDialog& d, const char* name) {
  d.Text1->clear();
  QTest::keyClicks(d.Text1, name);
}

// Enter in the Save dialog left open with "mine" after its game went: nothing is written over
// mine.zq, and the box says why.
void EnterSavesNothing(DesktopPlatform& platform, SaveGameDialog& d, const QString& mine,
                       const QByteArray& was) {
  QVERIFY(d.isVisible());
  platform.boxes.clear();
  QTest::keyClick(d.Text1, Qt::Key_Return);
  QCOMPARE(Read(mine), was);
  QCOMPARE(platform.boxes.size(), size_t{1});
  QCOMPARE(platform.boxes[0].text, std::string(kNoGame));
}

// Enter in the Load dialog left open: the load is carried out at once.
void EnterLoadsAtOnce(LoadGameDialog& d) {
  QVERIFY(d.isVisible());
  QTest::keyClick(d.Text1, Qt::Key_Return);
  QVERIFY2(!d.LoadWaiting() && !d.isVisible(), "the load waits on the game that ended");
}

}  // namespace

class EndedGamesTest : public QObject {
  Q_OBJECT

 private slots:
  // Ann and Bob at one computer: Bob saves "mine", opens the Save dialog again with that name and
  // leaves it; File > New Game, Yes. His Enter then writes nothing over mine.zq and says why.
  void aSaveDialogLeftOpenOverANewGameWritesNothing() {
    HotSeat t;
    SaveGameDialog& d = t.program.dialogs.saveDialog();
    t.program.dialogs.mnuFileSave_Click();
    Typed(d, "mine");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY(!d.isVisible());
    const QString mine = t.folder.file("mine.zq");
    const QByteArray saved = Read(mine);
    QVERIFY(saved.size() > 10000);

    t.program.dialogs.mnuFileSave_Click();
    Typed(d, "mine");
    t.program.menuBar.item("mnuFileNew")->trigger();
    QVERIFY(t.g.window.SetupVisible && !t.g.window.Visible);
    EnterSavesNothing(t.platform, d, mine, saved);
  }

  // Bob is in Ann's lobby when her first state stops after its first frames. He leaves by
  // unticking LAN; he joins again, the same happens, and he closes the setup window instead.
  // Each way leaves no lock or clock, and his Save dialog says why it writes nothing. He joins
  // once more, and Ann's game opens on his window and plays its turn.
  void aClientLeavingAHalfStateByEitherWayOutIsFree() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QString error;
    QVERIFY(ann.program.network.Listen(0, &error, QHostAddress::LocalHost));
    const auto join = [&] {
      bob.program.setupWindows.Show();
      SetupWindow* w = bob.program.setupWindows.window();
      QVERIFY(w && w->isVisible());
      bob.g.setup.txtPL[0] = "Bob";
      if (!w->chkLan->isChecked()) QTest::mouseClick(w->chkLan, Qt::LeftButton, {}, QPoint(5, 5));
      QCOMPARE(bob.g.setup.chkLan, 1);
      bob.g.Role = NetRole::kClient;
      bob.program.network.Connect(QStringLiteral("127.0.0.1"), ann.program.network.ListeningPort());
      QTRY_VERIFY_WITH_TIMEOUT(ann.g.setup.txtPL[1] == "Bob" && bob.g.setup.txtPL[1] == "Ann", 10000);
    };
    SaveGameDialog& save = bob.program.dialogs.saveDialog();
    for (const bool untick : {true, false}) {
      join();
      ann.program.network.SendData(1, "[NP] 0012*[N] 00Ann*[N] 01Bob*");
      QTRY_VERIFY_WITH_TIMEOUT(bob.g.StateComing && bob.g.InputBusy, 10000);
      // Enter in the Save dialog while the state comes: nothing is written, and the box says why.
      bob.program.dialogs.mnuFileSave_Click();
      Typed(save, "coming");
      bob.platform.boxes.clear();
      QTest::keyClick(save.Text1, Qt::Key_Return);
      QVERIFY(!QFile::exists(bob.folder.file("coming.zq")) && save.isVisible());
      QCOMPARE(bob.platform.boxes.size(), size_t{1});
      QCOMPARE(QString::fromLatin1(bob.platform.boxes[0].text), QString::fromLatin1(kComing));
      save.hide();
      SetupWindow* w = bob.program.setupWindows.window();
      if (untick)
        QTest::mouseClick(w->chkLan, Qt::LeftButton, {}, QPoint(5, 5));
      else
        w->close();
      QVERIFY(!w->isVisible() || bob.g.setup.chkLan == 0);
      QVERIFY(!bob.g.InputBusy && !bob.g.StateComing && !bob.g.TurnResolving && bob.g.menus.mnuFile.Enabled);
      for (GameTimer t : {GameTimer::kTurn, GameTimer::kAI, GameTimer::kStepsWaiting})
        QVERIFY(!bob.platform.TimerEnabled(t));
      bob.program.dialogs.mnuFileSave_Click();
      Typed(save, "half");
      bob.platform.boxes.clear();
      QTest::keyClick(save.Text1, Qt::Key_Return);
      QVERIFY(!QFile::exists(bob.folder.file("half.zq")));
      QCOMPARE(bob.platform.boxes.size(), size_t{1});
      QVERIFY(bob.platform.boxes[0].text.starts_with("The game was not saved.\r"));
      save.hide();
      QTRY_VERIFY_WITH_TIMEOUT(ann.g.setup.txtPL[1].empty(), 10000);
    }

    join();
    ann.g.random.Seed(5);
    ann.g.setup.txtPlanets = "12";
    imgStart_Click(ann.g);
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.window.Visible && !bob.g.InputBusy && bob.g.GameYear == 1.0f, 10000);
    HotSeat::Press(bob.program.controls.button(MainButton::kDone));
    QTRY_COMPARE_WITH_TIMEOUT(ann.g.SeatStatus[1], TurnStatus::kDoneTurn, 10000);
    HotSeat::Press(ann.program.controls.button(MainButton::kDone));
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.GameYear > 1.0f && bob.g.GameYear == ann.g.GameYear && !bob.g.InputBusy,
                             30000);
  }
};

ZARNATH_UI_SUITE(EndedGamesTest, {"ended-games", 1024, 96});

// A game lost to the computer, in a suite of its own: each conquest shows its announcements and
// high scores for their whole time.
class EndedComputerGamesTest : public QObject {
  Q_OBJECT

 private slots:
  // Bob loses to the computer. After the high scores, his Load dialog left open loads his save
  // at once, and so, after he loses that game again, does the title's Load; his Save dialog left
  // open writes nothing over the save.
  void aGameLostToTheComputerLoadsAtOnceAfterTheHighScores() {
    AgainstTheComputer t;
    SetUpLastWorlds(t.g, 1, 2, 1);
    const QString mine = t.folder.file("mine.zq");
    QVERIFY(SaveGame(t.g, mine.toStdString()));
    const QByteArray saved = Read(mine);
    QCOMPARE(LoadSavedGame(t.g, mine.toStdString()), LoadOutcome::kLoaded);
    LoadGameDialog& load = t.program.dialogs.loadDialog();
    SaveGameDialog& save = t.program.dialogs.saveDialog();
    t.program.dialogs.ShowLoadDialog();
    Typed(load, "mine");
    t.program.dialogs.mnuFileSave_Click();
    Typed(save, "mine");
    const auto loseToTheComputer = [&] {
      QVERIFY(t.g.window.Visible && t.g.PlayerName[0] == "Bob");
      HotSeat::Press(t.program.controls.button(MainButton::kDone));
      QTRY_VERIFY_WITH_TIMEOUT(t.g.PlayerName[0].empty() && t.g.window.SetupVisible, 60000);
      QVERIFY(!t.g.InputBusy && !t.g.TurnResolving && t.g.menus.mnuFile.Enabled);
    };

    loseToTheComputer();
    EnterSavesNothing(t.platform, save, mine, saved);
    EnterLoadsAtOnce(load);
    QCOMPARE(t.g.PlayerName[0], std::string("Bob"));
    QVERIFY(t.g.window.Visible && !t.g.window.SetupVisible);

    loseToTheComputer();
    DesktopDisplayModes modes;
    TitleWindow title(t.g, t.platform, modes);
    title.showLoadDialog = [&] { t.program.dialogs.ShowLoadDialog(); };
    QVERIFY(title.Form_Load());
    QTest::mouseClick(title.ImgLoad(), Qt::LeftButton);
    Typed(load, "mine");
    EnterLoadsAtOnce(load);
    QCOMPARE(t.g.PlayerName[0], std::string("Bob"));
    QVERIFY(t.g.window.Visible);
  }
};

ZARNATH_UI_SUITE(EndedComputerGamesTest, {"ended-computer-games", 1024, 96});

// The same on a LAN game, in a suite of its own: each machine's conquest shows its announcements
// and high scores for their whole time.
class EndedLanGamesTest : public QObject {
  Q_OBJECT

 private slots:
  // Ann hosts a game in its last turns, loaded from her Load dialog; Bob's Save dialog stands with
  // the name of his earlier save. Both press Done until the conquest: Bob's Enter writes nothing
  // over his save, and Ann's Load dialog left open loads her game at once, with her File items.
  void aConquestOnALanGameLeavesNoSaveLostAndNoLoadWaiting() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    SaveGameDialog& save = bob.program.dialogs.saveDialog();
    bob.program.dialogs.mnuFileSave_Click();
    Typed(save, "mine");
    QTest::keyClick(save.Text1, Qt::Key_Return);
    const QString mine = bob.folder.file("mine.zq");
    const QByteArray saved = Read(mine);
    QVERIFY(saved.size() > 10000);

    SetUpLastWorlds(ann.g, 0, 2, 1);
    QVERIFY(SaveGame(ann.g, ann.folder.file("last.zq").toStdString()));
    LoadGameDialog& load = ann.program.dialogs.loadDialog();
    ann.program.dialogs.ShowLoadDialog();
    Typed(load, "last");
    EnterLoadsAtOnce(load);
    // Every world but Bob's empty home is Ann's, and Bob has marked the loaded state.
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.window.Visible && !bob.g.InputBusy &&
                                 bob.g.WorldShips[kHomeWorld0 + 1] == 0 && bob.g.WorldOwner[0] == 1 &&
                                 ann.g.StatesUnmarked[1] == 0,
                             10000);
    ann.g.SpeedGame = bob.g.SpeedGame = true;  // no animation pauses
    bob.program.dialogs.mnuFileSave_Click();
    Typed(save, "mine");
    ann.program.dialogs.ShowLoadDialog();
    Typed(load, "last");

    const auto ended = [](LanProgram& p) { return p.g.PlayerName[0].empty() && p.g.window.SetupVisible; };
    for (int turn = 0; turn < 8 && !(ended(ann) && ended(bob)); ++turn) {
      const float year = ann.g.GameYear;
      for (LanProgram* p : {&bob, &ann})
        if (!ended(*p) && !p->g.TurnDone &&
            p->g.SeatStatus[static_cast<size_t>(p->g.CurrentPlayer)] == TurnStatus::kTakingTurn)
          HotSeat::Press(p->program.controls.button(MainButton::kDone));
      QTRY_VERIFY_WITH_TIMEOUT(
          (ended(ann) && ended(bob)) ||
              (ann.g.GameYear > year && bob.g.GameYear > year && !ann.g.InputBusy && !bob.g.InputBusy),
          30000);
    }
    QVERIFY2(ended(ann) && ended(bob), "no conquest in eight turns");
    QVERIFY(!ann.g.InputBusy && !bob.g.InputBusy);

    EnterSavesNothing(bob.platform, save, mine, saved);
    EnterLoadsAtOnce(load);
    QVERIFY(ann.g.window.Visible && !ann.g.window.SetupVisible && ann.g.PlayerName[0] == "Ann");
    for (const char* item : {"mnuFileNew", "mnuFileLoad", "mnuFileNewSS"})
      QVERIFY2(ann.program.menuBar.item(item)->isEnabled(), item);
  }
};

ZARNATH_UI_SUITE(EndedLanGamesTest, {"ended-lan-games", 1024, 96});

}  // namespace zarnath::testing

#include "ended_games_test.moc"
