// Zarnath: the program starts at its title window.
#include <QApplication>
#include <clocale>

#include "shell/desktop_platform.h"
#include "shell/game_program.h"
#include "shell/resolution_check.h"
#include "shell/title_window.h"
#include "view/program_folder.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt takes the user's locale for the C library; numbers in files and messages always use a
  // point, so number text keeps the "C" conventions.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Zarnath"));
  // The title window decides when the program ends; hiding every window does not end it.
  QApplication::setQuitOnLastWindowClosed(false);

  zarnath::DesktopPlatform platform;
  // The game window, the setup window, the engine and the game's sockets play the game.
  zarnath::GameProgram program(platform);
  zarnath::Game& game = program.game;
  game.programFolder = zarnath::ProgramFolder().toStdString();
  game.random.SeedFromClock();
  game.cosmetic.SeedFromClock();

  zarnath::DesktopDisplayModes displayModes;
  zarnath::TitleWindow frmMain(game, platform, displayModes);
  program.setupWindows.showTitle = [&frmMain] { frmMain.show(); };
  // The title's Load opens the load dialog; its Cancel with no game comes back to the title.
  frmMain.showLoadDialog = [&program] { program.dialogs.ShowLoadDialog(); };
  program.dialogs.showTitle = [&frmMain] { frmMain.show(); };
  // The game window's load hides the title window.
  program.controls.onHideOtherWindows = [&frmMain] { frmMain.hide(); };
  if (!frmMain.Form_Load()) return 0;
  return QApplication::exec();
}
