// The conversion memo is a cache: whatever texts come in whatever order
// (again and again, sharing a place, too long to keep, with bytes that are
// no character), it appends and counts what the converter does.
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
  adif::ConversionMemo memo;
  std::mt19937 random(7);
  TextBuffer expected, got;
  for (int round = 0; round < 4000; ++round) {
    const std::string& text = texts[random() % texts.size()];
    int32_t length = static_cast<int32_t>(text.size());
    expected.Assign("x");
    got.Assign("x");
    int32_t expected_lost = converter.Cp932ToUtf8(text.data(), length, expected);
    int32_t lost = memo.Cp932ToUtf8(converter, text.data(), length, got);
    ASSERT_EQ(lost, expected_lost) << round;
    ASSERT_EQ(std::string(got.Str(), static_cast<size_t>(got.Length())),
              std::string(expected.Str(), static_cast<size_t>(expected.Length())))
        << round;
  }
}

}  // namespace
}  // namespace varnek
