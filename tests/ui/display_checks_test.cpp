// The screen checks: the desktop's dots per inch at start-up and the width warning of the
// title window's buttons with its offer to switch the display.
#include <QTest>

#include "shell/resolution_check.h"
#include "shell/title_window.h"
#include "ui_fixture.h"
#include "ui_tests.h"

namespace zarnath::testing {

namespace {
const std::string kWidthWarning =
    "Zarnath Must Run At 1024 x 768 Or Higher Screen Resolution!\r\n"
    "Would You Like To Change Your Resolution Now?  Do Not Proceed If You\r\n"
    "Don't Know How To Change Your Screen Resolution Back!";

struct Title {
  ProgramFolderCopy folder;
  UiGame ui;
  DesktopDisplayModes modes;
  TitleWindow window{ui.game, ui.platform, modes};
  int ended = 0;
  int loadDialogs = 0;
  Title() {
    window.endProgram = [this] { ++ended; };
    window.showLoadDialog = [this] { ++loadDialogs; };
  }
};

// A display whose mode test gives a chosen answer; notes what was asked of it.
struct FakeModes : DisplayModes {
  int test = 0;
  int applied = 0, notified = 0, restarts = 0;
  double ScreenWidth() override { return 800; }
  int TestMode1024x768() override { return test; }
  void ApplyMode() override { ++applied; }
  void NotifyDisplayChanged() override { ++notified; }
  void RequestRestart() override { ++restarts; }
};
}  // namespace

// A desktop at 120 dots per inch: the message, then the end; no window, no sound.
class LargeFontsTest : public QObject {
  Q_OBJECT

 private slots:
  void theProgramEndsBeforeItsWindowIsShown() {
    QCOMPARE(qRound(DesktopDpi()), 120);
    QVERIFY(!IsNormalDpi());
    Title t;
    bool everShown = false;
    struct ShowWatch : QObject {
      bool* shown;
      explicit ShowWatch(bool* s) : shown(s) {}
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) *shown = true;
        return false;
      }
    } watch(&everShown);
    t.window.installEventFilter(&watch);
    QVERIFY(!t.window.Form_Load());
    QCOMPARE(t.ended, 1);
    QVERIFY(!everShown);
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.ui.platform.sounds.empty());
    QCOMPARE(t.ui.platform.boxes.size(), size_t{1});
    const auto& box = t.ui.platform.boxes[0];
    QCOMPARE(box.title, std::string("Zarnath"));
    QVERIFY(box.buttons == Buttons::kOk);
    QCOMPARE(box.text, std::string(kLargeFontsText));
    QVERIFY(box.text.rfind("This Game Can Not Be Run With Large Fonts!  ", 0) == 0);
    QCOMPARE(std::count(box.text.begin(), box.text.end(), '\n'), 3);
    QVERIFY(t.ui.game.CpuName[0].empty());
  }
};

// A screen 999 pixels wide: every title button asks; No goes on, Yes meets a desktop that
// cannot switch its mode and ends the program.
class NarrowScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void theScreenIs999PixelsWide() { QCOMPARE(DesktopDisplayModes().ScreenWidth(), 999.0); }

  void answeringNoLetsEachButtonGoOn() {
    Title t;
    QVERIFY(t.window.Form_Load());
    t.ui.platform.answers = {Answer::kNo, Answer::kNo, Answer::kNo};
    t.window.ImgStart_Click();
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 1);
    t.window.show();
    t.window.ImgLoad_Click();
    QCOMPARE(t.loadDialogs, 1);
    t.window.show();
    t.window.ImgHelp_Click();
    QCOMPARE(t.ui.platform.helpShown, 1);
    QCOMPARE(t.ui.platform.boxes.size(), size_t{3});
    for (const auto& box : t.ui.platform.boxes) {
      QCOMPARE(box.text, kWidthWarning);
      QCOMPARE(box.title, std::string("Zarnath Warning"));
      QVERIFY(box.buttons == Buttons::kYesNo);
    }
    QCOMPARE(t.ended, 0);
  }

  void answeringYesMeetsNotSupportedAndEnds() {
    Title t;
    QVERIFY(t.window.Form_Load());
    t.ui.platform.answers = {Answer::kYes};
    t.window.ImgStart_Click();
    QCOMPARE(t.ui.platform.boxes.size(), size_t{2});
    const auto& box = t.ui.platform.boxes[1];
    QCOMPARE(box.text, std::string("This mode not supported.  Please try to change resolution manually."));
    QCOMPARE(box.title, std::string("Screen Resolution"));
    QVERIFY(box.buttons == Buttons::kOk);
    QCOMPARE(t.ended, 1);
    // The button does nothing more: the title stays and no setup window opens.
    QVERIFY(t.window.isVisible());
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 0);
  }

  void loadStopsToo() {
    Title t;
    QVERIFY(t.window.Form_Load());
    t.ui.game.PlayerName[0] = "Vega";
    t.ui.platform.answers = {Answer::kYes};
    t.window.ImgLoad_Click();
    QCOMPARE(t.ended, 1);
    QCOMPARE(t.loadDialogs, 0);
    QCOMPARE(t.ui.game.PlayerName[0], std::string("Vega"));
  }
};

