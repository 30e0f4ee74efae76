#include "formats/hamlog/record_fields.h"

#include "text/fields.h"

namespace varnek {
namespace hamlog {

void AppendFieldText(const unsigned char* record, RecordField field, TextBuffer& out) {
  const char* text = reinterpret_cast<const char*>(record + field.offset);
  int32_t length = 0;
  while (length < field.size && text[length] != '\0') ++length;
  while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) --length;
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
