#include "window/hover_view.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>

#include "model/game.h"
#include "model/view_rules.h"
#include "view/galaxy_window.h"
#include "view/widget_values.h"
#include "window/window_controls.h"

namespace zarnath {

namespace {

PanelBox BoxOf(const QWidget* w) {
  const QRect r = w->geometry();
  return {static_cast<double>(r.left()), static_cast<double>(r.top()), static_cast<double>(r.width()),
          static_cast<double>(r.height())};
}

}  // namespace

HoverScene HoverView::Scene() const {
  HoverScene scene;
  scene.info = BoxOf(controls_.lstInfo());
  scene.menu = BoxOf(controls_.lstMenu());
  scene.worldLabel0 = window_.lblName(0)->text().toLatin1().toStdString();
  scene.hoverCaption = window_.lblName(30)->text().toLatin1().toStdString();
  scene.hoverVisible = window_.lblName(30)->isVisible();
  return scene;
}

void HoverView::DrawBand(const RubberBand& band) {
  if (band.cleanFirst) window_.CleanGalaxy();
  if (band.rings) {
    window_.DrawCircle(band.sx, band.sy, 12, band.colour, 1, 2, 0);
    if (band.homeRings) {
      window_.DrawCircle(band.sx, band.sy, 14, kWhiteColor, 1, 2, 0);
      window_.DrawCircle(band.sx, band.sy, 17, band.colour, 1, 2, 0);
    }
  }
  if (band.line) {
    GalaxyCanvas& c = window_.canvas();
    c.fillStyle = FillStyle::kSolid;
    c.fillColour = band.colour;
    c.lineWidth = 1;
    c.lineStyle = LineStyle::kSolid;
    // The dots: outlined in olive while the line ends at the pointer, in black when it ends on a
    // world, which gets a dot of its owner's colour too.
    const double outline = band.toWorld ? kBlackColor : kTrailOlive;
    c.Circle(band.sx, band.sy, 3, outline);
    if (band.toWorld) {
      c.fillColour = band.targetColour;
      c.Circle(band.tx, band.ty, 3, outline);
    }
    c.fillStyle = FillStyle::kTransparent;
    c.lineStyle = LineStyle::kDot;
    c.Line(band.sx, band.sy, band.tx, band.ty, band.colour);
    c.lineStyle = LineStyle::kSolid;
  }
  if (band.repaint || band.line || band.cleanFirst) window_.repaint();
}

HoverOutcome HoverView::MouseMove(double x, double y) {
  const HoverOutcome out = Form_MouseMove(game_, Scene(), x, y);
  if (out.busy || out.onFleet) return out;
  QLabel* hover = window_.lblName(30);
  if (out.hideHoverLabel) hover->hide();
  if (out.clearHoverCaption) hover->clear();
  if (out.resetPlanetColour) game_.window.lblPlanet.ForeColor = kNeutralColor;
  if (out.hideInfo || out.hideMenu || out.resetPlanetColour) window_.Refresh(Control::kLblPlanet);
  if (out.drawBand) DrawBand(out.band);
  if (out.hideFirstShipsLabel) window_.lblShips(0)->hide();
  if (out.showLabel >= 0) window_.DrawWorldLabel(out.showLabel);
  if (out.yieldAfterDrawing) QCoreApplication::processEvents();
  return out;
}

HoverOutcome HoverView::Escape() {
  const HoverOutcome out = EscapeClosesPopups(game_);
  if (!out.hideInfo && !out.hideMenu) return out;
  QLabel* hover = window_.lblName(30);
  hover->hide();
  hover->clear();
  window_.Refresh(Control::kLblPlanet);
  return out;
}

}  // namespace zarnath
