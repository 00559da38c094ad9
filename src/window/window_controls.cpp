// The game window's controls: building them, the window's life (load, resize, closing), the image
// buttons and the side panes.
#include "window/window_controls.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "commands/menu_commands.h"
#include "engine/turn.h"
#include "model/game.h"
#include "model/world_panel.h"
#include "view/asset_names.h"
#include "view/galaxy_window.h"
#include "view/image_button.h"
#include "view/missing_files.h"
#include "view/widget_values.h"
#include "window/list_rows.h"
#include "window/proximity_window.h"

namespace zarnath {

namespace {

struct ButtonPlace {
  MainButton button;
  int number;  // of its pressed picture "ddentbuttN.jpg"
  QRect place;
};
constexpr ButtonPlace kButtons[] = {
    {MainButton::kLabels, 1, QRect(264, 405, 52, 30)}, {MainButton::kTravel, 2, QRect(317, 405, 52, 30)},
    {MainButton::kDone, 3, QRect(370, 405, 52, 30)},   {MainButton::kHelp, 4, QRect(595, 405, 52, 30)},
    {MainButton::kStatus, 5, QRect(648, 405, 52, 30)}, {MainButton::kQuit, 6, QRect(701, 405, 52, 30)},
    {MainButton::kSend, 7, QRect(275, 659, 57, 25)},
};

// The side panes' places: the header over the owned worlds, the objects in flight beside them, the
// indicators under those. The in-transit list reaches to the window's right edge and is wide
// enough for its longest row (a proximity bomb bound for "Promethei" in three-digit turns) beside
// its scroll bar, so every row shows its arrival time whole.
constexpr QRect kTxtOwned(340, 492, 335, 17), kLstOwned(340, 509, 335, 173);
constexpr QRect kLstTravel(680, 492, 333, 150);
constexpr QRect kImgBomb(680, 648, 32, 32), kLblBomb(714, 656, 24, 16), kImgDouble(745, 648, 32, 32),
    kImgCrystal(783, 648, 32, 32);
constexpr int kLogBoxLeft = 250, kLogBoxWidth = 518, kLogBoxTop = 454;

QFont GameFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(8.25);
  f.setBold(true);
  return f;
}

QLabel* NewIndicator(QWidget* parent, const char* file, QRect place) {
  auto* l = new QLabel(parent);
  l->setGeometry(place);
  l->setPixmap(LoadPicture(QString::fromLatin1(file), place.size()));
  l->setAttribute(Qt::WA_TransparentForMouseEvents);
  l->hide();
  return l;
}

}  // namespace

WindowControls::WindowControls(GalaxyWindow& window, Game& game, Platform& platform)
    : window_(window), game_(game), platform_(platform) {
  BuildButtons();
  BuildPanes();
  BuildPopups();
  window_.installEventFilter(this);
  window_.txtMove()->viewport()->installEventFilter(this);
  window_.onConsole = [this] { Console(); };
  window_.onSelectFirstTravelRow = [this] { SelectFirstTravelRow(); };
  window_.onSync = [this] { Sync(); };
  window_.onMapPressed = [this](int button, double x, double y) { MapPressed(button, x, y); };
  window_.onWorldLabelPressed = [this](int index, int button) { WorldLabelPressed(index, button); };
}

WindowControls::~WindowControls() {
  window_.onConsole = nullptr;
  window_.onSelectFirstTravelRow = nullptr;
  window_.onSync = nullptr;
  window_.onMapPressed = nullptr;
  window_.onWorldLabelPressed = nullptr;
  window_.removeEventFilter(this);
}

void WindowControls::BuildButtons() {
  for (const ButtonPlace& b : kButtons) {
    // No normal picture: the window's background carries the faces.
    ButtonFaces faces{QStringLiteral("ddentbutt%1.jpg").arg(b.number), QString(),
                      ClickSound::kUnlessSoundOff};
    auto* button = new ImageButton(&window_, game_, faces, b.place.topLeft(), b.place.size());
    button->setReleaseSound(QStringLiteral("click2.wav"));
    button->setInertWhileBusy(ButtonInertWhileBusy(b.button));
    buttons_[static_cast<size_t>(b.button)] = button;
  }
  connect(button(MainButton::kLabels), &ImageButton::clicked, this, [this] { ImgLabels_Click(); });
  connect(button(MainButton::kTravel), &ImageButton::clicked, this, [this] { ImgTravel_Click(); });
  connect(button(MainButton::kDone), &ImageButton::clicked, this, [this] { ImgDone_Click(); });
  connect(button(MainButton::kHelp), &ImageButton::clicked, this, [this] { ImgHelp_Click(); });
  connect(button(MainButton::kStatus), &ImageButton::clicked, this, [this] { ImgStatus_Click(); });
  connect(button(MainButton::kQuit), &ImageButton::clicked, this, [this] { ImgQuit_Click(); });
  connect(button(MainButton::kSend), &ImageButton::clicked, this, [this] {
    if (onChatSend) onChatSend();
  });
}

