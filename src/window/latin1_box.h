// Text boxes whose text the game keeps as Latin-1 bytes (names, chat lines, the host's address).
// A character outside Latin-1, typed, pasted or dropped, is refused, and the box says so in a
// note beside itself: the game never turns it into another character behind the player's back.
#pragma once

class QLineEdit;

namespace zarnath {

inline constexpr const char* kLatin1OnlyNotice = "Only Western European Letters And Signs Can Be Typed Here";

// Makes `box` refuse every edit that would bring a character outside Latin-1 into it.
void KeepToLatin1(QLineEdit* box);

// The box's note that it takes only Latin-1 characters, shown beside it for a few seconds.
void ShowLatin1Notice(QLineEdit* box);

}  // namespace zarnath
