// A game the player has left stays left, through the program's own windows: a client that leaves
// its lobby by the host's name while the host starts opens none of that host's game and plays
// with the next one; a game loaded after a client's game is this computer's own, with its File
// items and without the setup window over it; a turn left amid its replay is never saved; and a
// Load dialog left open from a game of one's own loads nothing in a host's lobby, and says why.
// Programs of a LAN game on the offscreen platform, each on its own program folder.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include "engine/save_load.h"
#include "hot_seat.h"
#include "lan_program.h"
#include "shell/saved_game_dialog.h"

namespace zarnath::testing {

namespace {

// Both games hold the same star system.
bool SameWorlds(const Game& a, const Game& b) {
  if (a.WorldCount != b.WorldCount) return false;
  for (int w = 0; w < a.WorldCount; ++w)
    if (a.WorldName[w] != b.WorldName[w] || a.WorldRadius[w] != b.WorldRadius[w] ||
        a.WorldOwner[w] != b.WorldOwner[w])
      return false;
  return true;
}

SetupWindow* ShownSetup(LanProgram& p) {
  SetupWindow* w = p.program.setupWindows.window();
  return w && w->isVisible() ? w : nullptr;
}

// The host's program went and the client's is back in its setup window.
bool BackInSetup(LanProgram& p) {
  return ShownSetup(p) && !p.g.GameInProgress && !p.g.NetworkGame && !p.g.InputBusy;
}

// The game window alone shows a game of this computer's own.
bool ShownAlone(LanProgram& p) {
  return p.g.window.Visible && p.program.window.isVisible() && !ShownSetup(p) && !p.g.window.SetupVisible;
}

QAction* FileItem(LanProgram& p, const char* name) {
  return p.program.menuBar.item(name);
}

// Chooses the saved game `name` in the open Load dialog with Enter.
void LoadWithEnter(LanProgram& p, const char* name) {
  LoadGameDialog& d = p.program.dialogs.loadDialog();
  QVERIFY(d.isVisible());
  d.Text1->clear();
  QTest::keyClicks(d.Text1, name);
  QTest::keyClick(d.Text1, Qt::Key_Return);
  QVERIFY(!d.LoadWaiting() && !d.isVisible());
}

constexpr const char* kClientLoadRefusal =
    "The game was not loaded.\rThis computer is a client in a network game: its game comes from the server, "
    "so it cannot load a game of its own.";

}  // namespace

class LeftGamesTest : public QObject {
  Q_OBJECT

 private slots:
  // Bob, in Ann's lobby with his setup window up, clicks her name; while the disconnect question
  // stands, Ann starts, and her start waits behind the box. Bob answers Yes: nothing of her game
  // opens, then or later, and hers plays on without him. He joins Cy next, whose game opens on his
  // window and plays its turn.
  void aClientLeavingItsHostByNameAsItStartsOpensNoGameAndPlaysWithTheNext() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    bob.program.setupWindows.Show();
    bob.g.setup.chkLan = 1;
    bob.g.setup.txtPL[0] = "Bob";
    QString error;
    QVERIFY(ann.program.network.Listen(0, &error, QHostAddress::LocalHost));
    bob.program.network.Connect(QStringLiteral("127.0.0.1"), ann.program.network.ListeningPort());
    SetupWindow* w = ShownSetup(bob);
    QVERIFY(w);
    int annSlot = 0;
    QVERIFY(QTest::qWaitFor(
        [&] {
          for (int k = 1; k < kSeats && annSlot == 0; ++k)
            if (w->txtPL[k]->text() == QStringLiteral("Ann")) annSlot = k;
          return annSlot > 0 && ann.g.setup.txtPL[1] == "Bob";
        },
        10000));

