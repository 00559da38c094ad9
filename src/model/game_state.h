// The records of one game: parallel tables indexed by world, travel slot, bomb slot and player,
// with the field names and widths every other part of the game (and the saved game and the
// network messages) rely on. Each table is declared one slot larger than the game uses; the
// extra slot is never part of the game.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zarnath {

inline constexpr int kWorldSlots = 31;  // worlds 0..29 in play at most
inline constexpr int kMaxWorlds = 30;
inline constexpr int kFleetSlots = 101;  // travel slots 0..99 used
inline constexpr int kUsedFleetSlots = 100;
inline constexpr int kBombSlots = 21;  // proximity-bomb slots 0..19 used
inline constexpr int kUsedBombSlots = 20;
inline constexpr int kPlayerSlots = 5;  // players 0..3 used; owner code = player + 1
inline constexpr int kSeats = 4;
inline constexpr int kHomeWorld0 = 8;  // worlds 8..11 are the home worlds of seats 0..3

template <typename T>
using PerWorld = std::array<T, kWorldSlots>;
template <typename T>
using PerSlot = std::array<T, kFleetSlots>;
template <typename T>
using PerBomb = std::array<T, kBombSlots>;
template <typename T>
using PerPlayer = std::array<T, kPlayerSlots>;

// Treasure and special codes of WorldType.
inline constexpr int16_t kTypeNothing = 0;
inline constexpr int16_t kTypeBomb = 1;     // an extra bomb in a secret hangar
inline constexpr int16_t kTypeFuel = 2;     // double-speed fuel
inline constexpr int16_t kTypeCrystal = 3;  // the Information Crystal
inline constexpr int16_t kPulseArmed = 10;  // added to a home world's code while its pulse bomb is armed
// A home world's code with its pulse bomb armed: without a treasure, and with the fuel.
inline constexpr int16_t kTypeArmedPulse = kTypeNothing + kPulseArmed;
inline constexpr int16_t kTypeArmedPulseFuel = kTypeFuel + kPulseArmed;

struct WorldTable {
  PerWorld<float> WorldAngle{};
  PerWorld<float> WorldRadius{};
  PerWorld<float> WorldAngularSpeed{};
  PerWorld<std::string> WorldName{};
  PerWorld<uint8_t> WorldProduction{};
  PerWorld<uint8_t> WorldClass{};
  PerWorld<uint8_t> WorldShield{};
  PerWorld<uint8_t> WorldShieldOn{};
  PerWorld<int16_t> WorldKnownStat{};
  PerWorld<uint8_t> WorldOwner{};
  PerWorld<float> WorldShips{};
  PerWorld<int16_t> WorldType{};
  PerWorld<int16_t> WorldBombs{};
  PerWorld<bool> WorldNoGather{};
  PerPlayer<PerWorld<bool>> WorldMarked{};
  PerPlayer<PerWorld<std::string>> WorldHistory{};
};

struct FleetTable {
  PerSlot<uint8_t> FleetFrom{};  // origin world + 1; 0 = free slot
  PerSlot<uint8_t> FleetTo{};    // destination world + 1
  PerSlot<uint8_t> FleetOwner{};
  PerSlot<float> FleetShips{};  // ship-count code
  PerSlot<uint8_t> FleetClass{};
  PerSlot<uint8_t> FleetShield{};
  PerSlot<float> FleetTripTime{};
  PerSlot<double> FleetTimeLeft{};
  PerSlot<float> FleetAngleParam{};
};

// Ship-count codes of FleetShips.
inline constexpr float kScout = 0.0f;
inline constexpr float kMaxFleetShips = 9998.0f;
inline constexpr float kAnnihilationBomb = 9999.0f;
inline constexpr float kProximityBombBase = 10000.0f;

struct ProximityBombTable {
  PerBomb<int16_t> ProxBombOwner{};  // owner code; below 1 = free slot
  PerBomb<float> ProxBombWorld{};    // world index held as a whole float
  PerBomb<float> ProxBombThreshold{};
};

