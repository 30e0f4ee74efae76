// The command's streams on Windows. Both are put into binary mode, so that
// a line ends in LF as on POSIX systems. A console is written in UTF-16
// with WriteConsoleW (whatever went through the C library's buffer first);
// a file or pipe gets the bytes through the C library, converted into
// UTF-8 when chosen. The conversion buffers are kept between texts.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "host/terminal_size.h"
#include "host/text_streams.h"

namespace varnek_host {

namespace {

constexpr UINT kCodePage932 = 932;
// WriteConsoleW takes at most this many characters at a time.
constexpr size_t kConsoleChunk = 8192;

StreamChoices chosen;
bool output_failed = false;
std::wstring wide;
std::string utf8;

struct Stream {
  std::FILE* file;
  bool console;
};

Stream& StreamOf(std::FILE* file) {
  static Stream streams[] = {{stdout, false}, {stderr, false}};
  static bool ready = [] {
    for (Stream& stream : streams) {
      std::fflush(stream.file);
      _setmode(_fileno(stream.file), _O_BINARY);
      stream.console = IsTerminal(stream.file);
    }
    return true;
  }();
  (void)ready;
  return file == stdout ? streams[0] : streams[1];
}

// The CP932 text `text` in UTF-16, into `wide`.
void Widen(const std::string& text) {
  int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(kCodePage932, 0, text.data(), size, nullptr, 0);
  wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
  if (length > 0) MultiByteToWideChar(kCodePage932, 0, text.data(), size, &wide[0], length);
}

bool WriteToConsole(std::FILE* file, const std::string& text) {
  std::fflush(file);
  Widen(text);
  HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  size_t done = 0;
  while (done < wide.size()) {
    size_t left = wide.size() - done;
    DWORD written = 0;
    if (!WriteConsoleW(console, wide.data() + done,
                       static_cast<DWORD>(left < kConsoleChunk ? left : kConsoleChunk), &written,
                       nullptr) ||
        written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

bool WriteBytes(std::FILE* file, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

bool WriteInUtf8(std::FILE* file, const std::string& text) {
  Widen(text);
  int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  utf8.resize(length > 0 ? static_cast<size_t>(length) : 0);
  if (length > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], length, nullptr, nullptr);
  }
  return WriteBytes(file, utf8);
}

bool Write(std::FILE* file, const std::string& text, bool raw) {
  const Stream& stream = StreamOf(file);
  if (text.empty()) return true;
  if (raw) return WriteBytes(file, text);
  if (stream.console) return WriteToConsole(file, text);
  return chosen.utf8 ? WriteInUtf8(file, text) : WriteBytes(file, text);
}

}  // namespace

void ChooseStreams(const StreamChoices& choices) {
  StreamOf(stdout);
  chosen = choices;
}

bool WriteOutput(const std::string& text) {
  bool written = Write(stdout, text, chosen.raw_output);
  output_failed = output_failed || !written;
  return written;
}

void WriteError(const std::string& text) {
  Write(stderr, text, false);
  std::fflush(stderr);
}

bool FlushOutput() {
  StreamOf(stdout);
  return std::fflush(stdout) == 0 && !std::ferror(stdout) && !output_failed;
}

}  // namespace varnek_host
