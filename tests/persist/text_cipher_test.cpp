#include "persist/text_cipher.h"

#include <gtest/gtest.h>

namespace zarnath {
namespace {

TEST(TextCipher, KeyNumbers) {
  EXPECT_EQ(KeyNumber("pold"), 7);
  EXPECT_EQ(KeyNumber("tavn8"), 8);
  EXPECT_EQ(KeyNumber(""), 0);
}

TEST(TextCipher, KnownLines) {
  EXPECT_EQ(Encrypt(" 0", "tavn8"), "$.");
  EXPECT_EQ(Decrypt("$.", "tavn8"), " 0");
  EXPECT_EQ(Encrypt("abcdefghijkl", "pold"), "dakdlajgqjrg");
  EXPECT_EQ(Decrypt("dakdlajgqjrg", "pold"), "abcdefghijkl");
  EXPECT_EQ(Encrypt("", "pold"), "");
}

TEST(TextCipher, ShiftRepeatsEverySixCharacters) {
  // The seventh character is shifted like the first, the twelfth like the sixth.
  const std::string once = Encrypt("aaaaaa", "pold");
  EXPECT_EQ(Encrypt("aaaaaaaaaaaa", "pold"), once + once);
}

TEST(TextCipher, CodesLeavingTheByteRangeAreDropped) {
  // Under "pold" (K = 7) the third position adds 8: 250 stays, 248 would be 256 and is dropped,
  // and the characters after it keep the shift of their own places.
  const std::string text = std::string("ab") + static_cast<char>(248) + "def";
  const std::string ciphered = Encrypt(text, "pold");
  ASSERT_EQ(ciphered.size(), text.size() - 1);
  const std::string whole = Encrypt("abxdef", "pold");
  EXPECT_EQ(ciphered, whole.substr(0, 2) + whole.substr(3));
  // Deciphering takes 3 from the first character: code 2 would become -1.
  EXPECT_EQ(Encrypt(std::string(1, '\x02'), "pold").size(), 1u);
  EXPECT_EQ(Decrypt(std::string(1, '\x02'), "pold"), "");
}

TEST(TextCipher, RoundTripOfEveryByteThatStaysInRange) {
  std::string text;
  for (int c = 8; c < 246; ++c) text.push_back(static_cast<char>(c));  // 238 characters
  for (const char* key : {"pold", "tavn8"}) {
    const std::string ciphered = Encrypt(text, key);
    ASSERT_EQ(ciphered.size(), text.size()) << key;
    EXPECT_EQ(Decrypt(ciphered, key), text) << key;
  }
  const std::string full(255, 'x');
  EXPECT_EQ(Decrypt(Encrypt(full, "pold"), "pold"), full);
}

TEST(TextCipher, LongLinesStillReturn) {
  const std::string longLine(100000, 'Z');
  EXPECT_EQ(Decrypt(Encrypt(longLine, "pold"), "pold"), longLine);
}

}  // namespace
}  // namespace zarnath
