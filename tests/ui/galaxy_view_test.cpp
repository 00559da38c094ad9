// The galaxy view on the offscreen platform: pixels of the canvas and the labels' geometry.
#include <QLabel>
#include <QLineEdit>

#include "engine/game_window.h"
#include "model/numbers.h"
#include "model/view_geometry.h"
#include "model/view_rules.h"
#include "ui_fixture.h"
#include "view/asset_names.h"
#include "view/galaxy_window.h"
#include "view/program_folder.h"

namespace zarnath::testing {

namespace {

// A laid-out game window on a game of twelve worlds on rings 50..210 (angle 0), Ann and Bob
// human at one computer, Cal a computer player.
struct View {
  View() {
    platform.scripted = platform.muted = true;
    window.Attach(game);
    Game& g = game;
    FormSetup(g);
    g.PlayerColor = kPlayerColors;
    g.WorldCount = 12;
    for (int w = 0; w < 12; ++w) {
      g.WorldRadius[w] = static_cast<float>(50 + 20 * (w % 9));
      g.WorldAngle[w] = static_cast<float>(w * 0.5);
      g.WorldAngularSpeed[w] = 0.02f;
      g.WorldName[w] = "World" + std::to_string(w);
    }
    g.setup.txtPL = {"Ann", "Bob", "Cal", ""};
    g.PlayerName = {"Ann", "Bob", "Cal", "", ""};
    g.setup.chkAI = {0, 0, 1, 0};
    g.WorldOwner[8] = 1, g.WorldOwner[9] = 2, g.WorldOwner[10] = 3;
    g.GameYear = 1.0f;
  }
  QColor Pixel(double x, double y) {
    return window.canvas().image().pixelColor(static_cast<int>(std::lround(x)),
                                              static_cast<int>(std::lround(y)));
  }
  // Whether the colour is found within one pixel of (x, y).
  bool Near(double x, double y, const QColor& c) {
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (Pixel(x + dx, y + dy) == c) return true;
    return false;
  }
  int CountOf(const QColor& c) {
    const QImage& im = window.canvas().image();
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) n += im.pixelColor(x, y) == c;
    return n;
  }
  void Launch(int slot, int owner, int from, int to, float ships, int moved) {
    Game& g = game;
    g.FleetFrom[slot] = static_cast<uint8_t>(from + 1);
    g.FleetTo[slot] = static_cast<uint8_t>(to + 1);
    g.FleetOwner[slot] = static_cast<uint8_t>(owner);
    g.FleetShips[slot] = ships;
    g.FleetTripTime[slot] = 0.5f;
    g.FleetTimeLeft[slot] = 0.5 - moved / 520.0;
    g.FleetAngleParam[slot] = 1.0f;
  }
  DesktopPlatform platform;
  HeadlessPorts pending;
  GalaxyWindow window;
  Game game{Ports{platform, window, pending, pending}};
};

const QColor kCyan(0, 255, 255), kOlive(64, 64, 0), kWhite(255, 255, 255), kBlack(0, 0, 0);
QColor Seat(int owner) {
  return GameColour(kPlayerColors[static_cast<size_t>(owner)]);
}

}  // namespace

class GalaxyViewTest : public QObject {
  Q_OBJECT

 private slots:
  // The window's inner size, the sun on its centre and a world on ring 130 at a quarter turn.
  void geometryAndSprites() {
    View v;
    QCOMPARE(v.window.size(), QSize(1018, 693));
    QVERIFY(v.game.GalaxyCenterX == 509);
    QVERIFY(v.game.GalaxyCenterY == 206);
    v.game.WorldCount = 1;
    v.game.WorldRadius[0] = 130, v.game.WorldAngle[0] = static_cast<float>(kPi / 2);
    v.game.WorldOwner = {};
    v.window.GalaxyDraw();
    const QImage sun(ProgramFile(kSunImageFile)),
        world(ProgramFile(QString::fromStdString(WorldImageFile(0))));
    QCOMPARE(v.Pixel(509, 206), sun.pixelColor(25, 25));
    const ViewSpot p = WorldScreenSpot(v.game, 0);
    QVERIFY(std::abs(p.x - 509) < 1e-3);
    QVERIFY(std::abs(p.y - 313.12) < 1e-3);
    QCOMPARE(v.Pixel(509, 313), world.pixelColor(10, 10));
  }

