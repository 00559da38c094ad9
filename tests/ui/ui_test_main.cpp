// zarnath_ui_tests SUITE [Qt Test options]: runs one suite of window tests. CTest runs each
// suite on the offscreen platform with the screen it is written for.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/program_folder.h"
#include "ui_fixture.h"
#include "ui_tests.h"

int main(int argc, char** argv) {
  using namespace zarnath::testing;
  if (argc < 2) {
    std::fprintf(stderr, "usage: zarnath_ui_tests SUITE [Qt Test options]\n");
    return 2;
  }
  const char* suite = argv[1];
  std::vector<char*> args{argv[0]};
  for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
  int count = static_cast<int>(args.size());
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zarnath::SetProgramFolder(BuiltProgramFolder());
  struct Suite {
    const char* name;
    int (*run)(int, char**);
  };
  const Suite suites[] = {{"title", RunTitleWindowTests},
                          {"about", RunAboutBoxTests},
                          {"platform", RunPlatformTests},
                          {"change-resolution", RunChangeResolutionTests},
                          {"large-fonts", RunLargeFontsTests},
                          {"narrow-screen", RunNarrowScreenTests},
                          {"wide-enough-screen", RunWideEnoughScreenTests}};
  for (const Suite& s : suites)
    if (std::strcmp(s.name, suite) == 0) return s.run(count, args.data());
  std::fprintf(stderr, "zarnath_ui_tests: no suite named %s\n", suite);
  return 2;
}
