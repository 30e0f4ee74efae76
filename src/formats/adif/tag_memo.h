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

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#define VARNEK_TAG_MEMO_WORDS 1
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
  // The longest value of a plain tag.
  static constexpr int64_t kPlainLength = 4096;

  struct Tag {
    unsigned char bytes[kLongest];  // '<' to '>', zeros after
    int64_t length;                 // of the value, or kRecordEnd
    uint64_t bit;                   // 1 << field; 0 for a field the scanner does not know
    uint64_t text_bit;              // the bit when the value is not empty, else 0
    Field field;                    // kFieldCount: a field the scanner does not know
    int16_t size;                   // '<' to '>'; 0 for an empty place
    // A field the scanner knows, with a value of at most kPlainLength bytes.
    bool plain;
  };
  static_assert(sizeof(Tag) <= 64, "a place is one cache line");

  // What the tag at `tag` (kLongest bytes readable) said when it was read,
  // when it was and its '>' lies within its first `held` bytes; else null.
  const Tag* Find(const unsigned char* tag, int32_t held) const {
#if defined(VARNEK_TAG_MEMO_WORDS)
    // The tag's bytes up to its '>', zeros after, as two blocks: the
    // place follows from them, and one comparison with a place's bytes
    // (zeros after its '>' too) tells the whole tag, its size included.
    // Few branches: the scanner looks up the tags of a record one after
    // the other without waiting for the answers.
    const __m128i close = _mm_set1_epi8('>');
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tag + 16));
    uint32_t found = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, close))) |
                     static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, close))) << 16;
    if (found == 0) return nullptr;
    int32_t size = __builtin_ctz(found) + 1;
    if (size > held) return nullptr;
    low = _mm_and_si128(low,
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeep + kLongest - size)));
    high = _mm_and_si128(
        high, _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeep + kLongest + 16 - size)));
    const Tag& known = tags_[PlaceOf(First(low), Second(low), First(high))];
    __m128i same = _mm_and_si128(
        _mm_cmpeq_epi8(low, _mm_loadu_si128(reinterpret_cast<const __m128i*>(known.bytes))),
        _mm_cmpeq_epi8(high, _mm_loadu_si128(reinterpret_cast<const __m128i*>(known.bytes + 16))));
    return _mm_movemask_epi8(same) == 0xFFFF ? &known : nullptr;
#else
    int32_t size = SizeOf(tag);
    if (size == 0 || size > held) return nullptr;
    const Tag& known = tags_[PlaceOf(tag, size)];
    return known.size == size && std::memcmp(tag, known.bytes, static_cast<size_t>(size)) == 0
               ? &known
               : nullptr;
#endif
  }

  // Notes what the tag of `size` bytes at `tag` (kLongest bytes readable)
  // says.
  void Note(const unsigned char* tag, int32_t size, Field field, int64_t length) {
    if (SizeOf(tag) != size) return;  // longer than kLongest
    Tag& known = tags_[PlaceOf(tag, size)];
    std::memset(known.bytes, 0, sizeof known.bytes);
    std::memcpy(known.bytes, tag, static_cast<size_t>(size));
    known.length = length;
    known.size = static_cast<int16_t>(size);
    known.field = field;
    known.bit = field != kFieldCount ? uint64_t{1} << field : 0;
    known.text_bit = length > 0 ? known.bit : 0;
    known.plain = field != kFieldCount && length >= 0 && length <= kPlainLength;
  }

 private:
  static constexpr int kPlaces = 1024;
  static constexpr int kPlaceBits = 10;
  static_assert(kPlaces == 1 << kPlaceBits, "the place is the hash's top bits");

  // A run of 0xFF bytes followed by zeros: the bytes of a tag of `size`
  // bytes are kept by the kLongest bytes from kKeep + kLongest - size on.
  static constexpr unsigned char kKeep[2 * kLongest] = {
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

#if defined(VARNEK_TAG_MEMO_WORDS)
  static uint64_t First(__m128i block) { return static_cast<uint64_t>(_mm_cvtsi128_si64(block)); }
  static uint64_t Second(__m128i block) {
    return static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(block, block)));
  }
#endif
  static uint64_t Turned(uint64_t word, int count) { return word << count | word >> (64 - count); }
  static uint64_t Load(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  // The count of bytes up to and including the first '>' among the first
  // kLongest, 0 without one.
  static int32_t SizeOf(const unsigned char* tag) {
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte is the lowest");
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    for (int32_t at = 0; at < kLongest; at += 8) {
      uint64_t other = Load(tag + at) ^ (kOnes * '>');
      // The least bit of this zero-byte test is exact.
      uint64_t close = (other - kOnes) & ~other & (kOnes << 7);
      if (close != 0) return at + __builtin_ctzll(close) / 8 + 1;
    }
    return 0;
  }
  // From the first 24 bytes of the tag, those after its '>' as zeros: the
  // tags of one field with different lengths go to different places.
  static uint32_t PlaceOf(uint64_t first, uint64_t second, uint64_t third) {
    // (One multiplication: the top bits of its product depend on every bit
    // of the words, each turned by its own count.)
    uint64_t hash = (first ^ Turned(second, 17) ^ Turned(third, 43)) * 0x9E3779B97F4A7C15ull;
    return static_cast<uint32_t>(hash >> (64 - kPlaceBits));
  }
  static uint32_t PlaceOf(const unsigned char* tag, int32_t size) {
    uint64_t words[3] = {};
    std::memcpy(words, tag, static_cast<size_t>(size < 24 ? size : 24));
    return PlaceOf(words[0], words[1], words[2]);
  }

  Tag tags_[kPlaces] = {};
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_TAG_MEMO_H_
