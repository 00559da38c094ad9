#include "view/galaxy_canvas.h"

#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#include <sys/mman.h>

namespace zarnath {

QColor GameColour(double colour) {
  const long long c = std::llround(colour);
  if (!(colour >= 0 && colour <= 16777215.0)) return QColor(0, 0, 0);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

namespace {

// Kept drawings beyond this many are forgotten unless the last picture used them.
constexpr size_t kKeptLimit = 8192;
// The circle stamps are bounded by what a redraw can use: a redraw of the game draws some hundreds
// of small circles (the rings of 30 worlds, the marks of 100 objects) in a few dozen shapes, some
// tens of thousands of pixel runs. The bounds keep about ten such redraws' worth (2 MiB of runs,
// 2 MiB of shape tables): past this many runs every stamp is forgotten (the shapes stay), past
// this many shapes the shapes too.
constexpr size_t kStampRunLimit = 1 << 19, kShapeLimit = 64;
// The stamps' picture and the spot each stamp is drawn about: every coordinate of a circle up to
// the stamp radius and a pen of up to kStampPen px lies between 256 and 512 there.
constexpr int kStampPicture = 512, kStampSpot = 384, kStampPen = 4;
// The outline and fill colours a stamp is drawn in, to tell its pixels apart.
constexpr QRgb kStampOutline = 0xFFFF0000u, kStampFill = 0xFF0000FFu;

uint64_t Bits(double v) {
  return std::bit_cast<uint64_t>(v);
}

uint64_t Mix(uint64_t h, uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  h ^= h >> 31;
  h *= 0x7FB5D329728EA185ull;
  return h ^ (h >> 27);
}

// Pixels a drawing may touch: its bounds widened by the pen and a margin, inside the picture.
QRect Bounds(double left, double top, double right, double bottom, int penWidth, const QRect& picture) {
  const double m = penWidth + 3;
  const double l = std::max(std::floor(left - m), -1.0), t = std::max(std::floor(top - m), -1.0);
  const double r = std::min(std::ceil(right + m), picture.width() + 1.0),
               b = std::min(std::ceil(bottom + m), picture.height() + 1.0);
  if (!(l <= r && t <= b)) return {};
  return QRect(QPoint(static_cast<int>(l), static_cast<int>(t)),
               QPoint(static_cast<int>(r), static_cast<int>(b)))
      .intersected(picture);
}

bool IsRgb32(const QImage& image) {
  return image.format() == QImage::Format_RGB32;
}

// A transparent picture on memory taken from the system untouched, so only the pages a drawing
// touches become resident: the pictures drawings are made on apart stay almost empty.
QImage TransparentPicture(int width, int height) {
  struct Mapping {
    void* data;
    size_t bytes;
  };
  const qsizetype stride = static_cast<qsizetype>(width) * 4;
  const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
  void* data = bytes > 0 ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                         : MAP_FAILED;
  if (data == MAP_FAILED) {
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
  }
  auto release = [](void* info) {
    auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->data, mapping->bytes);
    delete mapping;
  };
  return QImage(static_cast<uchar*>(data), width, height, stride, QImage::Format_ARGB32_Premultiplied,
                release, new Mapping{data, bytes});
}

}  // namespace

size_t GalaxyCanvas::StrokeHash::operator()(const Stroke& s) const {
  uint64_t h = Mix(s.shape, s.a);
  h = Mix(h, s.b);
  h = Mix(h, s.c);
  h = Mix(h, s.d);
  h = Mix(h, (static_cast<uint64_t>(s.pen) << 32) | s.fill);
  h = Mix(h, (static_cast<uint64_t>(static_cast<uint32_t>(s.width)) << 8) | s.style);
  return static_cast<size_t>(h);
}

size_t GalaxyCanvas::ShapeKeyHash::operator()(const ShapeKey& k) const {
  uint64_t h = Mix(k.rx, k.ry);
  h = Mix(h, (static_cast<uint64_t>(static_cast<uint32_t>(k.width)) << 16) |
                 (static_cast<uint64_t>(k.style) << 8) | k.solid);
  return static_cast<size_t>(h);
}

GalaxyCanvas::GalaxyCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::black);
}

