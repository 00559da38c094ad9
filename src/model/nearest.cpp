#include "model/nearest.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"
#include "model/truce.h"

namespace zarnath {
namespace {

void ResetList(GameState& g) {
  for (int k = 0; k < kNearestRows; ++k) {
    g.NearestList[k][0] = -1.0f;
    g.NearestList[k][1] = kEmptyNearestYears;
  }
}

// The list is in order of time and, of equal times, of world index.
inline void Insert(GameState& g, int world, float years) {
  const float index = static_cast<float>(world);
  int k = 0;
  while (k < kNearestRows &&
         !(g.NearestList[k][1] > years || (g.NearestList[k][1] == years && g.NearestList[k][0] > index)))
    ++k;
  if (k == kNearestRows) return;
  for (int r = kNearestRows - 1; r > k; --r) g.NearestList[r] = g.NearestList[r - 1];
  g.NearestList[k][0] = index;
  g.NearestList[k][1] = years;
}

// The worlds each world's last search from it (or to it) listed: priced first in the next, they
// bring the list's last row down at once, and most other worlds are then priced only briefly.
uint32_t& FromListed(int world) {
  thread_local std::array<uint32_t, kWorldSlots> listed{};
  return listed[static_cast<size_t>(world)];
}
uint32_t& AheadListed(int world) {
  thread_local std::array<uint32_t, kWorldSlots> listed{};
  return listed[static_cast<size_t>(world)];
}
uint32_t& ToListed(int world) {
  thread_local std::array<uint32_t, kWorldSlots> listed{};
  return listed[static_cast<size_t>(world)];
}

// What TravelYears holds while a search's last answer waits: a NaN no solver and no order gives.
constexpr uint32_t kWaitingYears = 0x7fc5a4e1u;

// The frame all three searches share: the candidates, each priced and, when nearer than the
// `rows`-th row and not protected by the truce, put into the list.
//
// Only a time below that row's can change the list, so each candidate is priced only below it,
// and a candidate the truce refuses is not priced at all. The worlds this world's last search of
// the kind listed are priced first: they are mostly still the nearest, so the row comes down at
// once and the others are priced only briefly. The list still comes out as pricing in world order
// leaves it: of equal times the lower world goes first, so a world below the row's in index is
// priced up to its time inclusive. The solver's answer for the last candidate in world order is
// left in TravelYears and TravelAngle, priced in full when the bounded search did not give it (or
// left for later, see LastAnswer).
template <typename IsCandidate, typename Price, typename TripOf, typename LastListed>
void Search(GameState& g, int world, int owner, IsCandidate isCandidate, Price price, TripOf tripOf,
            LastListed lastListed, LastListed alsoListed, LastAnswer* later, int rows = kNearestRows) {
  ResetList(g);
  if (world < 0 || world >= g.WorldCount) return;
  // The truce protects nothing once it has run out; the turn does not change during the search.
  const bool truce = TruceTurnsLeft(g) > 0;
  uint32_t candidates = 0;
  const int worlds = std::min<int>(g.WorldCount, kWorldSlots);
  for (int i = 0; i < worlds; ++i) candidates |= static_cast<uint32_t>(isCandidate(i)) << i;
  candidates &= ~(1u << world);
  // The last candidate in world order, even one the truce protects.
  const int last = candidates ? 31 - std::countl_zero(candidates) : -1;
  if (truce)
    for (uint32_t m = candidates; m; m &= m - 1)
      if (TruceProtects(g, owner - 1, std::countr_zero(m))) candidates &= ~(1u << std::countr_zero(m));
  const auto& edge = g.NearestList[static_cast<size_t>(rows - 1)];
  bool lastPriced = false;
  float lastYears = 0, lastAngle = 0;
  // The edge's time as ticks, worked out again only when the edge moves.
  float priced = -1.0f;
  int ticks = 0;
  const auto priceOne = [&](int i) {
    float below = edge[1];
    // The next float up: times are never below 0.
    if (static_cast<float>(i) < edge[0]) below = std::bit_cast<float>(std::bit_cast<uint32_t>(below) + 1u);
    if (!(below == priced)) priced = below, ticks = TicksBelow(below);
    float years = 0, angle = 0;
    if (!price(i, ticks, years, angle)) return;
    if (i == last) lastPriced = true, lastYears = years, lastAngle = angle;
    Insert(g, i, years);
  };
  uint32_t& listed = lastListed(world);
  uint32_t first = candidates & listed;
  // Too few of them are still candidates: the last list of the other search from the world (at
  // once or three ticks ahead) joins them.
  if (std::popcount(first) < rows) first |= candidates & alsoListed(world);
  for (uint32_t m = first; m; m &= m - 1) priceOne(std::countr_zero(m));
  for (uint32_t m = candidates & ~first; m; m &= m - 1) priceOne(std::countr_zero(m));
  listed = 0;
  for (int k = 0; k < rows; ++k)
    if (g.NearestList[static_cast<size_t>(k)][0] >= 0.0f)
      listed |= 1u << static_cast<int>(g.NearestList[static_cast<size_t>(k)][0]);
  if (last >= 0 && lastPriced) g.TravelYears = lastYears, g.TravelAngle = lastAngle;
  if (last < 0) return;  // no candidate: TravelYears keeps what stood before
  if (!later) {
    if (!lastPriced) price(last, TicksBelow(kUnreachableYears * 2.0f), g.TravelYears, g.TravelAngle);
    return;
  }
  later->waiting = !lastPriced;
  if (!lastPriced) {
    tripOf(last, *later);
    g.TravelYears = std::bit_cast<float>(kWaitingYears);
  }
}

void FromSearch(GameState& g, int world, int owner, int rows, LastAnswer* later) {
  const TripsFrom trips(g, world, 0, kQuickStep);
  Search(
      g, world, owner, [&](int i) { return g.WorldOwner[i] != owner; },
      [&](int i, int ticks, float& years, float& angle) { return trips.InTicks(i, ticks, years, angle); },
      [&](int i, LastAnswer& a) { a.from = world, a.to = i, a.ahead = 0; }, FromListed, AheadListed, later,
      std::clamp(rows, 1, kNearestRows));
}

void AheadSearch(GameState& g, int world, int owner, int ahead, uint32_t targeted, LastAnswer* later) {
  const TripsFrom trips(g, world, ahead, kQuickStep);
  Search(
      g, world, owner, [&](int i) { return g.WorldOwner[i] != owner && !(targeted >> i & 1u); },
      [&](int i, int ticks, float& years, float& angle) { return trips.InTicks(i, ticks, years, angle); },
      [&](int i, LastAnswer& a) { a.from = world, a.to = i, a.ahead = ahead; }, AheadListed, FromListed,
      later);
}

void ToSearch(GameState& g, int world, int owner, LastAnswer* later) {
  Search(
      g, world, owner,
      [&](int i) { return g.WorldOwner[i] == owner && (g.WorldShips[i] > 0.0f || g.WorldBombs[i] >= 1); },
      [&](int i, int ticks, float& years, float& angle) {
        return PDistCalcInTicks(g, i, world, years, angle, kQuickStep, 0, ticks);
      },
      [&](int i, LastAnswer& a) { a.from = i, a.to = world, a.ahead = 0; }, ToListed, ToListed, later);
}

}  // namespace

uint32_t OwnAttackTargets(const GameState& g, int owner) {
  uint32_t targets = 0;
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[s] > 0 && g.FleetOwner[s] == owner && g.FleetTo[s] >= 1 && g.FleetTo[s] <= kWorldSlots &&
        g.FleetShips[s] > 0.0f)
      targets |= 1u << (g.FleetTo[s] - 1);
  return targets;
}

