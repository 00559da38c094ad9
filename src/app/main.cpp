// Zarnath: the program starts at its title window.
#include <QApplication>
#include <clocale>

#include "app/pending_ports.h"
#include "model/game.h"
#include "shell/desktop_platform.h"
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
  // The game window, the network and the turn steps that the windows still to come provide;
  // until they are wired in, their calls are only noted.
  zarnath::PendingPorts pending;
  zarnath::Game game(zarnath::Ports{platform, pending, pending, pending});
  zarnath::TitleWindow* title = nullptr;
  // Until the setup window and the load dialog exist, Start and Load come back to the title
  // rather than leaving the program running with no window.
  pending.onShowSetupWindow = [&title] {
    if (title) title->show();
  };
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
