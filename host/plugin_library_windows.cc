// PluginLibrary on Windows: LoadLibraryA of VARNEK.DLL, GetProcAddress for
// the exports, and the DLL's calls of the system's user interface and
// clock redirected to the host by rewriting its import address table, so
// that the host sees exactly what the DLL passes to Windows.

// <windows.h> first: <commdlg.h> builds on its types.
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <cstring>

#include "host/plugin_library.h"

namespace varnek_host {

const char kPluginFileName[] = "VARNEK.DLL";

namespace {

struct Interception {
  const char* module;  // the system DLL the plug-in imports the function from
  const char* function;
  unsigned bit;
};

const Interception kInterceptions[] = {
    {"USER32.DLL", "MessageBoxA", kRoutedMessageBox},
    {"COMDLG32.DLL", "GetOpenFileNameA", kRoutedOpenDialog},
    {"KERNEL32.DLL", "GetLocalTime", kRoutedLocalTime},
    {"KERNEL32.DLL", "GetSystemTime", kRoutedSystemTime},
};

const void* HookFor(const UserCalls& calls, unsigned bit) {
  switch (bit) {
    case kRoutedMessageBox:
      return reinterpret_cast<const void*>(calls.message_box);
    case kRoutedOpenDialog:
      return reinterpret_cast<const void*>(calls.open_dialog);
    case kRoutedLocalTime:
      return reinterpret_cast<const void*>(calls.local_time);
    default:
      return reinterpret_cast<const void*>(calls.system_time);
  }
}

}  // namespace

bool PluginLibrary::OpenLibrary(const std::string& path, std::string* problem) {
  handle_ = LoadLibraryA(path.c_str());
  if (handle_ != nullptr) return true;
  *problem = "cannot load the plug-in: " + path + ": LoadLibraryA failed, error " +
             std::to_string(GetLastError());
  return false;
}

void* PluginLibrary::Symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

bool PluginLibrary::CloseLibrary() { return FreeLibrary(static_cast<HMODULE>(handle_)) != 0; }

bool PluginLibrary::PatchImports(const UserCalls& calls, std::string* problem, unsigned* routed) {
  auto* base = static_cast<unsigned char*>(handle_);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return true;
  bool ok = true;
  for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       import->Name != 0; ++import) {
    const char* module_name = reinterpret_cast<const char*>(base + import->Name);
    DWORD lookup_rva = import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk;
    auto* lookup = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + lookup_rva);
    auto* address = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + import->FirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++address) {
      if (IMAGE_SNAP_BY_ORDINAL32(lookup->u1.Ordinal)) continue;
      auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
      const char* name = reinterpret_cast<const char*>(by_name->Name);
      for (const Interception& interception : kInterceptions) {
        if (std::strcmp(name, interception.function) != 0) continue;
        if (lstrcmpiA(module_name, interception.module) != 0) {
          *problem = std::string(name) + " is imported from " + module_name;
          ok = false;
          continue;
        }
        const void* hook = HookFor(calls, interception.bit);
        if (hook == nullptr) continue;
        DWORD old_protection = 0;
        VirtualProtect(&address->u1.Function, sizeof address->u1.Function, PAGE_READWRITE,
                       &old_protection);
        address->u1.Function = static_cast<DWORD>(reinterpret_cast<uintptr_t>(hook));
        VirtualProtect(&address->u1.Function, sizeof address->u1.Function, old_protection,
                       &old_protection);
        *routed |= interception.bit;
      }
    }
  }
  return ok;
}

std::string DefaultPluginPath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return kPluginFileName;
  std::string text(path, length);
  size_t separator = text.find_last_of("\\/");
  return separator == std::string::npos ? std::string(kPluginFileName)
                                        : text.substr(0, separator + 1) + kPluginFileName;
}

}  // namespace varnek_host