GalaxyCanvas::~GalaxyCanvas() = default;

size_t GalaxyCanvas::keptBytes() const {
  size_t bytes =
      static_cast<size_t>(scratch_.sizeInBytes() + stampPicture_.sizeInBytes() + backdrop_.sizeInBytes());
  for (const auto& [key, made] : made_)
    bytes += sizeof(key) + sizeof(made) + made.pixels.capacity() * sizeof(Pixel) +
             made.tiles.capacity() * sizeof(uint32_t);
  bytes += shapes_.capacity() * sizeof(Shape) + shapes_.size() * kPhases * sizeof(Stamp);
  bytes += stampRuns_.capacity() * sizeof(StampRun);
  return bytes;
}

void GalaxyCanvas::SetBackground(const QImage& picture) {
  background_ = picture.convertToFormat(QImage::Format_RGB32);
  ++backgroundVersion_;
}

QPainter& GalaxyCanvas::Painter(QPainter::CompositionMode mode) {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    pen_ = PenState{};
  }
  if (painter_->compositionMode() != mode) painter_->setCompositionMode(mode);
  return *painter_;
}

QPainter& GalaxyCanvas::ScratchPainter() {
  if (!scratchPainter_) {
    scratch_ = TransparentPicture(image_.width(), image_.height());
    scratchPainter_ = std::make_unique<QPainter>(&scratch_);
    scratchPen_ = PenState{};
  }
  return *scratchPainter_;
}

void GalaxyCanvas::NextFrame() {
  ++frame_;
  // What the last picture used stays (the replay below points at it); nothing else can be asked
  // for again before it is seen twice anew.
  if (made_.size() > std::min(kKeptLimit, 2 * thisFrame_.size() + 64))
    std::erase_if(made_, [this](const auto& entry) {
      const bool old = entry.second.lastUsed + 1 < frame_;
      if (old) keptPixels_ -= entry.second.pixels.size();
      return old;
    });
  lastFrame_.swap(thisFrame_);
  thisFrame_.clear();
  replay_ = 0;
  seenLast_.swap(seenNow_);
  std::fill(seenNow_.begin(), seenNow_.end(), 0);
  seenCount_ = 0;
}

bool GalaxyCanvas::SeenBefore(const Stroke& key) {
  const uint64_t h = StrokeHash{}(key) | 1;  // never 0, the mark of a free place
  auto find = [h](const std::vector<uint64_t>& table) {
    if (table.empty()) return false;
    const size_t mask = table.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
      if (table[i] == h) return true;
      if (table[i] == 0) return false;
    }
  };
  if (find(seenNow_)) return true;
  // Remembered for this picture; the table doubles before it is three quarters full.
  if (4 * (seenCount_ + 1) > 3 * seenNow_.size()) {
    std::vector<uint64_t> larger(std::max<size_t>(1024, 2 * seenNow_.size()), 0);
    const size_t mask = larger.size() - 1;
    for (uint64_t v : seenNow_) {
      if (v == 0) continue;
      size_t i = v & mask;
      while (larger[i] != 0) i = (i + 1) & mask;
      larger[i] = v;
    }
    seenNow_.swap(larger);
  }
  const size_t mask = seenNow_.size() - 1;
  size_t i = h & mask;
  while (seenNow_[i] != 0) i = (i + 1) & mask;
  seenNow_[i] = h;
  ++seenCount_;
  return find(seenLast_);
}

void GalaxyCanvas::Clear() {
  NextFrame();
  allDrawn_ = true;
  if (background_.isNull()) {
    painter_.reset();
    image_.fill(Qt::black);
    return;
  }
  Painter(QPainter::CompositionMode_Source).drawImage(0, 0, background_);
}

