#include "model/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zarnath {

TEST(RandomSource, SeededSequenceStaysBelowOne) {
  RandomSource a(7), b(7), c(8);
  bool differs = false;
  float hi = 0;
  for (int i = 0; i < 1000000; ++i) {
    const float x = a.Next();
    ASSERT_EQ(x, b.Next()) << i;
    ASSERT_GE(x, 0.0f) << i;
    ASSERT_LT(x, 1.0f) << i;
    differs |= x != c.Next();
    hi = std::max(hi, x);
  }
  EXPECT_TRUE(differs);
  EXPECT_GT(hi, 0.999f);
}

}  // namespace zarnath
