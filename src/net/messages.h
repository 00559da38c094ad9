// Framing of the game's network messages: the tag, a two-digit index, the payload and "*".
#pragma once

#include <string>
#include <string_view>

namespace zarnath {

// `tag` includes its trailing blank, e.g. "[SEND] ".
std::string Frame(std::string_view tag, int index, std::string_view payload);

}  // namespace zarnath
