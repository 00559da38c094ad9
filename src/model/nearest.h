// The nearest-world searches: for one world, the up to six other worlds nearest to it in travel
// time, nearest first, written into the selection's NearestList (rows 0 to 5: column 0 the world,
// -1 for an empty row; column 1 the years, 1000 for an empty row). Travel times are the solver's
// earliest interceptions with the quick launch-parameter step, so the worlds' motion counts.
// Each search overwrites the list and leaves the solver's answers for its last candidate in world
// order in TravelYears and TravelAngle.
#pragma once

#include <cstdint>

namespace zarnath {
struct GameState;

inline constexpr float kEmptyNearestYears = 1000.0f;
inline constexpr int kNearestRows = 6;

// The nearest worlds that `owner` (an owner code) does not own, measured from `world`. While a
// battle truce lasts only neutral worlds are listed. Only the first `rows` rows (1 to 6) are sure
// to be the nearest worlds, the later ones may hold others.
void NearestFrom(GameState& g, int world, int owner, int rows = kNearestRows);
// The same measured for a launch `ahead` ticks from now, leaving out worlds that a fleet or bomb
// of the current player is already bound for (a scout on its way does not count).
void PNearestFrom(GameState& g, int world, int owner, int ahead);
// The same, the worlds the current player's fleets and bombs are bound for being known already
// (OwnAttackTargets for the current player's owner code), as in a run of searches with no launch
// between them.
void PNearestFrom(GameState& g, int world, int owner, int ahead, uint32_t targeted);
// The worlds of `owner` holding ships or bombs that could reach `world` soonest, measured from
// each of them to `world`.
void NearestTo(GameState& g, int world, int owner);

// The last answer of a search, left for later: a run of searches (a computer turn) need not price
// in full the last world of every search, only of the search whose answer still stands when the
// run ends. A search given a LastAnswer marks TravelYears as waiting, and SettleLastAnswer prices
// the trip then, unless something else has written TravelYears and TravelAngle meanwhile (an
// order's launch, a travel line): what stands at the end is what pricing at once leaves.
struct LastAnswer {
  bool waiting = false;
  int from = 0, to = 0, ahead = 0;
};
void NearestFrom(GameState& g, int world, int owner, int rows, LastAnswer& later);
void PNearestFrom(GameState& g, int world, int owner, int ahead, uint32_t targeted, LastAnswer& later);
void NearestTo(GameState& g, int world, int owner, LastAnswer& later);
void SettleLastAnswer(GameState& g, LastAnswer& later);

// The worlds that fleets or bombs of `owner` (an owner code) are bound for, one bit a world; a
// scout does not count.
uint32_t OwnAttackTargets(const GameState& g, int owner);

}  // namespace zarnath
