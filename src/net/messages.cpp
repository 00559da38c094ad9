#include "net/messages.h"

#include "model/numbers.h"

namespace zarnath {

std::string Frame(std::string_view tag, int index, std::string_view payload) {
  std::string m(tag);
  m += Format(index, "00");
  m += payload;
  m += '*';
  return m;
}

std::optional<ReceivedFrame> ParseFrame(std::string_view text) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos || blank < 2 || text.size() < blank + 3) return std::nullopt;
  if (text.front() != '[' || text[blank - 1] != ']') return std::nullopt;
  const char a = text[blank + 1], b = text[blank + 2];
  if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
  ReceivedFrame f;
  f.tag = std::string(text.substr(0, blank));
  f.index = (a - '0') * 10 + (b - '0');
  f.payload = std::string(text.substr(blank + 3));
  for (char& c : f.payload)
    if (c == ',') c = '.';
  return f;
}

std::vector<std::string> FrameBuffer::Append(std::string_view bytes) {
  std::vector<std::string> frames;
  size_t start = 0;
  while (start < bytes.size()) {
    // Take at most what fits under the cap; what follows is looked at in the next round.
    const size_t room = kMaxBuffered - pending_.size();
    const std::string_view part = bytes.substr(start, room);
    start += part.size();
    if (skipping_) {
      // The rest of an overlong frame: thrown away up to and with its "*".
      const size_t star = part.find('*');
      if (star == std::string_view::npos) continue;
      skipping_ = false;
      pending_.append(part.substr(star + 1));
    } else {
      pending_ += part;
    }
    size_t from = 0;
    for (size_t star = pending_.find('*'); star != std::string::npos; star = pending_.find('*', from)) {
      if (star - from >= kShortestFrame) frames.emplace_back(pending_, from, star - from);
      from = star + 1;
    }
    pending_.erase(0, from);
    if (pending_.size() >= kMaxBuffered) {
      pending_.clear();
      skipping_ = true;
    }
  }
  return frames;
}

}  // namespace zarnath
