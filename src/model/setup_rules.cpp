#include "model/setup_rules.h"

#include <algorithm>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

bool ValidSlot(int slot) {
  return slot >= 0 && slot < kSeats;
}
size_t At(int slot) {
  return static_cast<size_t>(slot);
}

// The number at the start of a text, rounded; `fallback` when it is not a whole number in range.
int NumberIn(const std::string& text, int lo, int hi, int fallback) {
  auto n = RoundInto(Val(text), lo, hi);
  return n ? static_cast<int>(*n) : fallback;
}

std::string Digits(int value) {
  return std::to_string(value);
}

std::string CpuNameOf(const Game& g, int level) {
  const std::string& name = g.CpuName[At(level - 1)];
  return name.empty() ? kCpuNames[At(level - 1)] : name;
}

bool AnyComputer(const SetupState& s) {
  return std::ranges::any_of(s.chkAI, [](int v) { return v != 0; });
}

// The help text returns and the level heading goes once no slot is a computer.
void ShowHelpIfNoComputer(SetupState& s) {
  if (AnyComputer(s)) return;
  s.Label5 = "Status:";
  s.Label5Visible = false;
  s.helpVisible = true;
}

// A slot 1 to 3 in use needs 9 + slot worlds: a lower count is raised.
void RaiseWorldsFor(Game& g, int slot) {
  if (slot < 1 || slot > 3) return;
  if (Val(g.setup.txtPlanets) < slot + 9) {
    g.setup.txtPlanets = Str(slot + 9);
    SetWorldBar(g, slot + 9);
  }
}

// A slot the world count no longer holds: emptied and, when it was a computer, freed as well,
// so no slot is left a nameless computer with a locked box.
void EmptySlotForWorlds(Game& g, int slot) {
  SetupState& s = g.setup;
  if (s.chkAI[At(slot)] != 0) {
    s.chkAI[At(slot)] = 0;
    s.txtPLLocked[At(slot)] = false;
    s.levelVisible[At(slot)] = false;
    s.lblStatus[At(slot)].clear();
    ShowHelpIfNoComputer(s);
  }
  SetName(g, slot, "");
}

}  // namespace

// --- values set from code ---

void SetName(Game& g, int slot, const std::string& text) {
  if (!ValidSlot(slot) || g.setup.txtPL[At(slot)] == text) return;
  g.setup.txtPL[At(slot)] = text;
  txtPL_Change(g, slot);
}

void SetComputerBox(Game& g, int slot, int value) {
  if (!ValidSlot(slot) || value < 0 || value > 2 || g.setup.chkAI[At(slot)] == value) return;
  g.setup.chkAI[At(slot)] = value;
  chkAI_Click(g, slot);
}

void SetLevelBar(Game& g, int slot, int level) {
  if (!ValidSlot(slot)) return;
  level = std::clamp(level, kLevelMin, kLevelMax);
  if (g.setup.HScrollAI[At(slot)] == level) return;
  g.setup.HScrollAI[At(slot)] = level;
  HScrollAI_Change(g, slot);
}

void SetWorldBar(Game& g, int worlds) {
  worlds = std::clamp(worlds, kWorldsMin, kWorldsMax);
  if (g.setup.VScroll1 == worlds) return;
  g.setup.VScroll1 = worlds;
  VScroll1_Change(g);
}

void SetTruceBar(Game& g, int turn) {
  turn = std::clamp(turn, kTruceMin, kTruceMax);
  if (g.setup.VScroll2 == turn) return;
  g.setup.VScroll2 = turn;
  VScroll2_Change(g);
}

void SetOptionBar(Game& g, int k, int value) {
  if (k < 0 || k > 2) return;
  value = std::clamp(value, OptionMin(k), OptionMax(g.setup, k));
  if (g.setup.VScrollOp[At(k)] == value) return;
  g.setup.VScrollOp[At(k)] = value;
  VScrollOp_Change(g, k);
}

bool SetShieldBox(Game& g, int value) {
  if ((value != 0 && value != 1) || g.setup.chkShield == value) return false;
  g.setup.chkShield = value;
  return true;
}

void SetModeBox(Game& g, int value) {
  if (value == 0 || value == 1) g.setup.chkMode = value;
}

