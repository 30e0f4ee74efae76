#include "plugin/qso_fields.h"

#include <cstring>

#include "text/fields.h"

namespace varnek {

void QsoFields::Clear() {
  for (TextBuffer& slot : slots_) slot.Clear();
}

const char* QsoFields::Assemble(char* buffer, int32_t size) {
  auto quoted = [](int n) { return n == kName || n == kQth || n == kRemarks; };
  // One reservation for the whole line: commas, texts and quotes.
  int32_t total = kQsoFieldCount - 1;
  for (int n = 1; n <= kQsoFieldCount; ++n) {
    int32_t length = Field(n).Length();
    total += length + (quoted(n) && length > 0 ? 2 : 0);
  }
  line_.Clear();
  char* p = line_.Extend(total);
  for (int n = 1; n <= kQsoFieldCount; ++n) {
    if (n > 1) *p++ = ',';
    const TextBuffer& slot = Field(n);
    int32_t length = slot.Length();
    if (length == 0) continue;
    bool quotes = quoted(n);
    if (quotes) *p++ = '"';
    std::memcpy(p, slot.Str(), static_cast<size_t>(length));
    p += length;
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
