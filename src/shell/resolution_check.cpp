#include "shell/resolution_check.h"

#include <QGuiApplication>
#include <QScreen>

#include "model/ports.h"

namespace zarnath {

double DesktopDisplayModes::ScreenWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<double>(screen->size().width()) : 0.0;
}

double DesktopDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96.0;
  // With desktop scaling the screen reports its base resolution and a scale factor; the
  // program is shown at their product.
  return screen->logicalDotsPerInchX() * screen->devicePixelRatio();
}

bool IsNormalDpi() {
  return qRound(DesktopDpi()) == 96;
}

bool CheckResolution(Platform& platform, DisplayModes& modes, const std::function<void()>& endProgram) {
  const float width = static_cast<float>(modes.ScreenWidth());
  if (width >= 1000.0f) return true;
  const Answer answer = platform.MessageBox(
      "Zarnath Must Run At 1024 x 768 Or Higher Screen Resolution!\r\n"
      "Would You Like To Change Your Resolution Now?  Do Not Proceed If You\r\n"
      "Don't Know How To Change Your Screen Resolution Back!",
      "Zarnath Warning", Buttons::kYesNo);
  if (answer != Answer::kYes) return true;
  return ChangeResolution(platform, modes, endProgram);
}

bool ChangeResolution(Platform& platform, DisplayModes& modes, const std::function<void()>& endProgram) {
  const int test = modes.TestMode1024x768();
  if (test == 0) {
    modes.ApplyMode();
    modes.NotifyDisplayChanged();
    platform.MessageBox("Screen resolution changed successfully.  Please restart Zarnath.",
                        "Screen Resolution", Buttons::kOk);
    endProgram();
    return false;
  }
  if (test == 1) {
    const Answer answer = platform.MessageBox(
        "You must restart your computer to apply these changes.\r\n\r\nDo you want to restart now?",
        "Screen Resolution", Buttons::kYesNo);
    if (answer == Answer::kYes) {
      // The system closes the program when it restarts; until then the button goes on.
      modes.RequestRestart();
      return true;
    }
    endProgram();
    return false;
  }
  platform.MessageBox("This mode not supported.  Please try to change resolution manually.",
                      "Screen Resolution", Buttons::kOk);
  endProgram();
  return false;
}

}  // namespace zarnath
