// The screen checks, run on each screen CTest sets up (a check for another screen skips). The
// desktop cannot switch its display mode: Yes to the width warning meets "not supported".
#include "ui_fixture.h"

namespace zarnath::testing {
namespace {

const std::string kWidthWarning =
    "Zarnath Must Run At 1024 x 768 Or Higher Screen Resolution!\r\nWould You Like To Change Your Resolution "
    "Now?  Do Not Proceed If You\r\nDon't Know How To Change Your Screen Resolution Back!";

bool OnScreen(double width, int dpi) {
  return DesktopDisplayModes().ScreenWidth() == width && qRound(DesktopDpi()) == dpi;
}

}  // namespace

class DisplayChecksTest : public QObject {
  Q_OBJECT

 private slots:
  // At 120 dots per inch: the message, then the end; no window, no sound.
  void largeFontsEndTheProgramBeforeItsWindowIsShown() {
    if (qRound(DesktopDpi()) != 120) QSKIP("another screen");
    Title t(false);
    EventCount shows(&t.window, QEvent::Show);
    QVERIFY(!t.window.Form_Load());
    QVERIFY(t.ended == 1 && shows.count == 0 && !t.window.isVisible() && t.ui.platform.sounds.empty());
    QCOMPARE(t.ui.platform.boxes.size(), size_t{1});
    const auto& box = t.ui.platform.boxes[0];
    QVERIFY(box.title == "Zarnath" && box.buttons == Buttons::kOk && box.text == kLargeFontsText);
    QVERIFY(box.text.starts_with("This Game Can Not Be Run With Large Fonts!  "));
  }

  // 999 pixels: each title button asks; No goes on, Yes ends the program. 1000 pixels asks nothing.
  void theWidthWarning() {
    const bool narrow = OnScreen(999, 96);
    if (!narrow && !OnScreen(1000, 96)) QSKIP("another screen");
    QCOMPARE(DesktopDisplayModes().TestMode1024x768(), DesktopDisplayModes::kNotSupported);
    Title t;
    QVERIFY(t.loaded);
    t.ui.platform.answers = {Answer::kNo, Answer::kNo, Answer::kNo, Answer::kYes, Answer::kYes};
    t.window.ImgStart_Click(), t.window.show(), t.window.ImgLoad_Click(), t.window.show(),
        t.window.ImgHelp_Click();
    QVERIFY(t.ui.pending.Count("ShowSetupWindow") == 1 && t.loadDialogs == 1 && t.ui.platform.helpShown == 1);
    QCOMPARE(t.ui.platform.boxes.size(), size_t{narrow ? 3u : 0u});
    for (const auto& box : t.ui.platform.boxes)
      QVERIFY(box.text == kWidthWarning && box.title == "Zarnath Warning" && box.buttons == Buttons::kYesNo);
    if (!narrow) return;
    t.ui.game.PlayerName[0] = "Vega";
    t.window.ImgLoad_Click(), t.window.ImgStart_Click();
    QCOMPARE(t.ui.platform.boxes.size(), size_t{7});
    const auto& box = t.ui.platform.boxes[4];
    QCOMPARE(box.text, std::string("This mode not supported.  Please try to change resolution manually."));
    QVERIFY(box.title == "Screen Resolution" && box.buttons == Buttons::kOk && t.ended == 2);
    QVERIFY(t.ui.pending.Count("ShowSetupWindow") == 1 && t.loadDialogs == 1 &&
            t.ui.game.PlayerName[0] == "Vega");
  }
};
ZARNATH_UI_SUITE(DisplayChecksTest, "large-fonts", "narrow-screen", "wide-enough-screen");

}  // namespace zarnath::testing

#include "display_checks_test.moc"
