// What lies under a mouse press on the galaxy view, and the small texts and placements the
// window's commands share: the sun, a world, an own object in flight, an own planted proximity
// bomb; the centred notices; and the rule that opens a popup from a world towards the sun.
//
// Every world, slot and bomb index these read comes from a bounded loop or is checked first.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/view_geometry.h"

namespace zarnath {
struct GameState;

// Half the side of the squares that catch a press: the sun 25 px, a world 10 px, an object in
// flight or a planted bomb 5 px (a press exactly that far off misses).
inline constexpr double kSunCatch = 25.0;
inline constexpr double kWorldCatch = 10.0;
inline constexpr double kMarkCatch = 5.0;

// The window's buttons as a press reports them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

bool SunHit(const GameState& g, double x, double y);
// World w (in play) lies under the press.
bool WorldHit(const GameState& g, int w, double x, double y);
// The worlds in play under the press, in index order.
std::vector<int> WorldsHitAt(const GameState& g, double x, double y);

// The first own object in flight under the press that the view lets the player pick: not while
// fleets are hidden, only objects of the current seat that have moved since their launch. -1
// when none.
int OwnFleetHitAt(const GameState& g, double x, double y);

// A planted proximity bomb of the current seat under the press, with its marker's pixel point.
struct BombHit {
  int slot = -1;
  double x = 0;
  double y = 0;
};
std::optional<BombHit> OwnBombHitAt(const GameState& g, double x, double y);
// "Ship Threshold: 25": the caption shown beside a bomb's marker.
std::string ThresholdCaption(float threshold);

// Another named seat is in the game (seats 1 to 3).
bool HasOpponents(const GameState& g);
// The current seat owns world w.
bool OwnWorld(const GameState& g, int w);
// The current seat's status caption says its turn is done.
bool SeatTurnDone(const GameState& g);
// A pulse bomb is armed on world w (its code is 10 or 12).
bool PulseArmedOn(const GameState& g, int w);
// Seat `seat` may arm the pulse bomb of world w: the home world of a seat in the game (only those
// go off at the end of the turn), held by `seat` now, its own or one it captured, with no pulse
// bomb armed yet (no code, or the double-speed fuel) and a bomb in store. The window's command,
// the computer player and the host taking a client's arming all ask this.
bool CanArmPulseBomb(const GameState& g, int seat, int w);

// "    Battle Truce Ends Next Turn    " or "    Battle Truce Ends In 3 Turns    ", framed by
// line breaks.
std::string TruceNotice(int turnsLeft);
// A centred notice's caption: the text framed by line breaks.
std::string FramedNotice(const std::string& text);
inline constexpr char kEmptyWorldNotice[] = "    There Are Currently No Ships Or Bombs At This World!    ";

// Where a popup of this size opens from the pixel point `at`: to its left when the point lies
// right of the sun, upwards when it lies below it; otherwise from the point itself.
ViewPoint PlaceTowardsSun(const GameState& g, ViewPoint at, double width, double height);

// Hides the world panel and the travel options popup (the turn passes to another seat).
void HideSeatPopups(GameState& g);

// Whether world index w names a world in play (the hover label's index 30 never does).
bool WorldIndexInPlay(const GameState& g, int w);

}  // namespace zarnath