    bob.platform.scripted = false;  // the real question box, with its own event loop
    const int handledBefore = bob.program.session.handled;
    bool startWaited = false, answered = false;
    QTimer::singleShot(300, [&] {
      ann.g.random.Seed(5);
      imgStart_Click(ann.g);
    });
    // Bob answers once Ann's start waits behind his box, and a while after (or after ten seconds).
    QElapsedTimer upFor, waiting;
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
      if (!upFor.isValid()) upFor.start();
      if (!waiting.isValid() && bob.program.session.LeftUntilYieldsEnd()) waiting.start();
      if (!(waiting.isValid() && waiting.elapsed() > 1000) && upFor.elapsed() < 10000) return;
      answer.stop();
      startWaited = bob.program.session.LeftUntilYieldsEnd();
      bob.platform.scripted = true;
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box->text() != QStringLiteral("Do You Want to Disconnect From This Server?")) return;
      QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
      answered = true;
    });
    answer.start();
    QTest::mouseClick(w->txtPL[annSlot], Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(answered, 15000);
    QVERIFY2(startWaited, "Ann's start did not wait behind the question");
    QVERIFY(ann.g.GameInProgress);
    QTest::qWait(1000);
    QVERIFY2(!bob.g.GameInProgress && !bob.g.window.Visible, "Bob opened the game of the host he left");
    QVERIFY(ShownSetup(bob) && !bob.program.network.SocketConnected(0));
    QCOMPARE(bob.program.session.handled, handledBefore);
    // Ann's game goes on without him: his seat is gone there, and her Done ends the turn.
    QTRY_VERIFY_WITH_TIMEOUT(ann.g.PlayerGone[1] && ann.g.SeatStatus[1] == TurnStatus::kDisconnected, 10000);
    HotSeat::Press(ann.program.controls.button(MainButton::kDone));
    QTRY_VERIFY_WITH_TIMEOUT(ann.g.GameYear > 1.0f && !ann.g.InputBusy, 30000);

    // Cy hosts next: his first state is the one Bob marks, and a turn of it ends on both.
    LanProgram cy(true, "Cy");
    QVERIFY(cy.program.network.Listen(0, &error, QHostAddress::LocalHost));
    bob.program.network.Connect(QStringLiteral("127.0.0.1"), cy.program.network.ListeningPort());
    QTRY_COMPARE_WITH_TIMEOUT(cy.g.setup.txtPL[1], std::string("Bob"), 10000);
    cy.g.random.Seed(9);
    cy.g.setup.txtPlanets = "10";
    imgStart_Click(cy.g);
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.window.Visible && !bob.g.InputBusy && bob.g.WorldCount == 10, 10000);
    QVERIFY(SameWorlds(bob.g, cy.g));
    QTRY_COMPARE_WITH_TIMEOUT(cy.g.StatesUnmarked[1], int16_t{0}, 10000);
    HotSeat::Press(bob.program.controls.button(MainButton::kDone));
    QTRY_COMPARE_WITH_TIMEOUT(cy.g.SeatStatus[1], TurnStatus::kDoneTurn, 10000);
    HotSeat::Press(cy.program.controls.button(MainButton::kDone));
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.GameYear > 1.0f && bob.g.GameYear == cy.g.GameYear && !bob.g.InputBusy &&
                                 bob.g.SeatStatus[0] == TurnStatus::kTakingTurn,
                             30000);
  }

  // Bob's Load dialog is open when Ann's program goes. Back in his setup window, he loads his own
  // save from it: the game window stands alone and offers New Game, Load Game and Reset Solar
  // System. His File > New Game asks first and brings the setup back; a load from the Load dialog
  // left open there hides it again.
  void aGameLoadedAfterAClientsGameIsThisComputersOwn() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    QVERIFY(!FileItem(bob, "mnuFileNew")->isEnabled());
    const float year = bob.g.GameYear;
    bob.g.GameYear = 1.55f;
    QVERIFY(SaveGame(bob.g, bob.folder.file("mine.zq").toStdString()));
    bob.g.GameYear = year;
    bob.program.dialogs.ShowLoadDialog();
    ann.program.network.CloseAll();
    QTRY_VERIFY_WITH_TIMEOUT(BackInSetup(bob), 15000);

    LoadWithEnter(bob, "mine");
    QCOMPARE(bob.g.GameYear, 1.55f);
    QVERIFY2(ShownAlone(bob), "the setup window stands over the loaded game");
    for (const char* item : {"mnuFileNew", "mnuFileLoad", "mnuFileNewSS"})
      QVERIFY2(FileItem(bob, item)->isEnabled(), item);

    FileItem(bob, "mnuFileLoad")->trigger();
    bob.platform.boxes.clear();
    FileItem(bob, "mnuFileNew")->trigger();
    QCOMPARE(bob.platform.boxes.size(), size_t{1});
    QCOMPARE(bob.platform.boxes[0].title, std::string("Start New Game"));
    QVERIFY(ShownSetup(bob) && !bob.g.window.Visible);
    LoadWithEnter(bob, "mine");
    QVERIFY2(ShownAlone(bob), "the setup window stands over the game loaded after New Game");
  }

  // Bob's Save dialog is open, his name typed in it, when Ann's program goes amid the turn's
  // replay (the year has turned, nothing more has come). His save is refused with the reason and
  // writes nothing, and still is after a load that fails; a new game at one computer then saves.
  void aTurnLeftAmidItsReplayIsNeverSaved() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    bob.program.dialogs.mnuFileSave_Click();
    SaveGameDialog& d = bob.program.dialogs.saveDialog();
    QTest::keyClicks(d.Text1, "half");
    HotSeat::Press(bob.program.controls.button(MainButton::kDone));
    QTRY_COMPARE_WITH_TIMEOUT(ann.g.SeatStatus[1], TurnStatus::kDoneTurn, 10000);
    ann.program.network.SendData(1, "[ENDTURN] 00Endturn*[GALAXYROTATE] 00GALAXYROTATE*");
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.TurnResolving && bob.g.GameYear > 1.0f, 10000);
    ann.program.network.CloseAll();
    QTRY_VERIFY_WITH_TIMEOUT(BackInSetup(bob), 15000);

    QVERIFY(d.isVisible());
    bob.platform.boxes.clear();
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY2(!QFile::exists(bob.folder.file("half.zq")), "a turn left amid its replay was saved");
    QCOMPARE(bob.platform.boxes.size(), size_t{1});
    QVERIFY(bob.platform.boxes[0].text.starts_with("The game was not saved."));

    // A load that fails leaves the game as it was, marked: still refused.
    QFile broken(bob.folder.file("broken.zq"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a game\r\n") > 0);
    broken.close();
    LoadGameDialog& load = bob.program.dialogs.loadDialog();
    bob.program.dialogs.ShowLoadDialog();
    load.Text1->clear();
    QTest::keyClicks(load.Text1, "broken");
    QTest::keyClick(load.Text1, Qt::Key_Return);
    load.hide();
    bob.platform.boxes.clear();
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY2(!QFile::exists(bob.folder.file("half.zq")), "a failed load cleared the part-way mark");
    // A new game at one computer is whole from its start, and saves.
    bob.g.setup.chkLan = 0;
    chkLan_Click(bob.g);
    bob.g.setup.txtPL = {"Bob", "Dee", "", ""};
    imgStart_Click(bob.g);
    QVERIFY(bob.g.window.Visible && bob.g.GameInProgress);
    bob.program.dialogs.mnuFileSave_Click();
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY2(QFile::exists(bob.folder.file("half.zq")),
             "a new game after a game left part-way was not saved");
  }

  // Bob plays a game of his own at one computer and leaves his Load dialog open on his save; he
  // leaves the game by File > New Game and joins Ann's lobby. Enter in the dialog loads nothing
  // and says why; the dialog stays with an empty name box, as after a refused file, and Bob stays
  // in Ann's lobby.
  void aLoadDialogLeftOpenInAHostsLobbySaysWhyItLoadsNothing() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    bob.g.setup.chkLan = 0;
    chkLan_Click(bob.g);
    bob.g.setup.txtPL = {"Bob", "Dee", "", ""};
    imgStart_Click(bob.g);
    QVERIFY(ShownAlone(bob));
    QVERIFY(SaveGame(bob.g, bob.folder.file("mine.zq").toStdString()));
    FileItem(bob, "mnuFileLoad")->trigger();
    LoadGameDialog& d = bob.program.dialogs.loadDialog();
    QTest::keyClicks(d.Text1, "mine");
    FileItem(bob, "mnuFileNew")->trigger();
    SetupWindow* w = ShownSetup(bob);
    QVERIFY(w && d.isVisible());
    QString error;
    QVERIFY(ann.program.network.Listen(0, &error, QHostAddress::LocalHost));
    QTest::mouseClick(w->chkLan, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(bob.g.setup.chkLan, 1);
    bob.g.Role = NetRole::kClient;
    bob.program.network.Connect(QStringLiteral("127.0.0.1"), ann.program.network.ListeningPort());
    QTRY_VERIFY_WITH_TIMEOUT(ann.g.setup.txtPL[1] == "Bob" && bob.g.setup.txtPL[1] == "Ann", 10000);

    bob.platform.boxes.clear();
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QCOMPARE(bob.platform.boxes.size(), size_t{1});
    QCOMPARE(bob.platform.boxes[0].title, std::string("Zarnath Error"));
    QCOMPARE(QString::fromLatin1(bob.platform.boxes[0].text), QString::fromLatin1(kClientLoadRefusal));
    QVERIFY(d.isVisible() && d.Text1->text().isEmpty() && !d.LoadWaiting());
    QVERIFY2(ShownSetup(bob) && !bob.g.GameInProgress && !bob.g.window.Visible, "Bob's own game opened");
    QTest::qWait(100);
    QVERIFY(bob.program.network.SocketConnected(0) && ann.g.setup.txtPL[1] == "Bob");
  }
};

ZARNATH_UI_SUITE(LeftGamesTest, {"left-games", 1024, 96});

}  // namespace zarnath::testing

#include "left_games_test.moc"
