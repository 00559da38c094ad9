// A hot-seat game of Ann and Bob at one computer in the real game window on the offscreen
// platform, with helpers that press the map at the worlds' computed pixels and click list rows as
// the pointer gives them.
#pragma once

#include <QListWidget>
#include <QMouseEvent>
#include <cmath>

#include "engine/game_start.h"
#include "model/travel_popup.h"
#include "model/travel_time.h"
#include "model/view_rules.h"
#include "net/lobby.h"
#include "shell/game_program.h"
#include "ui_fixture.h"

namespace zarnath::testing {

// Ann and Bob, two humans at one computer, on a seeded star system of twelve worlds; Ann's turn.
struct HotSeat {
  HotSeat() {
    platform.scripted = platform.muted = true;
    program.window.onEndProgram = [this] { ++ended; };
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(11);
    g.cosmetic.Seed(5);
    g.setup.txtPL = {"Ann", "Bob", "", ""};
    g.setup.chkAI = {0, 0, 0, 0};
    g.setup.txtPlanets = "12";
    imgStart_Click(g);
    g.SpeedGame = true;  // no animation pauses
    home = kHomeWorld0;
  }
  ~HotSeat() {
    platform.SetTimer(GameTimer::kAI, 0, false);
    platform.SetTimer(GameTimer::kTurn, 0, false);
  }
  WindowControls& controls() { return program.controls; }
  // A click on a row of a list box, as the pointer gives it.
  static void ClickRow(QListWidget* list, int row) {
    QVERIFY(list->isVisible() && row >= 0 && row < list->count());
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  }
  static int RowWithText(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->text() == text) return i;
    return -1;
  }
  static int RowWithCode(QListWidget* list, int code) {
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->data(Qt::UserRole).toInt() == code) return i;
    return -1;
  }
  static void Press(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }
  // The pixel of world w on the map (rounded to the nearest whole pixel).
  QPoint WorldPoint(int w) const {
    const ViewSpot p = WorldScreenSpot(g, w);
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
  }
  // A press on the map where the pointer would give it: to whatever widget stands there.
  void PressAt(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* under = program.window.childAt(at);
    QWidget* target = under ? under : &program.window;
    QTest::mouseClick(target, button, {}, target->mapFrom(&program.window, at));
  }
  void PressWorld(int w, Qt::MouseButton button = Qt::LeftButton) { PressAt(WorldPoint(w), button); }
  // Whether a press at world w's pixel reaches the map and finds w alone there.
  bool FreeOnMap(int w) const {
    const QPoint at = WorldPoint(w);
    for (int k = 0; k < g.WorldCount; ++k) {
      const QPoint o = WorldPoint(k);
      if (k != w && std::abs(o.x() - at.x()) < 12 && std::abs(o.y() - at.y()) < 12) return false;
    }
    return std::hypot(at.x() - g.GalaxyCenterX, at.y() - g.GalaxyCenterY) > 40;
  }
  // A world Ann's home world reaches, unowned, alone under its pixel.
  int Reachable() {
    for (int t = 0; t < g.WorldCount; ++t) {
      float years = 0, angle = 0;
      if (t == home || g.WorldOwner[t] != 0 || !FreeOnMap(t)) continue;
      DistCalc(g, home, t, years, angle, kLaunchStep);
      if (years < kUnreachableYears) return t;
    }
    return -1;
  }
  // On the map: the home world as the source, the target, then the popup's row with `code`.
  void SendFromHome(int target, int code) {
    QVERIFY(target >= 0);
    PressWorld(home);
    QCOMPARE(g.SelectedFrom, home);
    PressWorld(target);
    QCOMPARE(g.SelectedTo, target);
    QVERIFY(controls().lstMenu()->isVisible());
    ClickRow(controls().lstMenu(), RowWithCode(controls().lstMenu(), code));
  }

  ProgramFolderCopy folder;
  DesktopPlatform platform;
  GameProgram program{platform};
  Game& g = program.game;
  int home = 0;
  int ended = 0;
};

}  // namespace zarnath::testing
