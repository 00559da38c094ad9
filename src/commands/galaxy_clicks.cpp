#include "commands/galaxy_clicks.h"

#include <algorithm>
#include <cmath>

#include "ai/pulse_command.h"
#include "commands/proximity_dialog.h"
#include "commands/send_commands.h"
#include "commands/window_commands.h"
#include "commands/world_switches.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/rounding.h"
#include "model/click_rules.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"
#include "model/truce.h"
#include "model/view_rules.h"

namespace zarnath {
namespace {

inline constexpr int kProximityBarTop = 9998;

void SelectSource(Game& g, CommandView& view, int w, CommandOutcome& out) {
  g.io.screen.HideMapLabels();
  g.window.IndicatorsVisible = false;
  view.CleanGalaxy();
  view.DrawSourceMark(w);
  g.io.screen.Refresh(Control::kWindow);
  g.SelectedFrom = static_cast<int16_t>(w);
  out.ownedRow = w;
}

void EmptyWorldNotice(Game& g) {
  ShowCentredReport(g, FramedNotice(kEmptyWorldNotice));
  g.io.platform.Pause(1500);
  g.io.platform.Yield();
}

void OpenProximity(Game& g, int w, bool withBlank, CommandOutcome& out) {
  g.ProxFrom = g.ProxTo = static_cast<int16_t>(w);
  out.opens = WindowOpens::kProximityDialog;
  out.world = w;
  out.proximityText = ProximityCountText(g, w, withBlank);
  out.proximityValue = ProximityBarValue(g, w);
  g.SelectedFrom = g.SelectedTo = -1;
}

void CancelSelection(Game& g) {
  g.SelectedFrom = g.SelectedTo = -1;
  RedrawGalaxy(g);
}

// A second press on the selected source: its bomb commands.
void SourceBombs(Game& g, int w, CommandOutcome& out) {
  const bool homeWorld = w >= kHomeWorld0 && w < kHomeWorld0 + kSeats;
  if (homeWorld && g.WorldBombs[w] >= 1 && !PulseArmedOn(g, w)) {
    if (g.RadarSeen[static_cast<size_t>(w - kHomeWorld0)] == 1) {
      out.opens = WindowOpens::kTravelPopup;
      out.popup = BuildSourceBombPopup(g, w);
      g.window.lstMenuVisible = true;
      g.io.platform.Yield();
    } else if (!HasOpponents(g)) {
      CancelSelection(g);
    } else {
      OpenProximity(g, w, false, out);
    }
    return;
  }
  if (!HasOpponents(g) || g.WorldBombs[w] < 1) {
    CancelSelection(g);
    return;
  }
  OpenProximity(g, w, true, out);
}

PopupMeasures MeasuresOf(CommandView& view) {
  return {[&view](const std::string& text) { return view.TextWidth(text); },
          [&view](GameState& g, std::string& result) { view.CalcShips(g, result); }};
}

// A press while a source is selected: a target, the source itself, or a cancel.
void SecondPress(Game& g, CommandView& view, int button, double x, double y, CommandOutcome& out) {
  if (button != kLeftButton) {
    g.SelectedFrom = -1;
    RedrawGalaxy(g);
    return;
  }
  g.SelectedTo = -1;
  for (int w : WorldsHitAt(g, x, y)) {
    view.DrawTargetMark(w);
    g.io.screen.Refresh(Control::kWindow);
    if (TruceProtects(g, g.CurrentPlayer, w)) {
      ShowCentredReport(g, TruceNotice(TruceTurnsLeft(g)));
      g.io.platform.Pause(3000);
      HideCentredReport(g);
      g.io.platform.Yield();
      continue;
    }
    g.SelectedTo = static_cast<int16_t>(w);
    break;
  }
  if (g.SelectedTo == -1) {
    g.SelectedFrom = -1;
    RedrawGalaxy(g);
    if (ViewerHuman(g)) g.io.screen.Console();
    return;
  }
  if (g.SelectedTo != g.SelectedFrom) {
    out.opens = WindowOpens::kTravelPopup;
    out.popup = BuildTravelPopup(g, MeasuresOf(view));
    g.window.lstMenuVisible = true;
    g.io.platform.Yield();
    return;
  }
  SourceBombs(g, g.SelectedTo, out);
}

// A press with no source selected.
void FirstPress(Game& g, CommandView& view, int button, double x, double y, CommandOutcome& out) {
  if (button == kLeftButton && SunHit(g, x, y)) {
    out.opens = WindowOpens::kStatusReport;
    return;
  }
  bool hit = false;
  for (int w : WorldsHitAt(g, x, y)) {
    hit = true;
    const bool own = OwnWorld(g, w);
    if (button == kLeftButton) {
      if (own && !g.TurnDone && (g.WorldShips[w] > 0 || g.WorldBombs[w] > 0)) {
        SelectSource(g, view, w, out);
      } else if (own && !g.TurnDone) {
        EmptyWorldNotice(g);
      } else {
        out.opens = WindowOpens::kWorldHistory;
        out.world = w;
      }
      break;
    }
    if (own && button == kMiddleButton && !g.TurnDone) {
      ShowDistances(g, view, w, false, false);
      break;
    }
    // Of several worlds under the pointer the panel shows the last one.
    out.opens = WindowOpens::kWorldPanel;
    out.world = w;
  }

  if (!hit && g.SelectedFrom == -1) {
    const int s = OwnFleetHitAt(g, x, y);
    if (s >= 0) {
      view.FleetPathsDraw(s + 1);
      const ViewPoint at = FleetUnscaledNow(g, s);
      g.io.screen.ShowLabels(s, at.x, at.y);
      g.OverlayDrawn = true;
      g.io.screen.Refresh(Control::kWindow);
      return;
    }
  }
  if (g.SelectedFrom == -1 && !g.InputBusy) {
    if (const auto bomb = OwnBombHitAt(g, x, y)) {
      const int k = bomb->slot;
      view.ShowThresholdLabel(ThresholdCaption(g.ProxBombThreshold[k]), bomb->x, bomb->y,
                              OwnerColour(g, g.ProxBombOwner[k]));
      g.io.platform.Pause(1500);
      g.OverlayDrawn = true;
      return;
    }
  }
  if (hit || button == kRightButton) return;
  out.clearListSelections = true;
  RedrawGalaxy(g);
}

}  // namespace

std::string ProximityCountText(const GameState& g, int w, bool withBlank) {
  return withBlank ? Str(g.WorldShips[w]) : StrTrim(g.WorldShips[w]);
}

int ProximityBarValue(const GameState& g, int w) {
  // A garrison beyond the bar's range presets the bar's top.
  return std::clamp(RoundToInt32(g.WorldShips[w]), 0, kProximityBarTop);
}

DistanceLabels PlanDistances(Game& g, int w, bool towards, bool fromPanel) {
  DistanceLabels plan;
  plan.header = "\r\n    World Travel Distances    \r\n    " + std::string(towards ? "To " : "From ") +
                g.WorldName[w] + " (in Turns)    \r\n";
  DistanceLabel own;
  own.world = w;
  own.caption = g.WorldName[w];
  own.colour = fromPanel ? OwnerColour(g, g.WorldOwner[w]) : OwnerColour(g, g.CurrentPlayer + 1);
  own.italic = fromPanel || NamedHomeWorld(g, w);
  // On the map the world's own label keeps the home world's gap whoever owns it.
  own.gap = fromPanel ? 0 : 20;
  plan.labels.push_back(own);
  for (int k = 0; k < g.WorldCount && k < kMaxWorlds; ++k) {
    if (k == w) continue;
    float years = 0, angle = 0;
    if (towards)
      DistCalc(g, k, w, years, angle, kQuickStep);
    else
      DistCalc(g, w, k, years, angle, kQuickStep);
    g.TravelYears = years;
    g.TravelAngle = angle;
    DistanceLabel l;
    l.world = k;
    l.caption = g.WorldName[k] + ": " + Format(Int(static_cast<double>(years) / 0.05 + 0.999), "0");
    l.colour = OwnerColour(g, g.WorldOwner[k]);
    l.fontSize = 8;
    l.keepLeftOfCentre = fromPanel && k == 0;
    plan.labels.push_back(l);
  }
  return plan;
}

void ShowDistances(Game& g, CommandView& view, int w, bool towards, bool fromPanel) {
  if (!fromPanel) g.InputBusy = true;
  g.window.MousePointer = kHourglassPointer;
  view.CleanGalaxy();
  const DistanceLabels plan = PlanDistances(g, w, towards, fromPanel);
  ShowCentredReport(g, plan.header);
  view.HideHoverLabel();
  view.ShowDistanceLabels(plan);
  if (!fromPanel) g.InputBusy = false;
  g.window.MousePointer = 0;
  g.io.screen.Refresh(Control::kWindow);
}

CommandOutcome Form_MouseDown(Game& g, CommandView& view, int button, double x, double y) {
  CommandOutcome out;
  if (g.InputBusy) return out;
  out.ran = true;
  g.window.lstInfoVisible = false;
  g.window.lstMenuVisible = false;
  g.window.lblPlanet.Visible = false;
  view.HideHoverLabel();
  if (g.SelectedFrom != -1 && !WorldIndexInPlay(g, g.SelectedFrom)) g.SelectedFrom = g.SelectedTo = -1;
  if (g.SelectedFrom != -1)
    SecondPress(g, view, button, x, y, out);
  else
    FirstPress(g, view, button, x, y, out);
  if (out.opens == WindowOpens::kWorldPanel) g.window.lstInfoVisible = true;
  return out;
}

int lstMenu_Click(Game& g, const TravelPopup& popup, int row, const MenuCommandRunner& run) {
  if (!g.window.lstMenuVisible || g.TurnResolving || row < 0 || row >= static_cast<int>(popup.rows.size()))
    return 0;
  const int code = popup.rows[static_cast<size_t>(row)].code;
  if (code <= kMenuInert) return 0;
  g.InputBusy = true;
  g.window.MousePointer = kHourglassPointer;
  g.window.lstMenuVisible = false;
  if (code <= kMenuSendScout && run) run(g, code);
  g.window.MousePointer = 0;
  g.InputBusy = false;
  return code;
}

}  // namespace zarnath

