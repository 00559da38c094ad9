// The setup window `frmMulti` ("Zarnath Game Setup"): four player slots (name, computer box,
// level with its bar, lobby status), the help text, the network boxes, the game options and the
// Start button. The window shows the setup state of the game and hands every edit to the
// setup rules of the core, then shows the state again; the rules never reach a widget.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "window/chat_box.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

namespace zarnath {

class Game;
class ImageButton;

// A name box: every key typed into it goes to the setup rules first, which may swallow it.
class NameBox : public QLineEdit {
  Q_OBJECT

 public:
  NameBox(QWidget* parent, Game& game, int slot);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // A click on a filled box in a lobby removes that client or leaves the host.
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Game& game_;
  int slot_;
};

// The address box: digits, "." and editing keys only; Enter joins.
class AddressBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class SetupWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SetupWindow(Game& game);

  // Shows every control as the setup state holds it.
  void ShowState();

  // The Start button: the game starts from what the window holds.
  void ImgStart_Click();
  // A click on name box `slot`.
  void txtPL_Click(int slot);

  // Runs when the window is closed (after the lobby's connections are closed).
  std::function<void()> onClosed;
  // Runs after every ShowState (the internet lobby shows its table and layout).
  std::function<void()> onShowState;

  // --- the controls, for the program's other windows and for tests ---
  std::array<NameBox*, 4> txtPL{};
  std::array<QCheckBox*, 4> chkAI{};
  std::array<QLineEdit*, 4> txtAI{};
  std::array<QScrollBar*, 4> HScrollAI{};
  std::array<QLabel*, 4> lblStatus{};
  QLabel *Label1, *Label5, *Label6, *Label7, *Label8;
  QLineEdit* txtPlanets;
  QScrollBar* VScroll1;
  QCheckBox *chkShield, *chkMode, *chkTruce;
  QLineEdit* txtTruce;
  QScrollBar* VScroll2;
  QLabel* Label13;
  std::array<QLineEdit*, 3> txtOp{};
  std::array<QScrollBar*, 3> VScrollOp{};
  std::array<QRadioButton*, 3> OptRadar{};
  QCheckBox *chkLan, *chkOnline;
  std::array<QRadioButton*, 2> OptServerClient{};
  QLineEdit* txtIP;
  QLabel *Label9, *Label10, *Label26;
  QPlainTextEdit* txtChat;
  QLineEdit* txtMessage;
  QWidget* picOptions;
  ImageButton* ImgStart() const { return imgStart_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildSlots();
  void BuildNetworkBoxes();
  void BuildOptions();
  void BuildChat();
  // Runs a rule on the state, then shows the state.
  void Apply(const std::function<void()>& rule);

  Game& game_;
  ImageButton* imgStart_;
  std::array<QLabel*, 2> optionCaptions_{};
  std::unique_ptr<ChatBoxView> chatView_;
};

}  // namespace zarnath
