// Where a client stands in its host's stream of one turn, and which steps may come next. A turn
// opens with [ENDTURN] and ends with [TRAVELHIDE]. Inside it the armed pulse bombs go off, each
// home world's at most once, before the year turns; the year turns once; then the objects in
// flight move and land. Each pulse bomb, proximity hit and arrival is shown ([TRAVELSHOW])
// before it is played, and the shots of a battle fall between its set-up and its end. A step
// that no turn can hold where it stands (a second turn of the year, a step that was not shown,
// a step outside a turn, a pulse bomb on a world that holds none, a proximity hit by an empty
// bomb slot, a shot after a battle's last ship, an object that comes into an empty slot once the
// objects move, so that none lands twice) is refused like any other impossible frame, so
// a host cannot keep a client's window replaying steps without end. Nor can it run turns one
// after another: a client whose seat is in play takes a turn's end only once it has finished
// that turn itself (its Done went out, or it has nothing left to order). Turns inside a new state
// of its host's, however many, are played as they come, each frame in its place: a seat with no
// world has finished each as it opens, a seat in play only the one its Done went out for. The
// window opens on the state's [SHOW], not on a turn's end.
#pragma once

#include <array>
#include <string_view>

#include "model/game_state.h"
#include "net/protocol.h"

namespace zarnath {

class TurnStream {
 public:
  // Whether a client may take the frame of `tag` here; frames that are no steps of a turn may
  // always come.
  bool Admits(const GameState& g, Tag tag, int index, std::string_view payload) const;
  // Moves past a frame the client has taken (`g` as the frame left it).
  void Took(const GameState& g, Tag tag, int index);
  bool Open() const { return open_; }

 private:
  bool open_ = false;                  // between [ENDTURN] and [TRAVELHIDE]
  bool rotated_ = false;               // the year has turned in this turn
  bool staged_ = false;                // a step was shown and not yet played
  int battleSlot_ = -1;                // the travel slot whose battle is set up and not yet decided
  bool battleOver_ = false;            // a side of that battle has no ships left: no more shots
  std::array<bool, kSeats> pulsed_{};  // home worlds whose pulse bomb went off in this turn
};

}  // namespace zarnath
