#include "model/travel_calc.h"

#include <cmath>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

double Distance(ViewPoint a, ViewPoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

ViewPoint Pixel(const GameState& g, double radius, double angle) {
  return {g.GalaxyCenterX + radius * std::cos(angle) * g.GalaxyScaleX,
          g.GalaxyCenterY + radius * std::sin(angle) * g.GalaxyScaleY};
}

bool NamedHome(const GameState& g, int w) {
  return w >= kHomeWorld0 && w < kHomeWorld0 + kSeats && !g.PlayerName[w - kHomeWorld0].empty();
}

double ColourOf(const GameState& g, int ownerCode) {
  return g.PlayerColor[ownerCode >= 0 && ownerCode < kPlayerSlots ? ownerCode : 0];
}

// A dotted trail: a segment only where its start lies more than 12 px from the world's current
// position, each drawn segment switching between the colour and black.
struct Trail {
  std::vector<TrailSegment>& out;
  ViewPoint world, previous;
  double colour, own;
  void To(ViewPoint next) {
    if (Distance(previous, world) > kTrailClearance) {
      out.push_back({previous, next, colour});
      colour = colour == kBlackColor ? own : kBlackColor;
    }
    previous = next;
  }
};

}  // namespace

std::string TravelCalcCaption(float years) {
  const double y = years;
  const int turns = static_cast<int>(Int(y / 0.05 + 0.999999));
  return "\r\n    The Travel Distance Between Worlds    \r\n    is " +
         Format(Int(y * 100 + 0.999) / 100, "0.00") + " Years, (" + Format(turns, "0") +
         (turns <= 1 ? " Turn)    " : " Turns)    ") + "\r\n";
}

std::string UnreachableCaption(const GameState& g, int from, int to) {
  return "\r\n    World " + g.WorldName[to] + " Cannot Be Reached    \r\n    From World " +
         g.WorldName[from] + " Now    \r\n";
}

TravelCalcPlan PlanTravelCalc(const GameState& g, int from, int to, float years, float angle) {
  TravelCalcPlan plan;
  plan.years = years;
  plan.turns = static_cast<int>(Int(static_cast<double>(years) / 0.05 + 0.999999));
  plan.reachable = years < kUnreachableYears && years >= 0;
  plan.caption = plan.reachable ? TravelCalcCaption(years) : UnreachableCaption(g, from, to);

  const int ownerFrom = g.WorldOwner[from], ownerTo = g.WorldOwner[to];
  const ViewPoint source = WorldPixel(g, from), target = WorldPixel(g, to);
  plan.targetNow = target, plan.meeting = source;
  plan.targetColour = ColourOf(g, ownerTo);
  plan.meetingColour = ColourOf(g, g.CurrentPlayer + 1);
  plan.source = {from,   g.WorldName[from],           ColourOf(g, ownerFrom), NamedHome(g, from), true,
                 source, NamedHome(g, from) ? 20 : 15};
  plan.destination = {to,
                      g.WorldName[to],
                      ColourOf(g, ownerTo),
                      NamedHome(g, to),
                      false,
                      target,
                      NamedHome(g, to) ? 20
                      : ownerTo == 0   ? 13
                                       : 15};
  if (!plan.reachable) return plan;

  const float ticks = years * static_cast<float>(kTicksPerYear);  // single precision, as the loop bound
  if (!(ticks > 0)) return plan;  // no time: the meeting is the source itself, no trail
  const double r0 = g.WorldRadius[from], dR = r0 - g.WorldRadius[to];
  const double k = (g.WorldType[from] == kTypeFuel ? 2.0 : 1.0) * angle;
  const double rate = static_cast<double>(g.WorldRadius[8]) / (r0 * kTicksPerYear);
  Trail ship{plan.ship, source, source, ColourOf(g, ownerFrom), ColourOf(g, ownerFrom)};
  Trail arc{plan.target, target, target, plan.targetColour, plan.targetColour};
  for (int t = 0; t <= ticks; ++t) {
    const double r = r0 - dR * t / ticks;
    ship.To(
        Pixel(g, r, g.WorldAngle[from] + t * static_cast<double>(g.WorldAngularSpeed[from]) + t * k * rate));
    arc.To(Pixel(g, g.WorldRadius[to], g.WorldAngle[to] + t * static_cast<double>(g.WorldAngularSpeed[to])));
  }
  plan.meeting = ship.previous;
  return plan;
}

}  // namespace zarnath
