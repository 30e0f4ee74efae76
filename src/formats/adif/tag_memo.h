// TagMemo: the tags a scanner has read, by their bytes, with what they
// said: the field (or none it knows) and the value's length. Every record
// repeats the tags of the one before ("<CALL:6>", "<QSO_DATE:8>"), so most
// tags are known at a glance instead of being taken apart and looked up
// again. What a tag says follows from its bytes alone, up to its '>' (no
// tag holds a '>' before its end), so a tag found here says what reading it
// again would. The tag that ends a record is kept too. Fixed size (a newer
// tag takes the place of an older one), owned by the scanner.
#ifndef VARNEK_FORMATS_ADIF_TAG_MEMO_H_
#define VARNEK_FORMATS_ADIF_TAG_MEMO_H_

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "formats/adif/adif_fields.h"

namespace varnek {
namespace adif {

class TagMemo {
 public:
  // The longest tag kept, '<' to '>', and the bytes Find reads.
  static constexpr int32_t kLongest = 32;
  // The length noted for the tag that ends a record.
  static constexpr int64_t kRecordEnd = -1;

  struct Tag {
    unsigned char bytes[kLongest];  // '<' to '>', zeros after
    int64_t length;                 // of the value, or kRecordEnd
    int32_t size;                   // '<' to '>'; 0 for an empty place
    Field field;                    // kFieldCount: a field the scanner does not know
    uint32_t bits;                  // bit i for each of the `size` bytes
  };

  // What the tag at `tag` (kLongest bytes readable) said when it was read,
  // when it was and its '>' lies within its first `held` bytes; else null.
  const Tag* Find(const unsigned char* tag, int32_t held) const {
    int32_t size = SizeOf(tag);
    if (size == 0 || size > held) return nullptr;
    const Tag& known = tags_[PlaceOf(tag, size)];
    return known.size == size && SameStart(tag, known) ? &known : nullptr;
  }

  // Notes what the tag of `size` bytes at `tag` (kLongest bytes readable)
  // says.
  void Note(const unsigned char* tag, int32_t size, Field field, int64_t length) {
    if (SizeOf(tag) != size) return;  // longer than kLongest
    Tag& known = tags_[PlaceOf(tag, size)];
    std::memset(known.bytes, 0, sizeof known.bytes);
    std::memcpy(known.bytes, tag, static_cast<size_t>(size));
    known.length = length;
    known.size = size;
    known.field = field;
    known.bits = static_cast<uint32_t>((uint64_t{1} << size) - 1);
  }

 private:
  static constexpr int kPlaces = 1024;

  static uint64_t Load(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  // The count of bytes up to and including the first '>' among the first
  // kLongest, 0 without one.
  static int32_t SizeOf(const unsigned char* tag) {
#if defined(__SSE2__)
    const __m128i close = _mm_set1_epi8('>');
    uint32_t found = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag)), close))) |
                     static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag + 16)), close)))
                         << 16;
    return found == 0 ? 0 : __builtin_ctz(found) + 1;
#else
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte is the lowest");
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    for (int32_t at = 0; at < kLongest; at += 8) {
      uint64_t other = Load(tag + at) ^ (kOnes * '>');
      // The least bit of this zero-byte test is exact.
      uint64_t close = (other - kOnes) & ~other & (kOnes << 7);
      if (close != 0) return at + __builtin_ctzll(close) / 8 + 1;
    }
    return 0;
#endif
  }
  // The tag at `tag` (kLongest bytes readable) begins with the bytes of
  // `known`.
  static bool SameStart(const unsigned char* tag, const Tag& known) {
#if defined(__SSE2__)
    auto same = [&](int32_t at) {
      return static_cast<uint32_t>(_mm_movemask_epi8(
          _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(tag + at)),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(known.bytes + at)))));
    };
    return ((same(0) | same(16) << 16) & known.bits) == known.bits;
#else
    return std::memcmp(tag, known.bytes, static_cast<size_t>(known.size)) == 0;
#endif
  }
  // From the first eight bytes and the last eight of the tag: the tags of
  // one field with different lengths go to different places.
  static uint32_t PlaceOf(const unsigned char* tag, int32_t size) {
    uint64_t head = Load(tag);
    if (size < 8) head &= ~uint64_t{0} >> (64 - 8 * size);
    uint64_t tail = size > 8 ? Load(tag + size - 8) : 0;
    uint64_t hash =
        head * 0x9E3779B97F4A7C15ull ^ (tail + static_cast<uint64_t>(size)) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<uint32_t>(hash >> 54) % kPlaces;
  }

  Tag tags_[kPlaces] = {};
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_TAG_MEMO_H_
