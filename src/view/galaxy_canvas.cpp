#include "view/galaxy_canvas.h"

#include <QPainter>
#include <cmath>

namespace zarnath {

QColor GameColour(double colour) {
  const long long c = std::llround(colour);
  if (!(colour >= 0 && colour <= 16777215.0)) return QColor(0, 0, 0);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

GalaxyCanvas::GalaxyCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::black);
}

void GalaxyCanvas::SetBackground(const QImage& picture) {
  background_ = picture.convertToFormat(QImage::Format_RGB32);
}

QPainter& GalaxyCanvas::Painter(QPainter::CompositionMode mode) {
  if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
  if (painter_->compositionMode() != mode) painter_->setCompositionMode(mode);
  return *painter_;
}

void GalaxyCanvas::Clear() {
  if (background_.isNull()) {
    painter_.reset();
    image_.fill(Qt::black);
    return;
  }
  Painter(QPainter::CompositionMode_Source).drawImage(0, 0, background_);
}

namespace {

QPen PenFor(double colour, LineStyle style, int width) {
  QPen pen(GameColour(colour));
  pen.setWidth(std::max(1, width));
  pen.setStyle(style == LineStyle::kDash  ? Qt::DashLine
               : style == LineStyle::kDot ? Qt::DotLine
                                          : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

void GalaxyCanvas::Circle(double x, double y, double radius, double colour, double aspect) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius) || !(aspect > 0)) return;
  double rx = radius, ry = radius;
  if (aspect < 1)
    ry = radius * aspect;
  else if (aspect > 1)
    rx = radius / aspect;
  QPainter& p = Painter();
  p.setPen(PenFor(colour, lineStyle, lineWidth));
  if (fillStyle == FillStyle::kSolid)
    p.setBrush(GameColour(fillColour));
  else
    p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(x, y), rx, ry);
}

void GalaxyCanvas::Line(double x1, double y1, double x2, double y2, double colour) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  QPainter& p = Painter();
  p.setPen(PenFor(colour, lineStyle, lineWidth));
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void GalaxyCanvas::Box(double x1, double y1, double x2, double y2, double colour) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  QPainter& p = Painter();
  const QColor c = GameColour(colour);
  p.setPen(c);
  p.setBrush(c);
  p.drawRect(
      QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2))));
}

void GalaxyCanvas::Sprite(const QImage& image, const QImage& mask, double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  const QPoint at(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  if (!mask.isNull()) Painter(QPainter::RasterOp_SourceAndDestination).drawImage(at, mask);
  if (!image.isNull()) Painter(QPainter::RasterOp_SourceXorDestination).drawImage(at, image);
}

}  // namespace zarnath
