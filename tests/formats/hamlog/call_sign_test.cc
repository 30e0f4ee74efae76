// Call signs with portable designators: how the writer splits them and how
// the reader puts them together again.
#include "formats/hamlog/call_sign.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "formats/hamlog/hamlog_layout.h"
#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {
namespace {

struct Split {
  std::string call;
  std::string portable;
  bool prefix_first;
  bool to_radio;
};

Split SplitOf(const char* text) {
  SplitCall s = SplitCallSign(text);
  return {std::string(s.call, static_cast<size_t>(s.call_length)),
          std::string(s.portable, static_cast<size_t>(s.portable_length)), s.prefix_first,
          s.needs_to_radio};
}

void ExpectSplit(const char* text, const char* call, const char* portable, bool prefix_first,
                 bool to_radio) {
  Split s = SplitOf(text);
  EXPECT_EQ(s.call, call) << text;
  EXPECT_EQ(s.portable, portable) << text;
  EXPECT_EQ(s.prefix_first, prefix_first) << text;
  EXPECT_EQ(s.to_radio, to_radio) << text;
}

TEST(CallSignTest, SplitsAtTheFirstSlashLongerPartBeingTheCall) {
  ExpectSplit("JA1ABC", "JA1ABC", "", false, false);
  ExpectSplit("JA1ABC/1", "JA1ABC", "1", false, false);
  ExpectSplit("KH6/JA1ABC", "JA1ABC", "KH6", true, false);
  ExpectSplit("JA1ABC/PORT", "JA1ABC", "PORT", false, true);
  ExpectSplit("JA1ABC/1/P", "JA1ABC", "1", false, true);
  ExpectSplit("ABC/XYZ", "ABC", "XYZ", false, false);     // equal lengths: call first
  ExpectSplit("JA1ABCDE", "JA1ABCDE", "", false, false);  // cut to 7 when stored
  ExpectSplit("/JA1ABC", "JA1ABC", "", true, false);
  ExpectSplit("JA1ABC/", "JA1ABC", "", false, false);
  ExpectSplit("KH6/JA1ABC/P", "JA1ABC", "KH6", true, true);
}

unsigned char* RecordWith(const char* call, const char* portable) {
  static unsigned char record[kRecordLength];
  std::memset(record, ' ', sizeof record);
  std::memcpy(record + kCallField.offset, call, std::strlen(call));
  std::memcpy(record + kPortableField.offset, portable, std::strlen(portable));
  return record;
}

std::string Composed(const unsigned char* record, bool prefix_first) {
  TextBuffer out("stale");
  ComposeCallSign(record, prefix_first, out);
  return out.Str();
}

TEST(CallSignTest, ComposesCallAndDesignatorInTheirOrder) {
  EXPECT_EQ(Composed(RecordWith("JA1ABC", "1"), false), "JA1ABC/1");
  EXPECT_EQ(Composed(RecordWith("JA1ABC", "KH6"), true), "KH6/JA1ABC");
  EXPECT_EQ(Composed(RecordWith("JA1ABC", ""), false), "JA1ABC");
  EXPECT_EQ(Composed(RecordWith("JA1ABC", ""), true), "JA1ABC");
  EXPECT_EQ(Composed(RecordWith("JA1ABCD", "POR"), false), "JA1ABCD/POR");
  // A designator whose first byte is a blank counts as none.
  EXPECT_EQ(Composed(RecordWith("JA1ABC", " 1"), false), "JA1ABC");
  EXPECT_EQ(Composed(RecordWith("", "1"), false), "1");
  EXPECT_EQ(Composed(RecordWith("", "KH6"), true), "KH6");
}

TEST(CallSignTest, NeverReadsPastTheFieldsOrLeavesALoneSlash) {
  unsigned char* record = RecordWith("JA1ABCD", "123");
  record[kPortableField.offset] = '\0';
  EXPECT_EQ(Composed(record, false), "JA1ABCD");
  // Only spaces are dropped from the fields: a tab is kept as it stands.
  record = RecordWith("JA1ABC", "\t");
  EXPECT_EQ(Composed(record, false), "JA1ABC/\t");
  // Full fields followed by other bytes: only seven and three are taken.
  record = RecordWith("JA1ABCD", "KH6");
  record[kCodeField.offset] = 'X';
  EXPECT_EQ(Composed(record, true), "KH6/JA1ABCD");
}

TEST(CallSignTest, DxMarkerInAnyCase) {
  EXPECT_TRUE(HasDxMarker("$DX"));
  EXPECT_TRUE(HasDxMarker("QSL via $dx bureau"));
  EXPECT_TRUE(HasDxMarker("x$Dx"));
  EXPECT_FALSE(HasDxMarker("$D X"));
  EXPECT_FALSE(HasDxMarker("$D"));
  EXPECT_FALSE(HasDxMarker(""));
}

}  // namespace
}  // namespace hamlog
}  // namespace varnek
