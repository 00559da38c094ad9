// The screen checks of the title window: the desktop must run at 96 dots per inch, and a
// screen narrower than 1000 pixels gets a warning with the offer to switch to 1024 x 768.
#pragma once

#include <functional>

namespace zarnath {

class Platform;

// The display-mode services behind the offer to switch.
class DisplayModes {
 public:
  virtual ~DisplayModes() = default;
  // The screen's width in pixels.
  virtual double ScreenWidth() = 0;
  // Tests a switch to 1024 x 768: 0 can be made now, 1 needs a restart of the computer,
  // anything else is not supported.
  virtual int TestMode1024x768() = 0;
  // Switches to the tested mode and keeps it as the user's setting.
  virtual void ApplyMode() = 0;
  // Tells the other windows that the display has changed.
  virtual void NotifyDisplayChanged() = 0;
  // Asks the system to restart the computer; returns at once.
  virtual void RequestRestart() = 0;
};

// The Linux desktop: the width is read from the primary screen through Qt; a desktop program
// cannot switch the display mode here, so the mode test answers "not supported".
class DesktopDisplayModes : public DisplayModes {
 public:
  static constexpr int kNotSupported = -1;
  double ScreenWidth() override;
  int TestMode1024x768() override { return kNotSupported; }
  void ApplyMode() override {}
  void NotifyDisplayChanged() override {}
  void RequestRestart() override {}
};

// True when the desktop shows this program at 96 dots per inch (scaling at 100 percent).
bool IsNormalDpi();
// The dots per inch at which the desktop shows this program.
double DesktopDpi();

// The warning of each title-window button. Returns false when the program has ended (then
// `endProgram` has run and the button does nothing more); true when the button goes on,
// also after a declined warning and after a restart request.
bool CheckResolution(Platform& platform, DisplayModes& modes, const std::function<void()>& endProgram);

// The switch itself; called by CheckResolution on Yes. False when the program has ended.
bool ChangeResolution(Platform& platform, DisplayModes& modes, const std::function<void()>& endProgram);

}  // namespace zarnath
