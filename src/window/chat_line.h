// The game window's chat: the chat box, the entry line and the Send button's command. The entry
// line hands each typed key to the rules (Enter sends while Send is unlocked, "*" never enters),
// takes at most 200 characters by typing and a paste up to the chat's longest text (cut there),
// and keeps the game's copy of its text; Send wraps,
// sends and locks through the rules. The boxes and the Send button show the game's chat state at
// every sync.
#pragma once

#include <QObject>
#include <memory>

#include "window/chat_box.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace zarnath {

class Game;
class ImageButton;

inline constexpr int kChatLeft = 21, kChatTop = 492, kChatWidth = 314, kChatHeight = 163;
inline constexpr int kChatEntryTop = 661, kChatEntryWidth = 250, kChatEntryHeight = 21;

class ChatLine : public QObject {
 public:
  ChatLine(QWidget* window, Game& game);

  // The Send button or Enter.
  void ImgSend_Click();
  // The end of the two-second lock.
  void tmrMessage_Timer();
  // The boxes follow the game's chat state.
  void Sync();
  void FocusEntry();

  // The Send button, locked and unlocked with the chat's lock.
  ImageButton* sendButton = nullptr;

  QPlainTextEdit* txtChat() const { return txtChat_; }
  QLineEdit* txtMessage() const { return txtMessage_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Game& game_;
  QPlainTextEdit* txtChat_ = nullptr;
  QLineEdit* txtMessage_ = nullptr;
  std::unique_ptr<ChatBoxView> chatView_;
};

}  // namespace zarnath
