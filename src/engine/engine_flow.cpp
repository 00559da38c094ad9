#include "engine/engine_flow.h"

#include "engine/turn.h"
#include "model/game.h"

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

}  // namespace zarnath
