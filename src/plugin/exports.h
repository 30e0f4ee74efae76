// The seventeen functions a host calls, exported under their plain names
// with the C calling convention (cdecl). Texts are zero-terminated code page
// 932 bytes. Texts returned to the host belong to the plug-in: the file name
// from Open lives as long as its reader, every other reader text until the
// next reader call. Without an active reader or writer the reader and
// writer functions do nothing and return 0 or null (IsEOF answers 1: there
// is no record).
//
// VARNEK_EXPORTS is the one list of them, in the order of the module
// definition file: every host that loads the plug-in resolves its exports
// from it, and a test compares it with varnek.def.
#ifndef VARNEK_PLUGIN_EXPORTS_H_
#define VARNEK_PLUGIN_EXPORTS_H_

#include <cstdint>

#ifdef _WIN32
#define VARNEK_CALL __cdecl
#define VARNEK_EXPORT
#else
#define VARNEK_CALL
#define VARNEK_EXPORT __attribute__((visibility("default")))
#endif

// X(result type, name, parameter list)
#define VARNEK_EXPORTS(X)                                               \
  X(const char*, GetVersionText, (void))                                \
  X(const char*, GetMenuName, (void))                                   \
  X(const char*, Open, (int32_t unused, void* owner, const char* path)) \
  X(int32_t, Close, (void))                                             \
  X(int16_t, GetLogType, (void))                                        \
  X(const char*, GetFieldText, (int32_t column))                        \
  X(int32_t, MoveNext, (void))                                          \
  X(int32_t, Seek, (int32_t record))                                    \
  X(int32_t, IsEOF, (void))                                             \
  X(const char*, ListText, (char* buffer, int32_t size))                \
  X(const char*, GetText, (int32_t unused))                             \
  X(int32_t, CanUpdate, (int32_t unused))                               \
  X(int32_t, Update, (int32_t unused, const char* mark))                \
  X(const char*, GetCreateFileType, (void))                             \
  X(int32_t, Create, (const char* name))                                \
  X(int32_t, WriteText, (char* line))                                   \
  X(int32_t, CClose, (void))

extern "C" {
#define VARNEK_DECLARE_EXPORT(result, name, parameters) \
  VARNEK_EXPORT result VARNEK_CALL name parameters;
VARNEK_EXPORTS(VARNEK_DECLARE_EXPORT)
#undef VARNEK_DECLARE_EXPORT
}

#endif  // VARNEK_PLUGIN_EXPORTS_H_
