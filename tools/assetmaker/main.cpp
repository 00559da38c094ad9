// The asset maker: draws the game's pictures and synthesises its sounds into the program
// folder at build time.
//
//   zarnath-assetmaker OUTPUT_FOLDER [DISPLAY_FONT_FILE [TITLE_FONT_FILE]]
//
// The font files (the game's two display typefaces) letter the title picture and the button
// faces; without them the desktop's default typeface is used.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "pictures.h"
#include "sounds.h"

namespace {
QString FamilyOf(const char* file) {
  const int id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(file));
  if (id < 0) {
    std::fprintf(stderr, "zarnath-assetmaker: cannot load font %s, using the default typeface\n", file);
    return QGuiApplication::font().family();
  }
  return QFontDatabase::applicationFontFamilies(id).value(0);
}
}  // namespace

constexpr char kUsage[] =
    "usage: zarnath-assetmaker OUTPUT_FOLDER [DISPLAY_FONT_FILE [TITLE_FONT_FILE]]\n"
    "Draws the game's pictures and synthesises its wave sounds into OUTPUT_FOLDER (made if missing).\n"
    "The font files (the game's two display typefaces) letter the title picture and the button\n"
    "faces; without them the desktop's default typeface is used.\n"
    "  --help  shows this text\n"
    "Exit status: 0 when every file was written, 1 when one could not be, 2 for wrong arguments.\n";

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // Every argument is a folder or a file: anything that looks like an option is a mistake, never
  // a folder to fill.
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') {
      std::fprintf(stderr, "zarnath-assetmaker: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "zarnath-assetmaker: cannot create %s\n", argv[1]);
    return 1;
  }
  assetmaker::PictureFonts fonts;
  fonts.display = argc > 2 ? FamilyOf(argv[2]) : QGuiApplication::font().family();
  fonts.title = argc > 3 ? FamilyOf(argv[3]) : fonts.display;
  if (!assetmaker::WritePictures(folder, fonts)) {
    std::fprintf(stderr, "zarnath-assetmaker: cannot write the pictures into %s\n", argv[1]);
    return 1;
  }
  if (!assetmaker::WriteSounds(folder)) {
    std::fprintf(stderr, "zarnath-assetmaker: cannot write the sounds into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
