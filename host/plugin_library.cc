#include "host/plugin_library.h"

namespace varnek_host {

const char* const PluginLibrary::kExportNames[kExportCount] = {
#define VARNEK_EXPORT_NAME(result, name, parameters) #name,
    VARNEK_EXPORTS(VARNEK_EXPORT_NAME)
#undef VARNEK_EXPORT_NAME
};

void* PluginLibrary::ExportAddress(int index) const {
  int i = 0;
#define VARNEK_EXPORT_ADDRESS(result, function, parameters) \
  if (i++ == index) return reinterpret_cast<void*>(function);
  VARNEK_EXPORTS(VARNEK_EXPORT_ADDRESS)
#undef VARNEK_EXPORT_ADDRESS
  return nullptr;
}

bool PluginLibrary::Load(const std::string& path, std::string* problem) {
  Unload();
  path_ = path;
  if (!OpenLibrary(path, problem)) return false;
  bool resolved = true;
#define VARNEK_RESOLVE_EXPORT(result, function, parameters)             \
  if (resolved) {                                                       \
    function = reinterpret_cast<decltype(function)>(Symbol(#function)); \
    if (function == nullptr) {                                          \
      *problem = path + " has no function " #function;                  \
      resolved = false;                                                 \
    }                                                                   \
  }
  VARNEK_EXPORTS(VARNEK_RESOLVE_EXPORT)
#undef VARNEK_RESOLVE_EXPORT
#ifndef _WIN32
  if (resolved) {
    stand_in_.set_message_box =
        reinterpret_cast<decltype(stand_in_.set_message_box)>(Symbol("VarnekSetMessageBox"));
    stand_in_.set_open_dialog =
        reinterpret_cast<decltype(stand_in_.set_open_dialog)>(Symbol("VarnekSetOpenDialog"));
    stand_in_.set_local_time =
        reinterpret_cast<decltype(stand_in_.set_local_time)>(Symbol("VarnekSetLocalTime"));
    stand_in_.set_system_time =
        reinterpret_cast<decltype(stand_in_.set_system_time)>(Symbol("VarnekSetSystemTime"));
  }
#endif
  if (!resolved) Unload();
  return resolved;
}

bool PluginLibrary::Unload() {
  bool closed = handle_ == nullptr || CloseLibrary();
  handle_ = nullptr;
  linked_ = false;
#define VARNEK_FORGET_EXPORT(result, function, parameters) function = nullptr;
  VARNEK_EXPORTS(VARNEK_FORGET_EXPORT)
#undef VARNEK_FORGET_EXPORT
#ifndef _WIN32
  stand_in_ = StandIn();
#endif
  return closed;
}

bool PluginLibrary::Intercept(const UserCalls& calls, std::string* problem, unsigned* routed) {
  unsigned done = 0;
  if (routed != nullptr) *routed = 0;
  if (!Loaded()) {
    *problem = "the plug-in is not loaded";
    return false;
  }
#ifdef _WIN32
  bool ok = PatchImports(calls, problem, &done);
#else
  const StandIn& s = stand_in_;
  bool ok = s.set_message_box != nullptr && s.set_open_dialog != nullptr &&
            s.set_local_time != nullptr && s.set_system_time != nullptr;
  if (!ok) {
    *problem = path_ + " has no stand-in for the Windows calls (VarnekSet...)";
  } else {
    s.set_message_box(calls.message_box);
    s.set_open_dialog(calls.open_dialog);
    s.set_local_time(calls.local_time);
    s.set_system_time(calls.system_time);
    done = kRoutedMessageBox | kRoutedOpenDialog | kRoutedLocalTime | kRoutedSystemTime;
  }
#endif
  if (routed != nullptr) *routed = done;
  return ok;
}

}  // namespace varnek_host
