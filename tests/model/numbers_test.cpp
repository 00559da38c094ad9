#include "model/numbers.h"

#include <gtest/gtest.h>

namespace zarnath {
namespace {

TEST(NumberText, LeadingBlankSignAndPoint) {
  EXPECT_EQ(Str(0.0f), " 0");
  EXPECT_EQ(Str(12.0f), " 12");
  EXPECT_EQ(Str(-1.0f), "-1");
  EXPECT_EQ(Str(12.5f), " 12.5");
  EXPECT_EQ(Str(0.5f), " .5");
  EXPECT_EQ(Str(-0.25f), "-.25");
  EXPECT_EQ(Str(1), " 1");
  EXPECT_EQ(Str(-7), "-7");
}

TEST(NumberText, SignificantDigitsByWidth) {
  EXPECT_EQ(Str(0.1f), " .1");  // 7 digits hide the float's binary tail
  EXPECT_EQ(Str(1.05f), " 1.05");
  EXPECT_EQ(Str(0.1), " .1");
  EXPECT_EQ(Str(1.0 / 3.0), " .333333333333333");
  EXPECT_EQ(Str(1.0f / 3.0f), " .3333333");
  EXPECT_EQ(Str(1234567.0f), " 1234567");
}

TEST(NumberText, ExponentForTinyAndHugeMagnitudes) {
  EXPECT_EQ(Str(0.0001f), " .0001");
  EXPECT_EQ(Str(0.00001f), " 1E-05");
  EXPECT_EQ(Str(-1.5e-7), "-1.5E-07");
  EXPECT_EQ(Str(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(Str(1e15), " 1E+15");
}

TEST(NumberText, ValReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(Val(" 12"), 12);
  EXPECT_DOUBLE_EQ(Val(".5"), 0.5);
  EXPECT_DOUBLE_EQ(Val("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(Val(" 1E-05"), 1e-5);
  EXPECT_DOUBLE_EQ(Val("1.5E+07abc"), 1.5e7);
  EXPECT_DOUBLE_EQ(Val("12abc"), 12);
  EXPECT_DOUBLE_EQ(Val("1 2"), 12);  // blanks inside are passed over
  EXPECT_DOUBLE_EQ(Val("abc"), 0);
  EXPECT_DOUBLE_EQ(Val(""), 0);
  EXPECT_DOUBLE_EQ(Val("-"), 0);
  EXPECT_DOUBLE_EQ(Val("3e"), 3);
  EXPECT_DOUBLE_EQ(Val("1e999"), 0);  // no infinity gets in
}

TEST(NumberText, StrThenValRoundTrips) {
  for (float v : {0.0f, 1.0f, -1.0f, 0.05f, 12.5f, 1e-6f, 3.4e20f, 6.283184f, -9999.5f})
    EXPECT_FLOAT_EQ(static_cast<float>(Val(Str(v))), v) << Str(v);
}

TEST(Pictures, DigitsAndRounding) {
  EXPECT_EQ(Format(9, "00"), "09");
  EXPECT_EQ(Format(123, "00"), "123");
  EXPECT_EQ(Format(25, "00000"), "00025");
  EXPECT_EQ(Format(0.3076923f, "0.000"), "0.308");
  EXPECT_EQ(Format(0.308f, "0.000"), "0.308");
  EXPECT_EQ(Format(8.765, "00.000"), "08.765");
  EXPECT_EQ(Format(1.05f, "0.00"), "1.05");
  EXPECT_EQ(Format(12.34, "000.0"), "012.3");
  EXPECT_EQ(Format(2.5, "0"), "3");     // half away from zero
  EXPECT_EQ(Format(0.125, "0.00"), "0.13");
  EXPECT_EQ(Format(9.9996, "0.000"), "10.000");
  EXPECT_EQ(Format(-1.5, "0.0"), "-1.5");
  EXPECT_EQ(Format(-0.0001, "0.00"), "0.00");
  EXPECT_EQ(Format(0, "0.000"), "0.000");
}

TEST(Integers, FloorAndTiesToEven) {
  EXPECT_EQ(Int(2.7), 2);
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Int(-3.0), -3);
  EXPECT_EQ(RoundEven(12.5), 12);
  EXPECT_EQ(RoundEven(13.5), 14);
  EXPECT_EQ(RoundEven(-0.5), 0);
  EXPECT_EQ(RoundInto(255.4, 0, 255).value(), 255);
  EXPECT_FALSE(RoundInto(255.6, 0, 255).has_value());
  EXPECT_FALSE(RoundInto(-1, 0, 255).has_value());
}

TEST(GameTime, YearAndTurnTexts) {
  EXPECT_EQ(YearText(1.0f), "1.00");
  EXPECT_EQ(TurnText(1.0f), "0");
  float year = 1.0f;
  year += 0.05f;
  EXPECT_EQ(YearText(year), "1.05");
  EXPECT_EQ(TurnNumber(year), 1);
}

TEST(GameTime, LongGamesKeepTheirYearText) {
  // The year is a running 32-bit sum; its error grows with every turn.
  float year = 1.0f;
  for (int turn = 1; turn <= 2000; ++turn) {
    year += 0.05f;
    ASSERT_EQ(TurnNumber(year), turn);
    const long long hundredths = 100 + 5LL * turn;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%lld.%02lld", hundredths / 100, hundredths % 100);
    ASSERT_EQ(YearText(year), expected) << "turn " << turn;
  }
}

}  // namespace
}  // namespace zarnath
