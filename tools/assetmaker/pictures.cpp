#include "pictures.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "view/asset_names.h"

namespace assetmaker {

namespace {

constexpr int kJpegQuality = 92;
const QColor kLabelColour(255, 224, 192);  // light peach, as the windows' labels

struct Saver {
  QDir dir;
  bool ok = true;
  void Save(const QImage& image, const QString& name) {
    const bool jpeg = name.endsWith(QStringLiteral(".jpg"));
    if (!image.save(dir.filePath(name), jpeg ? "JPG" : "PNG", jpeg ? kJpegQuality : -1)) ok = false;
  }
};

// A deterministic hash noise in [0, 1).
double Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / 16777216.0;
}

// Dark space: a deep blue ground with faint nebulae and stars. The ground stays well above
// black and well below the orbit guides' grey, so both show on it.
void DrawSpace(QImage& image, int stars, int seed, QColor ground) {
  image.fill(ground);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  std::mt19937 rng(static_cast<unsigned>(seed));
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const int w = image.width(), h = image.height();
  for (int i = 0; i < 5; ++i) {
    const QPointF c(u(rng) * w, u(rng) * h);
    const double r = (0.15 + 0.25 * u(rng)) * std::max(w, h);
    QRadialGradient g(c, r);
    const QColor tint = i % 2 ? QColor(60, 30, 90, 34) : QColor(20, 50, 100, 34);
    g.setColorAt(0, tint);
    g.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 0));
    p.fillRect(image.rect(), g);
  }
  p.setPen(Qt::NoPen);
  for (int i = 0; i < stars; ++i) {
    const QPointF at(u(rng) * w, u(rng) * h);
    const double pick = u(rng);
    int level = pick < 0.85 ? 70 + static_cast<int>(u(rng) * 70) : 150 + static_cast<int>(u(rng) * 105);
    const double warmth = u(rng);
    QColor c(level, level, level);
    if (warmth < 0.2) c = QColor(level, level * 9 / 10, level * 7 / 10);
    if (warmth > 0.8) c = QColor(level * 8 / 10, level * 9 / 10, level);
    if (pick > 0.97) {
      p.setBrush(c);
      p.drawEllipse(at, 1.2, 1.2);
      c.setAlpha(60);
      p.setBrush(c);
      p.drawEllipse(at, 2.6, 2.6);
    } else {
      p.setBrush(c);
      p.drawRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1));
    }
  }
}

// The largest pixel size up to `wanted` at which `text` fits `width`.
QFont FittingFont(const QString& family, const QString& text, int wanted, int width) {
  QFont font(family);
  for (int px = wanted; px >= 6; --px) {
    font.setPixelSize(px);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
  }
  return font;
}

// A bevelled steel-blue button face; the pressed face is sunk in, its label moved by a pixel.
void DrawButtonFace(QPainter& p, const QRect& r, const QString& label, bool pressed, const QString& family,
                    int pixelSize = 0) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, pressed ? QColor(26, 34, 58) : QColor(84, 104, 148));
  fill.setColorAt(1, pressed ? QColor(48, 62, 98) : QColor(34, 44, 76));
  p.fillRect(r, QColor(8, 8, 16));
  const QRect inner = r.adjusted(1, 1, -1, -1);
  p.fillRect(inner, fill);
  const QColor light(176, 196, 228), dark(18, 24, 40);
  for (int i = 0; i < 2; ++i) {
    const QRect b = inner.adjusted(i, i, -i, -i);
    p.setPen(pressed ? dark : light);
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(pressed ? light : dark);
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
  }
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font = FittingFont(family, label, r.height() * 2 / 5, r.width() - 10);
  if (pixelSize > 0) font.setPixelSize(pixelSize);
  p.setFont(font);
  p.setPen(pressed ? kLabelColour.darker(115) : kLabelColour);
  const QRect text = pressed ? r.translated(1, 1) : r;
  p.drawText(text, Qt::AlignCenter, label);
  p.restore();
}

QImage ButtonImage(QSize size, const QString& label, bool pressed, const QString& family, int pixelSize = 0) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  DrawButtonFace(p, image.rect(), label, pressed, family, pixelSize);
  return image;
}

