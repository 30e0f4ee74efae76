#include "host/progress_bar.h"

#include <cstring>

#include "host/terminal_size.h"

namespace varnek_host {

namespace {

constexpr int kWidestBar = 40;
constexpr int kNarrowestBar = 10;
// Assumed when the terminal does not tell its width.
constexpr int kDefaultColumns = 80;
constexpr int kLongestLine = 160;
// " 100%": the start of the counts.
constexpr int kPercentLength = 5;

}  // namespace

int ProgressLine(uint64_t done, uint32_t permille, int width, char* line, int size) {
  char counts[64];
  int counts_length = std::snprintf(counts, sizeof counts, " %3u%%  %llu records", permille / 10,
                                    static_cast<unsigned long long>(done));
  int bar = width - 2 - counts_length;  // "[" and "]"
  if (bar > kWidestBar) bar = kWidestBar;
  if (bar < kNarrowestBar) {
    // No room for a bar: the counts, or the percentage alone, or nothing.
    int length = counts_length <= width ? counts_length : kPercentLength;
    if (length > width || length > size - 1) length = 0;
    std::memcpy(line, counts, static_cast<size_t>(length));
    line[length] = '\0';
    return length;
  }
  if (bar + 2 + counts_length > size - 1) return 0;
  int filled = static_cast<int>(permille * static_cast<uint32_t>(bar) / 1000);
  int length = 0;
  line[length++] = '[';
  for (int i = 0; i < bar; ++i) line[length++] = i < filled ? '#' : '.';
  line[length++] = ']';
  std::memcpy(line + length, counts, static_cast<size_t>(counts_length) + 1);
  return length + counts_length;
}

ProgressBar::ProgressBar(std::FILE* out, bool is_terminal, uint64_t expected,
                         int (*columns)(std::FILE*))
    : out_(out),
      shown_(is_terminal && expected > kShownAbove),
      expected_(expected),
      columns_(columns != nullptr ? columns : &TerminalColumns) {}

void ProgressBar::Advance(uint64_t done) {
  if (!shown_) return;
  uint64_t capped = done < expected_ ? done : expected_;
  uint32_t permille = static_cast<uint32_t>(capped * 1000 / expected_);
  if (drawn_ && permille == drawn_permille_) return;
  Draw(done, permille);
}

int ProgressBar::Width() const {
  int columns = columns_(out_);
  if (columns <= 0) columns = kDefaultColumns;
  // One column stays free: a line that fills the last one wraps on some
  // terminals.
  return columns - 1 < kLongestLine ? columns - 1 : kLongestLine;
}

void ProgressBar::Draw(uint64_t done, uint32_t permille) {
  int width = Width();
  char line[kLongestLine + 1];
  int length = ProgressLine(done, permille, width, line, sizeof line);
  // Wipes what a longer line drawn before left, as far as the line fits.
  int old = drawn_ && drawn_width_ < width ? drawn_width_ : (drawn_ ? width : 0);
  int wipe = old > length ? old - length : 0;
  std::fprintf(out_, "\r%s%*s", line, wipe, "");
  if (wipe > 0) std::fprintf(out_, "\r%s", line);
  std::fflush(out_);
  drawn_ = true;
  drawn_permille_ = permille;
  drawn_width_ = length;
}

void ProgressBar::Clear() {
  if (!drawn_) return;
  int width = Width();
  std::fprintf(out_, "\r%*s\r", drawn_width_ < width ? drawn_width_ : width, "");
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace varnek_host
