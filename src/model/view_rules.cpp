#include "model/view_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

namespace {

size_t At(int i) {
  return static_cast<size_t>(i);
}

bool ViewerSeatValid(const GameState& g) {
  return g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats;
}

int OwnCode(const GameState& g) {
  return g.CurrentPlayer + 1;
}

// Seats 1 to 3 are each empty or a computer player.
bool NoOtherHumanSeat(const GameState& g) {
  for (int p = 1; p < kSeats; ++p)
    if (!g.PlayerName[At(p)].empty() && IsHumanSeat(g, p)) return false;
  return true;
}

int DestinationOf(const GameState& g, int slot) {
  return g.FleetTo[At(slot)] - 1;
}

}  // namespace

bool WorldInPlay(const GameState& g, int w) {
  return w >= 0 && w < std::min<int>(g.WorldCount, kMaxWorlds);
}

bool SlotDrawable(const GameState& g, int slot) {
  return slot >= 0 && slot < kUsedFleetSlots && g.FleetFrom[At(slot)] != 0 &&
         WorldInPlay(g, g.FleetFrom[At(slot)] - 1) && WorldInPlay(g, g.FleetTo[At(slot)] - 1);
}

ViewSpot WorldOrbitSpot(const GameState& g, int w) {
  const double r = g.WorldRadius[At(w)], a = g.WorldAngle[At(w)];
  return {g.GalaxyCenterX + r * std::cos(a), g.GalaxyCenterY + r * std::sin(a)};
}

ViewSpot WorldScreenSpot(const GameState& g, int w) {
  const double r = g.WorldRadius[At(w)], a = g.WorldAngle[At(w)];
  return {g.GalaxyCenterX + r * std::cos(a) * g.GalaxyScaleX,
          g.GalaxyCenterY + r * std::sin(a) * g.GalaxyScaleY};
}

ViewSpot ScreenSpot(const GameState& g, ViewSpot u) {
  return {(u.x - g.GalaxyCenterX) * g.GalaxyScaleX + g.GalaxyCenterX,
          (u.y - g.GalaxyCenterY) * g.GalaxyScaleY + g.GalaxyCenterY};
}

