// TextMemo: the answers to a question about short texts (a log's modes,
// asked again and again), remembered for the texts asked about last, one
// in each of a few places. A cache only: an answer found is the one that
// was kept for the same bytes. Texts longer than kLongest are not kept.
// The memo owns copies of the texts it keeps.
#ifndef VARNEK_FORMATS_ADIF_TEXT_MEMO_H_
#define VARNEK_FORMATS_ADIF_TEXT_MEMO_H_

#include <cstdint>
#include <cstring>

#include "text/text_buffer.h"

namespace varnek {
namespace adif {

template <typename Answer>
class TextMemo {
 public:
  static constexpr int32_t kLongest = 16;

  // The answer kept for the `length` bytes at `text`, or null.
  const Answer* Find(const char* text, int32_t length) const {
    const Place& place = places_[PlaceOf(text, length)];
    if (place.length != length || !SameBytes(text, place.text, length)) {
      return nullptr;
    }
    return &place.answer;
  }
  // Keeps `answer` for the text; returns the kept answer, or null for a
  // text too long to keep.
  const Answer* Keep(const char* text, int32_t length, const Answer& answer) {
    if (length > kLongest) return nullptr;
    Place& place = places_[PlaceOf(text, length)];
    std::memcpy(place.text, text, static_cast<size_t>(length));
    place.length = length;
    place.answer = answer;
    return &place.answer;
  }

 private:
  static constexpr int kPlaces = 16;
  struct Place {
    char text[kLongest];
    int32_t length = -1;  // none yet
    Answer answer{};
  };

  static uint32_t PlaceOf(const char* text, int32_t length) {
    if (length <= 0) return 0;
    return (static_cast<unsigned char>(text[0]) * 7u +
            static_cast<unsigned char>(text[length - 1]) * 3u + static_cast<uint32_t>(length)) %
           kPlaces;
  }

  Place places_[kPlaces];
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_TEXT_MEMO_H_