bool SetTruceBox(Game& g, int value) {
  if ((value != 0 && value != 1) || g.setup.chkTruce == value) return false;
  g.setup.chkTruce = value;
  return true;
}

void SetRadar(Game& g, int k) {
  if (k < 0 || k > 2) return;
  for (int i = 0; i < 3; ++i) g.setup.OptRadar[At(i)] = i == k;
}

// --- the handlers ---

void chkAI_Click(Game& g, int i) {
  if (!ValidSlot(i)) return;
  SetupState& s = g.setup;
  const size_t at = At(i);
  if (s.chkAI[at] == 1) {
    SetName(g, i, CpuNameOf(g, LevelOf(s, i)));
    s.txtPLLocked[at] = true;
    s.levelVisible[at] = true;
    s.Label5 = "Level: 6 - Hardest";
    s.Label5Visible = true;
    s.helpVisible = false;
  } else {
    SetName(g, i, "");
    s.txtPLLocked[at] = false;
    s.lblStatus[at].clear();
    s.levelVisible[at] = false;
    s.chkAI[at] = 0;
    ShowHelpIfNoComputer(s);
  }
  if (i >= 1 && s.chkAI[at] == 1)
    s.truceEnabled = true;
  else if (s.txtPL[1].empty() && s.txtPL[2].empty() && s.txtPL[3].empty())
    s.truceEnabled = false;
  RaiseWorldsFor(g, i);
}

void HScrollAI_Change(Game& g, int i) {
  if (!ValidSlot(i)) return;
  SetupState& s = g.setup;
  s.txtAI[At(i)] = Digits(s.HScrollAI[At(i)]);
  SetName(g, i, CpuNameOf(g, LevelOf(s, i)));
}

void txtPL_Change(Game& g, int) {
  SetupState& s = g.setup;
  if (!s.txtPL[1].empty() || !s.txtPL[2].empty() || !s.txtPL[3].empty())
    s.truceEnabled = true;
  else if (!s.OptServerClient0)
    s.truceEnabled = false;
}

bool txtPL_KeyPress(Game& g, int slot, int keyAscii) {
  if (!ValidSlot(slot)) return false;
  const bool passes = keyAscii != '*' && keyAscii != '_';
  RaiseWorldsFor(g, slot);
  return passes;
}

void VScroll1_Change(Game& g) {
  SetupState& s = g.setup;
  const bool online = s.chkOnline == 1;
  auto enableLevels = [&s](int upTo) {
    for (int k = 1; k <= upTo; ++k) s.txtAIEnabled[At(k)] = true;
  };
  switch (s.VScroll1) {
    case 9:
      if (s.txtPL[1].empty() && !online) {
        for (int k = 1; k <= 3; ++k) EmptySlotForWorlds(g, k);
        for (int k = 1; k <= 3; ++k) s.txtAIEnabled[At(k)] = false;
      } else {
        SetWorldBar(g, 10);
      }
      break;
    case 10:
      if (s.txtPL[2].empty()) {
        enableLevels(3);
        EmptySlotForWorlds(g, 2);
        EmptySlotForWorlds(g, 3);
      } else {
        SetWorldBar(g, 11);
      }
      break;
    case 11:
      if (s.txtPL[3].empty()) {
        enableLevels(2);
        EmptySlotForWorlds(g, 3);
      } else {
        SetWorldBar(g, 12);
      }
      break;
    default:
      enableLevels(3);
      break;
  }
  const int w = s.VScroll1;
  s.txtPlanets = Digits(w);
  s.treasuresMax = static_cast<int>(Int(w / 2.0)) + 1;
  const int treasures = static_cast<int>(Int(w / 4.0)) + 1;
  if (s.VScrollOp[1] > s.treasuresMax) s.VScrollOp[1] = s.treasuresMax;
  SetOptionBar(g, 1, treasures);
  s.txtOp[1] = Str(treasures);
}

void VScroll2_Change(Game& g) {
  if (g.setup.chkTruce == 1) g.setup.txtTruce = Digits(g.setup.VScroll2);
}

void VScrollOp_Change(Game& g, int k) {
  if (k >= 0 && k <= 2) g.setup.txtOp[At(k)] = Digits(g.setup.VScrollOp[At(k)]);
}

// --- entry by the user ---

