#include "net/turn_stream.h"

#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/view_rules.h"

namespace zarnath {
namespace {

// A whole number from a payload, or -1.
int WholeOf(std::string_view payload) {
  double v = 0;
  if (!ReadNumber(payload, v) || v < 0 || v > 1e6) return -1;
  return static_cast<int>(v);
}

// Whether home world `w` can have a pulse bomb go off: armed here (this seat armed it), or, for
// another seat's arming that the host has not told yet, a bomb to arm it with.
bool HoldsPulseBomb(const GameState& g, int w) {
  if (w < kHomeWorld0 || w >= kHomeWorld0 + kSeats || !WorldInPlay(g, w)) return false;
  if (g.PlayerName[static_cast<size_t>(w - kHomeWorld0)].empty()) return false;
  return PulseArmedOn(g, w) || g.WorldBombs[static_cast<size_t>(w)] >= 1;
}

}  // namespace

bool TurnStream::Admits(const GameState& g, Tag tag, int index, std::string_view payload) const {
  // The steps of the fleet movement come after the turn of the year, each shown first.
  const bool movement = open_ && rotated_ && staged_ && battleSlot_ < 0;
  switch (tag) {
    case Tag::kEndTurn:
      // An honest host ends a turn only when every seat in play has finished it, this one too.
      // Inside a state still coming too: the host may end turns in the yields of its sends, and
      // its frames before a turn hold what came before it, those after it what came after. A seat
      // with no world is done with each of them; a seat in play only with the one its Done ended.
      return !open_ && g.TurnDone;
    case Tag::kGalaxyRotate:
      return open_ && !rotated_;
    case Tag::kTravelShow:
    case Tag::kTravelHide:
      return open_;
    case Tag::kPulseBomb:
      return open_ && !rotated_ && staged_ && !pulsed_[static_cast<size_t>(index - kHomeWorld0)] &&
             HoldsPulseBomb(g, index);
    case Tag::kProximity: {
      const int bomb = WholeOf(payload);
      return movement && bomb >= 0 && bomb < kUsedBombSlots && g.ProxBombOwner[static_cast<size_t>(bomb)] > 0;
    }
    case Tag::kSend: {
      // Every object of the turn was told before the year turned: none comes in as they move.
      if (!open_ || !rotated_ || g.FleetFrom[static_cast<size_t>(index)] != 0) return true;
      const auto record = ParseFleetRecord(payload);
      return !record || record->from == 0;
    }
    case Tag::kReinforcements:
    case Tag::kScout:
    case Tag::kProximitySet:
    case Tag::kBattleAccu:
    case Tag::kBattleSetup:
      return movement;
    case Tag::kFromHit:
    case Tag::kToHit: {
      // Only a side with ships left fires, and the battle is over once a side has none.
      const int side = tag == Tag::kFromHit ? battle_data::kAttacker : battle_data::kDefender;
      return open_ && battleSlot_ == index && !battleOver_ &&
             g.BattleData[static_cast<size_t>(side)][battle_data::kShipsLeft] >= 1;
    }
    case Tag::kFrameUpdate:
      return open_ && battleSlot_ == index;
    case Tag::kBattleDone:
      return open_ && rotated_ && staged_ && (battleSlot_ < 0 || battleSlot_ == WholeOf(payload));
    default:
      return true;
  }
}

void TurnStream::Took(const GameState& g, Tag tag, int index) {
  switch (tag) {
    case Tag::kNP:
    case Tag::kShow:
      // A game's state, new or sent again, starts outside any turn.
      *this = TurnStream{};
      break;
    case Tag::kEndTurn:
      *this = TurnStream{};
      open_ = true;
      break;
    case Tag::kGalaxyRotate:
      rotated_ = true;
      staged_ = false;
      break;
    case Tag::kTravelShow:
      // A new step: a battle before it is over, whatever became of its end.
      staged_ = true;
      battleSlot_ = -1;
      battleOver_ = false;
      break;
    case Tag::kPulseBomb:
      pulsed_[static_cast<size_t>(index - kHomeWorld0)] = true;
      staged_ = false;
      break;
    case Tag::kProximity:
    case Tag::kReinforcements:
    case Tag::kScout:
    case Tag::kProximitySet:
      staged_ = false;
      break;
    case Tag::kBattleSetup:
      battleSlot_ = index;
      battleOver_ = false;
      break;
    case Tag::kFromHit:
    case Tag::kToHit: {
      const int target = tag == Tag::kFromHit ? battle_data::kDefender : battle_data::kAttacker;
      if (g.BattleData[static_cast<size_t>(target)][battle_data::kShipsLeft] <= 0) battleOver_ = true;
      break;
    }
    case Tag::kBattleDone:
      battleSlot_ = -1;
      staged_ = false;
      break;
    case Tag::kTravelHide:
      *this = TurnStream{};
      break;
    default:
      break;
  }
}

}  // namespace zarnath
