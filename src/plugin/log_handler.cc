#include "plugin/log_handler.h"

#include "plugin/warning.h"

namespace varnek {

int32_t LogHandler::Create(const char*) { return 0; }

int32_t LogHandler::WriteText(char*) { return 0; }

void LogHandler::WarnOverflowOnce(const char* warning) {
  if (overflow_warned_ != 0) return;
  overflow_warned_ = 1;
  ShowWarning(warning);
}

}  // namespace varnek
