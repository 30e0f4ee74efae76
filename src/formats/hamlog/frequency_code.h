// The 4-byte FREQ field of a HAMLOG record. A frequency of up to four
// characters is stored as text; a longer one (at most seven characters) is
// packed: a 24-bit number made of its digits, with its length and the place
// of its decimal point in the fourth byte (bit 7 set marks the packed form).
#ifndef VARNEK_FORMATS_HAMLOG_FREQUENCY_CODE_H_
#define VARNEK_FORMATS_HAMLOG_FREQUENCY_CODE_H_

#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

constexpr int kFrequencySize = 4;

// Fills the four bytes at `field` from a frequency text. A long text that
// does not begin with a digit is stored as text, its first four bytes of
// whole characters. Returns false when the bytes do not give the text back as
// it was given (trailing blanks and one trailing point aside): a text cut
// short, or one the packing cannot hold, such as 0.475 or 10368.125.
bool EncodeFrequency(const char* text, unsigned char* field);

// Replaces `out` with the frequency the four bytes hold, without trailing
// blanks or a trailing point.
void DecodeFrequency(const unsigned char* field, TextBuffer& out);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_FREQUENCY_CODE_H_
