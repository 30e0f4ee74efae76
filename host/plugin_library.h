// PluginLibrary: the plug-in loaded the way a logging program loads it, by
// path at run time (dlopen of libvarnek.so; LoadLibraryA of VARNEK.DLL on
// Windows), with its seventeen exports resolved by name and nothing else of
// it. It is the one loader of every host in the project: the varnek
// command, the test hosts, the benchmark, the fuzz targets (which bind the
// exports they link in) and the Windows scenario host.
//
// The plug-in turns to the user and the clock through four Windows calls.
// Intercept routes them to the host: on Windows by rewriting the DLL's
// import table, elsewhere through the setters of the stand-in layer.
//
// The object owns the library handle; Unload (or destruction) unloads the
// library, which then closes whatever reader or writer is still active.
#ifndef VARNEK_HOST_PLUGIN_LIBRARY_H_
#define VARNEK_HOST_PLUGIN_LIBRARY_H_

#include <string>

#include "platform/win_api.h"
#include "plugin/exports.h"

namespace varnek_host {

// The calling convention of the system functions the plug-in calls, which
// a host's answers must have.
#ifdef _WIN32
#define VARNEK_USER_CALL WINAPI
#else
#define VARNEK_USER_CALL
#endif

// The host's answers to the plug-in's calls of MessageBoxA,
// GetOpenFileNameA, GetLocalTime and GetSystemTime. A null member leaves
// that call to the system (the stand-in's default elsewhere).
struct UserCalls {
  int(VARNEK_USER_CALL* message_box)(HWND owner, const char* text, const char* caption,
                                     unsigned int style) = nullptr;
  int(VARNEK_USER_CALL* open_dialog)(OPENFILENAMEA* dialog) = nullptr;
  void(VARNEK_USER_CALL* local_time)(SYSTEMTIME* now) = nullptr;
  void(VARNEK_USER_CALL* system_time)(SYSTEMTIME* now) = nullptr;
};

// Bits of what Intercept routed, in the order of UserCalls.
enum RoutedCall : unsigned {
  kRoutedMessageBox = 1u << 0,
  kRoutedOpenDialog = 1u << 1,
  kRoutedLocalTime = 1u << 2,
  kRoutedSystemTime = 1u << 3,
};

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary() { Unload(); }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Loads the library at `path` and resolves the exports; on failure
  // returns false with the reason (the library is not kept).
  bool Load(const std::string& path, std::string* problem);
  // Unloads it (the library's detach runs); the exports become null. False
  // when the system reported a failure to unload.
  bool Unload();
  bool Loaded() const { return handle_ != nullptr || linked_; }
  const std::string& path() const { return path_; }

  // Routes the plug-in's calls to `calls`. False, with the reason, when one
  // could not be routed (a stand-in without its setters, a function
  // imported from another DLL than the system's). `routed` receives the
  // RoutedCall bits of the calls now routed: on Windows only those the DLL
  // imports, since it never makes the others.
  bool Intercept(const UserCalls& calls, std::string* problem, unsigned* routed = nullptr);

  // The exports, valid while the library is loaded.
#define VARNEK_EXPORT_MEMBER(result, name, parameters) decltype(&::name) name = nullptr;
  VARNEK_EXPORTS(VARNEK_EXPORT_MEMBER)
#undef VARNEK_EXPORT_MEMBER

  // The exports by number, for hosts that make the calls their own way.
  static constexpr int kExportCount = 0
#define VARNEK_COUNT_EXPORT(result, name, parameters) +1
      VARNEK_EXPORTS(VARNEK_COUNT_EXPORT)
#undef VARNEK_COUNT_EXPORT
      ;
  static const char* const kExportNames[kExportCount];
  void* ExportAddress(int index) const;

#ifndef _WIN32
  // The stand-in layer's setters (null: answered by its defaults).
  struct StandIn {
    decltype(&::VarnekSetMessageBox) set_message_box = nullptr;
    decltype(&::VarnekSetOpenDialog) set_open_dialog = nullptr;
    decltype(&::VarnekSetLocalTime) set_local_time = nullptr;
    decltype(&::VarnekSetSystemTime) set_system_time = nullptr;
  };
  // For a program that links the plug-in in (linked_plugin.h): the exports
  // are already set; these are its setters.
  void BindLinked(const StandIn& stand_in) {
    linked_ = true;
    stand_in_ = stand_in;
  }
#endif

 private:
  // Platform parts: the library itself and its symbols.
  bool OpenLibrary(const std::string& path, std::string* problem);
  void* Symbol(const char* name) const;
  bool CloseLibrary();
#ifdef _WIN32
  // Rewrites the DLL's import address table.
  bool PatchImports(const UserCalls& calls, std::string* problem, unsigned* routed);
#else
  StandIn stand_in_;
#endif

  void* handle_ = nullptr;
  bool linked_ = false;
  std::string path_;
};

// The plug-in's file name: libvarnek.so, or VARNEK.DLL on Windows.
extern const char kPluginFileName[];

// Where the plug-in installed with the varnek command lies: next to the
// executable, or in the library directory beside its bin directory. When
// neither holds one, the bare library name, for the loader's own search.
std::string DefaultPluginPath();

}  // namespace varnek_host

#endif  // VARNEK_HOST_PLUGIN_LIBRARY_H_
