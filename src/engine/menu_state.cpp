#include "engine/menu_state.h"

#include "model/game.h"

namespace zarnath {

void SetAutoSave(GameState& g, bool on) {
  g.menus.mnuFileAutoSave.Checked = on;
  g.menus.mnuFileAutoSave.Caption = on ? "AutoSave On" : "AutoSave Off";
  g.AutoSaveYear = on ? g.GameYear : 0.0f;
}

void SetSoundOff(GameState& g, bool off) {
  g.SoundOff = off;
  g.menus.mnuOptionsSound.Caption = off ? kSoundOffCaption : kSoundOnCaption;
}

}  // namespace zarnath
