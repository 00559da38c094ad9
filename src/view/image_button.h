// The game's image buttons: a picture of the program folder is the button's face. A mouse
// press (any button) shows the pressed picture at once and then plays "click1.wav" to its end;
// the release shows the normal picture again (the game window's buttons then play "click2.wav"),
// and a left click over the button then runs its action (`clicked`). A double-click's second
// press is no second click. A button without a normal picture is a transparent area over a face
// that its window's own picture carries. Some of the game window's buttons stay inert while input
// is busy; a disabled button (the chat's Send while it is locked) takes no press at all.
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
  // The chat's Send lock: a locked button changes nothing when pressed.
  void setLocked(bool locked) { setEnabled(!locked); }
  // A sound played on release by the same rule as the press's click; empty: silent.
  void setReleaseSound(const QString& file) { releaseSound_ = file; }
  // No face, sound or action while the game's input is busy.
  void setInertWhileBusy(bool inert) { inertWhileBusy_ = inert; }
  // Paints so far (the pressed face is painted before its click sound).
  int paintCount() const { return paints_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowPicture(const QString& name);
  bool Inert() const;
  void Click(const QString& sound);

  Game& game_;
  ButtonFaces faces_;
  QString picture_;
  QPixmap face_;
  QString releaseSound_;
  bool inertWhileBusy_ = false;
  bool pressed_ = false;
  bool secondPress_ = false;  // the press was a double-click's second one
  int paints_ = 0;
};

}  // namespace zarnath
