// The program's own platform keeps a network turn's steps apart: a Done pressed while a step
// yields, a turn's end counted in a yield, and a Done pressed while a message box is up each run
// once that step is done, from the top of the event loop, and not inside it. Two programs of a
// LAN game on the offscreen platform, Ann hosting and Bob joined.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include "engine/turn.h"
#include "hot_seat.h"
#include "lan_program.h"

namespace zarnath::testing {

namespace {

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
};

ZARNATH_UI_SUITE(TurnWaitsTest, {"turn-waits", 1024, 96});

}  // namespace zarnath::testing

#include "turn_waits_test.moc"
