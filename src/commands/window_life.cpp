#include "commands/window_life.h"

namespace zarnath {

bool ButtonInertWhileBusy(MainButton button) {
  return button == MainButton::kTravel || button == MainButton::kDone || button == MainButton::kStatus;
}

}  // namespace zarnath
