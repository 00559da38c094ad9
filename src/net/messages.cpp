#include "net/messages.h"

#include "model/numbers.h"

namespace zarnath {

std::string Frame(std::string_view tag, int index, std::string_view payload) {
  std::string m(tag);
  m += Format(index, "00");
  m += payload;
  m += '*';
  return m;
}

}  // namespace zarnath
