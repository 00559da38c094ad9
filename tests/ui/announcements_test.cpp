// The announcements that open a turn on the real game window: an elimination, a victory by
// elimination and a conquest each stand painted on the window when their pause starts (a pause
// blocks the thread, so what is not on the screen then stays off it for the whole pause), at one
// computer and on the host's and the client's windows of a LAN game. The notice line is checked at
// the same moments: it shows the game's notice as painted.
#include <QBackingStore>
#include <QLabel>
#include <QLineEdit>
#include <QTcpSocket>
#include <functional>

#include "engine/save_load.h"
#include "hot_seat.h"
#include "lan_program.h"
#include "model/numbers.h"
#include "view/widget_values.h"

namespace zarnath::testing {

namespace {

// Whether `w` stands on its window as it is now: the window's backing store (what the screen is
// given) holds, over the widget's place, the pixels the widget paints now.
bool PaintedAsItStands(QWidget* window, QWidget* w) {
  auto* store =
      window->backingStore() ? dynamic_cast<QImage*>(window->backingStore()->paintDevice()) : nullptr;
  if (!store || store->isNull() || !w->isVisible()) return false;
  const QRect place(w->mapTo(window, QPoint()), w->size());
  return store->copy(place).convertToFormat(QImage::Format_RGB32) ==
         w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Every pause of a game window, as the window stands when the pause starts.
struct PauseWatch {
  PauseWatch(DesktopPlatform& platform, GalaxyWindow& window, Game& game) : platform_(platform) {
    platform.onPause = [this, &window, &game](int ms) {
      QLabel* label = window.lblPlanet();
      QLineEdit* notice = window.txtGame();
      const QString at = QString::number(ms) + " ms pause";
      if (label->isVisible()) {
        announcements << label->text().simplified();
        if (!PaintedAsItStands(&window, label)) faults << at + ": the announcement is not painted";
      }
      if (alsoAtEachPause) {
        const QString fault = alsoAtEachPause();
        if (!fault.isEmpty()) faults << at + ": " + fault;
      }
      if (ms < 3000) return;  // the pauses of the announcements
      if (notice->text() != Latin1(game.window.txtGame.Text))
        faults << at + ": the notice line shows [" + notice->text() + "]";
      if (!PaintedAsItStands(&window, notice)) faults << at + ": the notice line is not painted";
    };
  }
  ~PauseWatch() { platform_.onPause = nullptr; }
  PauseWatch(const PauseWatch&) = delete;
  PauseWatch& operator=(const PauseWatch&) = delete;

  // What else must hold as each pause starts; a fault's text, or nothing.
  std::function<QString()> alsoAtEachPause;
  QStringList announcements;  // the announcement standing on the window at each pause
  QStringList faults;         // what the window did not show as it stands

 private:
  DesktopPlatform& platform_;
};

// The end of the game set up for this turn: seat 0 owns its home world and, unless no neutral
// world remains, nothing else; seat 1 owns only its empty home world, where 500 of seat 0's ships
// land at this turn's end.
void LastWorldFalls(Game& g, bool neutralsRemain) {
  for (int w = 0; w < g.WorldCount; ++w) g.WorldOwner[static_cast<size_t>(w)] = neutralsRemain ? 0 : 1;
  g.WorldOwner[kHomeWorld0] = 1;
  g.WorldOwner[kHomeWorld0 + 1] = 2;
  g.WorldShips[kHomeWorld0 + 1] = 0.0f;
  for (int s = 0; s < kFleetSlots; ++s) {
    const size_t i = static_cast<size_t>(s);
    g.FleetFrom[i] = g.FleetTo[i] = g.FleetOwner[i] = 0;
  }
  g.FleetFrom[0] = kHomeWorld0 + 1;
  g.FleetTo[0] = kHomeWorld0 + 2;
  g.FleetOwner[0] = 1;
  g.FleetShips[0] = 500.0f;
  g.FleetClass[0] = 1;
  g.FleetShield[0] = 0;
  g.FleetTripTime[0] = 0.4f;
  g.FleetAngleParam[0] = 0.0f;
  g.FleetTimeLeft[0] = 0.05;
}

const QStringList kEliminationAndVictory = {"Bob Has Been Eliminated From The Game!",
                                            "Ann Has Eliminated All The Other Players!"};

}  // namespace

class AnnouncementsTest : public QObject {
  Q_OBJECT

