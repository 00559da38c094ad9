// A small star system for the window's commands: seats Ann and Bob (humans) on twelve worlds spread
// round the sun, so that every world has its own pixel square, and a view that writes what it is
// asked into the same transcript as the ports.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "commands/command_view.h"
#include "commands/galaxy_clicks.h"
#include "engine/engine_fixture.h"
#include "model/click_rules.h"
#include "model/view_geometry.h"
#include "model/view_rules.h"

namespace zarnath::testing {

class RecordingView : public CommandView {
 public:
  explicit RecordingView(std::vector<std::string>& calls) : calls_(calls) {}
  void CleanGalaxy() override { calls_.push_back("CleanGalaxy"); }
  void DrawSourceMark(int w) override { calls_.push_back("SourceMark " + std::to_string(w)); }
  void DrawTargetMark(int w) override { calls_.push_back("TargetMark " + std::to_string(w)); }
  void FleetPathsDraw(int n) override { calls_.push_back("FleetPaths " + std::to_string(n)); }
  void DrawWorldLabel(int w) override { calls_.push_back("WorldLabel " + std::to_string(w)); }
  void ShowThresholdLabel(const std::string& caption, double, double, double colour) override {
    calls_.push_back("ThresholdLabel " + caption + " " + std::to_string(static_cast<long>(colour)));
  }
  void HideHoverLabel() override { calls_.push_back("HideHover"); }
  void ClearHoverLabel() override { calls_.push_back("ClearHover"); }
  void ShowDistanceLabels(const DistanceLabels& d) override {
    distances = d;
    calls_.push_back("DistanceLabels");
  }
  void DrawSendPreview(int from, int to, PreviewKind kind) override {
    const char* k = kind == PreviewKind::kShips ? "ships" : kind == PreviewKind::kScout ? "scout" : "bomb";
    calls_.push_back("Preview " + std::to_string(from) + ">" + std::to_string(to) + " " + k);
  }
  void SetWorldLabel(int w, const std::string& caption) override {
    labels[static_cast<size_t>(w)] = caption;
    calls_.push_back("Label " + std::to_string(w) + " " + caption);
  }
  std::string WorldLabelCaption(int w) override { return labels[static_cast<size_t>(w)]; }
  int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * charWidth; }
  void CalcShips(GameState&, std::string& result) override {
    if (!estimate.empty()) result = estimate;
  }

  int charWidth = 5;
  std::string estimate = "37";
  DistanceLabels distances;
  std::array<std::string, kWorldSlots> labels{};

 private:
  std::vector<std::string>& calls_;
};

inline constexpr int kAnnHome = kHomeWorld0;      // world 8
inline constexpr int kBobHome = kHomeWorld0 + 1;  // world 9

struct CommandsGame : EngineGame {
  RecordingView view{ports.calls};

  CommandsGame() : EngineGame("AB..", 12) {
    for (int w = 0; w < 12; ++w) {
      game.WorldAngle[w] = static_cast<float>(0.52 * w);
      game.WorldOwner[w] = 0, game.WorldShips[w] = 10, game.WorldBombs[w] = 0, game.WorldType[w] = 0;
      game.WorldShieldOn[w] = 0, game.WorldNoGather[w] = false;
    }
    game.WorldOwner[kAnnHome] = 1, game.WorldOwner[kBobHome] = 2;
    game.CurrentPlayer = 0;
    game.TruceUntilTurn = 0;
    game.SelectedFrom = game.SelectedTo = -1;
    // The world labels as the last redraw left them: each world's ships.
    for (int w = 0; w < 12; ++w) view.labels[static_cast<size_t>(w)] = WorldShipLabelCaption(game, w);
    ports.Clear();
  }
  ViewPoint Pixel(int w) const { return WorldPixel(game, w); }
  CommandOutcome Press(int w, int button = kLeftButton, double dx = 0, double dy = 0) {
    const ViewPoint p = Pixel(w);
    return Form_MouseDown(game, view, button, p.x + dx, p.y + dy);
  }
};

}  // namespace zarnath::testing
