// Framing of the game's network messages: the tag, a blank, a two-digit index, the payload and
// "*". There is no length and no line end; "*" alone ends a frame.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnath {

// `tag` includes its trailing blank, e.g. "[SEND] ".
std::string Frame(std::string_view tag, int index, std::string_view payload);

// One frame as it came off the wire: the tag with its brackets ("[SEND]"), the index read from
// its two digits and the payload with every "," turned into "." (numbers written with a comma
// as the decimal point read the same as with a point).
struct ReceivedFrame {
  std::string tag;
  int index = 0;
  std::string payload;
};

// Splits a frame's text (without its "*") into tag, index and payload; nothing when it has no
// blank after the tag or the two characters after the blank are not digits.
std::optional<ReceivedFrame> ParseFrame(std::string_view text);

// The bytes of one connection not yet cut into frames. Appending more than `kMaxBuffered` bytes
// without a "*" in them throws the waiting bytes away: no frame of the game is that long, and a
// peer that never ends a frame must not make this machine keep everything it sends.
class FrameBuffer {
 public:
  static constexpr size_t kMaxBuffered = 64 * 1024;
  // The shortest frame has six characters before its "*".
  static constexpr size_t kShortestFrame = 6;

  // Appends bytes and returns the texts of the complete frames now in the buffer, in order.
  // A "*" within the first six characters of the buffer ends junk, not a frame: the junk and its
  // "*" are skipped, so one stray "*" never holds back the frames behind it.
  std::vector<std::string> Append(std::string_view bytes);
  void Clear() {
    pending_.clear();
    skipping_ = false;
  }
  size_t Waiting() const { return pending_.size(); }

 private:
  std::string pending_;
  bool skipping_ = false;
};

}  // namespace zarnath