void GalaxyCanvas::MarkDrawn(const QRect& area) {
  if (allDrawn_) return;
  const QRect a = area.intersected(image_.rect());
  if (a.isEmpty()) return;
  for (int ty = a.top() / kTile; ty <= a.bottom() / kTile; ++ty)
    std::fill(drawn_.begin() + ty * tilesAcross_ + a.left() / kTile,
              drawn_.begin() + ty * tilesAcross_ + a.right() / kTile + 1, 1);
}

void GalaxyCanvas::MarkDrawn(double left, double top, double right, double bottom, int penWidth) {
  if (allDrawn_) return;
  const QRect area = Bounds(left, top, right, bottom, std::max(1, penWidth), image_.rect());
  // Bounds gives nothing for coordinates it cannot place: then anything may have been drawn.
  if (area.isEmpty() && std::isfinite(left) && std::isfinite(top) && std::isfinite(right) &&
      std::isfinite(bottom))
    return;
  if (area.isEmpty())
    allDrawn_ = true;
  else
    MarkDrawn(area);
}

void GalaxyCanvas::CopyBackdrop() {
  if (allDrawn_ || backdrop_.size() != image_.size() || backdrop_.format() != image_.format()) {
    Painter(QPainter::CompositionMode_Source).drawImage(0, 0, backdrop_);
  } else {
    // Only the tiles drawn over since the picture was last the backdrop.
    auto* to = image_.bits();
    const uchar* from = backdrop_.constBits();
    const qsizetype stride = image_.bytesPerLine(), fromStride = backdrop_.bytesPerLine();
    const int tilesDown = (image_.height() + kTile - 1) / kTile;
    for (int ty = 0; ty < tilesDown; ++ty) {
      const uint8_t* row = drawn_.data() + ty * tilesAcross_;
      for (int tx = 0; tx < tilesAcross_;) {
        if (!row[tx]) {
          ++tx;
          continue;
        }
        int end = tx;
        while (end < tilesAcross_ && row[end]) ++end;
        const int x = tx * kTile, width = std::min(end * kTile, image_.width()) - x;
        for (int y = ty * kTile; y < std::min((ty + 1) * kTile, image_.height()); ++y)
          std::memcpy(to + y * stride + x * 4, from + y * fromStride + x * 4, static_cast<size_t>(width) * 4);
        tx = end;
      }
    }
  }
  tilesAcross_ = (image_.width() + kTile - 1) / kTile;
  drawn_.assign(
      static_cast<size_t>(tilesAcross_) * static_cast<size_t>((image_.height() + kTile - 1) / kTile), 0);
  allDrawn_ = false;
}

void GalaxyCanvas::ClearTo(const std::array<double, 4>& key, const std::function<void()>& draw) {
  if (!reuse) {
    Clear();
    draw();
    return;
  }
  if (!backdrop_.isNull() && key == backdropKey_ && backdropVersion_ == backgroundVersion_) {
    NextFrame();
    CopyBackdrop();
    return;
  }
  Clear();
  reuse = false;  // drawn once for the geometry: nothing in it is worth keeping apart
  draw();
  reuse = true;
  backdrop_ = std::as_const(*this).image().copy();
  backdropKey_ = key;
  backdropVersion_ = backgroundVersion_;
  // The picture is the backdrop now: nothing is drawn over yet.
  allDrawn_ = true;
  CopyBackdrop();
}

