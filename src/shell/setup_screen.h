// The setup window's life on the desktop, and the game's screen with the setup window in it.
//
// The setup window is one at a time: the first showing creates and loads it; closing it
// discards it and brings the title window back; the end of a game by conquest discards it and
// shows it created afresh. Every other call of the game's screen goes to the game window.
#pragma once

#include <QPointer>
#include <functional>

#include "model/ports.h"
#include "shell/setup_window.h"

namespace zarnath {

class Game;

class SetupWindows {
 public:
  SetupWindows() = default;
  ~SetupWindows();
  SetupWindows(const SetupWindows&) = delete;
  SetupWindows& operator=(const SetupWindows&) = delete;

  // The game whose setup the window holds (set once the game exists).
  void Attach(Game& game) { game_ = &game; }

  // Shows the window; created afresh (first values, then its load step) when there is none.
  void Show();
  void Hide();
  // The window goes; the next showing creates it afresh.
  void Discard();
  void FocusFirstName();
  void FocusAddress();
  void FocusChat();
  // Shows the setup state again (a name that came over the network).
  void ShowState();
  // Runs when a window has been created (the internet lobby joins it).
  std::function<void(SetupWindow&)> onCreated;

  SetupWindow* window() const { return window_; }

  // Runs when the player closes the window: the title window comes back.
  std::function<void()> showTitle;

 private:
  Game* game_ = nullptr;
  QPointer<SetupWindow> window_;
};

// The game's screen: the setup window's calls are the setup window's, the rest go to `inner`
// (the game window, or a stand-in) after them.
class SetupScreen : public GameScreen {
 public:
  SetupScreen(GameScreen& inner, SetupWindows& setup) : inner_(inner), setup_(setup) {}

  void ShowSetupWindow() override;
  void HideSetupWindow() override;
  void ReturnToSetup() override;
  void Focus(Control control) override;

  int ShowGameWindow() override { return inner_.ShowGameWindow(); }
  void HideGameWindow() override { inner_.HideGameWindow(); }
  void Refresh(Control control) override {
    if (control == Control::kSetupNameBox) setup_.ShowState();
    inner_.Refresh(control);
  }
  void GalaxyDraw() override { inner_.GalaxyDraw(); }
  void Console() override { inner_.Console(); }
  void DrawOrbitTick() override { inner_.DrawOrbitTick(); }
  void DrawDestinationMarks() override { inner_.DrawDestinationMarks(); }
  void EndProgram() override { inner_.EndProgram(); }
  void DrawCircle(double x, double y, double radius, double colour, double aspect, int lineWidth,
                  int lineStyle) override {
    inner_.DrawCircle(x, y, radius, colour, aspect, lineWidth, lineStyle);
  }
  void DrawBlob(double x, double y, double fillColour, double lineColour) override {
    inner_.DrawBlob(x, y, fillColour, lineColour);
  }
  void DrawStarMark(double x, double y, double colour, double centreColour) override {
    inner_.DrawStarMark(x, y, colour, centreColour);
  }
  void DrawShipDots(double x, double y, double fillColour, double lineColour, int count, int size) override {
    inner_.DrawShipDots(x, y, fillColour, lineColour, count, size);
  }
  void DrawStrengthBar(double split, double leftColour, double rightColour, bool divider) override {
    inner_.DrawStrengthBar(split, leftColour, rightColour, divider);
  }
  void ShowLabels(int slot, double u, double v) override { inner_.ShowLabels(slot, u, v); }
  void HideMapLabels() override { inner_.HideMapLabels(); }
  void ShowShipsLabel(const std::string& caption, double x, double y, int gap, double colour) override {
    inner_.ShowShipsLabel(caption, x, y, gap, colour);
  }
  void HideShipsLabel() override { inner_.HideShipsLabel(); }
  void SelectFirstTravelRow() override { inner_.SelectFirstTravelRow(); }

 private:
  GameScreen& inner_;
  SetupWindows& setup_;
};

}  // namespace zarnath
