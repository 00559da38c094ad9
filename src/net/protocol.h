// The game protocol in one table: every tag with the meaning of its index, the form of its
// payload, which machine sends it and the handler that applies it. The host builds its frames
// from this table, and every machine's receiver looks each arriving tag up in it, so a tag is
// written and read in one place.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/record_fields.h"

namespace zarnath {
class Game;
class NetSession;

enum class Tag : uint8_t {
  // lobby and chat
  kName,
  kMessage,
  kStatus,
  // the start of a game's state
  kNP,
  kN,
  kPV,
  kYear,
  kTurn,
  kTime,
  kGH,
  kShow,
  // one field of a world, a travel slot or a proximity bomb
  kS,
  kR,
  kM,
  kPN,
  kPP,
  kPC,
  kPH,
  kPM,
  kPD,
  kPO,
  kPS,
  kPY,
  kPT,
  kPB,
  kFP,
  kTP,
  kFO,
  kNS,
  kTC,
  kTS,
  kTD,
  kSD,
  kSS,
  kBO,
  kBW,
  kBT,
  // the game options
  kShield,
  kTruce,
  kMode,
  kMaxProd,
  kTreasures,
  kGather,
  kRadar,
  // a client's orders
  kSend,
  kUnsend,
  // the host's turn
  kEndTurn,
  kPulseBomb,
  kGalaxyRotate,
  kTravelShow,
  kProximity,
  kReinforcements,
  kScout,
  kProximitySet,
  kBattleAccu,
  kBattleSetup,
  kFromHit,
  kToHit,
  kFrameUpdate,
  kBattleDone,
  kTravelHide,
  kCount
};
inline constexpr int kTagCount = static_cast<int>(Tag::kCount);

// What the two index digits name; a frame whose index lies outside is dropped.
enum class IndexOf : uint8_t {
  kNone,       // always "00"
  kLobbySeat,  // 0..3
  kPlayer,     // 0..3
  kWorld,      // 0..29
  kHomeWorld,  // 8..11
  kSlot,       // travel slot 0..99
  kBomb,       // proximity-bomb slot 0..19
  kSide,       // battle side 1..2
};

// The form of the payload.
enum class PayloadOf : uint8_t {
  kNumber,       // a number as Str or a Format picture writes it, nothing after it
  kText,         // free text
  kWord,         // a fixed word the receiver does not read
  kFleetRecord,  // the 31 characters of one travel slot
};

// Which machine sends the tag: the host to its clients, a client to the host, or both.
enum class SentBy : uint8_t { kHost, kClient, kBoth };

struct MessageEntry;

struct Incoming {
  int element = 0;  // the socket it came on: 0 the host (on a client), 1..3 a client (on the host)
  int index = 0;
  std::string_view payload;             // with every "," already a "."
  const MessageEntry* entry = nullptr;  // the tag's entry in the table
};

// Applies one frame; false when its values do not fit the game and it changed nothing.
using MessageHandler = bool (*)(NetSession& session, const Incoming& message);

struct MessageEntry {
  Tag id;
  std::string_view tag;  // with its brackets, "[SEND]"
  IndexOf index;
  PayloadOf payload;
  SentBy sentBy;
  std::string_view word;  // the fixed word a kWord payload carries
  MessageHandler handler;
  // The world or travel-slot field the tag carries, if any: its value's form and range.
  WorldField world = WorldField::kNone;
  FleetField fleet = FleetField::kNone;
};

const MessageEntry& Entry(Tag tag);
// Every entry, in the order of Tag (the order in which the full state sends a world's and a slot's
// fields).
std::span<const MessageEntry> Entries();
// The entry of a tag as it came off the wire (exact, with case); nothing for an unknown tag.
const MessageEntry* FindEntry(std::string_view tag);
// Whether an index fits what the tag's index names.
bool IndexFits(IndexOf kind, int index);

// One frame of a tag: "[TAG] " & Format(index, "00") & payload & "*"; without a payload a
// fixed-word tag carries its word.
std::string Frame(Tag tag, int index, std::string_view payload);
std::string Frame(Tag tag, int index = 0);

// The frame by which a client of this program marks where it stands: sent once as it joins,
// right after its name, and again as each new state of a game begins to reach it. It is the recall of
// a free travel slot, which matches no object in flight on any host, so a host that does not look
// for it lets it pass with nothing changed; a host that does knows that what the client sends
// after it was given in the state it was sent last.
std::string StateMarkFrame();
// A network host takes connection `seat`'s mark: its first says that the client marks its states,
// each later one that one state sent to it is marked.
void HostTakesStateMark(Game& g, int seat);
// A network host sends connection `seat` a state; until the client marks it, what it sends was
// given in the game it had before.
void HostSendsState(Game& g, int seat);
// Whether what connection `seat` sends now was given in a game before the state it was sent last.
bool OnEarlierGame(const Game& g, int seat);

// A number payload read whole: leading blanks, a number, trailing blanks and nothing else.
bool ReadNumber(std::string_view payload, double& value);

}  // namespace zarnath
