// The screen checks, each suite on the screen CTest sets up for it. The desktop cannot switch its
// display mode: Yes to the width warning meets "not supported".
#include "ui_fixture.h"

namespace zarnath::testing {
namespace {

const std::string kWidthWarning =
    "Zarnath Must Run At 1024 x 768 Or Higher Screen Resolution!\r\nWould You Like To Change Your Resolution "
    "Now?  Do Not Proceed If You\r\nDon't Know How To Change Your Screen Resolution Back!";

}  // namespace

// At 120 dots per inch: the message, then the end; no window, no sound.
class LargeFontsTest : public QObject {
  Q_OBJECT

 private slots:
  void largeFontsEndTheProgramBeforeItsWindowIsShown() {
    Title t(false);
    EventCount shows(&t.window, QEvent::Show);
    QVERIFY(!t.window.Form_Load());
    QCOMPARE(t.ended, 1);
    QCOMPARE(shows.count, 0);
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.ui.platform.sounds.empty());
    QCOMPARE(t.ui.platform.boxes.size(), size_t{1});
    const auto& box = t.ui.platform.boxes[0];
    QCOMPARE(box.title, std::string("Zarnath"));
    QVERIFY(box.buttons == Buttons::kOk);
    QCOMPARE(box.text, kLargeFontsText);
    QVERIFY(box.text.starts_with("This Game Can Not Be Run With Large Fonts!  "));
  }
};
ZARNATH_UI_SUITE(LargeFontsTest, {"large-fonts", 1024, 120});

class WidthWarningTest : public QObject {
  Q_OBJECT

 private slots:
  // 999 pixels: each title button asks; No goes on, Yes ends the program. 1000 pixels asks nothing.
  void theWidthWarning() {
    const bool narrow = DesktopDisplayModes().ScreenWidth() < 1000;
    QCOMPARE(DesktopDisplayModes().TestMode1024x768(), DesktopDisplayModes::kNotSupported);
    Title t;
    QVERIFY(t.loaded);
    t.ui.platform.answers = {Answer::kNo, Answer::kNo, Answer::kNo, Answer::kYes, Answer::kYes};
    t.window.ImgStart_Click(), t.window.show(), t.window.ImgLoad_Click(), t.window.show(),
        t.window.ImgHelp_Click();
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 1);
    QCOMPARE(t.loadDialogs, 1);
    QCOMPARE(t.ui.platform.helpShown, 1);
    QCOMPARE(t.ui.platform.boxes.size(), size_t{narrow ? 3u : 0u});
    for (const auto& box : t.ui.platform.boxes) {
      QCOMPARE(box.text, kWidthWarning);
      QCOMPARE(box.title, std::string("Zarnath Warning"));
      QVERIFY(box.buttons == Buttons::kYesNo);
    }
    if (!narrow) return;
    t.ui.game.PlayerName[0] = "Vega";
    t.window.ImgLoad_Click(), t.window.ImgStart_Click();
    QCOMPARE(t.ui.platform.boxes.size(), size_t{7});
    const auto& box = t.ui.platform.boxes[4];
    QCOMPARE(box.text, std::string("This mode not supported.  Please try to change resolution manually."));
    QCOMPARE(box.title, std::string("Screen Resolution"));
    QVERIFY(box.buttons == Buttons::kOk);
    QCOMPARE(t.ended, 2);
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 1);
    QCOMPARE(t.loadDialogs, 1);
    QCOMPARE(t.ui.game.PlayerName[0], std::string("Vega"));
  }
};
ZARNATH_UI_SUITE(WidthWarningTest, {"narrow-screen", 999, 96}, {"wide-enough-screen", 1000, 96});

}  // namespace zarnath::testing

#include "display_checks_test.moc"
