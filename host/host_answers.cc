#include "host/host_answers.h"

#include <cstring>

#include "host/file_system.h"
#include "host/progress_bar.h"
#include "host/text_streams.h"
#include "platform/dialog_choice.h"

namespace varnek_host {

namespace {

// The plug-in calls back through plain function pointers; they reach the
// installed answers through this pointer.
HostAnswers* installed = nullptr;

constexpr unsigned int kButtonsMask = 0x0Fu;
constexpr size_t kFilterLimit = 4096;  // more than any real filter list

int VARNEK_USER_CALL AnswerMessageBox(HWND, const char* text, const char*, unsigned int style) {
  int error_seen = LastSystemError();
  HostAnswers* answers = installed;
  if ((style & kButtonsMask) == MB_YESNO) return answers->answer_yes ? IDYES : IDNO;
  ++answers->warnings;
  std::string shown = "varnek: " + DescribeWarning(text != nullptr ? text : "", answers->subject,
                                                   answers->terminal, error_seen);
  shown.push_back('\n');
  if (answers->progress != nullptr) answers->progress->Clear();
  WriteError(shown);
  return IDOK;
}

void RememberFilter(const char* filter, std::string* offered) {
  offered->clear();
  if (filter == nullptr) return;
  size_t end = 0;  // one past the zero that ends the list
  while (end + 1 < kFilterLimit) {
    if (filter[end] == '\0' && filter[end + 1] == '\0') {
      end += 2;
      break;
    }
    ++end;
  }
  offered->assign(filter, end);
}

int VARNEK_USER_CALL AnswerOpenDialog(OPENFILENAMEA* dialog) {
  HostAnswers* answers = installed;
  RememberFilter(dialog->lpstrFilter, &answers->offered_filter);
  const std::string& path = answers->chosen_path;
  return varnek::AnswerDialogWith(dialog, path.data(), path.size());
}

void VARNEK_USER_CALL AnswerLocalTime(SYSTEMTIME* now) { *now = installed->clock; }

// Reads exactly `digits` decimal digits at *p.
bool ReadNumber(const char** p, int digits, int* value) {
  *value = 0;
  for (int i = 0; i < digits; ++i) {
    char c = (*p)[i];
    if (c < '0' || c > '9') return false;
    *value = *value * 10 + (c - '0');
  }
  *p += digits;
  return true;
}

bool Expect(const char** p, char c) {
  if (**p != c) return false;
  ++*p;
  return true;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

int DayOfWeek(int year, int month, int day) {
  static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

}  // namespace

bool InstallHostAnswers(PluginLibrary* plugin, HostAnswers* answers, std::string* problem) {
  installed = answers;
  UserCalls calls;
  calls.message_box = &AnswerMessageBox;
  calls.open_dialog = &AnswerOpenDialog;
  if (answers->fixed_clock) {
    calls.local_time = &AnswerLocalTime;
    calls.system_time = &AnswerLocalTime;  // the same moment, taken as UTC
  }
  return plugin->Intercept(calls, problem);
}

bool ParseClock(const char* text, SYSTEMTIME* clock) {
  const char* p = text;
  int year, month, day, hour = 0, minute = 0, second = 0;
  if (!ReadNumber(&p, 4, &year) || !Expect(&p, '-') || !ReadNumber(&p, 2, &month) ||
      !Expect(&p, '-') || !ReadNumber(&p, 2, &day)) {
    return false;
  }
  if (*p == 'T' || *p == ' ') {
    ++p;
    if (!ReadNumber(&p, 2, &hour) || !Expect(&p, ':') || !ReadNumber(&p, 2, &minute)) return false;
    if (*p == ':' && (++p, !ReadNumber(&p, 2, &second))) return false;
  }
  if (*p != '\0' || year < 1 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59) {
    return false;
  }
  *clock = SYSTEMTIME{static_cast<WORD>(year),
                      static_cast<WORD>(month),
                      static_cast<WORD>(DayOfWeek(year, month, day)),
                      static_cast<WORD>(day),
                      static_cast<WORD>(hour),
                      static_cast<WORD>(minute),
                      static_cast<WORD>(second),
                      0};
  return true;
}

}  // namespace varnek_host
