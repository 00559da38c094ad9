// The galaxy view's kept drawings change no pixel: busy scenes (worlds of every owner, objects in
// flight with trails, radar, labels, marks, bombs, crosshairs) drawn by a window that keeps and
// reuses its drawings, copies small circles from stamps and restores only the drawn-over
// background must equal, pixel for pixel and on screen with its labels, what a window that draws
// every call through the painter makes, the first time and every time after, also after another
// scene and with the worlds moving. A small circle is the painter's own circle about the centre
// rounded to 1/64 px, and a trail segment keeps within a pixel of the painter's line.
#include <QLabel>
#include <QPainter>
#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "engine/game_window.h"
#include "model/data_set.h"
#include "model/galaxy.h"
#include "model/view_geometry.h"
#include "model/view_rules.h"
#include "ui_fixture.h"
#include "view/galaxy_window.h"

namespace zarnath::testing {

namespace {

struct Scene {
  uint32_t seed;
  int worlds;
  int radar;  // the radar option: 0 on, 2 unlimited
  int viewer;
  bool inputBusy = false;
  int selectedFrom = -1;
  bool hideFleets = false;
  bool crystal = false;
};

// A window on its own game; `reuse` off makes it the reference.
struct Screen {
  explicit Screen(bool reuse) {
    platform.scripted = platform.muted = true;
    pending.recording = false;
    window.canvas().reuse = reuse;
  }
  void Play(const Scene& s) {
    game = std::make_unique<Game>(Ports{platform, window, pending, pending});
    Game& g = *game;
    window.Attach(g);
    QVERIFY(FormSetup(g));
    g.PlayerColor = kPlayerColors;
    g.random.Seed(s.seed);
    g.setup.txtPL = {"Ann", "Bob", "Cal", ""};
    g.setup.chkAI = {0, 0, 1, 0};
    g.setup.OptRadar = {s.radar == 0, false, s.radar == 2};
    g.WorldCount = static_cast<int16_t>(s.worlds);
    DataSet(g);
    GenerateWorlds(g);
    PlaceSeats(g);
    g.GameYear = 1.5f;
    std::mt19937 rng(s.seed);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
    for (int w = 0; w < g.WorldCount; ++w) {
      g.WorldOwner[w] = static_cast<uint8_t>(w >= 8 && w <= 10 ? w - 7 : below(4));
      g.WorldShips[w] = static_cast<float>(below(3000)) + (below(2) ? 0.5f : 0.0f);
      g.WorldBombs[w] = static_cast<int16_t>(below(3) == 0 ? 2 : 0);
      g.WorldMarked[static_cast<size_t>(s.viewer)][w] = below(5) == 0;
      g.ScoutInfo[static_cast<size_t>(s.viewer)][0][w] = static_cast<int16_t>(below(4) == 0 ? 8 : 0);
    }
    for (int k = 0; k < 12; ++k) {
      g.ProxBombOwner[k] = static_cast<int16_t>(1 + below(3));
      g.ProxBombWorld[k] = static_cast<float>(below(g.WorldCount));
    }
    for (int slot = 0; slot < 100; ++slot) {
      const int from = below(g.WorldCount), to = (from + 1 + below(g.WorldCount - 1)) % g.WorldCount;
      g.FleetFrom[slot] = static_cast<uint8_t>(from + 1);
      g.FleetTo[slot] = static_cast<uint8_t>(to + 1);
      g.FleetOwner[slot] = static_cast<uint8_t>(1 + below(3));
      const int kind = below(10);
      g.FleetShips[slot] = kind == 0 ? 0.0f : kind == 1 ? 9999.0f : static_cast<float>(below(900));
      g.FleetTripTime[slot] = 0.1f + 0.05f * static_cast<float>(below(8));
      const int stage = below(8);  // not yet moved, arrived, or some way along
      g.FleetTimeLeft[slot] = stage == 0   ? g.FleetTripTime[slot]
                              : stage == 1 ? 0.0
                                           : g.FleetTripTime[slot] * (0.05 + 0.9 * below(1000) / 1000.0);
      g.FleetAngleParam[slot] = static_cast<float>(below(200) - 100) / 100.0f;
      g.FleetClass[slot] = 1;
    }
    g.CurrentPlayer = static_cast<int16_t>(s.viewer);
    g.InputBusy = s.inputBusy;
    g.SelectedFrom = static_cast<int16_t>(s.selectedFrom);
    g.HideFleets = s.hideFleets;
    g.HasCrystal[static_cast<size_t>(s.viewer)] = s.crystal ? 1 : 0;
  }
  // Every kind of picture the view makes, one after the other; what each left on the canvas and,
  // after the full redraw, the whole window with its labels.
  std::vector<QImage> Pictures() {
    std::vector<QImage> out;
    Game& g = *game;
    window.GalaxyDraw();
    out.push_back(std::as_const(window.canvas()).image().copy());
    out.push_back(window.Screenshot());
    window.CleanGalaxy();
    const int w = g.SelectedFrom >= 0 ? g.SelectedFrom : 8;
    window.DrawSourceMark(w);
    window.DrawTargetMark((w + 3) % g.WorldCount);
    const ViewSpot p = WorldScreenSpot(g, w);
    window.DrawCircle(p.x, p.y, 15, kPlayerColors[2], 1, 2, 2);
    window.DrawCircle(p.x, p.y, 80 * g.GalaxyScaleX, kPlayerColors[1], g.GalaxyScaleY / g.GalaxyScaleX, 1, 1);
    window.DrawStrengthBar(333.3, kPlayerColors[1], kPlayerColors[2], true);
    window.DrawCrossMark(p.x + 0.37, p.y - 0.81, kPlayerColors[3], kBlackColor);
    out.push_back(std::as_const(window.canvas()).image().copy());
    window.FleetPathsDraw(-1);
    out.push_back(std::as_const(window.canvas()).image().copy());
    for (int tick = 0; tick < 3; ++tick) {
      for (int k = 0; k < g.WorldCount; ++k) g.WorldAngle[k] += g.WorldAngularSpeed[k];
      window.DrawOrbitTick();
      window.DrawDestinationMarks();
      out.push_back(std::as_const(window.canvas()).image().copy());
    }
    for (int tick = 0; tick < 3; ++tick)
      for (int k = 0; k < g.WorldCount; ++k) g.WorldAngle[k] -= g.WorldAngularSpeed[k];
    return out;
  }
  DesktopPlatform platform;
  HeadlessPorts pending;
  GalaxyWindow window;
  std::unique_ptr<Game> game;
};

// Where two pictures differ, for the failure message.
QString Difference(const QImage& got, const QImage& want) {
  if (got.size() != want.size()) return QStringLiteral("sizes differ");
  int count = 0;
  QPoint first(-1, -1);
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x)
      if (got.pixel(x, y) != want.pixel(x, y) && count++ == 0) first = QPoint(x, y);
  if (count == 0) return {};
  return QStringLiteral("%1 pixels differ, the first at (%2, %3): %4 instead of %5")
      .arg(count)
      .arg(first.x())
      .arg(first.y())
      .arg(got.pixel(first), 8, 16)
      .arg(want.pixel(first), 8, 16);
}

#define EXPECT_SAME_PICTURE(got, want, what)                                             \
  do {                                                                                   \
    const QString diff = Difference(got, want);                                          \
    if (!diff.isEmpty()) QFAIL(qPrintable(QString(what) + QStringLiteral(": ") + diff)); \
  } while (false)

// By growing world counts: a window never hides the labels of worlds beyond the game's count.
const Scene kScenes[] = {
    {5, 16, 0, 1, false, 9},
    {8, 20, 2, 1, true, -1, false, true},
    {3, 24, 2, 1},
    {1, 30, 2, 0},
    {2, 30, 0, 0},
    {4, 30, 2, 0, true},
    {6, 30, 2, 0, false, -1, true},
    {7, 30, 0, 0, false, -1, false, true},
};

}  // namespace

