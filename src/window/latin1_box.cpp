#include "window/latin1_box.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolTip>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <vector>

namespace zarnath {

namespace {

constexpr int kNoticeMs = 4000;
constexpr int kSpacing = 2;  // the notice keeps this far from every control
constexpr int kStep = 4;     // the places tried, in pixels
constexpr const char* kNoticeName = "latin1Notice";

class Latin1Validator : public QValidator {
 public:
  explicit Latin1Validator(QLineEdit* box) : QValidator(box), box_(box) {}

  // Typed, pasted or dropped, the characters outside Latin-1 are left out and the rest goes in.
  State validate(QString& input, int& pos) const override {
    const auto outside = [](QChar c) { return c.unicode() > 0xff; };
    if (std::none_of(input.cbegin(), input.cend(), outside)) return Acceptable;
    pos -= static_cast<int>(
        std::count_if(input.cbegin(), input.cbegin() + std::clamp<qsizetype>(pos, 0, input.size()), outside));
    input.removeIf(outside);
    ShowLatin1Notice(box_);
    return Acceptable;
  }

 private:
  QLineEdit* box_;
};

// Hides the notice at the next mouse press in its window: what the press brings up may stand
// where the notice is.
class HideOnPress : public QObject {
 public:
  explicit HideOnPress(QLabel* notice) : QObject(notice), notice_(notice) { qApp->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && notice_->isVisible() && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == notice_->window())
      notice_->hide();
    return false;
  }

 private:
  QLabel* notice_;
};

// The window's notice: a label that takes no pointer input, hidden again after a few seconds.
QLabel* NoticeLabel(QWidget* window) {
  if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(kNoticeName), Qt::FindDirectChildrenOnly))
    return label;
  auto* label = new QLabel(QString::fromLatin1(kLatin1OnlyNotice), window);
  label->setObjectName(QString::fromLatin1(kNoticeName));
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setFont(QToolTip::font());
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  label->setMargin(2);
  auto* timer = new QTimer(label);
  timer->setObjectName(QStringLiteral("hide"));
  timer->setSingleShot(true);
  QObject::connect(timer, &QTimer::timeout, label, &QLabel::hide);
  new HideOnPress(label);
  label->hide();
  return label;
}

// The places of the window's shown controls (the widgets without shown widgets inside them), in
// the window's coordinates, each with a margin.
std::vector<QRect> TakenPlaces(const QWidget* window, const QWidget* notice) {
  std::vector<QRect> taken;
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (w == notice || w->isWindow() || !w->isVisibleTo(window)) continue;
    const bool leaf = std::none_of(w->children().cbegin(), w->children().cend(), [window](const QObject* o) {
      return o->isWidgetType() && !static_cast<const QWidget*>(o)->isWindow() &&
             static_cast<const QWidget*>(o)->isVisibleTo(window);
    });
    if (!leaf) continue;
    const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    taken.push_back(r.adjusted(-kSpacing, -kSpacing, kSpacing, kSpacing));
  }
  return taken;
}

struct Place {
  QRect rect;                                                  // empty: none
  long long distance = std::numeric_limits<long long>::max();  // squared, from the anchor
};

// The place of `size` inside `area` nearest to `anchor` that overlaps none of `taken`.
Place FreePlace(const QRect& area, const QSize& size, const QRect& anchor, const std::vector<QRect>& taken) {
  Place best;
  for (int y = area.top(); y + size.height() <= area.bottom() + 1; y += kStep)
    for (int x = area.left(); x + size.width() <= area.right() + 1; x += kStep) {
      const QRect r(QPoint(x, y), size);
      const long long dx = std::max({0, anchor.left() - r.right(), r.left() - anchor.right()});
      const long long dy = std::max({0, anchor.top() - r.bottom(), r.top() - anchor.bottom()});
      const long long distance = dx * dx + dy * dy;
      if (distance >= best.distance) continue;
      if (std::any_of(taken.cbegin(), taken.cend(), [&r](const QRect& t) { return t.intersects(r); }))
        continue;
      best = {r, distance};
    }
  return best;
}

}  // namespace

void KeepToLatin1(QLineEdit* box) {
  box->setValidator(new Latin1Validator(box));
}

void ShowLatin1Notice(QLineEdit* box) {
  QWidget* window = box->window();
  QLabel* notice = NoticeLabel(window);
  const QRect anchor(box->mapTo(window, QPoint(0, 0)), box->size());
  const std::vector<QRect> taken = TakenPlaces(window, notice);
  // The nearest free place for the notice on one line, or broken into two or three lines (fewer
  // lines where two places are as near).
  notice->setWordWrap(false);
  const QSize line = notice->sizeHint();
  Place best;
  int bestLines = 1;
  for (int lines = 1; lines <= 3; ++lines) {
    QSize size = line;
    if (lines > 1) {
      notice->setWordWrap(true);
      size.setWidth(line.width() / lines + 2 * notice->fontMetrics().averageCharWidth());
      size.setHeight(notice->heightForWidth(size.width()));
    }
    const Place place = FreePlace(window->rect(), size, anchor, taken);
    if (place.distance < best.distance) best = place, bestLines = lines;
  }
  notice->setWordWrap(bestLines > 1);
  // A window without room for it shows the notice under the box, where it still takes no click.
  const QRect place = best.rect.isEmpty() ? QRect(anchor.bottomLeft() + QPoint(0, 1), line) : best.rect;
  notice->setGeometry(place);
  notice->show();
  notice->raise();
  notice->findChild<QTimer*>(QStringLiteral("hide"))->start(kNoticeMs);
}

}  // namespace zarnath
