// The start of the varnek command on Windows: the command line as UTF-16,
// each argument converted into code page 932 without look-alike characters.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "host/startup.h"

namespace varnek_host {

namespace {

constexpr UINT kCodePage932 = 932;

// `word` in code page 932, '?' for what it cannot hold; false when there
// was such a character.
bool ToCodePage932(const wchar_t* word, std::string* text) {
  text->clear();
  int size = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, word, -1, nullptr, 0, nullptr,
                                 nullptr);
  if (size <= 1) return size == 1;
  text->resize(static_cast<size_t>(size));
  BOOL defaulted = FALSE;
  WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, word, -1, &(*text)[0], size, "?",
                      &defaulted);
  text->resize(static_cast<size_t>(size - 1));
  return !defaulted;
}

}  // namespace

bool TakeArguments(int, char**, std::vector<std::string>* arguments, std::string* problem) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) {
    *problem = "cannot read the command line";
    return false;
  }
  arguments->clear();
  bool taken = true;
  std::string text;
  for (int i = 1; i < count && taken; ++i) {
    taken = ToCodePage932(words[i], &text);
    if (taken) {
      arguments->push_back(text);
    } else {
      *problem = "'" + text +
                 "' cannot be passed to the plug-in: code page 932 has no form for the "
                 "characters shown as '?'";
    }
  }
  LocalFree(words);
  return taken;
}

std::string TerminalCodeset() { return "CP932"; }

bool PluginCanName(const std::string& path, std::string* problem) {
  UINT code_page = GetACP();
  if (code_page == kCodePage932) return true;
  for (char c : path) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      *problem = "'" + path +
                 "' cannot be opened by the plug-in: it takes file names in the ANSI code page, "
                 "which is " +
                 std::to_string(code_page) + " here, not 932";
      return false;
    }
  }
  return true;
}

}  // namespace varnek_host
