#include "shell/display_fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <cmath>

#include "view/missing_files.h"
#include "view/program_folder.h"

namespace zarnath {

namespace {
struct LoadedFont {
  int id = -1;
  QString family;
};

LoadedFont& Loaded(Typeface face) {
  static LoadedFont venus, nasal;
  return face == Typeface::kVenusRising ? venus : nasal;
}

void Register(Typeface face, const char* file) {
  LoadedFont& font = Loaded(face);
  if (font.id >= 0) QFontDatabase::removeApplicationFont(font.id);
  font = LoadedFont{};
  const QString path = ProgramFile(QString::fromLatin1(file));
  if (!QFileInfo::exists(path)) {
    ReportMissingFile(QString::fromLatin1(file));
    return;
  }
  // A file that is there but does not load is passed over, as any failed registration is.
  font.id = QFontDatabase::addApplicationFont(path);
  if (font.id >= 0) font.family = QFontDatabase::applicationFontFamilies(font.id).value(0);
}
}  // namespace

void RegisterDisplayFonts() {
  Register(Typeface::kVenusRising, kVenusRisingFile);
  Register(Typeface::kNasalization, kNasalizationFile);
}

QString FontFamily(Typeface face) {
  const QString& family = Loaded(face).family;
  return family.isEmpty() ? QGuiApplication::font().family() : family;
}

void FitLabelHeight(QLabel* label) {
  const QFontMetrics metrics(label->font());
  const auto lines = static_cast<int>(label->text().count(QLatin1Char('\n'))) + 1;
  const QMargins margins = label->contentsMargins();
  const int needed = metrics.height() + (lines - 1) * metrics.lineSpacing() + margins.top() +
                     margins.bottom() + 2 * label->margin();
  if (label->height() < needed) label->resize(label->width(), needed);
}

int PointsToPixels(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont GameFont(Typeface face, double points, bool bold) {
  QFont font(FontFamily(face));
  font.setPixelSize(PointsToPixels(points));
  font.setBold(bold);
  return font;
}

}  // namespace zarnath
