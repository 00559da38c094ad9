#include "engine/menu_state.h"

#include "model/game.h"

namespace zarnath {

bool SwitchOn(const GameState& g, Switch s) {
  switch (s) {
    case Switch::kSound:
      return !g.SoundOff;
    case Switch::kSpeed:
      return g.SpeedGame;
    case Switch::kWorldLabels:
      return g.WorldLabelsOn;
    case Switch::kShipLabels:
      return g.ShipLabelsOn;
    case Switch::kFleets:
      return !g.HideFleets;
    case Switch::kTurnTimer:
      return g.TurnTimerOn;
  }
  return false;
}

void SetSwitch(GameState& g, Switch s, bool on) {
  switch (s) {
    case Switch::kSound:
      g.SoundOff = !on;
      break;
    case Switch::kSpeed:
      g.SpeedGame = on;
      break;
    case Switch::kWorldLabels:
      g.WorldLabelsOn = on;
      break;
    case Switch::kShipLabels:
      g.ShipLabelsOn = on;
      break;
    case Switch::kFleets:
      g.HideFleets = !on;
      break;
    case Switch::kTurnTimer:
      g.TurnTimerOn = on;
      break;
  }
  ShowSwitches(g);
}

void ShowSwitches(GameState& g) {
  GameMenus& m = g.menus;
  m.mnuOptionsSound.Caption = g.SoundOff ? kSoundOffCaption : kSoundOnCaption;
  m.mnuOptionsSpeed.Caption = g.SpeedGame ? "Turn Speed Game Off" : "Turn Speed Game On";
  m.mnuOptionsLabels.Caption = g.WorldLabelsOn ? "Turn World Labels Off" : "Turn World Labels On";
  m.mnuOptionsShips.Caption = g.ShipLabelsOn ? "Turn World Ship Labels Off" : "Turn World Ship Labels On";
  m.mnuOptionsFleets.Caption = g.HideFleets ? "Turn Traveling Fleets On" : "Turn Traveling Fleets Off";
  m.mnuOptionsTurn.Caption = g.TurnTimerOn ? "Turn Timer Off" : "Turn Timer On";
  m.mnuFileAutoSave.Checked = g.AutoSaveOn;
  m.mnuFileAutoSave.Caption = g.AutoSaveOn ? "AutoSave On" : "AutoSave Off";
}

void SetAutoSave(GameState& g, bool on) {
  g.AutoSaveOn = on;
  g.AutoSaveYear = on ? g.GameYear : 0.0f;
  ShowSwitches(g);
}

void SetSoundOff(GameState& g, bool off) {
  SetSwitch(g, Switch::kSound, !off);
}

}  // namespace zarnath