  // Mask then image: where the mask is white the background stays, whatever its colour.
  void spritesKeepTheBackgroundOutsideTheirMask() {
    View v;
    QImage red(1024, 768, QImage::Format_RGB32);
    red.fill(QColor(200, 30, 40));
    v.window.canvas().SetBackground(red);
    v.game.WorldCount = 1;
    v.game.WorldOwner = {};
    v.window.GalaxyDraw();
    const QImage mask(ProgramFile(QString::fromStdString(WorldMaskFile(0))));
    QCOMPARE(mask.pixelColor(0, 0), kWhite);
    const ViewSpot p = WorldScreenSpot(v.game, 0);
    const int left = static_cast<int>(std::lround(p.x - 10)), top = static_cast<int>(std::lround(p.y - 10));
    QCOMPARE(v.window.canvas().image().pixelColor(left, top), QColor(200, 30, 40));
    QVERIFY(v.window.canvas().image().pixelColor(left + 10, top + 10) != QColor(200, 30, 40));
  }

  // Colours are red + 256 green + 65536 blue: the neutral cyan and the trail olive exactly.
  void colours() {
    View v;
    QCOMPARE(GameColour(kNeutralColor), kCyan);
    QCOMPARE(GameColour(kTrailOlive), kOlive);
    QCOMPARE(GameColour(Rgb(255, 50, 0)), QColor(255, 50, 0));
    v.window.DrawCircle(300, 600, 20, kNeutralColor, 1, 1, 0);
    QVERIFY(v.Near(320, 600, kCyan));
    // A fleet of Ann's to a neutral world, well out: its trail alternates her colour and olive.
    v.Launch(0, 1, 8, 3, 20, 60);
    v.window.GalaxyDraw();
    QVERIFY(v.CountOf(kOlive) > 0);
    v.game.FleetShips[0] = 0;
    v.game.FleetFrom[0] = 0;
    v.window.GalaxyDraw();
    QCOMPARE(v.CountOf(kOlive), 0);
  }

  // The owner ring at 12 px, a named home world's white ring at 14 and owner ring at 17.
  void ownerAndHomeRings() {
    View v;
    v.game.WorldOwner[4] = 2;
    v.window.GalaxyDraw();
    const ViewSpot h = WorldScreenSpot(v.game, 8), w = WorldScreenSpot(v.game, 4);
    QVERIFY(v.Near(h.x, h.y - 12, Seat(1)));
    QVERIFY(v.Near(h.x, h.y - 14, kWhite));
    QVERIFY(v.Near(h.x, h.y - 17, Seat(1)));
    QVERIFY(v.Near(w.x, w.y - 12, Seat(2)));
    QVERIFY(!v.Near(w.x, w.y - 17, Seat(2)));
  }

  // An own fuel world of 12 ships, its shield charging and gathering excluded.
  void shipLabelLeftOfItsWorld() {
    View v;
    Game& g = v.game;
    g.WorldOwner[4] = 1, g.WorldShips[4] = 12, g.WorldType[4] = kTypeFuel, g.WorldShieldOn[4] = 1;
    g.WorldNoGather[4] = true;
    v.window.show();
    v.window.GalaxyDraw();
    QLabel* l = v.window.lblName(4);
    QCOMPARE(l->text(), QStringLiteral("[12 D S]"));
    QVERIFY(l->isVisible());
    const ViewSpot p = WorldScreenSpot(g, 4), h = WorldScreenSpot(g, 8);
    QCOMPARE(l->x() + l->width(), static_cast<int>(std::lround(p.x - 15)));
    QCOMPARE(l->y(), static_cast<int>(std::lround(p.y - l->height() / 2.0)));
    QCOMPARE(v.window.lblName(8)->x() + v.window.lblName(8)->width(),
             static_cast<int>(std::lround(h.x - 20)));
    QVERIFY(!v.window.lblName(9)->isVisible());  // Bob's world: not the viewer's
    // A world's label takes its own presses; the hover label lets them through to the map.
    QCOMPARE(v.window.childAt(l->geometry().center()), l);
    QVERIFY(v.window.lblName(30)->testAttribute(Qt::WA_TransparentForMouseEvents));
  }

