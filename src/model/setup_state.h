// The setup window's choices, which are the options of the game in progress, and the game
// window's texts, captions and menus that the rules write and read back. The widgets show
// these; the rules never reach a widget.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/chat_history.h"
#include "model/game_state.h"

namespace zarnath {

// The ranges of the setup window's bars.
inline constexpr int kLevelMin = 1, kLevelMax = 6;
inline constexpr int kWorldsMin = 9, kWorldsMax = 30;
inline constexpr int kTruceMin = 10, kTruceMax = 50;
inline constexpr int kProductionMin = 5, kProductionMax = 30;
inline constexpr int kGatherMin = 1, kGatherMax = 5;
inline constexpr size_t kNameLength = 8;  // a typed name's characters

// A freshly created setup window holds these values; its load step then restores the last
// choices from "defaults.cfg".
struct SetupState {
  // --- the four player slots ---
  std::array<std::string, kSeats> txtPL{};  // seat names; empty = seat not in the game
  std::array<bool, kSeats> txtPLLocked{};   // a computer's name cannot be typed over
  std::array<int, kSeats> chkAI{};          // 1 = computer player
  std::array<bool, kSeats> chkAIEnabled{true, true, true, true};
  std::array<std::string, kSeats> txtAI{"5", "5", "4", "3"};  // computer level "1".."6"
  std::array<int, kSeats> HScrollAI{5, 5, 4, 3};              // the level bars, 1..6
  std::array<bool, kSeats> levelVisible{};                    // txtAI and HScrollAI shown
  std::array<bool, kSeats> txtAIEnabled{true, true, true, true};
  std::array<std::string, kSeats> lblStatus{};  // the slot's status in a network lobby
  std::array<bool, kSeats> lblStatusVisible{};
  std::string Label5 = "Status:";  // the heading over the levels
  bool Label5Visible = false;
  bool helpVisible = true;  // Label7 and Label8, the help text

  // --- the game options ---
  int VScroll1 = kWorldsMax;  // the world-count bar
  std::string txtPlanets = "30";
  int chkShield = 0;  // 1 = ships travel with shields
  int chkMode = 0;    // 1 = defensive battle mode
  int chkTruce = 0;
  int VScroll2 = kTruceMin;  // the truce-turn bar
  std::string txtTruce = "10";
  bool truceEnabled = false;                         // chkTruce, Label13, txtTruce and VScroll2
  std::array<int, 3> VScrollOp{15, 8, 3};            // max production, treasures, gather/scout turns
  int treasuresMax = 15;                             // VScrollOp(1)'s upper bound
  std::array<std::string, 3> txtOp{"15", "8", "3"};  // what the option boxes show
  std::array<bool, 3> OptRadar{true, false, false};  // On, Off, Unlimited

  // --- the network boxes ---
  int chkLan = 0;
  int chkOnline = 0;
  std::string txtIP;
  bool txtIPEnabled = false;
  bool txtIPLocked = false;
  bool OptServerClient0 = false;  // this machine hosts the game (join is selected at first)
  bool OptServerClientEnabled = false;

  // --- the lobby ---
  std::string Label9;                     // the hint over the seats: how to remove or leave
  std::string Label10 = "Game Options:";  // the heading of the options or the chat area
  bool chatVisible = false;               // txtChat and txtMessage shown in place of picOptions
  ChatHistory txtChat;                    // the lobby's chat lines, each ending in CR LF
  std::string txtMessage;                 // the chat entry line
  bool optionsEnabled = true;             // every game option control (a lobby fixes them)
  bool worldBarEnabled = true;            // the world-count bar (join mode frees it again)
  bool ImgStartVisible = true;            // the Start button, shown and enabled

