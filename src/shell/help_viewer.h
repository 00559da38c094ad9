// The game's help viewer. "Zarnath.hlp" is a hypertext file (a small subset of HTML) whose
// first section is the table of contents, linking to one section per topic; the viewer opens
// it at the contents and has Contents, Back and Forward buttons.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace zarnath {

class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  HelpViewer();

  // Loads the help file and shows its contents; false (and nothing shown) when the file cannot
  // be read.
  bool Open(const QString& path, const QString& title);
  // Back to the table of contents.
  void ShowContents();

  QTextBrowser* text() const { return text_; }

 private:
  QTextBrowser* text_;
  QPushButton* back_;
  QPushButton* forward_;
};

}  // namespace zarnath
