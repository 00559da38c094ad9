// The network's part of a turn: what the rules tell (model/turn_events.h) becomes the frames of
// the game protocol. A network host sends every step of its resolution to its clients, before it
// shows the step itself; the clients decode the frames into the same steps (net/protocol.cpp).
#pragma once

#include "model/turn_events.h"

namespace zarnath {
class Game;

class Broadcast : public TurnListener {
 public:
  // Listens to the game's events until it is destroyed.
  explicit Broadcast(Game& game);
  ~Broadcast() override;
  Broadcast(const Broadcast&) = delete;
  Broadcast& operator=(const Broadcast&) = delete;

  void Heard(Game& g, const TurnEvent& event) override;

 private:
  Game& game_;
};

}  // namespace zarnath
