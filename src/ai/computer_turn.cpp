#include "ai/computer_turn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "ai/pulse_command.h"
#include "ai/turn_tables.h"
#include "engine/launch.h"
#include "engine/turn.h"
#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/nearest.h"
#include "model/numbers.h"
#include "model/travel_time.h"
#include "model/truce.h"

namespace zarnath {
namespace {

// Reach of the home-world radar, in orbit units.
constexpr double kRadarReach = 80.0;
// Targets further than this (years) are not judged; gathering sources further than this not used.
constexpr double kTargetReach = 0.52;
constexpr double kGatherReach = 0.515;
// Intelligence this many turns old is unusable, and older than the renewal age is renewed.
constexpr int kIntelligenceExpiry = 10;
constexpr int kIntelligenceRenewal = 5;

float Csng(double v) {
  return static_cast<float>(v);
}

class Turn {
 public:
  explicit Turn(Game& g) : g_(g), seat_(g.CurrentPlayer), own_(g.CurrentPlayer + 1) {
    const double level = Val(g.setup.txtAI[static_cast<size_t>(seat_)]);
    // The level is how many rows of each nearest list are weighed (the list holds six).
    reach_ = static_cast<int>(RoundEven(std::clamp(level - 1.0, -1.0, kNearestRows - 1.0)));
    turn_ = TurnOf(g);
  }

  void Run() {
    Start();
    PulseDefence();
    CountOpenTargets();
    BuildCandidates();
    OrderCandidates(g_, candidates_);
    Decide();
    MeasureExposure();
    OrderExposure(g_, exposure_);
    Gather();
    SwitchShields();
    Finish();
  }

 private:
  void Yield() { g_.io.platform.Yield(); }

  void Start() {
    g_.window.txtMove.Text.clear();
    g_.io.screen.Refresh(Control::kTxtMove);
    g_.menus.mnuFile.Enabled = false;
    g_.InputBusy = true;
  }

  // Where an object in flight is now, on its path, relative to the sun.
  bool PositionNow(int slot, double& x, double& y) const {
    const int from = g_.FleetFrom[slot] - 1, to = g_.FleetTo[slot] - 1;
    if (from < 0 || from >= kWorldSlots || to < 0 || to >= kWorldSlots || g_.WorldRadius[from] == 0.0f)
      return false;
    const double trip = g_.FleetTripTime[slot];
    const double e = (trip - static_cast<float>(g_.FleetTimeLeft[slot])) * kTicksPerYear;
    const double rFrom = g_.WorldRadius[from];
    const double angle = g_.WorldAngle[from] +
                         e * g_.FleetAngleParam[slot] * g_.WorldRadius[kHomeWorld0] / (rFrom * kTicksPerYear);
    const double dR = RoundEven(rFrom - g_.WorldRadius[to]);
    double span = trip * kTicksPerYear - 1.0;
    if (span == 0.0) span = 1.0;
    const double radius = rFrom - e * dR / span;
    x = radius * std::cos(angle);
    y = radius * std::sin(angle);
    return true;
  }

  // Pulse defence: a home world threatened by more than its shield and ships can hold arms its pulse bomb.
  void PulseDefence() {
    if (g_.setup.OptRadar[1]) return;
    for (int w = kHomeWorld0; w < kHomeWorld0 + kSeats; ++w) {
      if (!CanArmPulseBomb(g_, g_.CurrentPlayer, w)) continue;
      const double wx = g_.WorldRadius[w] * std::cos(static_cast<double>(g_.WorldAngle[w]));
      const double wy = g_.WorldRadius[w] * std::sin(static_cast<double>(g_.WorldAngle[w]));
      // The ship-count code is added as it stands: a bomb counts 9999 (or its proximity code).
      double threat = 0;
      for (int j = 0; j < kUsedFleetSlots; ++j) {
        if (g_.FleetFrom[j] == 0 || g_.FleetOwner[j] == own_) continue;
        if (static_cast<float>(g_.FleetTimeLeft[j]) == g_.FleetTripTime[j]) continue;  // not moved yet
        double x = 0, y = 0;
        if (!PositionNow(j, x, y)) continue;
        if (std::sqrt((x - wx) * (x - wx) + (y - wy) * (y - wy)) > kRadarReach) continue;
        if (g_.FleetTo[j] == w + 1 || g_.FleetShips[j] == kAnnihilationBomb)
          threat = RoundEven(threat + g_.FleetShips[j]);
      }
      if (Csng(g_.WorldShield[w] + static_cast<double>(g_.WorldShips[w])) < threat) ArmPulseBomb(g_, w);
    }
  }

