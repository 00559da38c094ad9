#include "persist_fixture.h"

#include <cstring>

#include "engine/game_start.h"
#include "model/numbers.h"
#include "net/lobby.h"

namespace zarnath::testing {

Lines SplitCrLf(const std::string& bytes) {
  Lines lines;
  for (size_t pos = 0, end; pos < bytes.size(); pos = end + 2) {
    end = std::min(bytes.find("\r\n", pos), bytes.size());
    lines.push_back(bytes.substr(pos, end - pos));
  }
  return lines;
}

std::string JoinCrLf(const Lines& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

void MakeMidGame(TestGame& t, bool multiLineTexts) {
  static const ScratchFolder scratch;  // where the start of the game writes its defaults
  Game& g = t.g();
  g.programFolder = scratch.path();
  g.random.Seed(4242);
  g.setup.txtPL = {"Ulla", "J\xF6rg", "Atlas", ""};
  g.setup.chkAI = {0, 0, 1, 0};
  g.setup.txtAI[2] = "4";
  g.setup.chkShield = g.setup.chkMode = 1;
  g.setup.txtOp = {"20", "5", "4"};
  g.setup.OptRadar = {false, false, true};
  g.setup.txtPlanets = "24";
  imgStart_Click(g);

  auto draw = [&g] { return g.random.Next(); };
  auto whole = [&](int n) { return static_cast<int>(draw() * static_cast<float>(n)); };
  for (int turn = 0; turn < 37; ++turn) g.GameYear += 0.05f;  // the drifting sum of a long game
  g.CurrentPlayer = g.HasCrystal[1] = 1;
  g.BattleDelay = 3000.0f / 7.0f + 2.0f / 3.0f;
  g.TruceUntilTurn = 12;
  for (int w = 0; w < kMaxWorlds; ++w) {
    g.WorldAngle[w] = draw() * 6.283184f;
    g.WorldShips[w] = draw() * 500.0f;
    g.WorldNoGather[w] = whole(3) == 0;
    for (int p = 0; p < kSeats; ++p) {
      g.WorldMarked[p][w] = whole(4) == 0;
      const std::string text =
          "Seen in turn " + Str(w + p) + (multiLineTexts ? "\r\nShips:\r\n" + Str(g.WorldShips[w]) : "");
      g.WorldHistory[p][w] = whole(3) == 0 ? std::string() : text;
    }
  }
  if (multiLineTexts) {  // lines that read like the end of a text, and a text ending in a break
    g.WorldHistory[0][3] = "255\r\n 255\r\n  255\r\n255 \r\nafter";
    g.WorldHistory[1][3] = " 255";
    g.WorldHistory[2][3] = "first\r\n\r\nthird\r\n";
  }
  for (int f = 0; f < 40; ++f) {
    g.FleetFrom[f] = static_cast<uint8_t>(1 + whole(g.WorldCount));
    g.FleetTo[f] = static_cast<uint8_t>(1 + whole(g.WorldCount));
    g.FleetOwner[f] = static_cast<uint8_t>(1 + whole(3));
    const float ships[] = {0.0f, 9999.0f, 10000.0f + whole(50), draw() * 900.0f};
    g.FleetShips[f] = ships[whole(4)];
    g.FleetClass[f] = static_cast<uint8_t>(1 + whole(5));
    g.FleetShield[f] = static_cast<uint8_t>(whole(101));
    g.FleetTripTime[f] = 0.05f + draw() * 0.7f;  // trips a launch can get
    g.FleetTimeLeft[f] =
        std::max(0.0, static_cast<double>(g.FleetTripTime[f]) - 26.0 * (1.0 / 520.0) * whole(5));
    g.FleetAngleParam[f] = draw() * 2.0f - 1.0f;
  }
  g.FleetTimeLeft[0] = 1.0 / 3.0;  // 15 digits are not enough for these
  g.FleetTimeLeft[1] = 0.1 + 0.2;
  g.FleetTripTime[0] = g.FleetTripTime[1] = 0.5f;
  g.FleetAngleParam[2] = -0.0f;
  g.FleetTripTime[3] = 1.0e-6f / 3.0f;
  g.FleetTimeLeft[3] = 0.0;
  g.FleetShips[4] = 16777215.0f;
  for (int b = 0; b < 5; ++b) {
    g.ProxBombOwner[b] = static_cast<int16_t>(1 + whole(3));
    g.ProxBombWorld[b] = static_cast<float>(whole(g.WorldCount));
    g.ProxBombThreshold[b] = static_cast<float>(1 + whole(200));
  }
  for (int p = 0; p < kSeats; ++p) {
    std::string& log = g.PlayerLog[p] = p == 3 ? "" : "   Year 1.00, Turn #0: the game begins";
    for (int i = 0; multiLineTexts && i < 40 + 30 * p; ++i)
      log += "\r\n   Year 1.05, Turn #" + Str(i) + ": landed";
    if (multiLineTexts && p == 1) log += "\r\n";
    for (int f = 0; f < 5; ++f)
      for (int w = 0; w < kMaxWorlds; ++w) g.ScoutInfo[p][f][w] = static_cast<int16_t>(whole(65536) - 32768);
  }
}

template <typename T>
static void Same(const T& a, const T& b, const char* name, Lines& differences) {
  const bool same =
      std::is_trivially_copyable_v<T> ? std::memcmp(&a, &b, sizeof a) == 0 : a == b;  // floats by bits
  if (!same) differences.push_back(name);
}

Lines SavedFieldDifferences(const GameState& a, const GameState& b) {
  Lines d;
#define Z(field) Same(a.field, b.field, #field, d)
  Z(setup.chkShield), Z(setup.chkMode), Z(setup.OptRadar), Z(setup.txtOp), Z(WorldCount), Z(PlayerName),
      Z(HasCrystal), Z(PlayerLog), Z(GameYear), Z(CurrentPlayer), Z(BattleDelay), Z(TruceUntilTurn),
      Z(WorldAngle), Z(WorldRadius), Z(WorldAngularSpeed), Z(WorldName), Z(WorldProduction), Z(WorldClass),
      Z(WorldShield), Z(WorldShieldOn), Z(WorldNoGather), Z(WorldKnownStat), Z(WorldOwner), Z(WorldShips),
      Z(WorldType), Z(WorldBombs), Z(WorldMarked), Z(WorldHistory), Z(FleetFrom), Z(FleetTo), Z(FleetOwner),
      Z(FleetShips), Z(FleetClass), Z(FleetShield), Z(FleetTimeLeft), Z(FleetTripTime), Z(FleetAngleParam),
      Z(ProxBombOwner), Z(ProxBombWorld), Z(ProxBombThreshold);
  for (int p = 0; p < kSeats; ++p)
    for (int f = 0; f < 5; ++f) Z(ScoutInfo[p][f]);
#undef Z
  return d;
}

}  // namespace zarnath::testing
