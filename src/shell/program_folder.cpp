#include "shell/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace zarnath {

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }
QString ProgramFile(const QString& name) { return QDir(ProgramFolder()).filePath(name); }

}  // namespace zarnath