  // The worlds this player's fleets and bombs (not scouts) are bound for, one bit a world; read
  // again after every launch of the turn.
  void FindAttacks() { attacked_ = OwnAttackTargets(g_, own_); }
  bool OwnAttackUnderWay(int target) const {
    return target >= 0 && target < kWorldSlots && (attacked_ >> target & 1u);
  }
  void Send(const LaunchOrder& order) {
    Launch(g_, order);
    FindAttacks();
  }
  // A fleet of `percent` of the source's ships.
  void SendShare(int s, int t, double percent) { Send(LaunchOrder::Fleet(s, t, FleetShare(g_, s, percent))); }

  // Open targets: worlds still worth a new attack.
  void CountOpenTargets() {
    FindAttacks();
    modeFactor_ = g_.setup.chkMode != 0 ? 1.25f : 1.0f;
    open_ = 0;
    for (int i = 0; i < g_.WorldCount; ++i) {
      if (g_.WorldOwner[i] == own_) continue;
      if (TruceProtects(g_, seat_, i)) continue;
      ++open_;
      if (OwnAttackUnderWay(i)) --open_;
    }
  }

  bool HoldsShipsOrBombs(int w) const { return g_.WorldShips[w] > 0.0f || g_.WorldBombs[w] >= 1; }

  // Target lists: the nearest targets of every own world that can send something.
  void BuildCandidates() {
    for (int w = 0; w < g_.WorldCount; ++w) {
      if (g_.WorldOwner[w] != own_ || !HoldsShipsOrBombs(w)) continue;
      // Only the rows the level weighs count; the exposure measure lists every row afresh.
      NearestFrom(g_, w, own_, reach_ + 1, lastAnswer_);
      for (int k = 0; k <= reach_; ++k) {
        if (!(g_.NearestList[k][1] < kEmptyNearestYears) || candidates_.size() >= kMaxCandidates) continue;
        candidates_.push_back({static_cast<float>(w), g_.NearestList[k][0], g_.NearestList[k][1]});
      }
      Yield();
    }
  }

  // An object of this player that reaches the target before a scout sent now would.
  bool ArrivesSooner(int target, float years) const {
    for (int s = 0; s < kUsedFleetSlots; ++s)
      if (g_.FleetFrom[s] > 0 && g_.FleetOwner[s] == own_ && g_.FleetTo[s] == target + 1 &&
          static_cast<float>(g_.FleetTimeLeft[s]) < years)
        return true;
    return false;
  }

  void ScoutUnlessSooner(int s, int target, float years) {
    if (!ArrivesSooner(target, years)) Send(LaunchOrder::Scout(s, target));
  }

  void SendBomb(int s, int t) {
    Send(LaunchOrder::Bomb(s, t));
    --open_;
  }

