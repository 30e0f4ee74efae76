// Opening a file to read, as the Windows C runtime does it everywhere: a
// folder is not a file that can be opened. (Elsewhere fopen hands out a
// stream for a folder whose reads then fail, which would turn "cannot
// open" into "no first record".) The caller owns the stream.
#ifndef VARNEK_PLATFORM_FILE_OPEN_H_
#define VARNEK_PLATFORM_FILE_OPEN_H_

#include <cstdio>

namespace varnek {

// fopen(name, "rb"), or null when it fails or names a folder.
std::FILE* OpenToRead(const char* name);

}  // namespace varnek

#endif  // VARNEK_PLATFORM_FILE_OPEN_H_
