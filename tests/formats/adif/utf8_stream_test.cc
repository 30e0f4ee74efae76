// Utf8Stream checks blocks of a text at a time where the processor allows:
// whatever the bytes, wherever they fall in a block and however the text
// is cut into pieces, both of its paths must say what the characters taken
// one at a time say.
#include "formats/adif/utf8_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/utf8_reference.h"

namespace varnek {
namespace adif {
namespace {

using varnek_test::Utf8ByCharacters;

bool StreamSays(const std::string& text, bool vectors, std::mt19937& random) {
  Utf8Stream stream(vectors);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t at = 0;
  bool taken = true;
  while (at < text.size()) {
    size_t piece = 1 + random() % (text.size() - at);
    if (random() % 2 == 0) piece = text.size() - at;
    taken = stream.Take(p + at, static_cast<int32_t>(piece)) && taken;
    at += piece;
  }
  return stream.Finish() && taken;
}

TEST(Utf8StreamTest, SaysWhatTheCharactersSayWhereverTheyFallAndHoweverCut) {
  const char kEdges[] = {'\x00', 'A',    '\x7F', '\x80', '\x8F', '\x90', '\x9F', '\xA0', '\xBF',
                         '\xC0', '\xC1', '\xC2', '\xDF', '\xE0', '\xE1', '\xEC', '\xED', '\xEE',
                         '\xEF', '\xF0', '\xF1', '\xF3', '\xF4', '\xF5', '\xFF'};
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> edge(0, sizeof kEdges - 1);
  for (int i = 0; i < 200000; ++i) {
    // ASCII, or whole characters, around a few edge bytes, across blocks.
    std::string text(random() % 70, 'x');
    if (i % 2 == 0) {
      for (size_t k = 0; k < text.size() / 3; ++k) text.replace(3 * k, 3, "\xE3\x81\x82");
    }
    size_t at = text.empty() ? 0 : random() % text.size();
    for (int k = 0, n = 1 + random() % 4; k < n; ++k) text.insert(at, 1, kEdges[edge(random)]);
    bool expected = Utf8ByCharacters(text);
    ASSERT_EQ(StreamSays(text, true, random), expected) << i;
    ASSERT_EQ(StreamSays(text, false, random), expected) << i;
  }
}

}  // namespace
}  // namespace adif
}  // namespace varnek
