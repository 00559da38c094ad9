#include "persist/defaults_file.h"

#include "model/setup_state.h"
#include "persist/atomic_file.h"

namespace zarnath {

bool WriteDefaults(const std::string& folder, const SetupState& setup, std::string* error) {
  const std::string text = setup.txtPL[0] + "\r\n" + std::to_string(setup.chkShield) + "\r\n" +
                           std::to_string(setup.chkMode) + "\r\n" + setup.txtOp[2] + "\r\n";
  return WriteFileAtomically(JoinPath(folder, kDefaultsFile), text, error);
}

}  // namespace zarnath