struct PlayerTable {
  PerPlayer<std::string> PlayerName{};  // empty = seat not in the game
  PerPlayer<int16_t> HasCrystal{};
  PerPlayer<std::string> PlayerLog{};
  PerPlayer<bool> PlayerGone{};
  PerPlayer<double> PlayerColor{};       // by owner code 0..4: red + 256 green + 65536 blue
  std::array<std::string, 7> CpuName{};  // by level - 1
};

// What player p knows of world w: ScoutInfo[p][field][w]; field 0 the turn it was learned,
// 1 class, 2 production, 3 ships, 4 shield percent.
struct ScoutTable {
  PerPlayer<std::array<PerWorld<int16_t>, 6>> ScoutInfo{};
};

// Settings held as globals of the game (the rest are the setup window's, see SetupState).
struct GameSettings {
  int16_t TruceUntilTurn = 0;
  float AutoSaveYear = 0.0f;
  bool SpeedGame = false;
  bool SoundOff = false;
  bool HideFleets = false;
  // The game window's other switches; their menu items' captions are made from them (ShowSwitches).
  bool AutoSaveOn = false;    // File, AutoSave
  bool WorldLabelsOn = true;  // the world labels
  bool ShipLabelsOn = true;   // the ship counts beside the player's worlds
  bool TurnTimerOn = true;    // the turn timer
  float BattleDelay = 0.0f;   // milliseconds slept before each battle shot
  // The production a new world gets at most (the option the game started or loaded with); the
  // computer players weigh targets by it.
  double MaxProduction = 15.0;
};

// Where a seat stands in the turn: no status (an empty seat), taking its turn, done with it, gone from a
// network game, or out of the game.
enum class TurnStatus : uint8_t { kNone, kTakingTurn, kDoneTurn, kDisconnected, kEliminated };

// This machine's part in a game: one computer, the host of a network game, or a client of one.
enum class NetRole : uint8_t { kLocal, kHost, kClient };

struct SeatState {
  float GameYear = 0.0f;
  int16_t CurrentPlayer = 0;
  uint8_t WorldCount = 0;
  bool NetworkGame = false;
  // Set when the lobby hosts or joins, and when a game starts or loads from the setup's choice.
  // NetworkGame tells whether a network game is linked; the role, which part this machine plays.
  NetRole Role = NetRole::kLocal;
  bool TurnDone = false;
  // A Done pressed, and on a network host a turn's end counted, while another step yielded: each
  // runs once the event loop is back at its top (RunWaitingSteps).
  bool DoneWaiting = false;
  bool TurnEndWaiting = false;
  // Each seat's place in the turn; the window's status labels are made from it (StatusCaption).
  std::array<TurnStatus, 4> SeatStatus{};
  bool InputBusy = false;
  // From the start of the end-of-turn cycle until the next turn opens (a client: until the host's
  // resolution has ended). Commands from panels, popups and dialogs do nothing meanwhile.
  bool TurnResolving = false;
  bool GameOver = false;
  int16_t TurnMinutesLeft = 0;
  // The turn timer as the turn set it: its interval (0 = not armed) and whether it runs.
  int32_t TurnTimerInterval = 0;
  bool TurnTimerEnabled = false;
  bool GameLoaded = false;  // the game in progress came from a saved game
  // A game has been started, loaded or received on this machine and not yet ended: connections
  // are seats of the game, not of the lobby. Cleared with the game's state.
  bool GameInProgress = false;
  // The records hold a state or a turn of a host that was left part-way (the host lost, or left,
  // while its new state came or its turn resolved): no machine ever held that game whole, so it is
  // never written to a file. Cleared with the game's state, and by every way into a game.
  bool StateLeftPartWay = false;
  // A client's host has begun a new state ([NP]) and not yet shown it whole ([SHOW]): the records
  // hold part of a game, which no turn is played on and no file holds. Cleared with the game's
  // state, by the state shown whole and by the end of the link that carried it.
  bool StateComing = false;
  // Which game the records hold: a new number at every way into a game (a start, a load, a host's
  // state shown whole) and at every clearing of one. What waits on a game (a save chosen while a
  // step ran) tells by it whether that game is still the one here.
  uint32_t GameNumber = 0;
};