void WindowControls::BuildPanes() {
  txtOwned_ = new QLineEdit(&window_);
  txtOwned_->setGeometry(kTxtOwned);
  txtOwned_->setReadOnly(true);
  txtOwned_->setFrame(false);
  txtOwned_->setFont(GameFont());
  txtOwned_->setFocusPolicy(Qt::NoFocus);
  txtOwned_->setTextMargins(0, 0, 0, 0);
  txtOwned_->hide();
  // The table's columns stand where the header names them.
  const QFontMetricsF metrics(GameFont());
  const QString header = QString::fromLatin1(kOwnedHeader);
  std::vector<qreal> stops;
  for (const char* column : {"Class:", "Prod:", "Shield:", "Ships/Bombs:"})
    stops.push_back(metrics.horizontalAdvance(header.left(header.indexOf(QString::fromLatin1(column)))));
  lstOwned_ = NewGameList(&window_, Qt::white, Qt::black, 14, stops);
  lstOwned_->setGeometry(kLstOwned);
  lstTravel_ = NewGameList(&window_, Qt::white, Qt::black, 14);
  lstTravel_->setGeometry(kLstTravel);
  imgBomb_ = NewIndicator(&window_, kBombIndicatorFile, kImgBomb);
  lblBomb_ = new QLabel(&window_);
  lblBomb_->setGeometry(kLblBomb);
  lblBomb_->setFont(GameFont());
  SetListColours(lblBomb_, Qt::white, Qt::black);
  lblBomb_->hide();
  imgDouble_ = NewIndicator(&window_, kFuelIndicatorFile, kImgDouble);
  imgCrystal_ = NewIndicator(&window_, kCrystalIndicatorFile, kImgCrystal);

  connect(lstOwned_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstOwned_->row(item);
    if (onOwnedRowClicked)
      onOwnedRowClicked(row);
    else
      OwnedRowClicked(row);
  });
  connect(lstOwned_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { OwnedRowDoubleClicked(lstOwned_->row(item)); });
  connect(lstTravel_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstTravel_->row(item);
    if (onTravelRowClicked)
      onTravelRowClicked(row);
    else
      TravelRowClicked(row);
  });
}

void WindowControls::BuildPopups() {
  lstInfo_ = NewGameList(&window_, Qt::white, QColor(64, 64, 64), kPanelRowHeight);
  lstInfo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lstMenu_ = NewGameList(&window_, Qt::white, Qt::black, kPanelRowHeight);
  lstMenu_->setFrameShape(QFrame::Box);
  window_.KeepAboveMapLabels(lstInfo_);
  window_.KeepAboveMapLabels(lstMenu_);
  connect(lstInfo_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstInfo_->row(item);
    if (onInfoRowClicked)
      onInfoRowClicked(row);
    else
      InfoRowClicked(row);
  });
  connect(lstMenu_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstMenu_->row(item);
    if (onMenuRowClicked)
      onMenuRowClicked(row);
    else
      MenuRowClicked(row);
  });
  frmProximity_ = std::make_unique<ProximityWindow>(game_, proximity_, &window_);
  commands_ = GameMenuCommands(proximity_, [this](const TravelCalcPlan& plan) { DrawTravelCalc(plan); });
  frmProximity_->onSet = [this](const SendOutcome&) { AfterCommand(); };
}

// --- the side panes ---

