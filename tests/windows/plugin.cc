#include "windows/plugin.h"

#include <type_traits>

#include "windows/check.h"
#include "windows/dialog_answer.h"
#include "windows/formats_ready.h"

#ifdef _WIN32
#include "windows/cdecl_call.h"
#endif

namespace scenario {

HostRecord host_record;
HostAnswers host_answers;

namespace {

using varnek_host::PluginLibrary;

#ifdef _WIN32
constexpr char kPluginPath[] = "VARNEK.DLL";  // beside the host, found by name
#else
constexpr char kPluginPath[] = VARNEK_PLUGIN_PATH;
#endif

int VARNEK_USER_CALL RecordMessageBox(HWND owner, const char* text, const char* caption,
                                      unsigned int style) {
  host_record.message_boxes.push_back(
      {reinterpret_cast<uintptr_t>(owner), TextOrEmpty(text), TextOrEmpty(caption), style});
  return (style & 0x0Fu) == MB_YESNO ? host_answers.yes_no : IDOK;
}

int VARNEK_USER_CALL RecordDialog(OPENFILENAMEA* dialog) { return AnswerDialog(dialog); }

void VARNEK_USER_CALL AnswerClock(SYSTEMTIME* now) {
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

}  // namespace

Plugin::Plugin() { Load(); }

Plugin::~Plugin() { Unload(); }

void Plugin::Load() {
  if (library_.Loaded()) return;
  host_record = HostRecord();
  host_answers = HostAnswers();
  std::string problem;
  if (!library_.Load(kPluginPath, &problem)) {
    faults_.push_back(problem);
    return;
  }
  varnek_host::UserCalls calls;
  calls.message_box = &RecordMessageBox;
  calls.open_dialog = &RecordDialog;
  calls.local_time = &AnswerClock;
  calls.system_time = &AnswerClock;
  unsigned routed = 0;
  bool ok = library_.Intercept(calls, &problem, &routed);
  if (!ok) faults_.push_back(problem);
  // MessageBoxA and GetOpenFileNameA are always imported; GetLocalTime
  // once the HAMLOG writer stamps its creation date.
  unsigned needed = varnek_host::kRoutedMessageBox | varnek_host::kRoutedOpenDialog;
  if ((kFormatsReady & kHamlog) != 0) needed |= varnek_host::kRoutedLocalTime;
  const char* const names[] = {"MessageBoxA", "GetOpenFileNameA", "GetLocalTime"};
  for (unsigned i = 0; i < 3; ++i) {
    if ((needed & ~routed & (1u << i)) != 0) {
      faults_.push_back(std::string(names[i]) + " is not in the import table");
      ok = false;
    }
  }
  if (!ok) Unload();
}

void Plugin::Unload() {
  if (library_.Loaded() && !library_.Unload()) {
#ifdef _WIN32
    faults_.push_back("FreeLibrary failed");
#else
    faults_.push_back("dlclose failed");
#endif
  }
}

#ifdef _WIN32
namespace {

template <typename T>
uint32_t ToWord(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value));
  } else {
    return static_cast<uint32_t>(value);
  }
}

template <typename T>
T FromWord(uint32_t word) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<T>(static_cast<uintptr_t>(word));
  } else {
    // A 16-bit result is the low half of EAX; the rest is not defined.
    return static_cast<T>(word);
  }
}

}  // namespace

template <typename Result, typename... Args>
Result Plugin::Call(Export which, Args... args) {
  void* function = library_.ExportAddress(which);
  const char* name = PluginLibrary::kExportNames[which];
  if (function == nullptr) {
    faults_.push_back(std::string("called ") + name + " without the plug-in");
    return Result();
  }
  uint32_t words[3] = {ToWord(args)...};
  bool balanced = true;
  uint32_t result = CallCdecl(function, words, &balanced);
  if (!balanced) {
    faults_.push_back(std::string(name) + " removed its own arguments from the stack (not cdecl)");
  }
  return FromWord<Result>(result);
}
#else
template <typename Result, typename... Args>
Result Plugin::Call(Export which, Args... args) {
  void* function = library_.ExportAddress(which);
  if (function == nullptr) {
    faults_.push_back(std::string("called ") + PluginLibrary::kExportNames[which] +
                      " without the plug-in");
    return Result();
  }
  return reinterpret_cast<Result (*)(Args...)>(function)(args...);
}
#endif

const char* Plugin::GetVersionText() { return Call<const char*>(kGetVersionText); }

const char* Plugin::GetMenuName() { return Call<const char*>(kGetMenuName); }

const char* Plugin::Open(int32_t unused, uintptr_t owner, const char* path) {
  return Call<const char*>(kOpen, unused, reinterpret_cast<void*>(owner), path);
}

int32_t Plugin::Close() { return Call<int32_t>(kClose); }

int16_t Plugin::GetLogType() { return Call<int16_t>(kGetLogType); }

const char* Plugin::GetFieldText(int32_t column) {
  return Call<const char*>(kGetFieldText, column);
}

int32_t Plugin::MoveNext() { return Call<int32_t>(kMoveNext); }

int32_t Plugin::Seek(int32_t record) { return Call<int32_t>(kSeek, record); }

int32_t Plugin::IsEOF() { return Call<int32_t>(kIsEOF); }

const char* Plugin::ListText(char* buffer, int32_t size) {
  return Call<const char*>(kListText, buffer, size);
}

const char* Plugin::GetText(int32_t unused) { return Call<const char*>(kGetText, unused); }

int32_t Plugin::CanUpdate(int32_t unused) { return Call<int32_t>(kCanUpdate, unused); }

int32_t Plugin::Update(int32_t unused, const char* mark) {
  return Call<int32_t>(kUpdate, unused, mark);
}

const char* Plugin::GetCreateFileType() { return Call<const char*>(kGetCreateFileType); }

int32_t Plugin::Create(const char* name) { return Call<int32_t>(kCreate, name); }

int32_t Plugin::WriteText(char* line) { return Call<int32_t>(kWriteText, line); }

int32_t Plugin::CClose() { return Call<int32_t>(kCClose); }

const char* Plugin::OpenChosen(const std::string& path) {
  host_answers.dialog_choice = path;
  const char* result = Open(0, 0, nullptr);
  host_answers.dialog_choice.clear();
  return result;
}

int32_t Plugin::Write(const std::string& line) {
  std::vector<char> copy(line.begin(), line.end());
  copy.push_back('\0');
  return WriteText(copy.data());
}

std::string Plugin::List() {
  static char buffer[65535];
  buffer[0] = '\0';
  return Shown(ListText(buffer, sizeof buffer));
}

std::vector<std::string> Plugin::TakeMessages() {
  std::vector<std::string> texts;
  for (const MessageBoxSeen& box : host_record.message_boxes) texts.push_back(box.text);
  host_record.message_boxes.clear();
  return texts;
}

}  // namespace scenario
