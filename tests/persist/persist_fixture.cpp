#include "persist_fixture.h"

#include <cmath>

#include "model/game_start.h"
#include "model/numbers.h"

namespace zarnath::testing {

std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(pos));
      break;
    }
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

void MakeMidGame(TestGame& t, const std::string& folder, bool multiLineTexts) {
  Game& g = t.g();
  g.programFolder = folder;
  g.random.Seed(4242);
  SetupState& s = g.setup;
  s.txtPL = {"Ulla", "J\xF6rg", "Atlas", ""};
  s.chkAI = {0, 0, 1, 0};
  s.txtAI[2] = "4";
  s.chkShield = 1;
  s.chkMode = 1;
  s.txtOp = {"20", "5", "4"};
  s.OptRadar = {false, false, true};
  s.txtPlanets = "24";
  imgStart_Click(g);

  auto draw = [&g] { return g.random.Next(); };
  auto whole = [&](int n) { return static_cast<int>(draw() * static_cast<float>(n)); };

  g.GameYear = 1.0f;
  for (int turn = 0; turn < 37; ++turn) g.GameYear += 0.05f;  // the drifting sum of a long game
  g.CurrentPlayer = 1;
  g.BattleDelay = 3000.0f / 7.0f + 2.0f / 3.0f;
  g.TruceUntilTurn = 12;
  g.HasCrystal[1] = 1;

  for (int w = 0; w < kMaxWorlds; ++w) {
    g.WorldAngle[w] = draw() * 6.283184f;
    g.WorldShips[w] = draw() * 500.0f;
    g.WorldNoGather[w] = whole(3) == 0;
    for (int p = 0; p < kSeats; ++p) {
      g.WorldMarked[p][w] = whole(4) == 0;
      if (multiLineTexts) {
        g.WorldHistory[p][w] = whole(3) == 0 ? std::string()
                                             : "   Year 1.20, Turn #4:\r\n  Ships: " + Str(g.WorldShips[w]) +
                                                   "\r\n  Owner: " + std::to_string(w % 5);
      } else {
        g.WorldHistory[p][w] = whole(3) == 0 ? std::string() : "Seen in turn " + std::to_string(w + p);
      }
    }
  }
  if (multiLineTexts) {
    // Lines that read like the end of a text, and a text ending in a line break.
    g.WorldHistory[0][3] = "255\r\n 255\r\n  255\r\n255 \r\nafter";
    g.WorldHistory[1][3] = " 255";
    g.WorldHistory[2][3] = "first\r\n\r\nthird\r\n";
  }

  for (int f = 0; f < 40; ++f) {
    g.FleetFrom[f] = static_cast<uint8_t>(1 + whole(g.WorldCount));
    g.FleetTo[f] = static_cast<uint8_t>(1 + whole(g.WorldCount));
    g.FleetOwner[f] = static_cast<uint8_t>(1 + whole(3));
    const int kind = whole(4);
    g.FleetShips[f] = kind == 0   ? 0.0f
                      : kind == 1 ? 9999.0f
                      : kind == 2 ? 10000.0f + whole(50)
                                  : draw() * 900.0f;
    g.FleetClass[f] = static_cast<uint8_t>(1 + whole(5));
    g.FleetShield[f] = static_cast<uint8_t>(whole(101));
    g.FleetTripTime[f] = draw() * 3.0f;
    g.FleetTimeLeft[f] = static_cast<double>(g.FleetTripTime[f]) - 26.0 * (1.0 / 520.0) * whole(5);
    g.FleetAngleParam[f] = draw() * 2.0f - 1.0f;
  }
  g.FleetTimeLeft[0] = 1.0 / 3.0;  // 15 digits are not enough for these
  g.FleetTimeLeft[1] = 0.1 + 0.2;
  g.FleetAngleParam[2] = -0.0f;
  g.FleetTripTime[3] = 1.0e-6f / 3.0f;
  g.FleetShips[4] = 16777215.0f;
  for (int b = 0; b < 5; ++b) {
    g.ProxBombOwner[b] = static_cast<int16_t>(1 + whole(3));
    g.ProxBombWorld[b] = static_cast<float>(whole(g.WorldCount));
    g.ProxBombThreshold[b] = static_cast<float>(1 + whole(200));
  }

  for (int p = 0; p < kSeats; ++p) {
    if (multiLineTexts) {
      std::string log;
      for (int i = 0; i < 40 + 30 * p; ++i)
        log += "\r\n   Year 1.05, Turn #" + std::to_string(i) + ": fleet landed";
      g.PlayerLog[p] = log + (p == 1 ? "\r\n" : "");
    } else {
      g.PlayerLog[p] = p == 3 ? std::string() : "   Year 1.00, Turn #0: the game begins";
    }
    for (int f = 0; f < 5; ++f)
      for (int w = 0; w < kMaxWorlds; ++w) g.ScoutInfo[p][f][w] = static_cast<int16_t>(whole(65536) - 32768);
  }
}

namespace {

template <typename T>
bool SameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Differences {
  std::vector<std::string> list;
  template <typename T>
  void Check(const T& a, const T& b, const std::string& what) {
    if constexpr (std::is_floating_point_v<T>) {
      if (!SameBits(a, b))
        list.push_back(what + ": " + Str(static_cast<double>(a)) + " / " + Str(static_cast<double>(b)));
    } else if constexpr (std::is_same_v<T, std::string>) {
      if (a != b) list.push_back(what + ": \"" + a + "\" / \"" + b + "\"");
    } else {
      if (a != b) list.push_back(what + ": " + std::to_string(a) + " / " + std::to_string(b));
    }
  }
};

}  // namespace

