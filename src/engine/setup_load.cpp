#include "engine/setup_load.h"

#include "model/game.h"
#include "model/setup_rules.h"
#include "persist/defaults_file.h"

namespace zarnath {

void LoadSetupWindow(Game& g) {
  SetupLoadStart(g);
  // The reader leaves what it could not read as it was, so only the lines read change anything.
  SetupState read = g.setup;
  ReadDefaults(g.programFolder, read);
  const int shield = g.setup.chkShield;
  ApplyDefaults(g, read);
  // The shield box is the only box the restore may tick or clear.
  if (g.setup.chkShield != shield) g.io.platform.PlaySound("click1.wav");
}

void OpenNewSetupWindow(Game& g) {
  NewSetupWindow(g);
  LoadSetupWindow(g);
}

void TickShieldBox(Game& g, int value) {
  if (SetShieldBox(g, value)) g.io.platform.PlaySound("click1.wav");
}

void TickTruceBox(Game& g, int value) {
  if (SetTruceBox(g, value)) g.io.platform.PlaySound("click1.wav");
}

bool EditSeatName(Game& g, int slot, const std::string& text) {
  const NameEdit edit = NameEdited(g, slot, text);
  if (edit == NameEdit::kComputerName) g.io.platform.MessageBox(kRefusedNameText, "Zarnath", Buttons::kOk);
  return edit == NameEdit::kKept;
}

void CloseSetupWindow(Game& g) {
  g.io.net.CloseAll();
  g.io.platform.SetTimer(GameTimer::kLobbyStart, 10000, false);
  g.io.platform.SetTimer(GameTimer::kClientJoin, 15000, false);
  // A closed window announces no game and fetches no list any more.
  g.io.platform.SetTimer(GameTimer::kServerRepublish, 60000, false);
  g.io.platform.SetTimer(GameTimer::kServerRefresh, 60000, false);
  SetupForm_Unload(g);
}

}  // namespace zarnath
