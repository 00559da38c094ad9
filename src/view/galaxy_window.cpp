#include "view/galaxy_window.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "model/game.h"
#include "model/game_texts.h"
#include "view/asset_names.h"
#include "view/missing_files.h"
#include "view/program_folder.h"
#include "view/widget_values.h"

namespace zarnath {

namespace {

QFont LabelFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(8.25);
  f.setBold(true);
  return f;
}

void SetColours(QWidget* w, const QColor& text, const QColor& back) {
  SetPaletteColours(w, {{QPalette::WindowText, text},
                        {QPalette::Text, text},
                        {QPalette::Window, back},
                        {QPalette::Base, back}});
}

// The announcement label: sized to its text with every blank counted, the trailing ones too, and
// drawn so, so that a notice framed by blanks stands centred with its blanks on both sides.
class NoticeLabel : public QLabel {
 public:
  using QLabel::QLabel;
  QSize sizeHint() const override {
    const QSize base = QLabel::sizeHint();
    const int trimmed = fontMetrics().boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft, text()).width();
    int whole = 0;
    for (const QString& line : text().split(QLatin1Char('\n')))
      whole = std::max(whole, fontMetrics().horizontalAdvance(line));
    return {base.width() + std::max(0, whole - trimmed), base.height()};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics = fontMetrics();
    const QStringList lines = text().split(QLatin1Char('\n'));
    const QRect room = contentsRect();
    const int block = static_cast<int>(lines.size()) * metrics.lineSpacing();
    int top = room.top();
    if (alignment() & Qt::AlignBottom)
      top = room.bottom() + 1 - block;
    else if (!(alignment() & Qt::AlignTop))
      top = room.top() + (room.height() - block) / 2;
    for (const QString& line : lines) {
      const int width = metrics.horizontalAdvance(line);
      int left = room.left();
      if (alignment() & Qt::AlignHCenter)
        left = room.left() + (room.width() - width) / 2;
      else if (alignment() & Qt::AlignRight)
        left = room.right() + 1 - width;
      p.drawText(QPoint(left, top + metrics.ascent()), line);
      top += metrics.lineSpacing();
    }
  }
};

QImage LoadPicture(const char* name) {
  const QString file = QString::fromLatin1(name);
  QImage image(ProgramFile(file));
  if (image.isNull()) ReportMissingFile(file);
  return image.convertToFormat(QImage::Format_RGB32);
}

// Design captions of the battle panel's row labels, Label3..Label14.
constexpr std::array<const char*, 15> kPanelCaptions = {"",
                                                        "",
                                                        "",
                                                        "Ships Started:",
                                                        "Ships Left:",
                                                        "Shots Left:",
                                                        "Accuracy:",
                                                        "Class:",
                                                        "Shield %:",
                                                        "Ships Started:",
                                                        "Class:",
                                                        "Shield %:",
                                                        "Shots Left:",
                                                        "Ships Left:",
                                                        "Accuracy:"};
struct PanelPlace {
  int label, frame, x, y;
};
constexpr PanelPlace kPanelPlaces[] = {{3, 0, 8, 16},  {7, 0, 128, 16},  {6, 0, 8, 32},  {8, 0, 128, 32},
                                       {4, 0, 8, 48},  {5, 0, 128, 48},  {9, 1, 8, 16},  {10, 1, 128, 16},
                                       {14, 1, 8, 32}, {11, 1, 128, 32}, {13, 1, 8, 48}, {12, 1, 128, 48}};

}  // namespace

void SetPaletteColours(QWidget* w, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours) {
  // Mostly the colours are set already: then the palette is left alone without building another.
  if (w->testAttribute(Qt::WA_SetPalette)) {
    const QPalette& now = w->palette();
    bool same = true;
    for (const auto& [role, colour] : colours)
      for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        same = same && now.isBrushSet(group, role) && now.brush(group, role) == QBrush(colour);
    if (same) return;
  }
  QPalette pal = w->palette();
  for (const auto& [role, colour] : colours) pal.setColor(role, colour);
  const QPalette& now = w->palette();
  if (w->testAttribute(Qt::WA_SetPalette) && pal == now && pal.resolveMask() == now.resolveMask()) return;
  w->setPalette(pal);
}

