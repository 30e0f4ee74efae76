// A one-line progress bar on a terminal for long conversions. It draws only
// when told that its stream is a terminal and more than kShownAbove records
// are expected, so pipes and small logs never see it. It allocates nothing.
#ifndef VARNEK_HOST_PROGRESS_BAR_H_
#define VARNEK_HOST_PROGRESS_BAR_H_

#include <cstdint>
#include <cstdio>

namespace varnek_host {

class ProgressBar {
 public:
  static constexpr uint64_t kShownAbove = 10000;

  // `expected` is an estimate; done counts beyond it show as 100 %.
  ProgressBar(std::FILE* out, bool is_terminal, uint64_t expected);
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

  std::FILE* out_;
  bool shown_;
  uint64_t expected_;
  bool drawn_ = false;
  uint32_t drawn_permille_ = 0;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_PROGRESS_BAR_H_
