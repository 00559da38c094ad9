#include "engine/launch.h"

#include "engine/turn_show.h"
#include "model/game.h"

namespace zarnath {
namespace {

// Every order that got past the selection check: a human seat's ends with the table in order and
// the window redrawn.
void FinishOrder(Game& g) {
  const bool human = g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats && IsHumanSeat(g, g.CurrentPlayer);
  if (human) SettleHumanOrder(g);
  Tell(g, turn_event::OrderFinished{human});
}

}  // namespace

LaunchResult Launch(Game& g, const LaunchOrder& order) {
  int slot = -1;
  const LaunchResult result = LaunchIntoTable(g, order, slot);
  if (result == LaunchResult::kNothingSelected) return result;
  // A client tells the host at once; the host's broadcast at the end of the turn brings the
  // client's table back in line.
  if (result == LaunchResult::kLaunched) Tell(g, turn_event::FleetLaunched{slot});
  FinishOrder(g);
  return result;
}

LaunchResult Sendships(Game& g, float percent) {
  if (g.SelectedFrom < 0 || g.SelectedTo < 0 || g.SelectedFrom >= g.WorldCount ||
      g.SelectedTo >= g.WorldCount)
    return LaunchResult::kNothingSelected;
  const auto order = OrderForPercent(g, g.SelectedFrom, percent);
  if (!order) {
    FinishOrder(g);
    return LaunchResult::kInvalidOrder;
  }
  return Launch(g, *order);
}

}  // namespace zarnath
