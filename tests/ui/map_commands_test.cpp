// The game window's commands with real pointer events at the worlds' computed pixels: selecting on
// the map, the travel options popup, the truce refusal, the world panel's shield and gathering
// rows, the recall from the in-transit list and the world labels' presses.
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "commands/world_panel_commands.h"
#include "commands/world_switches.h"
#include "hot_seat.h"
#include "model/world_panel.h"

namespace zarnath::testing {

namespace {

// Every notice the message line showed, in order.
struct Notices {
  explicit Notices(HotSeat& h) {
    h.program.window.onRefresh = [this, &h](Control c) {
      if (c == Control::kTxtGame && !h.g.window.txtGame.Text.empty()) seen.push_back(h.g.window.txtGame.Text);
      if (c == Control::kLblPlanet && h.g.window.lblPlanet.Visible)
        reports.push_back(h.g.window.lblPlanet.Caption);
    };
  }
  std::vector<std::string> seen, reports;
};

}  // namespace

class MapCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  // A press on the home world selects it: its dot in Ann's colour and its row in the list; a press
  // 10 pixels beside a world misses it, 9.x pixels beside hits it.
  void aPressOnTheHomeWorldSelectsItAndTenPixelsOffMisses() {
    HotSeat h;
    QVERIFY(h.FreeOnMap(h.home));
    const ViewSpot p = WorldScreenSpot(h.g, h.home);
    const int y = static_cast<int>(std::lround(p.y));
    const int miss = static_cast<int>(std::ceil(p.x + 10));
    h.PressAt(QPoint(miss, y));
    QCOMPARE(h.g.SelectedFrom, -1);
    // The source's mark: its dot outlined in black over the world's centre, drawn on a view
    // without labels.
    const QRect centre(h.WorldPoint(h.home) - QPoint(4, 4), QSize(9, 9));
    const QImage before = h.program.window.canvas().image().copy(centre);
    auto blackPixels = [&] {
      int n = 0;
      const QImage& image = h.program.window.canvas().image();
      for (int dx = -4; dx <= 4; ++dx)
        for (int dy = -4; dy <= 4; ++dy) n += image.pixelColor(centre.center() + QPoint(dx, dy)) == Qt::black;
      return n;
    };
    const int blackBefore = blackPixels();
    h.PressAt(QPoint(miss - 1, y));
    QCOMPARE(h.g.SelectedFrom, h.home);
    QCOMPARE(h.controls().lstOwned()->currentRow(), 0);
    QVERIFY(h.program.window.canvas().image().copy(centre) != before);
    QVERIFY2(blackPixels() > blackBefore, qPrintable(QString("%1 %2").arg(blackPixels()).arg(blackBefore)));
    QVERIFY(!h.program.window.lblName(h.home)->isVisible());
    // A right press cancels the selection.
    h.PressWorld(h.home, Qt::RightButton);
    QCOMPARE(h.g.SelectedFrom, -1);
  }

  void theSunOpensTheStatusReport() {
    HotSeat h;
    h.PressAt(QPoint(static_cast<int>(h.g.GalaxyCenterX), static_cast<int>(h.g.GalaxyCenterY)));
    QLabel* report = h.program.window.lblPlanet();
    QVERIFY(report->isVisible());
    QVERIFY(report->text().contains("Ann Owns 1 World With"));
    // The next press on empty space hides it.
    h.PressAt(QPoint(5, 300));
    QVERIFY(!report->isVisible());
  }

