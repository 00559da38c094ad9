// The galaxy window as the commands' view: the selection marks of a source and a target, the
// preview of an automatic send, the travel distances beside the worlds, the world labels'
// captions and the hover label, and the popup's text measure.
#include <QFontMetrics>
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

constexpr double kTargetDotOutline = 16448;  // olive

// The gap between a distance label and its world: wider for an owned world, widest for a home world.
int DistanceGap(const GameState& g, int w) {
  if (g.WorldOwner[At(w)] == 0) return 14;
  return w >= kHomeWorld0 && w < kHomeWorld0 + kSeats ? 20 : 16;
}

}  // namespace

void GalaxyWindow::DrawSourceMark(int w) {
  if (!game_ || !WorldInPlay(*game_, w)) return;
  const ViewSpot p = WorldScreenSpot(*game_, w);
  const double colour = OwnerColourOf(*game_, game_->WorldOwner[At(w)]);
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.lineWidth = 2;
  canvas_.Circle(p.x, p.y, 12, colour);
  canvas_.lineWidth = 1;
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.fillColour = colour;
  canvas_.Circle(p.x, p.y, 3, kBlackColor);
  canvas_.fillStyle = FillStyle::kTransparent;
}

void GalaxyWindow::DrawTargetMark(int w) {
  if (!game_ || !WorldInPlay(*game_, w)) return;
  const ViewSpot p = WorldScreenSpot(*game_, w);
  const double colour = OwnerColourOf(*game_, game_->WorldOwner[At(w)]);
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.Circle(p.x, p.y, 12, colour);
  DrawWorldSprite(w);
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.fillColour = colour;
  canvas_.Circle(p.x, p.y, 3, kTargetDotOutline);
  canvas_.fillStyle = FillStyle::kTransparent;
}

void GalaxyWindow::DrawSendPreview(int from, int to, PreviewKind kind) {
  if (!game_ || !WorldInPlay(*game_, from) || !WorldInPlay(*game_, to)) return;
  const GameState& g = *game_;
  const ViewSpot s = WorldScreenSpot(g, from), t = WorldScreenSpot(g, to);
  const double source = OwnerColourOf(g, g.WorldOwner[At(from)]);
  canvas_.lineStyle = LineStyle::kSolid;
  canvas_.Circle(s.x, s.y, 15, source);
  canvas_.lineStyle = LineStyle::kDot;
  canvas_.Line(s.x, s.y, t.x, t.y, source);
  canvas_.lineStyle = LineStyle::kSolid;
  canvas_.Circle(t.x, t.y, 12, OwnerColourOf(g, g.WorldOwner[At(to)]));
  // The ships and scout markers keep the fill colour the last drawing set.
  canvas_.fillStyle = FillStyle::kSolid;
  switch (kind) {
    case PreviewKind::kShips:
      canvas_.Circle(t.x, t.y, 3, source);
      break;
    case PreviewKind::kScout: {
      const double aspect = g.GalaxyScaleX != 0 ? g.GalaxyScaleY / g.GalaxyScaleX : 1.0;
      canvas_.Circle(t.x, t.y, 5, source, aspect);
      canvas_.Circle(t.x, t.y, 5, source, aspect > 0 ? 1.0 / aspect : 1.0);
      break;
    }
    case PreviewKind::kBomb:
      canvas_.lineWidth = 1;
      canvas_.fillColour = kBlackColor;
      for (auto [dx, dy] : {std::pair{-2, 2}, {-2, -2}, {2, 2}, {2, -2}, {0, 0}})
        canvas_.Circle(t.x + dx, t.y + dy, 3, source);
      break;
  }
  canvas_.fillStyle = FillStyle::kTransparent;
  // The command that asked for the preview holds it on screen for its pause.
  if (isVisible()) repaint();
}

void GalaxyWindow::HideHoverLabel() {
  lblName_[kWorldSlots - 1]->hide();
}

void GalaxyWindow::ClearHoverLabel() {
  lblName_[kWorldSlots - 1]->hide();
  lblName_[kWorldSlots - 1]->clear();
}

void GalaxyWindow::SetWorldLabel(int w, const std::string& caption) {
  if (w < 0 || w >= kWorldSlots - 1) return;
  QLabel* l = lblName_[At(w)];
  // A label standing left of its world keeps its right edge there as its caption grows or shrinks.
  const int right = l->geometry().right();
  l->setText(Latin1(caption));
  l->adjustSize();
  if (l->alignment() & Qt::AlignRight) l->move(right + 1 - l->width(), l->y());
}

std::string GalaxyWindow::WorldLabelCaption(int w) {
  if (w < 0 || w >= kWorldSlots - 1) return "";
  return lblName_[At(w)]->text().toLatin1().toStdString();
}

int GalaxyWindow::TextWidth(const std::string& text) {
  return QFontMetrics(lblPlanet_->font()).horizontalAdvance(Latin1(text));
}

void GalaxyWindow::ShowDistanceLabels(const DistanceLabels& plan) {
  if (!game_) return;
  const GameState& g = *game_;
  for (size_t i = 0; i < plan.labels.size(); ++i) {
    const DistanceLabel& d = plan.labels[i];
    if (!WorldInPlay(g, d.world)) continue;
    QLabel* l = lblName_[At(d.world)];
    l->hide();
    QFont f = lblPlanet_->font();
    f.setBold(true);
    f.setItalic(d.italic);
    if (d.fontSize > 0) f.setPointSize(d.fontSize);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, GameColour(d.colour));
    pal.setColor(QPalette::Window, Qt::black);
    l->setPalette(pal);
    l->setText(Latin1(d.caption));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->adjustSize();
    const ViewSpot p = WorldScreenSpot(g, d.world);
    const int gap = d.gap > 0 ? d.gap : DistanceGap(g, d.world);
    double left = p.x - l->width() - gap;
    // The world's own label stays left of it; the others move right when they would leave the
    // view or (world 0 of the panel's displays) reach past the sun.
    const bool beyondCentre = d.keepLeftOfCentre && left + l->width() > g.GalaxyCenterX;
    if (i > 0 && (left < 5 || beyondCentre)) {
      l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      left += l->width() + (g.WorldOwner[At(d.world)] != 0 ? 32 : 28);
    }
    l->move(Whole(left), Whole(p.y - 7));
  }
  LabelsSpread();
  for (int w = 0; w < std::min<int>(g.WorldCount, kMaxWorlds); ++w) {
    lblName_[At(w)]->show();
    RaiseMapLabel(lblName_[At(w)]);
  }
}

}  // namespace zarnath