class GalaxyPixelsTest : public QObject {
  Q_OBJECT

 private slots:
  // One window keeps its drawings from scene to scene; each scene is drawn three times (drawn as
  // it comes, then kept, then written back) and matched against a reference window.
  void keptDrawingsMatchThePainterEverywhere() {
    Screen kept(true);
    for (const Scene& s : kScenes) {
      Screen reference(false);
      reference.Play(s);
      const std::vector<QImage> want = reference.Pictures();
      kept.Play(s);
      for (int round = 1; round <= 3; ++round) {
        const std::vector<QImage> got = kept.Pictures();
        QCOMPARE(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i)
          EXPECT_SAME_PICTURE(got[i], want[i],
                              QStringLiteral("scene %1, round %2, picture %3").arg(s.seed).arg(round).arg(i));
      }
    }
    QVERIFY(kept.window.canvas().keptDrawings() > 0);
  }

  // Circles and lines of every pen, fill and size, at random places (some across the edges),
  // drawn again and again: always what the painter draws.
  void keptCirclesAndLinesMatchThePainter() {
    GalaxyCanvas painted(1018, 693), kept(1018, 693);
    painted.reuse = false;
    QImage back(1024, 768, QImage::Format_RGB32);
    back.fill(QColor(10, 20, 30));
    painted.SetBackground(back);
    kept.SetBackground(back);
    std::mt19937 rng(99);
    auto real = [&](double lo, double hi) { return lo + (hi - lo) * (rng() / 4294967296.0); };
    struct Call {
      int kind, width, style;
      bool solid;
      double a, b, c, d, aspect, colour, fill;
    };
    std::vector<Call> calls;
    for (int batch = 0; batch < 6; ++batch) {
      // The last batch repeats the one before on smaller pictures: what was kept for the larger
      // picture must not be written into them.
      if (batch == 5)
        for (GalaxyCanvas* canvas : {&painted, &kept})
          canvas->image() = QImage(600, 400, QImage::Format_RGB32);
      else
        calls.clear();
      for (int i = 0; i < 300 && batch < 5; ++i) {
        const double radii[] = {0, 1, 2, 3, 4, 5, 9.5, 12, 14, 17, 40, 177.04};
        calls.push_back({static_cast<int>(rng() % 4 == 0), 1 + static_cast<int>(rng() % 3),
                         static_cast<int>(rng() % 3), rng() % 2 == 0, real(-30, 1050), real(-30, 720),
                         rng() % 3 == 0 ? real(-30, 1050) : radii[rng() % 12], real(-30, 720),
                         rng() % 3 == 0 ? real(0.1, 6) : 1.0, static_cast<double>(rng() % 16777216),
                         static_cast<double>(rng() % 16777216)});
      }
      auto draw = [](GalaxyCanvas& canvas, const Call& c) {
        canvas.lineWidth = c.width;
        canvas.lineStyle = static_cast<LineStyle>(c.style);
        canvas.fillStyle = c.solid ? FillStyle::kSolid : FillStyle::kTransparent;
        canvas.fillColour = c.fill;
        if (c.kind == 1)
          canvas.Line(c.a, c.b, c.c, c.d, c.colour);
        else
          canvas.Circle(c.a, c.b, c.c, c.colour, c.aspect);
      };
      painted.Clear();
      for (const Call& c : calls) draw(painted, c);
      for (int round = 1; round <= 3; ++round) {
        kept.Clear();
        for (const Call& c : calls) draw(kept, c);
        EXPECT_SAME_PICTURE(kept.image(), painted.image(),
                            QStringLiteral("batch %1, round %2").arg(batch).arg(round));
      }
      // What is kept stays bounded whatever is drawn: the kept pixels by twice the picture's own
      // (a drawing left unkept gives back what its scan took), the circle stamps by theirs.
      const size_t pixels =
          static_cast<size_t>(kept.image().width()) * static_cast<size_t>(kept.image().height());
      QVERIFY2(kept.keptBytes() < 48 * pixels + (8u << 20),
               qPrintable(QStringLiteral("batch %1 keeps %2 bytes").arg(batch).arg(kept.keptBytes())));
    }
  }

