// The TextBuffer operations that work with known lengths: they must leave
// Length() equal to the C-string length of Str(), which the tag searches
// and the listings rely on; the trims re-measure after in-place edits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text/text_buffer.h"

namespace varnek {
namespace {

void ExpectText(const TextBuffer& text, const std::string& want) {
  EXPECT_EQ(std::string(text.Str()), want);
  EXPECT_EQ(text.Length(), static_cast<int32_t>(std::strlen(text.Str())));
  EXPECT_EQ(text.Length(), static_cast<int32_t>(want.size()));
}

TEST(TextBufferEditsTest, EraseExtendAndAssignBytes) {
  TextBuffer text("log Pow[100] end");
  text.Erase(3, 12);
  ExpectText(text, "log end");
  text.Erase(0, 0);
  ExpectText(text, "log end");
  text.Erase(3, 7);
  ExpectText(text, "log");
  char* room = text.Extend(4);
  std::memcpy(room, " 599", 4);
  ExpectText(text, "log 599");
  text.AssignBytes("JA1ABCxyz", 6);
  ExpectText(text, "JA1ABC");
  text.AssignBytes("", 0);
  ExpectText(text, "");
}

TEST(TextBufferEditsTest, TrimsByLength) {
  TextBuffer text(" \t a b \t ");
  text.DropTrailingBlanks();
  ExpectText(text, " \t a b");
  text.Trim();
  ExpectText(text, "a b");
  text.DropTrailing('b');
  ExpectText(text, "a ");
  text.DropTrailing('x');
  ExpectText(text, "a ");
  TextBuffer blanks(" \t ");
  blanks.Trim();
  ExpectText(blanks, "");
  TextBuffer none;
  none.DropTrailingBlanks();
  none.DropTrailing('.');
  ExpectText(none, "");
}

TEST(TextBufferEditsTest, TrimsMeasureUpToTheFirstZeroAfterAnInPlaceEdit) {
  TextBuffer frequency("7.05.xy");
  frequency.Edit()[5] = '\0';
  frequency.DropTrailing('.');
  ExpectText(frequency, "7.05");
  TextBuffer name(" ab cd");
  name.Edit()[3] = '\0';
  name.Trim();
  name.Append("Z");
  ExpectText(name, "abZ");
  TextBuffer mode("CW \tx");
  mode.Edit()[4] = '\0';
  mode.DropTrailingBlanks();
  ExpectText(mode, "CW");
}

TEST(TextBufferEditsTest, TagsWithGivenLengthsAndFromBuffers) {
  const std::string my = std::string("My") + '\xA2' + "599" + '\xA3';
  TextBuffer text;
  text.AppendTag("My", "599xx", 3, '\xA2', '\xA3');
  ExpectText(text, my);
  text.AppendTag("Pow", "", 0, '[', ']');
  ExpectText(text, my);
  TextBuffer value("bureau");
  text.AppendTag("Via", value, '[', ']');
  ExpectText(text, my + " Via[bureau]");
  TextBuffer quoted;
  quoted.AppendQuoted(value);
  ExpectText(quoted, "\"bureau\"");
}

}  // namespace
}  // namespace varnek
