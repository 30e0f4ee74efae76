// The Windows calls the plug-in makes (MessageBoxA, GetOpenFileNameA,
// GetLocalTime, GetSystemTime) and their structures. On Windows these are the system's
// own; everywhere else this header declares the same names with the same
// field order and types, implemented by a stand-in (stand_in.cc) whose
// behaviour the host sets through the Varnek* setters.
#ifndef VARNEK_PLATFORM_WIN_API_H_
#define VARNEK_PLATFORM_WIN_API_H_

#ifdef _WIN32
// <windows.h> first: <commdlg.h> builds on its types, so include sorting
// must not swap them.
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on
#else
#include <cstdint>

typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef void* HWND;
typedef void* HINSTANCE;
typedef intptr_t LPARAM;
typedef uintptr_t (*LPOFNHOOKPROC)(HWND, unsigned int, uintptr_t, LPARAM);

struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  const char* lpstrFilter;
  char* lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  char* lpstrFile;
  DWORD nMaxFile;
  char* lpstrFileTitle;
  DWORD nMaxFileTitle;
  const char* lpstrInitialDir;
  const char* lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  const char* lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  const char* lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

#define MB_OK 0x00000000u
#define MB_YESNO 0x00000004u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define IDOK 1
#define IDYES 6
#define IDNO 7
#define OFN_HIDEREADONLY 0x00000004u

int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned int style);
int GetOpenFileNameA(OPENFILENAMEA* dialog);
void GetLocalTime(SYSTEMTIME* now);
void GetSystemTime(SYSTEMTIME* now);

extern "C" {
// Host-side setters of the stand-in; a null handler restores the default.
void VarnekSetMessageBox(int (*handler)(void* owner, const char* text, const char* caption,
                                        unsigned int style));
void VarnekSetOpenDialog(int (*handler)(OPENFILENAMEA* dialog));
void VarnekSetLocalTime(void (*handler)(SYSTEMTIME* now));
void VarnekSetSystemTime(void (*handler)(SYSTEMTIME* now));
}
#endif  // _WIN32

#endif  // VARNEK_PLATFORM_WIN_API_H_
