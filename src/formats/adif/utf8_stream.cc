#include "formats/adif/utf8_stream.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VARNEK_UTF8_WIDE 1
#endif

namespace varnek {
namespace adif {

namespace {

// The offset of the first byte from 0x80 on in bytes[at, end), or end.
int32_t AsciiRunEnd(const unsigned char* bytes, int32_t at, int32_t end) {
#if defined(__SSE2__)
  for (; end - at >= 32; at += 32) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + 16));
    uint32_t high = static_cast<uint32_t>(_mm_movemask_epi8(a)) |
                    static_cast<uint32_t>(_mm_movemask_epi8(b)) << 16;
    if (high != 0) return at + __builtin_ctz(high);
  }
#else
  for (; end - at >= 8; at += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + at, sizeof word);
    if ((word & 0x8080808080808080ull) != 0) break;
  }
#endif
  while (at < end && bytes[at] < 0x80) ++at;
  return at;
}

// The three bytes at `p` are a character led by E1-EC or EE-EF, whose
// continuation bytes need no narrower range.
inline bool IsPlainThreeByte(const unsigned char* p) {
  return static_cast<unsigned char>(p[0] - 0xE1) <= 0xEF - 0xE1 && p[0] != 0xED &&
         (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80;
}

#if defined(VARNEK_UTF8_WIDE)

// What a pair of bytes (the one before, and the one at a place) can be
// wrong with, one bit each; three tables by the high and low half of the
// byte before and the high half of the byte at the place give the bits
// each half allows, and a pair is wrong when a bit is in all three.
constexpr uint8_t kTooShort = 1 << 0;          // a lead byte, then no continuation byte
constexpr uint8_t kTooLong = 1 << 1;           // ASCII, then a continuation byte
constexpr uint8_t kOverlong3 = 1 << 2;         // E0, then 80-9F
constexpr uint8_t kTooLarge = 1 << 3;          // F4, then 90-BF; or F5-FF, then 90-BF
constexpr uint8_t kSurrogate = 1 << 4;         // ED, then A0-BF
constexpr uint8_t kOverlong2 = 1 << 5;         // C0 or C1, then a continuation byte
constexpr uint8_t kTooLarge1000 = 1 << 6;      // F5-FF, then 80-8F
constexpr uint8_t kOverlong4 = 1 << 6;         // F0, then 80-8F
constexpr uint8_t kTwoContinuations = 1 << 7;  // continuation bytes after one
constexpr uint8_t kCarry = kTooShort | kTooLong | kTwoContinuations;

#define VARNEK_UTF8_TABLE(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p)                        \
  _mm256_setr_epi8(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, a, b, c, d, e, f, g, h, i, j, \
                   k, l, m, n, o, p)

__attribute__((target("avx2"))) inline __m256i HighHalf(__m256i bytes) {
  return _mm256_and_si256(_mm256_srli_epi16(bytes, 4), _mm256_set1_epi8(0x0F));
}

// The checks of one block of 32 bytes at `input`, given the block before
// and which bytes of it start an unfinished character; returns the error
// bits (none: no fault so far) and updates both.
__attribute__((target("avx2"))) inline __m256i CheckBlock(__m256i input, __m256i* previous,
                                                          __m256i* unfinished) {
  if (_mm256_movemask_epi8(input) == 0) {
    // ASCII: right only if the block before finished its last character.
    __m256i error = *unfinished;
    *previous = input;
    *unfinished = _mm256_setzero_si256();
    return error;
  }
  const char k1 = static_cast<char>(kTooLong);
  const char k8 = static_cast<char>(kTwoContinuations);
  const char kC = static_cast<char>(kTooShort | kOverlong2);
  const char kD = static_cast<char>(kTooShort);
  const char kE = static_cast<char>(kTooShort | kOverlong3 | kSurrogate);
  const char kF = static_cast<char>(kTooShort | kTooLarge | kTooLarge1000 | kOverlong4);
  const __m256i first_high =
      VARNEK_UTF8_TABLE(k1, k1, k1, k1, k1, k1, k1, k1, k8, k8, k8, k8, kC, kD, kE, kF);
  const char c0 = static_cast<char>(kCarry | kOverlong3 | kOverlong2 | kOverlong4);
  const char c1 = static_cast<char>(kCarry | kOverlong2);
  const char c2 = static_cast<char>(kCarry);
  const char c4 = static_cast<char>(kCarry | kTooLarge);
  const char c5 = static_cast<char>(kCarry | kTooLarge | kTooLarge1000);
  const char cD = static_cast<char>(kCarry | kTooLarge | kTooLarge1000 | kSurrogate);
  const __m256i first_low =
      VARNEK_UTF8_TABLE(c0, c1, c2, c2, c4, c5, c5, c5, c5, c5, c5, c5, c5, cD, c5, c5);
  const char s = static_cast<char>(kTooShort);
  const char n8 = static_cast<char>(kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 |
                                    kTooLarge1000 | kOverlong4);
  const char n9 =
      static_cast<char>(kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge);
  const char nA =
      static_cast<char>(kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge);
  const __m256i second_high = VARNEK_UTF8_TABLE(s, s, s, s, s, s, s, s, n8, n9, nA, nA, s, s, s, s);

  // The bytes one, two and three places before each byte.
  __m256i before = _mm256_permute2x128_si256(*previous, input, 0x21);
  __m256i prev1 = _mm256_alignr_epi8(input, before, 15);
  __m256i prev2 = _mm256_alignr_epi8(input, before, 14);
  __m256i prev3 = _mm256_alignr_epi8(input, before, 13);
  __m256i pairs = _mm256_and_si256(
      _mm256_and_si256(
          _mm256_shuffle_epi8(first_high, HighHalf(prev1)),
          _mm256_shuffle_epi8(first_low, _mm256_and_si256(prev1, _mm256_set1_epi8(0x0F)))),
      _mm256_shuffle_epi8(second_high, HighHalf(input)));
  // A byte two after E0-EF or three after F0-FF must be a second
  // continuation byte, and only such a byte may be one.
  __m256i third = _mm256_subs_epu8(prev2, _mm256_set1_epi8(static_cast<char>(0xE0 - 0x80)));
  __m256i fourth = _mm256_subs_epu8(prev3, _mm256_set1_epi8(static_cast<char>(0xF0 - 0x80)));
  __m256i must_continue =
      _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(static_cast<char>(0x80)));
  __m256i error = _mm256_xor_si256(must_continue, pairs);
  // The last three bytes: a lead byte there starts a character the next
  // block has to finish.
  const char x = static_cast<char>(0xFF);
  const __m256i last_lead = _mm256_setr_epi8(
      x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x, x,
      static_cast<char>(0xEF), static_cast<char>(0xDF), static_cast<char>(0xBF));
  *unfinished = _mm256_subs_epu8(input, last_lead);
  *previous = input;
  return error;
}

