// The title window `frmMain`: the program's first window. Its load prepares the two display
// fonts, refuses a desktop that is not at 96 dots per inch, shows the title picture, plays the
// start sound and names the six computer players. Start leads to the setup window, Load to the
// load dialog and Help to the help; closing it ends the program.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>

namespace zarnath {

class Game;
class DesktopPlatform;
class DisplayModes;
class ImageButton;

// Ends the program at once, wherever it is called from (also in the middle of a turn being
// resolved or a computer's turn): the process exits with code 0, saving nothing and closing no
// connection itself.
void EndProgramNow();

// The text of the warning about a desktop that is not at 96 dots per inch.
extern const char* const kLargeFontsText;

class TitleWindow : public QWidget {
  Q_OBJECT

 public:
  TitleWindow(Game& game, DesktopPlatform& platform, DisplayModes& modes);

  // The start-up. False when the program has ended before the window was ever shown.
  bool Form_Load();

  void ImgStart_Click();
  void ImgLoad_Click();
  void ImgHelp_Click();

  // Opens the load dialog (not modal), once the program has one.
  std::function<void()> showLoadDialog;
  // Ends the program at once (by default the process exits).
  std::function<void()> endProgram = EndProgramNow;

  ImageButton* ImgStart() const { return imgStart_; }
  ImageButton* ImgLoad() const { return imgLoad_; }
  ImageButton* ImgHelp() const { return imgHelp_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool CheckResolution();
  void OpenHelpContents();

  Game& game_;
  DesktopPlatform& platform_;
  DisplayModes& modes_;
  QPixmap picture_;
  ImageButton* imgStart_;
  ImageButton* imgLoad_;
  ImageButton* imgHelp_;
  bool painted_ = false;
};

}  // namespace zarnath