  // One detection, two detections (two stations), none with radar off.
  void radarNotices() {
    View v;
    Game& g = v.game;
    g.WorldRadius[8] = 90, g.WorldAngle[8] = 0, g.WorldAngle[9] = 0.3f;
    v.Launch(0, 2, 9, 3, 20, 6);
    v.window.show();
    v.window.GalaxyDraw();
    QCOMPARE(v.window.txtGame()->text(),
             QStringLiteral("- Radar Alert:  1 Enemy Traveling Fleet Detected! -"));
    QCOMPARE(v.window.txtGame()->palette().color(QPalette::Text), Seat(1));
    QCOMPARE(v.window.lblShips(0)->text(), QStringLiteral("20"));  // the alert shows the bare count
    g.WorldOwner[10] = 1, g.WorldRadius[10] = 90, g.WorldAngle[10] = 0;
    v.window.GalaxyDraw();
    QCOMPARE(v.window.txtGame()->text(),
             QStringLiteral("- Radar Alert:  2 Enemy Traveling Fleets Detected! -"));
    g.setup.OptRadar = {false, true, false};
    v.window.GalaxyDraw();
    QCOMPARE(v.window.txtGame()->text(), QString());
  }

  // Five of Ann's bombs on one world: left, right, below, above, then on the world itself.
  void fiveOwnBombsOnOneWorld() {
    View v;
    Game& g = v.game;
    for (int j = 0; j < 5; ++j) g.ProxBombOwner[j] = 1, g.ProxBombWorld[j] = 3;
    g.WorldAngle[3] = 0;
    v.window.GalaxyDraw();
    const ViewSpot p = WorldScreenSpot(g, 3);
    const double sx = g.GalaxyScaleX, sy = g.GalaxyScaleY;
    const ViewSpot at[] = {
        {p.x - 20 * sx, p.y}, {p.x + 20 * sx, p.y}, {p.x, p.y + 20 * sy}, {p.x, p.y - 20 * sy}, p};
    for (const ViewSpot& b : at) QVERIFY(v.Near(b.x - 5, b.y, Seat(1)) && v.Near(b.x + 5, b.y, Seat(1)));
  }

  // The light redraw: cross marks on worlds learned in the last five turns, and the state it leaves.
  void cleanGalaxy() {
    View v;
    Game& g = v.game;
    g.GameYear = 1.0f + 10 * 0.05f;
    g.ScoutInfo[0][0][3] = 6, g.ScoutInfo[0][0][4] = 5;
    v.window.show();
    v.window.GalaxyDraw();
    QVERIFY(v.window.lblName(8)->isVisible());
    v.window.CleanGalaxy();
    QVERIFY(!v.window.lblName(8)->isVisible());
    const ViewSpot a = WorldScreenSpot(g, 3), b = WorldScreenSpot(g, 4);
    QCOMPARE(v.Pixel(a.x + 2, a.y - 2), Seat(1));
    QVERIFY(v.Pixel(b.x + 2, b.y - 2) != Seat(1));
    QVERIFY(v.Near(a.x + 5, a.y, kBlack));
    const GalaxyCanvas& c = v.window.canvas();
    QVERIFY(c.fillStyle == FillStyle::kTransparent);
    QVERIFY(c.lineStyle == LineStyle::kDash);
    QVERIFY(c.lineWidth == 1);
    QVERIFY(c.fillColour == 0);
  }

