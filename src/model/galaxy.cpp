#include "model/galaxy.h"

#include <algorithm>
#include <array>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

constexpr std::array<float, kMaxWorlds> kRing = {50,  70,  90,  110, 150, 170, 190, 210, 130, 130,
                                                 130, 130, 210, 190, 170, 150, 110, 90,  70,  210,
                                                 190, 170, 150, 110, 210, 190, 170, 150, 210, 190};

constexpr std::array<const char*, kMaxWorlds> kNames = {
    "Amenthes", "Axius",   "Borea",  "Brazos",   "Cognitum", "Cygnus",    "Drilon",  "Durius",
    "Eridania", "Evros",   "Gaea",   "Hesperia", "Iridum",   "Iynx",      "Kasei",   "Liris",
    "Morpheos", "Mysia",   "Nilus",  "Nubium",   "Odii",     "Promethei", "Romulus", "Senus",
    "Sirenum",  "Trivium", "Ulyxis", "Veris",    "Xanthe",   "Zea"};

// One ring of the layout: its base world with the base angle's fixed part and the spread's
// divisor, the other worlds with their sector offsets. Offsets are n x pi / d, worked out in that
// order so that every angle comes out the same on every machine.
struct Offset {
  int n;
  int d;
  double Angle() const { return n * kPi / d; }
};
struct OtherWorld {
  int world;
  Offset offset;
};
struct Ring {
  int base;
  Offset baseOffset;
  double spreadDivisor;
  std::array<OtherWorld, 4> others;
  int otherCount;
};

constexpr std::array<Ring, 7> kSpreadRings = {{
    {7, {1, 5}, 10, {{{12, {6, 5}}, {19, {2, 5}}, {24, {8, 5}}, {28, {4, 5}}}}, 4},
    {6, {2, 5}, 10, {{{13, {6, 5}}, {20, {2, 5}}, {25, {8, 5}}, {29, {4, 5}}}}, 4},
    {5, {3, 4}, 8, {{{14, {4, 4}}, {21, {2, 4}}, {26, {6, 4}}}}, 3},
    {4, {4, 4}, 8, {{{15, {4, 4}}, {22, {2, 4}}, {27, {6, 4}}}}, 3},
    {3, {4, 3}, 6, {{{16, {1, 3}}, {23, {3, 3}}}}, 2},
    {2, {3, 2}, 4, {{{17, {2, 2}}}}, 1},
    {1, {1, 2}, 4, {{{18, {2, 2}}}}, 1},
}};

void LayAngles(Game& g) {
  auto draw = [&g] { return static_cast<double>(g.random.Next()); };
  auto spread = [&](double divisor) { return 2.0 * draw() * kPi / divisor; };

  // The home ring: quarter turns from a base near angle 0, neither spread nor rotated.
  // Seat 0's home world at a drawn angle; seats 1, 2 and 3 opposite it and at right angles.
  constexpr int h = kHomeWorld0;
  g.WorldAngle[h] = static_cast<float>(draw() / 4.0);
  g.WorldAngle[h + 1] = static_cast<float>(g.WorldAngle[h] + 4.0 * kPi / 4.0);
  g.WorldAngle[h + 2] = static_cast<float>(g.WorldAngle[h] + 2.0 * kPi / 4.0);
  g.WorldAngle[h + 3] = static_cast<float>(g.WorldAngle[h] + 6.0 * kPi / 4.0);

  for (const Ring& ring : kSpreadRings) {
    g.WorldAngle[ring.base] = static_cast<float>(spread(ring.spreadDivisor) + ring.baseOffset.Angle());
    for (int i = 0; i < ring.otherCount; ++i) {
      const OtherWorld& o = ring.others[static_cast<size_t>(i)];
      g.WorldAngle[o.world] =
          static_cast<float>(g.WorldAngle[ring.base] + o.offset.Angle() + spread(ring.spreadDivisor));
    }
    const double rotation = 2.0 * draw() * kPi;
    g.WorldAngle[ring.base] = static_cast<float>(g.WorldAngle[ring.base] + rotation);
    for (int i = 0; i < ring.otherCount; ++i) {
      int w = ring.others[static_cast<size_t>(i)].world;
      g.WorldAngle[w] = static_cast<float>(g.WorldAngle[w] + rotation);
    }
  }
  // The innermost ring has one world.
  g.WorldAngle[0] = static_cast<float>(2.0 * draw() * kPi);
  g.WorldAngle[0] = static_cast<float>(g.WorldAngle[0] + 2.0 * draw() * kPi);

  for (int w = 0; w < kMaxWorlds; ++w) {
    if (w < g.WorldCount) {
      if (g.WorldAngle[w] > kTwoPi) g.WorldAngle[w] = static_cast<float>(g.WorldAngle[w] - kTwoPi);
    } else {
      g.WorldAngle[w] = 0;
      g.WorldRadius[w] = 0;
    }
  }
}