void GalaxyCanvas::SetPen(QPainter& p, PenState& state, QRgb colour, LineStyle style, int width) {
  width = std::max(1, width);
  if (state.valid && state.colour == colour && state.style == style && state.width == width) return;
  QPen pen{QColor(colour)};
  pen.setWidth(width);
  pen.setStyle(style == LineStyle::kDash  ? Qt::DashLine
               : style == LineStyle::kDot ? Qt::DotLine
                                          : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  state.valid = true;
  state.colour = colour;
  state.style = style;
  state.width = width;
}

void GalaxyCanvas::SetBrush(QPainter& p, PenState& state, bool solid, QRgb colour) {
  if (state.brush == (solid ? 1 : 0) && (!solid || state.brushColour == colour)) return;
  if (solid)
    p.setBrush(QColor(colour));
  else
    p.setBrush(Qt::NoBrush);
  state.brush = solid ? 1 : 0;
  state.brushColour = colour;
}

bool GalaxyCanvas::Reusing() {
  if (!reuse || image_.format() != QImage::Format_RGB32) return false;
  // Kept pixels are placed by offsets into a picture of one size: another size forgets them.
  if (image_.size() != keptSize_) {
    made_.clear();
    keptPixels_ = 0;
    lastFrame_.clear();
    thisFrame_.clear();
    replay_ = 0;
    scratchPainter_.reset();
    scratch_ = QImage();
    keptSize_ = image_.size();
  }
  return true;
}

template <class DrawCall>
void GalaxyCanvas::Draw(const Stroke& key, const QRect& box, DrawCall&& draw) {
  auto direct = [&] {
    MarkDrawn(box);
    draw(Painter(), pen_);
  };
  if (!Reusing()) return direct();
  const bool seen = SeenBefore(key);
  Made* found = nullptr;
  if (replay_ < lastFrame_.size() && lastFrame_[replay_].first == key) {
    found = lastFrame_[replay_++].second;
  } else {
    // A line drawn neither before in this picture nor in the last is drawn as it comes and only
    // remembered, for a moving scene never draws the same twice. A large circle (a radar range)
    // is mostly drawn again and again about one world: it is kept at once.
    if (!seen && key.shape == 2) return direct();
    auto [it, inserted] = made_.try_emplace(key);
    found = &it->second;
    // Drawn in the last picture: go on from there.
    if (!inserted && found->lastUsed + 1 == frame_) replay_ = found->lastPlace + 1;
  }
  Made& made = *found;
  if (made.lastUsed != frame_) made.lastPlace = thisFrame_.size();
  made.lastUsed = frame_;
  thisFrame_.emplace_back(key, found);
  if (made.kept) {
    WriteBack(made);
    return;
  }
  // A drawing that cannot be kept is drawn as it comes; any other is made apart and kept.
  if (!made.reusable) return direct();
  draw(ScratchPainter(), scratchPen_);
  Keep(made, box);
  if (made.kept)
    WriteBack(made);
  else
    direct();
}

void GalaxyCanvas::Keep(Made& made, const QRect& box) {
  auto* scratch = reinterpret_cast<uint32_t*>(scratch_.bits());
  const qsizetype scratchStride = scratch_.bytesPerLine() / 4, stride = image_.bytesPerLine() / 4;
  const int across = (image_.width() + kTile - 1) / kTile;
  made.pixels.clear();
  made.tiles.clear();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    uint32_t* row = scratch + y * scratchStride;
    int x = box.left();
    while (x <= box.right()) {
      // Mostly nothing drawn: eight pixels at a time.
      if (x + 8 <= box.right() + 1 && (row[x] | row[x + 1] | row[x + 2] | row[x + 3] | row[x + 4] |
                                       row[x + 5] | row[x + 6] | row[x + 7]) == 0) {
        x += 8;
        continue;
      }
      const uint32_t v = row[x];
      if (v != 0) {
        // Only whole pixels are written back; a blended one would depend on what lies beneath.
        if (qAlpha(v) != 255) made.reusable = false;
        made.pixels.push_back({static_cast<uint32_t>(y * stride + x), v});
        const auto tile = static_cast<uint32_t>((y / kTile) * across + x / kTile);
        if (made.tiles.empty() || made.tiles.back() != tile) made.tiles.push_back(tile);
        row[x] = 0;
      }
      ++x;
    }
  }
  std::sort(made.tiles.begin(), made.tiles.end());
  made.tiles.erase(std::unique(made.tiles.begin(), made.tiles.end()), made.tiles.end());
  // The kept pixels are bounded too: beyond twice the picture's own a drawing is drawn as it comes.
  const size_t bound = 2 * static_cast<size_t>(image_.width()) * static_cast<size_t>(image_.height());
  if (made.reusable && keptPixels_ + made.pixels.size() > bound) made.reusable = false;
  made.kept = made.reusable;
  if (made.kept) {
    keptPixels_ += made.pixels.size();
  } else {
    // Given back: assigning an empty list would keep the memory the scan took.
    std::vector<Pixel>().swap(made.pixels);
    std::vector<uint32_t>().swap(made.tiles);
  }
}

