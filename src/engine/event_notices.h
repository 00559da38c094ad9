// How the events of a turn are shown: the notice in the owner's colour, the log and history
// entries, what a seat learns of a world, the sounds and the centred announcements. Shared by
// every operation of the turn engine.
#pragma once

#include <string>

#include "model/game_texts.h"
#include "model/view_geometry.h"

namespace zarnath {
class Game;
struct GameState;

// The full redraw of the star system, after the rules marked what the home worlds' radars see.
void RedrawGalaxy(Game& g);

// The notice line: text colour, text and an immediate repaint.
void ShowNotice(Game& g, double colour, const std::string& text);
void ClearNotice(Game& g);
// An entry at the end of player p's log (CR LF, then the text).
void LogTo(GameState& g, int seat, const std::string& text);
// The current notice into the log of every human seat.
void LogToHumans(GameState& g, const std::string& text);
// An entry in front of player p's history of world w (the line, then CR LF, then the old text).
void HistoryTo(GameState& g, int seat, int world, const std::string& line);

// An event sound: silent in a speed game and with sounds off.
void EventSound(Game& g, const char* file);

// Player p learns world w's figures as the world now stands, dated this turn.
void LearnWorld(GameState& g, int p, int w);
// The move-log box shows the current seat's whole log, ending in a line break.
void ShowMoveLog(Game& g);

// A centred announcement over the sun (its caption framed by line breaks) shown at once, and hidden.
void ShowCentredReport(Game& g, const std::string& caption);
void HideCentredReport(Game& g);

}  // namespace zarnath