// The window's command state: the selected source and target and the solver's answers.
struct Selection {
  int16_t SelectedFrom = -1;
  int16_t SelectedTo = -1;
  int16_t ProxFrom = -1;
  int16_t ProxTo = -1;
  float TravelYears = 0.0f;
  float TravelAngle = 0.0f;
  std::array<std::array<float, 3>, 7> NearestList{};
};

// Drawing geometry and the view flags that the full redraw sets.
struct GalaxyView {
  float GalaxyCenterX = 0.0f;  // 0 = the game window has not been laid out yet
  float GalaxyCenterY = 0.0f;
  double GalaxyScaleX = 0.0;
  double GalaxyScaleY = 0.0;
  bool RadarAlert = false;
  PerPlayer<uint8_t> RadarSeen{};
  int16_t LabelIndex = 0;
  bool OverlayDrawn = false;
  PerWorld<bool> WorldTargeted{};
  int16_t HoverIndex = 0;
};

// The network and lobby state the game rules touch.
struct NetState {
  double TimeBias = -1.0;
  // On the host's lobby: connection n (1..3) holds seat n (it named itself and passed the seat
  // test).
  std::array<bool, 4> Seated{};
  // Connection n is open but has not named itself yet, and for how many ticks of the lobby's
  // name wait it has been silent.
  std::array<bool, 4> AwaitingName{};
  std::array<int16_t, 4> SilentTicks{};
  // On a network host: connection n is a client that marks where each state of a game reaches
  // it (it said so on joining), and how many states it was sent since it opened that it has not
  // marked yet.
  // While any is unmarked, its orders and its Done were given in a game it had before, and count
  // for nothing. A client that does not mark is taken as it speaks.
  std::array<bool, 4> MarksStates{};
  std::array<int16_t, 4> StatesUnmarked{};
  std::array<std::string, 101> ServerRowIP{};
  std::array<std::string, 51> ServerExcluded{};
};

// The battle in progress (one at a time). BattleData[side][field]: side 1 the attacker (the
// fleet), 2 the defender (the world); field 1 ships at start, 2 class, 3 accuracy in percent,
// 4 shield points left, 5 ships left, 6 shots left before the next reload. Sides 0 and 3 and
// fields 0 and 7 are not used. Ship counts are held in 32 bits, so any garrison can fight.
namespace battle_data {
inline constexpr int kAttacker = 1, kDefender = 2;  // the sides
inline constexpr int kStart = 1, kClass = 2, kAccuracy = 3, kShield = 4, kShipsLeft = 5, kShotsLeft = 6;
}  // namespace battle_data
struct BattleState {
  std::array<std::array<int32_t, 8>, 4> BattleData{};
  uint8_t AttackAccuracy = 0;
  uint8_t DefendAccuracy = 0;
  uint8_t BattleSide = 0;  // the side now shooting; when the battle ends, the winner
};

// Player colours by owner code, as set when the setup window loads.
inline constexpr double kNeutralColor = 16776960.0;  // cyan: neutral worlds and game notices
inline constexpr double Rgb(int r, int g, int b) {
  return r + 256.0 * g + 65536.0 * b;
}
inline constexpr std::array<double, kPlayerSlots> kPlayerColors = {
    kNeutralColor, Rgb(0, 150, 255), Rgb(255, 50, 0), Rgb(255, 235, 0), Rgb(0, 200, 50)};
inline constexpr std::array<const char*, 6> kCpuNames = {"Pandora", "Phoebe", "Calypso",
                                                         "Atlas",   "Titan",  "Hyperion"};

}  // namespace zarnath
