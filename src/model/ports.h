// What the rules ask of the screen, the sound, the clock and the network. The windows
// implement these; the headless implementation records every call, so whole games run in a
// test through the same code as in the window.
#pragma once

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
};

enum class GameTimer { kTurn, kAI, kChatLock, kLobbyStart, kClientJoin, kServerRepublish, kServerRefresh };

enum class Buttons { kOk, kYesNo };
enum class Answer { kOk, kYes, kNo };

class Platform {
 public:
  virtual ~Platform() = default;
  // Shows what was drawn, then blocks for ms milliseconds without handling input or sockets.
  virtual void Pause(int ms) = 0;
  // Handles pending window, timer and socket events.
  virtual void Yield() = 0;
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
};

class NetworkPort {
 public:
  virtual ~NetworkPort() = default;
  // Sockets of the setup window: element 0 the listener or the link to the host, elements
  // 1..count-1 the host's client links.
  virtual int SocketCount() = 0;
  virtual bool SocketConnected(int element) = 0;
  virtual void SendData(int element, const std::string& message) = 0;
  virtual void CloseSocket(int element) = 0;
  // Starts a client connection to the address in the setup window.
  virtual void ConnectToHost() = 0;
  // Stops the client's connect time-out and the host's re-announce timer.
  virtual void StopLobbyTimers() = 0;
  // Adds one line to the internet game log on the master server (fetch, append, send back).
  virtual void AppendOnlineGameLog(const std::string& line) = 0;
};

// Steps of the game that later layers carry out: the next-player step and the full-state
// broadcast to network clients.
class GameFlow {
 public:
  virtual ~GameFlow() = default;
  virtual void GameCheck() = 0;
  virtual void GalaxySync() = 0;
};

struct Ports {
  Platform& platform;
  GameScreen& screen;
  NetworkPort& net;
  GameFlow& flow;
};

}  // namespace zarnath
