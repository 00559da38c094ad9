// The game window's controls beyond the galaxy view: the seven image buttons, the current player's
// side panes (header, owned worlds, objects in flight, the bomb, fuel and crystal indicators), the
// world information panel, the travel options popup, the proximity-bomb dialog, and the window's
// own life (load, resize, closing). It implements the screen's side-list operations for the game
// window and runs the window's commands through the core's operations and guards: presses on the
// map and on the world labels, the popup's rows, the world panel's rows and the side lists' rows.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/galaxy_clicks.h"
#include "commands/proximity_dialog.h"
#include "commands/window_commands.h"
#include "commands/window_life.h"
#include "model/side_lists.h"
#include "model/travel_calc.h"
#include "model/travel_popup.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace zarnath {

class Game;
class Platform;
class GalaxyWindow;
class ImageButton;
class ProximityWindow;

class WindowControls : public QObject {
 public:
  WindowControls(GalaxyWindow& window, Game& game, Platform& platform);
  ~WindowControls() override;

  // What other windows provide; unset hooks do nothing.
  std::function<void()> onHideOtherWindows;  // the title and setup windows, when the game window loads
  std::function<void()> onHideFileDialogs;   // the save and load dialogs, on a minimise in a network game
  std::function<void()> onChatSend;          // the chat's Send button
  std::function<void()> onShowHelp;          // the help viewer, for the Help button
  // Set, these take the clicks on rows of the panel, the lists and the popup instead of the
  // window's own commands (below).
  std::function<void(int row)> onInfoRowClicked, onOwnedRowClicked, onTravelRowClicked;
  std::function<void(int row)> onMenuRowClicked;

  // --- the screen's side-list operations ---
  // Rebuilds the current player's panes from the game state.
  void Console();
  // Highlights the first row of the in-transit list (its command is not run).
  void SelectFirstTravelRow();
  // The panes, panel, popup and dialog follow the game's window state.
  void Sync();

  // --- the window's life ---
  void Form_Load();
  void Form_Resize(bool minimised);
  // The Quit button: ends the program on Yes.
  void ImgQuit_Click();
  // The close box: true when the window may close (the program then ends).
  bool Form_QueryUnload();
  void ImgHelp_Click();

  // --- buttons and toggles ---
  void ImgLabels_Click();
  void ImgTravel_Click();
  void ImgDone_Click();
  void ImgStatus_Click();
  void txtMove_Click();
  // Whether the world names stand beside the worlds (the first world's label shows its name).
  bool NamesShown() const;

  // --- the information displays ---
  void WorldInfoShow(int world);
  void WorldHistoryShow(int world);
  // The travel options popup (or another popup of command rows) as built, at its place.
  void ShowMenu(const TravelPopup& popup);
  void HideMenu();

  // --- the Command menu: its operations by the popup's row codes (1 to 11) ---
  void RunMenuCommand(int code);
  // A popup row clicked: an inert row keeps the popup; otherwise the popup goes and the row's
  // command runs with input locked and the hourglass shown.
  void MenuRowClicked(int row);
  const TravelPopup& menu() const { return menu_; }
  // The travel-distance calculator's picture on the galaxy view.
  void DrawTravelCalc(const TravelCalcPlan& plan);

  // --- the window's commands on the map, the panel, the lists and the labels ---
  // A press on the map at pixel (x, y) with `button` (1 left, 2 right, 4 middle): an expanded
  // game-log box collapses first; then the press is the game's, and the window opens what it asks.
  void MapPressed(int button, double x, double y);
  // A click on row `row` of the world panel: its command on the panel's world.
  void InfoRowClicked(int row);
  // The owned-worlds list: a click points the world out, a double click switches its shield.
  void OwnedRowClicked(int row);
  void OwnedRowDoubleClicked(int row);
  // The in-transit list: a click offers the recall of an object that has not moved, or shows
  // where it is.
  void TravelRowClicked(int row);
  // A press on the label of world `index`: gathering exclusion (left, middle) or shield (right).
  void WorldLabelPressed(int index, int button);
  // What a command asks of the window once it is done: lists, panel rows, and what it opens.
  void ActOn(const CommandOutcome& out);

  // --- controls, for tests and tools ---
  ImageButton* button(MainButton b) const { return buttons_[static_cast<size_t>(b)]; }
  QLineEdit* txtOwned() const { return txtOwned_; }
  QListWidget* lstOwned() const { return lstOwned_; }
  QListWidget* lstTravel() const { return lstTravel_; }
  QListWidget* lstInfo() const { return lstInfo_; }
  QListWidget* lstMenu() const { return lstMenu_; }
  QLabel* ImgBomb() const { return imgBomb_; }
  QLabel* LblBomb() const { return lblBomb_; }
  QLabel* ImgDouble() const { return imgDouble_; }
  QLabel* ImgCrystal() const { return imgCrystal_; }
  ProximityWindow* frmProximity() const { return frmProximity_.get(); }
  ProximityDialog& proximity() { return proximity_; }
  LogBoxGeometry logBox() const { return logBox_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons();
  void BuildPanes();
  void BuildPopups();
  void ShowPanes();
  void ApplyLogBox();
  void ShowWorldNames();
  void FillList(QListWidget* list, const std::vector<ListRow>& rows);
  void AfterCommand();

  GalaxyWindow& window_;
  Game& game_;
  Platform& platform_;
  std::array<ImageButton*, 7> buttons_{};
  QLineEdit* txtOwned_ = nullptr;
  QListWidget* lstOwned_ = nullptr;
  QListWidget* lstTravel_ = nullptr;
  QListWidget* lstInfo_ = nullptr;
  QListWidget* lstMenu_ = nullptr;
  QLabel* imgBomb_ = nullptr;
  QLabel* lblBomb_ = nullptr;
  QLabel* imgDouble_ = nullptr;
  QLabel* imgCrystal_ = nullptr;
  SideLists panes_;
  TravelPopup menu_;  // the rows lstMenu shows
  ProximityDialog proximity_;
  MenuCommandRunner commands_;
  std::unique_ptr<ProximityWindow> frmProximity_;
  LogBoxGeometry logBox_{454, kLogBoxCollapsed};
  bool loaded_ = false;
};

}  // namespace zarnath