 private slots:
  // Ann takes Bob's last world while neutral worlds remain: Bob's elimination, then Ann's victory,
  // each on the window for its whole pause; the turn then opens for Ann.
  void anEliminationAndTheVictoryStandOnTheWindowAtOneComputer() {
    HotSeat h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.program.window));
    LastWorldFalls(h.g, true);
    PauseWatch watch(h.platform, h.program.window, h.g);
    HotSeat::Press(h.controls().button(MainButton::kDone));  // Ann's
    HotSeat::Press(h.controls().button(MainButton::kDone));  // Bob's: the turn ends
    QCOMPARE(watch.announcements, kEliminationAndVictory);
    QVERIFY2(watch.faults.isEmpty(), qPrintable(watch.faults.join("; ")));
    QVERIFY(!h.program.window.lblPlanet()->isVisible());
    QCOMPARE(h.program.window.windowTitle(), QStringLiteral("Zarnath - Year 1.05, Turn #1:  Ann"));
  }

  // Ann takes the last world that is not hers: the conquest stands on the window through its own
  // pause and the high score's, and the game goes back to the setup window.
  void aConquestStandsOnTheWindow() {
    HotSeat h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.program.window));
    LastWorldFalls(h.g, false);
    PauseWatch watch(h.platform, h.program.window, h.g);
    HotSeat::Press(h.controls().button(MainButton::kDone));
    HotSeat::Press(h.controls().button(MainButton::kDone));
    QCOMPARE(watch.announcements.size(), 2);
    QVERIFY2(watch.announcements[0].startsWith("Ann Has Taken Over The Entire Solar System! 12 Worlds With"),
             qPrintable(watch.announcements[0]));
    QCOMPARE(watch.announcements[1], watch.announcements[0]);
    QVERIFY2(watch.faults.isEmpty(), qPrintable(watch.faults.join("; ")));
    QVERIFY(!h.program.window.isVisible());
  }

  // The same end in a LAN game: Ann hosts, Bob joins, the host loads the game set up for it and
  // both press Done (Bob last, from his own program). Both announcements stand on the host's
  // window for their pauses, and then on the client's.
  void anEliminationAndTheVictoryStandOnTheHostsAndTheClientsWindows() {
    LanProgram ann(true, "Ann"), bob(false, "Bob");
    Game& h = ann.g;
    QVERIFY(StartLanGame(ann, bob));
    LastWorldFalls(h, true);
    const std::string path = ann.folder.file("last.zq").toStdString();
    QVERIFY(SaveGame(h, path));
    QVERIFY(LoadSavedGame(h, path) == LoadOutcome::kLoaded);
    QTRY_VERIFY(bob.g.window.Visible && !bob.g.InputBusy && !h.InputBusy);
    QVERIFY(QTest::qWaitForWindowExposed(&ann.program.window));
    QVERIFY(QTest::qWaitForWindowExposed(&bob.program.window));
    QTest::qWait(300);  // the client's answer to the loaded game reaches the host
    h.SpeedGame = bob.g.SpeedGame = true;
    PauseWatch onHost(ann.platform, ann.program.window, h);
    // What the host sent before a pause has left it: the client shows the turn's end meanwhile.
    onHost.alsoAtEachPause = [&] {
      int unsent = 0;
      for (const QTcpSocket* s : ann.program.network.findChildren<QTcpSocket*>())
        if (s->bytesToWrite() > 0) ++unsent;
      return unsent == 0 ? QString() : QString::number(unsent) + " connections hold frames unsent";
    };
    PauseWatch onClient(bob.platform, bob.program.window, bob.g);
    HotSeat::Press(ann.program.controls.button(MainButton::kDone));
    QTest::qWait(300);
    HotSeat::Press(bob.program.controls.button(MainButton::kDone));
    QTRY_VERIFY_WITH_TIMEOUT(TurnNumber(bob.g.GameYear) == 1 && !bob.g.InputBusy && !h.InputBusy, 30000);
    QCOMPARE(onHost.announcements, kEliminationAndVictory);
    QVERIFY2(onHost.faults.isEmpty(), qPrintable(onHost.faults.join("; ")));
    QCOMPARE(onClient.announcements, kEliminationAndVictory);
    QVERIFY2(onClient.faults.isEmpty(), qPrintable(onClient.faults.join("; ")));
    QCOMPARE(bob.program.window.windowTitle(),
             QStringLiteral("Zarnath - Year 1.05, Turn #1:  Bob (Eliminated)"));
  }
};

ZARNATH_UI_SUITE(AnnouncementsTest, {"announcements", 1024, 96});

}  // namespace zarnath::testing

#include "announcements_test.moc"
