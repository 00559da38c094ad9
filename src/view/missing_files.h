// Pictures, sounds, fonts and the help file live in the program folder. A missing one never
// stops the game: a picture draws black, a sound stays silent, a font falls back to the
// desktop's own, and the first file found missing is named once in a message.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

namespace zarnath {

// Shows the one message about a missing file (text and title, Latin-1). The desktop's
// platform installs itself here; without it nothing is shown.
using MissingFileNotice = std::function<void(const std::string& text, const std::string& title)>;
void SetMissingFileNotice(MissingFileNotice notice);

// Tells the player about the first missing file of the run; later misses are kept quiet.
void ReportMissingFile(const QString& name);
// The message for a missing file, as shown.
std::string MissingFileText(const QString& name);
// Whether a miss was reported in this run, and a fresh start for tests.
bool MissingFileReported();
void ResetMissingFileReport();

// A picture of the program folder; a missing or unreadable file gives a black picture of
// `size` (and its report).
QPixmap LoadPicture(const QString& name, QSize size);

}  // namespace zarnath
