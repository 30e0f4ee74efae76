// The file-system questions and moves of file_system.h on Windows, with
// the ANSI ("A") functions of the system: they take the plug-in's code page
// 932 paths as the plug-in's own fopen does (startup.h makes sure the ANSI
// code page is 932 for any path beyond ASCII). Windows errors are told in
// the words the C runtime has for the matching error numbers, which are
// the words POSIX systems use.
#include <windows.h>
// <windows.h> names its own ReplaceFileA so; this file defines ours.
#undef ReplaceFile

#include <cerrno>

#include "host/file_system.h"
#include "host/file_system_common.h"
#include "text/lead_byte.h"

namespace varnek_host {

using namespace file_system_common;

namespace {

constexpr char kNotRegular[] = "not a regular file";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kReplacing = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// Where the name part of `path` starts: after its last '\', '/' or the ':'
// of a drive, stepping over double-byte characters whole.
size_t NameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (varnek::IsLeadByte(&path[i]) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\' || c == '/' || (c == ':' && i == 1)) {
      start = i + 1;
    }
  }
  return start;
}

// The error number of a Windows error, or 0 when none fits.
int ErrorNumberOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
      return ENOENT;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return 0;
  }
}

std::string ReasonOf(DWORD error) {
  int number = ErrorNumberOf(error);
  return number != 0 ? Reason(number) : "Windows error " + std::to_string(error);
}

// A handle for asking about the file `path` leads to (links followed), or
// INVALID_HANDLE_VALUE.
HANDLE OpenToAsk(const std::string& path) {
  return CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                     nullptr);
}

bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
  HANDLE handle = OpenToAsk(path);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(handle, info) != 0;
  CloseHandle(handle);
  return known;
}

// The volume that holds `directory`: its flags and free space.
bool VolumeIsReadOnly(const std::string& directory) {
  char root[MAX_PATH];
  DWORD flags = 0;
  return GetVolumePathNameA(directory.c_str(), root, sizeof root) &&
         GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
         (flags & FILE_READ_ONLY_VOLUME) != 0;
}

bool VolumeIsFull(const std::string& directory) {
  ULARGE_INTEGER available, total;
  return GetDiskFreeSpaceExA(directory.c_str(), &available, &total, nullptr) &&
         total.QuadPart > 0 && available.QuadPart == 0;
}

// Whether a file may be created in `directory`, tried with a file that the
// system removes as soon as it is closed. 0, or the Windows error.
DWORD CreationRefused(const std::string& directory) {
  // `directory` ends in its separator, or is ".".
  std::string probe = directory == "." ? ".\\" : directory;
  probe += ".varnek-probe-" + std::to_string(GetCurrentProcessId());
  HANDLE handle = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(handle);
  return 0;
}

bool MarkedReadOnly(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

PathKind KindOf(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  HANDLE handle = OpenToAsk(path);
  if (handle == INVALID_HANDLE_VALUE) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return PathKind::kBrokenLink;
    // There, but not to be opened now.
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kDirectory : PathKind::kRegular;
  }
  PathKind kind = PathKind::kSpecial;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info)) {
    kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kDirectory
                                                                   : PathKind::kRegular;
  }
  CloseHandle(handle);
  return kind;
}