double OrbitDistance(ViewSpot a, ViewSpot b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

double OwnerColourOf(const GameState& g, int owner) {
  if (owner < 0 || owner >= kPlayerSlots) return kNeutralColor;
  return g.PlayerColor[At(owner)];
}

bool ViewerHuman(const GameState& g) {
  return ViewerSeatValid(g) && IsHumanSeat(g, g.CurrentPlayer);
}

bool OwnerIsComputer(const GameState& g, int owner) {
  return owner >= 1 && owner <= kSeats && g.setup.chkAI[At(owner - 1)] == 1;
}

bool OwnerIsHumanSeat(const GameState& g, int owner) {
  return owner >= 1 && owner <= kSeats && IsHumanSeat(g, owner - 1);
}

bool NamedHomeWorld(const GameState& g, int w) {
  return w >= kHomeWorld0 && w < kHomeWorld0 + kSeats && !g.PlayerName[At(w - kHomeWorld0)].empty();
}

bool ViewCommandsShown(const GameState& g) {
  return !g.InputBusy || g.window.MousePointer == kHourglassPointer;
}

MarkShape MarkFor(float ships, int bigFleetSize) {
  if (ships == 0.0f) return {MarkKind::kStar, 0, 0};
  if (ships < 100) return {MarkKind::kDots, 1, 3};
  if (ships < 500) return {MarkKind::kDots, 2, 3};
  if (ships < kAnnihilationBomb) return {MarkKind::kDots, 3, bigFleetSize};
  return {MarkKind::kBlob, 0, 0};
}

double TicksTravelled(const GameState& g, int slot) {
  const float left = static_cast<float>(g.FleetTimeLeft[At(slot)]);
  return (static_cast<double>(g.FleetTripTime[At(slot)]) - left) * 520.0;
}

double WholeTicksTravelled(const GameState& g, int slot) {
  return RoundEven(TicksTravelled(g, slot));
}

ViewSpot FleetSpotAt(const GameState& g, int slot, double m) {
  const int f = g.FleetFrom[At(slot)] - 1, t = DestinationOf(g, slot);
  const double e = TicksTravelled(g, slot);
  const double rf = g.WorldRadius[At(f)];
  const double dR = RoundEven(rf - g.WorldRadius[At(t)]);
  const double k = g.WorldType[At(f)] == kTypeFuel ? 2.0 : 1.0;
  const double angle = g.WorldAngle[At(f)] + (m - e) * g.WorldAngularSpeed[At(f)] +
                       m * k * g.FleetAngleParam[At(slot)] * g.WorldRadius[kHomeWorld0] / (rf * 520.0);
  double span = static_cast<double>(g.FleetTripTime[At(slot)]) * 520.0 - 1.0;
  if (span == 0.0) span = 1.0;  // a one-tick trip: the object stands at its origin's ring
  const double radius = rf - m * dR / span;
  return {g.GalaxyCenterX + radius * std::cos(angle), g.GalaxyCenterY + radius * std::sin(angle)};
}

bool FleetMoved(const GameState& g, int slot) {
  return static_cast<float>(g.FleetTimeLeft[At(slot)]) != g.FleetTripTime[At(slot)];
}

std::vector<double> TrailTicks(double n) {
  std::vector<double> out;
  for (int j = 1; j <= 5; ++j) {
    const double m = n - 1.3 * j;
    if (!(m > 0)) break;
    out.push_back(m);
  }
  return out;
}

FleetShow FleetShowFor(const GameState& g, int slot) {
  if (!SlotDrawable(g, slot) || g.HideFleets) return FleetShow::kNothing;
  const float left = static_cast<float>(g.FleetTimeLeft[At(slot)]);
  const float trip = g.FleetTripTime[At(slot)];
  if (left > 0 && left != trip) return FleetShow::kInFlight;
  if (left <= 0) {
    const int owner = g.FleetOwner[At(slot)];
    const bool quietArrival =
        g.FleetShips[At(slot)] == 0 || owner == g.WorldOwner[At(DestinationOf(g, slot))];
    if (OwnerIsComputer(g, owner) && quietArrival) return FleetShow::kNothing;
    return FleetShow::kArrivedRing;
  }
  return FleetShow::kNothing;
}

double DestinationDashColour(const GameState& g, int slot) {
  const int owner = g.FleetOwner[At(slot)];
  const int destOwner = g.WorldOwner[At(DestinationOf(g, slot))];
  if (destOwner == owner) return kWhiteColor;
  if (destOwner > 0) return OwnerColourOf(g, destOwner);
  return kTrailOlive;
}

std::vector<float> PathTicks(const GameState& g, int slot) {
  std::vector<float> out;
  const double e = static_cast<double>(g.FleetTripTime[At(slot)]) * 520.0 -
                   static_cast<double>(g.FleetTimeLeft[At(slot)]) * 520.0;
  float tt = static_cast<float>(static_cast<double>(g.FleetTripTime[At(slot)]) * 520.0);
  if (!std::isfinite(tt) || !std::isfinite(e)) return out;
  while (tt >= e && static_cast<int>(out.size()) < kMostPathTicks) {
    out.push_back(tt);
    const float next = static_cast<float>(tt - 1.0);
    if (next == tt) break;  // too large to step by one
    tt = next;
  }
  return out;
}

bool RadarOff(const GameState& g) {
  return g.setup.OptRadar[1];
}
bool RadarUnlimited(const GameState& g) {
  return g.setup.OptRadar[2];
}

bool RadarStation(const GameState& g, int h) {
  return NamedHomeWorld(g, h) && WorldInPlay(g, h) && g.WorldOwner[At(h)] == OwnCode(g) && ViewerHuman(g);
}

std::vector<Sighting> SightingsOf(const GameState& g, ViewSpot unscaled) {
  std::vector<Sighting> out;
  for (int h = kHomeWorld0; h < kHomeWorld0 + kSeats; ++h) {
    if (!RadarStation(g, h)) continue;
    const double d = OrbitDistance(unscaled, WorldOrbitSpot(g, h));
    const bool inRange = d <= kRadarRange;
    if ((g.setup.OptRadar[0] && inRange) || RadarUnlimited(g)) out.push_back({h, d, inRange});
  }
  return out;
}

bool OwnRuleApplies(const GameState& g, int slot, bool& drawn) {
  const int owner = g.FleetOwner[At(slot)];
  drawn = false;
  if (owner != OwnCode(g) && !g.InputBusy) return false;
  drawn = (owner == OwnCode(g) && g.NetworkGame) || (!g.NetworkGame && OwnerIsHumanSeat(g, owner)) ||
          RadarUnlimited(g);
  return true;
}

FleetScan ScanFleets(GameState& g) {
  g.OverlayDrawn = false;
  g.RadarAlert = false;
  for (int w = 0; w < std::min<int>(g.WorldCount, kMaxWorlds); ++w) g.WorldTargeted[At(w)] = false;
  g.LabelIndex = 0;
  FleetScan scan;
  for (int i = 0; i < kUsedFleetSlots; ++i) {
    if (!SlotDrawable(g, i)) continue;
    FleetSight s;
    s.slot = i;
    if (OwnRuleApplies(g, i, s.drawn)) {
      s.ownRule = true;
      if (s.drawn) g.WorldTargeted[At(DestinationOf(g, i))] = true;
      scan.fleets.push_back(std::move(s));
      continue;
    }
    if (g.SelectedFrom != -1 || !FleetMoved(g, i)) continue;
    s.ticks = WholeTicksTravelled(g, i);
    s.at = FleetSpotAt(g, i, s.ticks);
    s.sightings = SightingsOf(g, s.at);
    if (s.sightings.empty()) continue;
    g.RadarAlert = true;
    for (const Sighting& h : s.sightings)
      if (h.inRange) ++scan.radarCount;
    scan.fleets.push_back(std::move(s));
  }
  return scan;
}

void MarkRadarSightings(GameState& g) {
  g.RadarSeen.fill(0);
  // Only a sighting within the radar's range marks its station, and a station sees within range
  // only while the radar is on or unlimited.
  if (!g.setup.OptRadar[0] && !RadarUnlimited(g)) return;
  // While the turn resolves (input busy) every object falls under the own-objects rule and none
  // is shown by radar; with a world selected none is, nor is any bomb.
  const bool fleetsWatched = !g.InputBusy && g.SelectedFrom == -1;
  const bool bombsWatched = ForeignBombsShown(g);
  if (!fleetsWatched && !bombsWatched) return;
  // The stations and where they stand, worked out once for every object and bomb they watch.
  std::array<int, kSeats> homes{};
  std::array<ViewSpot, kSeats> stations{};
  int count = 0;
  for (int h = kHomeWorld0; h < kHomeWorld0 + kSeats; ++h) {
    if (!RadarStation(g, h)) continue;
    homes[At(count)] = h;
    stations[At(count)] = WorldOrbitSpot(g, h);
    ++count;
  }
  if (count == 0) return;
  auto mark = [&](ViewSpot unscaled) {
    for (int k = 0; k < count; ++k)
      if (OrbitDistance(unscaled, stations[At(k)]) <= kRadarRange)
        g.RadarSeen[At(homes[At(k)] - kHomeWorld0)] = 1;
  };
  // The foreign objects in flight that the redraw shows by radar.
  for (int i = 0; fleetsWatched && i < kUsedFleetSlots; ++i) {
    bool drawn = false;
    if (!SlotDrawable(g, i) || OwnRuleApplies(g, i, drawn) || !FleetMoved(g, i)) continue;
    mark(FleetSpotAt(g, i, WholeTicksTravelled(g, i)));
  }
  // The foreign proximity bombs planted on worlds.
  for (int j = 0; bombsWatched && j < kUsedBombSlots; ++j) {
    const int owner = g.ProxBombOwner[At(j)];
    const int b = BombWorld(g, j);
    if (owner < 1 || b < 0 || owner == g.CurrentPlayer + 1) continue;
    mark(WorldOrbitSpot(g, b));
  }
}

std::string RadarNotice(int count, bool radarOff) {
  if (radarOff || count < 1) return "";
  return "- Radar Alert: " + Str(count) +
         (count > 1 ? " Enemy Traveling Fleets Detected! -" : " Enemy Traveling Fleet Detected! -");
}

std::string WorldShipLabelCaption(const GameState& g, int w) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(g.WorldShips[At(w)]));
  std::string caption = buf;
  if (g.WorldType[At(w)] == kTypeFuel) caption += " D";
  if (g.WorldShieldOn[At(w)] == 1) caption += " S";
  if (g.WorldNoGather[At(w)]) caption = "[" + caption + "]";
  return caption;
}

