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
    uint64_t key[4];  // the bytes up to the '>', zeros after them
    int64_t length;   // of the value, or kRecordEnd
    int32_t size;     // '<' to '>'; 0 for an empty place
    Field field;      // kFieldCount: a field the scanner does not know
  };

  // What the tag at `tag` (kLongest bytes readable) said when it was read,
  // when it was and its '>' lies within its first `held` bytes; else null.
  const Tag* Find(const unsigned char* tag, int32_t held) const {
    Key key = KeyOf(tag);
    if (key.size == 0 || key.size > held) return nullptr;
    const Tag& known = tags_[PlaceOf(key)];
    bool same = known.size == key.size &&
                ((known.key[0] ^ key.word[0]) | (known.key[1] ^ key.word[1]) |
                 (known.key[2] ^ key.word[2]) | (known.key[3] ^ key.word[3])) == 0;
    return same ? &known : nullptr;
  }

  // Notes what the tag of `size` bytes at `tag` (kLongest bytes readable)
  // says.
  void Note(const unsigned char* tag, int32_t size, Field field, int64_t length) {
    Key key = KeyOf(tag);
    if (key.size != size) return;  // longer than kLongest
    Tag& known = tags_[PlaceOf(key)];
    for (int w = 0; w < 4; ++w) known.key[w] = key.word[w];
    known.length = length;
    known.size = size;
    known.field = field;
  }

 private:
  static constexpr int kPlaces = 1024;

  // The bytes up to the first '>' among the first kLongest as four words,
  // zeros after, and their count (0 without a '>').
  struct Key {
    uint64_t word[4];
    int32_t size;
  };
  static uint64_t Load(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  // Which byte of `word` is the first '>', plus one; 0 for none.
  static int32_t CloseIn(uint64_t word) {
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte is the lowest");
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    uint64_t other = word ^ (kOnes * '>');
    // The least bit of this zero-byte test is exact.
    uint64_t close = (other - kOnes) & ~other & (kOnes << 7);
    return close == 0 ? 0 : __builtin_ctzll(close) / 8 + 1;
  }
  // The first `bytes` (1 to 8) of `word`.
  static uint64_t Keep(uint64_t word, int32_t bytes) {
    return word & (~uint64_t{0} >> (64 - 8 * bytes));
  }
  static Key KeyOf(const unsigned char* tag) {
    uint64_t w0 = Load(tag);
    if (int32_t n = CloseIn(w0)) return {{Keep(w0, n), 0, 0, 0}, n};
    uint64_t w1 = Load(tag + 8);
    if (int32_t n = CloseIn(w1)) return {{w0, Keep(w1, n), 0, 0}, 8 + n};
    uint64_t w2 = Load(tag + 16);
    if (int32_t n = CloseIn(w2)) return {{w0, w1, Keep(w2, n), 0}, 16 + n};
    uint64_t w3 = Load(tag + 24);
    if (int32_t n = CloseIn(w3)) return {{w0, w1, w2, Keep(w3, n)}, 24 + n};
    return {{0, 0, 0, 0}, 0};
  }
  static uint32_t PlaceOf(const Key& key) {
    uint64_t hash = (key.word[0] + key.word[2]) * 0x9E3779B97F4A7C15ull ^
                    (key.word[1] + key.word[3]) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<uint32_t>(hash >> 54) % kPlaces;
  }

  Tag tags_[kPlaces] = {};
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_TAG_MEMO_H_
