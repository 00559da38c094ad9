// The world switches that the window's commands share: a world's shield charging, its exclusion
// from gathering, and the notices they show. The world panel, the world labels and the owned-worlds
// list all switch through these, so a shield switch is told to the host the same way from each.
#pragma once

#include <string>

namespace zarnath {
class Game;
struct GameState;
class CommandView;

// This machine is a network client whose link to the host is connected.
bool ClientLinkUp(Game& g);

// Switches the shield charging of world w and refreshes the side lists. Answers the new switch
// (1 on, 0 off).
int ToggleShield(Game& g, int w);
// World w's label shows the caption its state calls for (ships, " D", " S", brackets).
void RefreshWorldLabel(const GameState& g, CommandView& view, int w);
// "[PM] 07 1*": a client tells the host world w's shield switch; nothing on a host, a single
// machine or a client whose link is down.
void SendShieldToHost(Game& g, int w);
std::string ShieldNotice(const GameState& g, int w);

// Takes world w out of gathering or puts it back, refreshes the side lists and world w's label.
// Answers the new exclusion. Nothing is sent: the flag steers this computer's automatic sends.
bool ToggleGatherExclusion(Game& g, CommandView& view, int w);
std::string GatherNotice(const GameState& g, int w);

// The message line shows `text` for `ms` milliseconds, then is emptied.
void ShowTimedNotice(Game& g, const std::string& text, int ms);

}  // namespace zarnath
