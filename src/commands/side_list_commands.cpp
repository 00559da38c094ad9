#include "commands/side_list_commands.h"

#include "commands/command_view.h"
#include "commands/world_switches.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/net_send.h"
#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/recall.h"
#include "model/view_rules.h"
#include "net/messages.h"

namespace zarnath {
namespace {

void ChatFocus(Game& g) {
  if (g.NetworkGame) g.io.screen.Focus(Control::kTxtMessage);
}

// Where the object in slot j is, shown on its path for two seconds.
void ShowPosition(Game& g, CommandView& view, int j) {
  g.TravelYears = static_cast<float>(g.FleetTimeLeft[j]);
  g.TravelAngle = g.FleetAngleParam[j];
  view.FleetPathsDraw(j + 1);
  const ViewPoint at = FleetUnscaledNow(g, j);
  g.io.screen.ShowLabels(j, at.x, at.y);
  g.io.screen.Refresh(Control::kWindow);
  g.io.platform.Pause(2000);
  RedrawGalaxy(g);
}

}  // namespace

void lstOwned_Click(Game& g, CommandView& view, int world) {
  if (g.SelectedFrom == -1 && WorldIndexInPlay(g, world)) {
    const ViewPoint at = WorldPixel(g, world);
    g.io.screen.DrawCircle(at.x, at.y, 14, OwnerColour(g, g.WorldOwner[world]), 1.0, 2, 0);
    g.io.screen.HideShipsLabel();
    view.DrawWorldLabel(world);
  }
  ChatFocus(g);
}

int lstOwned_DblClick(Game& g, CommandView& view, int row) {
  int w = -1;
  if (row >= 0 && g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats) {
    int k = row;
    for (int i = 0; i < g.WorldCount && i < kMaxWorlds; ++i)
      if (g.WorldOwner[i] == g.CurrentPlayer + 1 && k-- == 0) {
        w = i;
        break;
      }
  }
  if (w >= 0) {
    ToggleShield(g, w);
    EditShieldOnLabel(g, view, w);
    ShowTimedNotice(g, ShieldNotice(g, w), 1500);
    SendShieldToHost(g, w);
  }
  RedrawGalaxy(g);
  g.io.platform.Yield();
  return w;
}

std::string RecallMessage(const Game& g, int slot) {
  return Frame("[UNSEND] ", 0, FleetRecord(g, slot));
}

TravelClick lstTravel_Click(Game& g, CommandView& view, int slot) {
  TravelClick done = TravelClick::kNothing;
  if (!g.InputBusy && SlotInPlay(g, slot)) {
    const RecallResult check = CheckRecall(g, slot, g.CurrentPlayer);
    // Only the seat's own object that has not moved is offered for recall.
    if (check == RecallResult::kRecalled &&
        g.io.platform.MessageBox("Do You Want to Recall This Traveling Fleet?", "Zarnath", Buttons::kYesNo) ==
            Answer::kYes) {
      if (ClientLinkUp(g)) SendToHost(g, RecallMessage(g, slot));
      Recall(g, slot, g.CurrentPlayer);
      RedrawGalaxy(g);
      g.io.screen.Console();
      done = TravelClick::kRecalled;
    } else {
      ShowPosition(g, view, slot);
      done = TravelClick::kShown;
    }
  }
  ChatFocus(g);
  return done;
}

bool lblName_MouseDown(Game& g, CommandView& view, int index, int button) {
  if (!WorldIndexInPlay(g, index)) return false;
  const int w = index;
  if (button == kLeftButton || button == kMiddleButton) {
    ToggleGatherExclusion(g, view, w);
    ShowTimedNotice(g, GatherNotice(g, w), 1000);
    return true;
  }
  if (SeatTurnDone(g)) return true;
  if (OwnWorld(g, w)) {
    ToggleShield(g, w);
    SendShieldToHost(g, w);
    EditShieldOnLabel(g, view, w);
    g.window.txtGame.Text = ShieldNotice(g, w);
    g.io.screen.Refresh(Control::kTxtGame);
  }
  g.io.platform.Pause(1000);
  ClearNotice(g);
  return true;
}

}  // namespace zarnath
