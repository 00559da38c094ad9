// The message table and the handler of each tag.
#include "net/protocol.h"

#include <array>
#include <cfloat>
#include <cmath>

#include "engine/battle.h"
#include "engine/chat.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "engine/game_window.h"
#include "engine/menu_state.h"
#include "engine/net_send.h"
#include "engine/setup_load.h"
#include "engine/turn.h"
#include "engine/turn_show.h"
#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/orbit_step.h"
#include "model/recall.h"
#include "model/setup_rules.h"
#include "model/state_check.h"
#include "model/view_geometry.h"
#include "net/lobby.h"
#include "net/net_session.h"

namespace zarnath {
namespace {

constexpr size_t kLongestName = 12;

bool ReadWhole(std::string_view payload, long long lo, long long hi, long long& out) {
  double v = 0;
  if (!ReadNumber(payload, v)) return false;
  const auto r = RoundInto(v, lo, hi);
  if (!r) return false;
  out = *r;
  return true;
}

bool ReadSingle(std::string_view payload, float& out) {
  double v = 0;
  if (!ReadNumber(payload, v) || !(std::fabs(v) <= FLT_MAX)) return false;
  out = static_cast<float>(v);
  return true;
}

// --- one field of a world, a travel slot or a bomb ---

template <auto Field, long long Lo, long long Hi>
bool StoreWhole(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!ReadWhole(m.payload, Lo, Hi, v)) return false;
  auto& field = s.game.*Field;
  field[static_cast<size_t>(m.index)] = static_cast<typename std::decay_t<decltype(field)>::value_type>(v);
  return true;
}

template <auto Field>
bool StoreSingle(NetSession& s, const Incoming& m) {
  float v = 0;
  if (!ReadSingle(m.payload, v)) return false;
  (s.game.*Field)[static_cast<size_t>(m.index)] = v;
  return true;
}

// A number field's value as the frame carries it: a float (a 64-bit field travels to single
// precision), or a whole number in the field's range.
bool ReadFieldValue(const RecordField& field, std::string_view payload, double& value) {
  if (field.width == FieldWidth::kSingle || field.width == FieldWidth::kDouble) {
    float v = 0;
    if (!ReadSingle(payload, v)) return false;
    value = v;
    return true;
  }
  long long v = 0;
  if (!ReadWhole(payload, field.lo, field.hi, v)) return false;
  value = static_cast<double>(v);
  return true;
}

// The world field of the frame's tag.
bool StoreWorldField(NetSession& s, const Incoming& m) {
  const WorldField f = m.entry ? m.entry->world : WorldField::kNone;
  if (f == WorldField::kNone) return false;
  const RecordField& field = FieldOf(f);
  if (field.width == FieldWidth::kText) {
    SetFieldText(s.game, f, m.index, std::string(m.payload));
    return true;
  }
  double v = 0;
  if (!ReadFieldValue(field, m.payload, v)) return false;
  SetField(s.game, f, m.index, v);
  return true;
}

// The travel-slot field of the frame's tag.
bool StoreSlotField(NetSession& s, const Incoming& m) {
  const FleetField f = m.entry ? m.entry->fleet : FleetField::kNone;
  double v = 0;
  if (f == FleetField::kNone || !ReadFieldValue(FieldOf(f), m.payload, v)) return false;
  SetField(s.game, f, m.index, v);
  return true;
}

bool StoreBombWorld(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!ReadWhole(m.payload, 0, kMaxWorlds - 1, v)) return false;
  s.game.ProxBombWorld[static_cast<size_t>(m.index)] = static_cast<float>(v);
  return true;
}

bool StoreOwnHistory(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  if (g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats) return false;
  g.WorldHistory[static_cast<size_t>(g.CurrentPlayer)][static_cast<size_t>(m.index)] = std::string(m.payload);
  return true;
}

// --- the checks of a client's orders on the host ---

// The seat of the client on socket `element`, while it may give orders: a game is on, the turn
// is not being resolved and the seat has not finished its turn.
bool MayOrder(const NetSession& s, int element) {
  const Game& g = s.game;
  if (element < 1 || element >= kSeats || g.WorldCount == 0 || g.PlayerName[0].empty()) return false;
  if (g.TurnResolving || g.PlayerGone[static_cast<size_t>(element)]) return false;
  if (OnEarlierGame(g, element)) return false;  // given in the game it had before
  const TurnStatus status = g.SeatStatus[static_cast<size_t>(element)];
  return status != TurnStatus::kDoneTurn && status != TurnStatus::kEliminated;
}

bool OwnWorld(const GameState& g, int element, int world) {
  return world >= 0 && world < g.WorldCount && g.WorldOwner[static_cast<size_t>(world)] == element + 1;
}

