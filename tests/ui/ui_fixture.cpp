#include "ui_fixture.h"

#include <QFileInfo>

#include "shell/program_folder.h"

namespace zarnath::testing {

ProgramFolderCopy::ProgramFolderCopy(const QStringList& leaveOut) {
  for (const QFileInfo& f : QDir(BuiltProgramFolder()).entryInfoList(QDir::Files))
    if (!QStringList{"zarnath", "FirstTime", "Score130"}.contains(f.fileName()) && f.suffix() != "cfg" &&
        !leaveOut.contains(f.fileName()))
      QFile::copy(f.filePath(), file(f.fileName()));
  SetProgramFolder(dir.path());
  ResetMissingFileReport();
}

ProgramFolderCopy::~ProgramFolderCopy() {
  SetProgramFolder(BuiltProgramFolder());
}

UiGame::UiGame() : game(Ports{platform, pending, pending, pending}) {
  platform.scripted = platform.muted = pending.recording = true;
}

}  // namespace zarnath::testing