  // The guides and the sun are kept for one geometry and one background: another centre or
  // another background picture draws them anew, and a picture changed as a whole from outside
  // is restored whole.
  void theKeptBackdropFollowsGeometryAndBackground() {
    Screen kept(true), reference(false);
    const Scene s{11, 12, 2, 0};
    kept.Play(s);
    reference.Play(s);
    for (int step = 0; step < 4; ++step) {
      if (step == 3) kept.window.canvas().image().fill(Qt::white);
      if (step == 1) {
        for (Screen* screen : {&kept, &reference}) {
          screen->game->GalaxyCenterX = 400;
          screen->game->GalaxyScaleY = 0.7;
        }
      }
      if (step == 2) {
        QImage red(1024, 768, QImage::Format_RGB32);
        red.fill(QColor(200, 30, 40));
        kept.window.canvas().SetBackground(red);
        reference.window.canvas().SetBackground(red);
      }
      kept.window.GalaxyDraw();
      reference.window.GalaxyDraw();
      EXPECT_SAME_PICTURE(std::as_const(kept.window.canvas()).image(),
                          std::as_const(reference.window.canvas()).image(),
                          QStringLiteral("step %1").arg(step));
    }
  }

  // Every mark and world ring of the game at every 1/64-pixel phase, about places in each
  // power-of-two range of the picture, and a hair off the grid: the stamps give exactly what the
  // painter draws about the centre rounded to 1/64 px.
  void smallCirclesAreThePaintersAboutTheNearest64th() {
    const double sx = 2.2130434782608694, sy = 0.824;
    struct Kind {
      double radius, aspect;
      int width;
      LineStyle style;
      bool solid;
    };
    const Kind kinds[] = {
        {3, 1, 1, LineStyle::kSolid, true},
        {2, 1, 1, LineStyle::kSolid, true},
        {4, 1, 1, LineStyle::kSolid, true},
        {5, sy * 0.5 / sx, 1, LineStyle::kSolid, true},
        {5, sx / (sy * 0.5), 1, LineStyle::kSolid, true},
        {12, 1, 1, LineStyle::kSolid, false},
        {12, 1, 2, LineStyle::kSolid, false},
        {17, 1, 2, LineStyle::kSolid, false},
        {15, 1, 1, LineStyle::kDot, false},
        {10, 1, 1, LineStyle::kSolid, false},
        {20 * sx, sy / sx, 1, LineStyle::kDot, false},
        {3, 1, 2, LineStyle::kDash, true},
    };
    const QPoint places[] = {{40, 40}, {100, 90}, {200, 150}, {300, 300}, {700, 600}, {950, 400}};
    GalaxyCanvas kept(1018, 693);
    QImage painted(1018, 693, QImage::Format_RGB32);
    painted.fill(Qt::black);
    kept.Clear();
    std::mt19937 rng(7);
    int compared = 0;
    for (const Kind& k : kinds) {
      for (int phase = 0; phase < 64 * 64; ++phase) {
        const QPoint at = places[static_cast<size_t>(phase) % std::size(places)];
        const double hair = (static_cast<int>(rng() % 5) - 2) * 0.0019;  // under 1/128 px
        const double x = at.x() + (phase % 64) / 64.0 + hair, y = at.y() + (phase / 64) / 64.0 - hair;
        const double pen = rng() % 16777216, fill = rng() % 16777216;
        kept.lineWidth = k.width;
        kept.lineStyle = k.style;
        kept.fillStyle = k.solid ? FillStyle::kSolid : FillStyle::kTransparent;
        kept.fillColour = fill;
        kept.Circle(x, y, k.radius, pen, k.aspect);
        {
          QPainter p(&painted);
          QPen qpen{GameColour(pen)};
          qpen.setWidth(k.width);
          qpen.setStyle(k.style == LineStyle::kDot    ? Qt::DotLine
                        : k.style == LineStyle::kDash ? Qt::DashLine
                                                      : Qt::SolidLine);
          qpen.setCapStyle(Qt::FlatCap);
          p.setPen(qpen);
          if (k.solid) p.setBrush(GameColour(fill));
          const double rx = k.aspect > 1 ? k.radius / k.aspect : k.radius,
                       ry = k.aspect < 1 ? k.radius * k.aspect : k.radius;
          p.drawEllipse(QPointF(std::nearbyint(x * 64) / 64, std::nearbyint(y * 64) / 64), rx, ry);
        }
        const int reach = static_cast<int>(std::ceil(k.radius)) + 6;
        const QRect area(at - QPoint(reach, reach), at + QPoint(reach + 1, reach + 1));
        const QImage got = std::as_const(kept).image().copy(area), want = painted.copy(area);
        if (got != want)
          QFAIL(qPrintable(QStringLiteral("radius %1, aspect %2, width %3, phase %4 at (%5, %6): %7")
                               .arg(k.radius)
                               .arg(k.aspect)
                               .arg(k.width)
                               .arg(phase)
                               .arg(x, 0, 'f', 6)
                               .arg(y, 0, 'f', 6)
                               .arg(Difference(got, want))));
        ++compared;
        kept.Box(area.left(), area.top(), area.right() + 1, area.bottom() + 1, 0);
        painted.fill(Qt::black);
      }
    }
    QCOMPARE(compared, static_cast<int>(std::size(kinds)) * 64 * 64);
    QVERIFY(kept.keptDrawings() >= 64 * 64);
  }

