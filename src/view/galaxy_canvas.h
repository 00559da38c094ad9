// The galaxy window's drawing surface: an off-screen image drawn in immediate mode, with the
// drawing state the view's routines set and rely on (fill style and colour, line style and
// width, kept between calls), circles and ellipses by the aspect rule, lines, filled boxes, the
// background picture and sprites copied mask first (AND) and image second (XOR).
//
// The view is redrawn whole after almost every change, mostly with the same worlds and fleets at
// the same places. So a circle or a line that is drawn again at exactly the same spot, with the
// same pen and fill, is not rasterised again: the pixels its first drawing made are kept and
// written straight back. The background with what a geometry always lays on it (orbit guides and
// sun) is kept as one picture in the same way.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace zarnath {

// A colour as the game stores it, red + 256 x green + 65536 x blue, rounded when drawn.
QColor GameColour(double colour);

enum class FillStyle { kSolid = 0, kTransparent = 1 };
enum class LineStyle { kSolid = 0, kDash = 1, kDot = 2 };

class GalaxyCanvas {
 public:
  GalaxyCanvas(int width, int height);
  ~GalaxyCanvas();
  GalaxyCanvas(const GalaxyCanvas&) = delete;
  GalaxyCanvas& operator=(const GalaxyCanvas&) = delete;

  // The background picture (drawn from the top-left corner, clipped); black when it is missing.
  void SetBackground(const QImage& picture);
  // Clears everything drawn back to the background picture.
  void Clear();
  // Clears back to the background with what `draw` lays on it for one view geometry (`key`):
  // `draw` runs over the cleared background the first time, and again whenever the key or the
  // background picture changes; otherwise the picture it made is copied in at once.
  void ClearTo(const std::array<double, 4>& key, const std::function<void()>& draw);

  // --- drawing state, kept between calls ---
  FillStyle fillStyle = FillStyle::kTransparent;
  double fillColour = 0;
  LineStyle lineStyle = LineStyle::kSolid;
  int lineWidth = 1;

  // Off: every circle, line, sprite and background goes through the painter afresh, as a check
  // of the kept pictures (the pixels must come out the same either way).
  bool reuse = true;

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

  // How many drawings are kept for reuse (tests).
  size_t keptDrawings() const { return made_.size(); }

 private:
  // What one circle or line drawing depends on: its shape and place to the last bit, its pen
  // and its fill.
  struct Stroke {
    uint64_t a = 0, b = 0, c = 0, d = 0;  // circle: centre and half-axes; line: both ends
    uint32_t pen = 0, fill = 0;           // 0xRRGGBB
    int32_t width = 1;
    uint8_t style = 0;
    uint8_t shape = 0;  // 0 an outlined circle, 1 a filled circle, 2 a line
    bool operator==(const Stroke&) const = default;
  };
  struct StrokeHash {
    size_t operator()(const Stroke& s) const;
  };
  // The pixels a drawing made: picture offset (y x stride + x) and value.
  struct Pixel {
    uint32_t at;
    uint32_t value;
  };
  struct Made {
    uint64_t lastUsed = 0;
    size_t lastPlace = 0;  // its place among the drawings of the picture that last used it
    bool kept = false;     // pixels below are complete
    bool reusable = true;  // false when the drawing blends (never for the game's solid colours)
    std::vector<Pixel> pixels;
  };
  struct PenState {
    bool valid = false;
    QRgb colour = 0;
    int width = 0;
    LineStyle style = LineStyle::kSolid;
    int brush = -1;  // -1 unknown, 0 none, 1 solid
    QRgb brushColour = 0;
  };

  // One painter stays open across drawing calls; reading the picture closes it.
  QPainter& Painter(QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver);
  QPainter& ScratchPainter();
  static void SetPen(QPainter& p, PenState& state, QRgb colour, LineStyle style, int width);
  static void SetBrush(QPainter& p, PenState& state, bool solid, QRgb colour);
  void NextFrame();
  // Whether drawings are kept and written back now (the picture as they were kept for).
  bool Reusing();
  // Draws with `draw` on the picture, or writes back what the same drawing made before. `box`
  // bounds every pixel the drawing can touch.
  template <class DrawCall>
  void Draw(const Stroke& key, const QRect& box, DrawCall&& draw);
  void Keep(Made& made, const QRect& box);
  void WriteBack(const Made& made);

  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;
  PenState pen_;  // what painter_ holds
  QImage background_;
  uint64_t backgroundVersion_ = 0;

  // The background with the geometry's own drawing on it, and what it was made for.
  QImage backdrop_;
  std::array<double, 4> backdropKey_{};
  uint64_t backdropVersion_ = 0;

  // A transparent picture of the canvas's size on which drawings are made to be kept: the same
  // calls at the same pixel places as on the canvas, so the same pixels.
  QImage scratch_;
  std::unique_ptr<QPainter> scratchPainter_;
  PenState scratchPen_;
  std::unordered_map<Stroke, Made, StrokeHash> made_;
  QSize keptSize_;
  uint64_t frame_ = 1;
  // The drawings of the last picture and of this one, in order: a redraw mostly repeats the last
  // one call for call, so the next drawing is looked for there first.
  std::vector<std::pair<Stroke, Made*>> lastFrame_, thisFrame_;
  size_t replay_ = 0;
};

}  // namespace zarnath
