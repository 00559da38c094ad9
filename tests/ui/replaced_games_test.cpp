// A game that is replaced or abandoned leaves nothing of it behind on the program's own platform:
// the turn that opens after a load, a new game, a new solar system or a client's new state gets
// its clock's whole minute from the moment it opens; a client whose host is lost while the turn
// resolves, or whose host sends an incomplete state, is back in the setup window with nothing
// locked, so a load chosen there is carried out at once; and a new state that waits behind a
// client's message box, or a step of it that yields, costs no passes of the event loop and opens
// once the box is answered or the step is done; a save chosen while a new state comes says why it
// writes nothing. Two programs of a LAN game on the offscreen platform, Ann hosting and Bob joined.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>

#include "commands/menu_commands.h"
#include "engine/save_load.h"
#include "engine/turn.h"
#include "hot_seat.h"
#include "lan_program.h"
#include "shell/saved_game_dialog.h"

namespace zarnath::testing {

namespace {

constexpr int kMinuteMs = 60000;
// How long the turn in play runs before it is replaced: a clock it left running would tick this
// much before the new turn's minute is up.
constexpr int kTurnRunMs = 4000;

// Where each program's turn clock stood as its new turn opened: the milliseconds left plus those
// since the replacing step began. A clock started as the turn opened, after the step began, stands
// at a minute or more; one left running from the turn before stands `kTurnRunMs` short of it.
struct ClockAtOpening {
  int ann = -1, bob = -1;
};

// Runs `replace` on Ann's program `kTurnRunMs` into a turn whose clock runs on both windows;
// answers where both clocks stood once the next turn is open on both at year `year`.
ClockAtOpening ReplaceAndReadClocks(LanProgram& ann, LanProgram& bob, float year,
                                    const std::function<void()>& replace) {
  QTest::qWait(kTurnRunMs);
  ClockAtOpening at;
  QElapsedTimer since;
  since.start();
  const auto opened = [year](LanProgram& p) {
    return p.g.GameYear == year && !p.g.InputBusy && p.g.SeatStatus[0] == TurnStatus::kTakingTurn &&
           p.g.window.Visible;
  };
  // Each program's clock is read at the first pass of the event loop after its turn opened.
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (auto [p, out] : {std::pair{&ann, &at.ann}, std::pair{&bob, &at.bob}})
      if (*out < 0 && opened(*p))
        *out = p->platform.TimerRemaining(GameTimer::kTurn) + static_cast<int>(since.elapsed());
  });
  replace();
  watch.start();
  if (!QTest::qWaitFor([&] { return at.ann >= 0 && at.bob >= 0; }, 15000)) return at;
  return at;
}

// A clock armed as the turn opened: a minute, give or take the rounding of a coarse timer's
// timeout (to the second, for a minute's).
bool WholeMinute(int ms) {
  return ms >= kMinuteMs - 1000;
}

// Bob's game has gone back to the setup window, nothing of the host's game left locked.
bool BackInSetupUnlocked(const Game& g) {
  return !g.window.Visible && !g.NetworkGame && !g.GameInProgress && !g.InputBusy && !g.TurnResolving &&
         g.menus.mnuFile.Enabled && !g.window.txtMove.Busy && !g.TurnTimerEnabled;
}

// Bob chooses his saved game "mine" in the Load dialog and presses Enter: it must be carried out
// at once, not wait for a step of the game that is gone.
void LoadAtOnce(LanProgram& bob) {
  bob.program.dialogs.ShowLoadDialog();
  LoadGameDialog& d = bob.program.dialogs.loadDialog();
  QTest::keyClicks(d.Text1, "mine");
  QTest::keyClick(d.Text1, Qt::Key_Return);
  QVERIFY2(!d.LoadWaiting(), "the load waits on a lock of the game that was lost");
  QVERIFY(!d.isVisible());
  QCOMPARE(bob.g.GameYear, 1.55f);
  QVERIFY(bob.g.window.Visible && !bob.g.InputBusy);
}

// Bob saves the running game as "mine" at year 1.55, so he has a game of his own to load later.
void SaveBobsOwn(LanProgram& bob) {
  const float year = bob.g.GameYear;
  bob.g.GameYear = 1.55f;
  QVERIFY(SaveGame(bob.g, bob.folder.file("mine.zq").toStdString()));
  bob.g.GameYear = year;
}

