// The window test suites register by name with the screen they are written for; `zarnath_ui_tests
// SUITE` runs one in a process of its own and fails when CTest has not given it that screen.
#pragma once

#include <QTest>
#include <initializer_list>
#include <map>
#include <string>

namespace zarnath::testing {

// A suite's name and its screen: `width` x 768 pixels at `dpi` dots per inch.
struct SuiteScreen {
  const char* name;
  int width;
  int dpi;
};
struct SuiteRun {
  int (*run)(int, char**);
  int width;
  int dpi;
};

inline std::map<std::string, SuiteRun>& Suites() {
  static std::map<std::string, SuiteRun> suites;
  return suites;
}
template <class Suite>
int RunSuite(int argc, char** argv) {
  Suite suite;
  return QTest::qExec(&suite, argc, argv);
}
template <class Suite>
bool RegisterSuite(std::initializer_list<SuiteScreen> runs) {
  for (const SuiteScreen& s : runs) Suites()[s.name] = {&RunSuite<Suite>, s.width, s.dpi};
  return true;
}
#define ZARNATH_UI_SUITE(Class, ...) \
  [[maybe_unused]] static const bool Class##Registered = RegisterSuite<Class>({__VA_ARGS__})

}  // namespace zarnath::testing