bool WorldShipLabelShown(const GameState& g, int w) {
  return g.ShipLabelsOn && g.WorldOwner[At(w)] == OwnCode(g) && ViewCommandsShown(g) &&
         g.SelectedFrom == -1 && ViewerHuman(g);
}

int WorldShipLabelGap(const GameState& g, int w) {
  return NamedHomeWorld(g, w) ? 20 : 15;
}

bool CrosshairShown(const GameState& g, int w) {
  return ViewCommandsShown(g) && ViewerHuman(g) && g.WorldMarked[At(g.CurrentPlayer)][At(w)];
}

namespace {
int CurrentTurn(const GameState& g) {
  return static_cast<int>(Int((g.GameYear - 1 + 0.0001) / 0.05));
}
bool ScoutedLately(const GameState& g, int w) {
  const int s = g.ScoutInfo[At(g.CurrentPlayer)][0][At(w)];
  return s >= 1 && s > CurrentTurn(g) - 5;
}
}  // namespace

bool ScoutCrossShown(const GameState& g, int w) {
  if (!ViewerHuman(g)) return false;
  const bool v = NoOtherHumanSeat(g) || g.NetworkGame || ViewCommandsShown(g);
  if (!v || g.WorldTargeted[At(w)]) return false;
  if (g.HasCrystal[At(g.CurrentPlayer)] == 0) return g.WorldOwner[At(w)] != OwnCode(g) && ScoutedLately(g, w);
  return g.HasCrystal[At(g.CurrentPlayer)] == 1 && g.WorldOwner[At(w)] == 0;
}

