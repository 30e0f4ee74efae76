// The code page converter reads texts in blocks and takes shortcuts for the
// usual characters; whatever a text holds, it must say what the characters
// taken one at a time say. The UTF-8 automaton must tell characters as
// Utf8CharacterLength does.
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/utf8_reference.h"

namespace varnek {
namespace {

using varnek_test::Utf8ByCharacters;

TEST(CodePageTest, TheUtf8AutomatonTellsCharactersAsTheirLengthDoes) {
  // The bytes at the edges of every range the rules draw.
  const unsigned char kEdges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                  0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                  0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
  const size_t count = sizeof kEdges;
  std::string text;
  for (size_t a = 0; a < count; ++a) {
    for (size_t b = 0; b <= count; ++b) {
      for (size_t c = 0; c <= count; ++c) {
        for (size_t d = 0; d <= count; ++d) {
          text.assign(1, static_cast<char>(kEdges[a]));
          for (size_t k : {b, c, d}) {
            if (k < count) text += static_cast<char>(kEdges[k]);
          }
          ASSERT_EQ(IsUtf8(text.data(), static_cast<int32_t>(text.size())), Utf8ByCharacters(text))
              << a << " " << b << " " << c << " " << d;
        }
      }
    }
  }
}

TEST(CodePageTest, TextsConvertAsTheirCharactersOneAtATime) {
  CodePageConverter converter;
  // A few characters whose conversion no platform differs on.
  const std::pair<std::string, std::string> kKnown[] = {{"\x8E\x52", "\xE5\xB1\xB1"},
                                                        {"\x93\x63", "\xE7\x94\xB0"},
                                                        {"\x82\xA0", "\xE3\x81\x82"},
                                                        {"\xB1", "\xEF\xBD\xB1"},
                                                        {"\xDF", "\xEF\xBE\x9F"}};
  for (const auto& known : kKnown) {
    TextBuffer utf8, cp932;
    converter.Cp932ToUtf8(known.first.data(), static_cast<int32_t>(known.first.size()), utf8);
    converter.Utf8ToCp932(known.second.data(), static_cast<int32_t>(known.second.size()), cp932);
    EXPECT_EQ(utf8.Str(), known.second);
    EXPECT_EQ(cp932.Str(), known.first);
  }
  // Characters and stretches of ASCII of every length around them.
  const std::vector<std::string> kCp932 = {"a",    "Tokyo 73", "\x8E\x52", "\x93\x63", "\xB1",
                                           "\xDF", "\x81\x5C", "\x87\x40", "\xED\x40", "\xFD",
                                           "\x80", "\xA0",     "\x82\xA0", "\x5C",     "\x7E"};
  const std::vector<std::string> kUtf8 = {"a",
                                          "Tokyo 73",
                                          "\xE5\xB1\xB1",
                                          "\xEF\xBD\xB1",
                                          "\xE2\x82\xAC",
                                          "\xC2\xA5",
                                          "\xC3\xA9",
                                          "\xF0\x9F\x98\x80",
                                          "\xED\xA0\x80",
                                          "\xE0\xA0\x80",
                                          "\xEF\xBF\xA5",
                                          "\xFF",
                                          "\xC0\x80",
                                          "\x80"};
  // A lead byte without its trail byte, or the first bytes of a UTF-8
  // character, only at the end (they would take the next piece's bytes).
  const std::string kCp932End = "\x81";
  const std::string kUtf8End = "\xE3\x80";
  std::mt19937 random(9122026);
  for (bool from_utf8 : {false, true}) {
    const std::vector<std::string>& pieces = from_utf8 ? kUtf8 : kCp932;
    for (int round = 0; round < 3000; ++round) {
      std::string text;
      TextBuffer expected;
      int32_t expected_unknown = 0;
      int count = static_cast<int>(random() % 12);
      for (int i = 0; i < count; ++i) {
        std::string piece = pieces[random() % pieces.size()];
        if (random() % 3 == 0) piece = std::string(random() % 20, 'x');
        if (i == count - 1 && random() % 4 == 0) piece += from_utf8 ? kUtf8End : kCp932End;
        text += piece;
        expected_unknown +=
            from_utf8
                ? converter.Utf8ToCp932(piece.data(), static_cast<int32_t>(piece.size()), expected)
                : converter.Cp932ToUtf8(piece.data(), static_cast<int32_t>(piece.size()), expected);
      }
      TextBuffer converted;
      int32_t unknown =
          from_utf8
              ? converter.Utf8ToCp932(text.data(), static_cast<int32_t>(text.size()), converted)
              : converter.Cp932ToUtf8(text.data(), static_cast<int32_t>(text.size()), converted);
      ASSERT_EQ(std::string(converted.Str(), converted.Length()),
                std::string(expected.Str(), expected.Length()))
          << from_utf8 << " " << text;
      ASSERT_EQ(unknown, expected_unknown) << text;
    }
  }
}

}  // namespace
}  // namespace varnek
