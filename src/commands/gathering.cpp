#include "commands/gathering.h"
#include "engine/event_notices.h"

#include "commands/command_view.h"
#include "commands/world_switches.h"
#include "engine/launch.h"
#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/nearest.h"
#include "model/numbers.h"
#include "model/view_rules.h"

namespace zarnath {
namespace {

// The world of NearestList row k, or -1 for an empty row.
int EntryWorld(const GameState& g, int k) {
  const float w = g.NearestList[static_cast<size_t>(k)][0];
  return w >= 0 && w < kMaxWorlds ? static_cast<int>(w) : -1;
}
float EntryYears(const GameState& g, int k) {
  return g.NearestList[static_cast<size_t>(k)][1];
}

void StartCommand(Game& g) {
  g.window.lstInfoVisible = false;
  g.window.MousePointer = kHourglassPointer;
  g.io.screen.Refresh(Control::kWindow);
}

void EndCommand(Game& g, bool repaint) {
  g.window.MousePointer = 0;
  if (repaint) g.io.screen.Refresh(Control::kWindow);
}

// What a gathering send launches: all the ships, a scout or a bomb.
LaunchOrder OrderOf(const GameState& g, int from, int to, PreviewKind kind) {
  switch (kind) {
    case PreviewKind::kScout:
      return LaunchOrder::Scout(from, to);
    case PreviewKind::kBomb:
      return LaunchOrder::Bomb(from, to);
    case PreviewKind::kShips:
      break;
  }
  return LaunchOrder::Fleet(from, to, FleetShare(g, from, 100.0));
}

// The preview (with the hover label on the scouted world, or on the sending world) and the launch.
void PreviewAndSend(Game& g, CommandView& view, int from, int to, PreviewKind kind, bool labelOf) {
  g.SelectedFrom = static_cast<int16_t>(from);
  g.SelectedTo = static_cast<int16_t>(to);
  if (labelOf) view.DrawWorldLabel(kind == PreviewKind::kScout ? to : from);
  view.DrawSendPreview(from, to, kind);
  g.io.screen.Refresh(Control::kWindow);
  g.io.platform.Pause(500);
  Launch(g, OrderOf(g, from, to, kind));
}

bool OwnObjectBoundFor(const GameState& g, int t) {
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetOwner[s] == g.CurrentPlayer + 1 && g.FleetTo[s] == t + 1) return true;
  return false;
}

}  // namespace

float GatherRange(const GameState& g) {
  return static_cast<float>(Val(g.setup.txtOp[2]) * 0.05);
}

void TimedAnnouncement(Game& g, const std::string& text) {
  ShowCentredReport(g, FramedNotice(text));
  g.io.platform.Pause(1500);
  HideCentredReport(g);
}

int GatherNearestShips(Game& g, CommandView& view, int w) {
  if (!WorldIndexInPlay(g, w)) return 0;
  StartCommand(g);
  NearestTo(g, w, g.CurrentPlayer + 1);
  int sent = 0;
  for (int k = 0; k < kNearestRows; ++k) {
    const int s = EntryWorld(g, k);
    if (s == -1 || !(EntryYears(g, k) <= GatherRange(g))) continue;
    if (!(g.WorldShips[s] > 0) || g.WorldNoGather[s]) continue;
    PreviewAndSend(g, view, s, w, PreviewKind::kShips, true);
    ++sent;
  }
  g.window.lblPlanet.Visible = false;
  if (sent == 0) TimedAnnouncement(g, "    There Are No Ships Nearby To World " + g.WorldName[w] + "!    ");
  EndCommand(g, false);
  return sent;
}

int ScoutNearestWorlds(Game& g, CommandView& view, int w) {
  if (!WorldIndexInPlay(g, w)) return 0;
  StartCommand(g);
  int sent = 0;
  if (!(g.WorldShips[w] > 0)) {
    TimedAnnouncement(g, "    There Are No Ships On This World!    ");
    EndCommand(g, true);
    return sent;
  }
  ShowCentredReport(g, FramedNotice("    Scouting Nearest Worlds To " + g.WorldName[w] + "    "));
  NearestFrom(g, w, g.CurrentPlayer + 1);
  HideCentredReport(g);
  for (int k = 0; k < kNearestRows; ++k) {
    const int t = EntryWorld(g, k);
    if (!(g.WorldShips[w] > 0) || t == -1 || !(EntryYears(g, k) <= GatherRange(g))) continue;
    if (OwnObjectBoundFor(g, t)) continue;
    PreviewAndSend(g, view, w, t, PreviewKind::kScout, true);
    ++sent;
  }
  g.window.lblPlanet.Visible = false;
  EndCommand(g, true);
  return sent;
}

int SendNearestScout(Game& g, CommandView& view, int w) {
  if (!WorldIndexInPlay(g, w)) return 0;
  StartCommand(g);
  NearestTo(g, w, g.CurrentPlayer + 1);
  for (int k = 0; k < kNearestRows; ++k) {
    const int s = EntryWorld(g, k);
    if (s == -1 || !(g.WorldShips[s] > 0)) continue;
    PreviewAndSend(g, view, s, w, PreviewKind::kScout, false);
    EndCommand(g, false);
    return 1;
  }
  g.window.lstInfoVisible = false;
  TimedAnnouncement(g, "    There Are No Scouts Within Range!    ");
  EndCommand(g, false);
  return 0;
}

int SendNearestBomb(Game& g, CommandView& view, int w) {
  if (!WorldIndexInPlay(g, w)) return 0;
  StartCommand(g);
  NearestTo(g, w, g.CurrentPlayer + 1);
  int sent = 0;
  for (int k = 0; k < kNearestRows; ++k) {
    const int s = EntryWorld(g, k);
    if (s == -1 || g.WorldBombs[s] <= 0) continue;
    PreviewAndSend(g, view, s, w, PreviewKind::kBomb, true);
    sent = 1;
    break;
  }
  if (sent == 0) {
    g.window.lstInfoVisible = false;
    TimedAnnouncement(g, "    There Are No Bombs Within Range!    ");
  }
  EndCommand(g, true);
  return sent;
}

}  // namespace zarnath