  // --- the internet lobby ---
  bool lobbyLayout = false;  // the tall window with the server table under the options
  // The server table's rows, nine cells each (a blank and the record's line), the columns'
  // enabled state and the row last selected (-1 none).
  std::vector<std::array<std::string, 9>> lstServer;
  bool lstServerEnabled = true;
  int ServerListRow = -1;
  // The host's republishing: one-minute ticks left before its game is announced again.
  int tmrServerTag = 0;
};

struct MenuItem {
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
};

// The game window's menus, each item with the caption a run starts with. A switching item's
// caption names what its next choice does ("Turn Sound Off" shown = sound on); the rules read and
// write these captions and check marks, and the window shows them. The order of the menus, their
// separators and shortcuts are in model/menu_tree.h.
struct GameMenus {
  MenuItem mnuFile{"&File"}, mnuInfo{"&Information"}, mnuOptions{"&Options"}, mnuHelp{"&Help"};
  MenuItem mnuCommand{"&Command", false, true, false};  // never shown on the bar
  MenuItem mnuFileNew{"New Game"}, mnuFileLoad{"Load Game"}, mnuFileNewSS{"Reset Solar System"};
  MenuItem mnuFileSave{"Save Game"}, mnuFileExit{"&Exit"};
  MenuItem mnuInfoFleets{"Show Position of Traveling Fleets"}, mnuInfoLabels{"Show World Labels"};
  MenuItem mnuInfoStatus{"Show Status of Solar System"}, mnuInfoHigh{"Show High Scores"};
  MenuItem mnuOptionsTruce{"No Battle Truce"}, mnuOptionsBattle{"Offensive Battle Mode"};
  MenuItem mnuOptionsShield{"Ships Do Not Travel with Shields"};
  MenuItem mnuOptionsProd{"Maximum World Production"}, mnuOptionsTreas{"World Treasures"};
  MenuItem mnuOptionsGath{"Maximum Gather/Scout Turns"}, mnuOptionsRadar{"Home World Radar On"};
  MenuItem mnuOptionsSound{"Turn Sound Off"};
  MenuItem mnuOptionsLabels{"Turn World Labels Off"};
  MenuItem mnuOptionsPause{"Pause Game"};
  MenuItem mnuHelpZarnath{"Zarnath Help"}, mnuHelpWeb{"Zarnath Web Site"}, mnuHelpFAQ{"Zarnath FAQ"};
  MenuItem mnuHelpMessage{"Message Board"}, mnuHelpChat{"Chat Room"}, mnuHelpBug{"Submit Bug Report"};
  MenuItem mnuHelpAbout{"About Zarnath"};
  MenuItem mnuOptionsSpeed{"Turn Speed Game On"};
  MenuItem mnuOptionsTurn{"Turn Timer Off"};
  MenuItem mnuOptionsShips{"Turn World Ship Labels Off"};
  MenuItem mnuOptionsFleets{"Turn Traveling Fleets Off"};  // written by the Travel button
  MenuItem mnuFileAutoSave{"AutoSave Off"};                // checked while AutoSave is on
};

struct TextBox {
  std::string Text;
  double ForeColor = kNeutralColor;
  bool Visible = true;
  bool Busy = false;  // the move-log box's mark while a turn is resolved
};

struct AnnouncementLabel {
  std::string Caption;
  bool Visible = false;
  int Alignment = 0;                 // 0 left, 2 centred
  double ForeColor = kNeutralColor;  // whatever its last user set
};

// One label of the battle panel: what it shows and in which colour.
struct PanelLabel {
  std::string Caption;
  double ForeColor = 0;
};

inline constexpr double kPanelGrey = 8421504.0;  // &H808080: captions of an idle battle panel
inline constexpr double kWhiteColor = 16777215.0;
inline constexpr double kBlackColor = 0.0;

// The battle panel: the two frames' titles and captions (Label1 the attacker's title, Label2 the
// defender's, Label3..Label14 the row captions) and the value labels by side (1 attacker,
// 2 defender; element 0 unused).
struct BattlePanel {
  BattlePanel() {
    for (auto& l : Label) l.ForeColor = kPanelGrey;
    for (auto* values : {&lblOrig, &lblClass, &lblAccu, &lblShield, &lblCurr, &lblShot})
      for (auto& l : *values) l.ForeColor = kWhiteColor;
  }
  std::array<PanelLabel, 15> Label{};  // Label1..Label14; element 0 unused
  std::array<PanelLabel, 3> lblOrig{}, lblClass{}, lblAccu{}, lblShield{}, lblCurr{}, lblShot{};
};

struct GameWindowState {
  std::string Caption;
  bool Visible = false;
  int MousePointer = 0;  // 0 the default pointer, 11 the hourglass
  TextBox txtGame;       // the one-line notice
  TextBox txtMove;       // the move log
  TextBox txtMessage;    // chat input
  ChatHistory txtChat;   // chat history
  // The chat's Send button: off for two seconds after a line was sent.
  bool ImgSendEnabled = true;
  AnnouncementLabel lblPlanet;
  // The world information panel and the travel options popup: shown for the seat that opened
  // them, hidden again when the turn passes to another seat.
  bool lstInfoVisible = false;
  bool lstMenuVisible = false;
  std::array<bool, kWorldSlots> lblNameItalic{};  // an active player's home world
  bool SideControlsVisible = true;                // the side panes and indicators
  bool PanelLabelsVisible = true;                 // the battle panel's Label3..Label14
  bool WorldLabelsVisible = true;                 // the world and floating labels
  bool ProximityDialogVisible = false;
  bool SetupVisible = false;
  bool SideListsVisible = true;   // txtOwned, lstOwned and lstTravel
  bool IndicatorsVisible = true;  // the bomb, fuel and crystal indicators
  BattlePanel battle;
  // The show's clock: when the frame now on the screen began (a tick of the orbit animation, a
  // battle's shot), and whether the battle on the panel has shown a shot yet.
  int64_t frameStartMs = 0;
  bool shotShown = false;
};

}  // namespace zarnath
