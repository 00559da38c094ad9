// What the rules ask of the screen, the sound, the clock and the network. The windows
// implement these; the headless implementation records every call, so whole games run in a
// test through the same code as in the window.
#pragma once

#include <cstdint>
#include <string>

namespace zarnath {

// Controls the rules repaint at once (the pause after a repaint shows them).
enum class Control {
  kWindow,
  kTxtGame,
  kTxtMove,
  kTxtMessage,
  kTxtChat,
  kLblPlanet,
  kBattleFrames,
  kSetupNameBox,
  kLblStatus,  // the four seat status captions of the game window
  kTxtIP,      // the setup window's address box
};

enum class GameTimer {
  kTurn,
  kAI,
  kChatLock,
  kLobbyStart,
  kClientJoin,
  kServerRepublish,
  kServerRefresh,
  kNameWait,      // the host's lobby: how long a new connection has been silent
  kStepsWaiting,  // a Done or a turn's end asked for while another step yielded
};

enum class Buttons { kOk, kYesNo, kOkCancel };
enum class Answer { kOk, kYes, kNo, kCancel };

class Platform {
 public:
  virtual ~Platform() = default;
  // Shows what was drawn, then blocks for ms milliseconds without handling input or sockets.
  virtual void Pause(int ms) = 0;
  // A steady clock in milliseconds (from any origin).
  virtual int64_t NowMs() = 0;
  // As Pause, but blocks until the clock reads `untilMs` (not at all once it has passed): a frame
  // that waits until its start + 50 ms lasts 50 ms whatever drawing and showing it took.
  virtual void PauseUntil(int64_t untilMs) = 0;
  // Handles pending window, timer and socket events.
  virtual void Yield() = 0;
  // Whether the event being handled came in through a Yield (or a message box's own loop) of a
  // step that is still under way, rather than from the top of the event loop.
  virtual bool InsideYield() { return false; }
  // Plays a wave file from the program folder to its end.
  virtual void PlaySound(const std::string& file) = 0;
  virtual Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons) = 0;
  virtual void SetTimer(GameTimer timer, int intervalMs, bool enabled) = 0;
};

class GameScreen {
 public:
  virtual ~GameScreen() = default;
  // Sizes and shows the game window; answers its inner width in pixels.
  virtual int ShowGameWindow() = 0;
  virtual void HideGameWindow() = 0;
  virtual void ShowSetupWindow() = 0;
  virtual void HideSetupWindow() = 0;
  virtual void Refresh(Control control) = 0;
  virtual void Focus(Control control) = 0;
  // The full redraw of the star system.
  virtual void GalaxyDraw() = 0;
  // Rebuilds the current player's side lists and indicators.
  virtual void Console() = 0;
  // One tick of the orbit animation: the view cleared and every world (and the visible objects
  // in flight) drawn where they stand now.
  virtual void DrawOrbitTick() = 0;
  // The destination marks of the objects in flight, drawn over the tick.
  virtual void DrawDestinationMarks() = 0;
  // Ends the program at once.
  virtual void EndProgram() = 0;

  // --- drawing over the galaxy view, in window pixels; colours as the game stores them ---
  // The outline of a circle of `radius` px about (x, y), or with an aspect other than 1 an
  // ellipse (radius across, radius x aspect down); transparent inside. Line style 0 solid,
  // 1 dashed, 2 dotted.
  virtual void DrawCircle(double x, double y, double radius, double colour, double aspect, int lineWidth,
                          int lineStyle) = 0;
  // The map marks: the blob (big fleets, bombs), the star (scouts) and the ship dots (count 1, 2
  // or 3 dots of radius `size`).
  virtual void DrawBlob(double x, double y, double fillColour, double lineColour) = 0;
  virtual void DrawStarMark(double x, double y, double colour, double centreColour) = 0;
  virtual void DrawShipDots(double x, double y, double fillColour, double lineColour, int count,
                            int size) = 0;
  // The battle's strength bar (x 280..735): left of `split` in leftColour, right of it in
  // rightColour, a divider line at `split` when asked, and the 41 ticks.
  virtual void DrawStrengthBar(double split, double leftColour, double rightColour, bool divider) = 0;
  // The floating label over the object in a travel slot, at its unscaled view point (u, v).
  virtual void ShowLabels(int slot, double u, double v) = 0;
  // Hides every floating label and every world label.
  virtual void HideMapLabels() = 0;
  // The first floating label with `caption` in `colour`, its right edge `gap` px left of x and
  // centred on y; and hidden again (its colour back to white).
  virtual void ShowShipsLabel(const std::string& caption, double x, double y, int gap, double colour) = 0;
  virtual void HideShipsLabel() = 0;
  // Highlights the first row of the in-transit list, when it has one (the row's command is not run).
  virtual void SelectFirstTravelRow() = 0;
  // After a victory by conquest: hides the game window and the high-score window and shows the
  // setup window created afresh (its load step runs again).
  virtual void ReturnToSetup() = 0;
};

