// The next-player step.
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/game_window.h"
#include "engine/turn.h"
#include "engine/turn_show.h"
#include "model/click_rules.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/orbit_step.h"
#include "model/status_report.h"
#include "model/truce.h"

namespace zarnath {
namespace {

using namespace turn_event;

bool OwnsAWorld(const GameState& g, int seat) {
  for (int w = 0; w < g.WorldCount; ++w)
    if (g.WorldOwner[static_cast<size_t>(w)] == seat + 1) return true;
  return false;
}

bool AnySeatOwnsAWorld(const GameState& g) {
  for (int p = 0; p < kSeats; ++p)
    if (OwnsAWorld(g, p)) return true;
  return false;
}

bool ForeignObjectInFlight(const GameState& g, int seat) {
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t i = static_cast<size_t>(j);
    if (g.FleetFrom[i] != 0 && g.FleetOwner[i] > 0 && g.FleetOwner[i] != seat + 1) return true;
  }
  return false;
}

// The own seat of a network machine is out or has nothing to order: its caption says so.
void MarkOwnSeat(Game& g, const char* suffix, bool focusChat = false) {
  Tell(g, OwnSeatMarked{suffix, focusChat});
  g.TurnDone = true;
}

void Eliminate(Game& g, int p) {
  const std::string& name = g.PlayerName[static_cast<size_t>(p)];
  Tell(g, SeatEliminated{p});
  LogToHumans(g, " - " + name + " Was Eliminated From The Game!");
  g.SeatStatus[static_cast<size_t>(p)] = TurnStatus::kEliminated;
}

// Victory by conquest: the result goes to the high-score table, the orbits run on for a year and
// the game returns to the setup window. The menus stay locked throughout.
void Conquest(Game& g, int p, const PlayerStock& s, float rating) {
  SetMenusEnabled(g, false);
  const std::string name = g.PlayerName[static_cast<size_t>(p)];
  Tell(g,
       SolarSystemTaken{p, "\r\n    " + name + " Has Taken Over The Entire Solar System!    \r\n    " +
                               Str(s.worlds) + " Worlds With" + Str(s.production) + " Production and" +
                               Str(s.ships) + " Ships" + ", Rating: " + Format(rating, "0.0") + "    \r\n"});
  g.io.flow.HighScore(name, rating, s.ships, s.production, s.worlds, s.classSum);
  Tell(g, ConquestAnnounced{p, "- " + name + " Has Taken Over The Entire Solar System With An Rating Of " +
                                   Format(rating, "0.0") + " -"});
  StopTurnTimer(g);
  for (int i = 0; i < 20; ++i) {
    GalaxyRotate(g);
    Tell(g, StepEnded{});
  }
  ClearGame(g);
  Tell(g, GameLeft{});
  // The game is over: nothing of it locks the setup window's next game or load.
  ReleaseAbandonedGame(g);
}

// The winner that an elimination mask names (bit p: seat p is out), and only when every other
// named seat is indeed out.
int EliminationWinner(const GameState& g, int outMask) {
  auto unnamed = [&](int p) { return g.PlayerName[static_cast<size_t>(p)].empty(); };
  int winner = -1;
  switch (outMask) {
    case 1:
      winner = unnamed(2) ? 1 : -1;
      break;
    case 2:
      winner = unnamed(2) ? 0 : -1;
      break;
    case 3:
      winner = unnamed(3) ? 2 : -1;
      break;
    case 5:
      winner = unnamed(3) ? 1 : -1;
      break;
    case 6:
      winner = unnamed(3) ? 0 : -1;
      break;
    case 7:
      winner = 3;
      break;
    case 11:
      winner = 2;
      break;
    case 13:
      winner = 1;
      break;
    case 14:
      winner = 0;
      break;
    default:
      return -1;
  }
  if (winner < 0 || unnamed(winner) || (outMask & (1 << winner))) return -1;
  for (int p = 0; p < kSeats; ++p)
    if (p != winner && !unnamed(p) && !(outMask & (1 << p))) return -1;
  return winner;
}

void AnnounceEliminationVictory(Game& g, int w) {
  g.GameOver = true;
  Tell(g, LastSeatStanding{w});
}

// A notice of the game (neutral colour) with its sound and pause.
void GameInfo(Game& g, const std::string& text, bool withSound) {
  Tell(g, GameNoticeShown{text, withSound});
}

void TruceNotices(Game& g) {
  const int left = TruceTurnsLeft(g);
  if (left == 0 || left >= 5) {
    if (TruceEndsThisTurn(g)) GameInfo(g, " - Battle Truce Has Ended! -", true);
    return;
  }
  GameInfo(
      g, left <= 1 ? "-  Battle Truce Ends Next Turn! -" : "- Battle Truce Ends In" + Str(left) + " Turns! -",
      true);
}

void StartOfGameNotices(Game& g, int t) {
  g.window.txtGame.ForeColor = kNeutralColor;
  if (g.setup.chkTruce == 1)
    GameInfo(g, "- Battle Truce Set Until Turn" + Str(g.TruceUntilTurn - t) + "! -", false);
  if (g.setup.chkShield == 1) GameInfo(g, "- Ships Set To Travel With Shields! -", false);
  if (g.setup.chkMode == 1) GameInfo(g, "- Defensive Battle Mode Set! -", false);
}

// A history keeps its start, up to the first line break at or after character 1000; a log keeps
// its end, from the last line break at or before character 2000.
void TrimTexts(GameState& g) {
  for (int w = 0; w < g.WorldCount; ++w)
    for (int p = 0; p < kSeats; ++p) {
      std::string& h = g.WorldHistory[static_cast<size_t>(p)][static_cast<size_t>(w)];
      if (h.size() <= 1500) continue;
      const size_t at = h.find("\r\n", 999);
      h = at == std::string::npos ? std::string() : h.substr(0, at + 1);
    }
  for (int p = 0; p < kSeats; ++p) {
    std::string& log = g.PlayerLog[static_cast<size_t>(p)];
    if (log.size() <= 3000) continue;
    const size_t at = log.rfind("\r\n", 1999);
    const size_t keep = at == std::string::npos ? 0 : at + 1;
    log = log.substr(log.size() - keep);
  }
}

}  // namespace

