// The two conversions the host runs, driven through the plug-in's exports
// in the host's calling order, timed and watched:
//   writing: Create, then WriteText once per QSO line, then CClose;
//   reading: Open (through the dialog), GetLogType, then while IsEOF is 0
//            ListText and MoveNext, then Close.
// The time covers the whole conversion, opening and closing included, but
// not the making of the synthetic lines. Heap allocations are counted from
// the end of the first kWarmUpRecords records until the last record.
#ifndef VARNEK_BENCH_CONVERSIONS_H_
#define VARNEK_BENCH_CONVERSIONS_H_

#include <cstdint>
#include <string>

#include "plugin_library.h"
#include "synthetic_log.h"

namespace varnek_bench {

constexpr uint64_t kWarmUpRecords = 100;

struct Measurement {
  bool ok = false;
  std::string error;              // why ok is false
  uint64_t records = 0;           // lines written or records listed
  double seconds = 0;             // open to close
  double cpu_seconds = 0;         // processor time of this process over the same spans
  uint64_t open_allocations = 0;  // while opening or creating; > 0 proves the hook sees the plug-in
  uint64_t allocations = 0;       // after the warm-up records, before closing
  int64_t peak_resident = -1;     // bytes, whole process, this conversion only
  int warnings = 0;               // message boxes shown (questions not counted)
  std::string last_warning;       // code page 932

  // Records in the allocation window.
  uint64_t CountedRecords() const {
    return records > kWarmUpRecords ? records - kWarmUpRecords : 0;
  }
  // Keeps the best time, the largest counts and the first failure of two runs.
  void Combine(const Measurement& other);
};

// Writes `count` lines of `log` to a new file `path`; `jst` answers the
// JST question of the CSV writer.
Measurement WriteLog(PluginLibrary& plugin, const char* path, bool jst, const SyntheticLog& log,
                     uint64_t count);
// Reads every record of `path`; a count other than `expected` is an error.
Measurement ReadLog(PluginLibrary& plugin, const char* path, uint64_t expected);

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_CONVERSIONS_H_
