#include "host/plugin_library.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#ifndef VARNEK_LIBRARY_DIR_FROM_BIN
#define VARNEK_LIBRARY_DIR_FROM_BIN "../lib"
#endif

namespace varnek_host {

namespace {

constexpr char kPluginFileName[] = "libvarnek.so";

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

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

template <typename Function>
bool PluginLibrary::Resolve(const char* name, Function* target, std::string* problem) {
  void* symbol = dlsym(handle_, name);
  if (symbol == nullptr) {
    *problem = path_ + " has no function " + name;
    return false;
  }
  *target = reinterpret_cast<Function>(symbol);
  return true;
}

bool PluginLibrary::Load(const std::string& path, std::string* problem) {
  path_ = path;
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    *problem = "cannot load the plug-in: " + std::string(reason ? reason : path.c_str());
    return false;
  }
  return Resolve("GetVersionText", &GetVersionText, problem) &&
         Resolve("GetMenuName", &GetMenuName, problem) && Resolve("Open", &Open, problem) &&
         Resolve("Close", &Close, problem) && Resolve("GetLogType", &GetLogType, problem) &&
         Resolve("GetFieldText", &GetFieldText, problem) &&
         Resolve("MoveNext", &MoveNext, problem) && Resolve("Seek", &Seek, problem) &&
         Resolve("IsEOF", &IsEOF, problem) && Resolve("ListText", &ListText, problem) &&
         Resolve("GetText", &GetText, problem) && Resolve("CanUpdate", &CanUpdate, problem) &&
         Resolve("Update", &Update, problem) &&
         Resolve("GetCreateFileType", &GetCreateFileType, problem) &&
         Resolve("Create", &Create, problem) && Resolve("WriteText", &WriteText, problem) &&
         Resolve("CClose", &CClose, problem) &&
         Resolve("VarnekSetMessageBox", &SetMessageBox, problem) &&
         Resolve("VarnekSetOpenDialog", &SetOpenDialog, problem) &&
         Resolve("VarnekSetLocalTime", &SetLocalTime, problem);
}

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
