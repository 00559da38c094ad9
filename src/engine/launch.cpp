#include "engine/launch.h"

#include "engine/turn_show.h"
#include "model/game.h"

namespace zarnath {
namespace {

bool InPlay(const GameState& g, int from, int to) {
  return from >= 0 && to >= 0 && from < g.WorldCount && to < g.WorldCount;
}

// Every order between two worlds in play: a human seat's ends with the table in order and the
// window redrawn.
void FinishOrder(Game& g) {
  const bool human = g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats && IsHumanSeat(g, g.CurrentPlayer);
  if (human) SettleHumanOrder(g);
  Tell(g, turn_event::OrderFinished{human});
}

}  // namespace

LaunchResult Launch(Game& g, const LaunchOrder& order) {
  if (!InPlay(g, order.from, order.to)) return LaunchResult::kNothingSelected;
  LaunchTrip trip;
  const LaunchResult result = CheckLaunch(g, g.CurrentPlayer, order, &trip);
  // The travel line shows the solver's last answer, launched or not.
  if (trip.priced) {
    g.TravelYears = trip.years;
    g.TravelAngle = trip.angle;
  }
  // A client tells the host at once; the host's broadcast at the end of the turn brings the
  // client's table back in line.
  if (result == LaunchResult::kLaunched) Tell(g, turn_event::FleetLaunched{LaunchIntoTable(g, order, trip)});
  FinishOrder(g);
  return result;
}

LaunchResult Sendships(Game& g, float code) {
  const int from = g.SelectedFrom, to = g.SelectedTo;
  if (!InPlay(g, from, to)) return LaunchResult::kNothingSelected;
  const auto order = OrderForCode(g, from, to, code);
  if (!order) {
    FinishOrder(g);
    return LaunchResult::kInvalidOrder;
  }
  return Launch(g, *order);
}

}  // namespace zarnath
