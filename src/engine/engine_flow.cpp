#include "engine/engine_flow.h"

#include "engine/net_send.h"
#include "engine/turn.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "net/full_state.h"
#include "net/protocol.h"

namespace zarnath {

void EngineFlow::GameCheck() {
  if (game_) ::zarnath::GameCheck(*game_);
}

void EngineFlow::GalaxySync() {
  if (onGalaxySync)
    onGalaxySync();
  else if (game_)
    ::zarnath::GalaxySync(*game_);
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
  if (game_) SendToHost(*game_, Frame(Tag::kSend, 0, FleetRecord(*game_, slot)));
}

}  // namespace zarnath
