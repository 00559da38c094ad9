#include "commands/window_commands.h"
#include "engine/event_notices.h"

#include "commands/send_commands.h"
#include "engine/menu_state.h"
#include "model/game.h"
#include "model/ships_needed.h"
#include "model/status_report.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

constexpr int kCentred = 2, kLeft = 0;

bool InPlay(const GameState& g, int w) {
  return w >= 0 && w < g.WorldCount && w < kMaxWorlds;
}

// A report centred on the sun for 3000 ms, hidden again with the given alignment.
void CentredReport(Game& g, const std::string& caption, int alignmentAfter) {
  AnnouncementLabel& label = g.window.lblPlanet;
  label.Caption = caption;
  label.Alignment = kCentred;
  label.Visible = true;
  g.io.screen.Refresh(Control::kLblPlanet);
  g.io.screen.Refresh(Control::kWindow);
  g.io.platform.Pause(3000);
  label.Alignment = alignmentAfter;
  label.Visible = false;
  g.io.screen.Refresh(Control::kWindow);
}

// The calculators' common end: selection cleared, the window unlocked, redrawn and its panes
// rebuilt.
void EndCalculator(Game& g) {
  g.SelectedFrom = g.SelectedTo = -1;
  g.InputBusy = false;
  RedrawGalaxy(g);
  g.io.screen.Console();
}

}  // namespace

bool ImgStatus_Click(Game& g) {
  if (g.InputBusy) return false;
  AnnouncementLabel& label = g.window.lblPlanet;
  label.Visible = false;
  label.Caption = StatusReportText(g);
  label.Alignment = kCentred;
  label.Visible = true;
  g.io.screen.Refresh(Control::kLblPlanet);
  RedrawGalaxy(g);
  if (g.NetworkGame) g.io.screen.Focus(Control::kTxtMessage);
  g.io.platform.Yield();
  return true;
}

void mnuComCalc_Click(Game& g, const std::function<void(const TravelCalcPlan&)>& draw) {
  if (!PanelCommandMayRun(g)) return;
  g.InputBusy = true;
  const int from = g.SelectedFrom, to = g.SelectedTo;
  if (InPlay(g, from) && InPlay(g, to)) {
    float years = 0, angle = 0;
    DistCalc(g, from, to, years, angle, kOptionsStep);
    g.TravelYears = years, g.TravelAngle = angle;
    const TravelCalcPlan plan = PlanTravelCalc(g, from, to, years, angle);
    RedrawGalaxy(g);
    if (plan.reachable && draw) draw(plan);
    CentredReport(g, plan.caption, kLeft);
  }
  EndCalculator(g);
  g.io.platform.Yield();
}

void mnuComCalcShips_Click(Game& g) {
  if (!PanelCommandMayRun(g)) return;
  const int from = g.SelectedFrom, to = g.SelectedTo;
  if (InPlay(g, from) && InPlay(g, to)) {
    const ShipsEstimate e = EstimateShips(g, from, to);
    CentredReport(g, ShipsReportText(g, e, from, to),
                  e.source == EstimateSource::kCrystal ? kCentred : kLeft);
  }
  EndCalculator(g);
}

void ImgLabels_Click(Game& g, bool namesShown, const std::function<void()>& showNames) {
  if (g.InputBusy || namesShown || !showNames)
    RedrawGalaxy(g);
  else
    showNames();
  g.io.platform.Yield();
  if (g.NetworkGame) g.io.screen.Focus(Control::kTxtMessage);
}

void ImgTravel_Click(Game& g) {
  g.window.txtGame.ForeColor = kNeutralColor;
  if (g.InputBusy) return;
  g.HideFleets = !g.HideFleets;
  RedrawGalaxy(g);
  ShowSwitches(g);
  g.window.txtGame.Text = g.HideFleets ? "- Traveling Fleets Now Off -" : "- Traveling Fleets Now On -";
  g.io.screen.Refresh(Control::kTxtGame);
}

void txtMove_Click(Game& g, LogBoxGeometry& box) {
  if (box.height < kLogBoxExpanded) {
    g.window.txtGame.Visible = false;
    box.top -= kLogBoxRise;
    box.height = kLogBoxExpanded;
  } else {
    box.top += kLogBoxRise;
    box.height = kLogBoxCollapsed;
    g.window.txtGame.Visible = true;
  }
  g.io.screen.Refresh(Control::kTxtMove);
}

}  // namespace zarnath
