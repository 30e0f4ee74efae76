// The few file-system questions and moves the varnek command makes of its
// own, beside what the plug-in does: what a path names, which entries of a
// directory carry a name in any letter case, replacing a file by another
// in one step, hard links for a way back, and why a file cannot be read,
// created or written, in the system's words. One declaration each, with a
// POSIX implementation in file_system_posix.cc and a Windows one in
// file_system_windows.cc (paths in code page 932, as the plug-in takes
// them; '\\' and '/' both separate folders there, and the reasons are the
// same English words as on POSIX systems). Nothing here keeps state.
#ifndef VARNEK_HOST_FILE_SYSTEM_H_
#define VARNEK_HOST_FILE_SYSTEM_H_

#include <cstdint>
#include <string>
#include <vector>

namespace varnek_host {

enum class PathKind {
  kMissing,    // nothing of that name (not even a dangling link)
  kRegular,    // a file on disk, or a link to one
  kDirectory,  // a folder, or a link to one
  kSpecial,    // a device, FIFO or socket, or a link to one
  kBrokenLink  // a symbolic link to nothing
};

PathKind KindOf(const std::string& path);
// True when `path` itself is a symbolic link.
bool IsSymbolicLink(const std::string& path);
// The path a symbolic link finally leads to; `path` itself when it is none
// or cannot be resolved.
std::string FinalTarget(const std::string& path);

// The directory part of `path` with its trailing separator ("" for a bare
// name) and the name after it. On Windows a drive ("C:") is a directory
// part too, and the second byte of a double-byte character is never taken
// for a separator.
std::string DirectoryPart(const std::string& path);
std::string NamePart(const std::string& path);

// The names in `directory` (as DirectoryPart gives it) equal to `name`
// when ASCII letter case is ignored, each as a path (directory + name).
std::vector<std::string> EntriesIgnoringCase(const std::string& directory, const std::string& name);

// True when both names exist and are the same file.
bool SameFile(const std::string& a, const std::string& b);
// The size of the regular file `path`; false when it is none.
bool RegularFileSize(const std::string& path, uint64_t* size);

// Puts `from` in the place of `to` in one step (an existing `to` is
// replaced, even when it is marked read-only; both lie in one directory),
// the new name written through to the disk. False with the reason.
bool ReplaceFile(const std::string& from, const std::string& to, std::string* reason);
// Gives the file `existing` the second name `link` (same directory);
// false when the system cannot.
bool LinkFile(const std::string& existing, const std::string& link);
// Removes the file; true when it is gone.
bool RemoveFile(const std::string& path);
// Gives `to` the access permissions of `from` (both exist).
void CopyPermissions(const std::string& from, const std::string& to);
// Makes sure what was written to the file is on the disk, not only in the
// system's cache. False with the reason.
bool SyncToDisk(const std::string& path, std::string* reason);

// A number that tells this run from others at the same time.
unsigned long ProcessNumber();

// Forgets the last system error, so that one seen after a plug-in call was
// made by that call.
void ForgetSystemError();
// The last system error, or 0.
int LastSystemError();

// Why the system refuses to let the file be read, created or written, in
// its words ("No such file or directory", "Is a directory"); empty when no
// reason can be told. `error_seen` is the system error a failed write left
// (LastSystemError right after it), or 0.
std::string WhyNotReadable(const std::string& path);
std::string WhyNotCreatable(const std::string& path);
std::string WhyNotWritable(const std::string& path, int error_seen);

}  // namespace varnek_host

#endif  // VARNEK_HOST_FILE_SYSTEM_H_