GalaxyWindow::GalaxyWindow() : canvas_(kInnerWidth, kInnerHeight) {
  setWindowTitle(QStringLiteral("Zarnath"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kInnerWidth, kInnerHeight);
  setMouseTracking(true);  // the pointer's moves name worlds and draw the rubber band
  LoadPictures();
  BuildControls();
  canvas_.Clear();
}

GalaxyWindow::~GalaxyWindow() = default;

void GalaxyWindow::Attach(Game& game) {
  game_ = &game;
}

void GalaxyWindow::LoadPictures() {
  canvas_.SetBackground(LoadPicture("back1024.jpg"));
  sun_ = LoadPicture(kSunImageFile);
  sunMask_ = LoadPicture(kSunMaskFile);
  for (int w = 0; w < kMaxWorlds; ++w) {
    sprite_[static_cast<size_t>(w)] = LoadPicture(WorldImageFile(w).c_str());
    spriteMask_[static_cast<size_t>(w)] = LoadPicture(WorldMaskFile(w).c_str());
  }
}

void GalaxyWindow::RaiseMapLabel(QLabel* label) {
  label->raise();
  // Just under the lowest popup or panel (the children run from the bottom up).
  for (QObject* child : children())
    if (std::find(overlays_.begin(), overlays_.end(), child) != overlays_.end()) {
      label->stackUnder(static_cast<QWidget*>(child));
      return;
    }
}

QLabel* GalaxyWindow::NewMapLabel(const QString& caption) {
  auto* l = new QLabel(caption, this);
  l->setFont(LabelFont());
  l->setAutoFillBackground(true);
  SetColours(l, Qt::white, Qt::black);
  // The map's labels never take a click meant for the map beneath them.
  l->setAttribute(Qt::WA_TransparentForMouseEvents);
  l->adjustSize();
  l->hide();
  return l;
}

void GalaxyWindow::BuildControls() {
  for (int i = 0; i < kWorldSlots; ++i) lblName_[static_cast<size_t>(i)] = NewMapLabel(QString());
  // The world labels take presses of their own; the hover label (the last) lets them through to
  // the map.
  for (int i = 0; i < kWorldSlots - 1; ++i) {
    lblName_[static_cast<size_t>(i)]->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    lblName_[static_cast<size_t>(i)]->installEventFilter(this);
  }
  lblShips_.push_back(NewMapLabel(QStringLiteral("Ships")));
  lblShips_[0]->setAlignment(Qt::AlignCenter);

  for (int p = 0; p < kSeats; ++p) {
    auto* l = new QLabel(this);
    l->setGeometry(21 + p * 245, 4, 240, 16);
    l->setFont(LabelFont());
    SetColours(l, Qt::white, Qt::black);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblStatus_[static_cast<size_t>(p)] = l;
  }

  txtGame_ = new QLineEdit(this);
  txtGame_->setGeometry(250, 392, 518, 20);
  txtGame_->setReadOnly(true);
  txtGame_->setFrame(false);
  txtGame_->setAlignment(Qt::AlignCenter);
  txtGame_->setFont(LabelFont());
  txtGame_->setFocusPolicy(Qt::NoFocus);
  SetColours(txtGame_, GameColour(kNeutralColor), Qt::black);

  txtMove_ = new QPlainTextEdit(this);
  // The log box lies collapsed under the buttons; a click expands it upwards over the notice line.
  txtMove_->setGeometry(250, 454, 518, 17);
  txtMove_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtMove_->setFrameShape(QFrame::NoFrame);
  txtMove_->document()->setDocumentMargin(1);
  txtMove_->setReadOnly(true);
  txtMove_->setFont(LabelFont());
  SetColours(txtMove_, GameColour(kNeutralColor), Qt::black);

  lblPlanet_ = new NoticeLabel(this);
  lblPlanet_->setFont(LabelFont());
  lblPlanet_->setAutoFillBackground(true);
  SetColours(lblPlanet_, GameColour(kNeutralColor), Qt::black);
  lblPlanet_->setAttribute(Qt::WA_TransparentForMouseEvents);
  lblPlanet_->hide();
  KeepAboveMapLabels(lblPlanet_);
  KeepAboveMapLabels(txtMove_);

  QFont small = LabelFont();
  small.setBold(false);
  for (int side = 0; side < 2; ++side) {
    auto* frame = new QFrame(this);
    frame->setGeometry(side == 0 ? 21 : 768, 416, 225, 65);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    SetColours(frame, Qt::white, Qt::black);
    auto* title = new QLabel(QStringLiteral("Fleet Captain"), frame);
    title->setGeometry(8, 0, 96, 14);
    title->setFont(small);
    SetColours(title, GameColour(kPanelGrey), Qt::black);
    (side == 0 ? fraFrom_ : fraTo_) = frame;
    auto* head = new QLabel(frame);
    head->setGeometry(107, 0, 116, 14);
    head->setFont(LabelFont());
    panel_[static_cast<size_t>(side + 1)] = head;
    for (int row = 0; row < 6; ++row) {
      auto* v = new QLabel(frame);
      static constexpr int kX[] = {96, 200, 96, 200, 96, 200}, kY[] = {16, 16, 32, 32, 48, 48};
      v->setGeometry(kX[row], kY[row], row % 2 ? 24 : 32, 14);
      v->setFont(small);
      values_[static_cast<size_t>(row)][static_cast<size_t>(side + 1)] = v;
    }
  }
  for (const PanelPlace& p : kPanelPlaces) {
    auto* l = new QLabel(QString::fromLatin1(kPanelCaptions[static_cast<size_t>(p.label)]),
                         p.frame ? fraTo_ : fraFrom_);
    l->setGeometry(p.x, p.y, p.x == 8 ? 88 : 72, 14);
    l->setFont(small);
    panel_[static_cast<size_t>(p.label)] = l;
  }
}

void GalaxyWindow::SyncFromModel() {
  if (!game_) return;
  const GameWindowState& w = game_->window;
  setWindowTitle(Latin1(w.Caption.empty() ? "Zarnath" : w.Caption));
  setCursor(w.MousePointer == kHourglassPointer ? Qt::WaitCursor : Qt::ArrowCursor);
  for (int p = 0; p < kSeats; ++p) {
    lblStatus_[static_cast<size_t>(p)]->setText(Latin1(StatusCaption(*game_, p)));
    SetColours(lblStatus_[static_cast<size_t>(p)], GameColour(game_->PlayerColor[static_cast<size_t>(p + 1)]),
               Qt::black);
  }

  const QString notice = Latin1(w.txtGame.Text);
  if (txtGame_->text() != notice) txtGame_->setText(notice);
  SetColours(txtGame_, GameColour(w.txtGame.ForeColor), Qt::black);
  txtGame_->setVisible(w.txtGame.Visible);

  QString log = Latin1(w.txtMove.Text);
  log.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (txtMove_->toPlainText() != log) {
    txtMove_->setPlainText(log);
    txtMove_->verticalScrollBar()->setValue(txtMove_->verticalScrollBar()->maximum());
  }
  SetColours(txtMove_, GameColour(w.txtMove.ForeColor), Qt::black);
  txtMove_->setVisible(w.txtMove.Visible);

  // The announcement sizes itself to its text and stands centred on the sun, unless it was placed
  // beside a world for the caption it still shows.
  lblPlanet_->setText(Latin1(w.lblPlanet.Caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  lblPlanet_->setAlignment(w.lblPlanet.Alignment == 2 ? Qt::AlignCenter : Qt::AlignLeft);
  SetColours(lblPlanet_, GameColour(w.lblPlanet.ForeColor), Qt::black);
  if (planetBeside_.active && planetBeside_.caption == w.lblPlanet.Caption) {
    lblPlanet_->setGeometry(planetBeside_.rect);
  } else {
    planetBeside_.active = false;
    lblPlanet_->adjustSize();
    lblPlanet_->move(static_cast<int>(game_->GalaxyCenterX - lblPlanet_->width() / 2.0),
                     static_cast<int>(game_->GalaxyCenterY - lblPlanet_->height() / 2.0));
  }
  lblPlanet_->setVisible(w.lblPlanet.Visible);
  if (w.lblPlanet.Visible) lblPlanet_->raise();

  const BattlePanel& b = w.battle;
  for (int i = 1; i <= 14; ++i) {
    QLabel* l = panel_[static_cast<size_t>(i)];
    if (i <= 2) l->setText(Latin1(b.Label[static_cast<size_t>(i)].Caption));
    SetColours(l, GameColour(b.Label[static_cast<size_t>(i)].ForeColor), Qt::black);
    if (i >= 3) l->setVisible(w.PanelLabelsVisible);
  }
  const std::array<const std::array<PanelLabel, 3>*, 6> rows = {&b.lblOrig,   &b.lblClass, &b.lblAccu,
                                                                &b.lblShield, &b.lblCurr,  &b.lblShot};
  for (size_t row = 0; row < rows.size(); ++row)
    for (size_t side = 1; side <= 2; ++side) {
      QLabel* v = values_[row][side];
      v->setText(Latin1((*rows[row])[side].Caption));
      SetColours(v, GameColour((*rows[row])[side].ForeColor), Qt::black);
    }

  // The world and floating labels go while the orbits turn; the next redraw brings them back.
  if (!w.WorldLabelsVisible) {
    for (QLabel* l : lblShips_) l->hide();
    for (int i = 0; i < std::min<int>(game_->WorldCount, kMaxWorlds); ++i)
      lblName_[static_cast<size_t>(i)]->hide();
  }
  if (onSync) onSync();
}

void GalaxyWindow::PlacePlanetBeside(int left, int top, int width, int height) {
  if (!game_) return;
  planetBeside_ = {true, game_->window.lblPlanet.Caption, QRect(left, top, width, height)};
  lblPlanet_->setGeometry(planetBeside_.rect);
}

void GalaxyWindow::Show(Control control) {
  if (!isVisible()) return;
  switch (control) {
    case Control::kTxtGame:
      txtGame_->repaint();
      break;
    case Control::kTxtMove:
      txtMove_->repaint();
      break;
    case Control::kLblPlanet:
      lblPlanet_->repaint();
      break;
    case Control::kBattleFrames:
      fraFrom_->repaint();
      fraTo_->repaint();
      break;
    case Control::kLblStatus:
      for (QLabel* l : lblStatus_) l->repaint();
      break;
    default:
      repaint();
  }
}

int GalaxyWindow::ShowGameWindow() {
  setFixedSize(kInnerWidth, kInnerHeight);
  move(0, 0);
  show();
  // A screen narrower than the window limits it: the inner width is what the screen leaves.
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const int available = s ? s->availableGeometry().width() - (frameGeometry().width() - width()) : width();
  return std::min(width(), std::max(0, available));
}

void GalaxyWindow::HideGameWindow() {
  hide();
}
void GalaxyWindow::ShowSetupWindow() {
  if (onShowSetupWindow) onShowSetupWindow();
}
void GalaxyWindow::HideSetupWindow() {
  if (onHideSetupWindow) onHideSetupWindow();
}

void GalaxyWindow::Refresh(Control control) {
  SyncFromModel();
  if (game_ && control == Control::kWindow) setVisible(game_->window.Visible);
  Show(control);
  if (onRefresh) onRefresh(control);
}

void GalaxyWindow::Focus(Control control) {
  if (control == Control::kTxtMove) txtMove_->setFocus();
  if (control == Control::kTxtMessage && onFocusChat) onFocusChat();
}

void GalaxyWindow::Console() {
  if (game_) {
    // The side panes and the indicators are rebuilt and shown again.
    game_->window.SideControlsVisible = true;
    game_->window.IndicatorsVisible = true;
  }
  if (onConsole) onConsole();
}

void GalaxyWindow::EndProgram() {
  if (onEndProgram) onEndProgram();
}
void GalaxyWindow::SelectFirstTravelRow() {
  if (onSelectFirstTravelRow) onSelectFirstTravelRow();
}
void GalaxyWindow::ReturnToSetup() {
  hide();
  if (onReturnToSetup) onReturnToSetup();
}

void GalaxyWindow::paintEvent(QPaintEvent*) {
  ++paints_;
  QPainter p(this);
  p.drawImage(0, 0, std::as_const(canvas_).image());
}

namespace {

// The button as the game's commands number it: 1 left, 2 right, 4 middle, 0 any other.
int GameButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

void GalaxyWindow::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (onMapPressed) onMapPressed(GameButton(event->button()), at.x(), at.y());
  event->accept();
}

bool GalaxyWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < kWorldSlots - 1; ++i) {
      if (watched != lblName_[static_cast<size_t>(i)]) continue;
      if (onWorldLabelPressed) onWorldLabelPressed(i, GameButton(static_cast<QMouseEvent*>(event)->button()));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void GalaxyWindow::mouseMoveEvent(QMouseEvent* event) {
  if (onMouseMove) onMouseMove(event->position().x(), event->position().y());
  QWidget::mouseMoveEvent(event);
}

void GalaxyWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && onEscape && onEscape()) return;
  QWidget::keyPressEvent(event);
}

QImage GalaxyWindow::Screenshot() {
  return grab().toImage();
}

}  // namespace zarnath