  // Five ships and no bombs: the title, the distance, the scout advice, all, the four shares and
  // the scout, 20 px for the first row and 14 for each further one, opening towards the sun.
  void theSecondPressOpensThePopupWithItsRows() {
    HotSeat h;
    h.g.WorldShips[8] = 5, h.g.WorldBombs[8] = 0;
    h.program.window.Console();
    const int target = h.Reachable();
    QVERIFY(target >= 0);
    h.PressWorld(h.home);
    h.PressWorld(target);
    QListWidget* menu = h.controls().lstMenu();
    QVERIFY(menu->isVisible());
    const std::string to = " To " + h.g.WorldName[target], from = " From World " + h.g.WorldName[8];
    const std::vector<std::pair<std::string, int>> rows = {
        {" WORLD TRAVEL OPTIONS ", kMenuInert},
        {" - Distance Between Worlds:  ", kMenuDistance},
        {" - Ships Needed To Take Over World:  Send Scout", kMenuSendScout},
        {" - Send 5 Ships" + from + to, kMenuSendAll},
        {" - Send 4 Ships" + from + to, kMenuSend75},
        {" - Send 3 Ships" + from + to, kMenuSend50},
        {" - Send 2 Ships" + from + to, kMenuSend25},
        {" - Send 1 Ship" + from + to, kMenuSend10},
        {" - Send A Scout" + from + to, kMenuSendScout},
    };
    QCOMPARE(menu->count(), static_cast<int>(rows.size()));
    for (int i = 0; i < menu->count(); ++i) {
      QVERIFY2(
          menu->item(i)->text().startsWith(QString::fromLatin1(rows[static_cast<size_t>(i)].first.c_str())),
          qPrintable(menu->item(i)->text()));
      QCOMPARE(menu->item(i)->data(Qt::UserRole).toInt(), rows[static_cast<size_t>(i)].second);
    }
    QCOMPARE(menu->height(), 20 + 14 * 8);
    QVERIFY(menu->width() >= 280);
    const ViewSpot p = WorldScreenSpot(h.g, target);
    const double left = p.x > h.g.GalaxyCenterX ? p.x - menu->width() : p.x;
    const double top = p.y > h.g.GalaxyCenterY ? p.y - menu->height() : p.y;
    QCOMPARE(menu->x(), static_cast<int>(std::lround(left)));
    QCOMPARE(menu->y(), static_cast<int>(std::lround(top)));
    // The title row is inert; the 50 percent row sends three ships.
    HotSeat::ClickRow(menu, 0);
    QVERIFY(menu->isVisible());
    HotSeat::ClickRow(menu, 5);
    QVERIFY(!menu->isVisible());
    QCOMPARE(h.g.FleetShips[0], 3.0f);
    QCOMPARE(h.g.FleetTo[0], target + 1);
  }

  // While the battle truce runs, Bob's world is refused as a target with the turns it still runs.
  void theTruceRefusesBobsWorld() {
    HotSeat h;
    const int bob = kHomeWorld0 + 1;
    QVERIFY(h.FreeOnMap(bob));
    Notices n(h);
    for (auto [until, text] :
         {std::pair{1, "    Battle Truce Ends Next Turn    "}, {3, "    Battle Truce Ends In 3 Turns    "}}) {
      h.g.TruceUntilTurn = static_cast<int16_t>(until);
      n.reports.clear();
      h.PressWorld(h.home);
      QCOMPARE(h.g.SelectedFrom, h.home);
      h.PressWorld(bob);
      QCOMPARE(n.reports, std::vector<std::string>{"\r\n" + std::string(text) + "\r\n"});
      QVERIFY(h.g.SelectedFrom == -1 && h.g.SelectedTo == -1);
      QVERIFY(!h.controls().lstMenu()->isVisible() && !h.program.window.lblPlanet()->isVisible());
    }
    // Without the truce the popup opens.
    h.g.TruceUntilTurn = 0;
    h.PressWorld(h.home);
    h.PressWorld(bob);
    QVERIFY(h.controls().lstMenu()->isVisible());
  }

