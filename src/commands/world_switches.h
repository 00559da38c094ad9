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
// A world label's caption edited in place, whatever it shows (ships, the world's name, a
// distance): the gathering brackets put round it or taken off, and the shield's " S" appended or
// cut (inside the brackets of a bracketed caption). Only what is there is taken off: a name is
// never cut.
std::string CaptionExcluded(const std::string& caption, bool excluded);
std::string CaptionShield(const std::string& caption, bool on);
// World w's label with its caption edited in place by the shield switch now in force.
void EditShieldOnLabel(const GameState& g, CommandView& view, int w);
// "[PM] 07 1*": a client tells the host world w's shield switch; nothing on a host, a single
// machine or a client whose link is down.
void SendShieldToHost(Game& g, int w);
std::string ShieldNotice(const GameState& g, int w);

// Takes world w out of gathering or puts it back, refreshes the side lists and puts world w's
// label in brackets or takes them off. Answers the new exclusion. Nothing is sent: the flag steers this
// computer's automatic sends.
bool ToggleGatherExclusion(Game& g, CommandView& view, int w);
std::string GatherNotice(const GameState& g, int w);

// The message line shows `text` for `ms` milliseconds, then is emptied.
void ShowTimedNotice(Game& g, const std::string& text, int ms);

}  // namespace zarnath
