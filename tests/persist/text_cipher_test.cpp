#include "persist/text_cipher.h"

#include <gtest/gtest.h>

namespace zarnath {
namespace {

TEST(TextCipher, KnownLinesRoundTripAndDroppedCodes) {
  EXPECT_EQ(KeyNumber("pold"), 7);
  EXPECT_EQ(KeyNumber("tavn8"), 8);
  EXPECT_EQ(Encrypt(" 0", "tavn8"), "$.");
  EXPECT_EQ(Encrypt("abcdefghijkl", "pold"), "dakdlajgqjrg");
  std::string text;
  for (int c = 8; c < 246; ++c) text.push_back(static_cast<char>(c));  // every byte that stays in range
  for (const char* key : {"pold", "tavn8"}) EXPECT_EQ(Decrypt(Encrypt(text, key), key), text) << key;
  // Under "pold" the third place adds 8: 248 would be 256 and is dropped; the characters after
  // it keep the shift of their own places. Deciphering, the first place takes 3: 2 would be -1.
  const std::string whole = Encrypt("abxdef", "pold");
  EXPECT_EQ(Encrypt(std::string("ab\xF8") + "def", "pold"), whole.substr(0, 2) + whole.substr(3));
  EXPECT_EQ(Decrypt("\x02", "pold"), "");
}

}  // namespace
}  // namespace zarnath
