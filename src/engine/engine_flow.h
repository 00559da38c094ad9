// The steps of the game as the program wires them: the next-player step is the engine's own; the
// computer player's turn, the full-state broadcast (net/full_state.h), the high-score table and
// the autosave dialog are handed to whatever the program sets.
#pragma once

#include <functional>
#include <string>

#include "model/ports.h"

namespace zarnath {
class Game;

class EngineFlow : public GameFlow {
 public:
  // The game whose steps this runs (set once the game exists).
  void Attach(Game& game) { game_ = &game; }

  std::function<void()> onComputerTurn;
  std::function<void()> onGalaxySync;
  std::function<void(const std::string& name, float rating, float ships, float production, float worlds,
                     float classSum)>
      onHighScore;
  std::function<void()> onAutoSave;

  void GameCheck() override;
  void GalaxySync() override;
  void ComputerTurn() override;
  void HighScore(const std::string& name, float rating, float ships, float production, float worlds,
                 float classSum) override;
  void OfferAutoSave() override;

 private:
  Game* game_ = nullptr;
};

}  // namespace zarnath
