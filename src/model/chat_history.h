// A chat box's lines as the rules keep them: each arriving line is appended at the end, and once
// the box holds far more than anyone scrolls back to, its oldest messages give way, each one
// whole (a message's own line breaks are CR LF and a tab). A line costs the same however long the
// chat has run, and a flood of lines never grows the box without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarnath {

struct ChatHistory {
  // Once the chat holds twice this many characters (and this many more than its last trim kept),
  // it is trimmed to its whole messages within its last kKept characters, or, when its last
  // message alone is longer, to that message.
  static constexpr size_t kKept = 4000;

  std::string Text;       // the lines kept, each ending in CR LF
  uint64_t Appended = 0;  // characters appended since the box was last set anew
  uint64_t Renewals = 0;  // times the box was set anew (emptied or replaced)
  size_t KeptAtTrim = 0;  // what the last trim kept

  // Appends text at the end (a line and its CR LF), trimming the oldest lines when due.
  void Append(std::string_view text);
  // Replaces the whole box.
  void Renew(std::string_view text = {});
  bool empty() const { return Text.empty(); }
};

// Where the text from `from` on begins with a whole chat line: the first line start at or after
// `from` that is not a continuation (a chat line's own breaks are CR LF and a tab). npos when none.
size_t ChatLineStartFrom(std::string_view text, size_t from);
// Where the chat message that holds position `at` begins: the last line start at or before `at`
// that is not a continuation; 0 when none.
size_t ChatMessageStartAt(std::string_view text, size_t at);

}  // namespace zarnath
