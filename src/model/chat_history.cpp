#include "model/chat_history.h"

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

void ChatHistory::Append(std::string_view text) {
  Text += text;
  Appended += text.size();
  if (Text.size() <= 2 * kKept) return;
  // Trimming only when twice the kept amount has gathered keeps each line's share of the work
  // the same, however long the chat runs.
  const size_t cut = ChatLineStartFrom(Text, Text.size() - kKept);
  Text.erase(0, cut == std::string::npos ? Text.size() - kKept : cut);
}

void ChatHistory::Renew(std::string_view text) {
  Text.assign(text);
  Appended = 0;
  ++Renewals;
}

}  // namespace zarnath
