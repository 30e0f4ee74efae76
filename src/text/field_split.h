// The quote-aware field splitter that takes QSO lines apart at commas and
// LOG200 records at byte 0x1E: a separator inside double quotes does not
// count, and a field wholly wrapped in quotes that ends at a separator loses
// its quotes. SplitField cuts one field; SplitFields cuts many in one pass
// (64 bytes at a time where the processor allows) with exactly the same
// results. Both work in place and allocate nothing. The separators in use
// and the double quote are never the second byte of a double-byte
// character, so the splitter needs no double-byte test.
#ifndef VARNEK_TEXT_FIELD_SPLIT_H_
#define VARNEK_TEXT_FIELD_SPLIT_H_

#include <cstdint>

namespace varnek {

// Cuts the next field off `text` at `separator` (outside double quotes).
// *field receives the field; a field wholly wrapped in quotes that ends at a
// separator loses its quotes. Returns the rest after the separator, or the
// terminating zero (further calls then yield empty fields); null when
// `text` is null (and *field is left alone).
char* SplitField(char** field, char* text, char separator);

// Cuts `count` fields off `text` into fields[0 .. count - 1], exactly as
// that many SplitField calls would, and returns the rest. `end` is the
// text's terminating zero (the text holds no other zero byte). Fields
// without a double quote are found with a fast byte search. When `lengths`
// is not null, lengths[0 .. count - 1] receive the fields' lengths.
char* SplitFields(char* text, char* end, char separator, char** fields, int count,
                  int32_t* lengths = nullptr);
namespace internal {
// The same, a field at a time (what SplitFields runs where the processor
// offers no 16-byte compares); kept callable for the tests.
char* SplitFieldsByteWise(char* text, char* end, char separator, char** fields, int count,
                          int32_t* lengths);
}  // namespace internal

}  // namespace varnek

#endif  // VARNEK_TEXT_FIELD_SPLIT_H_