// A screen exactly 1000 pixels wide passes without a question.
class WideEnoughScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void noQuestionAt1000Pixels() {
    QCOMPARE(DesktopDisplayModes().ScreenWidth(), 1000.0);
    Title t;
    QVERIFY(t.window.Form_Load());
    t.window.ImgStart_Click();
    t.window.show();
    t.window.ImgHelp_Click();
    QVERIFY(t.ui.platform.boxes.empty());
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 1);
    QCOMPARE(t.ended, 0);
  }
};

// The switch's other answers, on a display that offers them.
class ChangeResolutionTest : public QObject {
  Q_OBJECT

 private slots:
  void aSwitchThatCanBeMadeNowEndsWithTheSuccessText() {
    UiGame ui;
    FakeModes modes;
    int ended = 0;
    ui.platform.answers = {Answer::kYes};
    QVERIFY(!CheckResolution(ui.platform, modes, [&] { ++ended; }));
    QCOMPARE(modes.applied, 1);
    QCOMPARE(modes.notified, 1);
    QCOMPARE(ended, 1);
    QCOMPARE(ui.platform.boxes.size(), size_t{2});
    QCOMPARE(ui.platform.boxes[1].text,
             std::string("Screen resolution changed successfully.  Please restart Zarnath."));
    QCOMPARE(ui.platform.boxes[1].title, std::string("Screen Resolution"));
  }

  void aRestartAnsweredYesLetsTheButtonGoOn() {
    UiGame ui;
    FakeModes modes;
    modes.test = 1;
    int ended = 0;
    ui.platform.answers = {Answer::kYes, Answer::kYes};
    QVERIFY(CheckResolution(ui.platform, modes, [&] { ++ended; }));
    QCOMPARE(modes.restarts, 1);
    QCOMPARE(modes.applied, 0);
    QCOMPARE(ended, 0);
    QCOMPARE(
        ui.platform.boxes[1].text,
        std::string(
            "You must restart your computer to apply these changes.\r\n\r\nDo you want to restart now?"));
    QVERIFY(ui.platform.boxes[1].buttons == Buttons::kYesNo);
  }

  void aRestartAnsweredNoEndsWithoutAChange() {
    UiGame ui;
    FakeModes modes;
    modes.test = 1;
    int ended = 0;
    ui.platform.answers = {Answer::kYes, Answer::kNo};
    QVERIFY(!CheckResolution(ui.platform, modes, [&] { ++ended; }));
    QCOMPARE(ended, 1);
    QCOMPARE(modes.applied + modes.restarts, 0);
  }

  void declinedWarningChangesNothing() {
    UiGame ui;
    FakeModes modes;
    ui.platform.answers = {Answer::kNo};
    QVERIFY(CheckResolution(ui.platform, modes, [] { QFAIL("ended"); }));
    QCOMPARE(modes.applied + modes.notified + modes.restarts, 0);
  }

  void theDesktopCannotSwitch() {
    QCOMPARE(DesktopDisplayModes().TestMode1024x768(), DesktopDisplayModes::kNotSupported);
  }
};

int RunLargeFontsTests(int argc, char** argv) {
  LargeFontsTest test;
  return QTest::qExec(&test, argc, argv);
}
int RunNarrowScreenTests(int argc, char** argv) {
  NarrowScreenTest test;
  return QTest::qExec(&test, argc, argv);
}
int RunWideEnoughScreenTests(int argc, char** argv) {
  WideEnoughScreenTest test;
  return QTest::qExec(&test, argc, argv);
}
int RunChangeResolutionTests(int argc, char** argv) {
  ChangeResolutionTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zarnath::testing

#include "display_checks_test.moc"
