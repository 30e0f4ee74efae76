#include "conversions.h"

#include <time.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "allocation_counter.h"
#include "resident_memory.h"

namespace varnek_bench {
namespace {

// Lines are made in blocks outside the timed spans, so the clock is read
// twice per block rather than twice per line.
constexpr uint64_t kLinesPerBlock = 1024;
constexpr int kLineStride = SyntheticLog::kMaxLineLength + 1;
// The host's ListText buffer.
constexpr int32_t kListBufferSize = 8192;

// Adds up the wall time and this process's processor time of the spans
// between Start and Stop.
class Stopwatch {
 public:
  void Start() {
    started_ = std::chrono::steady_clock::now();
    cpu_started_ = CpuSeconds();
  }
  void Stop() {
    total_ += std::chrono::steady_clock::now() - started_;
    cpu_total_ += CpuSeconds() - cpu_started_;
  }
  double Seconds() const { return std::chrono::duration<double>(total_).count(); }
  double CpuTotal() const { return cpu_total_; }

 private:
  static double CpuSeconds() {
    timespec now;
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0) return 0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
  }

  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::duration total_{};
  double cpu_started_ = 0;
  double cpu_total_ = 0;
};

void BeginMeasurement() {
  PluginLibrary::TakeWarnings();
  ResetPeakResident();
  PauseAllocationCount();
  ResetAllocationCount();
}

void EndMeasurement(Measurement* m) {
  PauseAllocationCount();
  m->peak_resident = PeakResidentBytes();
  m->warnings = PluginLibrary::TakeWarnings(&m->last_warning);
}

}  // namespace

void Measurement::Combine(const Measurement& other) {
  if (ok && !other.ok) {
    ok = false;
    error = other.error;
  }
  if (other.seconds < seconds) seconds = other.seconds;
  if (other.cpu_seconds < cpu_seconds) cpu_seconds = other.cpu_seconds;
  if (other.allocations > allocations) allocations = other.allocations;
  if (other.open_allocations > open_allocations) open_allocations = other.open_allocations;
  if (other.peak_resident > peak_resident) peak_resident = other.peak_resident;
}

Measurement WriteLog(PluginLibrary& plugin, const char* path, bool jst, const SyntheticLog& log,
                     uint64_t count) {
  Measurement m;
  std::vector<char> block(kLinesPerBlock * kLineStride);
  std::vector<int> lengths(kLinesPerBlock);
  char line[kLineStride];
  PluginLibrary::AnswerJst(jst);
  BeginMeasurement();
  Stopwatch watch;

  watch.Start();
  ResumeAllocationCount();
  int32_t created = plugin.Create(path);
  PauseAllocationCount();
  watch.Stop();
  m.open_allocations = AllocationCount();
  ResetAllocationCount();
  if (created == 0) {
    m.error = "Create failed";
    EndMeasurement(&m);
    return m;
  }

  uint64_t failed = 0;
  while (m.records < count) {
    uint64_t lines = count - m.records < kLinesPerBlock ? count - m.records : kLinesPerBlock;
    for (uint64_t k = 0; k < lines; ++k) {
      lengths[k] = log.Line(m.records + k, &block[k * kLineStride]);
    }
    watch.Start();
    if (m.records >= kWarmUpRecords) ResumeAllocationCount();
    for (uint64_t k = 0; k < lines; ++k) {
      // The host hands over a line it may lose: the writer takes it apart in place.
      std::memcpy(line, &block[k * kLineStride], static_cast<size_t>(lengths[k]) + 1);
      if (plugin.WriteText(line) == 0) ++failed;
      if (++m.records == kWarmUpRecords) ResumeAllocationCount();
    }
    PauseAllocationCount();
    watch.Stop();
  }
  m.allocations = AllocationCount();

  watch.Start();
  int32_t closed = plugin.CClose();
  watch.Stop();
  m.seconds = watch.Seconds();
  m.cpu_seconds = watch.CpuTotal();
  EndMeasurement(&m);
  if (failed != 0) {
    m.error = "WriteText failed " + std::to_string(failed) + " times";
  } else if (closed == 0) {
    m.error = "CClose failed";
  } else {
    m.ok = true;
  }
  return m;
}

Measurement ReadLog(PluginLibrary& plugin, const char* path, uint64_t expected) {
  Measurement m;
  static char buffer[kListBufferSize];
  // A reader that never reports the end is stopped here.
  const uint64_t limit = expected + expected / 2 + 1000;
  BeginMeasurement();
  Stopwatch watch;

  watch.Start();
  ResumeAllocationCount();
  const char* opened = plugin.OpenFile(path);
  PauseAllocationCount();
  m.open_allocations = AllocationCount();
  ResetAllocationCount();
  if (opened == nullptr) {
    watch.Stop();
    m.error = "Open failed";
    EndMeasurement(&m);
    return m;
  }
  plugin.GetLogType();
  while (plugin.IsEOF() == 0 && m.records < limit) {
    plugin.ListText(buffer, kListBufferSize);
    if (++m.records == kWarmUpRecords) ResumeAllocationCount();
    plugin.MoveNext();
  }
  PauseAllocationCount();
  m.allocations = AllocationCount();
  int32_t closed = plugin.Close();
  watch.Stop();
  m.seconds = watch.Seconds();
  m.cpu_seconds = watch.CpuTotal();
  EndMeasurement(&m);
  if (m.records != expected) {
    m.error =
        "listed " + std::to_string(m.records) + " records, expected " + std::to_string(expected);
  } else if (closed == 0) {
    m.error = "Close failed";
  } else {
    m.ok = true;
  }
  return m;
}

}  // namespace varnek_bench
