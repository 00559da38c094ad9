#include "net/game_port.h"

#include <QByteArray>
#include <QtGlobal>

namespace zarnath {
namespace {

uint16_t PortFromEnvironment(const char* name, uint16_t fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok && value > 0 && value < 65536 ? static_cast<uint16_t>(value) : fallback;
}

}  // namespace

uint16_t GamePort() {
  return PortFromEnvironment("ZARNATH_PORT", kDefaultGamePort);
}
uint16_t DaytimePort() {
  return PortFromEnvironment("ZARNATH_DAYTIME_PORT", kDefaultDaytimePort);
}

}  // namespace zarnath
