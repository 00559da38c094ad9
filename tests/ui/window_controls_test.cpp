// The game window's controls on the offscreen platform, driven by real widget events: a hot-seat
// game of Ann and Bob at one computer, played on the map, from the popup, the lists and the buttons.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <cstdio>

#include "engine/turn.h"
#include "hot_seat.h"
#include "model/numbers.h"
#include "model/travel_calc.h"
#include "model/travel_time.h"
#include "net/lobby.h"
#include "shell/game_program.h"
#include "shell/saved_game_dialog.h"
#include "window/proximity_window.h"

namespace zarnath::testing {

namespace {

QStyleOptionSlider BarOption(const QScrollBar* bar) {
  QStyleOptionSlider opt;
  opt.initFrom(bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = bar->orientation();
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = bar->sliderPosition();
  opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  opt.upsideDown = bar->invertedAppearance();
  return opt;
}

// Where the style draws a scroll bar's arrow (SC_ScrollBarSubLine, the upper one, or
// SC_ScrollBarAddLine) and its thumb.
QRect ArrowRect(const QScrollBar* bar, QStyle::SubControl arrow) {
  const QStyleOptionSlider opt = BarOption(bar);
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, arrow, bar);
}
QRect SliderRect(const QScrollBar* bar) {
  return ArrowRect(bar, QStyle::SC_ScrollBarSlider);
}

// A press on a scroll bar's arrow with the pointer, released at once or after `holdMs`.
void PressArrow(QScrollBar* bar, QStyle::SubControl arrow, int holdMs = 0) {
  const QPoint at = ArrowRect(bar, arrow).center();
  QTest::mousePress(bar, Qt::LeftButton, {}, at);
  if (holdMs > 0) QTest::qWait(holdMs);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
}

// The proximity dialog's bar stands with the count's top end at its top: the count a bar shows,
// and moving the thumb to a count.
int BarCount(const QScrollBar* bar) {
  return bar->minimum() + bar->maximum() - bar->value();
}
void SetBarCount(QScrollBar* bar, int count) {
  bar->setValue(bar->minimum() + bar->maximum() - count);
}

// A double-click as the desktop gives it: a press and a release, then a double-click in place of
// the second press, and its release.
void DoubleClick(QWidget* w, QPoint at) {
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
  QMouseEvent second(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(w, &second);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

}  // namespace

class WindowControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void sidePanesShowTheCurrentPlayersWorldsAndNothingInFlight() {
    HotSeat h;
    WindowControls& c = h.controls();
    QVERIFY(h.program.window.isVisible());
    QCOMPARE(h.g.CurrentPlayer, 0);
    QVERIFY(c.lstOwned()->isVisible() && c.txtOwned()->isVisible() && c.lstTravel()->isVisible());
    QCOMPARE(c.txtOwned()->text(), QString::fromLatin1(kOwnedHeader));
    QCOMPARE(c.lstOwned()->count(), 1);
    QVERIFY(c.lstOwned()->item(0)->text().startsWith("  " + QString::fromStdString(h.g.WorldName[8])));
    QCOMPARE(c.lstOwned()->item(0)->data(Qt::UserRole).toInt(), 8);
    QCOMPARE(c.lstTravel()->count(), 1);
    QCOMPARE(c.lstTravel()->item(0)->text(), QStringLiteral("None"));
    QCOMPARE(c.lstOwned()->currentRow(), -1);
    // Bombs held show the indicator and the count; none hides both.
    h.g.WorldBombs[8] = 3;
    h.program.window.Console();
    QVERIFY(c.ImgBomb()->isVisible() && c.LblBomb()->isVisible());
    QCOMPARE(c.LblBomb()->text(), QStringLiteral("3"));
    QVERIFY(c.lstOwned()->item(0)->text().endsWith(" BBB"));
    h.g.WorldBombs[8] = 0;
    h.g.InputBusy = true;  // the indicators stay hidden while input is busy
    h.g.HasCrystal[0] = 1;
    h.program.window.Console();
    QVERIFY(!c.ImgBomb()->isVisible() && !c.ImgCrystal()->isVisible() && c.lstOwned()->isVisible());
    h.g.InputBusy = false;
    h.program.window.Console();
    QVERIFY(c.ImgCrystal()->isVisible());
  }

  // Half of five ships is three (rounded up): two stay, and the list names the three on their way.
  void aFiftyPercentSendFromFiveShipsLeavesTwo() {
    HotSeat h;
    h.g.WorldShips[8] = 5;
    h.program.window.Console();
    const int target = h.Reachable();
    QVERIFY(target >= 0);
    h.SendFromHome(target, kMenuSend50);
    QCOMPARE(h.g.WorldShips[8], 2.0f);
    QCOMPARE(h.g.FleetShips[0], 3.0f);
    QVERIFY(!h.controls().lstMenu()->isVisible());
    QVERIFY(h.controls().lstTravel()->item(0)->text().startsWith(
        " 3 Ships Will Reach World " + QString::fromStdString(h.g.WorldName[target]) + " in "));
    QCOMPARE(h.controls().lstTravel()->item(0)->data(Qt::UserRole).toInt(), 0);
    QVERIFY(h.g.SelectedFrom == -1 && h.g.SelectedTo == -1 && !h.g.InputBusy);
    // The end of a turn highlights the first row without running its command.
    int commands = 0;
    h.controls().onTravelRowClicked = [&](int) { ++commands; };
    h.program.window.SelectFirstTravelRow();
    QCOMPARE(h.controls().lstTravel()->currentRow(), 0);
    QCOMPARE(commands, 0);
  }

  // Every row of the objects in flight shows whole, arrival time included, in the lists' bold
  // 8.25-point Arial, also beside the scroll bar that eleven rows bring; the owned worlds' header
  // shows whole too.
  void theRowsInFlightShowWhole() {
    HotSeat h;
    WindowControls& c = h.controls();
    h.g.WorldName[5] = "Promethei";  // the longest name of the star systems
    for (int s = 0; s < 12; ++s) {
      h.g.FleetFrom[s] = 9, h.g.FleetTo[s] = 6, h.g.FleetOwner[s] = 1;
      h.g.FleetShips[s] = s % 3 == 0 ? 10050.0f : s % 3 == 1 ? 9998.0f : 0.0f;
      h.g.FleetTripTime[s] = 4.96f, h.g.FleetTimeLeft[s] = 4.96 - s / 520.0;
    }
    h.program.window.Console();
    QListWidget* list = c.lstTravel();
    QCOMPARE(list->count(), 12);
    QVERIFY(list->item(0)->text().endsWith(" in 100 Turns"));
    QCOMPARE(list->font().family(), QStringLiteral("Arial"));
    QVERIFY(list->font().pointSizeF() == 8.25 && list->font().bold());
    QTRY_VERIFY(list->verticalScrollBar()->isVisible());
    const QFontMetrics metrics(list->font());
    for (int row = 0; row < list->count(); ++row) {
      const QString text = list->item(row)->text();
      QVERIFY2(list->visualItemRect(list->item(row)).left() + 2 + metrics.horizontalAdvance(text) <=
                   list->viewport()->width(),
               qPrintable(text));
    }
    QVERIFY(list->geometry().right() < h.program.window.width());
    QVERIFY(!list->geometry().intersects(c.lstOwned()->geometry()));
    const QFontMetrics header(c.txtOwned()->font());
    QVERIFY(header.horizontalAdvance(c.txtOwned()->text()) + 4 <= c.txtOwned()->width());
  }

  // A refused launch says why in the notice line: a bomb from a world without one.
  void aRefusedSendSaysWhy() {
    HotSeat h;
    h.g.WorldBombs[8] = 1;
    h.program.window.Console();
    std::string notice;
    h.program.window.onRefresh = [&](Control c) {
      if (c == Control::kTxtGame && !h.g.window.txtGame.Text.empty()) notice = h.g.window.txtGame.Text;
    };
    // The bomb leaves the world while the popup is open.
    const int target = h.Reachable();
    h.PressWorld(h.home);
    h.PressWorld(target);
    h.g.WorldBombs[8] = 0;
    HotSeat::ClickRow(h.controls().lstMenu(), HotSeat::RowWithCode(h.controls().lstMenu(), kMenuSendBomb));
    QCOMPARE(QString::fromStdString(notice),
             QString::fromStdString("- No Bomb Left On World " + h.g.WorldName[8] + "! -"));
    QVERIFY(h.g.FleetFrom[0] == 0 && h.g.window.txtGame.Text.empty());
  }

  void theProximityDialogOpensFiltersStepsAndSets() {
    HotSeat h;
    h.g.WorldShips[8] = 120, h.g.WorldBombs[8] = 2;
    h.program.window.Console();
    const int target = h.Reachable();
    h.SendFromHome(target, kMenuSetProximity);
    ProximityWindow* d = h.controls().frmProximity();
    QVERIFY(d->isVisible());
    QCOMPARE(d->windowTitle(), QStringLiteral("Set Proximity Bomb"));
    QCOMPARE(d->Label1()->text(), QStringLiteral("Ship Threshold of Bomb"));
    // The first opening: the count without its blank, the bar at it, the arrow step 5.
    QCOMPARE(d->Text1()->text(), QStringLiteral("120"));
    QCOMPARE(BarCount(d->VScroll1()), 120);
    QCOMPARE(d->VScroll1()->singleStep(), 5);
    QCOMPARE(d->VScroll1()->maximum(), 9998);
    // The dialog takes the keyboard with the preset selected.
    QTRY_COMPARE(QGuiApplication::focusWindow(), d->windowHandle());
    QCOMPARE(d->focusWidget(), d->Text1());
    QCOMPARE(d->Text1()->selectedText(), QStringLiteral("120"));
    // Letters and Backspace change nothing (Enter presses Set); a fifth character cannot be typed.
    QTest::keyClicks(d->Text1(), "x");
    QTest::keyClick(d->Text1(), Qt::Key_Backspace);
    QCOMPARE(d->Text1()->text(), QStringLiteral("120"));
    QTest::keyClick(d->Text1(), Qt::Key_End);
    QTest::keyClicks(d->Text1(), "78");
    QCOMPARE(d->Text1()->text(), QStringLiteral("1207"));
    QCOMPARE(h.controls().proximity().text, std::string("1207"));
    // The up arrow raises the count by its step, the down arrow lowers it; the step follows the
    // count.
    PressArrow(d->VScroll1(), QStyle::SC_ScrollBarSubLine);
    QCOMPARE(h.controls().proximity().value, 125);
    QCOMPARE(d->Text1()->text(), QStringLiteral(" 125"));
    for (int i = 0; i < 3; ++i) PressArrow(d->VScroll1(), QStyle::SC_ScrollBarAddLine);
    QCOMPARE(d->Text1()->text(), QStringLiteral(" 110"));
    for (auto [value, step] : {std::pair{500, 10}, {499, 5}, {99, 1}, {100, 5}}) {
      SetBarCount(d->VScroll1(), value);
      QCOMPARE(d->VScroll1()->singleStep(), step);
      QCOMPARE(d->Text1()->text(), " " + QString::number(value));
    }
    // Set with 25: a proximity bomb of threshold 25 leaves, the dialog closes. A fifth digit
    // typed over a selection replaces it.
    d->Text1()->selectAll();
    QTest::keyClicks(d->Text1(), "25");
    QTest::mouseClick(d->ImgSet(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(h.g.FleetShips[0], 10025.0f);
    QCOMPARE(h.g.WorldBombs[8], 1);
    QVERIFY(!d->isVisible() && h.g.ProxFrom == -1);
    // A later opening writes the count through the bar, with its blank.
    h.g.WorldShips[8] = 40;
    h.SendFromHome(target, kMenuSetProximity);
    QCOMPARE(d->Text1()->text(), QStringLiteral(" 40"));
    QCOMPARE(d->VScroll1()->singleStep(), 1);
    // The turn passing to Bob closes it; Set then sends nothing.
    QTest::mouseClick(h.controls().button(MainButton::kDone), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(h.g.CurrentPlayer, 1);
    QVERIFY(!d->isVisible());
  }

  // The four-character limit holds for typing only: the box shows whatever the game writes into
  // it, and typing over the preset replaces it.
  void theProximityBoxShowsWhatTheGameWritesWhole() {
    HotSeat h;
    h.g.WorldShips[8] = 150.5f, h.g.WorldBombs[8] = 3;
    h.program.window.Console();
    const int target = h.Reachable();
    h.SendFromHome(target, kMenuSetProximity);
    ProximityWindow* d = h.controls().frmProximity();
    QCOMPARE(d->Text1()->text(), QStringLiteral("150.5"));
    QTest::mouseClick(d->ImgSet(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(h.g.FleetShips[0], 10150.5f);
    // The bar at 1500: the box reads " 1500" and Set plants that threshold.
    h.SendFromHome(target, kMenuSetProximity);
    SetBarCount(d->VScroll1(), 1500);
    QCOMPARE(d->Text1()->text(), QStringLiteral(" 1500"));
    QTest::mouseClick(d->ImgSet(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(h.g.FleetShips[1], 11500.0f);
    // Reopened, the preset is selected again and "15" typed on the keyboard replaces it.
    h.SendFromHome(target, kMenuSetProximity);
    QTRY_COMPARE(QGuiApplication::focusWindow(), d->windowHandle());
    QCOMPARE(d->focusWidget(), d->Text1());
    QTest::keyClick(QGuiApplication::focusWindow(), '1');
    QTest::keyClick(QGuiApplication::focusWindow(), '5');
    QCOMPARE(d->Text1()->text(), QStringLiteral("15"));
    QTest::mouseClick(d->ImgSet(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(h.g.FleetShips[2], 10015.0f);
  }

  // Held down, the up arrow keeps raising the count and the down arrow keeps lowering it, down
  // to the bar's bottom end; the count at the top end stands at the bar's top.
  void theProximityArrowsHeldDownRaiseAndLowerTheCount() {
    HotSeat h;
    h.g.WorldShips[8] = 10, h.g.WorldBombs[8] = 1;
    h.program.window.Console();
    h.SendFromHome(h.Reachable(), kMenuSetProximity);
    ProximityWindow* d = h.controls().frmProximity();
    const ProximityDialog& p = h.controls().proximity();
    QCOMPARE(p.value, 10);
    PressArrow(d->VScroll1(), QStyle::SC_ScrollBarSubLine, 1500);
    const int raised = p.value;
    QVERIFY2(raised > 20, qPrintable(QString::number(raised)));
    QCOMPARE(d->Text1()->text(), " " + QString::number(raised));
    PressArrow(d->VScroll1(), QStyle::SC_ScrollBarAddLine, 3000);
    QCOMPARE(p.value, 0);
    QCOMPARE(d->Text1()->text(), QStringLiteral(" 0"));
    SetBarCount(d->VScroll1(), 9998);
    QCOMPARE(p.value, 9998);
    QCOMPARE(SliderRect(d->VScroll1()).top(),
             ArrowRect(d->VScroll1(), QStyle::SC_ScrollBarSubLine).bottom() + 1);
    // Escape closes the dialog as its close box does, sending nothing.
    QTRY_COMPARE(QGuiApplication::focusWindow(), d->windowHandle());
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
    QVERIFY(!d->isVisible() && !h.g.window.ProximityDialogVisible && h.g.ProxFrom == -1);
    QCOMPARE(h.g.FleetFrom[0], 0);
    QCOMPARE(h.g.WorldBombs[8], 1);
    // Enter presses Set.
    h.SendFromHome(h.Reachable(), kMenuSetProximity);
    QTRY_COMPARE(QGuiApplication::focusWindow(), d->windowHandle());
    QTest::keyClick(QGuiApplication::focusWindow(), '7');
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
    QVERIFY(!d->isVisible());
    QCOMPARE(h.g.FleetShips[0], 10007.0f);
    QCOMPARE(h.g.WorldBombs[8], 0);
  }

  // The keypad's Enter presses Set as Return does: typed in the count box, or given to the dialog
  // itself.
  void theKeypadEnterSetsTheProximityBomb() {
    HotSeat h;
    h.g.WorldShips[8] = 10, h.g.WorldBombs[8] = 2;
    h.program.window.Console();
    h.SendFromHome(h.Reachable(), kMenuSetProximity);
    ProximityWindow* d = h.controls().frmProximity();
    QTRY_COMPARE(QGuiApplication::focusWindow(), d->windowHandle());
    QTest::keyClicks(d->Text1(), "12");
    QTest::keyClick(d->Text1(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!d->isVisible() && !h.g.window.ProximityDialogVisible);
    QCOMPARE(h.g.FleetShips[0], 10012.0f);
    QCOMPARE(h.g.WorldBombs[8], 1);
    h.SendFromHome(h.Reachable(), kMenuSetProximity);
    QVERIFY(d->isVisible());
    QTest::keyClick(d, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!d->isVisible());
    QCOMPARE(h.g.FleetShips[1], 10010.0f);
    QCOMPARE(h.g.WorldBombs[8], 0);
  }

  // A second press on the home world whose radar saw an enemy offers its pulse row, which arms
  // the home world's bomb; armed, the world offers no bomb rows again.
  void thePulseRowArmsTheHomeWorldsBomb() {
    HotSeat h;
    h.g.WorldBombs[8] = 1;
    h.program.window.Console();
    h.PressWorld(h.home);
    QCOMPARE(h.g.SelectedFrom, h.home);
    h.g.RadarSeen[0] = 1;
    h.PressWorld(h.home);
    QListWidget* menu = h.controls().lstMenu();
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->count(), 2);
    HotSeat::ClickRow(menu, HotSeat::RowWithCode(menu, kMenuSetPulse));
    QCOMPARE(h.g.WorldType[8], kTypeArmedPulse);
    QCOMPARE(h.g.WorldBombs[8], 0);
    QVERIFY(h.g.PlayerLog[0].find("- Pulse Bomb Set On World " + h.g.WorldName[8] + "! -") !=
            std::string::npos);
    QVERIFY(!h.g.InputBusy && h.g.SelectedFrom == -1);
    h.PressWorld(h.home);
    h.PressWorld(h.home);
    QVERIFY(!menu->isVisible() && h.g.SelectedFrom == -1);
  }

  void labelsAndTravelToggleBackAndForth() {
    HotSeat h;
    WindowControls& c = h.controls();
    QLabel* first = h.program.window.lblName(0);
    h.platform.sounds.clear();
    HotSeat::Press(c.button(MainButton::kLabels));
    QCOMPARE(first->text(), QString::fromStdString(h.g.WorldName[0]));
    QVERIFY(first->isVisible());
    QVERIFY(c.NamesShown());
    HotSeat::Press(c.button(MainButton::kLabels));
    QVERIFY(!c.NamesShown());
    QCOMPARE(h.platform.sounds,
             (std::vector<std::string>{"click1.wav", "click2.wav", "click1.wav", "click2.wav"}));

    HotSeat::Press(c.button(MainButton::kTravel));
    QVERIFY(h.g.HideFleets);
    QCOMPARE(h.program.window.txtGame()->text(), QStringLiteral("- Traveling Fleets Now Off -"));
    QCOMPARE(h.g.menus.mnuOptionsFleets.Caption, std::string("Turn Traveling Fleets On"));
    HotSeat::Press(c.button(MainButton::kTravel));
    QVERIFY(!h.g.HideFleets);
    QCOMPARE(h.program.window.txtGame()->text(), QStringLiteral("- Traveling Fleets Now On -"));
    // While input is busy Travel shows no face, plays nothing and changes nothing; Labels only
    // redraws.
    h.platform.sounds.clear();
    h.g.InputBusy = true;
    QTest::mousePress(c.button(MainButton::kTravel), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!c.button(MainButton::kTravel)->isPressed());
    QTest::mouseRelease(c.button(MainButton::kTravel), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!h.g.HideFleets && h.platform.sounds.empty());
    HotSeat::Press(c.button(MainButton::kLabels));
    QVERIFY(!c.NamesShown());
    h.g.InputBusy = false;
    // With sound off the faces change silently.
    h.platform.sounds.clear();
    h.g.SoundOff = true;
    QTest::mousePress(c.button(MainButton::kHelp), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(c.button(MainButton::kHelp)->picture(), QStringLiteral("ddentbutt4.jpg"));
    QTest::mouseRelease(c.button(MainButton::kHelp), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(c.button(MainButton::kHelp)->picture().isEmpty());
    QVERIFY(h.platform.sounds.empty());
    QCOMPARE(h.platform.helpShown, 1);
  }

  void theLogBoxExpandsAndCollapses() {
    HotSeat h;
    QPlainTextEdit* box = h.program.window.txtMove();
    QCOMPARE(box->geometry(), QRect(250, 454, 518, 17));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(box->geometry(), QRect(250, 392, 518, 84));
    QVERIFY(!h.program.window.txtGame()->isVisible());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(box->geometry(), QRect(250, 454, 518, 17));
    QVERIFY(h.program.window.txtGame()->isVisible());
  }

  void minimisingPausesTheTurnTimer() {
    HotSeat h;
    SetSwitch(h.g, Switch::kTurnTimer, true);
    SetTurnTimer(h.g, 60000, true);
    h.program.window.showMinimized();
    QVERIFY(!h.platform.TimerEnabled(GameTimer::kTurn));
    h.program.window.showNormal();
    QVERIFY(h.platform.TimerEnabled(GameTimer::kTurn));
    // With the timer option off, the restore leaves it stopped.
    h.program.window.showMinimized();
    SetSwitch(h.g, Switch::kTurnTimer, false);
    h.program.window.showNormal();
    QVERIFY(!h.platform.TimerEnabled(GameTimer::kTurn));
  }

  // Minimised in a network game, the window takes its open save and load dialogs with it.
  void minimisingANetworkGameHidesTheFileDialogs() {
    HotSeat h;
    h.g.NetworkGame = true;
    h.g.Role = NetRole::kHost;
    h.program.dialogs.mnuFileSave_Click();
    QVERIFY(h.program.dialogs.saveDialog().isVisible());
    h.program.window.showMinimized();
    QVERIFY(!h.program.dialogs.saveDialog().isVisible());
    h.program.window.showNormal();
    h.program.dialogs.mnuFileLoad_Click();
    QVERIFY(h.program.dialogs.loadDialog().isVisible());
    h.program.window.showMinimized();
    QVERIFY(!h.program.dialogs.loadDialog().isVisible());
  }

  // Yes to the quit question while a turn resolves ends the program there and then: the rest of
  // the turn is not played out in a blank window (the game runs in a process of its own).
  void quittingWhileTheTurnResolvesEndsAtOnce() {
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("quit-while-resolving")});
    QVERIFY(child.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(child.readAll());
    QVERIFY2(out.contains(QStringLiteral("closing while the turn resolves")), qPrintable(out));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(out));
    QVERIFY2(!out.contains(QStringLiteral("Totals:")), qPrintable(out));
  }

  void quittingAsksFirst() {
    HotSeat h;
    h.platform.answers = {Answer::kNo, Answer::kNo, Answer::kYes};
    HotSeat::Press(h.controls().button(MainButton::kQuit));
    QCOMPARE(h.ended, 0);
    QVERIFY(!h.program.window.close());  // the close box, answered No
    QVERIFY(h.program.window.isVisible());
    HotSeat::Press(h.controls().button(MainButton::kQuit));
    QCOMPARE(h.ended, 1);
    QCOMPARE(h.platform.boxes.back().text, std::string("Are You Sure You Want To Quit?"));
    QCOMPARE(h.platform.boxes.back().title, std::string("Zarnath"));
  }

  void thePanelAndTheHistoryStandBesideTheirWorld() {
    HotSeat h;
    WindowControls& c = h.controls();
    c.WorldInfoShow(8);
    QVERIFY(c.lstInfo()->isVisible());
    QCOMPARE(c.lstInfo()->item(0)->text(), QStringLiteral(" - HOME WORLD - "));
    QCOMPARE(c.lstInfo()->item(0)->data(Qt::UserRole).toInt(), 9);
    QCOMPARE(c.lstInfo()->width(), 147);
    QCOMPARE(c.lstInfo()->visualItemRect(c.lstInfo()->item(1)).height(), 14);
    const int foreign = h.Reachable();
    c.WorldHistoryShow(foreign);
    QLabel* popup = h.program.window.lblPlanet();
    QVERIFY(popup->isVisible() && !c.lstInfo()->isVisible());
    QVERIFY(popup->text().startsWith(" - WORLD " + QString::fromStdString(h.g.WorldName[foreign]).toUpper()));
    QVERIFY(popup->text().contains("No History Currently Available!"));
    const ViewSpot p = WorldScreenSpot(h.g, foreign);
    const int left = p.x > h.g.GalaxyCenterX ? static_cast<int>(std::lround(p.x - popup->width()))
                                             : static_cast<int>(std::lround(p.x + 10));
    QCOMPARE(popup->x(), left);
    // The status report is centred on the sun again.
    HotSeat::Press(c.button(MainButton::kStatus));
    QVERIFY(popup->isVisible() && popup->text().contains("Ann Owns 1 World With"));
    QCOMPARE(popup->x(), static_cast<int>(h.g.GalaxyCenterX - popup->width() / 2.0));
  }

  // The world names that Labels shows stay under an open history popup, the world panel and the
  // travel options popup, and so does the pointer's world name.
  void worldNamesStayUnderPopupsAndPanels() {
    HotSeat h;
    WindowControls& c = h.controls();
    GalaxyWindow& window = h.program.window;
    auto under = [&window](const QWidget* top) {
      const QObjectList& order = window.children();
      QStringList over;
      for (int i = 0; i < kWorldSlots; ++i)
        if (window.lblName(i)->isVisible() && order.indexOf(window.lblName(i)) > order.indexOf(top))
          over << window.lblName(i)->text();
      return over;
    };
    c.WorldHistoryShow(h.Reachable());
    QLabel* popup = window.lblPlanet();
    QVERIFY(popup->isVisible());
    HotSeat::Press(c.button(MainButton::kLabels));
    QVERIFY(c.NamesShown() && popup->isVisible());
    QCOMPARE(under(popup), QStringList());
    h.PressWorld(h.home);
    h.PressWorld(h.Reachable());
    QVERIFY(c.lstMenu()->isVisible());
    HotSeat::Press(c.button(MainButton::kLabels));
    HotSeat::Press(c.button(MainButton::kLabels));
    QVERIFY(c.NamesShown());
    QCOMPARE(under(c.lstMenu()), QStringList());
    c.WorldInfoShow(8);
    window.DrawWorldLabel(8);
    QCOMPARE(under(c.lstInfo()), QStringList());
  }

  // Escape on the game window closes the travel options popup, dropping its pair of worlds, and
  // the world panel.
  void escapeClosesTheTravelPopupAndTheWorldPanel() {
    HotSeat h;
    WindowControls& c = h.controls();
    h.program.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.program.window));
    const int target = h.Reachable();
    h.PressWorld(h.home);
    h.PressWorld(target);
    QVERIFY(c.lstMenu()->isVisible());
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
    QVERIFY(!c.lstMenu()->isVisible());
    QVERIFY(h.g.SelectedFrom == -1 && h.g.SelectedTo == -1);
    h.PressWorld(target, Qt::RightButton);
    QVERIFY(c.lstInfo()->isVisible());
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
    QVERIFY(!c.lstInfo()->isVisible() && !h.g.window.lstInfoVisible);
  }

  // The calculator draws the fleet's trail on the view and reports the time over the sun.
  void theTravelCalculatorDrawsItsTrail() {
    HotSeat h;
    QImage during;
    QString report;
    h.program.window.onRefresh = [&](Control c) {
      if (c != Control::kLblPlanet || !during.isNull() ||
          !h.program.window.lblPlanet()->text().contains("The Travel Distance"))
        return;
      during = h.program.window.canvas().image().copy();
      report = h.program.window.lblPlanet()->text();
    };
    const int target = h.Reachable();
    h.SendFromHome(target, kMenuDistance);
    QVERIFY(report.contains("The Travel Distance Between Worlds"));
    QVERIFY(!h.program.window.lblPlanet()->isVisible());
    QVERIFY(h.g.SelectedFrom == -1 && !h.g.InputBusy);
    // Every segment of the fleet's trail in Ann's colour ends on a pixel of her colour.
    const TravelCalcPlan plan = PlanTravelCalc(h.g, h.home, target, h.g.TravelYears, h.g.TravelAngle);
    const QColor ann = GameColour(kPlayerColors[1]);
    int drawn = 0, found = 0;
    for (const TrailSegment& seg : plan.ship) {
      if (seg.colour != kPlayerColors[1]) continue;
      ++drawn;
      bool near = false;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          near = near || during.pixelColor(static_cast<int>(std::lround(seg.to.x)) + dx,
                                           static_cast<int>(std::lround(seg.to.y)) + dy) == ann;
      found += near;
    }
    QVERIFY(drawn > 0);
    QCOMPARE(found, drawn);
    QVERIFY(h.program.window.canvas().image() != during);  // the final redraw erases the picture
  }

  // A double-click on Done comes as a press, a release, a double-click and a release: one click.
  // Ann's double-click ends her turn only, and Bob's turn is shown.
  void aDoubleClickOnDoneEndsOneTurn() {
    HotSeat h;
    ImageButton* done = h.controls().button(MainButton::kDone);
    const QPoint at(5, 5);
    QTest::mousePress(done, Qt::LeftButton, {}, at);
    QTest::mouseRelease(done, Qt::LeftButton, {}, at);
    QCOMPARE(h.g.CurrentPlayer, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!h.g.InputBusy, 20000);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, done->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                       {});
    QApplication::sendEvent(done, &second);
    QTest::mouseRelease(done, Qt::LeftButton, {}, at);
    QTest::qWait(300);
    QCOMPARE(h.g.CurrentPlayer, 1);
    QCOMPARE(TurnNumber(h.g.GameYear), 0);
    QVERIFY2(h.program.window.windowTitle().endsWith("Turn #0:  Bob"),
             qPrintable(h.program.window.windowTitle()));
    // Bob's own click still ends his turn.
    HotSeat::Press(done);
    QTRY_VERIFY_WITH_TIMEOUT(TurnNumber(h.g.GameYear) == 1 && !h.g.InputBusy, 60000);
    QCOMPARE(h.g.CurrentPlayer, 0);
  }

  // A double-click on a button sounds as its click does, press and release, and its second release
  // clicks again; the second press shows no pressed face and plays nothing, and the action runs
  // once. With sound off, or on a button inert while input is busy, it is silent.
  void aDoubleClickOnAButtonClicksOnceAndReleasesTwice() {
    HotSeat h;
    WindowControls& c = h.controls();
    ImageButton* labels = c.button(MainButton::kLabels);
    QStringList faces;
    h.platform.onSound = [&](auto&) { faces << labels->picture(); };
    h.platform.sounds.clear();
    DoubleClick(labels, QPoint(5, 5));
    QCOMPARE(h.platform.sounds, (std::vector<std::string>{"click1.wav", "click2.wav", "click2.wav"}));
    QCOMPARE(faces, (QStringList{QStringLiteral("ddentbutt1.jpg"), QString(), QString()}));
    QVERIFY(c.NamesShown());  // one click: the names shown, not shown and hidden again
    QVERIFY(labels->picture().isEmpty() && !labels->isPressed());
    h.platform.onSound = nullptr;

    h.platform.sounds.clear();
    h.g.SoundOff = true;
    DoubleClick(labels, QPoint(5, 5));
    QVERIFY(!c.NamesShown());
    h.g.SoundOff = false;
    h.g.InputBusy = true;
    DoubleClick(c.button(MainButton::kTravel), QPoint(5, 5));
    QVERIFY(!h.g.HideFleets);
    h.g.InputBusy = false;
    QCOMPARE(h.platform.sounds, std::vector<std::string>{});
  }

  // Ann sends half her ships and presses Done; Bob presses Done; the turn resolves.
  void aHotSeatTurnIsPlayedOnTheMapAndTheButtons() {
    HotSeat h;
    WindowControls& c = h.controls();
    h.g.WorldShips[8] = 5;
    h.program.window.Console();
    const int target = h.Reachable();
    h.SendFromHome(target, kMenuSend50);
    QCOMPARE(h.g.FleetOwner[0], 1);
    c.WorldInfoShow(8);
    HotSeat::Press(c.button(MainButton::kDone));
    QCOMPARE(h.g.CurrentPlayer, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!h.g.InputBusy, 20000);
    // Bob's panes: his world, nothing of Ann's in flight, and Ann's panel closed.
    QCOMPARE(c.lstOwned()->item(0)->data(Qt::UserRole).toInt(), 9);
    QCOMPARE(c.lstTravel()->item(0)->text(), QStringLiteral("None"));
    QVERIFY(!c.lstInfo()->isVisible());
    HotSeat::Press(c.button(MainButton::kDone));
    QTRY_VERIFY_WITH_TIMEOUT(TurnNumber(h.g.GameYear) == 1 && !h.g.InputBusy, 60000);
    QVERIFY(h.program.window.windowTitle().contains("Turn #1"));
    QCOMPARE(h.g.CurrentPlayer, 0);
    QVERIFY(h.g.FleetTimeLeft[0] < h.g.FleetTripTime[0] || h.g.FleetFrom[0] == 0);
    QVERIFY(c.lstOwned()->isVisible());
  }
};

ZARNATH_UI_SUITE(WindowControlsTest, {"window-controls", 1024, 96});

// The game of the test above, in its own process: Ann hands the turn to Cal, a computer player,
// and the close box is answered Yes once input is locked for the computer's turn and the turn's
// resolution. The program should end there; a turn played out to its end fails.
class QuitWhileResolving : public QObject {
  Q_OBJECT

 private slots:
  void closeWhileTheTurnResolves() {
    ProgramFolderCopy folder;
    DesktopPlatform platform;
    platform.scripted = platform.muted = true;
    GameProgram program{platform};
    Game& g = program.game;
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(11);
    g.cosmetic.Seed(5);
    g.setup.txtPL = {"Ann", "Cal", "", ""};
    g.setup.chkAI = {0, 1, 0, 0};
    g.setup.txtPlanets = "12";
    imgStart_Click(g);
    g.SpeedGame = true;
    QVERIFY(program.window.isVisible() && g.CurrentPlayer == 0);
    bool closing = false;
    program.window.onRefresh = [&](Control) {
      if (closing || !g.InputBusy) return;
      closing = true;
      std::printf("closing while the turn resolves\n");
      std::fflush(stdout);
      QTimer::singleShot(0, &program.window, [&program] { program.window.close(); });
    };
    const float year = g.GameYear;
    program.controls.ImgDone_Click();
    QTRY_VERIFY_WITH_TIMEOUT(g.GameYear != year, 30000);
    platform.SetTimer(GameTimer::kAI, 0, false);
    platform.SetTimer(GameTimer::kTurn, 0, false);
    QFAIL("the turn was played out after the quit was answered Yes");
  }
};

ZARNATH_UI_SUITE(QuitWhileResolving, {"quit-while-resolving", 1024, 96});

}  // namespace zarnath::testing

#include "engine/menu_state.h"
#include "window_controls_test.moc"