// A client's launch, under the rule its own window follows: the order its record stands for must
// pass the launch check for the client's seat, and the record must be that launch as this
// machine's solver prices it and a slot this machine's own saved game takes.
bool HostSendOrder(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  const auto v = ParseFleetRecord(m.payload);
  if (!v || !MayOrder(s, m.element)) return false;
  const auto order = OrderOfRecord(*v);
  LaunchTrip trip;
  if (!order || CheckLaunch(g, m.element, *order, &trip) != LaunchResult::kLaunched ||
      !RecordIsLaunch(*v, LaunchedSlot(g, *order, trip)) || CheckLaunchRecord(g, *v))
    return false;
  int slot = -1;
  for (int j = 0; j < kUsedFleetSlots && slot < 0; ++j)
    if (g.FleetFrom[static_cast<size_t>(j)] == 0) slot = j;
  StoreFleetRecord(g, slot, *v);
  ChargeLaunch(g, *order);
  return true;
}

// A client's recall, under the rule its own in-transit list follows: the sender's own object, named
// by its record, that has not moved since its launch.
bool HostUnsendOrder(NetSession& s, const Incoming& m) {
  const auto v = ParseFleetRecord(m.payload);
  if (!v) return false;
  if (v->from == 0) {
    // No object in flight is a free slot: the client marks where it stands.
    HostTakesStateMark(s.game, m.element);
    return true;
  }
  if (!MayOrder(s, m.element)) return false;
  return RecallByRecord(s.game, m.payload, m.element) == RecallResult::kRecalled;
}

bool HostShieldOrder(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!MayOrder(s, m.element) || !OwnWorld(s.game, m.element, m.index) || !ReadWhole(m.payload, 0, 1, v))
    return false;
  s.game.WorldShieldOn[static_cast<size_t>(m.index)] = static_cast<uint8_t>(v);
  return true;
}

// Arming a pulse bomb, under the rule the client's own command follows: a home world the client's
// seat holds, not armed yet, with a bomb to take. The code arrives first, then the bombs.
bool HostPulseTypeOrder(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  const size_t w = static_cast<size_t>(m.index);
  long long v = 0;
  if (!MayOrder(s, m.element) || !CanArmPulseBomb(g, m.element, m.index) ||
      !ReadWhole(m.payload, INT16_MIN, INT16_MAX, v) || v != g.WorldType[w] + kPulseArmed)
    return false;
  g.WorldType[w] = static_cast<int16_t>(v);
  s.pulseChargeDue[w] = true;
  return true;
}

// The bomb of an arming just taken: the same seat's world, armed, one bomb less.
bool HostPulseBombsOrder(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  const size_t w = static_cast<size_t>(m.index);
  long long v = 0;
  if (!MayOrder(s, m.element) || !OwnWorld(g, m.element, m.index) || !PulseArmedOn(g, m.index) ||
      !s.pulseChargeDue[w] || !ReadWhole(m.payload, 0, INT16_MAX, v) || v != g.WorldBombs[w] - 1)
    return false;
  s.pulseChargeDue[w] = false;
  g.WorldBombs[w] = static_cast<int16_t>(v);
  return true;
}

// --- tags that are an order on the host and a field on a client ---

template <MessageHandler HostOrder>
bool OrderOrField(NetSession& s, const Incoming& m) {
  if (s.IsHost()) return HostOrder(s, m);
  return StoreWorldField(s, m);
}

bool SendHandler(NetSession& s, const Incoming& m) {
  if (s.IsHost()) return HostSendOrder(s, m);
  const auto v = ParseFleetRecord(m.payload);
  if (!v || (v->from != 0 && !FleetRecordFitsGame(s.game, *v))) return false;
  StoreFleetRecord(s.game, m.index, *v);
  return true;
}

// --- lobby, chat and status ---

bool NameHandler(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  if (m.payload.size() > kLongestName || g.GameInProgress) return false;
  const std::string name(m.payload);
  if (s.IsHost()) {
    // A client names only itself: its first name seats it, a later one renames its seat.
    if (m.index != 0 || name.empty() || name.find('*') != std::string::npos) return false;
    return HostClientNamed(g, m.element, name);
  }
  if (m.index == 0) return false;  // the client's own box is its own
  SetName(g, m.index, name);
  if (m.index >= 2) {
    g.setup.lblStatus[static_cast<size_t>(m.index)] =
        name.empty() ? "Waiting for Client..." : "Client Connected";
    if (!name.empty()) g.io.platform.PlaySound("gameinfo.wav");
  }
  g.io.screen.Refresh(Control::kSetupNameBox);
  return true;
}

