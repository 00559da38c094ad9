#include "model/record_fields.h"

#include <gtest/gtest.h>

#include <set>

#include "model/game.h"

namespace zarnath {
namespace {

// A text or float field has no range; a whole-number one holds its range within its width.
bool RangeFits(const RecordField& f) {
  const bool whole =
      f.width == FieldWidth::kByte || f.width == FieldWidth::kShort || f.width == FieldWidth::kFlag;
  return !whole || (f.lo >= WidthLow(f.width) && f.lo <= f.hi && f.hi <= WidthHigh(f.width));
}

// Every field has its own name, and a whole-number field's range lies inside what its width holds:
// a range beyond it would let a reader store a value the field then wraps.
TEST(RecordFields, NamesAreDistinctAndRangesFitTheirWidths) {
  std::set<std::string_view> worldNames, slotNames;
  for (int k = 0; k < kWorldFieldCount; ++k) {
    const RecordField& f = FieldOf(static_cast<WorldField>(k));
    EXPECT_TRUE(worldNames.insert(f.name).second) << f.name;
    EXPECT_TRUE(RangeFits(f)) << f.name;
  }
  for (int k = 0; k < kFleetFieldCount; ++k) {
    const RecordField& f = FieldOf(static_cast<FleetField>(k));
    EXPECT_TRUE(slotNames.insert(f.name).second) << f.name;
    EXPECT_TRUE(RangeFits(f)) << f.name;
  }
  EXPECT_EQ(FieldName(WorldField::kMarked, 2), "mark of player 2");
  EXPECT_EQ(FieldName(WorldField::kOwner, 2), "owner");
}

// What is stored in a field is what its text says, for each seat's own copy of a seat's field, and
// nothing else changes.
TEST(RecordFields, AValueStoredReadsBackAsItsText) {
  GameState g;
  const GameState before = g;
  SetField(g, WorldField::kShips, 3, 12.5);
  SetField(g, WorldField::kOwner, 3, 2);
  SetField(g, WorldField::kKnownStat, 3, -7);
  SetField(g, WorldField::kMarked, 3, 1, 2);
  SetFieldText(g, WorldField::kHistory, 3, "seen", 1);
  SetFieldText(g, WorldField::kName, 3, "Zea");
  SetField(g, FleetField::kTimeLeft, 7, 0.1);
  SetField(g, FleetField::kTo, 7, 4);
  EXPECT_EQ(FieldText(g, WorldField::kShips, 3), " 12.5");
  EXPECT_EQ(FieldText(g, WorldField::kOwner, 3), " 2");
  EXPECT_EQ(FieldText(g, WorldField::kKnownStat, 3), "-7");
  EXPECT_EQ(FieldText(g, WorldField::kMarked, 3, 2), "True");
  EXPECT_EQ(FieldText(g, WorldField::kMarked, 3, 1), "False");
  EXPECT_EQ(FieldText(g, WorldField::kHistory, 3, 1), "seen");
  EXPECT_EQ(FieldText(g, WorldField::kName, 3), "Zea");
  EXPECT_EQ(FieldText(g, FleetField::kTimeLeft, 7), " .1");  // all 64 bits: 0.1 exactly as a double reads
  EXPECT_EQ(FieldText(g, FleetField::kTo, 7), " 4");
  EXPECT_TRUE(g.WorldMarked[2][3] && !g.WorldMarked[1][3] && g.WorldHistory[1][3] == "seen" &&
              g.FleetTo[7] == 4);
  EXPECT_EQ(g.WorldShips[4], before.WorldShips[4]);
  EXPECT_EQ(g.WorldHistory[0][3], "");
}

}  // namespace
}  // namespace zarnath
