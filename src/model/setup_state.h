// The setup window's choices, which are the options of the game in progress, and the game
// window's texts, captions and menus that the rules write and read back. The widgets show
// these; the rules never reach a widget.
#pragma once

#include <array>
#include <string>

#include "model/game_state.h"

namespace zarnath {

struct SetupState {
  std::array<std::string, kSeats> txtPL{};  // seat names; empty = seat not in the game
  std::array<int, kSeats> chkAI{};          // 1 = computer player
  std::array<std::string, kSeats> txtAI{};  // computer level "1".."6"
  int chkShield = 0;                        // 1 = ships travel with shields
  int chkMode = 0;                          // 1 = defensive battle mode
  int chkTruce = 0;
  std::string txtTruce = "10";
  std::array<std::string, 3> txtOp{"15", "8", "3"};  // max production, treasures, gather/scout turns
  std::array<bool, 3> OptRadar{true, false, false};  // On, Off, Unlimited
  std::string txtPlanets = "30";
  int chkLan = 0;
  int chkOnline = 0;
  std::string txtIP;
  bool OptServerClient0 = true;  // this machine hosts the game (or plays alone)
};

struct MenuItem {
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
};

struct GameMenus {
  MenuItem mnuFile, mnuInfo, mnuOptions, mnuHelp;
  MenuItem mnuFileNew, mnuFileLoad, mnuFileNewSS;
  MenuItem mnuOptionsTruce, mnuOptionsBattle, mnuOptionsShield;
  MenuItem mnuOptionsProd, mnuOptionsTreas, mnuOptionsGath, mnuOptionsRadar;
  MenuItem mnuOptionsSpeed{"Turn Speed Game On"};
  MenuItem mnuOptionsTurn{"Turn Timer On"};
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
  int Alignment = 0;  // 0 left, 2 centred
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
  TextBox txtGame;     // the one-line notice
  TextBox txtMove;     // the move log
  TextBox txtMessage;  // chat input
  TextBox txtChat;     // chat history
  std::array<std::string, kSeats> lblStatus{};
  AnnouncementLabel lblPlanet;
  std::array<bool, kWorldSlots> lblNameItalic{};  // an active player's home world
  bool SideControlsVisible = true;                // the side panes and indicators
  bool PanelLabelsVisible = true;                 // the battle panel's Label3..Label14
  bool WorldLabelsVisible = true;                 // the world and floating labels
  bool ProximityDialogVisible = false;
  bool SetupVisible = false;
  bool SideListsVisible = true;   // txtOwned, lstOwned and lstTravel
  bool IndicatorsVisible = true;  // the bomb, fuel and crystal indicators
  BattlePanel battle;
};

}  // namespace zarnath
