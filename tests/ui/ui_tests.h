// The window test suites register by name; `zarnath_ui_tests SUITE` runs one in a process of its
// own, on the screen CTest gives it.
#pragma once

#include <QTest>
#include <map>
#include <string>

namespace zarnath::testing {

inline std::map<std::string, int (*)(int, char**)>& Suites() {
  static std::map<std::string, int (*)(int, char**)> suites;
  return suites;
}
template <class Suite>
int RunSuite(int argc, char** argv) {
  Suite suite;
  return QTest::qExec(&suite, argc, argv);
}
#define ZARNATH_UI_SUITE(Class, ...)                                          \
  [[maybe_unused]] static const bool Class##Registered = [] {                 \
    for (const char* name : {__VA_ARGS__}) Suites()[name] = &RunSuite<Class>; \
    return true;                                                              \
  }()

}  // namespace zarnath::testing
