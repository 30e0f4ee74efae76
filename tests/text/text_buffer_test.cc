#include "text/text_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace varnek {
namespace {

TEST(TextBufferTest, NewBufferHasNoStorageUntilEdited) {
  TextBuffer text;
  EXPECT_STREQ(text.Str(), "");
  EXPECT_EQ(text.Capacity(), 0);
  EXPECT_EQ(text.Length(), 0);
  EXPECT_STREQ(text.Edit(), "");
  EXPECT_EQ(text.Capacity(), 512);
}

TEST(TextBufferTest, GrowthIsTwiceTheNeedRoundedDownTo256) {
  struct Case {
    int need;
    int capacity;
  } cases[] = {{1, 512},   {127, 512}, {128, 256}, {255, 256},  {256, 512},
               {383, 512}, {384, 768}, {511, 768}, {512, 1024}, {1000, 1792}};
  for (const Case& c : cases) {
    TextBuffer text;
    text.Append(std::string(static_cast<size_t>(c.need - 1), 'x').c_str());
    EXPECT_EQ(text.Capacity(), c.capacity) << "need " << c.need;
  }
  TextBuffer text;
  text.Append(std::string(200, 'a').c_str());
  EXPECT_EQ(text.Capacity(), 256);
  text.Append(std::string(100, 'b').c_str());  // need 301 -> 602 -> 512
  EXPECT_EQ(text.Capacity(), 512);
  EXPECT_EQ(text.Length(), 300);
  EXPECT_EQ(std::string(text.Str()), std::string(200, 'a') + std::string(100, 'b'));
}

TEST(TextBufferTest, FillingToCapacityDoesNotGrowOneMoreByteDoes) {
  TextBuffer text;
  text.Append(std::string(200, 'a').c_str());  // capacity 256
  text.Append(std::string(55, 'b').c_str());   // need exactly 256
  EXPECT_EQ(text.Capacity(), 256);
  text.AppendChar('c');  // need 257 -> 514 -> 512
  EXPECT_EQ(text.Capacity(), 512);
  EXPECT_EQ(text.Length(), 256);
}

TEST(TextBufferTest, ClearKeepsTheBlockAndRefillDoesNotGrow) {
  TextBuffer text;
  text.Append("hello");
  const char* block = text.Str();
  for (int i = 0; i < 100; ++i) {
    text.Clear();
    text.Append("hello again");
  }
  EXPECT_EQ(text.Str(), block);
  EXPECT_STREQ(text.Str(), "hello again");
}

TEST(TextBufferTest, AppendsThatAddNothingAllocateNothing) {
  TextBuffer text;
  TextBuffer empty;
  text.AppendChar('\0');
  text.AppendQuoted(empty);
  text.AppendWord(" \t ");
  text.AppendTag("Pow", "", '[', ']');
  EXPECT_EQ(text.Capacity(), 0);
  text.Append("");
  EXPECT_EQ(text.Capacity(), 512);
}

TEST(TextBufferTest, QuotedWordAndTagAppends) {
  TextBuffer name("Taro");
  TextBuffer text;
  text.AppendQuoted(name);
  EXPECT_STREQ(text.Str(), "\"Taro\"");

  TextBuffer words;
  words.AppendWord("  first");
  words.AppendWord("\tsecond  ");
  EXPECT_STREQ(words.Str(), "first second  ");

  TextBuffer tags;
  tags.AppendTag("REM", "abc", '\xA2', '\xA3');
  EXPECT_STREQ(tags.Str(),
               "REM\xA2"
               "abc\xA3");
  tags.AppendTag("Pow", "10", '[', ']');
  EXPECT_STREQ(tags.Str(),
               "REM\xA2"
               "abc\xA3 Pow[10]");
  tags.AppendTag("", "x", '\0', '\0');
  EXPECT_STREQ(tags.Str(),
               "REM\xA2"
               "abc\xA3 Pow[10] x");
}

TEST(TextBufferTest, TrimAndDropTrailing) {
  TextBuffer text(" \t a b \t ");
  text.Trim();
  EXPECT_STREQ(text.Str(), "a b");
  EXPECT_EQ(text.Length(), 3);
  TextBuffer blanks(" \t  ");
  blanks.Trim();
  EXPECT_STREQ(blanks.Str(), "");

  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"7.05.", "7.05"}, {"7.05", "7.05"}, {".", ""}, {"", ""}};
  for (const Case& c : cases) {
    TextBuffer f(c.in);
    f.DropTrailing('.');
    EXPECT_STREQ(f.Str(), c.out);
    EXPECT_EQ(f.Length(), static_cast<int>(std::string(c.out).size()));
  }
}

TEST(TextBufferTest, AssignOwnTextAndResyncAfterEdit) {
  TextBuffer text("abc");
  text.Assign(text.Str());
  EXPECT_STREQ(text.Str(), "abc");
  text.AssignBuffer(text);
  EXPECT_STREQ(text.Str(), "abc");

  char* raw = text.Edit();
  raw[1] = '\0';
  text.Resync();
  EXPECT_EQ(text.Length(), 1);
  text.Append("z");
  EXPECT_STREQ(text.Str(), "az");

  TextBuffer other;
  other.AssignBuffer(text);
  EXPECT_STREQ(other.Str(), "az");
  TextBuffer none;
  other.AppendBuffer(none);
  EXPECT_STREQ(other.Str(), "az");
}

TEST(TextBufferTest, AppendNStopsAtTheTextEnd) {
  TextBuffer text;
  text.AppendN("abcdef", 3);
  text.AppendN("xy", 10);
  EXPECT_STREQ(text.Str(), "abcxy");
  text.Truncate(2);
  EXPECT_STREQ(text.Str(), "ab");
  text.Truncate(10);
  EXPECT_STREQ(text.Str(), "ab");
}

}  // namespace
}  // namespace varnek