  // A trail segment: along its longer direction one pixel for each pixel centre from its first
  // end up to its second, none twice where the next segment goes on; each pixel within a pixel
  // of the painter's own line and the other way round; ends far outside cost no more than the
  // picture's width.
  void trailSegmentsAreDrawnByPixelCentres() {
    GalaxyCanvas canvas(400, 300);
    canvas.Clear();
    QImage painted(400, 300, QImage::Format_RGB32);
    std::mt19937 rng(3);
    auto real = [&](double lo, double hi) { return lo + (hi - lo) * (rng() / 4294967296.0); };
    auto drawn = [](const QImage& im) {
      std::set<std::pair<int, int>> out;
      for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
          if (im.pixel(x, y) != 0xFF000000u) out.insert({x, y});
      return out;
    };
    auto near = [](const std::set<std::pair<int, int>>& a, const std::set<std::pair<int, int>>& b) {
      for (auto [x, y] : a) {
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
          for (int dx = -1; dx <= 1 && !found; ++dx) found = b.count({x + dx, y + dy}) > 0;
        if (!found) return false;
      }
      return true;
    };
    for (int i = 0; i < 300; ++i) {
      // Three segments on, each up to 9 px, sometimes level or upright.
      double x = real(120, 280), y = real(90, 210);
      const double dx = real(-9, 9), dy = i % 5 == 0 ? 0.0 : i % 7 == 0 ? real(-9, 9) : real(-6, 6);
      const double ex = i % 11 == 0 ? 0.0 : dx;
      size_t expected = 0;
      painted.fill(Qt::black);
      QPainter p(&painted);
      QPen pen{QColor(255, 0, 0)};
      pen.setCapStyle(Qt::FlatCap);
      p.setPen(pen);
      for (int j = 0; j < 3; ++j) {
        const double x2 = x + ex, y2 = y + dy;
        canvas.TrailLine(x, y, x2, y2, 255);
        p.drawLine(QPointF(x, y), QPointF(x2, y2));
        const bool across = std::abs(ex) >= std::abs(dy);
        const double a = across ? std::min(x, x2) : std::min(y, y2),
                     b = across ? std::max(x, x2) : std::max(y, y2);
        for (int c = -10; c < 500; ++c) expected += c + 0.5 >= a && c + 0.5 < b ? 1 : 0;
        x = x2, y = y2;
      }
      p.end();
      const auto mine = drawn(std::as_const(canvas).image()), painters = drawn(painted);
      QCOMPARE(mine.size(), expected);
      if (std::max(std::abs(ex), std::abs(dy)) >= 2) {
        QVERIFY2(near(mine, painters),
                 qPrintable(QStringLiteral("segment %1 strays from the painter's line").arg(i)));
        QVERIFY2(near(painters, mine),
                 qPrintable(QStringLiteral("segment %1 misses the painter's line").arg(i)));
      }
      canvas.Clear();
    }
    canvas.TrailLine(-1e7, 150.2, 1e7, 150.7, 255);
    canvas.TrailLine(200.5, 1e9, 200.5, -1e9, 255);
    QCOMPARE(drawn(std::as_const(canvas).image()).size(), size_t{400 + 300 - 1});
  }
};

ZARNATH_UI_SUITE(GalaxyPixelsTest, {"galaxy-pixels", 1024, 96});

}  // namespace zarnath::testing

#include "galaxy_pixels_test.moc"
