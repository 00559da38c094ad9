// The galaxy window's drawing surface: an off-screen image drawn in immediate mode, with the
// drawing state the view's routines set and rely on (fill style and colour, line style and
// width, kept between calls), circles and ellipses by the aspect rule, lines, filled boxes, the
// background picture and sprites copied mask first (AND) and image second (XOR).
//
// The view is redrawn whole after almost every change, mostly with the same worlds and fleets at
// the same places. So a line or a large circle that is drawn again at exactly the same spot, with
// the same pen and fill, is not rasterised again: the pixels its first drawing made are kept and
// written straight back. The background with what a geometry always lays on it (orbit guides and
// sun) is kept as one picture in the same way, and a redraw copies it back only over the tiles
// drawn over since.
//
// Small circles (the marks, the world rings, up to kStampRadius px) are drawn about their centre
// rounded to 1/64 of a pixel, the painter's own fixed-point step. The painter draws such a circle
// moved by whole pixels as the same pixels moved (checked for every phase of every mark of the
// game). So each is drawn once per shape, pen, fill kind and 1/64-pixel phase, about a fixed spot,
// as a stamp of outline and fill pixels, and copied from then on in the colours asked for. The
// short segments of an object's trail are written straight into the picture (TrailLine).
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
  // background picture changes; otherwise the picture it made is copied back where anything was
  // drawn since.
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
  // `colour` with the line state, filled by the fill state. A circle no wider than
  // kStampRadius px each way is drawn about (x, y) rounded to 1/64 px.
  void Circle(double x, double y, double radius, double colour, double aspect = 1.0);
  static constexpr double kStampRadius = 60;
  void Line(double x1, double y1, double x2, double y2, double colour);
  // A short segment of an object's trail, solid and one pixel wide, written straight into the
  // picture: along its longer direction, each pixel whose centre lies from the first end up to
  // (not including) the second end in that direction, in the row (or column) that holds the line
  // at that centre. Other line styles and widths are drawn as Line.
  void TrailLine(double x1, double y1, double x2, double y2, double colour);
  // A filled box between two corners, in `colour`, whatever the fill state.
  void Box(double x1, double y1, double x2, double y2, double colour);
  // A sprite at (x, y) rounded to whole pixels: the mask combined by AND, then the image by XOR.
  void Sprite(const QImage& image, const QImage& mask, double x, double y);

  // The picture drawn so far (every drawing operation finished).
  const QImage& image() const {
    painter_.reset();
    return image_;
  }
  // The picture to change at will: everything in it counts as drawn over.
  QImage& image() {
    painter_.reset();
    allDrawn_ = true;
    return image_;
  }

  // How many drawings and circle stamps are kept for reuse (tests).
  size_t keptDrawings() const { return made_.size() + stampCount_; }
  // The memory of what is kept beside the canvas: the kept drawings, the circle stamps and the
  // pictures they are made on (the benchmarks report it).
  size_t keptBytes() const;

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
    std::vector<uint32_t> tiles;  // the picture's tiles its pixels lie in
    uint64_t lastUsed = 0;
    size_t lastPlace = 0;  // its place among the drawings of the picture that last used it
    bool kept = false;     // pixels below are complete
    // false when the drawing blends (never for the game's solid colours), or came when the kept
    // pixels had reached their bound
    bool reusable = true;
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

  // A small circle's stamps: what the painter draws for one shape, pen and fill kind about a
  // centre at each 1/64-pixel phase, drawn once about a fixed spot of the stamp picture.
  struct ShapeKey {
    uint64_t rx = 0, ry = 0;  // half-axes
    int32_t width = 1;
    uint8_t style = 0;
    uint8_t solid = 0;
    bool operator==(const ShapeKey&) const = default;
  };
  struct ShapeKeyHash {
    size_t operator()(const ShapeKey& k) const;
  };
  // A run of pixels of one row, placed from the centre's whole pixel.
  struct StampRun {
    int8_t dx, dy;
    uint8_t length;
    uint8_t outline;  // 1 the outline's colour, 0 the fill's
  };
  struct Stamp {
    uint32_t first = 0;  // runs in stampRuns_
    uint16_t count = 0;
    uint8_t made = 0;  // 0 not yet drawn, 1 drawn, 2 drawn but blended (never for the game's colours)
  };
  static constexpr int kPhases = 64 * 64;
  struct Shape {
    ShapeKey key;
    std::vector<Stamp> stamp = std::vector<Stamp>(kPhases);  // by phase down x 64 + phase across
  };
  // Draws the circle about (x, y), a point on the 1/64 grid (`x64`, `y64` in 1/64 px), from its
  // stamp when it lies wholly inside the picture.
  void StampCircle(double x, double y, double x64, double y64, double rx, double ry, QRgb pen, bool solid,
                   QRgb fill);
  Shape& ShapeOf(const ShapeKey& key);
  void MakeStamp(Shape& shape, Stamp& stamp, int phaseX, int phaseY, double rx, double ry);
  // Whether a drawing of this stroke was seen in this picture or the last (and remembers it):
  // only drawings seen again are worth keeping.
  bool SeenBefore(const Stroke& key);

  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;
  PenState pen_;  // what painter_ holds
  QImage background_;
  uint64_t backgroundVersion_ = 0;

  // The background with the geometry's own drawing on it, and what it was made for.
  QImage backdrop_;
  std::array<double, 4> backdropKey_{};
  uint64_t backdropVersion_ = 0;
  // Which tiles of the picture were drawn over since it was last the backdrop.
  static constexpr int kTile = 16;
  std::vector<uint8_t> drawn_;
  int tilesAcross_ = 0;
  bool allDrawn_ = true;
  void MarkDrawn(const QRect& area);
  void MarkDrawn(double left, double top, double right, double bottom, int penWidth);
  void CopyBackdrop();

  // A transparent picture of the canvas's size on which drawings are made to be kept: the same
  // calls at the same pixel places as on the canvas, so the same pixels.
  QImage scratch_;
  std::unique_ptr<QPainter> scratchPainter_;
  PenState scratchPen_;
  std::unordered_map<Stroke, Made, StrokeHash> made_;
  size_t keptPixels_ = 0;  // of the kept drawings in made_
  QSize keptSize_;
  uint64_t frame_ = 1;
  // The drawings of the last picture and of this one, in order: a redraw mostly repeats the last
  // one call for call, so the next drawing is looked for there first.
  std::vector<std::pair<Stroke, Made*>> lastFrame_, thisFrame_;
  size_t replay_ = 0;
  // Hashes of the strokes drawn in this picture and the last (open addressing, 0 for free).
  std::vector<uint64_t> seenNow_, seenLast_;
  size_t seenCount_ = 0;

  // The circle stamps, their shapes and their runs; all forgotten together past a limit.
  std::vector<Shape> shapes_;
  std::unordered_map<ShapeKey, size_t, ShapeKeyHash> shapeIndex_;
  size_t lastShape_ = 0;
  size_t stampCount_ = 0;
  std::vector<StampRun> stampRuns_;
  // The stamps' own transparent picture; each is drawn about its fixed spot and cleared after.
  QImage stampPicture_;
  std::unique_ptr<QPainter> stampPainter_;
  PenState stampPen_;
};

}  // namespace zarnath
