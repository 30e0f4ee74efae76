// What the writers do alike when they take a QSO line's remarks apart: cut
// the first of several alternative tags (REM else REM1, mQSL else REM2, ...)
// and leave out a name that only repeats the OP tag.
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

}  // namespace varnek

#endif  // VARNEK_PLUGIN_TAG_CUTS_H_
