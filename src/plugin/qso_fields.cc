#include "plugin/qso_fields.h"

#include "text/fields.h"

namespace varnek {

void QsoFields::Clear() {
  for (TextBuffer& slot : slots_) slot.Clear();
}

const char* QsoFields::Assemble(char* buffer, int32_t size) {
  line_.AssignBuffer(slots_[0]);
  for (int n = 2; n <= kQsoFieldCount; ++n) {
    line_.AppendChar(',');
    if (n == kName || n == kQth || n == kRemarks) {
      line_.AppendQuoted(Field(n));
    } else {
      line_.AppendBuffer(Field(n));
    }
  }
  CopyToHostBuffer(buffer, size, line_.Str());
  return line_.Str();
}

void CopyToHostBuffer(char* buffer, int32_t size, const char* text) {
  uint16_t limit = static_cast<uint16_t>(size & 0xFFFF);
  if (limit == 0 || buffer == nullptr) return;
  CopyBounded(buffer, text, limit - 1);
}

QsoLineParts::QsoLineParts(char* line) {
  char* rest = line ? line : none_;
  field[0] = none_;
  for (int n = 1; n <= kQsoFieldCount; ++n) {
    field[n] = none_;
    rest = SplitField(&field[n], rest, ',');
  }
}

}  // namespace varnek