void WindowControls::Console() {
  panes_ = BuildSideLists(game_);
  ApplySideLists(game_, panes_);
  lstOwned_->hide();
  txtOwned_->hide();
  lstTravel_->hide();
  FillRows(lstOwned_, panes_.owned);
  FillRows(lstTravel_, panes_.travel);
  txtOwned_->setText(Latin1(panes_.ownedHeader));
  lblBomb_->setText(Latin1(panes_.bombCaption));
  const int seat = game_.CurrentPlayer;
  const QColor colour = GameColour(
      seat >= 0 && seat < kSeats ? game_.PlayerColor[static_cast<size_t>(seat + 1)] : kNeutralColor);
  for (QWidget* w : std::initializer_list<QWidget*>{lstOwned_, lstTravel_, txtOwned_})
    SetListColours(w, colour, Qt::black);
  ShowPanes();
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::ShowPanes() {
  const GameWindowState& w = game_.window;
  const bool side = w.SideControlsVisible && game_.WorldCount > 0;
  const bool lists = side && panes_.human && panes_.listsVisible && w.SideListsVisible;
  txtOwned_->setVisible(lists);
  lstOwned_->setVisible(lists);
  lstTravel_->setVisible(lists);
  const bool indicators = side && panes_.human && w.IndicatorsVisible;
  imgBomb_->setVisible(indicators && panes_.bombVisible);
  lblBomb_->setVisible(indicators && panes_.bombVisible);
  imgDouble_->setVisible(indicators && panes_.fuelVisible);
  imgCrystal_->setVisible(indicators && panes_.crystalVisible);
}

void WindowControls::SelectFirstTravelRow() {
  const int row = FirstTravelRowChoice(panes_);
  if (row >= 0 && row < lstTravel_->count()) lstTravel_->setCurrentRow(row);
}

void WindowControls::Sync() {
  ShowPanes();
  // The panel and the popup are shown for the seat that opened them (the turn passing to another
  // seat, or its resolution, hides them); the dialog follows the game's state.
  if (!game_.window.lstInfoVisible) lstInfo_->hide();
  if (!game_.window.lstMenuVisible) lstMenu_->hide();
  if (frmProximity_) frmProximity_->Sync();
  ApplyLogBox();
}

// --- the window's life ---

void WindowControls::Form_Load() {
  if (loaded_) return;
  loaded_ = true;
  if (onHideOtherWindows) onHideOtherWindows();
}

void WindowControls::Form_Resize(bool minimised) {
  if (zarnath::Form_Resize(game_, minimised)) {
    if (onHideFileDialogs) onHideFileDialogs();
    platform_.Yield();
  }
}

void WindowControls::ImgQuit_Click() {
  zarnath::ImgQuit_Click(game_);
}

bool WindowControls::Form_QueryUnload() {
  return zarnath::Form_QueryUnload(game_);
}

void WindowControls::ImgHelp_Click() {
  zarnath::ImgHelp_Click(game_, [this] {
    if (onShowHelp) onShowHelp();
  });
}

bool WindowControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    switch (event->type()) {
      case QEvent::Show:
        Form_Load();
        break;
      case QEvent::WindowStateChange: {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool was = change->oldState() & Qt::WindowMinimized;
        const bool now = window_.windowState() & Qt::WindowMinimized;
        if (was != now) Form_Resize(now);
        break;
      }
      case QEvent::Close:
        if (!Form_QueryUnload()) {
          event->ignore();
          return true;
        }
        // The window unloads: the program ends at once.
        window_.EndProgram();
        break;
      default:
        break;
    }
  } else if (watched == window_.txtMove()->viewport() && event->type() == QEvent::MouseButtonPress) {
    txtMove_Click();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

// --- buttons and toggles ---

bool WindowControls::NamesShown() const {
  return game_.WorldCount > 0 && window_.lblName(0)->text() == Latin1(game_.WorldName[0]);
}

void WindowControls::ImgLabels_Click() {
  zarnath::ImgLabels_Click(game_, NamesShown(), [this] { ShowWorldNames(); });
}

void WindowControls::ImgTravel_Click() {
  zarnath::ImgTravel_Click(game_);
}

void WindowControls::ImgDone_Click() {
  zarnath::EndSeatTurn(game_);
}

void WindowControls::ImgStatus_Click() {
  zarnath::ImgStatus_Click(game_);
}

void WindowControls::txtMove_Click() {
  zarnath::txtMove_Click(game_, logBox_);
  ApplyLogBox();
  QPlainTextEdit* box = window_.txtMove();
  box->moveCursor(QTextCursor::End);
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
  if (box->isVisible()) box->repaint();
}

void WindowControls::ApplyLogBox() {
  QPlainTextEdit* box = window_.txtMove();
  const QRect place(kLogBoxLeft, logBox_.top, kLogBoxWidth, logBox_.height);
  if (box->geometry() == place) return;
  box->setGeometry(place);
  box->setVerticalScrollBarPolicy(logBox_.height >= kLogBoxExpanded ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
  box->raise();
}

}  // namespace zarnath
