// The Windows host: VARNEK.DLL loaded by name as the logging program loads
// it, its exports found with GetProcAddress, and its imports of
// MessageBoxA, GetOpenFileNameA and GetLocalTime redirected to this host by
// rewriting the DLL's import address table, so that the host sees exactly
// what the DLL passes to Windows.

// <windows.h> first: <commdlg.h> builds on its types.
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <cstddef>
#include <cstring>

#include "windows/dialog_answer.h"
#include "windows/formats_ready.h"
#include "windows/plugin.h"

namespace scenario {

namespace {

// The host reads the dialog structure at the offsets of the 32-bit Windows
// layout; the DLL must have filled it in at the same ones.
static_assert(sizeof(void*) == 4, "the Windows host is a 32-bit program");
static_assert(offsetof(OPENFILENAMEA, lStructSize) == 0, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, nFilterIndex) == 24, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, lpstrFile) == 28, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, nMaxFile) == 32, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, lpstrInitialDir) == 44, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, Flags) == 52, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, nFileOffset) == 56, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, nFileExtension) == 58, "OPENFILENAMEA layout");
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) == 72, "OPENFILENAMEA layout");

int WINAPI HookMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  host_record.message_boxes.push_back(
      {reinterpret_cast<uintptr_t>(owner), TextOrEmpty(text), TextOrEmpty(caption), style});
  return (style & 0x0Fu) == MB_YESNO ? host_answers.yes_no : IDOK;
}

BOOL WINAPI HookGetOpenFileNameA(LPOPENFILENAMEA dialog) { return AnswerDialog(dialog); }

void WINAPI HookGetLocalTime(LPSYSTEMTIME now) {
  ++host_record.clock_reads;
  const LocalTime& clock = host_answers.clock;
  now->wYear = clock.year;
  now->wMonth = clock.month;
  now->wDayOfWeek = clock.day_of_week;
  now->wDay = clock.day;
  now->wHour = clock.hour;
  now->wMinute = clock.minute;
  now->wSecond = clock.second;
  now->wMilliseconds = clock.milliseconds;
}

struct Interception {
  const char* module;  // the system DLL the plug-in imports the function from
  const char* function;
  const void* hook;
};

const Interception kInterceptions[] = {
    {"USER32.DLL", "MessageBoxA", reinterpret_cast<const void*>(&HookMessageBoxA)},
    {"COMDLG32.DLL", "GetOpenFileNameA", reinterpret_cast<const void*>(&HookGetOpenFileNameA)},
    {"KERNEL32.DLL", "GetLocalTime", reinterpret_cast<const void*>(&HookGetLocalTime)},
};

// Rewrites the import address table entries of `module` that name one of
// the intercepted functions; returns a mask of the interceptions made (bit
// i for kInterceptions[i]).
unsigned PatchImports(HMODULE module, std::vector<std::string>* faults) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return 0;
  unsigned patched = 0;
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
      for (unsigned i = 0; i < sizeof kInterceptions / sizeof *kInterceptions; ++i) {
        const Interception& interception = kInterceptions[i];
        if (std::strcmp(name, interception.function) != 0) continue;
        if (lstrcmpiA(module_name, interception.module) != 0) {
          faults->push_back(std::string(name) + " is imported from " + module_name);
          continue;
        }
        DWORD old_protection = 0;
        VirtualProtect(&address->u1.Function, sizeof address->u1.Function, PAGE_READWRITE,
                       &old_protection);
        address->u1.Function = static_cast<DWORD>(reinterpret_cast<uintptr_t>(interception.hook));
        VirtualProtect(&address->u1.Function, sizeof address->u1.Function, old_protection,
                       &old_protection);
        patched |= 1u << i;
      }
    }
  }
  return patched;
}

}  // namespace

bool Plugin::LoadLibraryAndHooks() {
  HMODULE module = LoadLibraryA("VARNEK.DLL");
  if (module == nullptr) {
    faults_.push_back("LoadLibraryA(\"VARNEK.DLL\") failed, error " +
                      std::to_string(GetLastError()));
    return false;
  }
  handle_ = module;
  for (int i = 0; i < kExportCount; ++i) {
    exports_[i] = reinterpret_cast<void*>(GetProcAddress(module, kExportNames[i]));
    if (exports_[i] == nullptr) {
      faults_.push_back(std::string("export missing: ") + kExportNames[i]);
      return false;
    }
  }
  // MessageBoxA and GetOpenFileNameA are always imported; GetLocalTime
  // once the HAMLOG writer stamps its creation date.
  unsigned patched = PatchImports(module, &faults_);
  unsigned needed = (kFormatsReady & kHamlog) != 0 ? 7u : 3u;
  for (unsigned i = 0; i < sizeof kInterceptions / sizeof *kInterceptions; ++i) {
    if ((needed & ~patched & (1u << i)) != 0) {
      faults_.push_back(std::string(kInterceptions[i].function) + " is not in the import table");
    }
  }
  if ((needed & ~patched) != 0) return false;
  return true;
}

void Plugin::UnloadLibrary() {
  if (handle_ != nullptr && !FreeLibrary(static_cast<HMODULE>(handle_))) {
    faults_.push_back("FreeLibrary failed, error " + std::to_string(GetLastError()));
  }
  handle_ = nullptr;
}

}  // namespace scenario
