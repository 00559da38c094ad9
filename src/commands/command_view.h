// What the game window's commands (galaxy clicks, the popup, the world panel, the side lists and
// the world labels) ask of the window beyond the game's screen port: the view's own drawings over
// the map, the labels they edit and what the popup measures. The game window implements it; every
// call does nothing by default, so tests record only what they look at.
#pragma once

#include <string>
#include <vector>

#include "model/ships_needed.h"
#include "model/travel_popup.h"

namespace zarnath {
struct GameState;

// The preview drawn before an automatic send: a fleet, a scout or a bomb.
enum class PreviewKind { kShips, kScout, kBomb };

// One world's label of the distances display: caption, colour, style, and which side of its
// world it stands on once placed (the window measures it and places it beside the world).
struct DistanceLabel {
  int world = -1;
  std::string caption;
  double colour = 0;
  bool italic = false;
  int fontSize = 0;  // 0: the label's own size
  int gap = 0;       // pixels between the label and its world; 0: by the world's owner
  // The label of world 0 moves to the right of its world when, placed left of it, it would reach
  // past the galaxy centre (the world panel's displays only).
  bool keepLeftOfCentre = false;
};
struct DistanceLabels {
  std::string header;  // the centred report over the sun
  std::vector<DistanceLabel> labels;
};

// What a command asks the window to open once it is done, and the list and panel changes it
// leaves for the window to show.
enum class WindowOpens {
  kNothing,
  kStatusReport,     // the status report over the sun
  kWorldPanel,       // the world information panel of `world`
  kWorldHistory,     // the world history popup of `world`
  kTravelPopup,      // `popup`, whose rows act on the selection
  kProximityDialog,  // the proximity-bomb dialog for `world`, preset to `proximityText` and `proximityValue`
};

struct PanelRowEdit {
  int row = 0;
  std::string text;
  bool operator==(const PanelRowEdit&) const = default;
};

struct CommandOutcome {
  bool ran = false;  // false: the command was refused before it started (a busy window, no row)
  WindowOpens opens = WindowOpens::kNothing;
  int world = -1;
  TravelPopup popup;
  std::string proximityText;
  int proximityValue = 0;
  // The owned-worlds list selects its first row whose item data is this world (-1: unchanged).
  int ownedRow = -1;
  // The owned-worlds and in-transit lists lose their selected rows.
  bool clearListSelections = false;
  // The world panel's rows rewritten in place, and whether the panel was hidden.
  std::vector<PanelRowEdit> panelRows;
  bool panelHidden = false;
};

class CommandView {
 public:
  virtual ~CommandView() = default;
  // The view without objects in flight and without labels.
  virtual void CleanGalaxy() {}
  // The selected source: a ring of 12 px (line width 2) and a filled dot of 3 px with a black
  // outline, in the owner's colour.
  virtual void DrawSourceMark(int /*world*/) {}
  // A clicked target: a ring of 12 px, the world's sprite drawn again, and a filled dot of 3 px
  // outlined in olive.
  virtual void DrawTargetMark(int /*world*/) {}
  // The full redraw, then the path and mark of the object in slot fleetNo - 1 (or all of the
  // current player's with -1).
  virtual void FleetPathsDraw(int /*fleetNo*/) {}
  // The hover label naming world w above it.
  virtual void DrawWorldLabel(int /*world*/) {}
  // A bomb's threshold in the next free floating label (the one `LabelIndex` names, loaded when
  // every loaded one is in use), its right edge 9 px left of the bomb's marker at pixel (x, y) and
  // centred on it, in `colour`; the labels over objects in flight stay as they are.
  virtual void ShowThresholdLabel(const std::string& /*caption*/, double /*x*/, double /*y*/,
                                  double /*colour*/) {}
  // The hover label hidden, and its caption emptied.
  virtual void HideHoverLabel() {}
  virtual void ClearHoverLabel() {}
  // The distances display's labels, placed beside their worlds, spread apart and shown.
  virtual void ShowDistanceLabels(const DistanceLabels& /*labels*/) {}
  // The preview of an automatic send from `from` to `to`.
  virtual void DrawSendPreview(int /*from*/, int /*to*/, PreviewKind /*kind*/) {}
  // World w's label shows this caption.
  virtual void SetWorldLabel(int /*world*/, const std::string& /*caption*/) {}
  // The caption world w's label shows now.
  virtual std::string WorldLabelCaption(int /*world*/) { return ""; }
  // The width in pixels of a text in the popup's font.
  virtual int TextWidth(const std::string& /*text*/) { return 0; }
  // The ships-needed estimate for the selected pair as digits; `result` stays as given when
  // nothing recent is known of the target.
  virtual void CalcShips(GameState& g, std::string& result) { zarnath::CalcShips(g, result); }
};

}  // namespace zarnath
