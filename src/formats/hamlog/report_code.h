// The RST field of a HAMLOG record: two signal reports (his, then mine),
// each a number byte (the first two digits) and a character byte (the
// third character, kept only for modes other than SSB, AM and FM).
#ifndef VARNEK_FORMATS_HAMLOG_REPORT_CODE_H_
#define VARNEK_FORMATS_HAMLOG_REPORT_CODE_H_

#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

// Sets the two bytes at `pair` from a report text for a QSO in `mode`. A
// report that does not begin with a number stores 59; the character byte
// is left alone for a short report or a voice mode, and for a third
// character that is double-byte. Returns false when the pair cannot give
// the report back as it was given: blanks at its end aside, and but for the
// third character a voice mode has no use for. An empty report is the
// format's 59 and loses nothing.
bool EncodeReport(const char* report, const char* mode, unsigned char* pair);

// Replaces `out` with the report the two bytes hold ("%02u" of the number,
// then the character unless it is a space or zero).
void DecodeReport(const unsigned char* pair, TextBuffer& out);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_REPORT_CODE_H_
