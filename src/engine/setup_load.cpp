#include "engine/setup_load.h"

#include "model/game.h"
#include "model/setup_rules.h"
#include "persist/defaults_file.h"
#include "persist/kept_names.h"

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

std::optional<std::string> UnkeptNameText(std::string_view name) {
  if (FilesKeepName(name)) return std::nullopt;
  // The letter to name: the first that either file loses or breaks its line on.
  const size_t place = FirstUnkeptPlace(name).value_or(0);
  const auto code = static_cast<unsigned char>(name[place]);
  const std::string lost =
      code < 0x20 ? "Character " + std::to_string(code) : "\"" + std::string(1, name[place]) + "\"";
  return "The Name \"" + NameShown(name) + "\" Can Not Be Kept In Saved Games And High Scores: Its " + lost +
         " Would Be Lost!  Please Choose Another Name.";
}

bool RefusesUnkeptNames(Game& g) {
  const SetupState& s = g.setup;
  const bool network = s.chkLan == 1 || s.chkOnline == 1;
  for (int k = 0; k < (network ? 1 : kSeats); ++k) {
    if (const auto why = UnkeptNameText(s.txtPL[static_cast<size_t>(k)])) {
      g.io.platform.MessageBox(*why, "Zarnath", Buttons::kOk);
      if (k == 0) g.io.screen.Focus(Control::kSetupNameBox);
      return true;
    }
  }
  return false;
}

bool EditSeatName(Game& g, int slot, const std::string& text) {
  // A name the game's files would not give back as it is never enters a box: the box keeps the
  // name it had.
  if (slot >= 0 && slot < kSeats && !g.setup.txtPLLocked[static_cast<size_t>(slot)]) {
    if (const auto why = UnkeptNameText(FilterName(text, NameLimit(g.setup)))) {
      g.io.platform.MessageBox(*why, "Zarnath", Buttons::kOk);
      return false;
    }
  }
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
