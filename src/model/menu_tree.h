// The layout of the game window's menu bar: the menus in their order, their items and separator
// lines, the Ctrl shortcuts and the command each item gives. The captions and check marks are
// game state (GameMenus); the window builds its menus from this table and shows that state.
#pragma once

#include <string>
#include <vector>

#include "model/setup_state.h"

namespace zarnath {

enum class MenuCommand {
  kNone,  // the item shows a setting of the running game and does nothing when chosen
  kFileNew,
  kFileSave,
  kFileLoad,
  kFileNewSS,
  kFileAutoSave,
  kFileExit,
  kInfoFleets,
  kInfoLabels,
  kInfoStatus,
  kInfoHigh,
  kOptionsSound,
  kOptionsSpeed,
  kOptionsLabels,
  kOptionsShips,
  kOptionsFleets,
  kOptionsTurn,
  kOptionsPause,
  kHelpZarnath,
  kHelpWeb,
  kHelpFAQ,
  kHelpMessage,
  kHelpChat,
  kHelpBug,
  kHelpAbout,
};

struct MenuEntry {
  const char* name;                     // "mnuFileNew"; a separator line's own name ("mnuLine1")
  MenuItem GameMenus::*item = nullptr;  // nullptr: a separator line
  char shortcut = 0;                    // Ctrl plus this letter; 0 = none
  MenuCommand command = MenuCommand::kNone;
};

struct MenuBarEntry {
  const char* name;  // "mnuFile"
  MenuItem GameMenus::*title;
  std::vector<MenuEntry> items;
};

// File, Information, Options and Help, top to bottom. The Command menu is never on the bar: its
// items are the travel options popup's commands.
const std::vector<MenuBarEntry>& MenuBar();

// The hidden Command menu, top to bottom: each item with its caption and the travel options
// popup's command code it runs (0 for a separator line).
struct CommandEntry {
  const char* name;
  const char* caption;  // "-" for a separator line
  int code;
};
const std::vector<CommandEntry>& CommandMenu();

// The help file the Help menu and the Help button open, and the title they give it.
inline constexpr const char* kHelpFileName = "Zarnath.hlp";
inline constexpr const char* kHelpTitle = "Zarnath";
// The subject of a bug report.
inline constexpr const char* kBugReportSubject = "Zarnath v1.40.0143 Bug Report";

// The address a web or mail item opens in the desktop's browser or mail program; empty for every
// other command.
std::string HelpAddress(MenuCommand command);

}  // namespace zarnath
