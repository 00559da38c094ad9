// The lines of the high-score window as texts: the heading row, the ten rows of the table and
// the extra line for a result that did not make a full table.
#pragma once

#include <array>
#include <string>

#include "persist/high_scores.h"

namespace zarnath {

// Line 0 the headings, lines 1 to 10 the table's rows 0 to 9, line 11 the extra line.
inline constexpr int kHighScoreWindowLines = kHighScoreRows + 2;
inline constexpr int kHighScoreExtraLine = kHighScoreRows + 1;

inline constexpr std::array<const char*, kHighScoreFields> kHighScoreHeadings = {
    "rating:", "name:", "turns:", "worlds:", "prod:", "class:", "ships:", "date:"};

struct HighScoreLine {
  std::array<std::string, kHighScoreFields> captions;
  bool highlighted = false;  // the result just entered, or the extra line
  bool visible = true;
};

using HighScoreLines = std::array<HighScoreLine, kHighScoreWindowLines>;

// What the window shows after a result was ranked: the headings, each stored row as the file
// holds it (number texts keep their leading blank; an empty row shows nothing), the row the
// result went to highlighted, and the extra line only when the result did not make a full table.
HighScoreLines HighScoreWindowText(const HighScoreView& view);

}  // namespace zarnath
