// NameIndex: finds a name among a fixed list of ASCII names, letter case
// ignored, with one hash and (mostly) one comparison: the lists of ADIF
// field names and enumerations are long, and every field of every record
// is looked up. The index is built once from the list, which it does not
// own (the names must outlive it).
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

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_NAME_INDEX_H_
