// Where the varnek command's texts go: standard output and standard error.
// A text is in the terminal's character set (terminal_text.h), or, on
// standard output with --raw, the plug-in's bytes as they came. On POSIX
// systems (text_streams_posix.cc) texts are written as they are. On
// Windows (text_streams_windows.cc) a stream that is a console gets them
// through WriteConsoleW, so that Japanese shows right whatever the
// console's code page; a file or pipe gets the CP932 bytes, or UTF-8 when
// the user asked for it; --raw output is never converted. Lines end in LF
// on both. Standard error is written at once; standard output is buffered
// until FlushOutput.
#ifndef VARNEK_HOST_TEXT_STREAMS_H_
#define VARNEK_HOST_TEXT_STREAMS_H_

#include <string>

namespace varnek_host {

struct StreamChoices {
  bool utf8 = false;        // a file or pipe on Windows gets UTF-8
  bool raw_output = false;  // standard output gets the bytes unconverted
};

// Until it is called, both streams are written as without choices.
void ChooseStreams(const StreamChoices& choices);

// Writes `text` to standard output; false when that failed.
bool WriteOutput(const std::string& text);
// Writes `text` to standard error.
void WriteError(const std::string& text);
// Flushes standard output; false when writing it failed at any point.
bool FlushOutput();

}  // namespace varnek_host

#endif  // VARNEK_HOST_TEXT_STREAMS_H_
