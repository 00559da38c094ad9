#include "model/chat_history.h"

#include <algorithm>

namespace zarnath {

size_t ChatLineStartFrom(std::string_view text, size_t from) {
  if (from == 0 && !text.empty() && text[0] != '\t') return 0;
  for (size_t at = text.find("\r\n", from >= 2 ? from - 2 : 0); at != std::string_view::npos;
       at = text.find("\r\n", at + 2)) {
    const size_t start = at + 2;
    if (start < from) continue;
    if (start >= text.size()) return std::string_view::npos;
    if (text[start] != '\t') return start;
  }
  return std::string_view::npos;
}

size_t ChatMessageStartAt(std::string_view text, size_t at) {
  at = std::min(at, text.size());
  for (;;) {
    const size_t lineEnd = at >= 2 ? text.rfind("\r\n", at - 2) : std::string_view::npos;
    const size_t start = lineEnd == std::string_view::npos ? 0 : lineEnd + 2;
    if (start == 0 || (start < text.size() && text[start] != '\t')) return start;
    at = start - 1;
  }
}

void ChatHistory::Append(std::string_view text) {
  Text += text;
  Appended += text.size();
  // Trimming only when the kept amount has gathered again keeps each line's share of the work
  // the same, however long the chat runs and however long its messages.
  if (Text.size() <= 2 * kKept || Text.size() <= KeptAtTrim + kKept) return;
  // The first whole message of the last kKept characters, or the message they begin in when it
  // is longer than that.
  const size_t from = Text.size() - kKept;
  const size_t cut = ChatLineStartFrom(Text, from);
  Text.erase(0, cut == std::string::npos ? ChatMessageStartAt(Text, from) : cut);
  KeptAtTrim = Text.size();
}

void ChatHistory::Renew(std::string_view text) {
  Text.assign(text);
  Appended = 0;
  KeptAtTrim = 0;
  ++Renewals;
}

}  // namespace zarnath
