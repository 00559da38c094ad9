#include "engine/event_notices.h"

#include "engine/event_audience.h"
#include "engine/rounding.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/view_rules.h"

namespace zarnath {

void RedrawGalaxy(Game& g) {
  MarkRadarSightings(g);
  g.io.screen.GalaxyDraw();
}

void ShowNotice(Game& g, double colour, const std::string& text) {
  g.window.txtGame.ForeColor = colour;
  g.window.txtGame.Text = text;
  g.io.screen.Refresh(Control::kTxtGame);
}

void ClearNotice(Game& g) {
  g.window.txtGame.Text.clear();
  g.io.screen.Refresh(Control::kTxtGame);
}

void LogTo(GameState& g, int seat, const std::string& text) {
  if (seat < 0 || seat >= kSeats) return;
  g.PlayerLog[static_cast<size_t>(seat)] += "\r\n" + text;
}

void LogToHumans(GameState& g, const std::string& text) {
  for (int p = 0; p < kSeats; ++p)
    if (IsNamedHuman(g, p)) LogTo(g, p, text);
}

void HistoryTo(GameState& g, int seat, int world, const std::string& line) {
  if (seat < 0 || seat >= kSeats || world < 0 || world >= kMaxWorlds) return;
  std::string& history = g.WorldHistory[static_cast<size_t>(seat)][static_cast<size_t>(world)];
  history = line + "\r\n" + history;
}

void EventSound(Game& g, const char* file) {
  if (!g.SpeedGame && !g.SoundOff) g.io.platform.PlaySound(file);
}

void LearnWorld(GameState& g, int p, int w) {
  if (p < 0 || p >= kSeats || w < 0 || w >= kMaxWorlds) return;
  const size_t i = static_cast<size_t>(w);
  auto& known = g.ScoutInfo[static_cast<size_t>(p)];
  known[0][i] = RoundToInt16(TurnOf(g));
  known[1][i] = g.WorldClass[i];
  known[2][i] = g.WorldProduction[i];
  known[3][i] = RoundToInt16(g.WorldShips[i]);
  known[4][i] = g.WorldShield[i];
}

void ShowMoveLog(Game& g) {
  const int seat = g.CurrentPlayer;
  g.window.txtMove.Text = MoveLogBoxText(
      seat >= 0 && seat < kSeats ? g.PlayerLog[static_cast<size_t>(seat)] : std::string(), std::string::npos);
  g.window.txtMove.Visible = true;
  g.io.screen.Refresh(Control::kTxtMove);
}

void ShowCentredReport(Game& g, const std::string& caption) {
  g.window.lblPlanet.Caption = caption;
  g.window.lblPlanet.Alignment = 2;
  g.window.lblPlanet.Visible = true;
  g.io.screen.Refresh(Control::kLblPlanet);
}

void HideCentredReport(Game& g) {
  g.window.lblPlanet.Alignment = 0;
  g.window.lblPlanet.Visible = false;
  g.io.screen.Refresh(Control::kLblPlanet);
}

}  // namespace zarnath
