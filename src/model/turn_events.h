// What happens in a turn, as its rules tell it at the moment it happens. The rules change the
// game's records and tell each step (engine/turn_show.h, Tell); in the same call the network's
// broadcast turns it into frames (net/broadcast.h) and the show puts it on the window: notices,
// sounds, rings, redraws and the pauses between them. A network client decodes the host's frames
// into the same steps of the same rules, which tell the same events to the same show.
//
// Events are plain values: the slots, worlds and seats they concern and the texts the rules wrote
// for them. What the show draws beyond that it reads from the game as it stands when told.
#pragma once

#include <string>
#include <variant>

namespace zarnath {
class Game;

namespace turn_event {

// --- the end of a turn ---

// The host (or the single machine) starts to resolve the turn: the table of objects in flight is
// in order. (The clients get the whole table.)
struct ResolutionBegan {};
// A network client has ended its turn and waits, locked, for its host's resolution.
struct ResolutionAwaited {};
// The window is readied for one step of the resolution: side lists and indicators hidden, input
// locked, nothing selected.
struct StepStaged {};
// A step has been shown; the window and the network catch up before the next.
struct StepEnded {};
// The host lets a shown step stand for a second before the next.
struct StepHeld {};
// The object in a travel slot changed (moved on, destroyed, landed): the clients learn the slot
// as it now stands.
struct SlotChanged {
  int slot = 0;
};
// The pulse bomb armed on a home world is about to go off.
struct PulseBombDue {
  int world = 0;
};
// The orbits are about to turn on by one turn.
struct YearEnding {};
// The orbit step begins: the window shows the new year's caption.
struct OrbitsTurning {};
// One tick of the orbit step has moved the worlds and the objects in flight.
struct OrbitTicked {};
// The orbit step is over: the year is in the human players' logs.
struct OrbitsTurned {};
// Every world has produced ships or charged its shield for the new turn.
struct WorldsProduced {
  // The host shows the new turn's side lists before its clients learn the worlds.
  static constexpr bool kShownBeforeSent = true;
};
// Proximity bomb `bomb` is about to destroy the object in travel slot `slot`.
struct ProximityBombDue {
  int slot = 0;
  int bomb = 0;
};
// The object in a travel slot has run out of time and is about to arrive.
struct ArrivalDue {
  int slot = 0;
};
// What an arriving object does at its destination.
enum class ArrivalKind { kReinforcements, kProximityBomb, kScout };
struct ArrivalResolving {
  int slot = 0;
  ArrivalKind kind = ArrivalKind::kReinforcements;
};
// The resolution is over: the next turn opens (on a client, the host's resolution has ended).
struct ResolutionEnded {};
// The seat whose turn opens sees its move log: the whole log on the machine that resolved the
// turn, its last part on a client.
struct MoveLogShown {
  bool whole = true;
};

// --- arrivals and bombs ---

// Ships (or a returning scout, or a bomb) reached a world of their owner. `shown`: the owner
// plays at this machine; `notice` is what its notice line says.
struct ReinforcementsArrived {
  int slot = 0;
  bool shown = false;
  std::string notice;
};
// The reinforcements have joined the world's ships (or bombs).
struct ReinforcementsJoined {
  int slot = 0;
  bool shown = false;
};
// A scout reports a foreign world to its owner.
struct ScoutReported {
  int slot = 0;
  bool shown = false;
  std::string notice;
};
// A proximity bomb was planted on its destination in bomb slot `bomb` (-1: every slot was armed
// and the bomb is lost).
struct ProximityBombPlanted {
  int slot = 0;
  int bomb = -1;
  bool shown = false;
  std::string notice;
};
// An arrival is over: its slot is free.
struct ArrivalFinished {
  int slot = 0;
  bool shown = false;
};
// Proximity bomb `bomb` went off on the object in `slot` (the bomb still stands in its slot).
struct ProximityBombFired {
  int slot = 0;
  int bomb = 0;
  std::string notice;
};
// The bomb that went off is gone; the object it hit is about to be cleared.
struct ProximityBombSpent {
  int slot = 0;
};
// The object a bomb destroyed is cleared from the table.
struct ObjectDestroyed {
  int slot = 0;
};
// The pulse bomb on a home world went off.
struct PulseBombWentOff {
  int world = 0;
};
// The pulse of a home world's bomb destroyed the object in `slot`.
struct ObjectPulsed {
  int slot = 0;
  int world = 0;
  std::string notice;
};
// The pulse is over; the home world's bomb is spent.
struct PulseBombSpent {
  int world = 0;
};

// --- battles ---

// A fleet attacks a foreign world: the battle's figures are set from the accuracies the host
// rolled.
struct BattleSetUp {
  int slot = 0;
};
// The host opens the battle it set up: the clients learn the accuracies and set it up alike.
struct BattleOpened {
  int slot = 0;
  // The host shows the set-up before its clients learn it.
  static constexpr bool kShownBeforeSent = true;
};
// The next shot of the battle is due (at the pace of the shot delay).
struct ShotDue {
  int slot = 0;
};
// A shot of side `side` (1 the attacker, 2 the defender) hit.
struct ShotHit {
  int slot = 0;
  int side = 0;
};
// The battle's figures after a shot, or after the last pass (`pass` counts the passes of shots).
// `liveShot`: a shot the host has just fired, which a speed game does not show one by one.
struct FiguresShown {
  int slot = 0;
  int pass = 0;
  bool liveShot = false;
};
// The battle (or an annihilation bomb) is decided for side `side`.
struct BattleDecided {
  int slot = 0;
  int side = 0;
};
// The attacker took the world; `notice` tells every human.
struct WorldFell {
  int slot = 0;
  std::string notice;
};
// The annihilation bomb emptied the world it took.
struct AnnihilationBombLanded {
  int slot = 0;
};
// The world fought the attacker off.
struct WorldHeld {
  int slot = 0;
  std::string notice;
};
// The world's new owner, ships and shield are set (`won`: by the attacker).
struct BattleSettled {
  int slot = 0;
  bool won = false;
};
// The new owner of a world found something on it (`shown` where the finder plays).
struct TreasureFound {
  int slot = 0;
  bool shown = false;
  std::string notice;
};
// The treasure of a taken world is counted.
struct TreasuresCounted {
  int slot = 0;
};
// The battle is over; the fleet is about to be cleared from its slot.
struct BattleEnding {
  int slot = 0;
};
// The battle's fleet is cleared.
struct BattleEnded {
  int slot = 0;
};

// --- the next seat's turn ---

// No seat owns a world any more: the game cannot go on.
struct GameStuck {};
// A seat lost its last world and its last object in flight.
struct SeatEliminated {
  int seat = 0;
};
// The own seat of a network machine is out or has nothing to order; its caption says so with
// `suffix`, and the chat takes the keys when `focusChat`.
struct OwnSeatMarked {
  std::string suffix;
  bool focusChat = false;
};
// A seat owns every world and nothing foreign is in flight; `report` is the centred report.
struct SolarSystemTaken {
  int seat = 0;
  std::string report;
};
// The conquest's notice, after its result went to the high-score table.
struct ConquestAnnounced {
  int seat = 0;
  std::string notice;
};
// The finished game is left for the setup window.
struct GameLeft {};
// Every other seat is eliminated.
struct LastSeatStanding {
  int seat = 0;
};
// A notice of the game (the truce, the options of a new game), with the game's sound or not.
struct GameNoticeShown {
  std::string text;
  bool sound = false;
};
// A seat's turn begins; `notice` announces it (empty: the seat has nothing to order).
struct TurnBegun {
  int seat = 0;
  std::string notice;
};

// --- a seat's orders and the turn's end ---

// The seat at this machine launched the object now in travel slot `slot` (a client tells its host).
struct FleetLaunched {
  int slot = 0;
};
// An order of the seat at this machine is over (launched or refused); a human's redraws the window.
struct OrderFinished {
  bool human = false;
};
// The seat at this machine armed the pulse bomb of home world `world` (a client tells its host).
struct PulseBombArmed {
  int world = 0;
};
// The seat at this machine has done its turn (the host tells its clients, a client its host).
struct SeatDone {
  int seat = 0;
};
// Every seat of a network host's game is done: the turn ends everywhere.
struct AllSeatsDone {};
// A chat line arrived in a game and is shown (the host relays it to every client).
struct ChatLineShown {
  std::string line;
};

// Any one of them.
using Any = std::variant<
    // the end of a turn
    ResolutionBegan, ResolutionAwaited, StepStaged, StepEnded, StepHeld, SlotChanged, PulseBombDue,
    YearEnding, OrbitsTurning, OrbitTicked, OrbitsTurned, WorldsProduced, ProximityBombDue, ArrivalDue,
    ArrivalResolving, ResolutionEnded, MoveLogShown,
    // arrivals and bombs
    ReinforcementsArrived, ReinforcementsJoined, ScoutReported, ProximityBombPlanted, ArrivalFinished,
    ProximityBombFired, ProximityBombSpent, ObjectDestroyed, PulseBombWentOff, ObjectPulsed, PulseBombSpent,
    // battles
    BattleSetUp, BattleOpened, ShotDue, ShotHit, FiguresShown, BattleDecided, WorldFell,
    AnnihilationBombLanded, WorldHeld, BattleSettled, TreasureFound, TreasuresCounted, BattleEnding,
    BattleEnded,
    // the next seat's turn
    GameStuck, SeatEliminated, OwnSeatMarked, SolarSystemTaken, ConquestAnnounced, GameLeft, LastSeatStanding,
    GameNoticeShown, TurnBegun,
    // a seat's orders and the turn's end
    FleetLaunched, OrderFinished, PulseBombArmed, SeatDone, AllSeatsDone, ChatLineShown>;

}  // namespace turn_event

using TurnEvent = turn_event::Any;

// Whether the show acts on an event before the other listeners hear it (most events are sent
// before the sender shows them).
template <typename Event>
constexpr bool ShownBeforeSent() {
  if constexpr (requires { Event::kShownBeforeSent; })
    return Event::kShownBeforeSent;
  else
    return false;
}

// Who hears a game's events besides the show: the network's broadcast, and tests.
class TurnListener {
 public:
  virtual ~TurnListener() = default;
  virtual void Heard(Game& g, const TurnEvent& event) = 0;
};

}  // namespace zarnath
