// The game's image buttons: a picture of the program folder is the button's face. A mouse
// press (any button) shows the pressed picture at once and then plays "click1.wav" to its end;
// the release shows the normal picture again, and a left click over the button then runs its
// action (`clicked`). A button without a normal picture is a transparent area over a face
// that its window's own picture carries.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace zarnath {

class Game;

enum class ClickSound {
  kAlways,          // clicks whatever the sound option says
  kUnlessSoundOff,  // silent while the game's sound is off
};

struct ButtonFaces {
  QString pressed;   // e.g. "ddentbutt20.jpg"
  QString released;  // e.g. "butt20.jpg"; empty: no picture of its own
  ClickSound sound = ClickSound::kUnlessSoundOff;
};

class ImageButton : public QWidget {
  Q_OBJECT

 public:
  // Every image button is 75 x 35 pixels at its place in the window.
  ImageButton(QWidget* parent, Game& game, ButtonFaces faces, QPoint topLeft, QSize size = QSize(75, 35));

  // The picture now shown: the pressed or the normal one's file name (empty: none).
  const QString& picture() const { return picture_; }
  bool isPressed() const { return pressed_; }
  // Paints so far (the pressed face is painted before its click sound).
  int paintCount() const { return paints_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowPicture(const QString& name);

  Game& game_;
  ButtonFaces faces_;
  QString picture_;
  QPixmap face_;
  bool pressed_ = false;
  int paints_ = 0;
};

}  // namespace zarnath