void NearestFrom(GameState& g, int world, int owner, int rows) {
  FromSearch(g, world, owner, rows, nullptr);
}
void NearestFrom(GameState& g, int world, int owner, int rows, LastAnswer& later) {
  FromSearch(g, world, owner, rows, &later);
}

void PNearestFrom(GameState& g, int world, int owner, int ahead) {
  PNearestFrom(g, world, owner, ahead, OwnAttackTargets(g, g.CurrentPlayer + 1));
}
void PNearestFrom(GameState& g, int world, int owner, int ahead, uint32_t targeted) {
  AheadSearch(g, world, owner, ahead, targeted, nullptr);
}
void PNearestFrom(GameState& g, int world, int owner, int ahead, uint32_t targeted, LastAnswer& later) {
  AheadSearch(g, world, owner, ahead, targeted, &later);
}

void NearestTo(GameState& g, int world, int owner) {
  ToSearch(g, world, owner, nullptr);
}
void NearestTo(GameState& g, int world, int owner, LastAnswer& later) {
  ToSearch(g, world, owner, &later);
}

void SettleLastAnswer(GameState& g, LastAnswer& later) {
  if (!later.waiting) return;
  later.waiting = false;
  // Anything written over the mark since stands, as it would have stood over the answer.
  if (std::bit_cast<uint32_t>(g.TravelYears) != kWaitingYears) return;
  PDistCalc(g, later.from, later.to, g.TravelYears, g.TravelAngle, kQuickStep, later.ahead);
}

}  // namespace zarnath
