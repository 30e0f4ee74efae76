// Stand-in for the Windows user interface calls on other platforms. The
// defaults suit a batch run: message boxes go to standard error and answer
// OK (Yes for a Yes/No box), the file dialog accepts the initial directory
// plus the initial file name when there is one, and the clocks are the
// system's local time and UTC.
#ifndef _WIN32

#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/dialog_choice.h"
#include "platform/win_api.h"
#include "plugin/exports.h"

namespace {

int (*message_box_handler)(void*, const char*, const char*, unsigned int) = nullptr;
int (*open_dialog_handler)(OPENFILENAMEA*) = nullptr;
void (*local_time_handler)(SYSTEMTIME*) = nullptr;
void (*system_time_handler)(SYSTEMTIME*) = nullptr;

int DefaultMessageBox(const char* text, const char* caption, unsigned int style) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  return (style & 0x0Fu) == MB_YESNO ? IDYES : IDOK;
}

int DefaultOpenDialog(OPENFILENAMEA* dialog) {
  if (dialog->lpstrFile == nullptr || dialog->lpstrFile[0] == '\0') return 0;
  const char* dir = dialog->lpstrInitialDir ? dialog->lpstrInitialDir : "";
  size_t dir_length = std::strlen(dir);
  size_t name_length = std::strlen(dialog->lpstrFile);
  if (dir_length + name_length + 1 > dialog->nMaxFile || dir_length + name_length > 0xFFFF)
    return 0;
  std::memmove(dialog->lpstrFile + dir_length, dialog->lpstrFile, name_length + 1);
  std::memcpy(dialog->lpstrFile, dir, dir_length);
  return varnek::AnswerDialogWith(dialog, dialog->lpstrFile, dir_length + name_length);
}

void FromCalendar(const std::tm& calendar, SYSTEMTIME* now) {
  now->wYear = static_cast<WORD>(calendar.tm_year + 1900);
  now->wMonth = static_cast<WORD>(calendar.tm_mon + 1);
  now->wDayOfWeek = static_cast<WORD>(calendar.tm_wday);
  now->wDay = static_cast<WORD>(calendar.tm_mday);
  now->wHour = static_cast<WORD>(calendar.tm_hour);
  now->wMinute = static_cast<WORD>(calendar.tm_min);
  now->wSecond = static_cast<WORD>(calendar.tm_sec);
  now->wMilliseconds = 0;
}

void DefaultLocalTime(SYSTEMTIME* now) {
  std::time_t t = std::time(nullptr);
  std::tm local;
  localtime_r(&t, &local);
  FromCalendar(local, now);
}

void DefaultSystemTime(SYSTEMTIME* now) {
  std::time_t t = std::time(nullptr);
  std::tm utc;
  gmtime_r(&t, &utc);
  FromCalendar(utc, now);
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned int style) {
  if (message_box_handler) return message_box_handler(owner, text, caption, style);
  return DefaultMessageBox(text, caption, style);
}

int GetOpenFileNameA(OPENFILENAMEA* dialog) {
  if (open_dialog_handler) return open_dialog_handler(dialog);
  return DefaultOpenDialog(dialog);
}

void GetLocalTime(SYSTEMTIME* now) {
  if (local_time_handler) {
    local_time_handler(now);
    return;
  }
  DefaultLocalTime(now);
}

void GetSystemTime(SYSTEMTIME* now) {
  if (system_time_handler) {
    system_time_handler(now);
    return;
  }
  DefaultSystemTime(now);
}

VARNEK_EXPORT void VarnekSetMessageBox(int (*handler)(void*, const char*, const char*,
                                                      unsigned int)) {
  message_box_handler = handler;
}

VARNEK_EXPORT void VarnekSetOpenDialog(int (*handler)(OPENFILENAMEA*)) {
  open_dialog_handler = handler;
}

VARNEK_EXPORT void VarnekSetLocalTime(void (*handler)(SYSTEMTIME*)) {
  local_time_handler = handler;
}

VARNEK_EXPORT void VarnekSetSystemTime(void (*handler)(SYSTEMTIME*)) {
  system_time_handler = handler;
}

#endif  // !_WIN32
