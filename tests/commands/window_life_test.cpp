#include "commands/window_life.h"

#include <gtest/gtest.h>

namespace zarnath {
namespace {

TEST(WindowLife, OnlyTravelDoneAndStatusAreInertWhileBusy) {
  for (MainButton b : {MainButton::kLabels, MainButton::kHelp, MainButton::kQuit, MainButton::kSend})
    EXPECT_FALSE(ButtonInertWhileBusy(b));
  for (MainButton b : {MainButton::kTravel, MainButton::kDone, MainButton::kStatus})
    EXPECT_TRUE(ButtonInertWhileBusy(b));
}

}  // namespace
}  // namespace zarnath
