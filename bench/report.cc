#include "report.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstring>

namespace varnek_bench {
namespace {

// 1234567 -> "1,234,567".
std::string Grouped(uint64_t value) {
  std::string digits = std::to_string(value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

double Megabytes(int64_t bytes) { return static_cast<double>(bytes) / 1e6; }

double QsosPerSecond(const ReportRow& row) {
  const Measurement& m = row.measurement;
  return m.seconds > 0 ? static_cast<double>(m.records) / m.seconds : 0;
}

double Ratio(const ReportRow& row) {
  return row.baseline_seconds > 0 ? row.measurement.seconds / row.baseline_seconds : -1;
}

std::string CpuModel() {
  std::FILE* info = std::fopen("/proc/cpuinfo", "r");
  std::string model = "unknown processor";
  if (info == nullptr) return model;
  char line[512];
  while (std::fgets(line, sizeof line, info) != nullptr) {
    if (std::strncmp(line, "model name", 10) != 0) continue;
    const char* colon = std::strchr(line, ':');
    if (colon == nullptr) continue;
    model = colon + 2;
    while (!model.empty() && (model.back() == '\n' || model.back() == ' ')) model.pop_back();
    break;
  }
  std::fclose(info);
  return model;
}

}  // namespace

std::string DescribeMachine() {
  std::string text = CpuModel();
  text += ", " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores";
  struct utsname system;
  if (uname(&system) == 0) {
    text += std::string(", ") + system.sysname + " " + system.release + " " + system.machine;
  }
#if defined(__clang__)
  text += ", clang " __clang_version__;
#elif defined(__GNUC__)
  text += ", g++ " __VERSION__;
#endif
  return text;
}

void PrintTable(std::FILE* out, const std::vector<ReportRow>& rows) {
  std::fprintf(out,
               "| conversion | QSOs | MB | seconds | CPU seconds | QSOs/s | MB/s | allocations "
               "after 100 (per record) | peak RSS MB | cat / cp seconds | ratio | warnings |\n");
  std::fprintf(out, "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
  for (const ReportRow& row : rows) {
    const Measurement& m = row.measurement;
    double per_record =
        m.CountedRecords() > 0 ? static_cast<double>(m.allocations) / m.CountedRecords() : 0;
    double ratio = Ratio(row);
    std::string baseline = row.baseline_seconds > 0 ? std::string(row.reading ? "cat " : "cp ") +
                                                          Fixed(row.baseline_seconds, 3)
                                                    : "n/a";
    std::fprintf(
        out, "| %s | %s | %s | %s | %s | %s | %s | %s (%s) | %s | %s | %s | %d |\n",
        row.conversion.c_str(), Grouped(m.records).c_str(), Fixed(Megabytes(row.bytes), 1).c_str(),
        Fixed(m.seconds, 3).c_str(), Fixed(m.cpu_seconds, 3).c_str(),
        Grouped(static_cast<uint64_t>(QsosPerSecond(row))).c_str(),
        Fixed(m.seconds > 0 ? Megabytes(row.bytes) / m.seconds : 0, 0).c_str(),
        Grouped(m.allocations).c_str(), m.allocations == 0 ? "0" : Fixed(per_record, 6).c_str(),
        Fixed(Megabytes(m.peak_resident), 1).c_str(), baseline.c_str(),
        ratio > 0 ? Fixed(ratio, 1).c_str() : "n/a", m.warnings);
  }
  for (const ReportRow& row : rows) {
    if (!row.measurement.ok) {
      std::fprintf(out, "\nFAILED: %s: %s\n", row.conversion.c_str(),
                   row.measurement.error.c_str());
    }
  }
}

bool PrintTargets(std::FILE* out, const std::vector<ReportRow>& rows, const Targets& targets) {
  std::string slow, allocating, large, slow_reading;
  double slowest = -1, slowest_cpu = -1, largest = 0, worst_ratio = 0;
  for (const ReportRow& row : rows) {
    const Measurement& m = row.measurement;
    double speed = QsosPerSecond(row);
    if (slowest < 0 || speed < slowest) slowest = speed;
    double cpu_speed = m.cpu_seconds > 0 ? static_cast<double>(m.records) / m.cpu_seconds : 0;
    if (slowest_cpu < 0 || cpu_speed < slowest_cpu) slowest_cpu = cpu_speed;
    if (speed < targets.qsos_per_second) slow += " " + row.conversion + ";";
    if (m.allocations != 0) allocating += " " + row.conversion + ";";
    if (Megabytes(m.peak_resident) > largest) largest = Megabytes(m.peak_resident);
    if (m.peak_resident < 0 || m.peak_resident >= targets.peak_resident) {
      large += " " + row.conversion + ";";
    }
    if (row.reading) {
      double ratio = Ratio(row);
      if (ratio > worst_ratio) worst_ratio = ratio;
      if (ratio < 0 || ratio > targets.read_ratio) slow_reading += " " + row.conversion + ";";
    }
  }
  auto verdict = [&](const char* target, const std::string& misses, const std::string& figure) {
    std::fprintf(out, "- %s: %s (%s)%s%s\n", target, misses.empty() ? "met" : "MISSED",
                 figure.c_str(), misses.empty() ? "" : " by", misses.c_str());
  };
  verdict("at least 1,000,000 QSOs/s for every reader and writer", slow,
          "slowest " + Grouped(static_cast<uint64_t>(slowest < 0 ? 0 : slowest)) +
              " QSOs/s; per CPU second at least " +
              Grouped(static_cast<uint64_t>(slowest_cpu < 0 ? 0 : slowest_cpu)));
  verdict("no heap allocation per record after the first 100 records", allocating,
          allocating.empty() ? "0 everywhere" : "see the table");
  verdict("peak resident memory under 16 MB", large, "largest " + Fixed(largest, 1) + " MB");
  verdict("reading within 5 times the `cat` time", slow_reading,
          "worst " + Fixed(worst_ratio, 1) + " times");
  return slow.empty() && allocating.empty() && large.empty() && slow_reading.empty();
}

}  // namespace varnek_bench
