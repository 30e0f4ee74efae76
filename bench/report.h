// The benchmark's result: a Markdown table with one row per conversion,
// the machine it ran on, and the verdict on each target. MB means 10^6
// bytes throughout, peak resident memory included.
#ifndef VARNEK_BENCH_REPORT_H_
#define VARNEK_BENCH_REPORT_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "conversions.h"

namespace varnek_bench {

struct ReportRow {
  std::string conversion;  // "write LOG200 (.l2)"
  bool reading = false;
  Measurement measurement;       // best of the runs
  int64_t bytes = 0;             // the file or file pair read or written
  double baseline_seconds = -1;  // best `cat` time (reading) or `cp` time (writing)
};

struct Targets {
  double qsos_per_second = 1e6;      // every reader and writer at least
  int64_t peak_resident = 16000000;  // bytes, below
  double read_ratio = 5;             // reading time / `cat` time, at most
};

// "Intel(...) Xeon(...), 2 cores, Linux 6.1 x86_64, g++ 12.2.0".
std::string DescribeMachine();
void PrintTable(std::FILE* out, const std::vector<ReportRow>& rows);
// One line per target; true when every target is met.
bool PrintTargets(std::FILE* out, const std::vector<ReportRow>& rows, const Targets& targets);

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_REPORT_H_
