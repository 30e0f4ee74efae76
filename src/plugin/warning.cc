#include "plugin/warning.h"

#include "platform/win_api.h"
#include "plugin/messages.h"

namespace varnek {

namespace {
constexpr unsigned int kWarningStyle = 0x30;                         // OK, exclamation icon
constexpr unsigned int kQuestionStyle = MB_YESNO | MB_ICONQUESTION;  // 0x24
}  // namespace

void ShowWarning(const char* text) {
  if (text == nullptr || *text == '\0') text = kDefaultWarning;
  MessageBoxA(nullptr, text, kWarningCaption, kWarningStyle);
}

bool AskYesNo(const char* text) {
  return MessageBoxA(nullptr, text, kWarningCaption, kQuestionStyle) == IDYES;
}

}  // namespace varnek
