// The whole state of a game sent to the network clients: the world count, the players, the
// clock, every world, travel slot and proximity bomb, the client's own log, the frame on which
// the client opens its game window, and the options after it.
#pragma once

#include <functional>
#include <string>

namespace zarnath {
class Game;

// The frames for the client on socket `client` (its player number), in the order they go out,
// each with whether the sender yields after it (not after the bomb and option frames).
void ForEachStateFrame(const Game& g, int client,
                       const std::function<void(std::string frame, bool yield)>& out);

// Sends every connected client its state. Events run after each frame as they come; a client's
// frames leave together once its last frame is sent. A client whose connection fails while it is
// served is named in one error box and left out; the clients after it are served, and those
// served before it are not served again.
void GalaxySync(Game& g);

}  // namespace zarnath
