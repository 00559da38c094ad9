#include <gtest/gtest.h>

#include "engine/menu_state.h"
#include "model/game.h"

namespace zarnath {
namespace {

// Each switch's item names what choosing it does next, made from the switch alone; a switch set
// without its caption is shown right again by the next ShowSwitches.
TEST(Switches, EachCaptionNamesWhatChoosingItDoesNext) {
  struct Case {
    Switch which;
    MenuItem GameMenus::*item;
    const char* whileOn;
    const char* whileOff;
  } const cases[] = {
      {Switch::kSound, &GameMenus::mnuOptionsSound, "Turn Sound Off", "Turn Sound On"},
      {Switch::kSpeed, &GameMenus::mnuOptionsSpeed, "Turn Speed Game Off", "Turn Speed Game On"},
      {Switch::kWorldLabels, &GameMenus::mnuOptionsLabels, "Turn World Labels Off", "Turn World Labels On"},
      {Switch::kShipLabels, &GameMenus::mnuOptionsShips, "Turn World Ship Labels Off",
       "Turn World Ship Labels On"},
      {Switch::kFleets, &GameMenus::mnuOptionsFleets, "Turn Traveling Fleets Off",
       "Turn Traveling Fleets On"},
      {Switch::kTurnTimer, &GameMenus::mnuOptionsTurn, "Turn Timer Off", "Turn Timer On"},
  };
  for (const Case& c : cases) {
    GameState g;
    EXPECT_EQ((g.menus.*c.item).Caption, SwitchOn(g, c.which) ? c.whileOn : c.whileOff) << c.whileOn;
    for (bool on : {false, true, false}) {
      SetSwitch(g, c.which, on);
      EXPECT_EQ(SwitchOn(g, c.which), on);
      EXPECT_EQ((g.menus.*c.item).Caption, on ? c.whileOn : c.whileOff);
    }
  }
  GameState g;
  g.SoundOff = true, g.HideFleets = true, g.TurnTimerOn = false, g.AutoSaveOn = true;
  ShowSwitches(g);
  EXPECT_EQ(g.menus.mnuOptionsSound.Caption, "Turn Sound On");
  EXPECT_EQ(g.menus.mnuOptionsFleets.Caption, "Turn Traveling Fleets On");
  EXPECT_EQ(g.menus.mnuOptionsTurn.Caption, "Turn Timer On");
  EXPECT_TRUE(g.menus.mnuFileAutoSave.Checked && g.menus.mnuFileAutoSave.Caption == "AutoSave On");
}

}  // namespace
}  // namespace zarnath
