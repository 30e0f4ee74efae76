// What the writers do alike when they take a QSO line's remarks apart: cut
// the first of several alternative tags (REM else REM1, mQSL else REM2, ...)
// and leave out a name that only repeats the OP tag. Also the date pieces
// the text writers take from a YY/MM/DD field.
#ifndef VARNEK_PLUGIN_TAG_CUTS_H_
#define VARNEK_PLUGIN_TAG_CUTS_H_

#include <initializer_list>

#include "text/text_buffer.h"

namespace varnek {

// Cuts the first of `keywords` that is present (in the order given) out of
// `remarks`; its value lands in `value`. Later alternatives stay in the text.
// Returns false when none is present.
bool CutFirstTag(TextBuffer& remarks, TextBuffer& value,
                 std::initializer_list<const char*> keywords);

// Makes *name empty when it is not empty and equals, byte for byte, the
// value of the OP tag in `remarks`. The tag itself stays in the remarks.
void DropNameRepeatingOperator(char** name, const TextBuffer& remarks, TextBuffer& value);

// Cuts the first of `keywords` that is present and appends its value to
// `out`; appends nothing when none is present.
bool MoveFirstTag(TextBuffer& remarks, TextBuffer& value, TextBuffer& out,
                  std::initializer_list<const char*> keywords);

// Cuts the first of `keywords` that is present and trims its value of
// leading and trailing spaces and tabs.
bool CutFirstTagTrimmed(TextBuffer& remarks, TextBuffer& value,
                        std::initializer_list<const char*> keywords);

// Appends the end time of the QSO: the value of the END tag, which is cut,
// or else `start_time`.
void AppendEndTime(TextBuffer& out, TextBuffer& remarks, TextBuffer& value, const char* start_time);

// Appends a YY/MM/DD date as its pieces: bytes 1-2, bytes 4-5 and bytes 7
// to the end, `joint` between them (none for a zero byte), whatever the
// separators are. A shorter date gives the pieces it holds; nothing outside
// the date text is read.
void AppendDatePieces(TextBuffer& out, const char* date, char joint);

}  // namespace varnek

#endif  // VARNEK_PLUGIN_TAG_CUTS_H_
