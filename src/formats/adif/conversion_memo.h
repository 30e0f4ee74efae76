// ConversionMemo: texts converted by a CodePageConverter (code page 932
// to UTF-8, or back), the conversions of the texts converted last
// remembered, one in each of a few places (a log's names and places come
// again and again). A cache only: what it appends is what the converter
// appended for the same bytes, and it answers the same count of characters
// that became '?'. Texts longer than kLongest are converted every time.
// The memo owns copies of the texts it keeps; the converter is the
// caller's.
#ifndef VARNEK_FORMATS_ADIF_CONVERSION_MEMO_H_
#define VARNEK_FORMATS_ADIF_CONVERSION_MEMO_H_

#include <cstdint>
#include <cstring>

#include "platform/code_page.h"
#include "text/text_buffer.h"

namespace varnek {
namespace adif {

class ConversionMemo {
 public:
  static constexpr int32_t kLongest = 48;

  // CodePageConverter::Cp932ToUtf8 of the `length` bytes at `text` (not
  // empty) into `out`.
  int32_t Cp932ToUtf8(CodePageConverter& converter, const char* text, int32_t length,
                      TextBuffer& out) {
    return Convert<false>(converter, text, length, out);
  }
  // CodePageConverter::Utf8ToCp932 of the same. One memo serves one of
  // the two directions.
  int32_t Utf8ToCp932(CodePageConverter& converter, const char* text, int32_t length,
                      TextBuffer& out) {
    return Convert<true>(converter, text, length, out);
  }

 private:
  template <bool kFromUtf8>
  int32_t Convert(CodePageConverter& converter, const char* text, int32_t length, TextBuffer& out) {
    auto convert = [&] {
      return kFromUtf8 ? converter.Utf8ToCp932(text, length, out)
                       : converter.Cp932ToUtf8(text, length, out);
    };
    if (length > kLongest) return convert();
    Place& place = places_[PlaceOf(text, length)];
    if (place.length == length && SameBytes(place.text, text, length)) {
      out.AppendBytes(place.converted, place.converted_length);
      return place.lost;
    }
    int32_t start = out.Length();
    int32_t lost = convert();
    int32_t converted_length = out.Length() - start;
    if (converted_length > 0 && converted_length <= kMostConverted) {
      std::memcpy(place.text, text, static_cast<size_t>(length));
      std::memcpy(place.converted, out.Str() + start, static_cast<size_t>(converted_length));
      place.length = length;
      place.converted_length = converted_length;
      place.lost = lost;
    }
    return lost;
  }

  static constexpr int kPlaceBits = 6;
  // A byte becomes at most three in UTF-8 (and at most one back).
  static constexpr int32_t kMostConverted = 3 * kLongest;
  struct Place {
    int32_t length = -1;  // none yet
    int32_t converted_length = 0;
    int32_t lost = 0;
    char text[kLongest];
    char converted[kMostConverted];
  };

  // From the length and the first and last four bytes (all of them in a
  // shorter text).
  static uint32_t PlaceOf(const char* text, int32_t length) {
    uint64_t key = static_cast<uint64_t>(length);
    if (length >= 4) {
      uint32_t first, last;
      std::memcpy(&first, text, sizeof first);
      std::memcpy(&last, text + length - 4, sizeof last);
      key ^= (uint64_t{first} << 32 | last) << 1;
    } else {
      for (int32_t i = 0; i < length; ++i) {
        key = key << 8 ^ static_cast<unsigned char>(text[i]) << 4;
      }
    }
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kPlaceBits));
  }

  Place places_[1 << kPlaceBits];
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_CONVERSION_MEMO_H_
