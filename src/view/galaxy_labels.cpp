// The galaxy window's labels: floating labels over objects in flight, the world ship labels,
// the hover label and the world names with their spreading.
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "model/game.h"
#include "view/galaxy_window.h"
#include "view/widget_values.h"

namespace zarnath {

namespace {

size_t At(int i) {
  return static_cast<size_t>(i);
}

void SetTextColour(QLabel* l, double colour) {
  SetPaletteColours(l, {{QPalette::WindowText, GameColour(colour)}, {QPalette::Window, Qt::black}});
}

LabelBox BoxOf(const QLabel* l) {
  return {static_cast<double>(l->x()), static_cast<double>(l->y()), static_cast<double>(l->width()),
          static_cast<double>(l->height())};
}

}  // namespace

void GalaxyWindow::PlaceShipLabel(QLabel* label, const std::string& caption, double x, double y, int gap,
                                  double colour) {
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont f = label->font();
  f.setBold(true);
  f.setItalic(false);
  // As with the palette: a font set again restyles the label; the same font is left alone.
  const QFont& now = label->font();
  if (!label->testAttribute(Qt::WA_SetFont) || f != now || f.resolveMask() != now.resolveMask())
    label->setFont(f);
  SetTextColour(label, colour);
  label->setText(Latin1(caption));
  label->adjustSize();
  label->move(Whole(x - label->width() - gap), Whole(y - label->height() / 2.0));
  label->show();
  RaiseMapLabel(label);
}

QLabel* GalaxyWindow::NextShipsLabel(GameState& g) {
  // The element at the label index; one more is loaded when every loaded one is in use. An index
  // that no longer fits the loaded elements starts again after the last of them.
  if (g.LabelIndex < 0 || g.LabelIndex > static_cast<int>(lblShips_.size()))
    g.LabelIndex = static_cast<int16_t>(lblShips_.size());
  if (g.LabelIndex == static_cast<int>(lblShips_.size())) {
    lblShips_.push_back(NewMapLabel(QStringLiteral("Ships")));
    lblShips_.back()->setAlignment(Qt::AlignCenter);
  }
  return lblShips_[At(g.LabelIndex)];
}

void GalaxyWindow::ShowLabels(int slot, double u, double v) {
  if (!game_ || slot < 0 || slot >= kUsedFleetSlots || game_->FleetFrom[At(slot)] == 0) return;
  GameState& g = *game_;
  QLabel* l = NextShipsLabel(g);
  l->setText(Latin1(FleetLabelCaption(g.FleetShips[At(slot)], g.FleetTimeLeft[At(slot)], g.RadarAlert)));
  l->adjustSize();
  const ViewSpot p = ScreenSpot(g, {u, v});
  LabelBox box{p.x - l->width() / 2.0, p.y - l->height() - 5, static_cast<double>(l->width()),
               static_cast<double>(l->height())};
  SetTextColour(l, OwnerColourOf(g, g.FleetOwner[At(slot)]));
  std::vector<LabelBox> earlier;
  for (int k = 0; k < g.LabelIndex; ++k) earlier.push_back(BoxOf(lblShips_[At(k)]));
  box.top = StackedTop(box, earlier);
  l->move(Whole(box.left), Whole(box.top));
  l->show();
  RaiseMapLabel(l);
  if (deferHide_) std::erase(pendingHide_, l);
  ++g.LabelIndex;
}

void GalaxyWindow::HideMapLabels() {
  for (QLabel* l : lblShips_) l->hide();
  for (QLabel* l : lblName_) l->hide();
}

void GalaxyWindow::ShowShipsLabel(const std::string& caption, double x, double y, int gap, double colour) {
  QLabel* l = lblShips_[0];
  l->setText(Latin1(caption));
  SetTextColour(l, colour);
  l->adjustSize();
  l->move(Whole(x - l->width() - gap), Whole(y - l->height() / 2.0));
  l->show();
  RaiseMapLabel(l);
  l->repaint();
}

void GalaxyWindow::ShowThresholdLabel(const std::string& caption, double x, double y, double colour) {
  if (!game_) return;
  GameState& g = *game_;
  // The next free element, as for the labels over objects in flight; the index is not advanced.
  QLabel* l = NextShipsLabel(g);
  l->setText(Latin1(caption));
  l->adjustSize();
  l->move(Whole(x - l->width() - 9), Whole(y - l->height() / 2.0));
  SetTextColour(l, colour);
  l->show();
  RaiseMapLabel(l);
  l->repaint();
}

void GalaxyWindow::HideShipsLabel() {
  lblShips_[0]->hide();
  SetTextColour(lblShips_[0], kWhiteColor);
}

void GalaxyWindow::DrawWorldLabel(int w) {
  if (!game_ || !WorldInPlay(*game_, w)) return;
  const GameState& g = *game_;
  QLabel* n = lblName_[30];
  n->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont f = n->font();
  f.setBold(true);
  f.setItalic(NamedHomeWorld(g, w));
  n->setFont(f);
  SetTextColour(n, OwnerColourOf(g, g.WorldOwner[At(w)]));
  n->setText(Latin1(g.WorldName[At(w)]));
  n->adjustSize();
  const ViewSpot p = WorldScreenSpot(g, w);
  n->move(Whole(p.x - n->width() / 2.0), Whole(p.y - n->height() - WorldNameRise(g, w)));
  n->show();
  RaiseMapLabel(n);
}

void GalaxyWindow::PlaceWorldNames() {
  if (!game_) return;
  const GameState& g = *game_;
  for (int w = 0; w < std::min<int>(g.WorldCount, kMaxWorlds); ++w) {
    QLabel* l = lblName_[At(w)];
    QFont f = l->font();
    f.setItalic(false);
    l->setFont(f);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetTextColour(l, OwnerColourOf(g, g.WorldOwner[At(w)]));
    l->setText(Latin1(g.WorldName[At(w)]));
    l->adjustSize();
    const LabelBox b = NameLabelBeside(g, w, l->width(), l->height());
    l->move(Whole(b.left), Whole(b.top));
    l->show();
  }
  LabelsSpread();
}

void GalaxyWindow::LabelsSpread() {
  if (!game_) return;
  const GameState& g = *game_;
  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  std::vector<LabelBox> boxes;
  std::vector<ViewSpot> spots;
  for (int w = 0; w < worlds; ++w) {
    boxes.push_back(BoxOf(lblName_[At(w)]));
    spots.push_back(WorldScreenSpot(g, w));
  }
  SpreadLabels(boxes, spots);
  for (int w = 0; w < worlds; ++w) lblName_[At(w)]->move(Whole(boxes[At(w)].left), Whole(boxes[At(w)].top));
}

}  // namespace zarnath
