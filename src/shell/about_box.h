// The About box `frmAbout`: a small black window naming the game and its version. It is
// created the first time it is shown and afterwards only shown and hidden; its OK button
// hides it.
#pragma once

#include <QWidget>

class QLabel;

namespace zarnath {

class Game;
class ImageButton;

class AboutBox : public QWidget {
  Q_OBJECT

 public:
  explicit AboutBox(Game& game);

  void Form_Load() {}
  void ImgOk_Click();

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  ImageButton* ImgOk() const { return imgOk_; }

 protected:
  // Escape is OK.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* label1_;
  QLabel* label2_;
  ImageButton* imgOk_;
};

}  // namespace zarnath