bool CleanScoutCrossShown(const GameState& g, int w) {
  if (!ViewerSeatValid(g)) return false;
  if (g.HasCrystal[At(g.CurrentPlayer)] != 0) return !g.WorldTargeted[At(w)] && g.WorldOwner[At(w)] == 0;
  if (g.WorldOwner[At(w)] == OwnCode(g) || !ScoutedLately(g, w)) return false;
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[At(s)] > 0 && g.FleetTo[At(s)] == w + 1 && g.FleetOwner[At(s)] == OwnCode(g))
      return false;
  return true;
}

DestinationMark DestinationMarkFor(const GameState& g, int slot) {
  if (!SlotDrawable(g, slot)) return DestinationMark::kNone;
  const int owner = g.FleetOwner[At(slot)], t = DestinationOf(g, slot);
  const bool anyway = !g.InputBusy || g.window.MousePointer == kHourglassPointer || g.NetworkGame ||
                      (g.CurrentPlayer == 0 && NoOtherHumanSeat(g));
  if (owner == OwnCode(g) && !g.HideFleets && ViewerHuman(g) &&
      (g.WorldOwner[At(t)] != OwnCode(g) || g.WorldBombs[At(t)] == 0) && anyway)
    return DestinationMark::kMarker;
  if (owner > 0 && !g.HideFleets && g.InputBusy && (!g.NetworkGame || owner == OwnCode(g)) &&
      g.FleetTimeLeft[At(slot)] == 0)
    return DestinationMark::kPosition;
  return DestinationMark::kNone;
}

int BombWorld(const GameState& g, int j) {
  const double w = RoundEven(g.ProxBombWorld[At(j)]);
  if (!(w >= 0 && w < kMaxWorlds)) return -1;
  return WorldInPlay(g, static_cast<int>(w)) ? static_cast<int>(w) : -1;
}

int BombStackIndex(const GameState& g, int j) {
  int c = 0;
  for (int s = 0; s < j && s < kUsedBombSlots; ++s)
    if (g.ProxBombWorld[At(s)] == g.ProxBombWorld[At(j)] && g.ProxBombOwner[At(s)] == g.ProxBombOwner[At(j)])
      ++c;
  return c;
}

ViewSpot BombOffset(int c) {
  switch (c) {
    case 0:
      return {-20, 0};
    case 1:
      return {20, 0};
    case 2:
      return {0, 20};
    case 3:
      return {0, -20};
    default:
      return {0, 0};
  }
}

bool OwnBombShown(const GameState& g) {
  return ViewerHuman(g) || (RadarUnlimited(g) && (g.NetworkGame || ViewCommandsShown(g)));
}

bool ForeignBombsShown(const GameState& g) {
  return ViewCommandsShown(g) && g.SelectedFrom == -1;
}

int TurnsToGo(double timeLeft) {
  const double n = Int(timeLeft / 0.05 + 0.999999);
  if (!(n > -32768)) return -32768;
  return n > 32767 ? 32767 : static_cast<int>(n);
}

