#include "formats/log200/log200_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace varnek {
namespace log200 {
namespace {

// A record image from the data-area text, padded with `pad` to 198 bytes.
struct Image {
  unsigned char bytes[kRecordSize];
  explicit Image(const std::string& data, char pad = ' ') {
    std::memset(bytes, pad, sizeof bytes);
    std::memcpy(bytes, data.data(), data.size() < 198 ? data.size() : 198);
    bytes[kCrOffset] = '\r';
    bytes[kLfOffset] = '\n';
  }
};

TEST(Log200RecordTest, ReadsNoFurtherThanTheDataArea) {
  // No zero byte and no separator anywhere in the data area.
  Image full("", 'x');
  EXPECT_EQ(DataLength(full.bytes), 198);
  EXPECT_EQ(FieldOffset(full.bytes, 1), 0);
  EXPECT_EQ(FieldOffset(full.bytes, 2), -1);
  EXPECT_EQ(TrailingPadding(full.bytes), 0);

  Image spaces("");
  EXPECT_EQ(TrailingPadding(spaces.bytes), 198);

  // A separator hidden after a zero byte does not count.
  Image zero(
      std::string("a\x1E"
                  "b\0\x1E",
                  5));
  EXPECT_EQ(DataLength(zero.bytes), 3);
  EXPECT_EQ(FieldOffset(zero.bytes, 2), 2);
  EXPECT_EQ(FieldOffset(zero.bytes, 3), -1);
}

TEST(Log200RecordTest, FieldOffsetCountsSeparatorsOnly) {
  Image image(
      "a\x1E\"b\x1E"
      "c\"\x1E\x1E"
      "d");
  EXPECT_EQ(FieldOffset(image.bytes, 2), 2);
  EXPECT_EQ(FieldOffset(image.bytes, 3), 5);
  EXPECT_EQ(FieldOffset(image.bytes, 5), 9);
}

TEST(Log200RecordTest, SplitsSeventeenFieldsQuoteAware) {
  std::string data;
  for (int n = 1; n <= 19; ++n) data += "f" + std::to_string(n) + "\x1E";
  data.replace(data.find("f10"), 3,
               "\"a\x1E"
               "b\"");
  std::string text = data;
  RecordFields fields(&text[0]);
  EXPECT_STREQ(fields.field[1], "f1");
  EXPECT_STREQ(fields.field[10],
               "a\x1E"
               "b");
  EXPECT_STREQ(fields.field[17], "f17");

  std::string shorter = "x\x1E\"y\x1Ez";
  RecordFields unclosed(&shorter[0]);
  EXPECT_STREQ(unclosed.field[2], "\"y\x1Ez");
  EXPECT_STREQ(unclosed.field[3], "");
  EXPECT_STREQ(unclosed.field[17], "");
}

TEST(Log200RecordTest, BlanksOnlyStructureBreakingBytes) {
  std::string text = "a\x1E\r\n\x82\xA0z";
  BlankRecordBreaks(&text[0]);
  EXPECT_EQ(text, "a   \x82\xA0z");
}

}  // namespace
}  // namespace log200
}  // namespace varnek
