// The plug-in, loaded at run time the way a logging program loads it: by
// path with dlopen, resolving its seventeen exports and the three setters of
// its stand-in for the Windows user interface, and nothing else of it. The
// object owns the library handle; destroying it unloads the library, which
// then closes whatever reader or writer is still active.
#ifndef VARNEK_HOST_PLUGIN_LIBRARY_H_
#define VARNEK_HOST_PLUGIN_LIBRARY_H_

#include <string>

#include "platform/win_api.h"
#include "plugin/exports.h"

namespace varnek_host {

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Loads the library at `path`; on failure returns false with the reason.
  bool Load(const std::string& path, std::string* problem);
  const std::string& path() const { return path_; }

  // The exports, valid after a successful Load.
  decltype(&::GetVersionText) GetVersionText = nullptr;
  decltype(&::GetMenuName) GetMenuName = nullptr;
  decltype(&::Open) Open = nullptr;
  decltype(&::Close) Close = nullptr;
  decltype(&::GetLogType) GetLogType = nullptr;
  decltype(&::GetFieldText) GetFieldText = nullptr;
  decltype(&::MoveNext) MoveNext = nullptr;
  decltype(&::Seek) Seek = nullptr;
  decltype(&::IsEOF) IsEOF = nullptr;
  decltype(&::ListText) ListText = nullptr;
  decltype(&::GetText) GetText = nullptr;
  decltype(&::CanUpdate) CanUpdate = nullptr;
  decltype(&::Update) Update = nullptr;
  decltype(&::GetCreateFileType) GetCreateFileType = nullptr;
  decltype(&::Create) Create = nullptr;
  decltype(&::WriteText) WriteText = nullptr;
  decltype(&::CClose) CClose = nullptr;
  // The stand-in's setters.
  decltype(&::VarnekSetMessageBox) SetMessageBox = nullptr;
  decltype(&::VarnekSetOpenDialog) SetOpenDialog = nullptr;
  decltype(&::VarnekSetLocalTime) SetLocalTime = nullptr;

 private:
  template <typename Function>
  bool Resolve(const char* name, Function* target, std::string* problem);

  void* handle_ = nullptr;
  std::string path_;
};

// Where the plug-in installed with varnek lies: next to the executable, or
// in the library directory beside its bin directory. When neither holds one,
// the bare library name, for the loader's own search (RUNPATH and the like).
std::string DefaultPluginPath();

}  // namespace varnek_host

#endif  // VARNEK_HOST_PLUGIN_LIBRARY_H_
