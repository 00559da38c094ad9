// What the window tests share: a game wired to the desktop platform (message boxes answered
// by a script, sounds recorded) and to the headless ports for the windows still to come, and
// a program folder of its own filled with the built pictures, sounds, fonts and help.
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "model/game.h"
#include "model/headless_ports.h"
#include "shell/desktop_platform.h"

namespace zarnath::testing {

// The program folder the build lays out.
QString BuiltProgramFolder();

// A copy of the built program folder (without the program), made the program folder while it
// lives; `leaveOut` names files not copied.
class ProgramFolderCopy {
 public:
  explicit ProgramFolderCopy(const QStringList& leaveOut = {});
  ~ProgramFolderCopy();
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

 private:
  QTemporaryDir dir_;
};

struct UiGame {
  UiGame();
  DesktopPlatform platform;
  HeadlessPorts pending;
  Game game;
};

}  // namespace zarnath::testing
