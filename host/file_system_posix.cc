// The file-system questions and moves of file_system.h on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/file_system.h"
#include "host/file_system_common.h"

namespace varnek_host {

using namespace file_system_common;

namespace {

bool FileSystemIsFull(const std::string& directory) {
  struct statvfs info;
  return statvfs(directory.c_str(), &info) == 0 && info.f_blocks > 0 && info.f_bavail == 0;
}

bool FileSystemIsReadOnly(const std::string& directory) {
  struct statvfs info;
  return statvfs(directory.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

}  // namespace

PathKind KindOf(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    return lstat(path.c_str(), &info) == 0 ? PathKind::kBrokenLink : PathKind::kMissing;
  }
  if (S_ISREG(info.st_mode)) return PathKind::kRegular;
  if (S_ISDIR(info.st_mode)) return PathKind::kDirectory;
  return PathKind::kSpecial;
}

bool IsSymbolicLink(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string FinalTarget(const std::string& path) {
  if (!IsSymbolicLink(path)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

std::string DirectoryPart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NamePart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> EntriesIgnoringCase(const std::string& directory,
                                             const std::string& name) {
  std::vector<std::string> found;
  DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
  if (listing == nullptr) return found;
  while (const dirent* entry = readdir(listing)) {
    if (EqualIgnoringCase(name, entry->d_name)) found.push_back(directory + entry->d_name);
  }
  closedir(listing);
  return found;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool RegularFileSize(const std::string& path, uint64_t* size) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  *size = static_cast<uint64_t>(info.st_size);
  return true;
}

bool ReplaceFile(const std::string& from, const std::string& to, std::string* reason) {
  if (rename(from.c_str(), to.c_str()) != 0) {
    *reason = Reason(errno);
    return false;
  }
  // The new name is kept by the directory: on the disk only once the
  // directory is. (Some file systems cannot sync a directory; the rename
  // has happened all the same.)
  std::string directory = DirectoryPart(to);
  int fd = open(directory.empty() ? "." : directory.c_str(),
                O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  return true;
}

bool LinkFile(const std::string& existing, const std::string& link) {
  return ::link(existing.c_str(), link.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 || errno == ENOENT; }

void CopyPermissions(const std::string& from, const std::string& to) {
  struct stat info;
  if (stat(from.c_str(), &info) == 0) chmod(to.c_str(), info.st_mode & 07777);
}

bool SyncToDisk(const std::string& path, std::string* reason) {
  int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  bool ok = fd >= 0 && fsync(fd) == 0;
  if (!ok) *reason = Reason(errno);
  if (fd >= 0) close(fd);
  return ok;
}

unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }

void ForgetSystemError() { errno = 0; }

int LastSystemError() { return errno; }

std::string WhyNotReadable(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return Reason(errno);
  if (S_ISDIR(info.st_mode)) return Reason(EISDIR);
  if (!S_ISREG(info.st_mode)) return "not a regular file";
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Reason(errno);
  close(fd);
  return std::string();
}

std::string WhyNotCreatable(const std::string& path) {
  std::string directory = DirectoryToAsk(path);
  struct stat info;
  if (stat(directory.c_str(), &info) != 0) return Reason(errno);
  if (!S_ISDIR(info.st_mode)) return Reason(ENOTDIR);
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return Reason(EISDIR);
  if (FileSystemIsReadOnly(directory)) return Reason(EROFS);
  if (access(directory.c_str(), W_OK | X_OK) != 0) return Reason(errno);
  if (FileSystemIsFull(directory)) return Reason(ENOSPC);
  return std::string();
}

std::string WhyNotWritable(const std::string& path, int error_seen) {
  std::string directory = DirectoryToAsk(path);
  if (FileSystemIsReadOnly(directory)) return Reason(EROFS);
  if (access(path.c_str(), W_OK) != 0 && errno != ENOENT) return Reason(errno);
  if (IsWriteError(error_seen)) return Reason(error_seen);
  if (FileSystemIsFull(directory)) return Reason(ENOSPC);
  return std::string();
}

}  // namespace varnek_host