  // Orders: attack, bomb or scout each candidate in order.
  void Decide() {
    for (const CandidateRow& c : candidates_) {
      const int s = static_cast<int>(c.source), t = static_cast<int>(c.target);
      const float y = c.years;
      if (g_.WorldShips[s] <= 0.0f && g_.WorldBombs[s] <= 0) continue;
      g_.SelectedFrom = static_cast<int16_t>(s);
      g_.SelectedTo = static_cast<int16_t>(t);
      const double S = g_.WorldShips[s];
      const int classS = g_.WorldClass[s], classT = g_.WorldClass[t];
      const float gf =
          classS > classT && classT > 0 ? Csng(static_cast<double>(classS) / classT / 2.0 + 0.5) : 1.0f;
      const int sh = g_.setup.chkShield != 0 ? g_.WorldShield[s] : 0;
      if (OwnAttackUnderWay(t) || y > kTargetReach) continue;

      // What the player knows of the target.
      const bool crystal = g_.HasCrystal[static_cast<size_t>(seat_)] == 1 && g_.WorldOwner[t] == 0;
      const auto& intel = g_.ScoutInfo[static_cast<size_t>(seat_)];
      const int t0 = intel[0][t], intelClass = intel[1][t];
      double G = 0, P = 0, Q = 0, H = 0;
      if (crystal) {
        G = Int((y + 0.05) / 0.05);
        P = g_.WorldProduction[t];
        Q = g_.WorldShips[t];
        H = g_.WorldShield[t];
      } else if (intelClass <= 0 || t0 <= turn_ - kIntelligenceExpiry) {
        Unknown(s, t, y, S);
        continue;
      } else {
        // The turn in which an object sent now arrives.
        const double arrival = turn_ + Int((y + 0.0501) / 0.05);
        G = arrival - t0;
        P = intel[2][t];
        Q = intel[3][t];
        H = intel[4][t];
      }
      const double f = modeFactor_;
      const double D = (G * P + Q) * f + H * gf;

      if (S > 0 && Csng(D) <= Csng(gf * S + sh) && Csng(D / 2.0) <= Csng(gf * S)) {
        double pct = RoundEven(
            Int(((G * P + Q) * f / gf + H - sh / static_cast<double>(gf)) / S * 4.0 + 0.999) * 25.0);
        if (pct <= 0) pct = 25;
        const float sent = Csng(pct * S / 100.0 * gf);
        if (Csng(D / 2.0) > sent) pct = RoundEven(Int(D / 2.0 / gf / S * 4.0 + 0.999) * 25.0);
        SendShare(s, t, static_cast<float>(pct));
        --open_;
        continue;
      }

      const double V = g_.MaxProduction;
      const double richBar = (V - 15.0) * 2.0 / 3.0 + 14.0;
      if (crystal) {
        if (g_.WorldBombs[s] > 0 && (richBar <= g_.WorldProduction[t] + g_.WorldClass[t] ||
                                     g_.WorldCount / 6.0 > static_cast<double>(open_)))
          SendBomb(s, t);
      } else if (g_.WorldBombs[s] > 0 && richBar <= P + intelClass) {
        SendBomb(s, t);
      } else if (S > 0 && t0 < turn_ - kIntelligenceRenewal) {
        ScoutUnlessSooner(s, t, y);
      }
    }
  }

  // Unknown targets: a target without usable intelligence.
  void Unknown(int s, int t, float y, double S) {
    const double V = g_.MaxProduction;
    if (S > 0 && g_.WorldKnownStat[t] == 5 && g_.WorldOwner[t] == 0) {
      // Its ships are public; its production is taken at the maximum.
      const double growth = Int((y + 0.05) / 0.05);
      const double X = (growth * V + g_.WorldShips[t]) * modeFactor_;
      if (Csng(X) <= S && y < 0.2) {
        SendShare(s, t, static_cast<float>(Int(X / S * 4.0 + 0.999) * 25.0));
        --open_;
      } else {
        ScoutUnlessSooner(s, t, y);
      }
    } else if (g_.WorldKnownStat[t] == 1 && g_.WorldOwner[t] == 0 && g_.WorldBombs[s] > 0) {
      // Its production is public: a rich world is worth a bomb.
      if ((V - 15.0) * 2.0 / 3.0 + 9.0 <= g_.WorldProduction[t])
        SendBomb(s, t);
      else
        ScoutUnlessSooner(s, t, y);
    } else if (S > 0) {
      ScoutUnlessSooner(s, t, y);
    }
  }

  // Exposure: how quickly the nearest foreign worlds can reach each own world; small is exposed.
  void MeasureExposure() {
    // Nothing is launched while the exposure is measured: the worlds under attack stay the same.
    FindAttacks();
    for (int w = 0; w < g_.WorldCount; ++w) {
      if (g_.WorldOwner[w] != own_) continue;
      PNearestFrom(g_, w, own_, 3, attacked_, lastAnswer_);
      float sum = 0;
      for (int k = 0; k < kNearestRows; ++k)
        sum = Csng(sum + g_.NearestList[k][1] / static_cast<double>((k + 1) * (k + 1)));
      exposure_.push_back({static_cast<float>(w), sum});
      Yield();
    }
  }

