// The program's own platform keeps a network turn's steps apart: a Done pressed while a step
// yields, a turn's end counted in a yield, a Done pressed while a message box is up and a load
// chosen while the turn resolves each run once that step is done, from the top of the event loop,
// and not inside it. Two programs of a LAN game on the offscreen platform, Ann hosting and Bob
// joined.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include "engine/save_load.h"
#include "engine/turn.h"
#include "hot_seat.h"
#include "lan_program.h"
#include "shell/saved_game_dialog.h"

namespace zarnath::testing {

namespace {

constexpr const char* kClientLoadRefusal =
    "The game was not loaded.\rThis computer is a client in a network game: its game comes from the server, "
    "so it cannot load a game of its own.";

// A step of Ann's program that yields again and again for `ms`, as a relay or a turn's sends do;
// `during` runs in its first yield. What Ann's seat and year were when the step ended.
struct YieldingStep {
  TurnStatus status = TurnStatus::kNone, bobs = TurnStatus::kNone;
  float year = 0;
  void Run(LanProgram& p, int ms, const std::function<void()>& during) {
    QTimer::singleShot(0, [&p, ms, during, this] {
      QTimer::singleShot(0, during);
      QElapsedTimer t;
      t.start();
      while (t.elapsed() < ms) p.platform.Yield();
      status = p.g.SeatStatus[0];
      bobs = p.g.SeatStatus[1];
      year = p.g.GameYear;
    });
    QTRY_VERIFY_WITH_TIMEOUT(year != 0, 10000);
  }
};

void PressDone(LanProgram& p) {
  HotSeat::Press(p.program.controls.button(MainButton::kDone));
}

}  // namespace

class TurnWaitsTest : public QObject {
  Q_OBJECT

 private slots:
  // Ann presses Done while a step of her program yields: the Done waits until the step is done,
  // then goes out.
  void aDonePressedWhileAStepYieldsRunsOnceTheStepIsDone() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    YieldingStep step;
    step.Run(ann, 200, [&] { PressDone(ann); });
    QCOMPARE(step.status, TurnStatus::kTakingTurn);
    QTRY_COMPARE(ann.g.SeatStatus[0], TurnStatus::kDoneTurn);
    QTRY_COMPARE(bob.g.SeatStatus[0], TurnStatus::kDoneTurn);
    PressDone(bob);
    QTRY_VERIFY(ann.g.GameYear > 1.04f && bob.g.GameYear > 1.04f && !bob.g.InputBusy);
  }

