#include "engine/engine_flow.h"

#include "engine/event_display.h"
#include "engine/turn.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "net/messages.h"

namespace zarnath {

void EngineFlow::GameCheck() {
  if (game_) ::zarnath::GameCheck(*game_);
}

void EngineFlow::GalaxySync() {
  if (onGalaxySync) onGalaxySync();
}

void EngineFlow::ComputerTurn() {
  if (onComputerTurn) onComputerTurn();
}

void EngineFlow::HighScore(const std::string& name, float rating, float ships, float production, float worlds,
                           float classSum) {
  if (onHighScore) onHighScore(name, rating, ships, production, worlds, classSum);
}

void EngineFlow::OfferAutoSave() {
  if (onAutoSave) onAutoSave();
}

void EngineFlow::SendLaunchToHost(int slot) {
  if (game_) SendToHost(*game_, Frame("[SEND] ", 0, FleetRecord(*game_, slot)));
}

}  // namespace zarnath