bool MessageHandler_(NetSession& s, const Incoming& m) {
  const std::string line(m.payload);
  // The host hears a lobby member once it has named itself, and in a game the players.
  if (s.IsHost() && !HostHearsChatFrom(s.game, m.element)) return false;
  // Of a burst of lines, only the last one sounds: each sound holds the game until it ends.
  const bool sound = !s.MoreWaiting();
  if (!s.game.GameInProgress) {
    LobbyChatArrived(s.game, line, sound);
    return true;
  }
  // A game's chat line is shown, relayed by the host and sounded by the chat's own rules.
  if (ChatMessageArrives(s.game, line, sound) == ChatArrival::kShown) return true;
  if (s.onChat) {
    s.onChat(m.element, line);
    return true;
  }
  Game& g = s.game;
  g.window.txtChat.Append(line + "\r\n");
  g.io.screen.Refresh(Control::kTxtChat);
  if (s.IsHost()) HostSend(g, Frame(Tag::kMessage, 0, line));
  return true;
}

void Announce(Game& g, const std::string& text, int ms) {
  g.window.lblPlanet.Caption = text;
  g.window.lblPlanet.Alignment = 2;
  g.window.lblPlanet.Visible = true;
  g.io.screen.Refresh(Control::kLblPlanet);
  g.io.screen.Refresh(Control::kWindow);
  g.io.platform.Pause(ms);
  g.window.lblPlanet.Alignment = 0;
  g.window.lblPlanet.Visible = false;
  g.io.screen.Refresh(Control::kLblPlanet);
}

// A client's Done that the host does not take: the client learns its seat's status as the host
// holds it, so its window does not wait as done on a turn that cannot end without it. While the
// turn resolves, the next turn's opening tells it.
void TellSeatItsStatus(NetSession& s, int element) {
  const Game& g = s.game;
  if (element < 1 || element >= kSeats || !g.GameInProgress || g.TurnResolving) return;
  const size_t n = static_cast<size_t>(element);
  if (g.PlayerName[n].empty() || g.PlayerGone[n] || g.SeatStatus[n] == TurnStatus::kNone) return;
  // A client that knows only the game's frames hears of a seat only its Done or its departure.
  if (g.SeatStatus[n] != TurnStatus::kDoneTurn && !g.MarksStates[n]) return;
  NetSend(s.game, Frame(Tag::kStatus, element, StatusCaption(g, element)), SendPace::kYield, element);
}

// What a client takes of its host's word on a seat. An honest host tells a seat's Done, once a
// turn, and a seat gone from the game; the client works out eliminations and the start of each
// turn itself. So a seat goes from taking its turn to done, or out of the game, and nothing else
// changes it; its own seat is done only once it has finished the turn itself (Done, its timer,
// or no world left to order from), and "Taking Turn" for it while it is done, outside the host's
// resolution and any state still coming, gives the turn back. What changes nothing is taken as it stands.
bool ClientTakesStatus(const Game& g, int seat, TurnStatus status) {
  const TurnStatus now = g.SeatStatus[static_cast<size_t>(seat)];
  const bool own = seat == g.CurrentPlayer;
  if (status == now) return true;
  switch (status) {
    case TurnStatus::kDoneTurn:
      return now == TurnStatus::kTakingTurn && (!own || g.TurnDone);
    case TurnStatus::kTakingTurn:
      return own && now == TurnStatus::kDoneTurn && g.TurnDone && !g.TurnResolving && !g.StateComing;
    case TurnStatus::kDisconnected:
      return true;
    default:
      return false;
  }
}