std::string FleetLabelCaption(float ships, double timeLeft, bool radarAlert) {
  const int n = TurnsToGo(timeLeft);
  const bool fleet = ships > 0 && ships < kAnnihilationBomb;
  const std::string turns = std::to_string(n) + (n <= 1 ? " Turn" : " Turns");
  if (!fleet) return turns;
  if (radarAlert) return StrTrim(ships);
  return StrTrim(ships) + "  (" + turns + ")";
}

double StackedTop(LabelBox label, const std::vector<LabelBox>& earlier) {
  // Each move lifts the label by its height, so a label of no height could never get clear.
  if (!(label.height > 0)) return label.top;
  for (int pass = 0; pass < 10000; ++pass) {
    bool moved = false;
    for (const LabelBox& k : earlier) {
      const double d = std::sqrt((label.top - k.top) * (label.top - k.top) +
                                 (label.left - k.left) * (label.left - k.left));
      if (d < 5) {
        label.top -= label.height;
        moved = true;
      }
    }
    if (!moved) break;
  }
  return label.top;
}

int WorldNameRise(const GameState& g, int w) {
  const int owner = g.WorldOwner[At(w)];
  if (owner > 0 && NamedHomeWorld(g, w)) return 20;
  return owner > 0 ? 15 : 13;
}

LabelBox NameLabelBeside(const GameState& g, int w, double width, double height) {
  const ViewSpot p = WorldScreenSpot(g, w);
  const bool owned = g.WorldOwner[At(w)] > 0;
  const double gap = !owned ? 14 : (w >= kHomeWorld0 && w < kHomeWorld0 + kSeats) ? 20 : 16;
  LabelBox b{p.x - width - gap, p.y - 7, width, height};
  if (b.left < 5) b.left = b.left + width + (owned ? 32 : 28);
  return b;
}

namespace {

// Turns label j about its world by 4 degrees, keeping its side, its anchor at least 14 px out.
void TurnLabel(LabelBox& l, ViewSpot world, int sign) {
  const bool right = l.left > world.x;
  const double ax = right ? l.left : l.left + l.width, ay = l.top + l.height / 2;
  const double r =
      std::max(14.0, std::sqrt((world.y - ay) * (world.y - ay) + (world.x - ax) * (world.x - ax)));
  double a;
  if (world.x - ax == 0)  // straight above or below: a quarter turn, by the side the label is on
    a = (world.y - ay >= 0 ? 1 : -1) * kPi / 2;
  else
    a = std::atan((world.y - ay) / (world.x - ax));
  a += sign * 4 * kPi / 180;
  const double dx = r * std::cos(a), dy = r * std::sin(a);
  if (l.left > world.x)
    l.left = world.x + dx;
  else
    l.left = (world.x - dx) - l.width;
  l.top = (world.y - dy) - l.height / 2;
}

}  // namespace

void SpreadLabels(std::vector<LabelBox>& labels, const std::vector<ViewSpot>& worlds) {
  const size_t n = std::min(labels.size(), worlds.size());
  for (int pass = 1; pass <= 50; ++pass) {
    bool moved = false;
    for (size_t j = 0; j < n; ++j) {
      for (size_t i = 0; i < n; ++i) {
        if (i == j) continue;
        LabelBox& lj = labels[j];
        const LabelBox& li = labels[i];
        const bool across = (li.left < lj.left && std::abs(lj.left - li.left) < li.width) ||
                            (lj.left < li.left && std::abs(lj.left - li.left) < lj.width);
        if (across && std::abs(lj.top - li.top) < lj.height) {
          TurnLabel(lj, worlds[j], lj.top < li.top ? 1 : -1);
          moved = true;
        }
        const ViewSpot wi = worlds[i];
        const bool overX = (lj.left < wi.x && lj.left + lj.width > wi.x) ||
                           std::abs(lj.left + lj.width - wi.x) < 12 || std::abs(lj.left - wi.x) < 12;
        const bool overY = std::abs(lj.top + lj.height - wi.y) < 12 || std::abs(lj.top - wi.y) < 12;
        if (overX && overY) {
          TurnLabel(lj, worlds[j], lj.top + lj.height / 2 < wi.y ? 1 : -1);
          moved = true;
        }
      }
    }
    if (!moved) break;
  }
}

}  // namespace zarnath
