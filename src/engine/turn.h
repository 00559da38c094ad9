// The turn: the next-player step, the end-of-turn cycle, the Done button and the turn timer.
//
// The road of one fleet order, for a newcomer:
// - Launch (engine/launch.h) fills a travel slot from the selected source and target
//   (model/fleet_table.h), priced by the travel-time solver (model/travel_time.h); a client's
//   launch is told (FleetLaunched) and the network's broadcast sends it to the host. The window's
//   commands and the computer player (ai/computer_turn.h) give orders alike.
// - Done (EndSeatTurn, engine/done_timer.cpp) ends the seat's turn; GameCheck below hands the
//   turn to the next seat, and after the last one calls EndTurn.
// - EndTurn (engine/end_turn.cpp) fires armed pulse bombs, turns the orbits and the objects in
//   flight one turn on in ticks (engine/orbits.cpp, model/orbit_step.h), produces and charges
//   shields, then sets off proximity bombs on the objects' way; each object whose time ran out
//   arrives through EndTravel (engine/arrivals.cpp): reinforcement, scout report, planted
//   proximity bomb, or Battle (engine/battle.cpp), whose BattleDone (engine/battle_done.cpp)
//   settles the world's owner, ships, shield and treasures.
// - GameCheck then finds eliminations and a victory and opens the next turn.
// Every step tells what happened (model/turn_events.h): the show (engine/turn_show.h) puts it on
// the window, and on a network host the broadcast (net/broadcast.h) sends it to the clients, whose
// handlers of the frames (net/protocol.cpp) run the same steps.
#pragma once

#include <functional>
#include <string>

#include "model/ports.h"

namespace zarnath {
class Game;
struct GameState;

// The next-player step: the next seat with a world (at one computer; after the last seat the
// turn is resolved), eliminations, victories, captions, notices, trims, the turn timer, the
// announcement and, for a computer seat, its turn. True when it started a seat's turn; false
// when it handed over to the end of the round, or the game ended in it (a victory by conquest,
// or no seat owning a world any more, which stops with an error instead of resolving turns for
// nobody).
bool GameCheck(Game& g);
// This machine's seat is named, not gone, and holds no world: out of the game, or left with only
// objects in flight. In a network game such a seat has nothing to order, so GameCheck marks it
// done as each turn opens, and its host counts it as done.
bool OwnSeatHoldsNoWorld(const GameState& g);

// The end-of-turn cycle: on the host or the single machine it resolves the turn and starts the
// next one; on a network client it only locks the window until the host's end of resolution.
void EndTurn(Game& g);

// Moves the star system on by one turn (model/orbit_step.h): shows each tick for 50 ms unless the
// speed game is on (then the view is drawn once at the end), then puts the year into the caption
// and the human players' logs. Callers advance the year first.
void GalaxyRotate(Game& g);
// The year moves on by one turn (0.05) and the orbits with it: the host's end of turn, and a
// client when its host says so.
void TurnTheYear(Game& g);

// Readies the window for one event of the resolution: hides the side lists when several
// humans share this computer, hides the indicators, locks input and clears the selection.
void TravelShow(Game& g);
// The host's end of resolution arriving at a network client: unlocks the window and starts the
// client's next turn, unless a new state of the host's is still coming, whose [SHOW] does that.
// Meanwhile a seat with no world is done with the turn its host opened, as the host counts it.
void ClientTravelHide(Game& g);

// The turn timer: the interval and the running state are kept in the game, so pausing and
// resuming it never starts a timer that the turn did not arm.
void SetTurnTimer(Game& g, int intervalMs, bool enabled);
void StopTurnTimer(Game& g);
// A game that ends without its own steps ending it (its host lost or left, its state come
// incomplete, a conquest inside the turn that ended it):
// its clocks stop, and no lock that a step of it set (the turn's resolution, the busy input, the
// locked menus, a Done or count waiting for the top of the event loop) is left for what comes next.
void ReleaseAbandonedGame(Game& g);

// Ends the turn of the seat to move: what the Done button does, and what the computer player's
// timer and the turn timer press. In a network game a Done taken while another step yields (a
// frame's handling, a relay, a send) waits until the event loop is back at its top.
void EndSeatTurn(Game& g);
// Runs what waited for the top of the event loop: a Done, then the host's end-of-turn count.
// While a step still yields below it, it only waits on.
void RunWaitingSteps(Game& g);
// A network client whose Done its host did not take: the seat takes its turn again, with its
// Done button and its turn timer (at least a minute left).
void ReopenSeatTurn(Game& g);
// One tick of the turn timer: a minute less, a warning, and Done at zero.
void TurnTimerTick(Game& g);
// Hands the tick of a game timer to its handler (the turn timer, the chat's send lock). The
// computer player's timer goes to `aiTick` when given; without one it stops the timer and presses
// Done.
void TimerTick(Game& g, GameTimer timer, const std::function<void()>& aiTick = nullptr);

// The host's end-of-turn count: every seat counts once when it is done, eliminated, disconnected
// or gone, or has no connection.
int HostFinishedSeats(Game& g);
// When the count covers every seat, tells every client to end the turn and resolves it; true
// when it did. A turn ends only from the top of the event loop: a count completed while another
// step yields waits for it (RunWaitingSteps), so every relay and send of that step reaches the
// clients before the turn's end.
bool HostEndTurnIfAllDone(Game& g);
// "- Waiting on A & B -" for the seats still taking their turn; empty when there are none.
std::string WaitingListText(const GameState& g);

// Minutes of a turn on the turn timer by turn number: 3 before turn 5, 4 before 15, 5 before 30,
// then 6.
int TurnMinutesFor(int turn);

// Production and shields of every world for the new turn (the turn number after the year was
// advanced): a full shield switches off, a neutral garrison above the turn number may switch
// its shield, a charging shield takes the production (its excess goes to the ships), otherwise
// the ships grow.
void ApplyProduction(Game& g);

}  // namespace zarnath
