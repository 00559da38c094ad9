// The pointer moving over the game window: the rules decide what it names and what it leaves
// (Form_MouseMove); this shows the answer: the hover label, the panel and popup closing, the
// rubber band from the selected source drawn on the galaxy view, and the news line.
#pragma once

#include "commands/hover_feedback.h"

namespace zarnath {

class Game;
class GalaxyWindow;
class WindowControls;

class HoverView {
 public:
  HoverView(GalaxyWindow& window, WindowControls& controls, Game& game)
      : window_(window), controls_(controls), game_(game) {}

  // The pointer at (x, y) in the window's coordinates.
  HoverOutcome MouseMove(double x, double y);
  // Escape: the travel options popup and the world panel close as the pointer leaving them does.
  HoverOutcome Escape();
  // Where the window's controls stand now, as the rules read them.
  HoverScene Scene() const;

 private:
  void DrawBand(const RubberBand& band);

  GalaxyWindow& window_;
  WindowControls& controls_;
  Game& game_;
};

}  // namespace zarnath