// Treasures by their place in the count: fuel first, then bombs, ships, and the crystal last.
void HideTreasures(Game& g) {
  const auto rounded = RoundInto(Val(g.setup.txtOp[1]), -32768, 32767);
  const long long wanted = rounded.value_or(0);
  auto isHidingPlace = [&g](int w) { return g.WorldType[w] < 1 && g.WorldOwner[w] == 0; };
  int places = 0;
  for (int w = 0; w < g.WorldCount; ++w) places += isHidingPlace(w) ? 1 : 0;
  for (long long i = 1; i <= wanted; ++i) {
    if (places == 0) break;  // every neutral world already hides something
    int w;
    do {
      w = static_cast<int>(Int(g.WorldCount * static_cast<double>(g.random.Next())));
    } while (!isHidingPlace(w));
    --places;
    const double q = static_cast<double>(i) / static_cast<double>(wanted);
    if (q < 0.26)
      g.WorldType[w] = kTypeFuel;
    else if (q < 0.51)
      g.WorldType[w] = kTypeBomb;
    else if (q < 0.88)
      g.WorldType[w] = static_cast<int16_t>((Int(6.0 * g.random.Next()) + 5) * g.WorldProduction[w]);
    else
      g.WorldType[w] = kTypeCrystal;
  }
}

int HomeWorldBombs(const Game& g, int seat) {
  const int base = g.WorldCount / 8;
  if (seat > 0) return base + 2;
  for (int p = 1; p < kSeats; ++p)
    if (!g.setup.txtPL[p].empty()) return base + 2;
  return base;
}

}  // namespace

float RingRadius(int world) {
  return kRing[static_cast<size_t>(world)];
}
const char* WorldNameOf(int world) {
  return kNames[static_cast<size_t>(world)];
}

void GenerateWorlds(Game& g) {
  const double maxProduction = std::clamp(Val(g.setup.txtOp[0]), 1.0, 255.0);
  for (int w = 0; w < g.WorldCount; ++w) {
    g.WorldProduction[w] = static_cast<uint8_t>(Int(maxProduction * g.random.Next()) + 1);
    g.WorldClass[w] = static_cast<uint8_t>(Int(5.0 * g.random.Next()) + 1);
    g.WorldShips[w] = 30;
    g.WorldOwner[w] = 0;
    g.WorldKnownStat[w] = static_cast<int16_t>(Int(5.0 * g.random.Next()) + 1);
    g.WorldShieldOn[w] = static_cast<uint8_t>(Int(2.0 * g.random.Next()));
    g.WorldType[w] = kTypeNothing;
  }
  for (int w = 0; w < kMaxWorlds; ++w) g.WorldRadius[w] = kRing[static_cast<size_t>(w)];
  LayAngles(g);
  g.WorldAngularSpeed[kHomeWorld0] =
      static_cast<float>(2.0 * kPi / (static_cast<double>(g.WorldRadius[kHomeWorld0]) * 4.0));
  for (int k = 0; k < g.WorldCount; ++k) {
    const double r8 = g.WorldRadius[kHomeWorld0], rk = g.WorldRadius[k];
    g.WorldAngularSpeed[k] = static_cast<float>((r8 * r8) / (rk * rk) * g.WorldAngularSpeed[kHomeWorld0]);
  }
  for (int w = 0; w < kMaxWorlds; ++w) g.WorldName[w] = kNames[static_cast<size_t>(w)];
}

void PlaceSeats(Game& g) {
  std::array<int, kSeats> seatBombs{};
  for (int p = 0; p < kSeats; ++p) {
    if (g.setup.txtPL[p].empty()) continue;
    const int h = kHomeWorld0 + p;
    g.WorldProduction[h] = 10;
    g.WorldClass[h] = 5;
    g.WorldShips[h] = 10;
    g.PlayerName[p] = g.setup.txtPL[p];
    g.WorldOwner[h] = static_cast<uint8_t>(p + 1);
    g.WorldShieldOn[h] = 0;
    g.PlayerGone[p] = false;
    seatBombs[p] = HomeWorldBombs(g, p);
    g.WorldBombs[h] = static_cast<int16_t>(seatBombs[p]);
    g.WorldType[h] = kTypeNothing;
    g.HasCrystal[p] = 0;
    g.window.lblNameItalic[h] = true;
  }

  for (int p = 0; p < kSeats; ++p) {
    // A computer seat always carries its level's name; an unnamed seat has no home world to favour.
    if (g.setup.chkAI[p] != 1 || g.setup.txtPL[p].empty()) continue;
    const int h = kHomeWorld0 + p;
    const std::string& levelText = g.setup.txtAI[p];
    const double level = Val(levelText);
    if (levelText == "5") {
      g.HasCrystal[p] = 1;
    } else if (levelText == "6") {
      g.HasCrystal[p] = 1;
      g.WorldType[h] = kTypeFuel;
    }
    g.WorldBombs[h] = static_cast<int16_t>(Int(level / 5.0 * seatBombs[p]) + 1);
    for (int b = 0; b < kUsedBombSlots; ++b) {
      if (g.ProxBombOwner[b] != 0) continue;
      g.ProxBombOwner[b] = static_cast<int16_t>(p + 1);
      g.ProxBombWorld[b] = static_cast<float>(h);
      g.ProxBombThreshold[b] = static_cast<float>(Int(g.random.Next() * 50.0) + 50);
      if (levelText == "6" && b + 1 < kUsedBombSlots) {
        g.ProxBombOwner[b + 1] = static_cast<int16_t>(p + 1);
        g.ProxBombWorld[b + 1] = static_cast<float>(h);
        g.ProxBombThreshold[b + 1] = static_cast<float>(Int(g.random.Next() * 100.0) + 150);
      }
      break;
    }
  }

  for (int i = 0; i < kSeats; ++i)
    for (int j = 0; j < kSeats; ++j)
      if (i != j && !g.PlayerName[i].empty() && !g.PlayerName[j].empty() &&
          g.PlayerName[i] == g.PlayerName[j])
        g.PlayerName[j] += std::string("-") + static_cast<char>(87 + j);

  HideTreasures(g);
}

}  // namespace zarnath
