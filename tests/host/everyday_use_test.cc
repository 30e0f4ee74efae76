// The varnek command's rules for daily use, one test each through the
// built program: an existing log is never lost (no clobbering, atomic
// replacement, even on a full disk), a read-only log is read, and the
// lines of a text log are checked and converted before they are written.
#include <gtest/gtest.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/run_varnek.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

const char kSampleSummary[] = "8 records read, 8 written, 0 warnings\n";
// Fixes the date stamped into HAMLOG headers, so that two runs compare.
const std::vector<std::string> kFixedClock = {"VARNEK_CLOCK=2025-01-02"};

std::string Sample(const std::string& name) { return ExamplesDir() + "/" + name; }

struct Existing {
  std::string name;
  std::string bytes;
};

void WriteAll(const TempDir& dir, const std::vector<Existing>& files) {
  for (const Existing& file : files) WriteFile(dir.Path(file.name), file.bytes);
}

void ExpectUnchanged(const TempDir& dir, const std::vector<Existing>& files) {
  for (const Existing& file : files) {
    EXPECT_EQ(ReadFile(dir.Path(file.name)), file.bytes) << file.name;
  }
}

TEST(NoClobberTest, AnExistingOutputIsReplacedOnlyWithForce) {
  struct Case {
    std::string output;
    std::vector<Existing> existing;
    std::vector<std::string> entries_after;  // once replaced
    std::vector<std::string> windows_entries_after;
  };
  const Case cases[] = {
      {"keep.csv", {{"keep.csv", "mine\r\n"}}, {"keep.csv"}, {"keep.csv"}},
      {"keep.l2", {{"keep.l2", std::string(200, 'x')}}, {"keep.l2"}, {"keep.l2"}},
      {"keep.dbs",
       {{"keep.dbs", "old data"}, {"keep.DBR", "old remarks"}},
       {"keep.DBR", "keep.dbs"},
       {"keep.DBR", "keep.dbs"}},
      // The companion alone, in another letter case, is also a log's part.
      // On Windows both letter cases name one file, which is replaced.
      {"pair.dbs",
       {{"pair.dbr", "old remarks"}},
       {"pair.DBR", "pair.dbr", "pair.dbs"},
       {"pair.dbr", "pair.dbs"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    TempDir fresh;
    WriteAll(dir, c.existing);
    Outcome refused = RunVarnek({"convert", Sample("sample.l2"), dir.Path(c.output)}, kFixedClock);
    EXPECT_EQ(refused.status, 1) << c.output;
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("already exists (give --force to replace it)"), std::string::npos)
        << refused.err;
    ExpectUnchanged(dir, c.existing);
    EXPECT_EQ(DirectoryEntries(dir.Path("")).size(), c.existing.size()) << c.output;

    Outcome forced =
        RunVarnek({"convert", "--force", Sample("sample.l2"), dir.Path(c.output)}, kFixedClock);
    EXPECT_EQ(forced.status, 0) << c.output << forced.err;
    EXPECT_EQ(forced.out, kSampleSummary);
    ASSERT_EQ(RunVarnek({"convert", Sample("sample.l2"), fresh.Path(c.output)}, kFixedClock).status,
              0);
    std::vector<std::string> after = DirectoryEntries(dir.Path(""));
    for (const std::string& name : DirectoryEntries(fresh.Path(""))) {
      std::string found = name;
      for (const std::string& entry : after) {
        if (WindowsCommand() && strcasecmp(entry.c_str(), name.c_str()) == 0) found = entry;
      }
      EXPECT_EQ(ReadFile(dir.Path(found)), ReadFile(fresh.Path(name))) << name;
    }
    // No temporary is left behind.
    EXPECT_EQ(after, WindowsCommand() ? c.windows_entries_after : c.entries_after) << c.output;
  }
}

TEST(AtomicReplaceTest, AConversionThatFailsOnAFullDiskLeavesTheOldLogAsItWas) {
  TempDir dir;
  SmallFileSystem small(dir.Path("small"), 64);
  if (!small.mounted()) GTEST_SKIP() << "no small file system to fill: " << small.why();
  std::string line =
      "24/05/03,0912,JA1ABC,59,7.050,SSB,100,\"Taro\",\"Tokyo\",\"REM[a long remark]\",J,,\r\n";
  std::string big;
  for (int i = 0; i < 2000; ++i) big += line;
  WriteFile(dir.Path("big.csv"), big);
  const std::vector<Existing> logs = {{"small/old.l2", ReadFile(Sample("sample.l2"))},
                                      {"small/old.dbs", ReadFile(Sample("sample.dbs"))},
                                      {"small/old.DBR", ReadFile(Sample("sample.DBR"))}};
  WriteAll(dir, logs);
  for (const char* output : {"small/old.l2", "small/old.dbs"}) {
    Outcome outcome = RunVarnek({"convert", "--force", dir.Path("big.csv"), dir.Path(output)});
    EXPECT_EQ(outcome.status, 1) << output;
    EXPECT_NE(outcome.out.find(" read, 0 written, "), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.err.find("(No space left on device)"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find(dir.Path(output) + " is left as it was\n"), std::string::npos)
        << outcome.err;
    ExpectUnchanged(dir, logs);
    EXPECT_EQ(DirectoryEntries(dir.Path("small")),
              (std::vector<std::string>{"old.DBR", "old.dbs", "old.l2"}));
  }
}

TEST(ReadOnlyLogTest, ReadOnlyLogsAreListedAndConvertedButKeepTheirMarks) {
  TempDir dir;
  OpenToEveryone(dir.Path(""));
  SmallFileSystem mount(dir.Path("mount"), 64);
  const std::vector<Existing> samples = {
      {"sample.l2", ReadFile(Sample("sample.l2"))},
      {"sample.dbs", ReadFile(Sample("sample.dbs"))},
      {"sample.DBR", ReadFile(Sample("sample.DBR"))},
  };
  struct Way {
    std::string folder;
    RunAs user;
    const char* reason;
  };
  std::vector<Way> ways;
  if (!FileModesBindNoOne()) {
    ways.push_back({"mode", RunAs::kBoundByFileModes, "Permission denied"});
  }
  mkdir(dir.Path("mode").c_str(), 0777);
  for (const Existing& sample : samples) {
    WriteFile(dir.Path("mode/" + sample.name), sample.bytes);
    chmod(dir.Path("mode/" + sample.name).c_str(), 0444);
    if (mount.mounted()) WriteFile(dir.Path("mount/" + sample.name), sample.bytes);
  }
  if (mount.mounted() && mount.MakeReadOnly()) {
    // Wine tells the files of a read-only mount as files marked read-only.
    ways.push_back(
        {"mount", RunAs::kSelf, WindowsCommand() ? "Permission denied" : "Read-only file system"});
  }
  for (const Way& way : ways) {
    for (const char* name : {"sample.l2", "sample.dbs"}) {
      std::string log = dir.Path(way.folder + "/" + name);
      Outcome listed = RunVarnek({"list", log}, {}, way.user);
      EXPECT_EQ(listed.status, 0) << log << listed.err;
      EXPECT_EQ(listed.err, "");
      EXPECT_EQ(Lines(listed.out).size(), 8u);

      Outcome converted = RunVarnek({"convert", log, dir.Path(way.folder + ".csv")}, {}, way.user);
      EXPECT_EQ(converted.status, 0) << log << converted.err;
      EXPECT_EQ(converted.out, kSampleSummary);
      std::remove(dir.Path(way.folder + ".csv").c_str());

      Outcome read = RunVarnek({"qsl", log, "1"}, {}, way.user);
      EXPECT_EQ(read.status, 0);
      EXPECT_EQ(read.out, "J\n");
      // The plug-in says once that it cannot write; the command says why.
      Outcome set = RunVarnek({"qsl", log, "1", "N"}, {}, way.user);
      EXPECT_EQ(set.status, 1);
      EXPECT_EQ(set.out, "");
      std::string reason = std::string(" (") + way.reason + ")";
      EXPECT_EQ(set.err, "varnek: " + log + ": ファイルに書き込めません." + reason +
                             "\nvarnek: " + log + " can only be read" + reason +
                             "; its QSL marks cannot be changed\n");
    }
    for (const Existing& sample : samples) {
      EXPECT_EQ(ReadFile(dir.Path(way.folder + "/" + sample.name)), sample.bytes) << sample.name;
    }
  }
}

TEST(InputCheckTest, LinesThatAreNoQsoLinesAreToldCountedAndFailUnderStrict) {
  TempDir dir;
  const std::string good = "24/05/03,0912,JA1ABC,59,7.050,SSB,100,\"Taro\",,,J,,\r\n";
  WriteFile(dir.Path("in.csv"), "Date,Time,Call,RST\r\n" + good +
                                    "\r\n"
                                    "garbage line here\r\n"
                                    "24/13/45,2599,JA1ABC,59\r\n"
                                    ",,,,,\r\n"
                                    "24/02/30,1200,JA1ABC\r\n"
                                    "240503,2460,JA1ABC\r\n"
                                    "24/05/03,1200,JA 1ABC\r\n" +
                                    good);
  std::string in = dir.Path("in.csv");
  const std::string told = "varnek: " + in + ":4: not a QSO line (date 'garbage line here')\n" +
                           "varnek: " + in + ":5: not a QSO line (month 13)\n" + "varnek: " + in +
                           ":6: not a QSO line (no date)\n" + "varnek: " + in +
                           ":7: not a QSO line (day 30 of month 2)\n" + "varnek: " + in +
                           ":8: not a QSO line (hour 24)\n" + "varnek: " + in +
                           ":9: not a QSO line (call sign 'JA 1ABC')\n";
  for (bool strict : {false, true}) {
    std::vector<std::string> args = {"convert", in, dir.Path(strict ? "strict.csv" : "out.csv")};
    if (strict) args.push_back("--strict");
    Outcome outcome = RunVarnek(args);
    EXPECT_EQ(outcome.status, strict ? 1 : 0);
    EXPECT_EQ(outcome.err, told);
    EXPECT_EQ(outcome.out, "10 records read, 2 written, 0 warnings, 6 lines skipped\n");
    EXPECT_EQ(ReadFile(args[2]), good + good);
  }
}

TEST(InputCheckTest, Utf8InputReachesTheWritersInCp932) {
  TempDir dir;
  // 山田 and 東京 have CP932 forms; 𠀋 has none.
  const std::string utf8 = "24/05/03,0912,JA1ABC,59,7,SSB,,\"山田\",\"東京𠀋\",,J,,\r\n";
  const std::string cp932 =
      "24/05/03,0912,JA1ABC,59,7,SSB,,\"\x8E\x52\x93\x63\",\"\x93\x8C\x8B\x9E?\",,J,,\r\n";
  struct Case {
    std::string input;
    std::vector<std::string> options;
    std::string written;
    std::string summary;
  };
  const std::string replaced = ", 1 character replaced by '?'\n";
  const Case cases[] = {
      {utf8, {}, cp932, replaced},
      {"\xEF\xBB\xBF" + utf8, {}, cp932, replaced},
      {utf8, {"--input-encoding", "cp932"}, utf8, "\n"},
      // No look-alikes: the full-width tilde is CP932's, the wave dash,
      // yen sign, minus, double bar and cent sign are not.
      {"24/05/03,0912,JA1ABC,59,7,SSB,,\"～〜¥−‖¢\",,,J,,\r\n",
       {},
       "24/05/03,0912,JA1ABC,59,7,SSB,,\"\x81\x60?????\",,,J,,\r\n",
       ", 5 characters replaced by '?'\n"},
      // CP932 said to be UTF-8: what is no UTF-8 becomes '?', counted.
      {cp932,
       {"--input-encoding=utf-8"},
       "24/05/03,0912,JA1ABC,59,7,SSB,,\"?R?c\",\"?????\",,J,,\r\n",
       ", 6 characters replaced by '?'\n"},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::string in = dir.Path("in" + std::to_string(n) + ".csv");
    std::string out = dir.Path("out" + std::to_string(n++) + ".csv");
    WriteFile(in, c.input);
    std::vector<std::string> args = {"convert", in, out};
    args.insert(args.end(), c.options.begin(), c.options.end());
    Outcome outcome = RunVarnek(args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "1 record read, 1 written, 0 warnings" + c.summary);
    EXPECT_EQ(ReadFile(out), c.written) << n;
  }
}

}  // namespace
}  // namespace varnek_test
