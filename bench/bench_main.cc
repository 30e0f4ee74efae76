// varnek_bench: how fast the plug-in converts a large log, and at what
// cost in memory. It writes a synthetic log of N QSOs through every writer
// of the table of formats (the CSV writer in JST and in UTC), reads the
// files back through every reader, and compares each with `cp` or `cat` of
// the same files. See BENCHMARKS.md.
//
//   varnek_bench [--qsos N] [--runs R] [--dir DIR] [--keep] [--plugin PATH]
//                [--seed S] [--check] [--only TEXT]
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "command_timer.h"
#include "conversions.h"
#include "formats/format_table.h"
#include "host/log_files.h"
#include "plugin_library.h"
#include "report.h"
#include "resident_memory.h"
#include "synthetic_log.h"

namespace varnek_bench {
namespace {

using varnek::FormatRow;

struct Options {
  uint64_t qsos = 1000000;
  int runs = 3;
  std::string dir;
  bool keep = false;
  std::string plugin = VARNEK_PLUGIN_PATH;
  uint64_t seed = 1;
  bool check = false;
  std::string only;  // run only the conversions whose label holds this
};

struct WriterCase {
  std::string label;
  std::string file;
  bool jst;
};

struct ReaderCase {
  std::string label;
  std::string file;
};

// "synthetic.dbs" and "(.dbs + .DBR)" for a format.
std::string FileOf(const FormatRow& row) {
  std::string extensions = row.extensions;
  return "synthetic." + extensions.substr(0, extensions.find(','));
}

std::string FilesShown(const FormatRow& row) {
  std::string file = FileOf(row);
  std::string shown = "(" + file.substr(file.find('.'));
  if (row.companion_extension != nullptr) shown += std::string(" + ") + row.companion_extension;
  return shown + ")";
}

// Every writer of the table of formats; the CSV writer in JST and in UTC.
// The first file of each format is also what its reader reads.
std::vector<WriterCase> WriterCases() {
  std::vector<WriterCase> cases;
  for (size_t i = 0; i < varnek::kFormatCount; ++i) {
    const FormatRow& row = varnek::kFormats[i];
    if (!row.writes) continue;
    std::string name = row.name;
    if (row.id != varnek::FormatId::kCsv) {
      cases.push_back({"write " + name + " " + FilesShown(row), FileOf(row), true});
      continue;
    }
    cases.push_back({"write " + name + ", JST " + FilesShown(row), FileOf(row), true});
    cases.push_back({"write " + name + ", UTC " + FilesShown(row), "synthetic-utc.csv", false});
  }
  return cases;
}

std::vector<ReaderCase> ReaderCases() {
  std::vector<ReaderCase> cases;
  for (size_t i = 0; i < varnek::kFormatCount; ++i) {
    const FormatRow& row = varnek::kFormats[i];
    if (row.reads && row.writes) {
      cases.push_back({"read " + std::string(row.name) + " " + FilesShown(row), FileOf(row)});
    }
  }
  return cases;
}

void Usage() {
  std::fprintf(stderr,
               "usage: varnek_bench [--qsos N] [--runs R] [--dir DIR] [--keep] [--plugin PATH]\n"
               "                    [--seed S] [--check] [--only TEXT]\n"
               "  --qsos N     QSOs in the synthetic log (default 1000000)\n"
               "  --runs R     runs of each conversion; the best time counts (default 3)\n"
               "  --dir DIR    where the files go (default: a new folder in /tmp, removed after)\n"
               "  --keep       keep the files\n"
               "  --plugin P   the plug-in library to load\n"
               "  --seed S     another synthetic log\n"
               "  --check      exit 1 when a target is missed, not only when a conversion fails\n"
               "  --only TEXT  only the conversions whose name holds TEXT (\"read LOG200\");\n"
               "               with --dir and --keep, readers read the files of an earlier run\n");
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool has_value = i + 1 < argc;
    if (arg == "--keep") {
      options->keep = true;
    } else if (arg == "--check") {
      options->check = true;
    } else if (arg == "--qsos" && has_value) {
      options->qsos = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--runs" && has_value) {
      options->runs = std::atoi(argv[++i]);
    } else if (arg == "--dir" && has_value) {
      options->dir = argv[++i];
    } else if (arg == "--plugin" && has_value) {
      options->plugin = argv[++i];
    } else if (arg == "--only" && has_value) {
      options->only = argv[++i];
    } else if (arg == "--seed" && has_value) {
      options->seed = std::strtoull(argv[++i], nullptr, 10);
    } else {
      return false;
    }
  }
  return options->qsos > 0 && options->runs > 0;
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

int64_t FileSize(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

// A log's files: the file itself and its companion file when there is one.
std::vector<std::string> LogFiles(const std::string& path) {
  std::vector<std::string> files;
  for (const std::string& file : varnek_host::FilesOfLog(path, varnek_host::WriterFormatOf(path))) {
    if (files.empty() || Exists(file)) files.push_back(file);
  }
  return files;
}

int64_t TotalSize(const std::vector<std::string>& files) {
  int64_t total = 0;
  for (const std::string& file : files) total += FileSize(file);
  return total;
}

void RemoveAll(const std::vector<std::string>& files) {
  for (const std::string& file : files) std::remove(file.c_str());
}

void KeepBest(double seconds, double* best) {
  if (seconds > 0 && (*best < 0 || seconds < *best)) *best = seconds;
}

ReportRow RunWriter(PluginLibrary& plugin, const Options& options, const WriterCase& which,
                    const SyntheticLog& log) {
  ReportRow row;
  row.conversion = which.label;
  std::string path = options.dir + "/" + which.file;
  std::string copies = options.dir + "/copies";
  mkdir(copies.c_str(), 0755);
  for (int run = 0; run < options.runs; ++run) {
    RemoveAll(LogFiles(path));
    Measurement m = WriteLog(plugin, path.c_str(), which.jst, log, options.qsos);
    if (run == 0) {
      row.measurement = m;
    } else {
      row.measurement.Combine(m);
    }
    std::vector<std::string> files = LogFiles(path);
    row.bytes = TotalSize(files);
    std::vector<std::string> command{"cp", "--reflink=never"};
    std::vector<std::string> copied;
    for (const std::string& file : files) {
      command.push_back(file);
      copied.push_back(copies + file.substr(file.rfind('/')));
    }
    command.push_back(copies + "/");
    RemoveAll(copied);
    KeepBest(TimeCommand(command, nullptr), &row.baseline_seconds);
    RemoveAll(copied);
    std::fprintf(stderr, "  %s, run %d: %.3f s%s\n", which.label.c_str(), run + 1, m.seconds,
                 m.ok ? "" : (" FAILED: " + m.error).c_str());
  }
  rmdir(copies.c_str());
  return row;
}

ReportRow RunReader(PluginLibrary& plugin, const Options& options, const ReaderCase& which) {
  ReportRow row;
  row.conversion = which.label;
  row.reading = true;
  std::string path = options.dir + "/" + which.file;
  std::vector<std::string> files = LogFiles(path);
  row.bytes = TotalSize(files);
  std::vector<std::string> command{"cat"};
  command.insert(command.end(), files.begin(), files.end());
  for (int run = 0; run < options.runs; ++run) {
    KeepBest(TimeCommand(command, "/dev/null"), &row.baseline_seconds);
    Measurement m = ReadLog(plugin, path.c_str(), options.qsos);
    if (run == 0) {
      row.measurement = m;
    } else {
      row.measurement.Combine(m);
    }
    std::fprintf(stderr, "  %s, run %d: %.3f s%s\n", which.label.c_str(), run + 1, m.seconds,
                 m.ok ? "" : (" FAILED: " + m.error).c_str());
  }
  return row;
}

double LoadAverage() {
  double load[1] = {-1};
  return getloadavg(load, 1) == 1 ? load[0] : -1;
}

bool MakeWorkDir(Options* options, bool* made) {
  *made = false;
  if (!options->dir.empty()) {
    mkdir(options->dir.c_str(), 0755);
    return Exists(options->dir);
  }
  char pattern[] = "/tmp/varnek-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return false;
  options->dir = pattern;
  *made = true;
  return true;
}

int Run(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    Usage();
    return 2;
  }
  PluginLibrary plugin;
  if (!plugin.Load(options.plugin.c_str())) {
    std::fprintf(stderr, "varnek_bench: %s\n", plugin.Error().c_str());
    return 1;
  }
  bool made_dir = false;
  if (!MakeWorkDir(&options, &made_dir)) {
    std::fprintf(stderr, "varnek_bench: cannot use the folder %s\n", options.dir.c_str());
    return 1;
  }
  bool peak_resettable = ResetPeakResident();
  double load_before = LoadAverage();

  SyntheticLog log(options.seed);
  std::vector<ReportRow> rows;
  std::fprintf(stderr, "varnek_bench: %llu QSOs in %s\n",
               static_cast<unsigned long long>(options.qsos), options.dir.c_str());
  auto chosen = [&](const std::string& label) {
    return options.only.empty() || label.find(options.only) != std::string::npos;
  };
  for (const WriterCase& which : WriterCases()) {
    if (chosen(which.label)) rows.push_back(RunWriter(plugin, options, which, log));
  }
  for (const ReaderCase& which : ReaderCases()) {
    if (chosen(which.label)) rows.push_back(RunReader(plugin, options, which));
  }

  char date[32];
  std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
  std::printf("Varnek benchmark, %s: %s QSOs, best of %d runs\n\n", date,
              std::to_string(options.qsos).c_str(), options.runs);
  std::printf("Machine: %s\n", DescribeMachine().c_str());
  std::printf("Plug-in: %s\n", options.plugin.c_str());
  std::printf(
      "Load average (1 minute) before / after: %.2f / %.2f; other work on the machine "
      "slows every figure\n\n",
      load_before, LoadAverage());
  PrintTable(stdout, rows);
  std::printf("\n");
  bool targets_met = PrintTargets(stdout, rows, Targets());

  bool all_ok = true;
  bool hook_seen = false;
  for (const ReportRow& row : rows) {
    all_ok = all_ok && row.measurement.ok;
    hook_seen = hook_seen || row.measurement.open_allocations > 0;
  }
  if (!hook_seen) {
    std::printf(
        "\nFAILED: the allocation hook saw none of the plug-in's allocations; "
        "the allocation counts mean nothing\n");
    all_ok = false;
  }
  if (!peak_resettable) {
    std::printf(
        "\nNote: the peak resident memory could not be reset between conversions; "
        "each figure is the peak so far.\n");
  }

  if (!options.keep) {
    for (const WriterCase& which : WriterCases()) {
      RemoveAll(LogFiles(options.dir + "/" + which.file));
    }
    if (made_dir) rmdir(options.dir.c_str());
  }
  if (!all_ok) return 1;
  return options.check && !targets_met ? 1 : 0;
}

}  // namespace
}  // namespace varnek_bench

int main(int argc, char** argv) { return varnek_bench::Run(argc, argv); }
