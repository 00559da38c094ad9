#include "commands/proximity_dialog.h"

#include <algorithm>

#include "engine/event_notices.h"
#include "engine/launch.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

int ProximityDialog::BarValueFor(double ships) const {
  const double lo = std::min(top, bottom), hi = std::max(top, bottom);
  if (!(ships >= lo)) return static_cast<int>(lo);
  if (ships > hi) return static_cast<int>(hi);
  return static_cast<int>(RoundEven(ships));
}

void ProximityDialog::Change() {
  text = Str(value);
  smallChange = value >= 500 ? 10 : value > 99 ? 5 : 1;
}

void ProximityDialog::SetValue(int v) {
  v = std::clamp(v, std::min(top, bottom), std::max(top, bottom));
  if (v == value) return;
  value = v;
  Change();
}

void ProximityDialog::Load(Game& g) {
  loaded = true;
  if (g.ProxFrom <= -1) return;
  const float ships = g.WorldShips[g.ProxFrom];
  text = Str(ships);
  SetValue(BarValueFor(ships));
  bottom = kBarBottom, top = kBarTop;
  value = std::clamp(value, bottom, top);  // a count beyond the new top holds the bar there
  smallChange = value > 99 ? 5 : 1;
}

void ProximityDialog::OpenFor(Game& g, int from, int to) {
  if (from < 0 || from >= g.WorldCount || !PanelCommandMayRun(g)) return;
  g.ProxFrom = static_cast<int16_t>(from);
  g.ProxTo = static_cast<int16_t>(to >= 0 && to < g.WorldCount ? to : -1);
  g.SelectedFrom = g.SelectedTo = -1;
  RedrawGalaxy(g);
  if (!loaded) Load(g);
  const float ships = g.WorldShips[from];
  text = StrTrim(ships);
  const int bar = BarValueFor(ships);
  SetValue(bar);
  // Beyond the bar's range the bar is held at its end and the box keeps the true count.
  if (!(ships >= static_cast<float>(bottom) && ships <= static_cast<float>(top))) text = StrTrim(ships);
  g.window.ProximityDialogVisible = true;
  ++openings;
}

void ProximityDialog::mnuComSendProx_Click(Game& g) {
  if (g.SelectedFrom == -1) return;
  OpenFor(g, g.SelectedFrom, g.SelectedTo);
}

int ProximityDialog::Text1_KeyPress(int keyAscii) {
  return keyAscii >= '0' && keyAscii <= '9' ? keyAscii : 0;
}

void ProximityDialog::Type(char c) {
  if (Text1_KeyPress(static_cast<unsigned char>(c)) == 0 || text.size() >= static_cast<size_t>(kMaxTyped))
    return;
  text += c;
}

SendOutcome ProximityDialog::ImgSet_Click(Game& g) {
  SendOutcome outcome;
  if (!PanelCommandMayRun(g)) return outcome;
  const double t = Val(text);
  const int from = g.ProxFrom, to = g.ProxTo;
  if (from >= 0 && from < g.WorldCount && t > 0) {
    outcome.ran = true;
    // Checked now, not when the dialog opened: the turn may have passed to another seat, or the
    // world's last bomb may have left, since.
    if (g.WorldOwner[from] != g.CurrentPlayer + 1) {
      outcome.result = LaunchResult::kNotOwnWorld;
    } else if (g.WorldBombs[from] < 1) {
      outcome.result = LaunchResult::kNoBomb;
    } else {
      g.SelectedFrom = static_cast<int16_t>(from), g.SelectedTo = static_cast<int16_t>(to);
      outcome.result = Sendships(g, static_cast<float>(t + kProximityBombBase));
    }
    outcome.notice = LaunchRefusalText(g, outcome.result, from, to);
  }
  g.window.ProximityDialogVisible = false;
  g.SelectedFrom = g.SelectedTo = g.ProxFrom = g.ProxTo = -1;
  RedrawGalaxy(g);
  ShowRefusal(g, outcome.notice);
  g.io.platform.Yield();
  return outcome;
}

}  // namespace zarnath
