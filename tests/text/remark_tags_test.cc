#include "text/remark_tags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace varnek {
namespace {

TEST(CopyBracketedTest, NestsOnlyTheSameBracketKind) {
  char dest[32];
  const char* source = "1[2]3]x";
  const char* after = CopyBracketed(dest, source, ']', 31);
  EXPECT_STREQ(dest, "1[2]3");
  EXPECT_STREQ(after, "x");
  EXPECT_STREQ(CopyBracketed(dest, "1(2]x", ']', 31), "x");
  EXPECT_STREQ(dest, "1(2");
  EXPECT_EQ(CopyBracketed(dest, "no close", ']', 31), nullptr);
  EXPECT_STREQ(dest, "no close");
}

TEST(CopyBracketedTest, LimitShortensTheCopyButNotTheWalk) {
  char dest[4];
  const char* after = CopyBracketed(dest, "abcdef]z", ']', 3);
  EXPECT_STREQ(dest, "abc");
  EXPECT_STREQ(after, "z");
}

TEST(CopyBracketedTest, TrailBytesAreNeverBrackets) {
  char dest[32];
  // 0x81 0x5B is a double-byte character whose trail byte is '['.
  const char* after = CopyBracketed(dest, "a\x81[b]c", ']', 31);
  EXPECT_STREQ(dest, "a\x81[b");
  EXPECT_STREQ(after, "c");
  // A lead byte at the very end does not run past the text.
  EXPECT_EQ(CopyBracketed(dest, "ab\x81", ']', 31), nullptr);
  EXPECT_STREQ(dest, "ab\x81");
}

struct TagCase {
  const char* remarks;
  const char* keyword;
  bool found;
  const char* value;
  const char* left;  // after CutTag
};

void PrintTo(const TagCase& c, std::ostream* os) { *os << c.keyword << " in " << c.remarks; }

class TagTest : public testing::TestWithParam<TagCase> {};

TEST_P(TagTest, FindAndCut) {
  const TagCase& c = GetParam();
  TextBuffer remarks(c.remarks);
  TextBuffer value;
  EXPECT_EQ(FindTag(remarks, value, c.keyword), c.found ? 1 : 0);
  EXPECT_STREQ(remarks.Str(), c.remarks);
  if (c.found) {
    EXPECT_STREQ(value.Str(), c.value);
  }
  EXPECT_EQ(CutTag(remarks, value, c.keyword), c.found ? 1 : 0);
  if (c.found) {
    EXPECT_STREQ(value.Str(), c.value);
  }
  EXPECT_STREQ(remarks.Str(), c.left);
  EXPECT_EQ(remarks.Length(), static_cast<int>(std::string(c.left).size()));
}

INSTANTIATE_TEST_SUITE_P(
    Remarks, TagTest,
    testing::Values(
        TagCase{"log Pow[100] end", "Pow", true, "100", "log end"},
        TagCase{"Pow[100] end", "Pow", true, "100", " end"},
        TagCase{"log,Pow[100]", "Pow", true, "100", "log,"},
        TagCase{"a  Pow[1]", "Pow", true, "1", "a "}, TagCase{"a\tPow[1]", "Pow", true, "1", "a\t"},
        TagCase{"a Pow[12", "Pow", true, "12", "a"},
        TagCase{"POW(5) pow{6}", "Pow", true, "5", " pow{6}"},
        TagCase{"MyQTH\xA2Kyoto\xA3", "MyQTH", true, "Kyoto", ""},
        TagCase{"REM[a[b]c] x", "REM", true, "a[b]c", " x"},
        TagCase{"XPow[5]", "Pow", false, "", "XPow[5]"},
        TagCase{"1Pow[5]", "Pow", false, "", "1Pow[5]"},
        TagCase{"Pow[] Pow[5]", "Pow", true, "5", "Pow[]"}, TagCase{"Pow", "Pow", false, "", "Pow"},
        TagCase{"Pow [5]", "Pow", false, "", "Pow [5]"},
        TagCase{"MyQTH[x]", "My", false, "", "MyQTH[x]"},
        TagCase{"REM1[x]", "REM", false, "", "REM1[x]"}, TagCase{"", "Pow", false, "", ""},
        // After the LOG200 separator and after a double-byte character.
        TagCase{"a\x1EPow[7]", "Pow", true, "7", "a\x1E"},
        TagCase{"\x93\x64\x97\xCDPow[5]", "Pow", true, "5", "\x93\x64\x97\xCD"},
        // The trail byte 0x5B ('[') of 0x81 0x5B opens nothing.
        TagCase{"Pow\x81[5]", "Pow", false, "", "Pow\x81[5]"},
        // A trail byte equal to 'M' is no word start for M.
        TagCase{"\x83M[1] M[2]", "M", true, "2", "\x83M[1]"},
        // A space after a lead byte belongs to that character: the tag
        // counts (as after any double-byte character) and the space stays.
        TagCase{"\x81 Pow[1] x", "Pow", true, "1", "\x81  x"},
        TagCase{"\x82\xA0 Pow[1] x", "Pow", true, "1", "\x82\xA0 x"},
        // Only the first qualifying tag is taken.
        TagCase{"Pow[1] Pow[2]", "Pow", true, "1", " Pow[2]"},
        // One outside every other tag's value first, else one inside.
        TagCase{"REM[a Pow[1]] Pow[2]", "Pow", true, "2", "REM[a Pow[1]]"},
        TagCase{"REM[a Pow[1]] b", "Pow", true, "1", "REM[a] b"},
        // A known tag the cut leaves empty goes too, and so on outwards.
        TagCase{"x REM1\xA2"
                "Contest\xA2"
                "A\xA3\xA3 y",
                "Contest", true, "A", "x y"},
        TagCase{"REM[REM1[ Contest[A]]] z", "Contest", true, "A", " z"},
        TagCase{"(Pow[5]) note()", "Pow", true, "5", "() note()"}));

TEST(RemarkCutTest, CutsOnCharacterBoundariesAndOutsideTags) {
  struct Case {
    const char* text;
    int32_t limit;
    int32_t kept;
  } cases[] = {
      {"abc", 3, 3},
      {"ab\x8F\x89", 3, 2},     // not between the two bytes
      {"\xB1\xB2\xB3", 2, 2},   // half-width katakana are single bytes
      {"ab Pow[123]", 8, 2},    // the tag goes with its keyword, the blank too
      {"ab Pow[1] cd", 10, 9},  // after the tag
      {"REM1\xA2"
       "a Contest\xA2x\xA3\xA3",
       12, 0},
      {"ab (open and never closed", 10, 10},  // open already before the cut
      {"ab Powder", 6, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RemarkCutLength(c.text, static_cast<int32_t>(std::strlen(c.text)), c.limit), c.kept)
        << c.text;
  }
}

TEST(RemarkCutTest, TagsTakeBracketsTheirValuePairsUp) {
  TextBuffer out;
  AppendRemarkTag(out, "REM",
                  "a\xA3"
                  "b",
                  kCornerOpen, kCornerClose);
  AppendRemarkTag(out, "My", "59", kCornerOpen, kCornerClose);
  AppendRemarkTag(out, "X", "[(\xA2<{", kCornerOpen, kCornerClose);  // none pairs up
  EXPECT_STREQ(out.Str(),
               "REM[a\xA3"
               "b] My\xA2"
               "59\xA3 X\xA2[(\xA2<{\xA3");
}

TEST(TagTest, DoubleByteKeywordsTryOnlyAtStartOrAfterShortSetDelimiters) {
  const char keyword[] = "\x83L";  // a two-byte keyword beginning with a lead byte
  TextBuffer value;
  TextBuffer at_start("\x83L[1]");
  EXPECT_EQ(FindTag(at_start, value, keyword), 1);
  TextBuffer after_space("a \x83L[2]");
  EXPECT_EQ(FindTag(after_space, value, keyword), 1);
  EXPECT_STREQ(value.Str(), "2");
  TextBuffer after_separator("a\x1E\x83L[3]");
  EXPECT_EQ(FindTag(after_separator, value, keyword), 0);
  TextBuffer after_kanji("\x93\x64\x83L[4]");
  EXPECT_EQ(FindTag(after_kanji, value, keyword), 0);
}

}  // namespace
}  // namespace varnek
