#include "formats/hamlog/record_fields.h"

#include "text/fields.h"

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

int32_t FieldTextLength(const unsigned char* record, RecordField field) {
  const char* text = FieldText(record, field);
  return LengthWithoutTrailingBlanks(text, HeldLength(text, field));
}

void AppendFieldText(const unsigned char* record, RecordField field, TextBuffer& out) {
  const char* text = FieldText(record, field);
  int32_t length = HeldLength(text, field);
  while (length > 0 && text[length - 1] == ' ') --length;
  // Nothing but spaces: the spaces that `out` ends in go as well.
  if (length == 0) {
    while (!out.Empty() && out.Str()[out.Length() - 1] == ' ') out.Truncate(out.Length() - 1);
  } else {
    out.AppendBytes(text, length);
  }
}

void CopyIntoField(unsigned char* record, RecordField field, const char* text, int32_t length) {
  unsigned char* dest = record + field.offset;
  for (int32_t i = 0; i < field.size && i < length && text[i] != '\0'; ++i) {
    dest[i] = static_cast<unsigned char>(text[i]);
  }
}

}  // namespace hamlog
}  // namespace varnek
