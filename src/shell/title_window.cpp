#include "shell/title_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "engine/setup_load.h"
#include "model/game.h"
#include "shell/desktop_platform.h"
#include "shell/display_fonts.h"
#include "shell/resolution_check.h"
#include "view/image_button.h"
#include "view/missing_files.h"
#include "view/program_folder.h"

namespace zarnath {

namespace {
constexpr qint64 kExposeWaitMs = 1000;
}  // namespace

const char* const kLargeFontsText =
    "This Game Can Not Be Run With Large Fonts!  On A Linux Desktop, This Setting Can Be Changed\r\n"
    "In The Display Settings: Set The Scale To 100 Percent (And The Font DPI, Where There Is One,\r\n"
    "To 96), Then Apply.  Log Out, Log In Again And Run The Game Again; If You Still Have\r\n"
    "Trouble, You May Need To Reinstall The Game.";

void EndProgramNow() {
  // Quitting the event loop would wait for whatever runs beneath this call: a turn being resolved
  // or a computer's turn would play on to its end in a blank window. The process ends here instead.
  std::fflush(nullptr);
  std::_Exit(0);
}

TitleWindow::TitleWindow(Game& game, DesktopPlatform& platform, DisplayModes& modes)
    : game_(game), platform_(platform), modes_(modes) {
  setWindowTitle(QStringLiteral("Zarnath v1.40"));
  setFixedSize(397, 426);
  // The faces of the three buttons are drawn into the title picture.
  imgStart_ =
      new ImageButton(this, game, ButtonFaces{"ddentbutt8.jpg", {}, ClickSound::kAlways}, QPoint(20, 375));
  imgLoad_ =
      new ImageButton(this, game, ButtonFaces{"ddentbutt9.jpg", {}, ClickSound::kAlways}, QPoint(115, 375));
  imgHelp_ =
      new ImageButton(this, game, ButtonFaces{"ddentbutt10.jpg", {}, ClickSound::kAlways}, QPoint(210, 375));
  connect(imgStart_, &ImageButton::clicked, this, &TitleWindow::ImgStart_Click);
  connect(imgLoad_, &ImageButton::clicked, this, &TitleWindow::ImgLoad_Click);
  connect(imgHelp_, &ImageButton::clicked, this, &TitleWindow::ImgHelp_Click);
}

bool TitleWindow::Form_Load() {
  RegisterDisplayFonts();
  picture_ = LoadPicture(QStringLiteral("startup.jpg"), size());
  if (!IsNormalDpi()) {
    platform_.MessageBox(kLargeFontsText, "Zarnath", Buttons::kOk);
    endProgram();
    return false;
  }
  // In the middle of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  // The window is painted before the start sound holds the program: give the desktop a moment
  // to put it on the screen.
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(2);
  }
  repaint();
  platform_.PlaySound("gamestart.wav");
  for (int level = 0; level < 6; ++level) game_.CpuName[level] = kCpuNames[level];
  return true;
}

bool TitleWindow::CheckResolution() {
  return zarnath::CheckResolution(platform_, modes_, endProgram);
}

void TitleWindow::OpenHelpContents() {
  platform_.ShowHelp(QStringLiteral("Zarnath.hlp"), QStringLiteral("Zarnath"));
}

void TitleWindow::ImgStart_Click() {
  if (!CheckResolution()) return;
  hide();
  const QString marker = ProgramFile(QStringLiteral("FirstTime"));
  if (QFile::exists(marker)) {
    OpenHelpContents();
    // A marker that cannot be removed opens the help again next time; nothing more.
    QFile::remove(marker);
  }
  game_.TimeBias = -1.0;
  game_.io.screen.ShowSetupWindow();
}

void TitleWindow::ImgLoad_Click() {
  if (!CheckResolution()) return;
  hide();
  game_.PlayerName[0].clear();
  // The game loaded from here goes on with the setup's choices as the setup window loads them
  // (the player's name, shields, battle mode and gather turns from "defaults.cfg"), so that
  // Reset Solar System finds the player's name; the loader then writes the game's own options.
  if (!game_.window.SetupVisible) OpenNewSetupWindow(game_);
  if (showLoadDialog) showLoadDialog();
}

void TitleWindow::ImgHelp_Click() {
  if (!CheckResolution()) return;
  OpenHelpContents();
}

void TitleWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
  // For measuring the start-up: the wall clock of the first painting of the title.
  if (!painted_ && qEnvironmentVariableIsSet("ZARNATH_REPORT_STARTUP"))
    std::fprintf(stderr, "zarnath: title window painted at %lld ms\n",
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
  painted_ = true;
}

void TitleWindow::closeEvent(QCloseEvent* event) {
  // Closing the title window ends the program at once; nothing is saved or closed.
  event->accept();
  endProgram();
}

}  // namespace zarnath
