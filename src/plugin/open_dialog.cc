#include "plugin/open_dialog.h"

#include <cstring>

#include "platform/win_api.h"
#include "plugin/dialog_texts.h"
#include "plugin/messages.h"
#include "text/lead_byte.h"

namespace varnek {

namespace {

constexpr DWORD kDialogStructSize = 76;  // the first, shorter form
constexpr DWORD kFileBufferSize = 512;
struct PathParts {
  size_t directory_end = 0;    // drive and directory: [0, directory_end)
  size_t extension_start = 0;  // the '.' of the extension, or the end
  size_t end = 0;
};

// Splits a path into drive + directory, base name and extension, stepping
// over double-byte characters whole.
PathParts SplitPath(const char* path) {
  PathParts parts;
  parts.end = std::strlen(path);
  size_t last_separator = 0;
  bool has_separator = false;
  size_t last_dot = 0;
  bool has_dot = false;
  for (size_t i = 0; i < parts.end; ++i) {
    if (IsLeadByte(path + i)) {
      if (i + 1 < parts.end) ++i;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/') {
      last_separator = i;
      has_separator = true;
      has_dot = false;
    } else if (path[i] == '.') {
      last_dot = i;
      has_dot = true;
    }
  }
  size_t name_start = has_separator ? last_separator + 1 : 0;
  if (!has_separator && parts.end >= 2 && path[1] == ':') name_start = 2;
  parts.directory_end = name_start;
  parts.extension_start = has_dot && last_dot >= name_start ? last_dot : parts.end;
  return parts;
}

}  // namespace

bool ChooseLogFile(void* owner, const char* initial_path, ChosenFile* chosen) {
  char file[kFileBufferSize] = {};
  TextBuffer directory;
  DWORD filter_index = AllFilesFilterIndex();
  if (initial_path != nullptr) {
    PathParts parts = SplitPath(initial_path);
    directory.AppendN(initial_path, static_cast<int32_t>(parts.directory_end));
    size_t name_length = parts.end - parts.directory_end;
    if (name_length > kFileBufferSize - 1) name_length = kFileBufferSize - 1;
    std::memcpy(file, initial_path + parts.directory_end, name_length);
    file[name_length] = '\0';
    filter_index = OpenFilterIndexFor(initial_path + parts.extension_start);
  }

  OPENFILENAMEA dialog;
  std::memset(&dialog, 0, sizeof dialog);
  dialog.lStructSize = kDialogStructSize;
  dialog.hwndOwner = static_cast<HWND>(owner);
  dialog.lpstrFilter = OpenDialogFilter();
  dialog.nFilterIndex = filter_index;
  dialog.lpstrFile = file;
  dialog.nMaxFile = kFileBufferSize;
  dialog.lpstrInitialDir = directory.Str();
  dialog.lpstrTitle = kOpenDialogTitle;
  dialog.Flags = OFN_HIDEREADONLY;
  if (GetOpenFileNameA(&dialog) != 1) return false;

  file[kFileBufferSize - 1] = '\0';
  chosen->path.Assign(file);
  size_t extension_at = dialog.nFileExtension;
  size_t length = std::strlen(file);
  // 0 stands for a name that ends in '.': no extension, as for none at all.
  chosen->extension.Assign(extension_at != 0 && extension_at <= length ? file + extension_at : "");
  return true;
}

}  // namespace varnek
