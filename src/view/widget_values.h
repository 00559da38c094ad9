// Game values as the widgets take them: a game text (Latin-1 bytes, as the saved games and the
// frames hold them) as a QString, and a place in pixels as a whole number, however far off it is.
#pragma once

#include <QString>
#include <algorithm>
#include <cmath>
#include <string_view>

namespace zarnath {

inline QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline int Whole(double v) {
  return std::isfinite(v) ? static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))) : 0;
}

}  // namespace zarnath
