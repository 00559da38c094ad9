// The game's sounds, synthesised: short tones, chords and noise bursts written as 16-bit mono
// wave files.
#pragma once

#include <QString>

namespace assetmaker {

// Writes every wave file the game plays into `folder`; false on a write failure.
bool WriteSounds(const QString& folder);

}  // namespace assetmaker
