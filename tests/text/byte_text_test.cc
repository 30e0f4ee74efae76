#include "text/byte_text.h"

#include <gtest/gtest.h>

namespace varnek {
namespace {

TEST(SmallRoutinesTest, LineEndsBoundsAndBlanks) {
  char line[] = "abc\rdef\n";
  EXPECT_STREQ(CutAtLineEnd(line), "abc");
  char dest[8];
  CopyBounded(dest, "abcdefgh", 3);
  EXPECT_STREQ(dest, "abc");
  CopyBounded(dest, "ab", 5);
  EXPECT_STREQ(dest, "ab");
  EXPECT_STREQ(SkipBlanks(" \t x "), "x ");
  char trailing[] = "x y \t ";
  EXPECT_STREQ(TrimTrailingBlanks(trailing), "x y");
  char blanks[] = "  ";
  EXPECT_STREQ(TrimTrailingBlanks(blanks), "");
}

}  // namespace
}  // namespace varnek
