#include "engine/setup_load.h"

#include "model/game.h"
#include "model/setup_rules.h"
#include "persist/defaults_file.h"

namespace zarnath {

void SetupForm_Load(Game& g) {
  SetupLoadStart(g);
  // The reader leaves what it could not read as it was, so only the lines read change anything.
  SetupState read = g.setup;
  ReadDefaults(g.programFolder, read);
  ApplyDefaults(g, read);
}

void OpenNewSetupWindow(Game& g) {
  NewSetupWindow(g);
  SetupForm_Load(g);
}

}  // namespace zarnath
