#include "model/chat_history.h"

#include <algorithm>

namespace zarnath {

namespace {

// Each pass of a scan below moves past one line break, two characters: a text of n characters
// takes at most n / 2 + 1 passes. The scans stop there, so that a pass that failed to move on ends
// in an answer that keeps more of the chat than it needs to, never in a scan that holds the
// window for ever.
size_t MostPasses(std::string_view text) {
  return text.size() / 2 + 1;
}

}  // namespace

size_t ChatLineStartFrom(std::string_view text, size_t from) {
  if (from == 0 && !text.empty() && text[0] != '\t') return 0;
  size_t passes = MostPasses(text);
  for (size_t at = text.find("\r\n", from >= 2 ? from - 2 : 0); at != std::string_view::npos && passes > 0;
       at = text.find("\r\n", at + 2), --passes) {
    const size_t start = at + 2;
    if (start < from) continue;
    if (start >= text.size()) return std::string_view::npos;
    if (text[start] != '\t') return start;
  }
  return std::string_view::npos;
}

size_t ChatMessageStartAt(std::string_view text, size_t at) {
  at = std::min(at, text.size());
  for (size_t passes = MostPasses(text); passes > 0; --passes) {
    const size_t lineEnd = at >= 2 ? text.rfind("\r\n", at - 2) : std::string_view::npos;
    const size_t start = lineEnd == std::string_view::npos ? 0 : lineEnd + 2;
    if (start == 0 || (start < text.size() && text[start] != '\t')) return start;
    at = start - 1;
  }
  return 0;
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
