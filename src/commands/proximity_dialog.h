// The proximity-bomb dialog: the ship threshold of a proximity bomb chosen in a count box with a
// scroll bar beside it, and the Set button that sends the bomb. Modeless; one per game window,
// created on first use and then only shown and hidden.
#pragma once

#include <string>

#include "commands/send_commands.h"

namespace zarnath {
class Game;

class ProximityDialog {
 public:
  static constexpr const char* kCaption = "Set Proximity Bomb";
  static constexpr const char* kLabel = "Ship Threshold of Bomb";
  static constexpr int kMaxTyped = 4;   // characters the user can type into the box
  static constexpr int kBarTop = 9998;  // the bar's top end (the up arrow raises the count)
  static constexpr int kBarBottom = 0;
  static constexpr int kLargeChange = 10;  // a click in the bar's track

  // The controls as the window shows them.
  std::string text;  // Text1, the count box
  int value = 0;     // VScroll1's value
  int top = 32000;   // the bar's ends; 32000 to 0 until the first load
  int bottom = 0;
  int smallChange = 1;  // an arrow click
  bool loaded = false;
  int openings = 0;  // how often the dialog was opened (the window selects the preset at each)

  // The Command menu's "Set A Proximity Bomb On World": opens the dialog for the selected source
  // and target and clears the selection. Nothing without a source, or while a panel command may
  // not run.
  void mnuComSendProx_Click(Game& g);
  // Opens the dialog for a pair (the world panel's bombs row and a click on the selected source
  // pass the same world twice), preset from the source world's ships. Nothing while a panel
  // command may not run.
  void OpenFor(Game& g, int from, int to);

  // The key filter: a typed character's code passes only for the digits; any other becomes 0.
  static int Text1_KeyPress(int keyAscii);
  // A character typed at the end of the box: filtered, and only while the box holds fewer than
  // four characters.
  void Type(char c);
  // The bar moved to `v` (held within its ends); when the value changed, the box shows it and the
  // arrow step follows it: 10 from 500 up, 5 above 99, else 1.
  void SetValue(int v);
  void ArrowUp() { SetValue(value + smallChange); }
  void ArrowDown() { SetValue(value - smallChange); }
  void PageUp() { SetValue(value + kLargeChange); }
  void PageDown() { SetValue(value - kLargeChange); }

  // Set: sends a proximity bomb with the box's threshold from the dialog's source to its target
  // when the threshold is above 0 and, at this moment, the source is a world of the seat to move
  // that holds a bomb; a refusal is shown in the notice line. Then the dialog is hidden and the
  // selection and the pair cleared. While a panel command may not run (a turn being resolved),
  // nothing happens and the dialog stays as it is.
  SendOutcome ImgSet_Click(Game& g);

  // Where the bar stands for a ship count: rounded to the nearest whole number (halves to even),
  // held within the bar's ends; 0 for a count that is not a number.
  int BarValueFor(double ships) const;

 private:
  void Change();
  void Load(Game& g);
};

}  // namespace zarnath
