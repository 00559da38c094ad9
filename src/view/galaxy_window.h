// The game window `frmGalaxy` as the rules see it: the galaxy view drawn on an off-screen canvas
// and shown through an immediate repaint, its world and floating labels (which never take a
// click meant for the map), the seat status captions, the message line, the move log, the
// centred announcement and the battle panel. It is the program's `GameScreen`: the rules call the
// full and light redraws, the marks and the labels through it, and it shows what the game's
// window state holds. It is also the commands' view: the selection marks, the send previews, the
// distance labels and the world labels' captions. Presses on the map and on the world labels
// (not the hover label) go to the window's commands through its hooks.
#pragma once

#include <QImage>
#include <QPalette>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_view.h"
#include "model/ports.h"
#include "model/view_rules.h"
#include "view/galaxy_canvas.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QFrame;

namespace zarnath {

class Game;

inline constexpr int kInnerWidth = 1018;  // the window's nominal inner size
inline constexpr int kInnerHeight = 693;

// Gives a widget these palette colours, unless it shows them already: setting a palette restyles
// the widget and costs far more than the look.
void SetPaletteColours(QWidget* w, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours);

class GalaxyWindow : public QWidget, public GameScreen, public CommandView {
 public:
  GalaxyWindow();
  ~GalaxyWindow() override;

  // The game whose state the window shows and draws (set once the game exists).
  void Attach(Game& game);

  // What other windows provide; unset hooks do nothing.
  std::function<void()> onShowSetupWindow, onHideSetupWindow, onConsole, onReturnToSetup, onEndProgram;
  std::function<void()> onSelectFirstTravelRow;
  // Watchers (tools and tests): after a control is repainted, and after each orbit tick is drawn.
  std::function<void(Control)> onRefresh;
  std::function<void()> onOrbitTick;
  // The window's further controls follow the game's window state at every refresh.
  std::function<void()> onSync;
  // A mouse press on the map (button 1 left, 2 right, 4 middle; pixels of the client area), and
  // on the label of world `index`.
  std::function<void(int button, double x, double y)> onMapPressed;
  std::function<void(int index, int button)> onWorldLabelPressed;
  // The pointer moved over the window (its coordinates); the chat entry line is to take the focus.
  std::function<void(double x, double y)> onMouseMove;
  // Escape on the window; true when it closed something.
  std::function<bool()> onEscape;
  std::function<void()> onFocusChat;

  // GameScreen
  int ShowGameWindow() override;
  void HideGameWindow() override;
  void ShowSetupWindow() override;
  void HideSetupWindow() override;
  void Refresh(Control control) override;
  void Focus(Control control) override;
  void GalaxyDraw() override;
  void Console() override;
  void DrawOrbitTick() override;
  void DrawDestinationMarks() override;
  void EndProgram() override;
  void DrawCircle(double x, double y, double radius, double colour, double aspect, int lineWidth,
                  int lineStyle) override;
  void DrawBlob(double x, double y, double fillColour, double lineColour) override;
  void DrawStarMark(double x, double y, double colour, double centreColour) override;
  void DrawShipDots(double x, double y, double fillColour, double lineColour, int count, int size) override;
  void DrawStrengthBar(double split, double leftColour, double rightColour, bool divider) override;
  void ShowLabels(int slot, double u, double v) override;
  void HideMapLabels() override;
  void ShowShipsLabel(const std::string& caption, double x, double y, int gap, double colour) override;
  void HideShipsLabel() override;
  void SelectFirstTravelRow() override;
  void ReturnToSetup() override;

  // CommandView
  void CleanGalaxy() override;
  // -1: every object of the current player; otherwise the object in slot fleetNo - 1.
  void FleetPathsDraw(int fleetNo) override;
  void DrawWorldLabel(int w) override;
  void DrawSourceMark(int w) override;
  void DrawTargetMark(int w) override;
  void HideHoverLabel() override;
  void ClearHoverLabel() override;
  void ShowDistanceLabels(const DistanceLabels& labels) override;
  void DrawSendPreview(int from, int to, PreviewKind kind) override;
  void SetWorldLabel(int w, const std::string& caption) override;
  std::string WorldLabelCaption(int w) override;
  void ShowThresholdLabel(const std::string& caption, double x, double y, double colour) override;
  int TextWidth(const std::string& text) override;

