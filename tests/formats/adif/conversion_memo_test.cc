// The conversion memo is a cache: whatever texts come in whatever order
// (again and again, sharing a place, too long to keep, with bytes that are
// no character), it appends and counts what the converter does, in either
// direction.
#include "formats/adif/conversion_memo.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace varnek {
namespace {

TEST(ConversionMemoTest, AppendsAndCountsWhatTheConverterDoes) {
  std::vector<std::string> texts = {
      "\x91\xbe\x98\x59",                          // two characters
      "\xb1",                                      // a half-width katakana
      "\x82",                                      // a lead byte alone
      "\x81\x5c\x81\x5b",                          // trail bytes 0x5C and 0x5B
      "ab\x85\x40",                                // a code no character has
      "\x93\x8c\x8b\x9e\x93\x73\x8d\x60\x8b\xe6",  // five characters
      std::string(24, '\xb1'),                     // a byte becoming three, to the most
      std::string(48, '\xb1'),                     // the longest kept
      std::string(49, '\xb1'),                     // one byte too long to keep
      std::string(30, '\x82') + "\xa0",
  };
  // Many texts of one length, so that some share a place.
  for (int i = 0; i < 200; ++i) {
    texts.push_back(std::string("\x88") + static_cast<char>(0x9F + i % 90) + "\x96\xd8" +
                    static_cast<char>('0' + i % 10));
  }
  CodePageConverter converter;
  // The same texts in UTF-8 (their conversions), and a few that are no
  // UTF-8 or that code page 932 lacks, for the other direction.
  std::vector<std::string> utf8_texts = {"\xE3\x80",
                                         "\xFF",
                                         "a\xC0\x80",
                                         "\xF0\x9F\x98\x80",
                                         std::string(16, 'a') + "\xED\xA0\x80",
                                         "\xE2\x82\xAC\xC2\xA5"};
  for (const std::string& text : texts) {
    TextBuffer utf8;
    converter.Cp932ToUtf8(text.data(), static_cast<int32_t>(text.size()), utf8);
    utf8_texts.emplace_back(utf8.Str(), static_cast<size_t>(utf8.Length()));
  }
  for (bool from_utf8 : {false, true}) {
    const std::vector<std::string>& inputs = from_utf8 ? utf8_texts : texts;
    adif::ConversionMemo memo;
    std::mt19937 random(7);
    TextBuffer expected, got;
    for (int round = 0; round < 4000; ++round) {
      const std::string& text = inputs[random() % inputs.size()];
      int32_t length = static_cast<int32_t>(text.size());
      expected.Assign("x");
      got.Assign("x");
      int32_t expected_lost = from_utf8 ? converter.Utf8ToCp932(text.data(), length, expected)
                                        : converter.Cp932ToUtf8(text.data(), length, expected);
      int32_t lost = from_utf8 ? memo.Utf8ToCp932(converter, text.data(), length, got)
                               : memo.Cp932ToUtf8(converter, text.data(), length, got);
      ASSERT_EQ(lost, expected_lost) << from_utf8 << " " << round;
      ASSERT_EQ(std::string(got.Str(), static_cast<size_t>(got.Length())),
                std::string(expected.Str(), static_cast<size_t>(expected.Length())))
          << from_utf8 << " " << round;
    }
  }
}

}  // namespace
}  // namespace varnek
