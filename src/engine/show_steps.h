// The show's handler of each event of a turn (engine/turn_show.h dispatches to them).
#pragma once

#include "model/turn_events.h"

namespace zarnath {
class Game;

namespace show {
using namespace turn_event;

// The window readied for one step of the resolution.
void StageStep(Game& g);

// --- the end of a turn (show_turn.cpp) ---
void Shown(Game& g, const ResolutionBegan& e);
void Shown(Game& g, const ResolutionAwaited& e);
void Shown(Game& g, const StepStaged& e);
void Shown(Game& g, const StepEnded& e);
void Shown(Game& g, const StepHeld& e);
void Shown(Game& g, const SlotChanged& e);
void Shown(Game& g, const PulseBombDue& e);
void Shown(Game& g, const YearEnding& e);
void Shown(Game& g, const OrbitsTurning& e);
void Shown(Game& g, const OrbitTicked& e);
void Shown(Game& g, const OrbitsTurned& e);
void Shown(Game& g, const WorldsProduced& e);
void Shown(Game& g, const ProximityBombDue& e);
void Shown(Game& g, const ArrivalDue& e);
void Shown(Game& g, const ArrivalResolving& e);
void Shown(Game& g, const ResolutionEnded& e);
void Shown(Game& g, const MoveLogShown& e);

// --- the next seat's turn (show_turn.cpp) ---
void Shown(Game& g, const GameStuck& e);
void Shown(Game& g, const SeatEliminated& e);
void Shown(Game& g, const OwnSeatMarked& e);
void Shown(Game& g, const SolarSystemTaken& e);
void Shown(Game& g, const ConquestAnnounced& e);
void Shown(Game& g, const GameLeft& e);
void Shown(Game& g, const LastSeatStanding& e);
void Shown(Game& g, const GameNoticeShown& e);
void Shown(Game& g, const TurnBegun& e);

// --- a seat's orders and the turn's end (show_turn.cpp) ---
void Shown(Game& g, const OrderFinished& e);
// Nothing to show beyond what their commands show.
inline void Shown(Game&, const FleetLaunched&) {}
inline void Shown(Game&, const PulseBombArmed&) {}
inline void Shown(Game&, const SeatDone&) {}
inline void Shown(Game&, const AllSeatsDone&) {}
inline void Shown(Game&, const ChatLineShown&) {}

// --- arrivals and bombs (show_arrivals.cpp) ---
void Shown(Game& g, const ReinforcementsArrived& e);
void Shown(Game& g, const ReinforcementsJoined& e);
void Shown(Game& g, const ScoutReported& e);
void Shown(Game& g, const ProximityBombPlanted& e);
void Shown(Game& g, const ArrivalFinished& e);
void Shown(Game& g, const ProximityBombFired& e);
void Shown(Game& g, const ProximityBombSpent& e);
void Shown(Game& g, const ObjectDestroyed& e);
void Shown(Game& g, const PulseBombWentOff& e);
void Shown(Game& g, const ObjectPulsed& e);
void Shown(Game& g, const PulseBombSpent& e);

// --- battles (show_battle.cpp) ---
void Shown(Game& g, const BattleSetUp& e);
void Shown(Game& g, const BattleOpened& e);
void Shown(Game& g, const ShotDue& e);
void Shown(Game& g, const ShotHit& e);
void Shown(Game& g, const FiguresShown& e);
void Shown(Game& g, const BattleDecided& e);
void Shown(Game& g, const WorldFell& e);
void Shown(Game& g, const AnnihilationBombLanded& e);
void Shown(Game& g, const WorldHeld& e);
void Shown(Game& g, const BattleSettled& e);
void Shown(Game& g, const TreasureFound& e);
void Shown(Game& g, const TreasuresCounted& e);
void Shown(Game& g, const BattleEnding& e);
void Shown(Game& g, const BattleEnded& e);

}  // namespace show
}  // namespace zarnath
