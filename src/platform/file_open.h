// Opening a log to read (or to read and update in place): only a regular
// file is a log. A folder, a FIFO, a device or a socket is refused at once,
// on every platform, so that a reader never blocks waiting for a writer
// that will not come (a FIFO), never reads without end (/dev/zero), and
// never mistakes "cannot open" for "no first record" (a folder, which
// POSIX fopen opens). A log that may be read but not written (its mode or
// read-only attribute, a read-only mount, a CD) opens for reading alone.
// The caller owns the stream.
#ifndef VARNEK_PLATFORM_FILE_OPEN_H_
#define VARNEK_PLATFORM_FILE_OPEN_H_

#include <cstdio>

namespace varnek {

// fopen(name, mode) for mode "rb" or "r+b", or null when that fails or
// `name` is not a regular file.
std::FILE* OpenRegularFile(const char* name, const char* mode);

// OpenRegularFile(name, "rb").
inline std::FILE* OpenToRead(const char* name) { return OpenRegularFile(name, "rb"); }

// OpenRegularFile(name, "r+b"); when that fails but the file can be read,
// OpenRegularFile(name, "rb") with *read_only set. Null when neither works.
std::FILE* OpenToUpdateOrRead(const char* name, bool* read_only);

}  // namespace varnek

#endif  // VARNEK_PLATFORM_FILE_OPEN_H_
