#include "net/start_state.h"

#include "engine/turn.h"
#include "model/game.h"
#include "net/lobby.h"
#include "net/net_session.h"

namespace zarnath {

int StateFrames(Tag tag) {
  switch (tag) {
    case Tag::kNP:
    case Tag::kYear:
    case Tag::kTurn:
    case Tag::kTime:
    case Tag::kGH:
      return 1;
    case Tag::kN:
    case Tag::kPV:
      return kSeats;
    case Tag::kBO:
    case Tag::kBW:
    case Tag::kBT:
      return kUsedBombSlots;
    default:
      break;
  }
  const MessageEntry& e = Entry(tag);
  if (e.world != WorldField::kNone) return kMaxWorlds;
  if (e.fleet != FleetField::kNone) return kUsedFleetSlots;
  return 0;
}

void StartState::Begin() {
  const bool coming = begun_;
  *this = StartState{};
  begun_ = true;
  first_ = !coming;
}

void StartState::Took(Tag tag, int index) {
  if (begun_ && index >= 0 && index < StateFrames(tag))
    taken_[static_cast<size_t>(tag)].set(static_cast<size_t>(index));
}

void StartState::Refused(Tag tag, int index, std::string_view payload) {
  if (!begun_ || !refused_.empty() || index < 0 || index >= StateFrames(tag)) return;
  double year = 0;
  if (tag == Tag::kYear && ReadNumber(payload, year) && year < 1.0) {
    const size_t from = payload.find_first_not_of(' ');
    refused_ = "The year " + std::string(payload.substr(from, payload.find_last_not_of(' ') + 1 - from)) +
               " is before 1.00.";
    return;
  }
  constexpr size_t kShown = 40;
  refused_ = "Refused: " + Frame(tag, index, payload.substr(0, kShown));
  refused_.pop_back();  // the frame's end
}

bool StartState::Complete() const {
  if (!begun_ || !refused_.empty()) return false;
  for (int t = 0; t < kTagCount; ++t)
    if (taken_[static_cast<size_t>(t)].count() != static_cast<size_t>(StateFrames(static_cast<Tag>(t))))
      return false;
  return true;
}

std::string StartState::Fault() const {
  if (!refused_.empty()) return refused_;
  if (!begun_) return "Missing: " + std::string(Entry(Tag::kNP).tag) + " 00";
  for (const MessageEntry& e : Entries())
    for (int i = 0; i < StateFrames(e.id); ++i)
      if (!taken_[static_cast<size_t>(e.id)].test(static_cast<size_t>(i))) {
        std::string frame = Frame(e.id, i, "");
        frame.pop_back();
        return "Missing: " + frame;
      }
  return {};
}

void LeaveOnIncompleteState(NetSession& s) {
  Game& g = s.game;
  const std::string fault = s.start.Fault();
  // Nothing more of this host is taken: the close tells the receiver, which forgets the state the
  // host began and what waits behind it.
  g.io.net.CloseSocket(0);
  g.io.platform.MessageBox("Incomplete Game From Server!  Exiting Game\r" + fault, "Zarnath", Buttons::kOk);
  if (!g.GameInProgress || g.window.SetupVisible) {
    // From the lobby back to the server search.
    ClientConnectionLost(g, false);
    return;
  }
  // From the game window back to a fresh setup window, as when the host is lost.
  ReleaseAbandonedGame(g);
  g.SeatStatus[0] = TurnStatus::kDisconnected;
  g.io.screen.Refresh(Control::kLblStatus);
  g.io.net.CloseAll();
  g.NetworkGame = false;
  g.GameInProgress = false;
  g.window.Visible = false;
  g.io.screen.ReturnToSetup();
}

}  // namespace zarnath
