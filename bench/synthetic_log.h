// SyntheticLog: a made-up but realistic log, as the QSO lines a host hands
// to a writer (date form YY/MM/DD): a contact every few minutes from June
// 1997 on (so the two-digit year wraps from 99 to 00), call signs with and
// without portable designators (JA1ABC/1, KH6/JA1ABC, JA1ABC/1/P), 1.9 to
// 10368 MHz, the usual modes and reports, Japanese names and QTHs in code
// page 932, and remarks holding remark tags (My, REM, RIG, END, MyQTH,
// Contest, Via, CODE, GL, OP ...) in both bracket styles.
//
// Line i depends only on the seed and i, so any part of the log can be made
// again without keeping it. Making a line allocates nothing.
#ifndef VARNEK_BENCH_SYNTHETIC_LOG_H_
#define VARNEK_BENCH_SYNTHETIC_LOG_H_

#include <cstdint>

namespace varnek_bench {

class SyntheticLog {
 public:
  // Longest line Line() writes, without its terminating zero.
  static constexpr int kMaxLineLength = 511;

  explicit SyntheticLog(uint64_t seed = 1) : seed_(seed) {}

  // Writes QSO line number `index` and a zero into `out`, which holds
  // kMaxLineLength + 1 bytes; returns the line's length.
  int Line(uint64_t index, char* out) const;

 private:
  uint64_t seed_;
};

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_SYNTHETIC_LOG_H_