void DrawTitle(const PictureFonts& fonts, Saver& out) {
  QImage image(397, 426, QImage::Format_RGB32);
  DrawSpace(image, 260, 11, QColor(10, 12, 28));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // The sun's glow in the upper left, a ringed giant on the right.
  QRadialGradient glow(QPointF(30, 40), 150);
  glow.setColorAt(0, QColor(255, 230, 150, 230));
  glow.setColorAt(0.12, QColor(255, 170, 60, 150));
  glow.setColorAt(1, QColor(255, 120, 0, 0));
  p.fillRect(image.rect(), glow);
  const QPointF giant(300, 255);
  QRadialGradient body(giant + QPointF(-22, -22), 90);
  body.setColorAt(0, QColor(230, 180, 120));
  body.setColorAt(0.6, QColor(150, 90, 60));
  body.setColorAt(1, QColor(30, 16, 20));
  p.save();
  p.translate(giant);
  p.rotate(-18);
  p.setPen(QPen(QColor(200, 170, 130, 150), 5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(-105, -22, 210, 44), 180 * 16, 180 * 16);
  p.restore();
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawEllipse(giant, 62, 62);
  p.save();
  p.translate(giant);
  p.rotate(-18);
  p.setPen(QPen(QColor(200, 170, 130, 170), 5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(-105, -22, 210, 44), 0, 180 * 16);
  p.restore();
  // A small moon and its shadow side.
  QRadialGradient moon(QPointF(95, 215), 26);
  moon.setColorAt(0, QColor(170, 190, 210));
  moon.setColorAt(1, QColor(20, 26, 40));
  p.setBrush(moon);
  p.drawEllipse(QPointF(102, 222), 18, 18);

  // The name and the line under it.
  p.setPen(kLabelColour);
  p.setFont(FittingFont(fonts.title, QStringLiteral("ZARNATH"), 52, 360));
  p.drawText(QRect(0, 60, 397, 70), Qt::AlignCenter, QStringLiteral("ZARNATH"));
  p.setFont(FittingFont(fonts.display, QStringLiteral("Conquest Of The Thirty Worlds"), 15, 360));
  p.setPen(QColor(190, 210, 255));
  p.drawText(QRect(0, 128, 397, 24), Qt::AlignCenter, QStringLiteral("Conquest Of The Thirty Worlds"));

  // The button bar with the faces that the title window's buttons lie over.
  p.setPen(QPen(QColor(90, 110, 160), 1));
  p.setBrush(QColor(6, 8, 20, 200));
  p.drawRoundedRect(QRectF(10.5, 365.5, 376, 54), 6, 6);
  const char* labels[] = {"Start", "Load", "Help"};
  for (int i = 0; i < 3; ++i)
    DrawButtonFace(p, QRect(20 + 95 * i, 375, 75, 35), QString::fromLatin1(labels[i]), false, fonts.display);
  p.setPen(QColor(150, 160, 190));
  p.setFont(FittingFont(fonts.display, QStringLiteral("v1.40"), 14, 70));
  p.drawText(QRect(300, 375, 78, 35), Qt::AlignCenter, QStringLiteral("v1.40"));
  p.end();
  out.Save(image, QStringLiteral("startup.jpg"));
}

struct MainButton {
  int number;
  const char* label;
  QRect place;
};

const std::vector<MainButton>& MainButtons();

// One lettering size for the game window's row of buttons: the largest at which every label
// fits.
int MainButtonPixels(const QString& family) {
  int pixels = 12;
  for (const auto& b : MainButtons())
    pixels = std::min(pixels, FittingFont(family, QString::fromLatin1(b.label), 12, 42).pixelSize());
  return pixels;
}

const std::vector<MainButton>& MainButtons() {
  static const std::vector<MainButton> buttons = {
      {1, "Labels", QRect(264, 405, 52, 30)}, {2, "Travel", QRect(317, 405, 52, 30)},
      {3, "Done", QRect(370, 405, 52, 30)},   {4, "Help", QRect(595, 405, 52, 30)},
      {5, "Status", QRect(648, 405, 52, 30)}, {6, "Quit", QRect(701, 405, 52, 30)},
      {7, "Send", QRect(275, 659, 57, 25)},
  };
  return buttons;
}

void DrawGameBackground(const PictureFonts& fonts, Saver& out) {
  QImage image(1024, 768, QImage::Format_RGB32);
  DrawSpace(image, 1100, 29, QColor(16, 18, 34));
  QPainter p(&image);
  const int pixels = MainButtonPixels(fonts.display);
  for (const MainButton& b : MainButtons())
    DrawButtonFace(p, b.place, QString::fromLatin1(b.label), false, fonts.display, pixels);
  p.end();
  out.Save(image, QStringLiteral("back1024.jpg"));
}

void DrawButtons(const PictureFonts& fonts, Saver& out) {
  const int pixels = MainButtonPixels(fonts.display);
  for (const MainButton& b : MainButtons())
    out.Save(ButtonImage(b.place.size(), QString::fromLatin1(b.label), true, fonts.display, pixels),
             QStringLiteral("ddentbutt%1.jpg").arg(b.number));
  struct Face {
    int number;
    const char* label;
    bool normalFace;  // the title's buttons are drawn into the title picture
  };
  const Face faces[] = {{8, "Start", false}, {9, "Load", false},   {10, "Help", false},
                        {12, "Start", true}, {16, "Save", true},   {17, "Load", true},
                        {18, "Set", true},   {19, "Cancel", true}, {20, "OK", true}};
  for (const Face& f : faces) {
    const QString label = QString::fromLatin1(f.label);
    out.Save(ButtonImage(QSize(75, 35), label, true, fonts.display),
             QStringLiteral("ddentbutt%1.jpg").arg(f.number));
    if (f.normalFace)
      out.Save(ButtonImage(QSize(75, 35), label, false, fonts.display),
               QStringLiteral("butt%1.jpg").arg(f.number));
  }
}

QColor Mixed(QColor a, QColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The image and mask pair of a sprite: covered pixels take `shade`'s colour (never pure
// black, which would show the ground through), the rest stays black in the image and white in
// the mask.
template <typename Covered, typename Shade>
void WriteSprite(int size, Covered covered, Shade shade, const QString& imageName, const QString& maskName,
                 Saver& out) {
  QImage image(size, size, QImage::Format_RGB32), mask(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      if (covered(x, y)) {
        QColor c = shade(x, y);
        if (c.red() + c.green() + c.blue() == 0) c = QColor(1, 1, 1);
        image.setPixel(x, y, c.rgb());
        mask.setPixel(x, y, qRgb(0, 0, 0));
      } else {
        image.setPixel(x, y, qRgb(0, 0, 0));
        mask.setPixel(x, y, qRgb(255, 255, 255));
      }
    }
  out.Save(image, imageName);
  out.Save(mask, maskName);
}

void DrawSun(Saver& out) {
  const double c = (zarnath::kSunSize - 1) / 2.0;
  auto dist = [c](int x, int y) { return std::hypot(x - c, y - c); };
  auto covered = [&](int x, int y) { return dist(x, y) <= 23.5; };
  auto shade = [&](int x, int y) {
    const double d = dist(x, y);
    const double flicker = 0.12 * (Hash(x, y, 7) - 0.5);
    if (d <= 15.5) return Mixed(QColor(255, 255, 230), QColor(255, 200, 60), d / 15.5 + flicker);
    const double t = (d - 15.5) / 8.0;
    const double angle = std::atan2(y - c, x - c);
    const double rays = 0.5 + 0.5 * std::sin(angle * 9.0);
    return Mixed(QColor(255, 170, 40), QColor(90, 20, 10), t - 0.25 * rays + flicker);
  };
  WriteSprite(zarnath::kSunSize, covered, shade, QString::fromLatin1(zarnath::kSunImageFile),
              QString::fromLatin1(zarnath::kSunMaskFile), out);
}

// Thirty worlds: rocky, ocean, banded gas, ice and lava worlds of several sizes, some gas
// giants ringed; the home worlds 8 to 11 are large blue-green worlds.
void DrawWorlds(Saver& out) {
  const QColor palettes[5][2] = {
      {QColor(120, 96, 72), QColor(200, 170, 130)},    // rocky
      {QColor(30, 70, 160), QColor(60, 150, 90)},      // ocean with land
      {QColor(190, 130, 70), QColor(240, 210, 160)},   // banded gas
      {QColor(150, 200, 230), QColor(240, 250, 255)},  // ice
      {QColor(110, 20, 10), QColor(255, 120, 30)},     // lava
  };
  for (int w = 0; w < 30; ++w) {
    const bool home = w >= 8 && w <= 11;
    const int kind = home ? 1 : (w * 7 + 3) % 5;
    const double radius = home ? 8.0 : 5.0 + (w * 5 % 4);
    const bool ringed = kind == 2 && w % 2 == 0;
    const double c = (zarnath::kWorldSpriteSize - 1) / 2.0;
    const QColor deep = palettes[kind][0], bright = palettes[kind][1];
    auto onRing = [&](int x, int y) {
      if (!ringed) return false;
      const double dx = x - c, dy = (y - c) * 3.2;
      const double e = std::hypot(dx, dy);
      const bool behind = y < c && std::hypot(x - c, y - c) <= radius;
      return e >= radius + 1.5 && e <= radius + 3.2 && !behind;
    };
    auto covered = [&](int x, int y) { return std::hypot(x - c, y - c) <= radius || onRing(x, y); };
    auto shade = [&](int x, int y) {
      const double dx = (x - c) / radius, dy = (y - c) / radius;
      if (dx * dx + dy * dy > 1.0) return QColor(200, 190, 160);  // the ring
      const double dz = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
      const double light = std::max(0.0, (-0.55 * dx - 0.55 * dy + 0.63 * dz));
      double pattern = Hash(x / 2, y / 2, w);
      if (kind == 2) pattern = 0.5 + 0.5 * std::sin((y - c) * 1.7 + w);
      const QColor base = Mixed(deep, bright, pattern);
      return Mixed(QColor(8, 8, 14), base, 0.25 + 0.9 * light);
    };
    WriteSprite(zarnath::kWorldSpriteSize, covered, shade, QString::fromStdString(zarnath::WorldImageFile(w)),
                QString::fromStdString(zarnath::WorldMaskFile(w)), out);
  }
}

QImage Indicator() {
  QImage image(zarnath::kIndicatorSize, zarnath::kIndicatorSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

void DrawIndicators(Saver& out) {
  {  // A round bomb with a burning fuse.
    QImage image = Indicator();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient body(QPointF(12, 15), 14);
    body.setColorAt(0, QColor(150, 150, 165));
    body.setColorAt(1, QColor(20, 20, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(15, 18), 11, 11);
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(17, 5, 6, 5));
    p.setPen(QPen(QColor(200, 170, 120), 1.5));
    p.drawLine(QPointF(21, 5), QPointF(25, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 60));
    p.drawEllipse(QPointF(26, 2.5), 2.5, 2.5);
    out.Save(image, QString::fromLatin1(zarnath::kBombIndicatorFile));
  }
  {  // A fuel canister marked with two speed arrows.
    QImage image = Indicator();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(QPointF(5, 0), QPointF(27, 0));
    body.setColorAt(0, QColor(230, 120, 30));
    body.setColorAt(1, QColor(130, 50, 10));
    p.setPen(QPen(QColor(60, 20, 0), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6, 7, 20, 23), 3, 3);
    p.drawRect(QRectF(9, 2, 7, 5));
    p.setPen(QPen(QColor(255, 240, 160), 2.2));
    for (int i = 0; i < 2; ++i) {
      const double x = 10 + 7 * i;
      p.drawLine(QPointF(x, 13), QPointF(x + 5, 18.5));
      p.drawLine(QPointF(x + 5, 18.5), QPointF(x, 24));
    }
    out.Save(image, QString::fromLatin1(zarnath::kFuelIndicatorFile));
  }
  {  // The Information Crystal: a cut gem.
    QImage image = Indicator();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF left(4, 12), right(28, 12), bottom(16, 30), midL(11, 12), midR(21, 12);
    QPainterPath crown, pavilion;
    crown.moveTo(left);
    crown.lineTo(9, 5);
    crown.lineTo(23, 5);
    crown.lineTo(right);
    crown.closeSubpath();
    pavilion.moveTo(left);
    pavilion.lineTo(right);
    pavilion.lineTo(bottom);
    pavilion.closeSubpath();
    p.setPen(QPen(QColor(200, 255, 255), 1));
    p.setBrush(QColor(90, 220, 240));
    p.drawPath(crown);
    p.setBrush(QColor(30, 140, 200));
    p.drawPath(pavilion);
    p.drawLine(midL, bottom);
    p.drawLine(midR, bottom);
    p.drawLine(midL, QPointF(9, 5));
    p.drawLine(midR, QPointF(23, 5));
    out.Save(image, QString::fromLatin1(zarnath::kCrystalIndicatorFile));
  }
}

}  // namespace

bool WritePictures(const QString& folder, const PictureFonts& fonts) {
  Saver out{QDir(folder)};
  DrawTitle(fonts, out);
  DrawGameBackground(fonts, out);
  DrawButtons(fonts, out);
  DrawSun(out);
  DrawWorlds(out);
  DrawIndicators(out);
  return out.ok;
}

}  // namespace assetmaker