namespace zarnath {

MenuCommandRunner GameMenuCommands(ProximityDialog& dialog,
                                   std::function<void(const TravelCalcPlan&)> drawCalc) {
  return [&dialog, drawCalc = std::move(drawCalc)](Game& g, int code) {
    switch (code) {
      case kMenuDistance:
        mnuComCalc_Click(g, drawCalc);
        break;
      case kMenuShipsNeeded:
        mnuComCalcShips_Click(g);
        break;
      case kMenuSend10:
        mnuComSend10_Click(g);
        break;
      case kMenuSend25:
        mnuComSend25_Click(g);
        break;
      case kMenuSend50:
        mnuComSend50_Click(g);
        break;
      case kMenuSend75:
        mnuComSend75_Click(g);
        break;
      case kMenuSendAll:
        mnuComSendAll_Click(g);
        break;
      case kMenuSendBomb:
        mnuComSendBomb_Click(g);
        break;
      case kMenuSetProximity:
        dialog.mnuComSendProx_Click(g);
        break;
      case kMenuSetPulse:
        if (PanelCommandMayRun(g)) mnuComSendPulse_Click(g);
        break;
      case kMenuSendScout:
        mnuComSendScout_Click(g);
        break;
      default:
        break;
    }
  };
}

}  // namespace zarnath
