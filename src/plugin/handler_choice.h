// Which handler class serves a file, chosen by its extension (letter case
// ignored) through the table of formats: one choice for reading, one for
// writing. An extension no row names is served by the CSV/text handler.
#ifndef VARNEK_PLUGIN_HANDLER_CHOICE_H_
#define VARNEK_PLUGIN_HANDLER_CHOICE_H_

#include "formats/format_table.h"
#include "plugin/log_handler.h"

namespace varnek {

// A new handler of the format's class; the caller owns it.
LogHandler* NewHandler(FormatId format);

// `extension` without its dot ("l2", "DBS", "" ...). The caller owns the
// new object.
inline LogHandler* NewReaderFor(const char* extension) {
  return NewHandler(FormatForReading(extension).id);
}
inline LogHandler* NewWriterFor(const char* extension) {
  return NewHandler(FormatForWriting(extension).id);
}

}  // namespace varnek

#endif  // VARNEK_PLUGIN_HANDLER_CHOICE_H_
