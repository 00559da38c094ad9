// The receiver of the game protocol on one machine, host or client: it keeps one buffer per
// connection, cuts the bytes into frames, and hands each frame, one at a time, to its tag's
// handler in the message table. Frames that arrive while a handler runs (the show of its step
// pauses and yields, and the yields let the sockets deliver) wait in line behind it, and so do the
// openings and losses of connections: a connection's frames are handled in the order they came
// and before its loss.
// The connections take turns, a frame each, so one that floods the host delays the others by
// no more than a frame.
//
// On the host it takes from a client only what a client sends, and checks every order against
// the game before applying it. The session's broadcast sends what the game's rules tell.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "model/game_state.h"
#include "model/ports.h"
#include "net/broadcast.h"
#include "net/messages.h"
#include "net/start_state.h"
#include "net/turn_stream.h"

namespace zarnath {
class Game;

class NetSession : public NetworkEvents {
 public:
  // Registers itself as the receiver of the game's network port.
  explicit NetSession(Game& game);
  ~NetSession() override;
  NetSession(const NetSession&) = delete;
  NetSession& operator=(const NetSession&) = delete;

  void DataArrival(int element, const std::string& bytes) override;
  void ConnectionOpened(int element) override;
  void ConnectionLost(int element) override;
  // A connection this machine closed: what waits from it is thrown away, and on a client whose
  // link to its host it closed, whatever of the host's state or turn had begun is forgotten and
  // the game it left part-way holds no lock or clock (every way out of a lobby or a game).
  void ConnectionClosed(int element) override;
  size_t FramesWaiting(int element) const override;
  bool LeftWaiting() const override { return leftWaiting_; }
  void HandleLeftWaiting() override;
  bool LeftUntilYieldsEnd() const override { return leftWaiting_ && leftForYields_; }
  // Whether anything waits to be handled after the frame in hand.
  bool MoreWaiting() const;

  Game& game;
  // The game's steps as frames to the other machines.
  Broadcast broadcast{game};
  // This machine hosts: the role its lobby or game start set.
  bool IsHost() const;

  // The chat line of a [MESSAGE] frame (payload as received) that arrives before a game is set
  // up (a game's lines follow the chat's rules). Unset, the line goes to the chat box and the host
  // echoes it to every client.
  std::function<void(int element, const std::string& line)> onChat;
  // A client seated or gone on the host, the host lost on a client; after the session's own steps.
  std::function<void(int element)> onConnectionOpened;
  std::function<void(int element)> onConnectionLost;

  // What the receiver did, for the tests and the log.
  int handled = 0;
  int dropped = 0;  // frames refused: malformed, out of range, not this machine's to take, forged
  std::string lastDropped;

  // A pulse bomb armed by a client's [PT] whose bomb the following [PB] takes.
  std::array<bool, kWorldSlots> pulseChargeDue{};
  // On a client: what has come of the game's state since its [NP].
  StartState start;

 private:
  // What waits on one connection: a frame, or its opening or loss.
  struct Waiting {
    enum class Kind { kFrame, kOpened, kLost } kind;
    std::string frame;
  };
  void Drain();
  // Throws away what waits from connection `element`.
  void ForgetWaiting(int element);
  // A client's next frame begins a new state while a step of this machine yields.
  bool NewStateMustWait(const Waiting& next) const;
  void Dispatch(int element, const std::string& text);
  // On a client whose link to its host ended (lost or closed here) or opened anew. A state or a
  // turn left part-way leaves the game's records half written: the game is marked so, and the
  // answer is true.
  bool ForgetHostsState();
  void Opened(int element);
  void Lost(int element);

  std::array<FrameBuffer, kSeats> buffers_{};
  std::array<std::deque<Waiting>, kSeats> waiting_{};
  std::array<size_t, kSeats> framesWaiting_{};
  TurnStream turnStream_;  // a client's place in its host's turn
  int nextTurn_ = 0;       // the connection whose turn comes next
  bool draining_ = false;
  bool turnOpened_ = false;     // the frame in hand opened this client's next turn
  bool leftWaiting_ = false;    // what waits is handled at a later pass of the event loop
  bool leftForYields_ = false;  // ... once the steps that yield below it are done
  bool recountDue_ = false;     // a seat was lost in a game: the end-of-turn count runs again
};

}  // namespace zarnath
