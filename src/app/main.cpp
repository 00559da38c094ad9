// Zarnath: the program starts at its title window.
#include <QApplication>
#include <clocale>

#include "shell/desktop_platform.h"
#include "shell/game_program.h"
#include "shell/program_folder.h"
#include "shell/resolution_check.h"
#include "shell/title_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt takes the user's locale for the C library; numbers in files and messages always use a
  // point, so number text keeps the "C" conventions.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Zarnath"));
  // The title window decides when the program ends; hiding every window does not end it.
  QApplication::setQuitOnLastWindowClosed(false);

  zarnath::DesktopPlatform platform;
  // The game window and the engine play the game; the setup window and the network are still
  // the recording stand-in, so their calls are only noted.
  zarnath::GameProgram program(platform);
  zarnath::Game& game = program.game;
  zarnath::TitleWindow* title = nullptr;
  // Until the setup window and the load dialog exist, Start and Load come back to the title
  // rather than leaving the program running with no window.
  auto backToTitle = [&title] {
    if (title) title->show();
  };
  program.window.onShowSetupWindow = backToTitle;
  program.window.onReturnToSetup = backToTitle;
  game.programFolder = zarnath::ProgramFolder().toStdString();
  game.random.SeedFromClock();
  game.cosmetic.SeedFromClock();

  zarnath::DesktopDisplayModes displayModes;
  zarnath::TitleWindow frmMain(game, platform, displayModes);
  title = &frmMain;
  frmMain.showLoadDialog = [&frmMain] { frmMain.show(); };
  if (!frmMain.Form_Load()) return 0;
  return QApplication::exec();
}
