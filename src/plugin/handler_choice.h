// Which handler class serves a file, chosen by its extension (letter case
// ignored) from two small tables: one for reading, one for writing. Any
// extension not in a table is served by the CSV/text handler.
#ifndef VARNEK_PLUGIN_HANDLER_CHOICE_H_
#define VARNEK_PLUGIN_HANDLER_CHOICE_H_

#include "plugin/log_handler.h"

namespace varnek {

// `extension` without its dot ("l2", "DBS", "" ...). The caller owns the
// new object.
LogHandler* NewReaderFor(const char* extension);
LogHandler* NewWriterFor(const char* extension);

}  // namespace varnek

#endif  // VARNEK_PLUGIN_HANDLER_CHOICE_H_
