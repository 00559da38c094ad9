// The galaxy window's drawing surface: an off-screen image drawn in immediate mode, with the
// drawing state the view's routines set and rely on (fill style and colour, line style and
// width, kept between calls), circles and ellipses by the aspect rule, lines, filled boxes, the
// background picture and sprites copied mask first (AND) and image second (XOR).
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <memory>

namespace zarnath {

// A colour as the game stores it, red + 256 x green + 65536 x blue, rounded when drawn.
QColor GameColour(double colour);

enum class FillStyle { kSolid = 0, kTransparent = 1 };
enum class LineStyle { kSolid = 0, kDash = 1, kDot = 2 };

class GalaxyCanvas {
 public:
  GalaxyCanvas(int width, int height);

  // The background picture (drawn from the top-left corner, clipped); black when it is missing.
  void SetBackground(const QImage& picture);
  // Clears everything drawn back to the background picture.
  void Clear();

  // --- drawing state, kept between calls ---
  FillStyle fillStyle = FillStyle::kTransparent;
  double fillColour = 0;
  LineStyle lineStyle = LineStyle::kSolid;
  int lineWidth = 1;

  // A circle of `radius` px about (x, y); with an aspect below 1 an ellipse `radius` across and
  // radius x aspect down, above 1 one `radius` down and radius / aspect across. Outlined in
  // `colour` with the line state, filled by the fill state.
  void Circle(double x, double y, double radius, double colour, double aspect = 1.0);
  void Line(double x1, double y1, double x2, double y2, double colour);
  // A filled box between two corners, in `colour`, whatever the fill state.
  void Box(double x1, double y1, double x2, double y2, double colour);
  // A sprite at (x, y) rounded to whole pixels: the mask combined by AND, then the image by XOR.
  void Sprite(const QImage& image, const QImage& mask, double x, double y);

  // The picture drawn so far (every drawing operation finished).
  const QImage& image() const {
    painter_.reset();
    return image_;
  }
  QImage& image() {
    painter_.reset();
    return image_;
  }

 private:
  // One painter stays open across drawing calls; reading the picture closes it.
  QPainter& Painter(QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver);
  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;
  QImage background_;
};

}  // namespace zarnath