void GalaxyCanvas::WriteBack(const Made& made) {
  if (!allDrawn_)
    for (uint32_t tile : made.tiles) drawn_[tile] = 1;
  auto* bits = reinterpret_cast<uint32_t*>(image_.bits());
  for (const Pixel& p : made.pixels) bits[p.at] = p.value;
}

void GalaxyCanvas::Circle(double x, double y, double radius, double colour, double aspect) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius) || !(aspect > 0)) return;
  double rx = radius, ry = radius;
  if (aspect < 1)
    ry = radius * aspect;
  else if (aspect > 1)
    rx = radius / aspect;
  const QRgb pen = GameColour(colour).rgb();
  const bool solid = fillStyle == FillStyle::kSolid;
  const QRgb fill = solid ? GameColour(fillColour).rgb() : 0;
  if (std::abs(rx) <= kStampRadius && std::abs(ry) <= kStampRadius && std::abs(x) < 1e9 &&
      std::abs(y) < 1e9) {
    const double x64 = std::nearbyint(x * 64), y64 = std::nearbyint(y * 64);
    StampCircle(x64 / 64, y64 / 64, x64, y64, rx, ry, pen, solid, fill);
    return;
  }
  Stroke key{Bits(x),
             Bits(y),
             Bits(rx),
             Bits(ry),
             pen & 0xFFFFFF,
             fill & 0xFFFFFF,
             lineWidth,
             static_cast<uint8_t>(lineStyle),
             static_cast<uint8_t>(solid ? 1 : 0)};
  const double ax = std::abs(rx), ay = std::abs(ry);
  const QRect box = Bounds(x - ax, y - ay, x + ax, y + ay, std::max(1, lineWidth), image_.rect());
  Draw(key, box, [&](QPainter& p, PenState& state) {
    SetPen(p, state, pen, lineStyle, lineWidth);
    SetBrush(p, state, solid, fill);
    p.drawEllipse(QPointF(x, y), rx, ry);
  });
}

void GalaxyCanvas::StampCircle(double x, double y, double x64, double y64, double rx, double ry, QRgb pen,
                               bool solid, QRgb fill) {
  const int width = std::max(1, lineWidth);
  const double ax = std::abs(rx), ay = std::abs(ry);
  MarkDrawn(x - ax, y - ay, x + ax, y + ay, width);
  auto direct = [&] {
    QPainter& p = Painter();
    SetPen(p, pen_, pen, lineStyle, lineWidth);
    SetBrush(p, pen_, solid, fill);
    p.drawEllipse(QPointF(x, y), rx, ry);
  };
  if (!Reusing() || width > kStampPen) return direct();
  // Every pixel the painter can touch, with a pixel to spare inside the picture (no clipping).
  const double margin = width + 2;
  if (x - ax - margin < 1 || y - ay - margin < 1 || x + ax + margin > image_.width() - 2 ||
      y + ay + margin > image_.height() - 2)
    return direct();
  const auto wholeX = static_cast<int64_t>(std::floor(x)), wholeY = static_cast<int64_t>(std::floor(y));
  const int phaseX = static_cast<int>(static_cast<int64_t>(x64) - 64 * wholeX),
            phaseY = static_cast<int>(static_cast<int64_t>(y64) - 64 * wholeY);
  Shape& shape = ShapeOf({std::bit_cast<uint64_t>(rx), std::bit_cast<uint64_t>(ry), width,
                          static_cast<uint8_t>(lineStyle), static_cast<uint8_t>(solid ? 1 : 0)});
  Stamp& stamp = shape.stamp[static_cast<size_t>(phaseY * 64 + phaseX)];
  if (stamp.made == 0) MakeStamp(shape, stamp, phaseX, phaseY, rx, ry);
  if (stamp.made != 1) return direct();
  auto* bits = reinterpret_cast<uint32_t*>(image_.bits());
  const qsizetype stride = image_.bytesPerLine() / 4;
  uint32_t* centre = bits + wholeY * stride + wholeX;
  const StampRun* run = stampRuns_.data() + stamp.first;
  for (const StampRun* end = run + stamp.count; run != end; ++run) {
    uint32_t* to = centre + run->dy * stride + run->dx;
    const uint32_t colour = run->outline ? pen : fill;
    for (int i = 0; i < run->length; ++i) to[i] = colour;
  }
}

