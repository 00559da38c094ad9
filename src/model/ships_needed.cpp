#include "model/ships_needed.h"

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

bool InPlay(const GameState& g, int w) {
  return w >= 0 && w < g.WorldCount && w < kMaxWorlds;
}

}  // namespace

ShipsEstimate EstimateShipsFor(const GameState& g, int from, int to, double years) {
  ShipsEstimate e;
  const int p = g.CurrentPlayer;
  if (!InPlay(g, from) || !InPlay(g, to) || p < 0 || p >= kSeats) return e;
  const double m = g.setup.chkMode == 1 ? 1.25 : 1.0;
  const double classFrom = g.WorldClass[from], classTo = g.WorldClass[to];
  const double k = classFrom <= classTo || classTo == 0 ? 1.0 : classFrom / classTo / 2.0 + 0.5;
  const double sa = g.setup.chkShield == 1 ? g.WorldShield[from] : 0;
  const double year = g.GameYear;
  const int now = static_cast<int>(Int((year - 1.0 + 0.0001) / 0.05));
  const auto& scout = g.ScoutInfo[p];

  double d = 0, sd = 0;
  if (g.HasCrystal[p] == 1 && g.WorldOwner[to] == 0) {
    e.source = EstimateSource::kCrystal, e.turn = now;
    d = Int((years + 0.05) / 0.05) * g.WorldProduction[to] + g.WorldShips[to];
    sd = g.WorldShield[to];
  } else if (scout[1][to] >= 1 && scout[0][to] > now - 5) {
    e.source = EstimateSource::kScout, e.turn = scout[0][to];
    const double arrival = Int((year - 1.0 + years + 0.0501) / 0.05);
    d = (arrival - scout[0][to]) * scout[2][to] + scout[3][to];
    sd = scout[4][to];
  } else {
    return e;
  }
  double x = d * m / k + sd - sa / k;
  // Never below half of what the attack would need without a travelling shield.
  const double half = (d * m + sd * k) / 2.0;
  if (k * x < half) x = half / k;
  e.ships = Int(x + 1.0);
  return e;
}

ShipsEstimate EstimateShips(GameState& g, int from, int to) {
  if (!InPlay(g, from) || !InPlay(g, to)) return {};
  float years = 0, angle = 0;
  DistCalc(g, from, to, years, angle, kQuickStep);
  g.TravelYears = years, g.TravelAngle = angle;
  return EstimateShipsFor(g, from, to, years);
}

void CalcShips(GameState& g, std::string& result) {
  const ShipsEstimate e = EstimateShips(g, g.SelectedFrom, g.SelectedTo);
  if (e.source != EstimateSource::kNone) result = Format(e.ships, "0");
}

std::string ShipsReportText(const GameState& g, const ShipsEstimate& e, int from, int to) {
  const std::string& target = InPlay(g, to) ? g.WorldName[to] : g.WorldName[kMaxWorlds];
  const std::string& source = InPlay(g, from) ? g.WorldName[from] : g.WorldName[kMaxWorlds];
  if (e.source == EstimateSource::kNone)
    return "\r\n    No Recent Scout Information Available!    \r\n    Please Send A Scout to World " +
           target + "    \r\n";
  const std::string basis =
      e.source == EstimateSource::kCrystal
          ? "    Based on the Information Crystal for Turn #" + Format(e.turn, "0") + "    "
          : "    Based on Turn #" + Format(e.turn, "0") + " Scout Intelligence:    ";
  return "\r\n" + basis + "\r\n    ~" + Format(e.ships, "0") + " Ships From World " + source +
         " Would Be    \r\n" + "    Needed To Take Over World " + target + "    \r\n";
}

}  // namespace zarnath
