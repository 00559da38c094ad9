// The orbit step, tick by tick.
#include "engine/turn.h"
#include "engine/turn_show.h"
#include "model/game.h"
#include "model/orbit_step.h"

namespace zarnath {

void GalaxyRotate(Game& g) {
  Tell(g, turn_event::OrbitsTurning{});
  const int ticks = OrbitTickCount(g);
  const SlotsInFlight inFlight = SlotsInUse(g);
  for (int tick = 1; tick <= ticks; ++tick) {
    OrbitTick(g, inFlight);
    Tell(g, turn_event::OrbitTicked{});
  }
  LogYear(g, YearLine(g));
  Tell(g, turn_event::OrbitsTurned{});
}

}  // namespace zarnath