GalaxyCanvas::Shape& GalaxyCanvas::ShapeOf(const ShapeKey& key) {
  if (lastShape_ < shapes_.size() && shapes_[lastShape_].key == key) return shapes_[lastShape_];
  auto it = shapeIndex_.find(key);
  if (it == shapeIndex_.end()) {
    if (shapes_.size() >= kShapeLimit || stampRuns_.size() > kStampRunLimit) {
      shapes_.clear();
      shapeIndex_.clear();
      stampCount_ = 0;
      stampRuns_.clear();
    }
    it = shapeIndex_.emplace(key, shapes_.size()).first;
    shapes_.push_back(Shape{key});
  }
  lastShape_ = it->second;
  return shapes_[lastShape_];
}

void GalaxyCanvas::MakeStamp(Shape& shape, Stamp& stamp, int phaseX, int phaseY, double rx, double ry) {
  if (!stampPainter_) {
    stampPicture_ = TransparentPicture(kStampPicture, kStampPicture);
    stampPainter_ = std::make_unique<QPainter>(&stampPicture_);
    stampPen_ = PenState{};
  }
  if (stampRuns_.size() > kStampRunLimit) {
    // Forgotten in place: the shapes (this one among them) stay where they are.
    for (Shape& kept : shapes_) std::fill(kept.stamp.begin(), kept.stamp.end(), Stamp{});
    stampRuns_.clear();
    stampCount_ = 0;
  }
  stamp.first = static_cast<uint32_t>(stampRuns_.size());
  stamp.made = 1;
  // Drawn in two colours told apart after, about the fixed spot at this phase.
  SetPen(*stampPainter_, stampPen_, kStampOutline, static_cast<LineStyle>(shape.key.style), shape.key.width);
  SetBrush(*stampPainter_, stampPen_, shape.key.solid != 0, kStampFill);
  stampPainter_->drawEllipse(QPointF(kStampSpot + phaseX / 64.0, kStampSpot + phaseY / 64.0), rx, ry);
  auto* bits = reinterpret_cast<uint32_t*>(stampPicture_.bits());
  const qsizetype stride = stampPicture_.bytesPerLine() / 4;
  const int reach = static_cast<int>(std::ceil(std::max(std::abs(rx), std::abs(ry)))) + shape.key.width + 3;
  for (int row = kStampSpot - reach; row <= kStampSpot + reach; ++row) {
    uint32_t* line = bits + row * stride;
    for (int col = kStampSpot - reach; col <= kStampSpot + reach;) {
      const uint32_t v = line[col];
      if (v == 0) {
        ++col;
        continue;
      }
      if (v != kStampOutline && v != kStampFill) stamp.made = 2;
      int end = col;
      while (end <= kStampSpot + reach && line[end] == v) line[end++] = 0;
      stampRuns_.push_back({static_cast<int8_t>(col - kStampSpot), static_cast<int8_t>(row - kStampSpot),
                            static_cast<uint8_t>(end - col), static_cast<uint8_t>(v == kStampOutline)});
      col = end;
    }
  }
  if (stamp.made != 1) stampRuns_.resize(stamp.first);
  stamp.count = static_cast<uint16_t>(stampRuns_.size() - stamp.first);
  ++stampCount_;
}

void GalaxyCanvas::Line(double x1, double y1, double x2, double y2, double colour) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  const QRgb pen = GameColour(colour).rgb();
  Stroke key{
      Bits(x1), Bits(y1), Bits(x2), Bits(y2), pen & 0xFFFFFF, 0, lineWidth, static_cast<uint8_t>(lineStyle),
      2};
  const QRect box = Bounds(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
                           std::max(1, lineWidth), image_.rect());
  Draw(key, box, [&](QPainter& p, PenState& state) {
    SetPen(p, state, pen, lineStyle, lineWidth);
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  });
}

