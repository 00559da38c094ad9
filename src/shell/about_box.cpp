#include "shell/about_box.h"

#include <QKeyEvent>
#include <QLabel>

#include "model/game.h"
#include "shell/display_fonts.h"
#include "view/image_button.h"

namespace zarnath {

namespace {
QLabel* AboutLabel(QWidget* parent, const char* text, double points, QRect place) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setFont(GameFont(Typeface::kVenusRising, points));
  label->setGeometry(place);
  FitLabelHeight(label);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(255, 224, 192));  // light peach
  label->setPalette(palette);
  return label;
}
}  // namespace

AboutBox::AboutBox(Game& game) {
  setWindowTitle(QStringLiteral("About Zarnath"));
  setFixedSize(312, 321);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);

  label1_ = AboutLabel(this, "Zarnath", 21.75, QRect(8, 16, 297, 33));
  label2_ = AboutLabel(this, "Version 1.40.0144", 14.25, QRect(8, 64, 297, 17));
  // Each line fits the box's width in the game's typeface.
  const char* const lines[] = {"A Game Of Conquest",       "Among The Thirty Worlds", "Of One Sun",
                               "For One To Four Players,", "Human Or Computer,",      "At One Computer",
                               "Or Over A Network"};
  int top = 112;
  for (const char* line : lines) {
    AboutLabel(this, line, 8.25, QRect(8, top, 297, 16));
    top += line == lines[2] ? 34 : 20;
  }

  imgOk_ =
      new ImageButton(this, game, ButtonFaces{"ddentbutt20.jpg", "butt20.jpg", ClickSound::kUnlessSoundOff},
                      QPoint(120, 272));
  connect(imgOk_, &ImageButton::clicked, this, &AboutBox::ImgOk_Click);
}

void AboutBox::ImgOk_Click() {
  hide();
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    ImgOk_Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zarnath