// A seat's status label as text: decoded into the seat's status here, and made again from the
// status wherever it is shown or sent on.
bool StatusHandler(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  const size_t n = static_cast<size_t>(m.index);
  const auto status = StatusOfCaption(g, m.index, m.payload);
  if (!status) return false;
  const bool own = m.index == g.CurrentPlayer;
  if (s.IsHost()) {
    if (m.index != m.element) return false;  // a client speaks only for its own seat
    // A Done given in the game the client had before its last state counts for nothing here.
    if (OnEarlierGame(g, m.index)) return false;
    // A client reports only its seat finishing its turn.
    if (*status != TurnStatus::kDoneTurn) return false;
    if (!MayOrder(s, m.element)) {
      TellSeatItsStatus(s, m.element);
      return false;
    }
  } else if (!ClientTakesStatus(g, m.index, *status)) {
    return false;
  }
  if (*status == g.SeatStatus[n]) {
    // Nothing changes: no notice, sound or pause. A seat told gone stays gone.
    if (!s.IsHost() && *status == TurnStatus::kDisconnected) g.PlayerGone[n] = true;
    return true;
  }
  if (!s.IsHost() && own && *status == TurnStatus::kTakingTurn) {
    ReopenSeatTurn(g);
    return true;
  }
  g.SeatStatus[n] = *status;
  const std::string caption = StatusCaption(g, m.index);
  g.io.screen.Refresh(Control::kLblStatus);
  if (!own) {
    ShowNotice(g, kNeutralColor, "- " + caption + "! -");
    EventSound(g, "gameinfo.wav");
  }
  g.io.platform.Pause(500);
  const std::string waiting = WaitingListText(g);
  if (!waiting.empty()) {
    ShowNotice(g, kNeutralColor, waiting);
    EventSound(g, "gameinfo.wav");
  }
  if (s.IsHost()) {
    HostSend(g, Frame(Tag::kStatus, m.index, caption));
    if (!g.TurnResolving) HostEndTurnIfAllDone(g);
  } else if (*status == TurnStatus::kDisconnected && !g.PlayerGone[n]) {
    // Gone for the rest of the game, as the host keeps it: no later turn takes it up again.
    g.PlayerGone[n] = true;
    const std::string& who = g.PlayerName[n];
    Announce(g, "\r\n    " + who + " Disconnected    \r\n", 5000);
    ShowNotice(g, kNeutralColor, "- " + who + " Disconnected! -");
    LogTo(g, g.CurrentPlayer, g.window.txtGame.Text);
    g.io.platform.Yield();
  }
  return true;
}

// --- the start of a game's state ---

bool NewStateHandler(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  long long worlds = 0;
  if (!ReadWhole(m.payload, kWorldsMin, kWorldsMax, worlds)) return false;
  // The game that was here is gone: until the new one opens, no order or Done goes out for it,
  // and the host learns that what came before was meant for the game it had. Once a state.
  g.InputBusy = true;
  g.StateComing = true;
  // Nor does its turn's clock run on: the state's [SHOW] starts the clock of the game it brings.
  StopTurnTimer(g);
  if (s.start.First()) SendToHost(g, StateMarkFrame());
  if (g.WorldCount != 0) {
    Announce(g, "\r\n    The Server Has Reset The Game!    \r\n", 2000);
    g.io.platform.Yield();
    for (auto& player : g.ScoutInfo)
      for (int field = 0; field <= 4; ++field) player[static_cast<size_t>(field)].fill(0);
    for (auto& marks : g.WorldMarked) marks.fill(false);
    g.WorldNoGather.fill(false);
  }
  // A new game starts with every seat in it; a state sent again in play keeps who left.
  if (!g.GameInProgress) g.PlayerGone.fill(false);
  g.WorldCount = static_cast<uint8_t>(worlds);
  g.setup.txtPlanets = std::string(m.payload);
  SetWorldBar(g, static_cast<int>(worlds));
  return true;
}

bool PlayerNameHandler(NetSession& s, const Incoming& m) {
  if (m.payload.size() > kLongestName) return false;
  s.game.PlayerName[static_cast<size_t>(m.index)] = std::string(m.payload);
  return true;
}

bool YearHandler(NetSession& s, const Incoming& m) {
  float v = 0;
  if (!ReadSingle(m.payload, v) || !(v >= 1.0f && v < 1e6f)) return false;
  s.game.GameYear = v;
  return true;
}

bool TurnHandler(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!ReadWhole(m.payload, 1, kSeats - 1, v)) return false;
  s.game.CurrentPlayer = static_cast<int16_t>(v);
  return true;
}

bool TimeHandler(NetSession& s, const Incoming& m) {
  float v = 0;
  if (!ReadSingle(m.payload, v) || !(v >= 0.0f && v <= 1e6f)) return false;
  s.game.BattleDelay = v;
  return true;
}

bool LogHandler(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  if (g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats) return false;
  g.PlayerLog[static_cast<size_t>(g.CurrentPlayer)] = std::string(m.payload);
  return true;
}

bool ShowHandler(NetSession& s, const Incoming&) {
  Game& g = s.game;
  // The game opens only on a whole state, every frame of it taken.
  if (!s.start.Complete()) {
    LeaveOnIncompleteState(s);
    return false;
  }
  s.start = StartState{};
  g.StateLeftPartWay = g.StateComing = false;
  if (g.WorldCount == 0 || g.CurrentPlayer < 1 || g.CurrentPlayer >= kSeats) return false;
  g.window.SetupVisible = false;
  g.io.screen.HideSetupWindow();
  g.GameInProgress = true;
  if (!FormSetup(g)) return true;
  g.SelectedFrom = g.SelectedTo = -1;
  g.TurnDone = g.HideFleets = g.InputBusy = g.SpeedGame = g.TurnResolving = false;
  // A turn's end before the state locked the menus and the move log: the game opens with neither.
  SetMenusEnabled(g, true);
  g.window.txtMove.Busy = false;
  ShowSwitches(g);
  g.PlayerColor = kPlayerColors;
  SetAllTakingTurn(g);
  g.io.screen.Refresh(Control::kTxtChat);
  g.window.Caption = SeatCaption(g);
  GameCheck(g);
  // A client's game comes from its host: it starts, loads or renews none of its own.
  g.menus.mnuFileNew.Enabled = g.menus.mnuFileLoad.Enabled = g.menus.mnuFileNewSS.Enabled = false;
  g.BattleDelay = 0;
  g.io.screen.Refresh(Control::kWindow);
  return true;
}