#undef VARNEK_UTF8_TABLE

// Takes whole blocks from `bytes` (`count` of them); false on a fault.
__attribute__((target("avx2"))) bool TakeBlocks(const unsigned char* bytes, int32_t count,
                                                unsigned char* previous_bytes,
                                                unsigned char* unfinished_bytes) {
  __m256i previous = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(previous_bytes));
  __m256i unfinished = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(unfinished_bytes));
  __m256i error = _mm256_setzero_si256();
  for (int32_t i = 0; i < count; ++i) {
    __m256i input = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32 * i));
    error = _mm256_or_si256(error, CheckBlock(input, &previous, &unfinished));
    // Now and then, so that a text that is no UTF-8 is not read to its end.
    if ((i & 63) == 63 && !_mm256_testz_si256(error, error)) return false;
  }
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(previous_bytes), previous);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(unfinished_bytes), unfinished);
  return _mm256_testz_si256(error, error) != 0;
}

bool HasWideInstructions() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

#endif  // VARNEK_UTF8_WIDE

}  // namespace

Utf8Stream::Utf8Stream(bool vectors) {
#if defined(VARNEK_UTF8_WIDE)
  wide_ = vectors && HasWideInstructions();
#else
  (void)vectors;
#endif
}

bool Utf8Stream::Take(const unsigned char* bytes, int32_t length) {
  if (failed_) return false;
  if (!TakeBytes(bytes, length)) failed_ = true;
  return !failed_;
}

bool Utf8Stream::Finish() {
  if (failed_) return false;
#if defined(VARNEK_UTF8_WIDE)
  if (wide_) {
    // The last bytes as a block, ASCII zeros after them: a character they
    // leave unfinished is a fault there.
    std::memset(pending_ + pending_length_, 0, static_cast<size_t>(kBlock - pending_length_));
    pending_length_ = 0;
    failed_ = !TakeBlocks(pending_, 1, previous_, unfinished_);
    return !failed_;
  }
#endif
  return check_.Whole();
}

bool Utf8Stream::TakeBytes(const unsigned char* bytes, int32_t length) {
#if defined(VARNEK_UTF8_WIDE)
  if (wide_) {
    if (pending_length_ > 0) {
      int32_t fill = kBlock - pending_length_ < length ? kBlock - pending_length_ : length;
      std::memcpy(pending_ + pending_length_, bytes, static_cast<size_t>(fill));
      pending_length_ += fill;
      bytes += fill;
      length -= fill;
      if (pending_length_ < kBlock) return true;
      pending_length_ = 0;
      if (!TakeBlocks(pending_, 1, previous_, unfinished_)) return false;
    }
    int32_t blocks = length / kBlock;
    if (!TakeBlocks(bytes, blocks, previous_, unfinished_)) return false;
    pending_length_ = length - blocks * kBlock;
    std::memcpy(pending_, bytes + blocks * kBlock, static_cast<size_t>(pending_length_));
    return true;
  }
#endif
  int32_t at = 0;
  while (at < length) {
    if (check_.Whole()) {
      // Between characters, ASCII is passed over in blocks up to the
      // first other byte, and three-byte characters led by E1-EC or
      // EE-EF (most of what is not ASCII, all of Japanese) whole.
      at = AsciiRunEnd(bytes, at, length);
      int32_t run = at;
      while (length - at >= 3 && IsPlainThreeByte(bytes + at)) at += 3;
      if (at != run) continue;
    }
    if (at < length && !check_.Take(bytes[at++])) return false;
  }
  return true;
}

}  // namespace adif
}  // namespace varnek