void GalaxyCanvas::TrailLine(double x1, double y1, double x2, double y2, double colour) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  if (lineStyle != LineStyle::kSolid || lineWidth > 1 || !IsRgb32(image_))
    return Line(x1, y1, x2, y2, colour);
  MarkDrawn(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), 1);
  const uint32_t c = GameColour(colour).rgb();
  auto* bits = reinterpret_cast<uint32_t*>(image_.bits());
  const qsizetype stride = image_.bytesPerLine() / 4;
  const double dx = x2 - x1, dy = y2 - y1;
  // Walks the pixel centres c + 0.5 of the longer direction from `from` up to `to` (clipped to
  // `size` pixels), with the other coordinate at each.
  auto walk = [](double from, double to, int size, auto&& plot) {
    const double lo = std::clamp(std::min(from, to), -2.0, size + 2.0),
                 hi = std::clamp(std::max(from, to), -2.0, size + 2.0);
    const int first = std::max(0, static_cast<int>(std::ceil(lo - 0.5)));
    const int last = std::min(size - 1, static_cast<int>(std::ceil(hi - 0.5)) - 1);
    for (int i = first; i <= last; ++i) plot(i);
  };
  if (std::abs(dx) >= std::abs(dy)) {
    if (dx == 0) return;
    const double slope = dy / dx;
    walk(x1, x2, image_.width(), [&](int col) {
      const double row = std::floor(y1 + (col + 0.5 - x1) * slope);
      if (row >= 0 && row < image_.height()) bits[static_cast<qsizetype>(row) * stride + col] = c;
    });
  } else {
    const double slope = dx / dy;
    walk(y1, y2, image_.height(), [&](int row) {
      const double col = std::floor(x1 + (row + 0.5 - y1) * slope);
      if (col >= 0 && col < image_.width()) bits[row * stride + static_cast<qsizetype>(col)] = c;
    });
  }
}

void GalaxyCanvas::Box(double x1, double y1, double x2, double y2, double colour) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  MarkDrawn(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), 1);
  QPainter& p = Painter();
  const QColor c = GameColour(colour);
  p.setPen(c);
  p.setBrush(c);
  pen_ = PenState{};
  p.drawRect(
      QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2))));
}

void GalaxyCanvas::Sprite(const QImage& image, const QImage& mask, double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  const QPoint at(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  MarkDrawn(QRect(at, image.size().expandedTo(mask.size())));
  if (!reuse || !IsRgb32(image_) || (!mask.isNull() && !IsRgb32(mask)) ||
      (!image.isNull() && !IsRgb32(image))) {
    if (!mask.isNull()) Painter(QPainter::RasterOp_SourceAndDestination).drawImage(at, mask);
    if (!image.isNull()) Painter(QPainter::RasterOp_SourceXorDestination).drawImage(at, image);
    return;
  }
  // The painter's raster operations on these pictures, pixel by pixel: AND, then XOR, the
  // result always opaque.
  auto* bits = reinterpret_cast<uint32_t*>(image_.bits());
  const qsizetype stride = image_.bytesPerLine() / 4;
  auto apply = [&](const QImage& source, auto op) {
    const QRect area = QRect(at, source.size()).intersected(image_.rect());
    for (int row = area.top(); row <= area.bottom(); ++row) {
      const auto* from = reinterpret_cast<const uint32_t*>(source.constScanLine(row - at.y()));
      uint32_t* to = bits + row * stride;
      for (int col = area.left(); col <= area.right(); ++col)
        to[col] = op(to[col], from[col - at.x()]) | 0xFF000000u;
    }
  };
  if (!mask.isNull()) apply(mask, [](uint32_t d, uint32_t s) { return d & s; });
  if (!image.isNull()) apply(image, [](uint32_t d, uint32_t s) { return d ^ s; });
}

}  // namespace zarnath