NameEdit NameEdited(Game& g, int slot, const std::string& text) {
  if (!ValidSlot(slot) || g.setup.txtPLLocked[At(slot)]) return NameEdit::kLocked;
  const std::string name = FilterName(text, NameLimit(g.setup));
  if (!ComputerNameLike(g, name).empty()) return NameEdit::kComputerName;
  SetName(g, slot, name);
  return NameEdit::kKept;
}

void OptionTyped(Game& g, int k, const std::string& text) {
  if (k < 0 || k > 2) return;
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9' && digits.size() < 2) digits.push_back(c);
  g.setup.txtOp[At(k)] = digits;
  if (digits.empty()) return;
  const int value = std::stoi(digits);
  if (value >= OptionMin(k) && value <= OptionMax(g.setup, k)) SetOptionBar(g, k, value);
}

void SettleOptionTexts(Game& g) {
  SetupState& s = g.setup;
  for (int k = 0; k < 3; ++k) {
    const int shown = NumberIn(s.txtOp[At(k)], OptionMin(k), OptionMax(s, k), -1);
    if (shown != s.VScrollOp[At(k)]) s.txtOp[At(k)] = Digits(s.VScrollOp[At(k)]);
  }
}

// --- facts ---

std::string FilterName(const std::string& text, size_t limit) {
  std::string name;
  for (char c : text)
    if (c != '*' && c != '_' && c != '\r' && c != '\n' && name.size() < limit) name.push_back(c);
  return name;
}

std::string ComputerNameLike(const Game& g, const std::string& name) {
  if (name.size() < 5) return {};
  for (int level = kLevelMin; level <= kLevelMax; ++level) {
    const std::string computer = CpuNameOf(g, level);
    if (computer.size() >= 5 && name.compare(0, 5, computer, 0, 5) == 0) return computer;
  }
  return {};
}

int LevelOf(const SetupState& s, int slot) {
  if (!ValidSlot(slot)) return kLevelMin;
  const int bar = std::clamp(s.HScrollAI[At(slot)], kLevelMin, kLevelMax);
  return NumberIn(s.txtAI[At(slot)], kLevelMin, kLevelMax, bar);
}

int OptionMin(int k) {
  return k == 0 ? kProductionMin : k == 1 ? 0 : kGatherMin;
}

int OptionMax(const SetupState& s, int k) {
  return k == 0 ? kProductionMax : k == 1 ? s.treasuresMax : kGatherMax;
}

size_t NameLimit(const SetupState& s) {
  return s.chkOnline == 1 ? 12 : kNameLength;
}

// --- the window's life ---

void NewSetupWindow(Game& g) {
  g.setup = SetupState{};
}

void SetupLoadStart(Game& g) {
  g.NetworkGame = false;
  for (int k = 1; k < kSeats; ++k) g.setup.lblStatusVisible[At(k)] = false;
  g.PlayerColor = kPlayerColors;
}

void ApplyDefaults(Game& g, const SetupState& read) {
  SetupState& s = g.setup;
  if (s.chkAI[0] == 0 && read.txtPL[0] != s.txtPL[0]) {
    const std::string name = FilterName(read.txtPL[0], NameLimit(s));
    if (!ComputerNameLike(g, name).empty()) return;
    SetName(g, 0, name);
  }
  SetShieldBox(g, read.chkShield);
  SetModeBox(g, read.chkMode);
  if (read.txtOp[2] != s.txtOp[2]) {
    s.txtOp[2] = read.txtOp[2];
    SetOptionBar(g, 2, NumberIn(read.txtOp[2], kGatherMin, kGatherMax, s.VScrollOp[2]));
  }
}

void SetUpComputerGame(Game& g, const std::array<int, 4>& levels, int worlds) {
  NewSetupWindow(g);
  SetupLoadStart(g);
  SetWorldBar(g, worlds);
  for (int p = 0; p < kSeats; ++p) {
    const int level = levels[At(p)];
    if (level < kLevelMin || level > kLevelMax) continue;
    SetComputerBox(g, p, 1);
    SetLevelBar(g, p, level);
  }
}

void SetupForm_Unload(GameState& g) {
  g.Seated = {};
  if (!g.GameInProgress) g.NetworkGame = false;
  g.window.SetupVisible = false;
}

}  // namespace zarnath