// --- the game options ---

bool ShieldHandler(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!ReadWhole(m.payload, 0, 1, v)) return false;
  Game& g = s.game;
  TickShieldBox(g, static_cast<int>(v));
  g.menus.mnuOptionsShield.Checked = v == 1;
  g.menus.mnuOptionsShield.Caption =
      v == 1 ? "Ships Travel With Shields" : "Ships Do Not Travel With Shields";
  return true;
}

bool TruceHandler(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!ReadWhole(m.payload, 0, INT16_MAX, v)) return false;
  Game& g = s.game;
  g.menus.mnuOptionsTruce.Caption = "Battle Truce Until Turn #" + std::string(m.payload);
  g.menus.mnuOptionsTruce.Checked = true;
  g.TruceUntilTurn = static_cast<int16_t>(v);
  return true;
}

bool ModeHandler(NetSession& s, const Incoming& m) {
  long long v = 0;
  if (!ReadWhole(m.payload, 0, 1, v)) return false;
  Game& g = s.game;
  g.menus.mnuOptionsBattle.Checked = v == 1;
  g.menus.mnuOptionsBattle.Caption = v == 1 ? "Defensive Battle Mode" : "Offensive Battle Mode";
  SetModeBox(g, static_cast<int>(v));
  return true;
}

std::string Trimmed(std::string_view text) {
  const size_t a = text.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  return std::string(text.substr(a, text.find_last_not_of(' ') - a + 1));
}

template <int K>
bool OptionHandler(NetSession& s, const Incoming& m) {
  static constexpr std::array<const char*, 3> kCaptions = {
      "Maximum World Production = ", "World Treasures = ", "Maximum Gather/Scout Turns = "};
  static constexpr std::array<int, 3> kMax = {kProductionMax, kWorldsMax / 2 + 1, kGatherMax};
  long long v = 0;
  if (!ReadWhole(m.payload, OptionMin(K), kMax[K], v)) return false;
  Game& g = s.game;
  MenuItem& item = K == 0   ? g.menus.mnuOptionsProd
                   : K == 1 ? g.menus.mnuOptionsTreas
                            : g.menus.mnuOptionsGath;
  item.Caption = kCaptions[K] + StrTrim(static_cast<float>(v));
  g.setup.txtOp[K] = Trimmed(m.payload);
  if (K == 0) g.MaxProduction = static_cast<double>(v);
  SetOptionBar(g, K, static_cast<int>(v));
  return true;
}

bool RadarHandler(NetSession& s, const Incoming& m) {
  Game& g = s.game;
  const std::string v = Trimmed(m.payload);
  const int k = v == "On" ? 0 : v == "Off" ? 1 : 2;
  static constexpr std::array<const char*, 3> kCaptions = {"Home World Radar On", "Home World Radar Off",
                                                           "Home World Radar Unlimited"};
  g.menus.mnuOptionsRadar.Caption = kCaptions[static_cast<size_t>(k)];
  SetRadar(g, k);
  return true;
}

// --- the host's turn, replayed ---

bool EndTurnHandler(NetSession& s, const Incoming&) {
  if (s.game.WorldCount == 0) return false;
  EndTurn(s.game);
  return true;
}

bool PulseBombHandler(NetSession& s, const Incoming& m) {
  PulseBomb(s.game, m.index);
  Tell(s.game, turn_event::StepEnded{});
  return true;
}

bool GalaxyRotateHandler(NetSession& s, const Incoming&) {
  if (s.game.WorldCount == 0) return false;
  TurnTheYear(s.game);
  return true;
}

bool TravelShowHandler(NetSession& s, const Incoming&) {
  TravelShow(s.game);
  return true;
}

bool ProximityHandler(NetSession& s, const Incoming& m) {
  long long k = 0;
  if (!ReadWhole(m.payload, 0, kUsedBombSlots - 1, k)) return false;
  Proximity(s.game, m.index, static_cast<int>(k));
  Tell(s.game, turn_event::StepEnded{});
  return true;
}

