#include "fuzz/fuzz_host.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/linked_plugin.h"
#include "platform/dialog_choice.h"
#include "platform/win_api.h"

namespace varnek_fuzz {

namespace {

std::string chosen_file;
bool answer_yes = true;
int warnings_shown = 0;
int questions_asked = 0;

int AnswerMessageBox(HWND, const char* text, const char* caption, unsigned int style) {
  FUZZ_CHECK(text != nullptr && caption != nullptr);
  if ((style & 0x0Fu) == MB_YESNO) {
    ++questions_asked;
    return answer_yes ? IDYES : IDNO;
  }
  ++warnings_shown;
  return IDOK;
}

int AnswerDialog(OPENFILENAMEA* dialog) {
  return varnek::AnswerDialogWith(dialog, chosen_file.data(), chosen_file.size());
}

void AnswerClock(SYSTEMTIME* now) { *now = SYSTEMTIME{2026, 12, 2, 8, 21, 30, 0, 0}; }

std::string scratch;
varnek_host::PluginLibrary linked_plugin;

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
}

std::string MakeScratch() {
  const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/varnek-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

// Low 16 bits of the ListText size the host passes.
constexpr int32_t kListSizes[] = {65535, 1, 2, 10, 37, 200, 65537, 0x10000, -1};
constexpr size_t kGuard = 64;
constexpr char kGuardByte = '\xA5';
char list_area[0x10000 + kGuard];

// ListText into a guarded buffer: nothing written past the size; with a
// line returned, at most size - 1 bytes of it and a zero.
void CheckedList(Choices& choices) {
  int32_t size = kListSizes[choices.Below(sizeof kListSizes / sizeof *kListSizes)];
  size_t usable = static_cast<uint16_t>(size & 0xFFFF);
  std::memset(list_area, kGuardByte, usable + kGuard);
  const char* whole = Plugin().ListText(list_area, size);
  for (size_t i = usable; i < usable + kGuard; ++i) FUZZ_CHECK(list_area[i] == kGuardByte);
  // Null (no record to list): the buffer is not the host's concern.
  if (usable == 0 || whole == nullptr) return;
  FUZZ_CHECK(std::memchr(list_area, '\0', usable) != nullptr);
  size_t length = std::strlen(whole);
  size_t copied = std::strlen(list_area);
  FUZZ_CHECK(copied == (length < usable - 1 ? length : usable - 1));
  FUZZ_CHECK(std::memcmp(list_area, whole, copied) == 0);
}

void CheckedGetText() {
  const char* mark = Plugin().GetText(0);
  if (mark != nullptr) (void)std::strlen(mark);
}

void CheckedFieldText(int32_t column) {
  const char* name = Plugin().GetFieldText(column);
  FUZZ_CHECK(name != nullptr);
  std::string want = "F" + std::to_string(static_cast<uint16_t>(column) + 1);
  FUZZ_CHECK(want == name);
}

// Marks a host might write: empty, one byte, a double-byte character, long.
constexpr const char* kMarks[] = {
    "J", "N", "", "\x8D\xCF", "JQ", "x\x1Ey", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"};

// What the host knows of the reader's position: the record number it asked
// for last, and whether that positioning succeeded.
struct Position {
  int32_t number = 0;
  bool loaded = false;
};

void Positioned(Position& position, int32_t n, int32_t result) {
  FUZZ_CHECK(result == 0 || result == 1);
  if (result == 1) {
    position.number = n;
    position.loaded = true;
    FUZZ_CHECK(Plugin().IsEOF() == 0);
  } else {
    position.loaded = false;
  }
}

void SeekTo(Position& position, int32_t n) { Positioned(position, n, Plugin().Seek(n)); }

void Next(Position& position) {
  int32_t n = static_cast<int32_t>(static_cast<uint32_t>(position.number) + 1u);
  int32_t result = Plugin().MoveNext();
  if (result == 1) {
    Positioned(position, n, result);
  } else {
    position.number = n;
    position.loaded = false;
  }
}

void UpdateMark(const Position& position, Choices& choices, SessionReport& report) {
  const char* mark = kMarks[choices.Below(sizeof kMarks / sizeof *kMarks)];
  (void)Plugin().Update(0, mark);
  if (report.can_update && position.loaded) report.updated.insert(position.number);
}

// The reader exports on a reader whose Open failed, or on none at all.
void ProbeWithoutFile() {
  Choices none(nullptr, 0);
  CheckedList(none);
  CheckedGetText();
  FUZZ_CHECK(Plugin().Seek(0) == 0);
  FUZZ_CHECK(Plugin().MoveNext() == 0);
  (void)Plugin().Update(0, "J");
  (void)Plugin().IsEOF();
}

constexpr int32_t kMostRecordsListed = 3000;

}  // namespace

void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  RemoveScratch();  // the fuzzer keeps the input itself
  std::abort();
}

const std::string& Host() {
  if (scratch.empty()) {
    scratch = MakeScratch();
    std::atexit(RemoveScratch);
    varnek_host::BindLinkedPlugin(&linked_plugin);
    varnek_host::UserCalls calls;
    calls.message_box = &AnswerMessageBox;
    calls.open_dialog = &AnswerDialog;
    calls.local_time = &AnswerClock;
    calls.system_time = &AnswerClock;
    std::string problem;
    FUZZ_CHECK(linked_plugin.Intercept(calls, &problem));
  }
  return scratch;
}

varnek_host::PluginLibrary& Plugin() {
  Host();
  return linked_plugin;
}

void AnswerQuestionsWith(bool yes) { answer_yes = yes; }
int WarningsShown() { return warnings_shown; }
int QuestionsAsked() { return questions_asked; }

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, file) == size);
  FUZZ_CHECK(std::fclose(file) == 0);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  WriteBytes(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

void Remove(const std::string& path) { std::remove(path.c_str()); }

Choices::Choices(const uint8_t* data, size_t size) : state_(0xCBF29CE484222325ull) {
  for (size_t i = 0; i < size; ++i) state_ = (state_ ^ data[i]) * 0x100000001B3ull;
}

uint32_t Choices::Next() {
  // splitmix64
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

SessionReport ReadSession(const std::string& path, Choices& choices) {
  SessionReport report;
  chosen_file = path;
  const char* name = Plugin().Open(0, nullptr, nullptr);
  chosen_file.clear();
  report.can_update = Plugin().CanUpdate(0) == 1;
  if (name == nullptr) {
    ProbeWithoutFile();
    FUZZ_CHECK(Plugin().Close() == 1);
    return report;
  }
  FUZZ_CHECK(path == name);
  report.opened = true;
  int16_t type = Plugin().GetLogType();
  FUZZ_CHECK(type == 0 || type == 1);
  Position position;
  position.loaded = true;
  FUZZ_CHECK(Plugin().IsEOF() == 0);

  // List every record, as the host does.
  while (Plugin().IsEOF() == 0 && report.records_listed < kMostRecordsListed) {
    CheckedList(choices);
    if (type == 1) CheckedFieldText(static_cast<int32_t>(choices.Next()));
    CheckedGetText();
    if (choices.Below(3) == 0) UpdateMark(position, choices, report);
    ++report.records_listed;
    Next(position);
  }
  // Past the end: nothing is loaded, nothing may be written.
  CheckedList(choices);
  CheckedGetText();
  UpdateMark(position, choices, report);

  // Seek backwards, forwards and nowhere, reading and marking on the way.
  const int32_t count = report.records_listed;
  const int32_t targets[] = {
      0,     count / 2, -1,        INT_MIN, INT_MAX,
      count, count + 1, count - 1, 1,       static_cast<int32_t>(choices.Below(count + 3))};
  for (int32_t target : targets) {
    SeekTo(position, target);
    CheckedList(choices);
    CheckedGetText();
    if (choices.Below(2) == 0) UpdateMark(position, choices, report);
  }
  Next(position);
  CheckedList(choices);
  Next(position);
  UpdateMark(position, choices, report);

  int32_t closed = Plugin().Close();
  FUZZ_CHECK(closed == 1);
  // Without an active reader every reader export answers 0 or null.
  ProbeWithoutFile();
  FUZZ_CHECK(Plugin().ListText(list_area, 100) == nullptr);
  return report;
}

std::vector<std::string> ListRecords(const std::string& path) {
  std::vector<std::string> lines;
  chosen_file = path;
  const char* name = Plugin().Open(0, nullptr, nullptr);
  chosen_file.clear();
  if (name != nullptr) {
    while (Plugin().IsEOF() == 0 && lines.size() < static_cast<size_t>(kMostRecordsListed)) {
      const char* line = Plugin().ListText(list_area, sizeof list_area - kGuard);
      FUZZ_CHECK(line != nullptr);
      lines.emplace_back(line);
      Plugin().MoveNext();
    }
  }
  FUZZ_CHECK(Plugin().Close() == 1);
  return lines;
}

void CheckOnlyUpdatedRecordsChanged(const std::string& before, const std::string& after,
                                    size_t first_record, size_t record_size,
                                    const std::set<int32_t>& updated,
                                    bool (*may_change)(size_t offset)) {
  FUZZ_CHECK(before.size() == after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    FUZZ_CHECK(i >= first_record);
    size_t record = (i - first_record) / record_size;
    size_t offset = (i - first_record) % record_size;
    FUZZ_CHECK(first_record + (record + 1) * record_size <= before.size());
    FUZZ_CHECK(updated.count(static_cast<int32_t>(record)) == 1);
    FUZZ_CHECK(may_change(offset));
  }
}

}  // namespace varnek_fuzz
