#include "formats/hamlog/record_fields.h"

#include "text/fields.h"

namespace varnek {
namespace hamlog {

int32_t FieldTextLength(const unsigned char* record, RecordField field) {
  const char* text = FieldText(record, field);
  int32_t length = 0;
  while (length < field.size && text[length] != '\0') ++length;
  return LengthWithoutTrailingBlanks(text, length);
}

void AppendFieldText(const unsigned char* record, RecordField field, TextBuffer& out) {
  const char* text = FieldText(record, field);
  int32_t length = FieldTextLength(record, field);
  // Nothing but blanks: the blanks that `out` ends in go as well.
  if (length == 0) {
    out.DropTrailingBlanks();
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
