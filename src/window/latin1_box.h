// Text boxes whose text the game keeps as Latin-1 bytes (names, chat lines, the host's address).
// A character outside Latin-1, typed, pasted or dropped, is left out (the rest of a paste goes
// in), and a note says so for a few seconds: the game never turns it into another character
// behind the player's back. The note stands in a free place of the window near the box, over no
// control, and never takes a click.
#pragma once

class QLineEdit;

namespace zarnath {

inline constexpr const char* kLatin1OnlyNotice = "Only Western European Letters And Signs Can Be Typed Here";

// Makes `box` leave out every character outside Latin-1 that an edit would bring into it.
void KeepToLatin1(QLineEdit* box);

// The note that the box takes only Latin-1 characters, shown near it for a few seconds.
void ShowLatin1Notice(QLineEdit* box);

}  // namespace zarnath
