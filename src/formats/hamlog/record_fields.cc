#include "formats/hamlog/record_fields.h"

#include <cstring>

#include "text/byte_text.h"
#include "text/lead_byte.h"

namespace varnek {
namespace hamlog {

namespace {

// The field's bytes up to its first zero byte.
int32_t HeldLength(const char* text, RecordField field) {
  int32_t length = 0;
  while (length < field.size && text[length] != '\0') ++length;
  return length;
}

}  // namespace

int32_t FieldTextLength(const unsigned char* record, RecordField field, Trailing trailing) {
  const char* text = FieldText(record, field);
  int32_t length = HeldLength(text, field);
  if (trailing == Trailing::kSpacesAndTabs) return LengthWithoutTrailingBlanks(text, length);
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

void AppendFieldText(const unsigned char* record, RecordField field, TextBuffer& out) {
  out.AppendBytes(FieldText(record, field), FieldTextLength(record, field, Trailing::kSpaces));
}

bool CopyIntoField(unsigned char* record, RecordField field, const char* text, int32_t length) {
  int32_t held = 0;
  while (held < length && text[held] != '\0') ++held;
  int32_t kept = WholeCharacterLength(text, held, field.size);
  std::memcpy(record + field.offset, text, static_cast<size_t>(kept));
  return LengthWithoutTrailingBlanks(text, held) <= kept;
}

}  // namespace hamlog
}  // namespace varnek
