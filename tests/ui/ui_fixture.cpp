#include "ui_fixture.h"

#include <QFile>
#include <QFileInfo>

#include "shell/missing_files.h"
#include "shell/program_folder.h"

namespace zarnath::testing {

QString BuiltProgramFolder() {
  return QStringLiteral(ZARNATH_TEST_PROGRAM_DIR);
}

ProgramFolderCopy::ProgramFolderCopy(const QStringList& leaveOut) {
  const QDir built(BuiltProgramFolder());
  for (const QFileInfo& f : built.entryInfoList(QDir::Files)) {
    if (f.fileName() == QLatin1String("zarnath") || f.fileName() == QLatin1String("FirstTime")) continue;
    if (f.suffix() == QLatin1String("cfg") || f.fileName() == QLatin1String("Score130")) continue;
    if (leaveOut.contains(f.fileName())) continue;
    QFile::copy(f.filePath(), file(f.fileName()));
  }
  SetProgramFolder(dir_.path());
  ResetMissingFileReport();
}

ProgramFolderCopy::~ProgramFolderCopy() {
  SetProgramFolder(BuiltProgramFolder());
}

UiGame::UiGame() : game(Ports{platform, pending, pending, pending}) {
  platform.scripted = true;
  platform.muted = true;
  pending.recording = true;
}

}  // namespace zarnath::testing
