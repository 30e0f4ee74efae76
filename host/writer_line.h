// The host's part between a reader and a writer: readers hand the QSO date
// (field 1) over as YYMMDD, writers take it as YY/MM/DD. Every other byte of
// the line passes unchanged.
#ifndef VARNEK_HOST_WRITER_LINE_H_
#define VARNEK_HOST_WRITER_LINE_H_

#include <string>

namespace varnek_host {

// Sets `out` to `line` with a first field of exactly six digits rewritten
// as YY/MM/DD. `out` keeps its storage between calls.
void MakeWriterLine(const char* line, std::string* out);

}  // namespace varnek_host

#endif  // VARNEK_HOST_WRITER_LINE_H_