  // Gathering: ships and bombs of the nearest own worlds go to the most exposed valuable worlds.
  void Gather() {
    const int rows = static_cast<int>(exposure_.size());
    front_ = rows / 6;
    std::array<bool, kWorldSlots> used{};
    for (int i = 0; i < rows; ++i) {
      const int w = static_cast<int>(exposure_[static_cast<size_t>(i)].world);
      if (!(WorldValue(g_, w) >= 4.0) || open_ <= 0) continue;
      if (i <= front_) used[static_cast<size_t>(w)] = true;
      NearestTo(g_, w, own_, lastAnswer_);
      for (int k = 0; k <= reach_; ++k) {
        if (g_.NearestList[k][0] <= -1.0f || g_.NearestList[k][1] > kGatherReach) continue;
        const int src = static_cast<int>(g_.NearestList[k][0]);
        if ((g_.WorldBombs[src] <= 0 && g_.WorldShips[src] <= static_cast<float>(turn_)) ||
            used[static_cast<size_t>(src)])
          continue;
        if (AnythingUnderWay(w, src)) continue;
        g_.SelectedFrom = static_cast<int16_t>(src);
        g_.SelectedTo = static_cast<int16_t>(w);
        if (g_.WorldShips[src] > static_cast<float>(turn_)) SendShare(src, w, 100.0);
        if (g_.WorldBombs[src] > 0) Send(LaunchOrder::Bomb(src, w));
        used[static_cast<size_t>(src)] = true;
        used[static_cast<size_t>(w)] = true;
      }
    }
  }

  // An object of any owner already on its way from one world to the other.
  bool AnythingUnderWay(int from, int to) const {
    for (int s = 0; s < kUsedFleetSlots; ++s)
      if (g_.FleetFrom[s] > 0 && g_.FleetFrom[s] == from + 1 && g_.FleetTo[s] == to + 1) return true;
    return false;
  }

  // Shields: the most exposed worlds may charge their shields.
  void SwitchShields() {
    const bool othersSeated =
        !g_.PlayerName[1].empty() || !g_.PlayerName[2].empty() || !g_.PlayerName[3].empty();
    for (int i = 0; i <= front_ && i < static_cast<int>(exposure_.size()); ++i) {
      const int w = static_cast<int>(exposure_[static_cast<size_t>(i)].world);
      if ((othersSeated || g_.setup.chkShield == 1) && g_.WorldOwner[w] == own_) {
        if (g_.WorldShield[w] >= 100 || g_.WorldShips[w] <= static_cast<float>(turn_)) {
          g_.WorldShieldOn[w] = 0;
        } else {
          const int threshold = g_.setup.chkShield == 1 ? 50 : 80;
          g_.WorldShieldOn[w] = Int(static_cast<double>(g_.random.Next()) * 100.0) > threshold ? 1 : 0;
        }
      }
      Yield();
    }
  }

  void Finish() {
    SettleLastAnswer(g_, lastAnswer_);
    g_.InputBusy = false;
    g_.menus.mnuFile.Enabled = true;
    g_.io.platform.SetTimer(GameTimer::kAI, 10, true);
  }

  static constexpr size_t kMaxCandidates = 151;

  Game& g_;
  const int seat_;
  const int own_;
  int reach_ = 0;  // the level less one: the last row of a nearest list weighed
  int turn_ = 0;   // the turn number, which also dates intelligence
  float modeFactor_ = 1.0f;
  int open_ = 0;   // worlds still worth a new attack
  int front_ = 0;  // the last exposure row counted as a front world
  uint32_t attacked_ = 0;
  // Only the last nearest-world search's last answer can still stand when the turn ends.
  LastAnswer lastAnswer_;
  std::vector<CandidateRow> candidates_;
  std::vector<ExposureRow> exposure_;
};

}  // namespace

void ComputerTurn(Game& g) {
  if (g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats) return;
  Turn(g).Run();
}

void ComputerDoneTick(Game& g) {
  g.io.platform.SetTimer(GameTimer::kAI, 10, false);
  EndSeatTurn(g);
}

}  // namespace zarnath