std::vector<std::string> SavedFieldDifferences(const GameState& a, const GameState& b) {
  Differences d;
  d.Check(a.setup.chkShield, b.setup.chkShield, "chkShield");
  d.Check(a.setup.chkMode, b.setup.chkMode, "chkMode");
  for (int k = 0; k < 3; ++k) {
    d.Check(Val(a.setup.txtOp[k]), Val(b.setup.txtOp[k]), "txtOp " + std::to_string(k));
    d.Check(a.setup.OptRadar[k], b.setup.OptRadar[k], "OptRadar " + std::to_string(k));
  }
  d.Check(a.WorldCount, b.WorldCount, "WorldCount");
  for (int p = 0; p < kSeats; ++p) {
    const std::string at = " of player " + std::to_string(p);
    d.Check(a.PlayerName[p], b.PlayerName[p], "PlayerName" + at);
    d.Check(a.HasCrystal[p], b.HasCrystal[p], "HasCrystal" + at);
    d.Check(a.PlayerLog[p], b.PlayerLog[p], "PlayerLog" + at);
    for (int f = 0; f < 5; ++f)
      for (int w = 0; w < kMaxWorlds; ++w)
        d.Check(a.ScoutInfo[p][f][w], b.ScoutInfo[p][f][w],
                "ScoutInfo" + at + " field " + std::to_string(f) + " world " + std::to_string(w));
  }
  d.Check(a.GameYear, b.GameYear, "GameYear");
  d.Check(a.CurrentPlayer, b.CurrentPlayer, "CurrentPlayer");
  d.Check(a.BattleDelay, b.BattleDelay, "BattleDelay");
  d.Check(a.TruceUntilTurn, b.TruceUntilTurn, "TruceUntilTurn");
  for (int w = 0; w < kMaxWorlds; ++w) {
    const std::string at = " of world " + std::to_string(w);
    d.Check(a.WorldAngle[w], b.WorldAngle[w], "WorldAngle" + at);
    d.Check(a.WorldRadius[w], b.WorldRadius[w], "WorldRadius" + at);
    d.Check(a.WorldAngularSpeed[w], b.WorldAngularSpeed[w], "WorldAngularSpeed" + at);
    d.Check(a.WorldName[w], b.WorldName[w], "WorldName" + at);
    d.Check(a.WorldProduction[w], b.WorldProduction[w], "WorldProduction" + at);
    d.Check(a.WorldClass[w], b.WorldClass[w], "WorldClass" + at);
    d.Check(a.WorldShield[w], b.WorldShield[w], "WorldShield" + at);
    d.Check(a.WorldShieldOn[w], b.WorldShieldOn[w], "WorldShieldOn" + at);
    d.Check(a.WorldNoGather[w], b.WorldNoGather[w], "WorldNoGather" + at);
    d.Check(a.WorldKnownStat[w], b.WorldKnownStat[w], "WorldKnownStat" + at);
    d.Check(a.WorldOwner[w], b.WorldOwner[w], "WorldOwner" + at);
    d.Check(a.WorldShips[w], b.WorldShips[w], "WorldShips" + at);
    d.Check(a.WorldType[w], b.WorldType[w], "WorldType" + at);
    d.Check(a.WorldBombs[w], b.WorldBombs[w], "WorldBombs" + at);
    for (int p = 0; p < kSeats; ++p) {
      d.Check(a.WorldMarked[p][w], b.WorldMarked[p][w], "WorldMarked" + at + " by " + std::to_string(p));
      d.Check(a.WorldHistory[p][w], b.WorldHistory[p][w], "WorldHistory" + at + " for " + std::to_string(p));
    }
  }
  for (int f = 0; f < kUsedFleetSlots; ++f) {
    const std::string at = " of slot " + std::to_string(f);
    d.Check(a.FleetFrom[f], b.FleetFrom[f], "FleetFrom" + at);
    d.Check(a.FleetTo[f], b.FleetTo[f], "FleetTo" + at);
    d.Check(a.FleetOwner[f], b.FleetOwner[f], "FleetOwner" + at);
    d.Check(a.FleetShips[f], b.FleetShips[f], "FleetShips" + at);
    d.Check(a.FleetClass[f], b.FleetClass[f], "FleetClass" + at);
    d.Check(a.FleetShield[f], b.FleetShield[f], "FleetShield" + at);
    d.Check(a.FleetTimeLeft[f], b.FleetTimeLeft[f], "FleetTimeLeft" + at);
    d.Check(a.FleetTripTime[f], b.FleetTripTime[f], "FleetTripTime" + at);
    d.Check(a.FleetAngleParam[f], b.FleetAngleParam[f], "FleetAngleParam" + at);
  }
  for (int k = 0; k < kUsedBombSlots; ++k) {
    const std::string at = " of bomb " + std::to_string(k);
    d.Check(a.ProxBombOwner[k], b.ProxBombOwner[k], "ProxBombOwner" + at);
    d.Check(a.ProxBombWorld[k], b.ProxBombWorld[k], "ProxBombWorld" + at);
    d.Check(a.ProxBombThreshold[k], b.ProxBombThreshold[k], "ProxBombThreshold" + at);
  }
  return d.list;
}

}  // namespace zarnath::testing
