#include "host/progress_bar.h"

namespace varnek_host {

namespace {

constexpr int kBarWidth = 40;
constexpr int kLineWidth = 79;

}  // namespace

ProgressBar::ProgressBar(std::FILE* out, bool is_terminal, uint64_t expected)
    : out_(out), shown_(is_terminal && expected > kShownAbove), expected_(expected) {}

void ProgressBar::Advance(uint64_t done) {
  if (!shown_) return;
  uint64_t capped = done < expected_ ? done : expected_;
  uint32_t permille = static_cast<uint32_t>(capped * 1000 / expected_);
  if (drawn_ && permille == drawn_permille_) return;
  Draw(done, permille);
}

void ProgressBar::Draw(uint64_t done, uint32_t permille) {
  char bar[kBarWidth + 1];
  int filled = static_cast<int>(permille * kBarWidth / 1000);
  for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[kBarWidth] = '\0';
  std::fprintf(out_, "\r[%s] %3u%%  %llu records", bar, permille / 10,
               static_cast<unsigned long long>(done));
  std::fflush(out_);
  drawn_ = true;
  drawn_permille_ = permille;
}

void ProgressBar::Clear() {
  if (!drawn_) return;
  std::fprintf(out_, "\r%*s\r", kLineWidth, "");
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace varnek_host
