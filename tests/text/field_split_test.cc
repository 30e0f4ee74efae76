// SplitFields must cut exactly what repeated SplitField calls cut: the
// same fields, the same bytes written into the text, the same rest, and
// lengths that match the fields. Random lines built from the bytes that
// matter (separators, quotes, lead bytes) cover the quote rules, fields
// longer and shorter than the bytes tested at a time, quoted stretches
// running across 64-byte blocks, and texts that end inside a quoted
// stretch. Both ways of splitting are checked: the one this processor runs
// and the byte-wise one other processors run.
#include "text/field_split.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace varnek {
namespace {

std::vector<std::string> SplitAll(std::string line, char separator, int count) {
  std::vector<char> text(line.begin(), line.end());
  text.push_back('\0');
  std::vector<std::string> fields;
  char* rest = text.data();
  for (int i = 0; i < count; ++i) {
    char* field = nullptr;
    rest = SplitField(&field, rest, separator);
    fields.push_back(field);
  }
  return fields;
}

TEST(SplitFieldTest, UnwrapsOnlyWhollyQuotedFieldsEndedBySeparator) {
  EXPECT_EQ(SplitAll("a,\"b,c\",d", ',', 3), (std::vector<std::string>{"a", "b,c", "d"}));
  EXPECT_EQ(SplitAll("\"\",x", ',', 2), (std::vector<std::string>{"", "x"}));
  EXPECT_EQ(SplitAll("\"a\"\"b\",x", ',', 2), (std::vector<std::string>{"a\"\"b", "x"}));
  EXPECT_EQ(SplitAll("x\"a,b\",y", ',', 2), (std::vector<std::string>{"x\"a,b\"", "y"}));
  // The last field keeps its quotes.
  EXPECT_EQ(SplitAll("a,\"b\"", ',', 2), (std::vector<std::string>{"a", "\"b\""}));
  // A quote in the middle protects separators only up to its partner.
  EXPECT_EQ(SplitAll("\"a\"b,c", ',', 2), (std::vector<std::string>{"\"a\"b", "c"}));
}

TEST(SplitFieldTest, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(SplitAll("a\x1E\"b\x1E"
                     "c\x1E"
                     "d",
                     '\x1E', 4),
            (std::vector<std::string>{"a",
                                      "\"b\x1E"
                                      "c\x1E"
                                      "d",
                                      "", ""}));
}

TEST(SplitFieldTest, AfterTheLastFieldEveryCallGivesAnEmptyField) {
  char line[] = "a,b";
  char* field = nullptr;
  char* rest = SplitField(&field, line, ',');
  rest = SplitField(&field, rest, ',');
  EXPECT_STREQ(field, "b");
  for (int i = 0; i < 3; ++i) {
    char* again = SplitField(&field, rest, ',');
    EXPECT_EQ(again, rest);
    EXPECT_STREQ(field, "");
  }
  char* untouched = line;
  EXPECT_EQ(SplitField(&untouched, nullptr, ','), nullptr);
  EXPECT_EQ(untouched, line);
}

struct Split {
  std::vector<std::string> fields;
  std::vector<int32_t> lengths;
  std::string bytes;  // the text after splitting, zeros included
  ptrdiff_t rest;     // offset of the returned rest
};

Split ByOneField(const std::string& line, char separator, int count) {
  std::vector<char> text(line.begin(), line.end());
  text.push_back('\0');
  Split split;
  char* rest = text.data();
  for (int i = 0; i < count; ++i) {
    char* field = nullptr;
    rest = SplitField(&field, rest, separator);
    split.fields.push_back(field);
    split.lengths.push_back(static_cast<int32_t>(std::strlen(field)));
  }
  split.bytes.assign(text.begin(), text.end());
  split.rest = rest - text.data();
  return split;
}

using Splitter = char* (*)(char*, char*, char, char**, int, int32_t*);

Split AllAtOnce(Splitter splitter, const std::string& line, char separator, int count) {
  std::vector<char> text(line.begin(), line.end());
  text.push_back('\0');
  std::vector<char*> fields(static_cast<size_t>(count));
  std::vector<int32_t> lengths(static_cast<size_t>(count));
  char* rest = splitter(text.data(), text.data() + line.size(), separator, fields.data(), count,
                        lengths.data());
  Split split;
  for (char* field : fields) split.fields.push_back(field);
  split.lengths = lengths;
  split.bytes.assign(text.begin(), text.end());
  split.rest = rest - text.data();
  return split;
}

void ExpectSame(const std::string& line, char separator, int count) {
  Split expected = ByOneField(line, separator, count);
  for (Splitter splitter : {&SplitFields, &internal::SplitFieldsByteWise}) {
    Split actual = AllAtOnce(splitter, line, separator, count);
    EXPECT_EQ(actual.fields, expected.fields) << line;
    EXPECT_EQ(actual.lengths, expected.lengths) << line;
    EXPECT_EQ(actual.bytes, expected.bytes) << line;
    EXPECT_EQ(actual.rest, expected.rest) << line;
  }
}

TEST(SplitFieldsTest, QuotedFieldsAndTheirLengths) {
  char line[] = "98/07/15,\"Taro\",\"a,b\",x\"y,z\",\"q\"r,";
  char* fields[7];
  int32_t lengths[7];
  SplitFields(line, line + std::strlen(line), ',', fields, 7, lengths);
  // A quote inside a field protects separators too; only a field that is
  // one quoted stretch ended by a separator loses its quotes.
  const char* want[] = {"98/07/15", "Taro", "a,b", "x\"y,z\"", "\"q\"r", "", ""};
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(fields[i], want[i]) << i;
    EXPECT_EQ(lengths[i], static_cast<int32_t>(std::strlen(want[i]))) << i;
  }
}

