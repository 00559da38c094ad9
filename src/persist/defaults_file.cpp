#include "persist/defaults_file.h"

#include <string_view>

#include "model/numbers.h"
#include "model/setup_state.h"
#include "persist/atomic_file.h"

namespace zarnath {

bool WriteDefaults(const std::string& folder, const SetupState& setup, std::string* error) {
  const std::string text = setup.txtPL[0] + "\r\n" + std::to_string(setup.chkShield) + "\r\n" +
                           std::to_string(setup.chkMode) + "\r\n" + setup.txtOp[2] + "\r\n";
  return WriteFileAtomically(JoinPath(folder, kDefaultsFile), text, error);
}

bool WriteDefaultsName(const std::string& folder, const std::string& name, std::string* error) {
  return WriteFileAtomically(JoinPath(folder, kDefaultsFile), name + "\r\n", error);
}

void ReadDefaults(const std::string& folder, SetupState& setup) {
  std::string bytes;
  if (!ReadWholeFile(JoinPath(folder, kDefaultsFile), bytes)) return;
  std::string_view rest = bytes;
  auto nextLine = [&rest](std::string_view& line) {
    if (rest.empty()) return false;
    size_t lf = rest.find('\n');
    line = rest.substr(0, lf);
    rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  };
  std::string_view line;
  if (!nextLine(line)) return;
  std::string name;
  for (char c : line)
    if (c != '*' && c != '_') name.push_back(c);  // they would break the network messages
  setup.txtPL[0] = name;

  if (!nextLine(line)) return;
  auto shield = RoundInto(Val(line), 0, 1);
  if (!shield) return;
  setup.chkShield = static_cast<int>(*shield);

  if (!nextLine(line)) return;
  auto mode = RoundInto(Val(line), 0, 1);
  if (!mode) return;
  setup.chkMode = static_cast<int>(*mode);

  if (!nextLine(line)) return;
  auto turns = RoundInto(Val(line), 1, 5);
  if (!turns) return;
  setup.txtOp[2] = std::to_string(*turns);
}

}  // namespace zarnath
