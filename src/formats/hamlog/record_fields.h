// Texts in and out of the fixed, space-padded fields of a 58-byte record
// image. Neither direction ever passes the end of its field: a record
// holds no terminators, and a text longer than its field is cut, never
// inside a double-byte character.
#ifndef VARNEK_FORMATS_HAMLOG_RECORD_FIELDS_H_
#define VARNEK_FORMATS_HAMLOG_RECORD_FIELDS_H_

#include <cstdint>

#include "formats/hamlog/hamlog_layout.h"
#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

// What a field's text loses at its end: the mode and name lose spaces and
// tabs, the other texts spaces only.
enum class Trailing { kSpaces, kSpacesAndTabs };

// The field's text: its bytes up to the first zero byte, without the
// trailing bytes `trailing` names. Returns its length; the text starts at
// the field.
int32_t FieldTextLength(const unsigned char* record, RecordField field, Trailing trailing);
inline const char* FieldText(const unsigned char* record, RecordField field) {
  return reinterpret_cast<const char*>(record + field.offset);
}

// Appends the field's text without its trailing spaces (tabs stay).
void AppendFieldText(const unsigned char* record, RecordField field, TextBuffer& out);

// Copies the text (to its end, at most `length` bytes) into the field; the
// bytes after it keep what they held. A text longer than the field is cut
// on a character boundary (the byte a split character would have taken
// keeps what it held). Returns false when the cut lost more than blanks.
bool CopyIntoField(unsigned char* record, RecordField field, const char* text,
                   int32_t length = INT32_MAX);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_RECORD_FIELDS_H_
