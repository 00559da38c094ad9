#include "net/net_session.h"

#include "engine/event_notices.h"
#include "engine/turn.h"
#include "model/game.h"
#include "model/setup_rules.h"
#include "net/lobby.h"
#include "net/protocol.h"

namespace zarnath {

NetSession::NetSession(Game& g) : game(g) {
  game.io.net.SetEvents(this);
}

NetSession::~NetSession() {
  game.io.net.SetEvents(nullptr);
}

bool NetSession::IsHost() const {
  return game.setup.OptServerClient0;
}

void NetSession::DataArrival(int element, const std::string& bytes) {
  if (element < 0 || element >= kSeats) return;
  for (std::string& frame : buffers_[static_cast<size_t>(element)].Append(bytes))
    waiting_.emplace_back(element, std::move(frame));
  Drain();
}

void NetSession::ConnectionOpened(int element) {
  if (element < 0 || element >= kSeats) return;
  buffers_[static_cast<size_t>(element)].Clear();
  if (IsHost()) {
    if (element >= 1) HostConnectionOpened(game, element);
  } else if (element == 0) {
    ClientConnectionOpened(game);
  }
  if (onConnectionOpened) onConnectionOpened(element);
}

void NetSession::ConnectionLost(int element) {
  if (element < 0 || element >= kSeats) return;
  buffers_[static_cast<size_t>(element)].Clear();
  if (IsHost()) {
    // A seat lost in a game may end the turn; never in the middle of a frame's handling.
    if (element >= 1 && HostConnectionLost(game, element)) {
      if (draining_)
        recountDue_ = true;
      else
        RecountAfterLoss(game);
    }
  } else if (element == 0) {
    ClientConnectionLost(game, true);
  }
  if (onConnectionLost) onConnectionLost(element);
}

void NetSession::Drain() {
  // Frames that arrive while one is handled wait behind it, so each is handled once and in order.
  if (draining_) return;
  draining_ = true;
  while (!waiting_.empty()) {
    auto [element, text] = std::move(waiting_.front());
    waiting_.pop_front();
    Dispatch(element, text);
  }
  draining_ = false;
  if (recountDue_) {
    recountDue_ = false;
    RecountAfterLoss(game);
  }
}

void NetSession::Dispatch(int element, const std::string& text) {
  const auto refuse = [&] {
    ++dropped;
    lastDropped = text;
  };
  const auto frame = ParseFrame(text);
  if (!frame) return refuse();
  const MessageEntry* entry = FindEntry(frame->tag);
  if (!entry) return refuse();
  // The host takes from its clients only what a client sends; a client only what a host sends.
  const bool fromClient = IsHost();
  if (fromClient ? element < 1 || entry->sentBy == SentBy::kHost
                 : element != 0 || entry->sentBy == SentBy::kClient)
    return refuse();
  if (!IndexFits(entry->index, frame->index)) return refuse();
  const Incoming message{element, frame->index, frame->payload};
  if (!entry->handler(*this, message)) return refuse();
  ++handled;
}

}  // namespace zarnath
