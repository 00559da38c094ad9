#include "window/latin1_box.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>
#include <algorithm>

namespace zarnath {

namespace {

constexpr int kNoticeMs = 4000;

class Latin1Validator : public QValidator {
 public:
  explicit Latin1Validator(QLineEdit* box) : QValidator(box), box_(box) {}

  State validate(QString& input, int&) const override {
    const bool latin1 =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c.unicode() <= 0xff; });
    if (latin1) return Acceptable;
    ShowLatin1Notice(box_);
    return Invalid;
  }

 private:
  QLineEdit* box_;
};

}  // namespace

void KeepToLatin1(QLineEdit* box) {
  box->setValidator(new Latin1Validator(box));
}

void ShowLatin1Notice(QLineEdit* box) {
  QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), QString::fromLatin1(kLatin1OnlyNotice), box,
                     QRect(), kNoticeMs);
}

}  // namespace zarnath
