// What the galaxy view draws, decided without pixels: where things stand on screen, which
// objects and bombs the viewing player may see, which icon an object gets, the trails, the
// captions and places of the labels. The window only paints what these decide.
//
// Every index read from the game state (a slot's worlds, an owner code, a bomb's world, the
// viewing seat) is checked here before it indexes a table: a free slot, a world of -1 or an
// owner code of 0 never reads outside the records.
#pragma once

#include <string>
#include <vector>

#include "model/game_state.h"

namespace zarnath {
struct GameState;

struct ViewSpot {
  double x = 0;
  double y = 0;
};

inline constexpr double kGuideGrey = Rgb(50, 50, 50);
inline constexpr double kTrailOlive = 16448.0;  // &H4040, a dark olive
inline constexpr int kHourglassPointer = 11;
inline constexpr double kRadarRange = 80.0;  // orbit units
inline constexpr double kBombTriggerRange = 20.0;

// --- geometry (pixels of the galaxy window, and unscaled orbit-unit view points) ---
bool WorldInPlay(const GameState& g, int w);
// A used travel slot whose origin and destination are worlds in play.
bool SlotDrawable(const GameState& g, int slot);
ViewSpot WorldOrbitSpot(const GameState& g, int w);   // unscaled: sun + R (cos, sin)
ViewSpot WorldScreenSpot(const GameState& g, int w);  // pixels
ViewSpot ScreenSpot(const GameState& g, ViewSpot unscaled);
double OrbitDistance(ViewSpot a, ViewSpot b);
// The colour of an owner code; an owner code out of range is drawn neutral.
double OwnerColourOf(const GameState& g, int owner);

// --- seats ---
// The viewing seat (CurrentPlayer) is a human seat of this machine.
bool ViewerHuman(const GameState& g);
// The seat of an owner code is a computer player; false for nobody.
bool OwnerIsComputer(const GameState& g, int owner);
bool OwnerIsHumanSeat(const GameState& g, int owner);
// A home world 8..11 whose seat is named.
bool NamedHomeWorld(const GameState& g, int w);
// Input is free, or the galaxy click handler holds the hourglass while it works.
bool ViewCommandsShown(const GameState& g);

// --- icons ---
enum class MarkKind { kStar, kDots, kBlob };
struct MarkShape {
  MarkKind kind = MarkKind::kStar;
  int count = 0;
  int size = 0;
};
// The icon of an object by its ship-count code; `bigFleetSize` is the dot size of the three-dot
// row (2 in the full and light redraws and the orbit ticks, 3 for positions and paths).
MarkShape MarkFor(float ships, int bigFleetSize);

// --- objects in flight ---
// Ticks travelled, (trip - time left as a 32-bit float) x 520, and that rounded half to even.
double TicksTravelled(const GameState& g, int slot);
double WholeTicksTravelled(const GameState& g, int slot);
// Where the object in a drawable slot was m ticks after launch, unscaled.
ViewSpot FleetSpotAt(const GameState& g, int slot, double m);
// The object has moved since launch (time left, as a 32-bit float, differs from the trip time).
bool FleetMoved(const GameState& g, int slot);
// The trail points behind an object n whole ticks out: every 1.3 ticks back, at most five,
// never behind the launch. The number of trail segments is the size of the answer.
std::vector<double> TrailTicks(double n);
inline int TrailSegments(double n) {
  return static_cast<int>(TrailTicks(n).size());
}

enum class FleetShow { kNothing, kArrivedRing, kInFlight };
// What the object's own drawing shows: nothing (hidden fleets, not moved yet, or a computer's
// arrived scout or reinforcement), the dotted ring round its destination, or icon and trail.
FleetShow FleetShowFor(const GameState& g, int slot);
// The second colour of a path's dashes: white to one's own world, the owner's colour to another
// player's world, olive to a neutral world.
double DestinationDashColour(const GameState& g, int slot);
// The dashes alternate between the owner's colour and `other`.
inline double NextDash(double current, double ownerColour, double other) {
  return current == ownerColour ? other : ownerColour;
}
// The ticks a path display walks, from the launch end T x 520 down to the ticks travelled, one
// apart; a trip beyond any reachable length (or not a number) is cut to `kMostPathTicks` steps.
inline constexpr int kMostPathTicks = 400;
std::vector<float> PathTicks(const GameState& g, int slot);

// --- what the viewing player sees of other players ---
// Home world h serves the viewing player as a radar station.
bool RadarStation(const GameState& g, int h);
bool RadarOff(const GameState& g);
bool RadarUnlimited(const GameState& g);
struct Sighting {
  int home = 0;
  double distance = 0;
  bool inRange = false;  // within the radar's 80 units
};
// The stations that show an object (or bomb) at this unscaled point.
std::vector<Sighting> SightingsOf(const GameState& g, ViewSpot unscaled);
// The full redraw's rule for an object of the viewing player, or any object while a turn is
// resolved: true when the slot falls under it, `drawn` telling whether it is drawn.
bool OwnRuleApplies(const GameState& g, int slot, bool& drawn);

// One redraw's decisions about the objects in flight: what is drawn, which radars see what.
struct FleetSight {
  int slot = 0;
  bool ownRule = false;  // drawn by its own drawing (FleetShowFor) when `drawn`
  bool drawn = false;
  std::vector<Sighting> sightings;  // foreign objects: the stations showing it
  ViewSpot at{};                    // unscaled position (foreign objects shown by radar)
  double ticks = 0;                 // whole ticks travelled
};
struct FleetScan {
  std::vector<FleetSight> fleets;
  int radarCount = 0;
};
// Resets the redraw's view flags and decides what every used slot shows, setting RadarAlert and
// WorldTargeted as the redraw does.
FleetScan ScanFleets(GameState& g);
// Which of the viewing player's home worlds see a foreign object or planted bomb within their
// radar's reach (RadarSeen; such a home world offers its pulse bomb), as the full redraw shows
// them. The rules set it before every full redraw (engine/event_notices.h, RedrawGalaxy).
void MarkRadarSightings(GameState& g);
// The radar notice of a redraw, empty when nothing was counted or radar is off.
std::string RadarNotice(int count, bool radarOff);

// --- worlds ---
// The ship label's caption: "12", "12 D S", "[12 D S]".
std::string WorldShipLabelCaption(const GameState& g, int w);
bool WorldShipLabelShown(const GameState& g, int w);
// Gap between the ship label's right edge and its world: 20 for a named home world, else 15.
int WorldShipLabelGap(const GameState& g, int w);
bool CrosshairShown(const GameState& g, int w);
// The scouted-world cross of the full redraw and of the light redraw.
bool ScoutCrossShown(const GameState& g, int w);
bool CleanScoutCrossShown(const GameState& g, int w);

enum class DestinationMark { kNone, kMarker, kPosition };
// The second pass over the slots of the full redraw: a marker on the destination, or the
// object's own drawing for an arrival while the turn is resolved.
DestinationMark DestinationMarkFor(const GameState& g, int slot);

// --- planted proximity bombs ---
// How many earlier slots hold a bomb of the same owner on the same world.
int BombStackIndex(const GameState& g, int j);
// The bomb's offset from its world in orbit units: left, right, below, above, then on it.
ViewSpot BombOffset(int stackIndex);
// The bomb's world, or -1 when it is not a world in play.
int BombWorld(const GameState& g, int j);
bool OwnBombShown(const GameState& g);
bool ForeignBombsShown(const GameState& g);

// --- labels ---
struct LabelBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};
// Turns still to go, Int(F / 0.05 + 0.999999).
int TurnsToGo(double timeLeft);
// "25  (3 Turns)", "25", "1 Turn".
std::string FleetLabelCaption(float ships, double timeLeft, bool radarAlert);
// A floating label's top once stacked above the earlier labels it sits on.
double StackedTop(LabelBox label, const std::vector<LabelBox>& earlier);
// How far above its world a world name's bottom edge stands: 20, 15 or 13.
int WorldNameRise(const GameState& g, int w);
// The Labels button's place for a world name of this size, beside its world.
LabelBox NameLabelBeside(const GameState& g, int w, double width, double height);
// Moves the world labels apart (label j belongs to world j, whose pixel point is worlds[j]).
void SpreadLabels(std::vector<LabelBox>& labels, const std::vector<ViewSpot>& worlds);

}  // namespace zarnath
