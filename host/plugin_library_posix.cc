// PluginLibrary on POSIX systems: dlopen of libvarnek.so.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "host/plugin_library.h"

#ifndef VARNEK_LIBRARY_DIR_FROM_BIN
#define VARNEK_LIBRARY_DIR_FROM_BIN "../lib"
#endif

namespace varnek_host {

const char kPluginFileName[] = "libvarnek.so";

namespace {

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The directory of the running executable, with its trailing '/'; empty
// when it cannot be told.
std::string ExecutableDirectory() {
  std::vector<char> path(4096);
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return std::string();
  std::string text(path.data(), static_cast<size_t>(length));
  size_t slash = text.rfind('/');
  return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

}  // namespace

bool PluginLibrary::OpenLibrary(const std::string& path, std::string* problem) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ != nullptr) return true;
  const char* reason = dlerror();
  *problem = "cannot load the plug-in: " + std::string(reason ? reason : path.c_str());
  return false;
}

void* PluginLibrary::Symbol(const char* name) const { return dlsym(handle_, name); }

bool PluginLibrary::CloseLibrary() { return dlclose(handle_) == 0; }

std::string DefaultPluginPath() {
  std::string directory = ExecutableDirectory();
  if (!directory.empty()) {
    for (const std::string& candidate :
         {directory + kPluginFileName,
          directory + VARNEK_LIBRARY_DIR_FROM_BIN + "/" + kPluginFileName,
          directory + "../lib/" + kPluginFileName}) {
      if (IsRegularFile(candidate)) return candidate;
    }
  }
  return kPluginFileName;
}

}  // namespace varnek_host
