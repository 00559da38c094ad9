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
    ASSERT_TRUE(x == b.Next() && x >= 0.0f && x < 1.0f) << i << ": " << x;
    differs |= x != c.Next();
    hi = std::max(hi, x);
  }
  EXPECT_TRUE(differs && hi > 0.999f);
}

}  // namespace zarnath
