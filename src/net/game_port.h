// The TCP ports the game uses. Linux lets only root listen below 1024, so the environment can
// move them: ZARNATH_PORT for the game, ZARNATH_DAYTIME_PORT for the time servers' default.
#pragma once

#include <cstdint>

namespace zarnath {

inline constexpr uint16_t kDefaultGamePort = 330;
inline constexpr uint16_t kDefaultDaytimePort = 13;

uint16_t GamePort();
uint16_t DaytimePort();

}  // namespace zarnath
