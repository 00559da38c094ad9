#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <vector>

#include "shell/resolution_check.h"
#include "ui_fixture.h"
#include "view/program_folder.h"

int main(int argc, char** argv) {
  using namespace zarnath::testing;
  const auto suite = argc < 2 ? Suites().end() : Suites().find(argv[1]);
  if (suite == Suites().end())
    return std::fprintf(stderr, "usage: zarnath_ui_tests SUITE [Qt Test options]\n"), 2;
  std::vector<char*> args{argv[0]};
  args.insert(args.end(), argv + 2, argv + argc);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // A suite on another screen than its own would test something else: it fails.
  // (The screen's pixels: Qt reports the size divided by the scale it derives from the dpi.)
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize() : QSize();
  const int dpi = qRound(zarnath::DesktopDpi());
  const SuiteRun& run = suite->second;
  if (size != QSize(run.width, 768) || dpi != run.dpi)
    return std::fprintf(stderr, "suite %s needs a %d x 768 screen at %d dpi; this one is %d x %d at %d dpi\n",
                        argv[1], run.width, run.dpi, size.width(), size.height(), dpi),
           1;
  zarnath::SetProgramFolder(BuiltProgramFolder());
  return run.run(static_cast<int>(args.size()), args.data());
}
