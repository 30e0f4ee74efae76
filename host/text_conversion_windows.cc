// TextConversion on Windows: MultiByteToWideChar from the source code page
// into UTF-16, WideCharToMultiByte into the target one, with no look-alike
// ("best fit") characters. A text is converted whole when it can be; one
// that holds a character the system refuses is converted character by
// character, so that only that character becomes '?'. Between two equal
// code pages the text is checked and kept byte for byte (a code page 932
// character with a twin elsewhere in the table stays as it was).
#include <windows.h>

#include "host/text_conversion.h"
#include "text/lead_byte.h"

namespace varnek_host {

namespace {

constexpr UINT kCodePage932 = 932;

bool SameName(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

UINT CodePageNamed(const char* name) {
  if (SameName(name, "CP932")) return kCodePage932;
  if (SameName(name, "UTF-8")) return CP_UTF8;
  return 0;
}

// Code page 932 text is made of characters as the rule of every platform
// has them; Windows takes some bytes beyond it (0x80, 0xA0, 0xFD-0xFF).
bool IsCp932Text(const char* text, size_t length) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  size_t i = 0;
  while (i < length) {
    size_t left = length - i;
    int32_t n = varnek::Cp932CharacterLength(p + i, left < 2 ? static_cast<int32_t>(left) : 2);
    if (n == 0) return false;
    i += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

TextConversion::TextConversion(const char* to, const char* from)
    : to_(CodePageNamed(to)), from_(CodePageNamed(from)) {}

TextConversion::~TextConversion() = default;

bool TextConversion::ready() const { return to_ != 0 && from_ != 0; }

bool TextConversion::ConvertRun(const char* text, size_t length, std::string* out) {
  if (length == 0) return true;
  if (from_ == kCodePage932 && !IsCp932Text(text, length)) return false;
  int bytes = static_cast<int>(length);
  int wide = MultiByteToWideChar(from_, MB_ERR_INVALID_CHARS, text, bytes, nullptr, 0);
  if (wide <= 0) return false;
  if (to_ == from_) {
    out->append(text, length);
    return true;
  }
  wide_.resize(static_cast<size_t>(wide));
  MultiByteToWideChar(from_, MB_ERR_INVALID_CHARS, text, bytes, &wide_[0], wide);
  BOOL defaulted = FALSE;
  DWORD flags = to_ == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* used_default = to_ == CP_UTF8 ? nullptr : &defaulted;
  int size = WideCharToMultiByte(to_, flags, wide_.data(), wide, nullptr, 0, nullptr, used_default);
  if (size <= 0 || defaulted) return false;
  size_t before = out->size();
  out->resize(before + static_cast<size_t>(size));
  WideCharToMultiByte(to_, flags, wide_.data(), wide, &(*out)[before], size, nullptr, nullptr);
  return true;
}

}  // namespace varnek_host