  // A right press opens the home world's panel; its shield row switches the shield, says so and
  // rewrites itself.
  void theShieldRowTogglesWithItsNotice() {
    HotSeat h;
    Notices n(h);
    h.PressWorld(h.home, Qt::RightButton);
    QListWidget* panel = h.controls().lstInfo();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->item(kPanelShieldRow)->data(Qt::UserRole).toInt(), kPanelShield);
    for (int on : {1 - h.g.WorldShieldOn[8], static_cast<int>(h.g.WorldShieldOn[8])}) {
      n.seen.clear();
      HotSeat::ClickRow(panel, kPanelShieldRow);
      QCOMPARE(static_cast<int>(h.g.WorldShieldOn[8]), on);
      QCOMPARE(panel->item(kPanelShieldRow)->text(),
               on ? QStringLiteral(" - Shield: On") : QStringLiteral(" - Shield: Off"));
      QCOMPARE(n.seen, std::vector<std::string>{ShieldNotice(h.g, 8)});
      QVERIFY(panel->isVisible() && !h.g.InputBusy);
    }
  }

  // Gather Nearest Ships on the home world: every own world with ships that is not excluded sends
  // all of them, the nearest first.
  void gatheringSendsFromTheNearestWorldsFirst() {
    HotSeat h;
    h.g.setup.txtOp[2] = "1000";  // every world within range
    const std::vector<int> own = {0, 1, 2, 3};
    for (int w : own) h.g.WorldOwner[w] = 1, h.g.WorldShips[w] = 10;
    h.g.WorldNoGather[2] = true;
    h.program.window.Console();
    h.PressWorld(h.home, Qt::RightButton);
    QListWidget* panel = h.controls().lstInfo();
    QVERIFY(panel->isVisible());
    h.platform.pauses.clear();
    HotSeat::ClickRow(panel, HotSeat::RowWithCode(panel, kPanelNearestShips));
    QVERIFY(!panel->isVisible() && !h.g.InputBusy);
    // Each of the three sends is previewed for half a second, once.
    QCOMPARE(std::count(h.platform.pauses.begin(), h.platform.pauses.end(), 500), 3);
    std::vector<int> sources;
    for (int s = 0; s < 10 && h.g.FleetFrom[s] != 0; ++s) {
      QCOMPARE(h.g.FleetTo[s], h.home + 1);
      QCOMPARE(h.g.FleetShips[s], 10.0f);
      if (s > 0) QVERIFY(h.g.FleetTripTime[s - 1] <= h.g.FleetTripTime[s]);
      sources.push_back(h.g.FleetFrom[s] - 1);
    }
    std::sort(sources.begin(), sources.end());
    QCOMPARE(sources, (std::vector<int>{0, 1, 3}));
    QCOMPARE(h.g.WorldShips[2], 10.0f);
  }

  // A recall answered Yes gives the ships back and frees the slot; answered No it shows the path.
  void aRecallRefundsOrShowsThePath() {
    HotSeat h;
    h.g.WorldShips[8] = 5;
    h.program.window.Console();
    const int target = h.Reachable();
    h.SendFromHome(target, kMenuSend50);
    QCOMPARE(h.g.WorldShips[8], 2.0f);
    h.platform.answers = {Answer::kYes};
    HotSeat::ClickRow(h.controls().lstTravel(), 0);
    QCOMPARE(h.platform.boxes.back().text, std::string("Do You Want to Recall This Traveling Fleet?"));
    QCOMPARE(h.g.WorldShips[8], 5.0f);
    QCOMPARE(h.g.FleetFrom[0], 0);
    QCOMPARE(h.controls().lstTravel()->item(0)->text(), QStringLiteral("None"));

    h.SendFromHome(target, kMenuSend50);
    h.g.TravelYears = 0;
    h.platform.answers = {Answer::kNo};
    const size_t boxes = h.platform.boxes.size();
    HotSeat::ClickRow(h.controls().lstTravel(), 0);
    QCOMPARE(h.platform.boxes.size(), boxes + 1);
    QCOMPARE(h.g.WorldShips[8], 2.0f);
    QCOMPARE(h.g.FleetFrom[0], h.home + 1);
    QCOMPARE(h.g.TravelYears, static_cast<float>(h.g.FleetTimeLeft[0]));
  }

  // Left and middle presses on a world's label switch its exclusion from gathering, a right press
  // its shield; the hover label lets presses through to the map.
  void labelPressesToggleExclusionAndShield() {
    HotSeat h;
    Notices n(h);
    h.program.window.GalaxyDraw();
    QLabel* label = h.program.window.lblName(h.home);
    QVERIFY(label->isVisible());
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(h.g.WorldNoGather[8]);
    QVERIFY(label->text().startsWith("["));
    QTest::mouseClick(label, Qt::MiddleButton, {}, QPoint(2, 2));
    QVERIFY(!h.g.WorldNoGather[8]);
    QCOMPARE(n.seen.back(), GatherNotice(h.g, 8));
    const int shield = h.g.WorldShieldOn[8];
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(2, 2));
    QCOMPARE(static_cast<int>(h.g.WorldShieldOn[8]), 1 - shield);
    QCOMPARE(n.seen.back(), ShieldNotice(h.g, 8));
    QVERIFY(h.program.window.lblName(30)->testAttribute(Qt::WA_TransparentForMouseEvents));
  }

  // With the world names shown, a label's press edits the name it shows: brackets for the
  // exclusion, " S" for a shield switched on; it never becomes the ship count.
  void labelPressesEditTheNamesShown() {
    HotSeat h;
    HotSeat::Press(h.controls().button(MainButton::kLabels));
    QVERIFY(h.controls().NamesShown());
    QLabel* label = h.program.window.lblName(h.home);
    const QString name = QString::fromStdString(h.g.WorldName[h.home]);
    QCOMPARE(label->text(), name);
    const int right = label->geometry().right();
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(label->text(), "[" + name + "]");
    // A name standing left of its world grows leftwards, away from the world.
    if (label->alignment() & Qt::AlignRight) QCOMPARE(label->geometry().right(), right);
    const int shield = h.g.WorldShieldOn[h.home];
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(2, 2));
    QCOMPARE(label->text(), shield == 0 ? "[" + name + " S]" : "[" + name + "]");
    QTest::mouseClick(label, Qt::MiddleButton, {}, QPoint(2, 2));
    QCOMPARE(label->text(), shield == 0 ? name + " S" : name);
    QVERIFY(h.controls().NamesShown());
  }

  // A press on an own proximity bomb shows its threshold in the next free floating label: the
  // label over an object in flight keeps its caption.
  void aBombsThresholdTakesTheNextFreeFloatingLabel() {
    HotSeat h;
    h.g.FleetFrom[0] = 9, h.g.FleetTo[0] = 1, h.g.FleetOwner[0] = 1, h.g.FleetShips[0] = 12;
    h.g.FleetTripTime[0] = 0.5f, h.g.FleetTimeLeft[0] = 0.5;
    h.g.LabelIndex = 0;
    h.program.window.ShowLabels(0, h.g.GalaxyCenterX, h.g.GalaxyCenterY - 150);
    QCOMPARE(h.g.LabelIndex, 1);
    const QString fleetCaption = h.program.window.lblShips(0)->text();
    // A bomb left of a world, where no world and not the sun lies under it.
    QPoint at;
    int b = -1;
    for (int w = 0; w < h.g.WorldCount && b < 0; ++w) {
      const ViewSpot p = WorldScreenSpot(h.g, w);
      const QPointF bomb(p.x - 20 * h.g.GalaxyScaleX, p.y);
      bool clear = std::hypot(bomb.x() - h.g.GalaxyCenterX, bomb.y() - h.g.GalaxyCenterY) > 40;
      for (int k = 0; k < h.g.WorldCount; ++k) {
        const ViewSpot o = WorldScreenSpot(h.g, k);
        if (std::abs(o.x - bomb.x()) < 14 && std::abs(o.y - bomb.y()) < 14) clear = false;
      }
      if (clear) b = w, at = bomb.toPoint();
    }
    QVERIFY(b >= 0);
    h.g.ProxBombOwner[0] = 1, h.g.ProxBombWorld[0] = static_cast<float>(b), h.g.ProxBombThreshold[0] = 25;
    h.PressAt(at);
    QCOMPARE(h.program.window.lblShips(0)->text(), fleetCaption);
    QVERIFY(h.program.window.lblShipsCount() >= 2);
    QLabel* threshold = h.program.window.lblShips(1);
    QCOMPARE(threshold->text(), QStringLiteral("Ship Threshold: 25"));
    QVERIFY(threshold->isVisible());
    QVERIFY(std::abs(threshold->geometry().right() + 1 - (at.x() - 9)) <= 1);
    QCOMPARE(h.g.LabelIndex, 1);
  }

  // A click on an owned world's row points the world out with the hover label; a double click
  // switches its shield.
  void theOwnedRowsPointOutAndSwitchShields() {
    HotSeat h;
    QListWidget* owned = h.controls().lstOwned();
    HotSeat::ClickRow(owned, 0);
    QLabel* hover = h.program.window.lblName(30);
    QVERIFY(hover->isVisible());
    QCOMPARE(hover->text(), QString::fromStdString(h.g.WorldName[8]));
    QCOMPARE(h.g.SelectedFrom, -1);
    const int shield = h.g.WorldShieldOn[8];
    QTest::mouseDClick(owned->viewport(), Qt::LeftButton, {}, owned->visualItemRect(owned->item(0)).center());
    QCOMPARE(static_cast<int>(h.g.WorldShieldOn[8]), 1 - shield);
  }

  // A middle press on an own world shows the travel turns from it beside every other world.
  void aMiddlePressShowsTheDistancesFromTheWorld() {
    HotSeat h;
    h.PressWorld(h.home, Qt::MiddleButton);
    QVERIFY(h.program.window.lblPlanet()->isVisible());
    QVERIFY(
        h.program.window.lblPlanet()->text().contains("From " + QString::fromStdString(h.g.WorldName[8])));
    for (int w = 0; w < h.g.WorldCount; ++w) {
      QLabel* l = h.program.window.lblName(w);
      QVERIFY(l->isVisible());
      if (w != h.home) QVERIFY(l->text().startsWith(QString::fromStdString(h.g.WorldName[w]) + ": "));
      // Each label stands beside its world's row of pixels (the spreading may move it a little).
      QVERIFY(std::abs(l->y() + 7 - h.WorldPoint(w).y()) < 40);
    }
    QVERIFY(!h.g.InputBusy && h.g.SelectedFrom == -1);
  }
};

ZARNATH_UI_SUITE(MapCommandsTest, {"map-commands", 1024, 96});

}  // namespace zarnath::testing

#include "map_commands_test.moc"