  // The paths of Ann's objects: her fleet's way to the meeting point in her colour and the olive
  // of a neutral target by turns, the target's orbit in its colour and black, a dot where they
  // meet; with fleets hidden also a filled ring round the target. Bob's object is not traced.
  void fleetPaths() {
    View v;
    Game& g = v.game;
    v.window.show();
    v.window.GalaxyDraw();
    const QImage plain = v.window.canvas().image().copy();
    v.window.FleetPathsDraw(-1);  // nothing of Ann's in flight: the view alone
    QCOMPARE(v.window.canvas().image(), plain);
    v.Launch(0, 1, 8, 3, 25, 10);
    v.Launch(1, 2, 9, 5, 30, 10);
    v.window.GalaxyDraw();
    const QImage drawn = v.window.canvas().image().copy();
    auto count = [](const QImage& im, const QColor& c) {
      int n = 0;
      for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) n += im.pixelColor(x, y) == c;
      return n;
    };
    v.window.FleetPathsDraw(1);
    const double left = g.FleetTimeLeft[0];
    const double a = g.WorldAngle[3] + left * 520 * g.WorldAngularSpeed[3];
    const double mx = g.GalaxyCenterX + g.WorldRadius[3] * std::cos(a) * g.GalaxyScaleX;
    const double my = g.GalaxyCenterY + g.WorldRadius[3] * std::sin(a) * g.GalaxyScaleY;
    QCOMPARE(v.Pixel(mx, my), Seat(1));
    const QImage& paths = v.window.canvas().image();
    QVERIFY(count(paths, Seat(1)) > count(drawn, Seat(1)) + 20);
    QVERIFY(count(paths, kOlive) > count(drawn, kOlive) + 20);
    QVERIFY(count(paths, kCyan) > count(drawn, kCyan) + 20);
    // Bob's object, picked by its number, is not Ann's to trace.
    v.window.FleetPathsDraw(2);
    QCOMPARE(v.window.canvas().image(), drawn);
    const ViewSpot target = WorldScreenSpot(g, 3);
    v.window.FleetPathsDraw(1);
    QVERIFY(v.Pixel(target.x + 8, target.y) != Seat(1));
    g.HideFleets = true;
    v.window.FleetPathsDraw(1);
    QCOMPARE(v.Pixel(target.x + 8, target.y), Seat(1));
    QVERIFY(v.Near(target.x + 13, target.y, kCyan));
  }

  // Floating labels: captions, and a second label at the same place one height higher.
  void floatingLabels() {
    View v;
    Game& g = v.game;
    v.window.show();
    v.Launch(0, 1, 8, 3, 25, 10), v.Launch(1, 1, 8, 3, 0, 10), v.Launch(2, 1, 8, 3, 7, 10);
    g.FleetTimeLeft[0] = 0.15, g.FleetTimeLeft[1] = 0.05, g.FleetTimeLeft[2] = 0;
    g.LabelIndex = 0;
    for (int s = 0; s < 3; ++s) v.window.ShowLabels(s, 300, 200);
    QCOMPARE(v.window.lblShips(0)->text(), QStringLiteral("25  (3 Turns)"));
    QCOMPARE(v.window.lblShips(1)->text(), QStringLiteral("1 Turn"));
    QCOMPARE(v.window.lblShips(2)->text(), QStringLiteral("7  (0 Turn)"));
    QCOMPARE(v.window.lblShipsCount(), 3);
    QCOMPARE(g.LabelIndex, 3);
    const ViewSpot p = ScreenSpot(g, {300, 200});
    QLabel* first = v.window.lblShips(0);
    QCOMPARE(first->y(), static_cast<int>(std::lround(p.y - first->height() - 5)));
    // A second object labelled at the same place with the same caption width is stacked above.
    g.FleetShips[1] = 25, g.FleetTimeLeft[1] = 0.15;
    g.LabelIndex = 1;
    v.window.ShowLabels(1, 300, 200);
    QCOMPARE(v.window.lblShips(1)->y(), first->y() - v.window.lblShips(1)->height());
    // An index beyond the loaded labels never reads past them.
    g.LabelIndex = 40;
    v.window.ShowLabels(0, 300, 200);
    QCOMPARE(v.window.lblShipsCount(), 4);
    QCOMPARE(g.LabelIndex, 4);
  }

  // The hover label: name in the owner's colour, italic on a named home world, above its world.
  void worldLabelAndSpreading() {
    View v;
    Game& g = v.game;
    v.window.show();
    v.window.DrawWorldLabel(8);
    QLabel* n = v.window.lblName(30);
    const ViewSpot h = WorldScreenSpot(g, 8);
    QVERIFY(n->isVisible());
    QVERIFY(n->font().italic());
    QVERIFY(n->text() == QStringLiteral("World8"));
    QCOMPARE(n->y() + n->height(), static_cast<int>(std::lround(h.y - 20)));
    v.window.DrawWorldLabel(3);
    QVERIFY(!n->font().italic());
    QCOMPARE(n->palette().color(QPalette::WindowText), kCyan);
    v.window.DrawWorldLabel(-1);  // no world: nothing changes
    v.window.DrawWorldLabel(29);
    QCOMPARE(n->text(), QStringLiteral("World3"));
    v.window.PlaceWorldNames();
    for (int w = 0; w < 12; ++w) QVERIFY(v.window.lblName(w)->isVisible());
  }

  // Controls the turn hides come back where the game shows them again; the announcement is
  // centred on the sun; the hourglass is shown.
  void controlsComeBack() {
    View v;
    Game& g = v.game;
    g.window.Visible = true;
    g.window.WorldLabelsVisible = g.window.SideControlsVisible = g.window.IndicatorsVisible = false;
    v.window.GalaxyDraw();
    v.window.Console();
    QVERIFY(g.window.WorldLabelsVisible);
    QVERIFY(g.window.SideControlsVisible);
    QVERIFY(g.window.IndicatorsVisible);
    g.window.lblPlanet = {"Ann's Turn", true, 2};
    g.window.MousePointer = kHourglassPointer;
    v.window.Refresh(Control::kLblPlanet);
    QLabel* p = v.window.lblPlanet();
    QVERIFY(p->isVisible());
    QVERIFY(p->text() == QStringLiteral("Ann's Turn"));
    QVERIFY(std::abs(p->geometry().center().x() - 509) <= 1);
    QVERIFY(std::abs(p->geometry().center().y() - 206) <= 1);
    QCOMPARE(v.window.cursor().shape(), Qt::WaitCursor);
  }

  // A centred notice framed by blanks keeps them on both sides: the label is as wide as the whole
  // line, trailing blanks included, and the words stand in its middle.
  void centredNoticesKeepTheirBlanks() {
    View v;
    Game& g = v.game;
    g.window.Visible = true;
    v.window.GalaxyDraw();
    const std::string line = "    There Are No Ships Nearby To World World3!    ";
    g.window.lblPlanet = {"\r\n" + line + "\r\n", true, 2};
    v.window.Refresh(Control::kLblPlanet);
    QLabel* p = v.window.lblPlanet();
    const QFontMetrics metrics(p->font());
    QVERIFY(p->width() >= metrics.horizontalAdvance(QString::fromStdString(line)));
    const QImage shot = p->grab().toImage();
    int left = shot.width(), right = -1;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (shot.pixelColor(x, y) != Qt::black) left = std::min(left, x), right = std::max(right, x);
    const int blanks = metrics.horizontalAdvance(QStringLiteral("    "));
    QVERIFY2(left >= blanks - 2 && shot.width() - 1 - right >= blanks - 2,
             qPrintable(QString("%1 %2 %3").arg(left).arg(right).arg(shot.width())));
    QVERIFY(std::abs(left - (shot.width() - 1 - right)) <= 2);
    QVERIFY(std::abs(p->geometry().center().x() - 509) <= 1);
  }

  // The battle panel shows what the game's panel holds; the strength bar splits at the ships left.
  void battlePanelAndStrengthBar() {
    View v;
    Game& g = v.game;
    g.window.Visible = true;
    g.window.battle.Label[1] = {"Ann", kPlayerColors[1]};
    g.window.battle.lblCurr[2] = {" 40", kPlayerColors[2]};
    v.window.Refresh(Control::kBattleFrames);
    QCOMPARE(v.window.panelLabel(1)->text(), QStringLiteral("Ann"));
    QCOMPARE(v.window.panelValue(4, 2)->text(), QStringLiteral(" 40"));
    QCOMPARE(v.window.panelLabel(3)->text(), QStringLiteral("Ships Started:"));
    QCOMPARE(v.window.fraTo()->geometry(), QRect(768, 416, 225, 65));
    v.window.DrawStrengthBar(400, kPlayerColors[1], kPlayerColors[2], true);
    QCOMPARE(v.Pixel(350, 480), Seat(1));
    QCOMPARE(v.Pixel(600, 480), Seat(2));
    QCOMPARE(v.Pixel(400, 480), kBlack);
    QCOMPARE(v.window.canvas().lineWidth, 1);
  }
};

ZARNATH_UI_SUITE(GalaxyViewTest, {"galaxy-view", 1024, 96});

}  // namespace zarnath::testing

#include "galaxy_view_test.moc"
