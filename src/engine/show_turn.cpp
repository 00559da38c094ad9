// The show of the end of a turn: the window locked and readied step by step, the orbit
// animation and the pacing between the steps.
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/show_steps.h"
#include "model/click_rules.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/orbit_step.h"

namespace zarnath::show {

void StageStep(Game& g) {
  if (!g.NetworkGame && !OneHumanAtThisComputer(g)) g.window.SideListsVisible = false;
  g.io.screen.Refresh(Control::kTxtMove);
  g.io.screen.Refresh(Control::kBattleFrames);
  g.window.IndicatorsVisible = false;
  HideSeatPopups(g);
  g.InputBusy = true;
  g.SelectedFrom = g.SelectedTo = -1;
  g.io.platform.Yield();
}

void Shown(Game&, const ResolutionBegan&) {}

void Shown(Game& g, const ResolutionAwaited&) {
  // The side lists are rebuilt hidden, and shown again with the next redraw.
  g.window.SideListsVisible = false;
  g.io.screen.Console();
  g.window.SideListsVisible = true;
}

void Shown(Game& g, const StepStaged&) {
  StageStep(g);
}

void Shown(Game& g, const StepEnded&) {
  g.io.platform.Yield();
}

void Shown(Game& g, const StepHeld&) {
  g.io.platform.Yield();
  g.io.platform.Pause(1000);
  g.io.platform.Yield();
}

void Shown(Game&, const SlotChanged&) {}

void Shown(Game& g, const PulseBombDue&) {
  StageStep(g);
  g.io.platform.Yield();
}

void Shown(Game&, const YearEnding&) {}

void Shown(Game& g, const OrbitsTurning&) {
  GameWindowState& w = g.window;
  g.ProxFrom = -1;
  w.txtGame.Text.clear();
  w.txtMove.Text.clear();
  w.ProximityDialogVisible = false;
  w.lblPlanet.Visible = false;
  w.SideControlsVisible = false;
  w.PanelLabelsVisible = false;
  w.Caption = "Zarnath - " + YearLine(g);
  g.io.screen.Refresh(Control::kWindow);
  w.WorldLabelsVisible = false;
  w.frameStartMs = g.io.platform.NowMs();
}

void Shown(Game& g, const OrbitTicked&) {
  // A speed game skips the animation; the full redraw at the end shows the outcome. A frame
  // lasts 50 ms from its start, so drawing it does not slow the orbits down.
  if (!g.SpeedGame) {
    g.io.screen.DrawOrbitTick();
    g.io.screen.DrawDestinationMarks();
    g.io.platform.PauseUntil(g.window.frameStartMs + 50);
  }
  g.window.frameStartMs = g.io.platform.NowMs();
}

void Shown(Game& g, const OrbitsTurned&) {
  g.window.txtMove.Visible = false;
  g.window.txtMove.Text.clear();
  if (g.SpeedGame) RedrawGalaxy(g);
  g.window.PanelLabelsVisible = true;
}

void Shown(Game& g, const WorldsProduced&) {
  if (!SideListsFollowEvents(g)) return;
  g.io.screen.Console();
  g.window.SideListsVisible = true;
}

void Shown(Game& g, const ProximityBombDue&) {
  StageStep(g);
  g.io.platform.Yield();
}

void Shown(Game& g, const ArrivalDue& e) {
  if (g.FleetOwner[static_cast<size_t>(e.slot)] == g.CurrentPlayer + 1 && SideListsFollowEvents(g))
    g.io.screen.SelectFirstTravelRow();
  StageStep(g);
  g.io.platform.Yield();
}

void Shown(Game&, const ArrivalResolving&) {}

void Shown(Game&, const ResolutionEnded&) {}

void Shown(Game& g, const MoveLogShown& e) {
  if (e.whole) {
    ShowMoveLog(g);
    return;
  }
  const int seat = g.CurrentPlayer;
  g.window.txtMove.Text =
      MoveLogBoxText(seat >= 0 && seat < kSeats ? g.PlayerLog[static_cast<size_t>(seat)] : std::string());
  g.io.screen.Refresh(Control::kTxtMove);
}

void Shown(Game& g, const GameStuck&) {
  g.io.platform.MessageBox("No Player Owns A World Any More, So The Game Cannot Go On!", "Zarnath Error",
                           Buttons::kOk);
}

void Shown(Game& g, const SeatEliminated& e) {
  const std::string& name = g.PlayerName[static_cast<size_t>(e.seat)];
  ShowCentredReport(g, "\r\n    " + name + " Has Been Eliminated From The Game!    \r\n");
  EventSound(g, "battlelost.wav");
  g.io.platform.Pause(3000);
  HideCentredReport(g);
  g.window.txtMove.Visible = false;
  g.window.txtMove.Text = " - " + name + " Was Eliminated From The Game!";
}

void Shown(Game& g, const OwnSeatMarked& e) {
  g.window.Caption = SeatCaption(g, e.suffix);
  g.io.screen.Refresh(Control::kWindow);
  if (e.focusChat) g.io.screen.Focus(Control::kTxtMessage);
}

void Shown(Game& g, const SolarSystemTaken& e) {
  ShowCentredReport(g, e.report);
  EventSound(g, "battlewon.wav");
  g.io.platform.Pause(3000);
}

void Shown(Game& g, const ConquestAnnounced& e) {
  g.window.lblPlanet.Visible = false;
  g.io.screen.Console();
  ShowNotice(g, OwnerColour(g, e.seat + 1), e.notice);
  g.io.screen.Refresh(Control::kWindow);
}

void Shown(Game& g, const GameLeft&) {
  g.window.Visible = false;
  g.window.SetupVisible = true;
  g.io.screen.ReturnToSetup();
}

void Shown(Game& g, const LastSeatStanding& e) {
  const std::string& name = g.PlayerName[static_cast<size_t>(e.seat)];
  g.window.lblPlanet.Caption.clear();
  ShowCentredReport(g, "\r\n    " + name + " Has Eliminated All The Other Players!    \r\n");
  if (!g.SoundOff) g.io.platform.PlaySound("battlewon.wav");
  g.io.platform.Pause(3000);
  HideCentredReport(g);
  g.io.screen.Console();
  ShowNotice(g, OwnerColour(g, e.seat + 1), "- " + name + " Has Eliminated All The Other Players! -");
  g.io.screen.Refresh(Control::kWindow);
}

void Shown(Game& g, const GameNoticeShown& e) {
  ShowNotice(g, kNeutralColor, e.text);
  if (e.sound) EventSound(g, "gameinfo.wav");
  g.io.platform.Pause(2000);
}

void Shown(Game& g, const TurnBegun& e) {
  RedrawGalaxy(g);
  g.io.screen.Refresh(Control::kTxtGame);
  ShowMoveLog(g);
  if (!e.notice.empty()) {
    g.window.txtGame.ForeColor = OwnerColour(g, e.seat + 1);
    g.window.txtGame.Text = e.notice;
  }
  g.io.screen.Refresh(Control::kTxtGame);
  g.io.screen.Console();
  if (g.NetworkGame || e.seat == 0) EventSound(g, "turn.wav");
}

void Shown(Game& g, const OrderFinished& e) {
  if (e.human) {
    RedrawGalaxy(g);
    g.io.screen.Console();
  }
  g.io.platform.Yield();
}

}  // namespace zarnath::show
