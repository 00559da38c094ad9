// The program folder: the executable's own folder, which holds every picture, sound, font and
// help file the program reads and every file it writes.
#pragma once

#include <QString>

namespace zarnath {

QString ProgramFolder();
QString ProgramFile(const QString& name);

// Points the program at another folder (the tests run from their own build folder); an empty
// folder returns to the executable's own.
void SetProgramFolder(const QString& folder);

}  // namespace zarnath
