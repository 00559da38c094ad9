// A read-only chat box that follows the rules' chat history: the lines that came since it last
// looked are appended at its end, and it holds at most kChatBoxLines lines, dropping the oldest
// messages whole.
// Showing a line costs the same however long the chat has run; the box is filled anew only when
// the history itself was set anew.
#pragma once

#include <cstdint>

class QPlainTextEdit;

namespace zarnath {

struct ChatHistory;

inline constexpr int kChatBoxLines = 300;

class ChatBoxView {
 public:
  explicit ChatBoxView(QPlainTextEdit* box);
  // Brings the box up to the history; true when it changed.
  bool Show(const ChatHistory& chat);

 private:
  // Drops the rest of a message whose first lines the box's limit dropped.
  void DropCutMessage();

  QPlainTextEdit* box_;
  uint64_t renewals_ = UINT64_MAX;  // the history's renewal the box shows (none yet)
  uint64_t appended_ = 0;           // how much of that renewal's text it shows
  bool lineEndDue_ = false;         // the last line's end is not shown until another line follows
};

}  // namespace zarnath