template <turn_event::ArrivalKind Kind>
bool ArrivalHandler(NetSession& s, const Incoming& m) {
  if (!SlotInPlay(s.game, m.index)) return false;
  ResolveArrival(s.game, m.index, Kind);
  return true;
}

template <void (*Operation)(Game&, int)>
bool SlotEvent(NetSession& s, const Incoming& m) {
  if (!SlotInPlay(s.game, m.index)) return false;
  Operation(s.game, m.index);
  return true;
}

bool BattleAccuHandler(NetSession& s, const Incoming& m) {
  const std::string_view p = m.payload;
  if (p.size() != 4) return false;
  long long a = 0, d = 0;
  if (!ReadWhole(p.substr(0, 2), 60, 99, a) || !ReadWhole(p.substr(2, 2), 60, 99, d)) return false;
  s.game.AttackAccuracy = static_cast<uint8_t>(a);
  s.game.DefendAccuracy = static_cast<uint8_t>(d);
  return true;
}

template <int Side>
bool HitHandler(NetSession& s, const Incoming& m) {
  if (!SlotInPlay(s.game, m.index)) return false;
  LandHit(s.game, m.index, Side);
  return true;
}

bool FrameUpdateHandler(NetSession& s, const Incoming& m) {
  // The figures are the client's own; the pass count is only told on.
  long long pass = 0;
  if (!ReadWhole(m.payload, 0, INT32_MAX, pass)) pass = 0;
  Tell(s.game, turn_event::FiguresShown{m.index, static_cast<int>(pass), false});
  return true;
}

bool BattleDoneHandler(NetSession& s, const Incoming& m) {
  long long slot = 0;
  if (!ReadWhole(m.payload, 0, kUsedFleetSlots - 1, slot) || !SlotInPlay(s.game, static_cast<int>(slot)))
    return false;
  DecideBattle(s.game, static_cast<int>(slot), m.index);
  return true;
}

bool TravelHideHandler(NetSession& s, const Incoming&) {
  ClientTravelHide(s.game);
  return true;
}

using WF = WorldField;
using FF = FleetField;
using B = ProximityBombTable;
using P = PlayerTable;
using I = IndexOf;
using Y = PayloadOf;
using By = SentBy;

