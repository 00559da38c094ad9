// Fingerprints of whole headless games: every call the game makes on the screen, the clock and the
// network, each turn's stock line and the state the computer players act on, folded into one
// 64-bit FNV-1a hash. Two builds that play a seeded game alike give the same hash; a single
// different travel time, order, shot or caption gives another.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "headless/headless_match.h"
#include "model/game.h"
#include "headless/headless_ports.h"

namespace zarnath::testing {

class Fnv1a64 {
 public:
  void Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
      hash_ ^= p[i];
      hash_ *= 0x100000001b3ull;
    }
  }
  void Text(const std::string& s) {
    Bytes(s.data(), s.size());
    Bytes("\n", 1);
  }
  template <typename T>
  void Value(const T& v) {
    Bytes(&v, sizeof v);
  }
  uint64_t hash() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ull;
};

// The state a computer turn reads and writes, field by field (bit patterns of the numbers).
inline void HashState(Fnv1a64& h, const GameState& g) {
  h.Value(g.WorldOwner);
  h.Value(g.WorldShips);
  h.Value(g.WorldBombs);
  h.Value(g.WorldShield);
  h.Value(g.WorldShieldOn);
  h.Value(g.WorldAngle);
  h.Value(g.FleetFrom);
  h.Value(g.FleetTo);
  h.Value(g.FleetOwner);
  h.Value(g.FleetShips);
  h.Value(g.FleetTimeLeft);
  h.Value(g.FleetTripTime);
  h.Value(g.FleetAngleParam);
  h.Value(g.TravelYears);
  h.Value(g.TravelAngle);
  h.Value(g.NearestList);
  h.Value(g.BattleData);
  h.Value(g.BattleSide);
}

// The hundred games of the table: 9 to 30 worlds, four computer players of mixed levels, every
// other one a speed game.
inline MatchOptions HashedGame(int i) {
  MatchOptions o{
      .seed = 4000u + static_cast<unsigned>(i), .worlds = 9 + (i * 13) % 22, .speedGame = i % 2 == 1};
  for (int p = 0; p < kSeats; ++p) o.levels[static_cast<size_t>(p)] = 1 + (i + p * (1 + i % 5)) % 6;
  return o;
}

// Plays one game with its transcript recorded and answers its fingerprint.
inline uint64_t GameHash(const MatchOptions& o) {
  HeadlessMatch match(o);
  auto* ports = dynamic_cast<HeadlessPorts*>(&match.game().io.platform);
  if (!ports) return 0;
  ports->recording = true;
  Fnv1a64 h;
  auto fold = [&] {
    for (const std::string& call : ports->calls) h.Text(call);
    ports->Clear();
  };
  const MatchResult r = match.Play([&](const TurnReport& t) {
    fold();
    h.Text(TurnLine(t));
    HashState(h, match.game().state());
  });
  fold();
  h.Text(ResultLine(r));
  h.Text(r.broken);
  HashState(h, match.game().state());
  return h.hash();
}

}  // namespace zarnath::testing
