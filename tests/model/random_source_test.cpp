#include "model/random_source.h"

#include <gtest/gtest.h>

namespace zarnath {
namespace {

TEST(RandomSource, SameSeedSameSequence) {
  RandomSource a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    float x = a.Next();
    EXPECT_EQ(x, b.Next());
    differs |= x != c.Next();
  }
  EXPECT_TRUE(differs);
}

TEST(RandomSource, StaysInsideZeroToOne) {
  RandomSource r(7);
  float lo = 1, hi = 0;
  for (int i = 0; i < 1000000; ++i) {
    float x = r.Next();
    ASSERT_GE(x, 0.0f);
    ASSERT_LT(x, 1.0f);
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  EXPECT_LT(lo, 0.001f);
  EXPECT_GT(hi, 0.999f);
  // The largest value it can give still scales below every bound it is used with.
  const float largest = 16777215.0f / 16777216.0f;
  EXPECT_LT(static_cast<int>(30 * static_cast<double>(largest)), 30);
  EXPECT_LT(static_cast<int>(5 * static_cast<double>(largest)) + 1, 6);
}

}  // namespace
}  // namespace zarnath
