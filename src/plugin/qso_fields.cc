#include "plugin/qso_fields.h"

#include <cstring>

#include "text/byte_text.h"
#include "text/field_split.h"

namespace varnek {

void QsoFields::Clear() {
  for (TextBuffer& slot : slots_) slot.Clear();
  for (const char*& shown : shown_) shown = nullptr;
}

const char* QsoFields::Assemble(char* buffer, int32_t size) {
  auto quoted = [](int n) { return n == kName || n == kQth || n == kRemarks; };
  // One reservation for the whole line: commas, texts and quotes.
  const char* text[kQsoFieldCount + 1];
  int32_t length[kQsoFieldCount + 1];
  int32_t total = kQsoFieldCount - 1;
  for (int n = 1; n <= kQsoFieldCount; ++n) {
    bool shown = shown_[n - 1] != nullptr;
    text[n] = shown ? shown_[n - 1] : slots_[n - 1].Str();
    length[n] = shown ? shown_length_[n - 1] : slots_[n - 1].Length();
    total += length[n] + (quoted(n) && length[n] > 0 ? 2 : 0);
  }
  line_.Clear();
  char* p = line_.Extend(total);
  for (int n = 1; n <= kQsoFieldCount; ++n) {
    if (n > 1) *p++ = ',';
    if (length[n] == 0) continue;
    bool quotes = quoted(n);
    if (quotes) *p++ = '"';
    CopyBytes(p, text[n], length[n]);
    p += length[n];
    if (quotes) *p++ = '"';
  }
  CopyToHostBuffer(buffer, size, line_.Str(), line_.Length());
  return line_.Str();
}

void CopyToHostBuffer(char* buffer, int32_t size, const char* text) {
  uint16_t limit = static_cast<uint16_t>(size & 0xFFFF);
  if (limit == 0 || buffer == nullptr) return;
  CopyBounded(buffer, text, limit - 1);
}

void CopyToHostBuffer(char* buffer, int32_t size, const char* text, int32_t length) {
  uint16_t limit = static_cast<uint16_t>(size & 0xFFFF);
  if (limit == 0 || buffer == nullptr) return;
  int32_t count = length < limit - 1 ? length : limit - 1;
  std::memcpy(buffer, text, static_cast<size_t>(count));
  buffer[count] = '\0';
}

QsoLineParts::QsoLineParts(char* line) {
  char* text = line ? line : none_;
  field[0] = none_;
  length[0] = 0;
  SplitFields(text, text + std::strlen(text), ',', &field[1], kQsoFieldCount, &length[1]);
}

}  // namespace varnek