  // Ann is done; Bob's Done, the last, reaches her while a step of her program yields. The turn
  // ends once the step is done, not inside it.
  void aTurnsEndCountedInAYieldRunsOnceTheStepIsDone() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    PressDone(ann);
    QTRY_COMPARE(bob.g.SeatStatus[0], TurnStatus::kDoneTurn);
    YieldingStep step;
    step.Run(ann, 300, [&] { PressDone(bob); });
    QCOMPARE(step.bobs, TurnStatus::kDoneTurn);  // taken inside the step
    QCOMPARE(step.year, 1.0f);
    QTRY_VERIFY(ann.g.GameYear > 1.04f && bob.g.GameYear > 1.04f && !bob.g.InputBusy);
  }

  // Ann presses Done while a message box of hers is up: the Done runs after she closes the box and
  // the step that showed it is done.
  void aDonePressedWhileAMessageBoxIsUpRunsAfterTheBoxCloses() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    ann.platform.scripted = false;  // a real box, with its own event loop
    TurnStatus afterBox = TurnStatus::kNone;
    bool stepDone = false;
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(100, [&] { PressDone(ann); });
      QTimer::singleShot(300, [] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->accept();
      });
      ann.platform.MessageBox("A word from the game.", "Zarnath", Buttons::kOk);
      afterBox = ann.g.SeatStatus[0];
      stepDone = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(stepDone, 10000);
    QCOMPARE(afterBox, TurnStatus::kTakingTurn);
    QTRY_COMPARE(ann.g.SeatStatus[0], TurnStatus::kDoneTurn);
    QTRY_COMPARE(bob.g.SeatStatus[0], TurnStatus::kDoneTurn);
  }

  // Ann is done and has chosen a file in her Load dialog; Bob's Done ends the turn, and Ann's
  // Enter reaches her program while the turn's resolution has locked her menus and input. The
  // load is carried out once the resolution is done and the next turn open: the dialog closes
  // and the loaded game is on both windows.
  void aLoadChosenWhileTheTurnResolvesRunsOnceItIsDone() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    ann.g.GameYear = 1.55f;
    QVERIFY(SaveGame(ann.g, ann.folder.file("later.zq").toStdString()));
    ann.g.GameYear = 1.0f;
    PressDone(ann);
    QTRY_COMPARE(bob.g.SeatStatus[0], TurnStatus::kDoneTurn);
    ann.program.menuBar.item("mnuFileLoad")->trigger();
    LoadGameDialog& d = ann.program.dialogs.loadDialog();
    QVERIFY(d.isVisible());
    QTest::keyClicks(d.Text1, "later");

    struct {
      bool pressed = false, locked = false, up = false;
    } enter;
    QTimer resolving;
    resolving.setInterval(1);
    QObject::connect(&resolving, &QTimer::timeout, [&] {
      if (!ann.g.TurnResolving) return;
      resolving.stop();
      enter.locked = ann.platform.InsideYield() && ann.g.InputBusy && !ann.g.menus.mnuFile.Enabled;
      QTest::keyClick(d.Text1, Qt::Key_Return);
      enter.up = d.isVisible() && ann.g.TurnResolving;
      enter.pressed = true;
    });
    // Ann's game as the dialog closes for the load: the resolved turn, Ann's next turn open.
    float yearAtLoad = 0;
    bool lockedAtLoad = true;
    TurnStatus seatAtLoad = TurnStatus::kNone;
    OnEvent hidden(&d, QEvent::Hide, [&] {
      yearAtLoad = ann.g.GameYear;
      lockedAtLoad = ann.g.TurnResolving || ann.g.InputBusy || !ann.g.menus.mnuFile.Enabled;
      seatAtLoad = ann.g.SeatStatus[0];
    });
    resolving.start();
    PressDone(bob);
    QTRY_VERIFY_WITH_TIMEOUT(enter.pressed, 10000);
    QVERIFY(enter.locked && enter.up);
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 10000);
    QCOMPARE(yearAtLoad, 1.05f);
    QVERIFY(!lockedAtLoad);
    QCOMPARE(seatAtLoad, TurnStatus::kTakingTurn);
    QCOMPARE(ann.g.GameYear, 1.55f);
    QCOMPARE(ann.program.window.windowTitle(), QStringLiteral("Zarnath - Year 1.55, Turn #11:  Ann"));
    QVERIFY(ann.platform.boxes.empty());
    QTRY_VERIFY(bob.g.GameYear == 1.55f && !bob.g.InputBusy);
  }

  // Bob's game comes from Ann's: a Load dialog he left open before he joined loads nothing, in
  // his turn or while his window waits on the turn's resolution. Each time it says why, once no
  // step is under way, and the dialog stays with an empty name box; nothing waits to load later.
  void aClientLoadsNoGameOfItsOwn() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    QVERIFY(StartLanGame(ann, bob));
    bob.g.GameYear = 1.55f;
    QVERIFY(SaveGame(bob.g, bob.folder.file("mine.zq").toStdString()));
    bob.g.GameYear = 1.0f;
    QVERIFY(!bob.program.menuBar.item("mnuFileLoad")->isEnabled());
    bob.program.dialogs.ShowLoadDialog();
    LoadGameDialog& d = bob.program.dialogs.loadDialog();
    const auto saidWhy = [&](size_t boxes) {
      return bob.platform.boxes.size() == boxes && bob.platform.boxes.back().text == kClientLoadRefusal &&
             bob.platform.boxes.back().title == "Zarnath Error" && d.isVisible() && d.Text1->text().isEmpty();
    };
    QTest::keyClicks(d.Text1, "mine");
    QTest::keyClick(d.Text1, Qt::Key_Return);
    QVERIFY(saidWhy(1) && !d.LoadWaiting());
    QCOMPARE(bob.g.GameYear, 1.0f);

    bool pressed = false;
    QTimer resolving;
    resolving.setInterval(1);
    QObject::connect(&resolving, &QTimer::timeout, [&] {
      if (!bob.g.TurnResolving) return;
      resolving.stop();
      QTest::keyClicks(d.Text1, "mine");
      QTest::keyClick(d.Text1, Qt::Key_Return);
      pressed = true;
    });
    resolving.start();
    PressDone(ann);
    PressDone(bob);
    QTRY_VERIFY_WITH_TIMEOUT(pressed, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(bob.g.GameYear > 1.04f && !bob.g.InputBusy, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(saidWhy(2) && !d.LoadWaiting(), 5000);
    QCOMPARE(bob.g.GameYear, ann.g.GameYear);
  }
};

ZARNATH_UI_SUITE(TurnWaitsTest, {"turn-waits", 1024, 96});

}  // namespace zarnath::testing

#include "turn_waits_test.moc"