bool IsSymbolicLink(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string FinalTarget(const std::string& path) {
  if (!IsSymbolicLink(path)) return path;
  HANDLE handle = OpenToAsk(path);
  if (handle == INVALID_HANDLE_VALUE) return path;
  char target[MAX_PATH];
  DWORD length = GetFinalPathNameByHandleA(handle, target, sizeof target, VOLUME_NAME_DOS);
  CloseHandle(handle);
  if (length == 0 || length >= sizeof target) return path;
  std::string text(target, length);
  // "\\?\C:\..." and "\\?\UNC\server\...".
  if (text.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + text.substr(8);
  if (text.compare(0, 4, "\\\\?\\") == 0) return text.substr(4);
  return text;
}

std::string DirectoryPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string NamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::vector<std::string> EntriesIgnoringCase(const std::string& directory,
                                             const std::string& name) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((directory + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if (EqualIgnoringCase(name, entry.cFileName)) found.push_back(directory + entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  return Identity(a, &first) && Identity(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

bool RegularFileSize(const std::string& path, uint64_t* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (KindOf(path) != PathKind::kRegular ||
      !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    return false;
  }
  *size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  return true;
}

bool ReplaceFile(const std::string& from, const std::string& to, std::string* reason) {
  if (MoveFileExA(from.c_str(), to.c_str(), kReplacing)) return true;
  DWORD error = GetLastError();
  // As on POSIX systems, the folder decides whether a file may be
  // replaced, not the old file's read-only mark.
  DWORD attributes = GetFileAttributesA(to.c_str());
  if (error == ERROR_ACCESS_DENIED && MarkedReadOnly(attributes) &&
      SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
    if (MoveFileExA(from.c_str(), to.c_str(), kReplacing)) return true;
    error = GetLastError();
    SetFileAttributesA(to.c_str(), attributes);
  }
  *reason = ReasonOf(error);
  return false;
}

bool LinkFile(const std::string& existing, const std::string& link) {
  return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) != 0;
}

bool RemoveFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
  DWORD attributes = GetFileAttributesA(path.c_str());
  return MarkedReadOnly(attributes) &&
         SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) &&
         DeleteFileA(path.c_str());
}

void CopyPermissions(const std::string& from, const std::string& to) {
  // What Windows keeps of a file's permissions beside the folder's: the
  // read-only mark.
  DWORD source = GetFileAttributesA(from.c_str());
  DWORD target = GetFileAttributesA(to.c_str());
  if (source == INVALID_FILE_ATTRIBUTES || target == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(to.c_str(),
                     (target & ~FILE_ATTRIBUTE_READONLY) | (source & FILE_ATTRIBUTE_READONLY));
}

bool SyncToDisk(const std::string& path, std::string* reason) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
  if (!ok) *reason = ReasonOf(GetLastError());
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return ok;
}

unsigned long ProcessNumber() { return GetCurrentProcessId(); }

void ForgetSystemError() {
  errno = 0;
  SetLastError(0);
}

int LastSystemError() { return errno; }

std::string WhyNotReadable(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return ReasonOf(GetLastError());
  }
  switch (KindOf(path)) {
    case PathKind::kDirectory:
      return Reason(EISDIR);
    case PathKind::kSpecial:
      return kNotRegular;
    case PathKind::kMissing:
    case PathKind::kBrokenLink:
      return Reason(ENOENT);
    case PathKind::kRegular:
      break;
  }
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return ReasonOf(GetLastError());
  CloseHandle(handle);
  return std::string();
}

std::string WhyNotCreatable(const std::string& path) {
  std::string directory = DirectoryToAsk(path);
  DWORD attributes = GetFileAttributesA(directory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ReasonOf(GetLastError());
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return Reason(ENOTDIR);
  if (KindOf(path) == PathKind::kDirectory) return Reason(EISDIR);
  if (VolumeIsReadOnly(directory)) return Reason(EROFS);
  DWORD refused = CreationRefused(directory);
  if (refused != 0 && refused != ERROR_FILE_EXISTS) return ReasonOf(refused);
  if (VolumeIsFull(directory)) return Reason(ENOSPC);
  return std::string();
}

std::string WhyNotWritable(const std::string& path, int error_seen) {
  std::string directory = DirectoryToAsk(path);
  if (VolumeIsReadOnly(directory)) return Reason(EROFS);
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    if (MarkedReadOnly(attributes)) return Reason(EACCES);
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ReasonOf(GetLastError());
    CloseHandle(handle);
  }
  if (IsWriteError(error_seen)) return Reason(error_seen);
  if (VolumeIsFull(directory)) return Reason(ENOSPC);
  return std::string();
}

}  // namespace varnek_host
