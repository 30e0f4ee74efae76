// The plug-in's warnings as the varnek command shows them. The plug-in's
// texts stay as they are; the command knows which file it was working on
// when one came, so a warning about a file is shown with the file's name
// and, where the system can tell, the reason:
//
//   varnek: old.l2: ファイルがオープンできません. (No such file or directory)
//
// Each known warning has an English text beside its Japanese one, shown
// instead when the terminal's character set cannot show Japanese. A text
// the table does not know is shown as it came.
#ifndef VARNEK_HOST_PLUGIN_WARNINGS_H_
#define VARNEK_HOST_PLUGIN_WARNINGS_H_

#include <string>
#include <vector>

#include "host/terminal_text.h"

namespace varnek_host {

// The file a plug-in call works on. `shown` is the name the user gave,
// `actual` the name the plug-in was given (a temporary beside it, or the
// same). Companions are the names the plug-in tries for the log's second
// file, in its order.
struct FileSubject {
  std::string shown;
  std::string actual;
  std::vector<std::string> companions_shown;
  std::vector<std::string> companions_actual;
};

// The line for one warning of the plug-in, in the terminal's character
// set, without "varnek: " and the line end; each run of line breaks of
// the text becomes one space. `text` is the plug-in's CP932 text; `subject`
// may be null; `error_seen` is the system error right after the call.
std::string DescribeWarning(const char* text, const FileSubject* subject, TerminalText* terminal,
                            int error_seen);

}  // namespace varnek_host

#endif  // VARNEK_HOST_PLUGIN_WARNINGS_H_
