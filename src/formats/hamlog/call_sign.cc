#include "formats/hamlog/call_sign.h"

#include <cstring>

#include "formats/hamlog/hamlog_layout.h"
#include "formats/hamlog/record_fields.h"

namespace varnek {
namespace hamlog {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

SplitCall SplitCallSign(const char* text, bool marked_first) {
  SplitCall split = {text, static_cast<int32_t>(std::strlen(text)), text, 0, false, false};
  const char* slash = std::strchr(text, '/');
  if (slash == nullptr) return split;
  const char* a = text;
  const char* b = slash + 1;
  int32_t a_length = static_cast<int32_t>(slash - text);
  int32_t b_length = static_cast<int32_t>(std::strlen(b));
  const char* third = std::strchr(b, '/');
  bool call_then_portable = a_length <= kCallField.size && b_length <= kPortableField.size;
  bool portable_then_call = a_length <= kPortableField.size && b_length <= kCallField.size;
  split.needs_to_radio = third != nullptr || !(call_then_portable || portable_then_call);
  // The lengths that chose the order are those before the third part goes.
  bool prefix_first = a_length < b_length || (marked_first && a_length == b_length);
  if (third != nullptr) b_length = static_cast<int32_t>(third - b);
  if (prefix_first) {
    split.call = b;
    split.call_length = b_length;
    split.portable = a;
    split.portable_length = a_length;
  } else {
    split.call = a;
    split.call_length = a_length;
    split.portable = b;
    split.portable_length = b_length;
  }
  split.prefix_first = prefix_first;
  return split;
}

void ComposeCallSign(const unsigned char* record, bool prefix_first, TextBuffer& out) {
  out.Clear();
  bool has_portable = record[kPortableField.offset] != ' ';
  bool portable_first = prefix_first && has_portable;
  AppendFieldText(record, portable_first ? kPortableField : kCallField, out);
  if (!has_portable) return;
  int32_t first_length = out.Length();
  if (first_length > 0) out.AppendChar('/');
  AppendFieldText(record, portable_first ? kCallField : kPortableField, out);
  // An empty second part (blanks, or a zero byte) leaves no lone slash.
  if (first_length > 0 && out.Length() == first_length + 1) out.Truncate(first_length);
}

bool HoldsCallSign(const unsigned char* record, bool prefix_first, const char* text,
                   TextBuffer& scratch) {
  ComposeCallSign(record, prefix_first, scratch);
  const char* shown = scratch.Str();
  for (;;) {
    while (*text == ' ') ++text;
    while (*shown == ' ') ++shown;
    if (*text != *shown) return false;
    if (*text == '\0') return true;
    ++text;
    ++shown;
  }
}

bool HasDxMarker(const char* text) {
  // The marker begins with a byte that has no letter case.
  static_assert(kDxMarker[0] == '$', "marker starts with '$'");
  size_t n = std::strlen(kDxMarker);
  for (const char* p = std::strchr(text, kDxMarker[0]); p != nullptr;
       p = std::strchr(p + 1, kDxMarker[0])) {
    size_t i = 1;
    while (i < n && AsciiUpper(p[i]) == kDxMarker[i]) ++i;
    if (i == n) return true;
  }
  return false;
}

}  // namespace hamlog
}  // namespace varnek