// What the network brings to this machine: the receiver of the game protocol implements it, and
// the socket transport (or a test) drives it.
class NetworkEvents {
 public:
  virtual ~NetworkEvents() = default;
  // Bytes that arrived on socket `element`, as they came (any part of a frame, or several).
  virtual void DataArrival(int element, const std::string& bytes) = 0;
  // Socket `element` is now connected (a client on the host, the host on a client).
  virtual void ConnectionOpened(int element) = 0;
  // Socket `element` lost its connection or was closed by its peer.
  virtual void ConnectionLost(int element) = 0;
  // This machine closed socket `element` itself (no loss is raised for it): nothing more of that
  // connection is taken, not even what it sent before and still waits to be handled.
  virtual void ConnectionClosed(int element) { (void)element; }
  // Frames from socket `element` that wait to be handled: the transport reads no more from a
  // peer whose frames pile up, so a peer that sends faster than the game handles waits.
  virtual size_t FramesWaiting(int element) const {
    (void)element;
    return 0;
  }
  // Whether the receiver left frames for a later pass of the event loop: a client takes one of
  // its host's turns at a time, so its window answers between turns however many have come. The
  // transport hands them back with HandleLeftWaiting once control is back in its event loop.
  virtual bool LeftWaiting() const { return false; }
  virtual void HandleLeftWaiting() {}
  // Whether what was left waits for the steps that yield below the event loop's top to be done
  // (a new state that must not change the game under them): nothing is handed back until the
  // platform's last yield has ended, however often the event loop passes meanwhile.
  virtual bool LeftUntilYieldsEnd() const { return false; }
};

class NetworkPort {
 public:
  virtual ~NetworkPort() = default;
  // Where this port delivers what arrives; nothing (the default) when it only sends.
  virtual void SetEvents(NetworkEvents* events) { (void)events; }
  // Sockets of the setup window: element 0 the listener or the link to the host, elements
  // 1..count-1 the host's client links.
  virtual int SocketCount() = 0;
  virtual bool SocketConnected(int element) = 0;
  virtual void SendData(int element, const std::string& message) = 0;
  // Between these two, what is sent to `element` may be kept back and leave together, in the
  // order it was sent, when the sends are released (or earlier). A transport that sends at once
  // ignores them.
  virtual void HoldSends(int element) { (void)element; }
  virtual void ReleaseSends(int element) { (void)element; }
  // Closes a connection (a host's element 0: its listener); the receiver is told of a connection
  // it closes (NetworkEvents::ConnectionClosed).
  virtual void CloseSocket(int element) = 0;
  // Starts a client connection to the address in the setup window.
  virtual void ConnectToHost() = 0;
  // The host's listener on the game port: whether it is open, and opening it (false with the
  // cause in `error` when the port cannot be had).
  virtual bool Listening() { return false; }
  virtual bool StartListening(std::string* error) {
    (void)error;
    return false;
  }
  // Closes the listener and every connection at once, without waiting for the peers.
  virtual void CloseAll() {
    for (int e = SocketCount() - 1; e >= 0; --e) CloseSocket(e);
  }
  // This machine's own address, as the host's address box shows it.
  virtual std::string LocalAddress() { return "127.0.0.1"; }
  // Stops the client's connect time-out and the host's re-announce timer.
  virtual void StopLobbyTimers() = 0;
  // While held, what the clients send waits in their sockets, unread; released, it is read and
  // handled in the order it came. The host holds its clients while it starts a game, so no
  // order or status is taken before every client has the game and its first turn is open.
  virtual void HoldClientFrames(bool hold) { (void)hold; }
  // Adds one line to the internet game log on the master server (fetch, append, send back).
  virtual void AppendOnlineGameLog(const std::string& line) = 0;
  // The internet lobby, while the internet box is ticked: adds this host's record to the day's
  // list on the master server, and runs the box's handler again (the lobby's set-up and a fresh
  // list of the day's servers).
  virtual void PublishOnline() {}
  virtual void RefreshOnlineLobby() {}
};

// Steps of the game that other layers carry out: the next-player step, the full-state broadcast
// to network clients, the computer player's turn, the high-score table and the save dialog.
class GameFlow {
 public:
  virtual ~GameFlow() = default;
  virtual void GameCheck() = 0;
  virtual void GalaxySync() = 0;
  // The computer player's turn for the seat in CurrentPlayer.
  virtual void ComputerTurn() = 0;
  // A finished game's result: inserted into the high-score table when it beats a stored one; the
  // table is written back and shown, then a pause of 2000 ms.
  virtual void HighScore(const std::string& name, float rating, float ships, float production, float worlds,
                         float classSum) = 0;
  // The autosave: the save dialog with an empty file name, shown without waiting for it.
  virtual void OfferAutoSave() = 0;
};

struct Ports {
  Platform& platform;
  GameScreen& screen;
  NetworkPort& net;
  GameFlow& flow;
};

}  // namespace zarnath
