#include <QApplication>
#include <cstdio>
#include <vector>

#include "shell/program_folder.h"
#include "ui_fixture.h"

int main(int argc, char** argv) {
  using namespace zarnath::testing;
  const auto suite = argc < 2 ? Suites().end() : Suites().find(argv[1]);
  if (suite == Suites().end())
    return std::fprintf(stderr, "usage: zarnath_ui_tests SUITE [Qt Test options]\n"), 2;
  std::vector<char*> args{argv[0]};
  args.insert(args.end(), argv + 2, argv + argc);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zarnath::SetProgramFolder(BuiltProgramFolder());
  return suite->second(static_cast<int>(args.size()), args.data());
}
