// The host side shared by the fuzz targets: the plug-in is linked in
// statically and driven through its exports exactly as a logging program
// drives it. This file owns a scratch directory (one per process, removed at
// exit), answers the plug-in's message boxes silently, its file dialog with
// the file a target wrote and its clock with a fixed date, and runs a whole
// reading session (open, list every record, read and set the QSL mark, seek
// forwards and backwards, close) while checking what the exports promise.
// A broken promise aborts, so the fuzzer keeps the input.
#ifndef VARNEK_FUZZ_FUZZ_HOST_H_
#define VARNEK_FUZZ_FUZZ_HOST_H_

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "host/plugin_library.h"

#define FUZZ_CHECK(condition)                                              \
  do {                                                                     \
    if (!(condition)) ::varnek_fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (0)

namespace varnek_fuzz {

[[noreturn]] void Fail(const char* condition, const char* file, int line);

// Installs the silent host once; returns the scratch directory (no slash
// at the end).
const std::string& Host();
// The plug-in linked into the target, driven through its exports.
varnek_host::PluginLibrary& Plugin();
// What the next Yes/No question is answered with.
void AnswerQuestionsWith(bool yes);
// Message boxes shown and questions asked so far in this process.
int WarningsShown();
int QuestionsAsked();

void WriteBytes(const std::string& path, const uint8_t* data, size_t size);
void WriteBytes(const std::string& path, const std::string& bytes);
// The file's bytes; an empty text when it does not exist.
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
void Remove(const std::string& path);

// A small deterministic generator seeded from the input.
class Choices {
 public:
  Choices(const uint8_t* data, size_t size);
  uint32_t Next();
  uint32_t Below(uint32_t bound) { return bound == 0 ? 0 : Next() % bound; }

 private:
  uint64_t state_;
};

struct SessionReport {
  bool opened = false;
  bool can_update = false;
  int32_t records_listed = 0;
  // Records that were current (the last positioning succeeded) when the
  // host asked to change their QSL mark.
  std::set<int32_t> updated;
};

// Chooses `path` in the dialog and runs a whole reading session on it.
SessionReport ReadSession(const std::string& path, Choices& choices);

// Chooses `path` in the dialog and lists every record with a buffer large
// enough for any line, as a host that only converts does; then closes.
// Empty when the log does not open.
std::vector<std::string> ListRecords(const std::string& path);

// Checks a fixed-record file after a session: same size, and every byte
// outside the records the host updated as it was; inside an updated record
// only the bytes for which `may_change(offset in record)` holds may differ.
void CheckOnlyUpdatedRecordsChanged(const std::string& before, const std::string& after,
                                    size_t first_record, size_t record_size,
                                    const std::set<int32_t>& updated,
                                    bool (*may_change)(size_t offset));

}  // namespace varnek_fuzz

#endif  // VARNEK_FUZZ_FUZZ_HOST_H_
