// The high-score window `frmHighScores` ("Zarnath HighScores"): the title, a heading row, the
// ten rows of the table and an extra line for a result that did not enter it, and an OK button
// that hides the window.
#pragma once

#include <QWidget>
#include <array>

#include "persist/high_score_rows.h"

class QLabel;

namespace zarnath {

class Game;
class ImageButton;

class HighScoreWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HighScoreWindow(Game& game);

  // Shows the lines' captions, colours and the extra line as given.
  void ShowLines(const HighScoreLines& lines);
  // The extra line goes (the Information menu's look at the table).
  void HideExtraLine();
  // `ImgOk_Click`: hides the window; its contents stay.
  void ImgOk_Click();

  // `lbl1` to `lbl8` by column 0..7, element 0..11.
  QLabel* lbl(int column, int element) const {
    return lbl_[static_cast<size_t>(column)][static_cast<size_t>(element)];
  }
  QLabel* Label1() const { return label1_; }
  ImageButton* ImgOk() const { return imgOk_; }

 protected:
  // Escape is OK.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::array<std::array<QLabel*, kHighScoreWindowLines>, kHighScoreFields> lbl_{};
  QLabel* label1_;
  ImageButton* imgOk_;
};

}  // namespace zarnath
