// RemarkText keeps the places of the opening brackets across cuts; whatever
// it is asked, it must answer as FindTag and CutTag answer on a plain
// TextBuffer holding the same text. Random remarks and random sequences of
// finds, cuts and trims compare the two, including texts with more brackets
// than RemarkText keeps places for.
#include "text/remark_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/remark_tags.h"
#include "text/tag_match.h"

namespace varnek {
namespace {

const std::vector<std::string> kKeywords = {"Pow", "Env",   "OP", "REM",  "REM1", "My",
                                            "M",   "MyQTH", "GL", "CODE", "\x83L"};

std::string RandomRemarks(std::mt19937& random) {
  const std::vector<std::string> pieces = {
      "Pow", "pow", "REM", "rem1", "My", "MyQTH",    "M",     "GL",    "OP",   "CODE", "\x83L",
      "[",   "]",   "{",   "}",    "(",  ")",        "<",     ">",     "\xA2", "\xA3", " ",
      " ",   "\t",  ",",   "x",    "59", "\x82\xA0", "\x83M", "\x81[", "\x1E"};
  std::string text;
  int count = static_cast<int>(random() % 60);
  for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
  return text;
}

TEST(RemarkTextTest, AnswersAsTheTextBufferSearchThroughCutsAndTrims) {
  std::mt19937 random(8122026);
  RemarkText remarks;
  for (int round = 0; round < 5000; ++round) {
    std::string text = RandomRemarks(random);
    remarks.Assign(text.c_str());
    TextBuffer plain(text.c_str());
    for (int step = 0; step < 12; ++step) {
      const std::string& keyword = kKeywords[random() % kKeywords.size()];
      TextBuffer value, plain_value;
      int action = static_cast<int>(random() % 6);
      if (action == 0) {
        EXPECT_EQ(remarks.Find(value, keyword.c_str()),
                  FindTag(plain, plain_value, keyword.c_str()))
            << text << " / " << keyword;
      } else if (action == 5) {
        bool inside = false, plain_inside = false;
        int cut = CutOuterTag(remarks, value, keyword.c_str(), &inside);
        EXPECT_EQ(cut, CutOuterTag(plain, plain_value, keyword.c_str(), &plain_inside))
            << text << " / " << keyword;
        EXPECT_EQ(inside, plain_inside) << text << " / " << keyword;
        if (cut == 0) {  // the value is then no answer
          value.Clear();
          plain_value.Clear();
        }
      } else if (action == 4) {
        remarks.Trim();
        plain.Trim();
      } else {
        EXPECT_EQ(remarks.Cut(value, keyword.c_str()), CutTag(plain, plain_value, keyword.c_str()))
            << text << " / " << keyword;
      }
      EXPECT_STREQ(value.Str(), plain_value.Str()) << text << " / " << keyword;
      ASSERT_STREQ(remarks.Text().Str(), plain.Str()) << text << " / " << keyword;
      ASSERT_EQ(remarks.Text().Length(), plain.Length());
    }
  }
}

TEST(RemarkTextTest, CutsJoinWhatStoodAroundTheTag) {
  RemarkText remarks;
  TextBuffer value;
  // After the cut, M stands right before the bracket that followed the tag.
  remarks.Assign("M Pow[5][1]");
  ASSERT_EQ(remarks.Cut(value, "Pow"), 1);
  EXPECT_STREQ(remarks.Text().Str(), "M[1]");
  ASSERT_EQ(remarks.Find(value, "M"), 1);
  EXPECT_STREQ(value.Str(), "1");
  // Brackets inside the cut value are gone with it.
  remarks.Assign("REM[a(b)c] GL(x)");
  ASSERT_EQ(remarks.Cut(value, "REM"), 1);
  EXPECT_STREQ(value.Str(), "a(b)c");
  ASSERT_EQ(remarks.Cut(value, "GL"), 1);
  EXPECT_STREQ(value.Str(), "x");
  EXPECT_STREQ(remarks.Text().Str(), "");
}

TEST(RemarkTextTest, TagsBeyondTheKeptPlacesAreFound) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "x[" + std::to_string(i) + "] ";
  text += "Pow[5] y";
  RemarkText remarks;
  remarks.Assign(text.c_str());
  TextBuffer value;
  ASSERT_EQ(remarks.Cut(value, "Pow"), 1);
  EXPECT_STREQ(value.Str(), "5");
  EXPECT_EQ(remarks.Find(value, "Pow"), 0);
  EXPECT_EQ(std::string(remarks.Text().Str()), text.substr(0, text.size() - 9) + " y");
}

TEST(RemarkTextTest, TextChangedThroughEditIsSearchedWhole) {
  RemarkText remarks;
  remarks.Assign("tnx Pow[5]");
  TextBuffer value;
  TextBuffer& text = remarks.Edit();
  text.Trim();
  text.AppendTag("Env", "rain", '[', ']');
  ASSERT_EQ(remarks.Cut(value, "Env"), 1);
  EXPECT_STREQ(value.Str(), "rain");
  ASSERT_EQ(remarks.Cut(value, "Pow"), 1);
  EXPECT_STREQ(remarks.Text().Str(), "tnx");
  // A new text starts with its own places again.
  remarks.Assign("My[57] REM[hi]");
  ASSERT_EQ(remarks.Cut(value, "REM"), 1);
  EXPECT_STREQ(value.Str(), "hi");
  EXPECT_STREQ(remarks.Text().Str(), "My[57]");
}

// The bracket search reads sixteen bytes at a time where it can; it must
// report the same places as a look at every byte, for any text length,
// starting place and number of places wanted.
TEST(RemarkTextTest, OpeningBracketsFoundAtEveryLengthAndStart) {
  std::mt19937 random(1208);
  const char bytes[] = {'[', '{', '(', '\xA2', '<', ']', 'x', ' ', '\x82', '\xA0'};
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    int length = static_cast<int>(random() % 80);
    for (int i = 0; i < length; ++i) text += bytes[random() % sizeof bytes];
    int32_t from = static_cast<int32_t>(random() % (length + 2));
    int32_t capacity = 1 + static_cast<int32_t>(random() % 40);
    std::vector<int32_t> expected;
    for (int32_t i = from; i < length && static_cast<int32_t>(expected.size()) < capacity; ++i) {
      if (std::string("[{(\xA2<").find(text[static_cast<size_t>(i)]) != std::string::npos) {
        expected.push_back(i);
      }
    }
    // Exactly `length` bytes, so that a read past them shows under the
    // sanitizers.
    std::vector<char> exact(text.begin(), text.end());
    std::vector<int32_t> found(static_cast<size_t>(capacity));
    int32_t count = FindOpeningBrackets(exact.data(), length, from, found.data(), capacity);
    found.resize(static_cast<size_t>(count));
    ASSERT_EQ(found, expected) << text << " from " << from;
  }
}

}  // namespace
}  // namespace varnek
