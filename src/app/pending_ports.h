// The game window, the network and the turn steps that the program does not have yet: their
// calls do nothing, and showing the setup window hands over to `onShowSetupWindow`.
#pragma once

#include <functional>
#include <string>

#include "model/ports.h"

namespace zarnath {

class PendingPorts : public GameScreen, public NetworkPort, public GameFlow {
 public:
  std::function<void()> onShowSetupWindow;

  // GameScreen
  int ShowGameWindow() override { return 1018; }
  void HideGameWindow() override {}
  void ShowSetupWindow() override {
    if (onShowSetupWindow) onShowSetupWindow();
  }
  void HideSetupWindow() override {}
  void Refresh(Control) override {}
  void Focus(Control) override {}
  void GalaxyDraw() override {}
  void Console() override {}
  void DrawOrbitTick() override {}
  void DrawDestinationMarks() override {}
  void EndProgram() override {}
  void DrawCircle(double, double, double, double, double, int, int) override {}
  void DrawBlob(double, double, double, double) override {}
  void DrawStarMark(double, double, double, double) override {}
  void DrawShipDots(double, double, double, double, int, int) override {}
  void DrawStrengthBar(double, double, double, bool) override {}
  void ShowLabels(int, double, double) override {}
  void HideMapLabels() override {}
  void ShowShipsLabel(const std::string&, double, double, int, double) override {}
  void HideShipsLabel() override {}
  void SelectFirstTravelRow() override {}
  void ReturnToSetup() override { ShowSetupWindow(); }
  // NetworkPort
  int SocketCount() override { return 1; }
  bool SocketConnected(int) override { return false; }
  void SendData(int, const std::string&) override {}
  void CloseSocket(int) override {}
  void ConnectToHost() override {}
  void StopLobbyTimers() override {}
  void AppendOnlineGameLog(const std::string&) override {}
  // GameFlow
  void GameCheck() override {}
  void GalaxySync() override {}
  void ComputerTurn() override {}
  void HighScore(const std::string&, float, float, float, float, float) override {}
  void OfferAutoSave() override {}
  void SendLaunchToHost(int) override {}
};

}  // namespace zarnath
