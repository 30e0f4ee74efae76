// The formats of the plug-in, one row each: the extensions that choose it
// for reading and for writing, its entries in the open dialog's filter and
// in the save-dialog list, and what a host needs to know of its files (a
// companion file, the record layout). Everything that depends on which
// formats exist is derived from this table: the dialogs' texts and the
// filter a path preselects, the handler made for a file, and the varnek
// command's knowledge of formats.
//
// Data and lookups only, with no link to the handlers, so that the varnek
// command uses it without linking the plug-in; the plug-in makes the
// handler of a row in handler_choice.cc. The rows' order is the order of
// both dialogs' entries.
#ifndef VARNEK_FORMATS_FORMAT_TABLE_H_
#define VARNEK_FORMATS_FORMAT_TABLE_H_

#include <cstddef>
#include <cstdint>

namespace varnek {

enum class FormatId { kQirnoText, kLog200, kHamlog, kAdif, kCsv };

// A description and pattern pair of a dialog, code page 932; a null
// description means the format has no entry there.
struct DialogEntry {
  const char* description;
  const char* pattern;
};

struct FormatRow {
  FormatId id;
  const char* name;        // how the varnek command names the format
  const char* extensions;  // comma-separated, without dots ("csv,txt")
  bool reads;
  bool writes;
  // Serves every extension that no other row of its side names.
  bool fallback;
  DialogEntry open_dialog;
  DialogEntry save_dialog;
  // A second file the log consists of: the log's name with this extension
  // (it brings its dot), or null.
  const char* companion_extension;
  // Fixed-length records: the offset of record 0 and the record size; a
  // record size of 0 means text lines.
  int32_t first_record;
  int32_t record_size;
};

extern const FormatRow kFormats[];
extern const size_t kFormatCount;

// The row that reads a file whose extension (without its dot, any letter
// case) is `extension`, and the row that writes one.
const FormatRow& FormatForReading(const char* extension);
const FormatRow& FormatForWriting(const char* extension);

// True when `extension` is one of the row's extensions, letter case of
// ASCII letters ignored.
bool HasExtension(const FormatRow& row, const char* extension);

}  // namespace varnek

#endif  // VARNEK_FORMATS_FORMAT_TABLE_H_
