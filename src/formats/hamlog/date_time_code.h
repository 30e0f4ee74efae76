// The DATE (year, month, day) and TIME (hour, minute) bytes of a HAMLOG
// record. A two-digit year below 50 carries bit 7; bit 7 of the minute byte
// says the record holds UTC, which reads back moved nine hours into JST.
// The writer always stores JST.
#ifndef VARNEK_FORMATS_HAMLOG_DATE_TIME_CODE_H_
#define VARNEK_FORMATS_HAMLOG_DATE_TIME_CODE_H_

#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

// Sets the DATE bytes of `record` from a "YY/MM/DD" text (three unsigned
// numbers, year first). Returns false, the bytes untouched, when the text
// does not read that way.
bool EncodeDate(const char* text, unsigned char* record);
// Sets the TIME bytes from an "HHMM" text read as one unsigned number.
// Returns false, the bytes untouched, when it is not a number.
bool EncodeTime(const char* text, unsigned char* record);

// Replaces `date` with YYMMDD and `time` with HHMM of the record, in JST.
void DecodeDateTime(const unsigned char* record, TextBuffer& date, TextBuffer& time);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_DATE_TIME_CODE_H_
