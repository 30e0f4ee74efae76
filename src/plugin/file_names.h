// File-name routines: the extension after the last full stop (never the
// first byte, not stopping at directory separators), and its replacement.
#ifndef VARNEK_PLUGIN_FILE_NAMES_H_
#define VARNEK_PLUGIN_FILE_NAMES_H_

#include "text/text_buffer.h"

namespace varnek {

// Pointer into `name` after its extension dot, or to an empty text.
const char* GetExtension(const char* name);
// Replaces everything from the extension dot on with `extension` (which
// brings its own dot), or appends it when there is none.
void ReplaceExtension(TextBuffer& name, const char* extension);
// Case-insensitive comparison of ASCII letters; other bytes must be equal.
bool EqualsIgnoringCase(const char* a, const char* b);

}  // namespace varnek

#endif  // VARNEK_PLUGIN_FILE_NAMES_H_
