// A one-line progress bar on a terminal for long conversions. It draws only
// when told that its stream is a terminal and more than kShownAbove records
// are expected, so pipes and small logs never see it. Every line it draws
// fits the terminal's width as it is at that moment (one column is kept
// free, so that the line never wraps); in a very narrow terminal the bar
// gives way to the percentage alone. It allocates nothing.
#ifndef VARNEK_HOST_PROGRESS_BAR_H_
#define VARNEK_HOST_PROGRESS_BAR_H_

#include <cstdint>
#include <cstdio>

namespace varnek_host {

class ProgressBar {
 public:
  static constexpr uint64_t kShownAbove = 10000;

  // `expected` is an estimate; done counts beyond it show as 100 %.
  // `columns` tells the terminal's width (0: unknown); null asks the
  // terminal of `out`.
  ProgressBar(std::FILE* out, bool is_terminal, uint64_t expected,
              int (*columns)(std::FILE*) = nullptr);
  ~ProgressBar() { Clear(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  bool shown() const { return shown_; }
  // Redraws when the bar has visibly moved.
  void Advance(uint64_t done);
  // Wipes the line (before other text is printed); the next Advance draws
  // the bar again.
  void Clear();

 private:
  void Draw(uint64_t done, uint32_t permille);
  // The columns a line may take now.
  int Width() const;

  std::FILE* out_;
  bool shown_;
  uint64_t expected_;
  int (*columns_)(std::FILE*);
  bool drawn_ = false;
  uint32_t drawn_permille_ = 0;
  int drawn_width_ = 0;
};

// The line the bar shows for `done` records at `permille` in `width`
// columns, into `line` (room for `size` bytes, zero-terminated); returns
// its length.
int ProgressLine(uint64_t done, uint32_t permille, int width, char* line, int size);

}  // namespace varnek_host

#endif  // VARNEK_HOST_PROGRESS_BAR_H_