// Ann starts a new game on another star system than the one in play (more worlds, another seed).
void StartAnotherGame(LanProgram& ann) {
  ann.g.random.Seed(23);
  ann.g.setup.txtPlanets = "15";
  imgStart_Click(ann.g);
}

// Bob's window is open on Ann's new game: its first turn, her worlds.
bool OpenOnTheNewGame(LanProgram& bob, LanProgram& ann) {
  const Game &b = bob.g, &a = ann.g;
  if (b.GameYear != 1.0f || b.InputBusy || !b.window.Visible || b.WorldCount != 15 || a.WorldCount != 15)
    return false;
  for (int w = 0; w < a.WorldCount; ++w)
    if (b.WorldName[w] != a.WorldName[w] || b.WorldRadius[w] != a.WorldRadius[w] ||
        b.WorldOwner[w] != a.WorldOwner[w])
      return false;
  return true;
}

// The reason a save gives while the host's state is still coming.
constexpr const char* kComing =
    "The game was not saved.\rThe server is still sending its game, so no whole turn of it is here to save "
    "yet.";

}  // namespace

class ReplacedGamesTest : public QObject {
  Q_OBJECT

 private slots:
  // Ann loads a save well into a turn: the loaded turn's clock has its whole minute on her window
  // and on Bob's, whose new state came from her.
  void aLoadedTurnGetsItsWholeMinuteOnEveryWindow() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    ann.g.GameYear = 1.55f;
    QVERIFY(SaveGame(ann.g, ann.folder.file("later.zq").toStdString()));
    ann.g.GameYear = 1.0f;
    const ClockAtOpening at = ReplaceAndReadClocks(ann, bob, 1.55f, [&] {
      QCOMPARE(LoadSavedGame(ann.g, ann.folder.file("later.zq").toStdString()), LoadOutcome::kLoaded);
    });
    QVERIFY2(WholeMinute(at.ann), std::to_string(at.ann).c_str());
    QVERIFY2(WholeMinute(at.bob), std::to_string(at.bob).c_str());
  }

  // File > New Game and File > Create New Solar System of a network host, well into a turn: the
  // new game's first turn has its whole minute on both windows.
  void aNewGamesFirstTurnGetsItsWholeMinuteOnEveryWindow() {
    for (const auto& [what, choose] :
         {std::pair{"New Game", &mnuFileNew_Click}, std::pair{"New Solar System", &mnuFileNewSS_Click}}) {
      LanProgram ann(true, "Ann"), bob(false, "Bob");
      QVERIFY(StartLanGame(ann, bob));
      ann.g.GameYear = 1.25f;
      bob.g.GameYear = 1.25f;
      const ClockAtOpening at = ReplaceAndReadClocks(ann, bob, 1.0f, [&] { QVERIFY(choose(ann.g)); });
      QVERIFY2(WholeMinute(at.ann), (std::string(what) + ": " + std::to_string(at.ann)).c_str());
      QVERIFY2(WholeMinute(at.bob), (std::string(what) + ": " + std::to_string(at.bob)).c_str());
    }
  }

  // Ann's program goes away while Bob's window waits on her turn's resolution. Bob is back in the setup
  // window with nothing of the turn locked, and his load is carried out at once.
  void aHostLostWhileTheTurnResolvesLeavesNoLock() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    SaveBobsOwn(bob);
    // Bob is done; Ann's program begins the turn's end on his window and goes before the rest
    // of it comes.
    HotSeat::Press(bob.program.controls.button(MainButton::kDone));
    QTRY_COMPARE(ann.g.SeatStatus[1], TurnStatus::kDoneTurn);
    ann.program.network.SendData(1, "[ENDTURN] 00Endturn*");
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.TurnResolving && bob.g.InputBusy && !bob.g.menus.mnuFile.Enabled, 10000);
    ann.program.network.CloseAll();
    QTRY_VERIFY_WITH_TIMEOUT(BackInSetupUnlocked(bob.g), 15000);
    QVERIFY(!bob.platform.TimerEnabled(GameTimer::kTurn));
    LoadAtOnce(bob);
  }

  // Ann's program sends Bob, in play, a state that is not whole: Bob says so and is back in the
  // setup window with nothing locked, and his load is carried out at once.
  void anIncompleteStateInPlayLeavesNoLock() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    SaveBobsOwn(bob);
    ann.program.network.SendData(1, "[NP] 00 12*[SHOW] 00Galaxy*");
    QTRY_VERIFY_WITH_TIMEOUT(BackInSetupUnlocked(bob.g), 15000);
    QVERIFY(!bob.platform.boxes.empty());
    QVERIFY(bob.platform.boxes.back().text.starts_with("Incomplete Game From Server!"));
    LoadAtOnce(bob);
  }

  // Bob has a message box up when Ann starts a new game: the new state waits until he answers,
  // and meanwhile his program does not look again and again whether it may take it.
  void aNewStateWaitingBehindABoxCostsNoPasses() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    bob.platform.scripted = false;  // a real box, with its own event loop
    int passesWhileUp = -1;
    bool stateWaited = false, boxDone = false;
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(50, [&] { StartAnotherGame(ann); });
      QTimer::singleShot(1500, [&] {
        stateWaited = bob.program.session.LeftUntilYieldsEnd();
        passesWhileUp = bob.program.network.readAgainPasses;
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->accept();
      });
      bob.program.network.readAgainPasses = 0;
      bob.platform.MessageBox("A word from the game.", "Zarnath", Buttons::kOk);
      boxDone = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(boxDone, 10000);
    QVERIFY(stateWaited);
    QVERIFY2(passesWhileUp <= 2, std::to_string(passesWhileUp).c_str());
    // Answered, the box lets the state in at once: the new game opens on Bob's window.
    QTRY_VERIFY_WITH_TIMEOUT(OpenOnTheNewGame(bob, ann), 10000);
  }

  // Ann starts a new game while a step of Bob's yields again and again: the state waits through
  // every yield and opens on his window once the step is done.
  void aNewStateArrivingDuringAYieldOpensOnceTheStepIsDone() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    bool stateWaited = false, stepDone = false;
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(50, [&] { StartAnotherGame(ann); });
      // The step yields until the state has come and waits, and a while longer (bounded).
      QElapsedTimer step, waiting;
      step.start();
      while (step.elapsed() < 10000 && !(waiting.isValid() && waiting.elapsed() > 500)) {
        bob.platform.Yield();
        QThread::msleep(5);
        if (!waiting.isValid() && bob.program.session.LeftUntilYieldsEnd()) waiting.start();
      }
      stateWaited = bob.program.session.LeftUntilYieldsEnd() && !OpenOnTheNewGame(bob, ann);
      stepDone = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(stepDone, 10000);
    QVERIFY2(stateWaited, "the new state did not wait for the step");
    QTRY_VERIFY_WITH_TIMEOUT(OpenOnTheNewGame(bob, ann), 10000);
  }

  // Bob's Save dialog stands with a name over his Done. Ann's program ends the turn on his window,
  // which turns his File menu off, and begins a new state there. His Enter writes nothing and
  // says why at once, waiting for nothing: the game it would save is still coming.
  void aSaveLeftOpenOverDoneSaysWhyWhileAStateComes() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    bob.program.dialogs.mnuFileSave_Click();
    SaveGameDialog& d = bob.program.dialogs.saveDialog();
    QTest::keyClicks(d.Text1, "over");
    HotSeat::Press(bob.program.controls.button(MainButton::kDone));
    QTRY_COMPARE_WITH_TIMEOUT(ann.g.SeatStatus[1], TurnStatus::kDoneTurn, 10000);
    ann.program.network.SendData(1, "[ENDTURN] 00Endturn*");
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.TurnResolving && !bob.g.menus.mnuFile.Enabled, 10000);
    ann.program.network.SendData(1, "[NP] 0012*[N] 00Ann*[N] 01Bob*");
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.StateComing && !bob.g.menus.mnuFile.Enabled, 10000);
    QVERIFY(d.isVisible());
    bob.platform.boxes.clear();
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QCOMPARE(bob.platform.boxes.size(), size_t{1});
    QCOMPARE(QString::fromLatin1(bob.platform.boxes[0].text), QString::fromLatin1(kComing));
    QVERIFY(d.isVisible() && !d.SaveWaiting() && !QFile::exists(bob.folder.file("over.zq")));
  }
};

ZARNATH_UI_SUITE(ReplacedGamesTest, {"replaced-games", 1024, 96});

}  // namespace zarnath::testing

#include "replaced_games_test.moc"