bool OwnSeatHoldsNoWorld(const GameState& g) {
  const int cp = g.CurrentPlayer;
  if (cp < 0 || cp >= kSeats) return false;
  const size_t me = static_cast<size_t>(cp);
  return !g.PlayerName[me].empty() && !g.PlayerGone[me] && !OwnsAWorld(g, cp);
}

int TurnMinutesFor(int turn) {
  return turn < 5 ? 3 : turn < 15 ? 4 : turn < 30 ? 5 : 6;
}

bool GameCheck(Game& g) {
  // A proximity-bomb dialog opened for the seat that just finished sends nothing for the next.
  g.ProxFrom = -1;
  g.window.ProximityDialogVisible = false;
  // At one computer: the next seat that owns a world, or the end of the round.
  if (!g.NetworkGame) {
    if (g.CurrentPlayer < 0) g.CurrentPlayer = 0;
    while (g.CurrentPlayer >= kSeats || !OwnsAWorld(g, g.CurrentPlayer)) {
      if (g.CurrentPlayer + 1 < kSeats) {
        ++g.CurrentPlayer;
        continue;
      }
      if (!AnySeatOwnsAWorld(g)) {
        // Nothing could ever end this round: stop instead of resolving turns for nobody.
        StopTurnTimer(g);
        SetMenusEnabled(g, true);
        g.InputBusy = false;
        g.window.txtMove.Busy = false;
        Tell(g, GameStuck{});
        return false;
      }
      g.window.txtGame.ForeColor = kNeutralColor;
      EndTurn(g);
      return false;
    }
  }
  const int cp = g.CurrentPlayer;
  if (cp < 0 || cp >= kSeats) return false;
  const size_t me = static_cast<size_t>(cp);
  const int turn = TurnOf(g);

  if (g.HasCrystal[me] == 1) {
    for (int w = 0; w < g.WorldCount; ++w) {
      const size_t i = static_cast<size_t>(w);
      if (g.WorldOwner[i] == 0) LearnWorld(g, cp, w);
    }
  }
  g.TurnDone = false;
  g.DoneWaiting = false;
  // In a network game this machine's seat with no world has nothing to order: it is done.
  const bool ownSeatDone = g.NetworkGame && OwnSeatHoldsNoWorld(g);

  int outMask = 0;
  for (int p = 0; p < kSeats; ++p) {
    const size_t i = static_cast<size_t>(p);
    if (g.PlayerName[i].empty() || g.PlayerGone[i]) continue;
    const PlayerStock s = TakeStock(g, p);
    const float rating = RatingOf(s, turn);
    if (s.worlds == 0 && s.inFlight == 0) {
      outMask |= 1 << p;
      if (g.SeatStatus[i] != TurnStatus::kEliminated) Eliminate(g, p);
      if (p == cp && ownSeatDone) MarkOwnSeat(g, " (Eliminated)");
      continue;
    }
    if (s.worlds == 0 && g.NetworkGame) {
      g.SeatStatus[i] = TurnStatus::kDoneTurn;
      if (p == cp && ownSeatDone) MarkOwnSeat(g, " (Done Turn)", true);
      continue;
    }
    // A seat that holds every world while another's object still flies plays on as any seat in
    // play: it orders and presses Done, so the turns go on until the last foreign object lands.
    if (s.worlds < g.WorldCount || ForeignObjectInFlight(g, p)) {
      g.SeatStatus[i] = TurnStatus::kTakingTurn;
      continue;
    }
    Conquest(g, p, s, rating);
    return false;
  }

  const int winner = EliminationWinner(g, outMask);
  if (winner >= 0 && !g.GameOver) AnnounceEliminationVictory(g, winner);

  if (!(g.NetworkGame && g.TurnDone)) g.window.Caption = SeatCaption(g);
  TruceNotices(g);
  if (g.GameYear == 1.0f) StartOfGameNotices(g, turn);
  TrimTexts(g);

  g.window.txtMove.Visible = true;
  // The turn's clock starts from this moment: a clock left running by the turn or game before
  // (a load, a new game, a new state from the host) must not end this turn before its minutes.
  StopTurnTimer(g);
  const bool othersNamed = !g.PlayerName[1].empty() || !g.PlayerName[2].empty() || !g.PlayerName[3].empty();
  if (g.SeatStatus[me] != TurnStatus::kEliminated && othersNamed && g.TurnTimerOn) {
    g.TurnMinutesLeft = static_cast<int16_t>(TurnMinutesFor(turn));
    SetTurnTimer(g, 60000, true);
  }

  // A panel or popup opened for the seat that just finished gives no orders for this one.
  HideSeatPopups(g);
  g.InputBusy = false;
  g.SelectedFrom = g.SelectedTo = -1;
  std::string notice;
  if (!(g.NetworkGame && g.TurnDone)) {
    notice = "- Initiating Turn #" + Format(turn, "0");
    if (!(g.NetworkGame && g.SeatStatus[me] == TurnStatus::kEliminated))
      notice += " " + g.PlayerName[me] + "!";
    notice += turn < 5 ? std::string(", World Color ") + kSeatColourNames[me] + " -" : std::string(" -");
  }
  Tell(g, TurnBegun{cp, notice});
  if (!g.NetworkGame && g.setup.chkAI[me] == 1) g.io.flow.ComputerTurn();
  return true;
}

}  // namespace zarnath