TEST(SplitFieldsTest, AgreesWithSplitFieldOnRandomLines) {
  const std::vector<std::string> pieces = {
      "a",  "bc",   "Tokyo", "0123456789", ",",      ",",     "\x1E", "\x1E", "\"",
      "\"", "\"\"", " ",     "\x82\xA0",   "\x81\"", "\x83,", ",\"",  "\",",  "REM[x]"};
  std::mt19937 random(20261208);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    int pieces_in_line = static_cast<int>(random() % (round % 4 == 0 ? 90 : 24));
    for (int i = 0; i < pieces_in_line; ++i) line += pieces[random() % pieces.size()];
    char separator = random() % 2 == 0 ? ',' : '\x1E';
    int count = 1 + static_cast<int>(random() % (round % 4 == 0 ? 60 : 20));
    ExpectSame(line, separator, count);
    if (HasFailure()) return;
  }
}

// Also lines whose first quote comes late, blocks of bytes after the start:
// up to it every separator ends a field.
TEST(SplitFieldsTest, AgreesWithSplitFieldOnLinesWithoutQuotesOrWithALateOne) {
  const std::vector<std::string> pieces = {"a",  "bcd",  "0123456789", ",",        ",",
                                           ",,", "\x1E", " ",          "\x82\xA0", "Pow[5]"};
  const std::vector<std::string> late = {"\"", "\"x\"", "\",\"", "\x1E\"", ",\"\"", "y"};
  std::mt19937 random(8);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    int pieces_in_line = static_cast<int>(random() % (round % 2 == 0 ? 40 : 80));
    for (int i = 0; i < pieces_in_line; ++i) line += pieces[random() % pieces.size()];
    if (round % 2 == 1) {
      for (int i = static_cast<int>(random() % 6); i > 0; --i) {
        line += late[random() % late.size()];
        line += pieces[random() % pieces.size()];
      }
    }
    ExpectSame(line, random() % 2 == 0 ? ',' : '\x1E', 1 + static_cast<int>(random() % 40));
    if (HasFailure()) return;
  }
}

TEST(SplitFieldsTest, EmptyAndSeparatorOnlyTexts) {
  for (const char* line : {"", ",", ",,,,,,,,,,,,,,,,,,", "\"", "\"\"", "\",\",\","}) {
    ExpectSame(line, ',', 13);
  }
}

}  // namespace
}  // namespace varnek
