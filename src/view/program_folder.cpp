#include "view/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace zarnath {

namespace {
QString& FolderOverride() {
  static QString folder;
  return folder;
}
}  // namespace

QString ProgramFolder() {
  const QString& folder = FolderOverride();
  return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

QString ProgramFile(const QString& name) {
  return QDir(ProgramFolder()).filePath(name);
}

void SetProgramFolder(const QString& folder) {
  FolderOverride() = folder;
}

}  // namespace zarnath
