// The program folder: the executable's own folder, which holds every picture, sound, font and
// help file the program reads and every file it writes.
#pragma once

#include <QString>

namespace zarnath {

QString ProgramFolder();
QString ProgramFile(const QString& name);

}  // namespace zarnath
