#include "engine/turn_show.h"

#include <type_traits>

#include "engine/show_steps.h"
#include "model/game.h"

namespace zarnath {

void TellListeners(Game& g, const TurnEvent& event) {
  for (size_t i = 0; i < g.listeners.size(); ++i) g.listeners[i]->Heard(g, event);
}

void Tell(Game& g, const TurnEvent& event) {
  const bool shownFirst =
      std::visit([](const auto& e) { return ShownBeforeSent<std::decay_t<decltype(e)>>(); }, event);
  if (shownFirst) Show(g, event);
  TellListeners(g, event);
  if (!shownFirst) Show(g, event);
}

void Show(Game& g, const TurnEvent& event) {
  std::visit([&g](const auto& e) { show::Shown(g, e); }, event);
}

}  // namespace zarnath
