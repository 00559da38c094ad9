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
  return HostRole(game);
}

void NetSession::DataArrival(int element, const std::string& bytes) {
  if (element < 0 || element >= kSeats) return;
  const size_t e = static_cast<size_t>(element);
  for (std::string& frame : buffers_[e].Append(bytes)) {
    waiting_[e].push_back(Waiting{Waiting::Kind::kFrame, std::move(frame)});
    ++framesWaiting_[e];
  }
  Drain();
}

void NetSession::ConnectionOpened(int element) {
  if (element < 0 || element >= kSeats) return;
  // A part-frame of whatever this socket carried before belongs to nobody now.
  buffers_[static_cast<size_t>(element)].Clear();
  waiting_[static_cast<size_t>(element)].push_back(Waiting{Waiting::Kind::kOpened, {}});
  Drain();
}

void NetSession::ConnectionLost(int element) {
  if (element < 0 || element >= kSeats) return;
  buffers_[static_cast<size_t>(element)].Clear();
  waiting_[static_cast<size_t>(element)].push_back(Waiting{Waiting::Kind::kLost, {}});
  Drain();
}

void NetSession::ConnectionClosed(int element) {
  if (element < 0 || element >= kSeats) return;
  ForgetWaiting(element);
  // A host's element 0 is its listener, which carries no frames.
  if (element == 0 && !IsHost() && ForgetHostsState()) ReleaseAbandonedGame(game);
}

size_t NetSession::FramesWaiting(int element) const {
  return element >= 0 && element < kSeats ? framesWaiting_[static_cast<size_t>(element)] : 0;
}

void NetSession::ForgetWaiting(int element) {
  if (element < 0 || element >= kSeats) return;
  const size_t e = static_cast<size_t>(element);
  buffers_[e].Clear();
  waiting_[e].clear();
  framesWaiting_[e] = 0;
  leftWaiting_ = leftWaiting_ && MoreWaiting();
}

bool NetSession::MoreWaiting() const {
  for (const auto& line : waiting_)
    if (!line.empty()) return true;
  return false;
}

void NetSession::Opened(int element) {
  if (IsHost()) {
    if (element >= 1) HostConnectionOpened(game, element);
  } else if (element == 0) {
    ForgetHostsState();
    ClientConnectionOpened(game);
  }
  if (onConnectionOpened) onConnectionOpened(element);
}

void NetSession::Lost(int element) {
  if (IsHost()) {
    // A seat lost in a game may end the turn: counted once nothing else waits.
    if (element >= 1 && HostConnectionLost(game, element)) recountDue_ = true;
  } else if (element == 0) {
    ForgetHostsState();
    ClientConnectionLost(game, true);
  }
  if (onConnectionLost) onConnectionLost(element);
}

bool NetSession::ForgetHostsState() {
  // A state or turn of a host that is gone never completes: the next host's first [NP] begins a
  // state of its own, which this client marks.
  const bool partWay = start.Coming() || turnStream_.Open();
  if (partWay) game.StateLeftPartWay = true;
  game.StateComing = false;
  start = StartState{};
  turnStream_ = TurnStream{};
  return partWay;
}

void NetSession::HandleLeftWaiting() {
  if (!leftWaiting_ || draining_) return;
  leftWaiting_ = false;
  Drain();
}

void NetSession::Drain() {
  // What arrives while a frame is handled waits behind it, so each frame is handled once and in
  // its connection's order; the connections take turns. A client takes one turn of its host's at
  // a time: what follows a turn's end waits for the next pass of the event loop.
  if (draining_ || leftWaiting_) return;
  draining_ = true;
  leftForYields_ = false;
  for (;;) {
    if (turnOpened_) {
      turnOpened_ = false;
      leftWaiting_ = MoreWaiting();
      if (leftWaiting_) break;
    }
    int element = -1;
    for (int k = 0; k < kSeats && element < 0; ++k) {
      const int e = (nextTurn_ + k) % kSeats;
      if (!waiting_[static_cast<size_t>(e)].empty()) element = e;
    }
    if (element < 0) break;
    const size_t e = static_cast<size_t>(element);
    if (NewStateMustWait(waiting_[e].front())) {
      // A step of this machine's yields (an order going out, a Done): the game must not change
      // under it. The new state waits until the step is done.
      leftWaiting_ = true;
      leftForYields_ = true;
      break;
    }
    nextTurn_ = (element + 1) % kSeats;
    Waiting next = std::move(waiting_[e].front());
    waiting_[e].pop_front();
    switch (next.kind) {
      case Waiting::Kind::kFrame:
        --framesWaiting_[e];
        Dispatch(element, next.frame);
        break;
      case Waiting::Kind::kOpened:
        Opened(element);
        break;
      case Waiting::Kind::kLost:
        Lost(element);
        break;
    }
  }
  draining_ = false;
  if (recountDue_) {
    recountDue_ = false;
    RecountAfterLoss(game);
  }
}

bool NetSession::NewStateMustWait(const Waiting& next) const {
  return !IsHost() && next.kind == Waiting::Kind::kFrame && next.frame.starts_with(Entry(Tag::kNP).tag) &&
         game.io.platform.InsideYield();
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
  // A client takes a step of its host's turn only where a turn can hold it.
  if (!fromClient && !turnStream_.Admits(game, entry->id, frame->index, frame->payload)) return refuse();
  if (!fromClient && entry->id == Tag::kNP) start.Begin();
  const Incoming message{element, frame->index, frame->payload, entry};
  if (!entry->handler(*this, message)) {
    if (!fromClient) start.Refused(entry->id, frame->index, frame->payload);
    return refuse();
  }
  if (!fromClient) {
    turnStream_.Took(game, entry->id, frame->index);
    start.Took(entry->id, frame->index);
    if (entry->id == Tag::kTravelHide) turnOpened_ = true;
  }
  ++handled;
}

}  // namespace zarnath