constexpr std::array<MessageEntry, kTagCount> kTable = {{
    {Tag::kName, "[NAME]", I::kLobbySeat, Y::kText, By::kBoth, "", NameHandler},
    {Tag::kMessage, "[MESSAGE]", I::kNone, Y::kText, By::kBoth, "", MessageHandler_},
    {Tag::kStatus, "[STATUS]", I::kPlayer, Y::kText, By::kBoth, "", StatusHandler},
    {Tag::kNP, "[NP]", I::kNone, Y::kNumber, By::kHost, "", NewStateHandler},
    {Tag::kN, "[N]", I::kPlayer, Y::kText, By::kHost, "", PlayerNameHandler},
    {Tag::kPV, "[PV]", I::kPlayer, Y::kNumber, By::kHost, "", StoreWhole<&P::HasCrystal, 0, 1>},
    {Tag::kYear, "[YEAR]", I::kNone, Y::kNumber, By::kHost, "", YearHandler},
    {Tag::kTurn, "[TURN]", I::kNone, Y::kNumber, By::kHost, "", TurnHandler},
    {Tag::kTime, "[TIME]", I::kNone, Y::kNumber, By::kHost, "", TimeHandler},
    {Tag::kGH, "[GH]", I::kNone, Y::kText, By::kHost, "", LogHandler},
    {Tag::kShow, "[SHOW]", I::kNone, Y::kWord, By::kHost, "Galaxy", ShowHandler},
    {Tag::kS, "[S]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kAngle},
    {Tag::kR, "[R]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kRadius},
    {Tag::kM, "[M]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kAngularSpeed},
    {Tag::kPN, "[PN]", I::kWorld, Y::kText, By::kHost, "", StoreWorldField, WF::kName},
    {Tag::kPP, "[PP]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kProduction},
    {Tag::kPC, "[PC]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kClass},
    {Tag::kPH, "[PH]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kShield},
    {Tag::kPM, "[PM]", I::kWorld, Y::kNumber, By::kBoth, "", OrderOrField<HostShieldOrder>, WF::kShieldOn},
    {Tag::kPD, "[PD]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kKnownStat},
    {Tag::kPO, "[PO]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kOwner},
    {Tag::kPS, "[PS]", I::kWorld, Y::kNumber, By::kHost, "", StoreWorldField, WF::kShips},
    {Tag::kPY, "[PY]", I::kWorld, Y::kText, By::kHost, "", StoreOwnHistory, WF::kHistory},
    {Tag::kPT, "[PT]", I::kWorld, Y::kNumber, By::kBoth, "", OrderOrField<HostPulseTypeOrder>, WF::kType},
    {Tag::kPB, "[PB]", I::kWorld, Y::kNumber, By::kBoth, "", OrderOrField<HostPulseBombsOrder>, WF::kBombs},
    {Tag::kFP, "[FP]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kFrom},
    {Tag::kTP, "[TP]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kTo},
    {Tag::kFO, "[FO]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kOwner},
    {Tag::kNS, "[NS]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kShips},
    {Tag::kTC, "[TC]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kClass},
    {Tag::kTS, "[TS]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kShield},
    {Tag::kTD, "[TD]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kTimeLeft},
    {Tag::kSD, "[SD]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kTripTime},
    {Tag::kSS, "[SS]", I::kSlot, Y::kNumber, By::kHost, "", StoreSlotField, WF::kNone, FF::kAngleParam},
    {Tag::kBO, "[BO]", I::kBomb, Y::kNumber, By::kHost, "", StoreWhole<&B::ProxBombOwner, 0, kSeats>},
    {Tag::kBW, "[BW]", I::kBomb, Y::kNumber, By::kHost, "", StoreBombWorld},
    {Tag::kBT, "[BT]", I::kBomb, Y::kNumber, By::kHost, "", StoreSingle<&B::ProxBombThreshold>},
    {Tag::kShield, "[SHIELD]", I::kNone, Y::kNumber, By::kHost, "", ShieldHandler},
    {Tag::kTruce, "[TRUCE]", I::kNone, Y::kNumber, By::kHost, "", TruceHandler},
    {Tag::kMode, "[MODE]", I::kNone, Y::kNumber, By::kHost, "", ModeHandler},
    {Tag::kMaxProd, "[MAXPROD]", I::kNone, Y::kNumber, By::kHost, "", OptionHandler<0>},
    {Tag::kTreasures, "[TREASURES]", I::kNone, Y::kNumber, By::kHost, "", OptionHandler<1>},
    {Tag::kGather, "[GATHER]", I::kNone, Y::kNumber, By::kHost, "", OptionHandler<2>},
    {Tag::kRadar, "[RADAR]", I::kNone, Y::kText, By::kHost, "", RadarHandler},
    {Tag::kSend, "[SEND]", I::kSlot, Y::kFleetRecord, By::kBoth, "", SendHandler},
    {Tag::kUnsend, "[UNSEND]", I::kNone, Y::kFleetRecord, By::kClient, "", HostUnsendOrder},
    {Tag::kEndTurn, "[ENDTURN]", I::kNone, Y::kWord, By::kHost, "Endturn", EndTurnHandler},
    {Tag::kPulseBomb, "[PULSEBOMB]", I::kHomeWorld, Y::kWord, By::kHost, "PulseBomb", PulseBombHandler},
    {Tag::kGalaxyRotate, "[GALAXYROTATE]", I::kNone, Y::kWord, By::kHost, "GALAXYROTATE",
     GalaxyRotateHandler},
    {Tag::kTravelShow, "[TRAVELSHOW]", I::kNone, Y::kWord, By::kHost, "TravelShow", TravelShowHandler},
    {Tag::kProximity, "[PROXIMITY]", I::kSlot, Y::kNumber, By::kHost, "", ProximityHandler},
    {Tag::kReinforcements, "[REINFORCEMENTS]", I::kSlot, Y::kWord, By::kHost, "Reinforcements",
     ArrivalHandler<turn_event::ArrivalKind::kReinforcements>},
    {Tag::kScout, "[SCOUT]", I::kSlot, Y::kWord, By::kHost, "Scout",
     ArrivalHandler<turn_event::ArrivalKind::kScout>},
    {Tag::kProximitySet, "[PROXIMITYSET]", I::kSlot, Y::kWord, By::kHost, "ProximitySet",
     ArrivalHandler<turn_event::ArrivalKind::kProximityBomb>},
    {Tag::kBattleAccu, "[BATTLEACCU]", I::kNone, Y::kNumber, By::kHost, "", BattleAccuHandler},
    {Tag::kBattleSetup, "[BATTLESETUP]", I::kSlot, Y::kWord, By::kHost, "BattleSetup",
     SlotEvent<BattleSetup>},
    {Tag::kFromHit, "[FROMHIT]", I::kSlot, Y::kWord, By::kHost, "FromHit",
     HitHandler<battle_data::kAttacker>},
    {Tag::kToHit, "[TOHIT]", I::kSlot, Y::kWord, By::kHost, "ToHit", HitHandler<battle_data::kDefender>},
    {Tag::kFrameUpdate, "[FRAMEUPDATE]", I::kSlot, Y::kNumber, By::kHost, "", FrameUpdateHandler},
    {Tag::kBattleDone, "[BATTLEDONE]", I::kSide, Y::kNumber, By::kHost, "", BattleDoneHandler},
    {Tag::kTravelHide, "[TRAVELHIDE]", I::kNone, Y::kWord, By::kHost, "TravelHide", TravelHideHandler},
}};

constexpr bool TableInTagOrder() {
  for (int i = 0; i < kTagCount; ++i)
    if (static_cast<int>(kTable[static_cast<size_t>(i)].id) != i) return false;
  return true;
}
static_assert(TableInTagOrder(), "the message table lists every tag once, in the order of Tag");

}  // namespace

std::string StateMarkFrame() {
  static constexpr std::string_view kFreeSlot = "0000000000000000.00010.0000.000";
  static_assert(kFreeSlot.size() == kFleetRecordLength);
  return Frame(Tag::kUnsend, 0, kFreeSlot);
}

void HostTakesStateMark(Game& g, int seat) {
  if (seat < 1 || seat >= kSeats) return;
  const size_t n = static_cast<size_t>(seat);
  // The connection's first mark is the one of its joining, which the client sends before any
  // state could reach it: it marks none of the states sent since.
  if (!g.MarksStates[n]) {
    g.MarksStates[n] = true;
    return;
  }
  if (g.StatesUnmarked[n] > 0) --g.StatesUnmarked[n];
}

void HostSendsState(Game& g, int seat) {
  if (seat < 1 || seat >= kSeats) return;
  const size_t n = static_cast<size_t>(seat);
  // Counted before the client has said that it marks: its joining mark may still be on its way.
  if (g.StatesUnmarked[n] < INT16_MAX) ++g.StatesUnmarked[n];
}

bool OnEarlierGame(const Game& g, int seat) {
  if (seat < 1 || seat >= kSeats) return false;
  const size_t n = static_cast<size_t>(seat);
  return g.MarksStates[n] && g.StatesUnmarked[n] > 0;
}

const MessageEntry& Entry(Tag tag) {
  return kTable[static_cast<size_t>(tag)];
}

std::span<const MessageEntry> Entries() {
  return kTable;
}

const MessageEntry* FindEntry(std::string_view tag) {
  for (const MessageEntry& s : kTable)
    if (s.tag == tag) return &s;
  return nullptr;
}

bool IndexFits(IndexOf kind, int index) {
  switch (kind) {
    case IndexOf::kNone:
      return index == 0;
    case IndexOf::kLobbySeat:
    case IndexOf::kPlayer:
      return index >= 0 && index < kSeats;
    case IndexOf::kWorld:
      return index >= 0 && index < kMaxWorlds;
    case IndexOf::kHomeWorld:
      return index >= kHomeWorld0 && index < kHomeWorld0 + kSeats;
    case IndexOf::kSlot:
      return index >= 0 && index < kUsedFleetSlots;
    case IndexOf::kBomb:
      return index >= 0 && index < kUsedBombSlots;
    case IndexOf::kSide:
      return index == 1 || index == 2;
  }
  return false;
}

std::string Frame(Tag tag, int index, std::string_view payload) {
  const MessageEntry& s = Entry(tag);
  std::string m;
  m.reserve(s.tag.size() + 4 + payload.size());
  m += s.tag;
  m += ' ';
  if (index >= 0 && index < 100) {
    m += static_cast<char>('0' + index / 10);
    m += static_cast<char>('0' + index % 10);
  } else {
    m += Format(index, "00");
  }
  m += payload;
  m += '*';
  return m;
}

std::string Frame(Tag tag, int index) {
  return Frame(tag, index, Entry(tag).word);
}

bool ReadNumber(std::string_view payload, double& value) {
  size_t i = 0;
  const size_t n = payload.size();
  while (i < n && payload[i] == ' ') ++i;
  const size_t start = i;
  if (i < n && (payload[i] == '-' || payload[i] == '+')) ++i;
  size_t digits = 0;
  while (i < n && payload[i] >= '0' && payload[i] <= '9') ++i, ++digits;
  if (i < n && payload[i] == '.') {
    ++i;
    while (i < n && payload[i] >= '0' && payload[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (payload[i] == 'E' || payload[i] == 'e')) {
    ++i;
    if (i < n && (payload[i] == '-' || payload[i] == '+')) ++i;
    size_t e = 0;
    while (i < n && payload[i] >= '0' && payload[i] <= '9') ++i, ++e;
    if (e == 0) return false;
  }
  const size_t end = i;
  while (i < n && payload[i] == ' ') ++i;
  if (i != n) return false;
  const auto v = ValInRange(payload.substr(start, end - start));
  if (!v || !std::isfinite(*v)) return false;
  value = *v;
  return true;
}

}  // namespace zarnath
