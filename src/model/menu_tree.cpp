#include "model/menu_tree.h"

#include "model/travel_popup.h"

namespace zarnath {
namespace {

using C = MenuCommand;
using M = GameMenus;

MenuEntry Line(const char* name) {
  return MenuEntry{name};
}

}  // namespace

const std::vector<MenuBarEntry>& MenuBar() {
  static const std::vector<MenuBarEntry> bar = {
      {"mnuFile",
       &M::mnuFile,
       {{"mnuFileNew", &M::mnuFileNew, 0, C::kFileNew},
        {"mnuFileSave", &M::mnuFileSave, 'S', C::kFileSave},
        {"mnuFileLoad", &M::mnuFileLoad, 0, C::kFileLoad},
        Line("mnuLine1"),
        {"mnuFileNewSS", &M::mnuFileNewSS, 0, C::kFileNewSS},
        Line("mnuLine4"),
        {"mnuFileAutoSave", &M::mnuFileAutoSave, 'A', C::kFileAutoSave},
        {"mnuFileExit", &M::mnuFileExit, 0, C::kFileExit}}},
      {"mnuInfo",
       &M::mnuInfo,
       {{"mnuInfoFleets", &M::mnuInfoFleets, 'T', C::kInfoFleets},
        {"mnuInfoLabels", &M::mnuInfoLabels, 'L', C::kInfoLabels},
        {"mnuInfoStatus", &M::mnuInfoStatus, 0, C::kInfoStatus},
        {"mnuInfoHigh", &M::mnuInfoHigh, 0, C::kInfoHigh}}},
      {"mnuOptions",
       &M::mnuOptions,
       {{"mnuOptionsBattle", &M::mnuOptionsBattle},
        {"mnuOptionsShield", &M::mnuOptionsShield},
        {"mnuOptionsTruce", &M::mnuOptionsTruce},
        {"mnuOptionsProd", &M::mnuOptionsProd},
        {"mnuOptionsTreas", &M::mnuOptionsTreas},
        {"mnuOptionsGath", &M::mnuOptionsGath},
        {"mnuOptionsRadar", &M::mnuOptionsRadar},
        Line("mnuLine5"),
        {"mnuOptionsSound", &M::mnuOptionsSound, 'D', C::kOptionsSound},
        {"mnuOptionsSpeed", &M::mnuOptionsSpeed, 'G', C::kOptionsSpeed},
        {"mnuOptionsLabels", &M::mnuOptionsLabels, 'W', C::kOptionsLabels},
        {"mnuOptionsShips", &M::mnuOptionsShips, 'H', C::kOptionsShips},
        {"mnuOptionsFleets", &M::mnuOptionsFleets, 'F', C::kOptionsFleets},
        {"mnuOptionsTurn", &M::mnuOptionsTurn, 'O', C::kOptionsTurn},
        {"mnuOptionsPause", &M::mnuOptionsPause, 'P', C::kOptionsPause}}},
      {"mnuHelp",
       &M::mnuHelp,
       {{"mnuHelpZarnath", &M::mnuHelpZarnath, 0, C::kHelpZarnath},
        Line("mnuline8"),
        {"mnuHelpWeb", &M::mnuHelpWeb, 0, C::kHelpWeb},
        {"mnuHelpFAQ", &M::mnuHelpFAQ, 0, C::kHelpFAQ},
        {"mnuHelpMessage", &M::mnuHelpMessage, 0, C::kHelpMessage},
        {"mnuHelpChat", &M::mnuHelpChat, 0, C::kHelpChat},
        {"mnuHelpBug", &M::mnuHelpBug, 0, C::kHelpBug},
        Line("mnuLine3"),
        {"mnuHelpAbout", &M::mnuHelpAbout, 0, C::kHelpAbout}}},
  };
  return bar;
}

const std::vector<CommandEntry>& CommandMenu() {
  static const std::vector<CommandEntry> menu = {
      {"mnuComCalc", "Calculate Travel Distance Between Worlds", kMenuDistance},
      {"mnuComCalcShips", "Calculate Ships Needed to Take Over World", kMenuShipsNeeded},
      {"mnuLine2", "-", kMenuInert},
      {"mnuComSendScout", "Send A Scout Ship Between Worlds", kMenuSendScout},
      {"mnuLine9", "-", kMenuInert},
      {"mnuComSendAll", "Send 100% of Ships Between Worlds", kMenuSendAll},
      {"mnuComSend75", "Send 75% of Ships Between Worlds", kMenuSend75},
      {"mnuComSend50", "Send 50% of Ships Between Worlds", kMenuSend50},
      {"mnuComSend25", "Send 25% of Ships Between Worlds", kMenuSend25},
      {"mnuComSend10", "Send 10% of Ships Between Worlds", kMenuSend10},
      {"mnuline7", "-", kMenuInert},
      {"mnuComSendBomb", "Send A Bomb To World", kMenuSendBomb},
      {"mnuComSendProx", "Set A Proximity Bomb On World", kMenuSetProximity},
      {"mnuComSendPulse", "Set A Pulse Bomb On World", kMenuSetPulse},
  };
  return menu;
}

std::string HelpAddress(MenuCommand command) {
  switch (command) {
    case C::kHelpWeb:
      return "https://zarnath.example/";
    case C::kHelpFAQ:
      return "https://zarnath.example/faq/";
    case C::kHelpMessage:
      return "https://zarnath.example/board/";
    case C::kHelpChat:
      return "https://zarnath.example/chat/";
    case C::kHelpBug:
      return "mailto:bugs@zarnath.example?subject=Zarnath%20v1.40.0143%20Bug%20Report";
    default:
      return "";
  }
}

}  // namespace zarnath
