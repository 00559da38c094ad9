// The whole state of a game as a client takes it from its host: from [NP], the world count, to
// the game log, every frame of the players, the clock, the worlds, the travel slots and the
// proximity bombs. [SHOW] opens the game window only on a complete state, every frame of it
// taken; on any other the client leaves the game and says why.
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "net/protocol.h"

namespace zarnath {
class NetSession;

// How many frames of `tag` a whole state holds, with the indexes 0 to that count less one.
int StateFrames(Tag tag);

class StartState {
 public:
  // An [NP]: a new state begins, and nothing of it has come yet.
  void Begin();
  // A frame the client took, or refused, while a state comes.
  void Took(Tag tag, int index);
  void Refused(Tag tag, int index, std::string_view payload);
  // A state has begun ([NP]) and its window has not opened on it yet.
  bool Coming() const { return begun_; }
  // The last [NP] began a state while none was coming (an [NP] again before the window opens
  // begins the same state afresh).
  bool First() const { return first_; }
  // Every frame of the state taken since [NP], none refused.
  bool Complete() const;
  // Why the state is not complete: the first frame refused, else the first one missing.
  std::string Fault() const;

 private:
  bool begun_ = false;
  bool first_ = false;
  std::array<std::bitset<kUsedFleetSlots>, kTagCount> taken_{};
  std::string refused_;
};

// A [SHOW] after a state that is not complete: the client closes its link to the host, says why
// and leaves the game (from its lobby back to the server search, from its game window back to a
// fresh setup window).
void LeaveOnIncompleteState(NetSession& s);

}  // namespace zarnath
