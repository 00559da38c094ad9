// The world history popup: what the current player has on the way to a world, earliest first,
// followed by that player's history of the world; and its place beside the world.
#pragma once

#include <string>

#include "model/view_geometry.h"

namespace zarnath {
struct GameState;

// One arrival line of a used slot bound for the world (ends in CR LF).
std::string HistoryArrivalLine(const GameState& g, int slot);
// The popup's caption (without the text's closing CR LF).
std::string WorldHistoryText(const GameState& g, int world);
// The popup's text colour: the world owner's.
double WorldHistoryColour(const GameState& g, int world);
// The popup is this much wider than its text.
inline constexpr int kHistoryExtraWidth = 5;
// The tallest the popup grows: a quarter of the screen's height; a taller text is cut off.
int HistoryPopupHeight(int textHeight, int screenHeight);
// Where the popup of measured size goes: left of a world right of the sun (ending at it), else
// 10 px right of it; above a world below the sun, else from its centre down.
ViewPoint PlaceHistoryPopup(const GameState& g, int world, double width, double height);

}  // namespace zarnath
