// The proximity-bomb dialog `frmProximity`: a small modeless window with the count box, the scroll
// bar beside it and the Set button. It shows the core's dialog state (box text, bar value and ends,
// arrow step) and hands every edit, bar move and Set back to it; it is shown while the game's
// window state says the dialog is open.
#pragma once

#include <QDialog>
#include <functional>

#include "commands/proximity_dialog.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace zarnath {

class Game;
class ImageButton;

class ProximityWindow : public QDialog {
 public:
  ProximityWindow(Game& game, ProximityDialog& dialog, QWidget* parent = nullptr);

  // Shows the dialog's state and follows the game's window state (open or hidden).
  void Sync();

  QLabel* Label1() const { return label1_; }
  QLineEdit* Text1() const { return text1_; }
  QScrollBar* VScroll1() const { return vscroll1_; }
  ImageButton* ImgSet() const { return imgSet_; }

  // Runs after Set was pressed and the core has acted (the window redraws and shows notices).
  std::function<void(const SendOutcome&)> onSet;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Set();
  // Escape and Enter, wherever the dialog's keyboard focus is; true when the key was one of them.
  bool Shortcut(const QKeyEvent* key);

  Game& game_;
  ProximityDialog& dialog_;
  QLabel* label1_;
  QLineEdit* text1_;
  QScrollBar* vscroll1_;
  ImageButton* imgSet_;
  bool syncing_ = false;
  int openings_ = 0;  // the dialog's openings seen so far
};

}  // namespace zarnath
