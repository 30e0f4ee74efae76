// NameIndex: finds a name among a fixed list of ASCII names, letter case
// ignored, with one hash and (mostly) one comparison: the lists of ADIF
// enumerations are long, and every record's values are looked up. Its
// sibling WordNameIndex does the same for field names, which every field
// of every record is looked up by. An index is built once from the list,
// and keeps pointers to the names (which must outlive it) or copies.
#ifndef VARNEK_FORMATS_ADIF_NAME_INDEX_H_
#define VARNEK_FORMATS_ADIF_NAME_INDEX_H_

#include <cstdint>
#include <cstring>

namespace varnek {
namespace adif {

template <int kSlots>
class NameIndex {
 public:
  // `name_of(i)` gives the i-th of `count` names (at most kSlots / 2).
  template <typename NameOf>
  NameIndex(int count, NameOf name_of) {
    for (int& slot : slots_) slot = -1;
    for (int i = 0; i < count; ++i) {
      const char* name = name_of(i);
      int32_t length = 0;
      while (name[length] != '\0') ++length;
      uint32_t at = Spread(Hash(name, length));
      while (slots_[at] >= 0) at = (at + 1) % kSlots;
      slots_[at] = i;
      names_[at] = name;
      lengths_[at] = length;
    }
  }

  // The number of the name `text` (`length` bytes, in the letter case of
  // the list) spells, or -1.
  int FindExact(const char* text, int32_t length) const {
    uint32_t at = Spread(Hash(text, length));
    for (; slots_[at] >= 0; at = (at + 1) % kSlots) {
      if (lengths_[at] == length &&
          std::memcmp(names_[at], text, static_cast<size_t>(length)) == 0) {
        return slots_[at];
      }
    }
    return -1;
  }

  // The number of the name `text` (`length` bytes) spells, or -1.
  int Find(const char* text, int32_t length) const {
    uint32_t at = Spread(Hash(text, length));
    for (; slots_[at] >= 0; at = (at + 1) % kSlots) {
      if (Same(names_[at], text, length)) return slots_[at];
    }
    return -1;
  }

 private:
  static char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  // A few bytes tell the names apart well enough; the probe compares.
  static uint32_t Hash(const char* text, int32_t length) {
    if (length == 0) return 0;
    uint32_t first = static_cast<unsigned char>(Upper(text[0]));
    uint32_t middle = static_cast<unsigned char>(Upper(text[length / 2]));
    uint32_t last = static_cast<unsigned char>(Upper(text[length - 1]));
    uint32_t second = length > 1 ? static_cast<unsigned char>(Upper(text[1])) : 0;
    return (static_cast<uint32_t>(length) * 0x9E3779B1u) ^ (first * 0x85EBCA77u) ^
           (middle * 0xC2B2AE3Du) ^ (last * 0x27D4EB2Fu) ^ (second * 0x165667B1u);
  }
  static uint32_t Spread(uint32_t hash) { return (hash ^ (hash >> 15)) % kSlots; }
  static bool Same(const char* name, const char* text, int32_t length) {
    int32_t i = 0;
    while (i < length && name[i] != '\0' && Upper(name[i]) == Upper(text[i])) ++i;
    return i == length && name[i] == '\0';
  }

  int slots_[kSlots];
  const char* names_[kSlots] = {};
  int32_t lengths_[kSlots] = {};
};

// WordNameIndex: the same for names made of the bytes of ADIF names only
// (letters, digits, '_'), such as field names, with fewer instructions: a
// name is taken as three 64-bit words (kReadAhead bytes, zeros after the
// name), each byte with its 0x20 bit set. On those bytes that makes the two
// letter cases one and keeps every other byte apart, so one hash of the
// words and (mostly) one comparison of them find the name.
template <int kSlots>
class WordNameIndex {
 public:
  static constexpr int32_t kReadAhead = 24;  // and the longest name
  static_assert((kSlots & (kSlots - 1)) == 0, "a power of two");

  // `name_of(i)` gives the i-th of `count` names (at most kSlots / 2).
  template <typename NameOf>
  WordNameIndex(int count, NameOf name_of) {
    for (Slot& slot : slots_) slot.number = -1;
    for (int i = 0; i < count; ++i) {
      char padded[kReadAhead] = {};
      int32_t length = 0;
      for (const char* p = name_of(i); *p != '\0' && length < kReadAhead; ++p) {
        padded[length++] = *p;
      }
      Words words = Fold(padded, length);
      uint32_t at = SlotOf(words);
      while (slots_[at].number >= 0) at = (at + 1) % kSlots;
      slots_[at].words = words;
      slots_[at].number = i;
    }
  }

  // The number of the name the `length` bytes at `text` (bytes of ADIF
  // names) spell, letter case ignored, or -1. The kReadAhead bytes from
  // `text` on must be readable whatever `length` is.
  int Find(const char* text, int32_t length) const {
    if (length > kReadAhead) return -1;
    Words words = Fold(text, length);
    for (uint32_t at = SlotOf(words);; at = (at + 1) % kSlots) {
      const Slot& slot = slots_[at];
      if (slot.number < 0 || slot.words == words) return slot.number;
    }
  }

 private:
  struct Words {
    uint64_t w[3];
    bool operator==(const Words& other) const {
      return ((w[0] ^ other.w[0]) | (w[1] ^ other.w[1]) | (w[2] ^ other.w[2])) == 0;
    }
  };
  struct Slot {
    Words words;
    int number;
  };

  template <typename Byte>
  static uint64_t Load(const Byte* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  static Words Fold(const char* text, int32_t length) {
    // The bytes of the name, from a run of 0xFF bytes followed by zeros.
    static const unsigned char kKeep[2 * kReadAhead] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const unsigned char* keep = kKeep + kReadAhead - length;
    constexpr uint64_t kCase = 0x2020202020202020ull;
    return {{(Load(text) | kCase) & Load(keep), (Load(text + 8) | kCase) & Load(keep + 8),
             (Load(text + 16) | kCase) & Load(keep + 16)}};
  }
  static uint32_t SlotOf(const Words& words) {
    uint64_t hash = words.w[0] * 0x9E3779B97F4A7C15ull + words.w[1] * 0xC2B2AE3D27D4EB4Full +
                    words.w[2] * 0x165667B19E3779F9ull;
    return static_cast<uint32_t>(hash >> 40) & (kSlots - 1);
  }

  Slot slots_[kSlots];
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_NAME_INDEX_H_
