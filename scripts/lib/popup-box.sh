# The travel options popup on two screenshots of the game window: what turned white between
# BEFORE and AFTER within the galaxy (x 0-1017, y 24-391), read as the popup's one-pixel white
# frame: its sides are the columns and its top and bottom the rows with the most new white
# pixels. A twinkling star or a ring pixel that also turned white does not move the frame.
# Prints "left top width height" in window coordinates, or nothing when no frame was found.
popup_box() { # before.png after.png
  local mask
  mask=$(mktemp --suffix=.pgm)
  convert "$2" "$1" -fill black +opaque white -compose minus_src -composite \
    -crop 1018x368+0+24 +repage -colorspace gray -threshold 50% -depth 8 "$mask" || { rm -f "$mask"; return 0; }
  # The count of new white pixels in each column and in each row.
  local cols rows
  cols=$(convert "$mask" -scale 1018x1! -depth 16 -compress none pgm:- | awk 'NR > 3 { for (i = 1; i <= NF; i++) print int($i / 65535 * 368 + 0.5) }')
  rows=$(convert "$mask" -scale 1x368! -depth 16 -compress none pgm:- | awk 'NR > 3 { for (i = 1; i <= NF; i++) print int($i / 65535 * 1018 + 0.5) }')
  rm -f "$mask"
  # The frame's lines: the first and the last at 80 percent of the longest (at least 50 pixels).
  local span='{ n[NR - 1] = $1; if ($1 > m) m = $1 }
    END { if (m < 50) exit; for (i = 0; i < NR; i++) if (n[i] >= 0.8 * m) { if (a == "") a = i; b = i }
          print a, b - a + 1 }'
  local left width top height
  read -r left width <<< "$(printf '%s\n' "$cols" | awk "$span")"
  read -r top height <<< "$(printf '%s\n' "$rows" | awk "$span")"
  [ -n "$left" ] && [ -n "$top" ] && echo "$left $((top + 24)) $width $height"
}
