#include "ui_fixture.h"

#include <algorithm>

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyle>

#include "view/program_folder.h"

namespace zarnath::testing {

ProgramFolderCopy::ProgramFolderCopy(const QStringList& leaveOut) {
  for (const QFileInfo& f : QDir(BuiltProgramFolder()).entryInfoList(QDir::Files))
    if (!QStringList{"zarnath", "FirstTime", "Score130"}.contains(f.fileName()) && f.suffix() != "cfg" &&
        !leaveOut.contains(f.fileName()))
      QFile::copy(f.filePath(), file(f.fileName()));
  SetProgramFolder(dir.path());
  ResetMissingFileReport();
}

ProgramFolderCopy::~ProgramFolderCopy() {
  SetProgramFolder(BuiltProgramFolder());
}

UiGame::UiGame() : game(Ports{platform, pending, pending, pending}) {
  platform.scripted = platform.muted = pending.recording = true;
}

void TypeText(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString key = text.mid(i, length);
    i += length - 1;
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
    QApplication::sendEvent(widget, &release);
  }
}

QStringList CutLabels(const QWidget* window) {
  QStringList cut;
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    const QString text = label->text();
    if (text.isEmpty()) continue;
    const QRect box = label->contentsRect();
    const QFontMetrics fm(label->font());
    const Qt::Alignment align = label->alignment();
    auto report = [&](const QString& why) { cut << text + ": " + why; };
    if (label->wordWrap()) {
      const QRect need = fm.boundingRect(QRect(0, 0, box.width(), 100000),
                                         Qt::TextWordWrap | (align & Qt::AlignHorizontal_Mask), text);
      if (need.width() > box.width() || need.height() > box.height())
        report(QStringLiteral("needs %1 x %2 px in %3 x %4")
                   .arg(need.width())
                   .arg(need.height())
                   .arg(box.width())
                   .arg(box.height()));
      continue;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int blockHeight = fm.height() + (static_cast<int>(lines.size()) - 1) * fm.lineSpacing();
    if (blockHeight > box.height())
      report(QStringLiteral("%1 px of lines in %2 px").arg(blockHeight).arg(box.height()));
    int top = 0;
    if (align & Qt::AlignBottom) top = box.height() - blockHeight;
    if (align & Qt::AlignVCenter) top = (box.height() - blockHeight) / 2;
    for (int i = 0; i < lines.size(); ++i) {
      const QString& line = lines[i];
      const int advance = fm.horizontalAdvance(line);
      if (advance > box.width()) report(QStringLiteral("%1 px wide in %2 px").arg(advance).arg(box.width()));
      int left = 0;
      if (align & Qt::AlignRight) left = box.width() - advance;
      if (align & Qt::AlignHCenter) left = (box.width() - advance) / 2;
      const int baseline = top + i * fm.lineSpacing() + fm.ascent();
      // The measured ink may stand a pixel over where the glyph's edge is only rounded.
      const QRect ink = fm.tightBoundingRect(line).translated(left, baseline);
      if (!ink.isEmpty() && !QRect(-1, -1, box.width() + 2, box.height() + 2).contains(ink))
        report(QStringLiteral("ink (%1, %2) to (%3, %4) outside %5 x %6")
                   .arg(ink.left())
                   .arg(ink.top())
                   .arg(ink.right())
                   .arg(ink.bottom())
                   .arg(box.width())
                   .arg(box.height()));
    }
  }
  return cut;
}

QStringList CutListRows(const QWidget* window) {
  QStringList cut;
  for (const QListWidget* list : window->findChildren<QListWidget*>()) {
    // The style draws a row's text inside the row less a focus margin on each side.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QFontMetrics fm(list->font());
    for (int r = 0; r < list->count(); ++r) {
      const QListWidgetItem* item = list->item(r);
      // A row as wide as its text runs past the viewport, which is all that shows of it.
      const int room = std::min(list->visualItemRect(item).width(), list->viewport()->width()) - 2 * margin;
      const int advance = fm.horizontalAdvance(item->text());
      if (advance > room)
        cut << item->text() + QStringLiteral(": %1 px wide in %2 px").arg(advance).arg(room);
    }
  }
  return cut;
}

}  // namespace zarnath::testing
