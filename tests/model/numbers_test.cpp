#include "model/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace zarnath {

TEST(NumberText, StrWritesBlankOrSignSignificantDigitsAndExponents) {
  std::string shown;
  for (float v :
       {0.0f, -1.0f, 0.5f, -0.25f, 0.1f, 1.05f, 1.0f / 3, 1234567.0f, 0.0001f, 0.00001f, 12345678.0f})
    shown += Str(v) + "|";
  EXPECT_EQ(shown, " 0|-1| .5|-.25| .1| 1.05| .3333333| 1234567| .0001| 1E-05| 1.234568E+07|");
  EXPECT_EQ(Str(1.0 / 3.0) + Str(-1.5e-7) + Str(-7), " .333333333333333-1.5E-07-7");
  for (float v : {0.05f, 12.5f, 1e-6f, 3.4e20f, 6.283184f})
    EXPECT_FLOAT_EQ(static_cast<float>(Val(Str(v))), v);
}

TEST(NumberText, ValPicturesAndRounding) {
  std::string read;
  for (const char* text : {"-.5", " 1E-05", "1.5E+07abc", "1 2", "abc", "", "-", "3e", "1e999"})
    read += Str(Val(text)) + "|";
  EXPECT_EQ(read, "-.5| 1E-05| 15000000| 12| 0| 0| 0| 3| 0|");  // no infinity gets in
  const std::tuple<double, const char*> pictures[] = {{9, "00"},         {123, "00"},   {0.3076923f, "0.000"},
                                                      {8.765, "00.000"}, {2.5, "0"},    {0.125, "0.00"},
                                                      {9.9996, "0.000"}, {-1.5, "0.0"}, {-0.0001, "0.00"}};
  std::string formatted;
  for (const auto& [v, picture] : pictures) formatted += Format(v, picture) + "|";
  EXPECT_EQ(formatted, "09|123|0.308|08.765|3|0.13|10.000|-1.5|0.00|");
  EXPECT_EQ(Int(2.7) + Int(-2.5), 2 - 3);  // Int is floor; rounding takes ties to even
  EXPECT_EQ(RoundEven(12.5) + RoundEven(13.5), 12 + 14);
  EXPECT_EQ(RoundInto(255.4, 0, 255).value(), 255);
  EXPECT_FALSE(RoundInto(255.6, 0, 255).has_value() || RoundInto(-1, 0, 255).has_value());
}

TEST(NumberText, ShownYearAndTurnStayRightInLongGames) {
  // The stored year is a running 32-bit sum whose error grows every turn.
  float year = 1.0f;
  EXPECT_EQ(TurnText(year), "0");
  for (int turn = 1; turn <= 2000; ++turn) {
    year += 0.05f;
    ASSERT_EQ(TurnNumber(year), turn);
    const int h = 100 + 5 * turn;  // the year in hundredths
    ASSERT_EQ(YearText(year),
              std::to_string(h / 100) + (h % 100 < 10 ? ".0" : ".") + std::to_string(h % 100));
  }
}

// Int is the floor of every value: beyond the range of any integer type (a saved game may hold
// 1E+19 ships) as well as for fractions and negative values.
TEST(NumberText, IntIsTheFloorOfEveryValue) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const std::tuple<double, double> cases[] = {{2.7, 2},
                                              {-2.5, -3},
                                              {-0.25, -1},
                                              {-3, -3},
                                              {0.3 * 1000 + 0.999, 300},
                                              {1e19, 1e19},
                                              {-1e19, -1e19},
                                              {9.3e18, 9.3e18},
                                              {-9.3e18 - 0.5e4, -9.3e18 - 0.5e4},
                                              {1e300, 1e300},
                                              {-1e300, -1e300},
                                              {4503599627370495.5, 4503599627370495.0},
                                              {-4503599627370495.5, -4503599627370496.0},
                                              {inf, inf},
                                              {-inf, -inf}};
  for (const auto& [value, floor] : cases) EXPECT_EQ(Int(value), floor) << value;
  EXPECT_TRUE(std::isnan(Int(std::nan(""))));
}

// Val reads a number beyond a 64-bit float as 0; ValInRange tells it apart. Numbers too small
// for one are 0 either way.
TEST(NumberText, NumbersBeyondA64BitFloatAreToldApart) {
  const std::tuple<const char*, std::optional<double>> cases[] = {
      {" 1E+400", std::nullopt},
      {"-1E+400", std::nullopt},
      {"1e99999999999999999999", std::nullopt},
      {" 123456789e301", std::nullopt},
      {"0.0000001e316", std::nullopt},
      {" 1E-400", 0.0},
      {"-1e-99999999999", 0.0},
      {"0e999999", 0.0},
      {" 1.7976931348623157E+308", 1.7976931348623157e308},
      {"0.001e-330", 0.0},
      {" 12", 12.0},
      {"abc", 0.0},
      {"1E+39", 1e39}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ValInRange(text), value) << text;
    EXPECT_EQ(Val(text), value.value_or(0.0)) << text;
  }
}

// The turn number of years beyond every game saturates instead of overflowing.
TEST(NumberText, TurnNumbersOfAbsurdYearsStayInRange) {
  EXPECT_EQ(TurnNumber(1e10f), INT_MAX);
  EXPECT_EQ(TurnNumber(-1e30f), INT_MIN);
  EXPECT_EQ(TurnNumber(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(TurnNumber(-999.0f), -20000);
}

}  // namespace zarnath
