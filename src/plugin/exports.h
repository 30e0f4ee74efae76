// The seventeen functions a host calls, exported under their plain names
// with the C calling convention (cdecl). Texts are zero-terminated code page
// 932 bytes. Texts returned to the host belong to the plug-in: the file name
// from Open lives as long as its reader, every other reader text until the
// next reader call. Without an active reader or writer the reader and
// writer functions do nothing and return 0 or null (IsEOF answers 1: there
// is no record).
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

extern "C" {
VARNEK_EXPORT const char* VARNEK_CALL GetVersionText(void);
VARNEK_EXPORT const char* VARNEK_CALL GetMenuName(void);
VARNEK_EXPORT const char* VARNEK_CALL Open(int32_t unused, void* owner, const char* path);
VARNEK_EXPORT int32_t VARNEK_CALL Close(void);
VARNEK_EXPORT int16_t VARNEK_CALL GetLogType(void);
VARNEK_EXPORT const char* VARNEK_CALL GetFieldText(int32_t column);
VARNEK_EXPORT int32_t VARNEK_CALL MoveNext(void);
VARNEK_EXPORT int32_t VARNEK_CALL Seek(int32_t record);
VARNEK_EXPORT int32_t VARNEK_CALL IsEOF(void);
VARNEK_EXPORT const char* VARNEK_CALL ListText(char* buffer, int32_t size);
VARNEK_EXPORT const char* VARNEK_CALL GetText(int32_t unused);
VARNEK_EXPORT int32_t VARNEK_CALL CanUpdate(int32_t unused);
VARNEK_EXPORT int32_t VARNEK_CALL Update(int32_t unused, const char* mark);
VARNEK_EXPORT const char* VARNEK_CALL GetCreateFileType(void);
VARNEK_EXPORT int32_t VARNEK_CALL Create(const char* name);
VARNEK_EXPORT int32_t VARNEK_CALL WriteText(char* line);
VARNEK_EXPORT int32_t VARNEK_CALL CClose(void);
}

#endif  // VARNEK_PLUGIN_EXPORTS_H_