  // --- the view's own operations, for the window's commands ---
  void DrawCrossMark(double x, double y, double fillColour, double lineColour);
  void FleetPosition(int slot);
  // The world labels beside their worlds, as the Labels button puts the world names.
  void PlaceWorldNames();
  void LabelsSpread();
  // The announcement label beside a world instead of centred on the sun, at this place and size,
  // for as long as it shows its present caption.
  void PlacePlanetBeside(int left, int top, int width, int height);
  // A popup or panel over the map: the map's labels stay under it.
  void KeepAboveMapLabels(QWidget* overlay) { overlays_.push_back(overlay); }
  // Puts a label of the map (a world name, a ship count) over the map and the other labels, and
  // under every popup and panel.
  void RaiseMapLabel(QLabel* label);

  // --- for tests and tools ---
  GalaxyCanvas& canvas() { return canvas_; }
  QLabel* lblName(int i) const { return lblName_[static_cast<size_t>(i)]; }
  QLabel* lblShips(int i) const { return lblShips_[static_cast<size_t>(i)]; }
  int lblShipsCount() const { return static_cast<int>(lblShips_.size()); }
  QLabel* lblStatus(int i) const { return lblStatus_[static_cast<size_t>(i)]; }
  QLabel* lblPlanet() const { return lblPlanet_; }
  QLineEdit* txtGame() const { return txtGame_; }
  QPlainTextEdit* txtMove() const { return txtMove_; }
  QFrame* fraFrom() const { return fraFrom_; }
  QFrame* fraTo() const { return fraTo_; }
  QLabel* panelLabel(int i) const { return panel_[static_cast<size_t>(i)]; }  // Label1..Label14
  // The value labels by row (0 lblOrig, 1 lblClass, 2 lblAccu, 3 lblShield, 4 lblCurr, 5 lblShot) and side.
  QLabel* panelValue(int row, int side) const {
    return values_[static_cast<size_t>(row)][static_cast<size_t>(side)];
  }
  int paints() const { return paints_; }
  // The window as shown: canvas and every visible control.
  QImage Screenshot();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void LoadPictures();
  void BuildControls();
  void SyncFromModel();
  void Show(Control control);
  void DrawBackground();
  void DrawWorldSprite(int w);
  void DrawOwnerRings(int w);
  void DrawCrosshair(double x, double y);
  void DrawMark(double x, double y, const MarkShape& m, double first, double second);
  void DrawFleetsFirstPass(const FleetScan& scan);
  void DrawRadarFleet(const FleetSight& s);
  void DrawWorlds();
  void DrawPlantedBombs();
  // A world's place on screen; within one drawing pass (KnowSpots to ForgetSpots, the worlds
  // standing still) worked out once per world.
  ViewSpot Spot(int w) const;
  void KnowSpots();
  void ForgetSpots() { spotsKnown_ = false; }
  QLabel* NewMapLabel(const QString& caption);
  // The ship label at the game's label index, loaded when it is the first past the loaded ones.
  QLabel* NextShipsLabel(GameState& g);
  // A label right-aligned with its right edge `gap` px left of x, centred on y.
  void PlaceShipLabel(QLabel* label, const std::string& caption, double x, double y, int gap, double colour);

  Game* game_ = nullptr;
  GalaxyCanvas canvas_;
  QImage sun_, sunMask_;
  std::array<QImage, kMaxWorlds> sprite_, spriteMask_;
  std::array<QLabel*, kWorldSlots> lblName_{};
  std::vector<QLabel*> lblShips_;
  // While the full redraw runs: the floating labels it hides at its end unless it shows them.
  std::vector<QLabel*> pendingHide_;
  bool deferHide_ = false;
  std::array<ViewSpot, kMaxWorlds> spots_{};
  bool spotsKnown_ = false;
  std::array<QLabel*, kSeats> lblStatus_{};
  QLabel* lblPlanet_ = nullptr;
  QLineEdit* txtGame_ = nullptr;
  QPlainTextEdit* txtMove_ = nullptr;
  QFrame* fraFrom_ = nullptr;
  QFrame* fraTo_ = nullptr;
  std::array<QLabel*, 15> panel_{};
  std::array<std::array<QLabel*, 3>, 6> values_{};
  struct PlanetPlace {
    bool active = false;
    std::string caption;
    QRect rect;
  } planetBeside_;
  std::vector<QWidget*> overlays_;
  int paints_ = 0;
};

}  // namespace zarnath
