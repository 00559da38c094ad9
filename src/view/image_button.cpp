#include "view/image_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "model/game.h"
#include "view/missing_files.h"

namespace zarnath {

ImageButton::ImageButton(QWidget* parent, Game& game, ButtonFaces faces, QPoint topLeft, QSize size)
    : QWidget(parent), game_(game), faces_(std::move(faces)) {
  setGeometry(QRect(topLeft, size));
  // A press on a locked button goes nowhere, not to the window beneath it.
  setAttribute(Qt::WA_NoMousePropagation);
  ShowPicture(faces_.released);
}

void ImageButton::ShowPicture(const QString& name) {
  picture_ = name;
  face_ = name.isEmpty() ? QPixmap() : LoadPicture(name, size());
}

bool ImageButton::Inert() const {
  return inertWhileBusy_ && game_.InputBusy;
}

void ImageButton::Click(const QString& sound) {
  if (sound.isEmpty() || (faces_.sound != ClickSound::kAlways && game_.SoundOff)) return;
  game_.io.platform.PlaySound(sound.toStdString());
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
  event->accept();
  secondPress_ = false;
  if (Inert()) return;
  pressed_ = true;
  ShowPicture(faces_.pressed);
  repaint();
  Click(QStringLiteral("click1.wav"));
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The desktop gives a double-click as a click and then a double-click, not as two clicks: the
  // second press shows no pressed face and plays nothing, and its release runs no action. So a
  // double-click on Done ends one turn, not the next seat's too.
  event->accept();
  secondPress_ = true;
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (std::exchange(secondPress_, false)) {
    if (!Inert()) Click(releaseSound_);
    return;
  }
  if (Inert()) {
    // A face pressed before the window became busy still comes back up, silently.
    if (pressed_) {
      pressed_ = false;
      ShowPicture(faces_.released);
      repaint();
    }
    return;
  }
  pressed_ = false;
  ShowPicture(faces_.released);
  repaint();
  Click(releaseSound_);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void ImageButton::paintEvent(QPaintEvent*) {
  ++paints_;
  if (face_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, face_);
}

}  // namespace zarnath
