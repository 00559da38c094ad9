#include "persist/high_score_rows.h"

namespace zarnath {

HighScoreLines HighScoreWindowText(const HighScoreView& view) {
  HighScoreLines lines;
  for (int c = 0; c < kHighScoreFields; ++c)
    lines[0].captions[static_cast<size_t>(c)] = kHighScoreHeadings[static_cast<size_t>(c)];
  for (int r = 0; r < kHighScoreRows; ++r) {
    HighScoreLine& line = lines[static_cast<size_t>(r + 1)];
    line.captions = view.shown[static_cast<size_t>(r)];
    line.highlighted = view.inserted == r;
  }
  HighScoreLine& extra = lines[kHighScoreExtraLine];
  extra.visible = extra.highlighted = view.extra.has_value();
  if (view.extra) extra.captions = *view.extra;
  return lines;
}

}  // namespace zarnath
