#include "formats/hamlog/record_fields.h"

#include "text/fields.h"

namespace varnek {
namespace hamlog {

void AppendFieldText(const unsigned char* record, RecordField field, TextBuffer& out) {
  out.AppendN(reinterpret_cast<const char*>(record + field.offset), field.size);
  TrimTrailingBlanks(out.Edit());
  out.Resync();
}

void CopyIntoField(unsigned char* record, RecordField field, const char* text, int32_t length) {
  unsigned char* dest = record + field.offset;
  for (int32_t i = 0; i < field.size && i < length && text[i] != '\0'; ++i) {
    dest[i] = static_cast<unsigned char>(text[i]);
  }
}

}  // namespace hamlog
}  // namespace varnek
