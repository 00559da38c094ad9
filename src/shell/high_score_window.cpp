#include "shell/high_score_window.h"

#include <QKeyEvent>
#include <QLabel>

#include "shell/display_fonts.h"
#include "view/galaxy_canvas.h"
#include "view/image_button.h"
#include "view/widget_values.h"

namespace zarnath {

namespace {

constexpr double kRowColour = 12640511.0;          // &HC0E0FF, light peach
constexpr double kHighlightColour = 16776960.0;    // &HFFFF00, cyan
constexpr double kPaleHeadingColour = 16777088.0;  // &HFFFF80

struct Column {
  int x, width;
};
constexpr std::array<Column, kHighScoreFields> kColumns = {
    {{16, 73}, {96, 89}, {192, 65}, {264, 73}, {344, 65}, {416, 65}, {488, 73}, {568, 105}}};

void SetColour(QLabel* label, double colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, GameColour(colour));
  label->setPalette(palette);
}

}  // namespace

HighScoreWindow::HighScoreWindow(Game& game) {
  setWindowTitle(QStringLiteral("Zarnath HighScores"));
  setFixedSize(682, 404);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);

  label1_ = new QLabel(QStringLiteral("highscores"), this);
  label1_->setFont(GameFont(Typeface::kNasalization, 26.25));
  label1_->setGeometry(240, 16, 207, 33);
  FitLabelHeight(label1_);
  SetColour(label1_, kRowColour);

  const QFont font = GameFont(Typeface::kVenusRising, 8.25);
  for (int c = 0; c < kHighScoreFields; ++c)
    for (int i = 0; i < kHighScoreWindowLines; ++i) {
      auto* label = new QLabel(this);
      label->setFont(font);
      label->setGeometry(kColumns[static_cast<size_t>(c)].x, 64 + 24 * i,
                         kColumns[static_cast<size_t>(c)].width, 17);
      FitLabelHeight(label);
      SetColour(label, kRowColour);
      lbl_[static_cast<size_t>(c)][static_cast<size_t>(i)] = label;
    }
  for (int c = 0; c < kHighScoreFields; ++c) {
    QLabel* heading = lbl(c, 0);
    heading->setText(QString::fromLatin1(kHighScoreHeadings[static_cast<size_t>(c)]));
    SetColour(heading, c == 2 || c == 3 || c == 7 ? kPaleHeadingColour : kHighlightColour);
  }
  HideExtraLine();

  imgOk_ = new ImageButton(this, game, ButtonFaces{"ddentbutt20.jpg", "butt20.jpg", ClickSound::kAlways},
                           QPoint(312, 360));
  connect(imgOk_, &ImageButton::clicked, this, &HighScoreWindow::ImgOk_Click);
}

void HighScoreWindow::ShowLines(const HighScoreLines& lines) {
  for (int i = 1; i < kHighScoreWindowLines; ++i) {
    const HighScoreLine& line = lines[static_cast<size_t>(i)];
    for (int c = 0; c < kHighScoreFields; ++c) {
      QLabel* label = lbl(c, i);
      const std::string& caption = line.captions[static_cast<size_t>(c)];
      label->setText(Latin1(caption));
      SetColour(label, line.highlighted ? kHighlightColour : kRowColour);
      label->setVisible(line.visible);
    }
  }
}

void HighScoreWindow::HideExtraLine() {
  for (int c = 0; c < kHighScoreFields; ++c) lbl(c, kHighScoreExtraLine)->hide();
}

void HighScoreWindow::ImgOk_Click() {
  hide();
}

void HighScoreWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    ImgOk_Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zarnath
