// The varnek command on the bundled sample logs and on logs it writes in
// the fixed-record formats. Every test here needs the LOG200 and HAMLOG
// handlers; the conversion into every format also needs the QIRNO writer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/run_varnek.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

constexpr int kSampleRecords = 8;
const char kSampleSummary[] = "8 records read, 8 written, 0 warnings\n";

// The thirteen fields of a listed QSO line, quotes kept.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}

// What every format holds of a listed QSO line: all fields but the
// remarks, and of the remarks the report received.
std::vector<std::string> Held(const std::string& line) {
  std::vector<std::string> fields = Fields(line);
  if (fields.size() != 13) return {"not a QSO line: " + line};
  std::string remarks = fields[9];
  size_t my = remarks.find("My｢");
  fields[9] = my == std::string::npos ? "" : remarks.substr(my, remarks.find("｣", my) - my);
  return fields;
}

// Copies the HAMLOG sample (both files) into `dir` as log.dbs / log.DBR.
std::string CopyHamlogSample(const TempDir& dir, bool with_remarks = true) {
  WriteFile(dir.Path("log.dbs"), ReadFile(ExamplesDir() + "/sample.dbs"));
  if (with_remarks) WriteFile(dir.Path("log.DBR"), ReadFile(ExamplesDir() + "/sample.DBR"));
  return dir.Path("log.dbs");
}

TEST(SampleLogTest, HamlogSampleListsAsQsoLinesInUtf8) {
  Outcome outcome = RunVarnek({"list", ExamplesDir() + "/sample.dbs"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  std::vector<std::string> lines = Lines(outcome.out);
  ASSERT_EQ(lines.size(), static_cast<size_t>(kSampleRecords));
  EXPECT_EQ(
      lines[0].rfind("240503,0912,JA1ABC,59,7.050,SSB,100,\"山田 太郎\",\"東京都千代田区\",", 0),
      0u)
      << lines[0];
  EXPECT_EQ(Fields(lines[6])[7], "\"ﾜﾀﾅﾍﾞ\"");
  EXPECT_EQ(Fields(lines[3])[12], "移動");
}

TEST(SampleLogTest, HamlogSampleConvertsIntoTheOtherThreeFormats) {
  TempDir dir;
  std::string sample = ExamplesDir() + "/sample.dbs";
  for (const char* name : {"out.l2", "out.log", "out.csv"}) {
    Outcome outcome = RunVarnek({"convert", sample, dir.Path(name)});
    EXPECT_EQ(outcome.status, 0) << name << outcome.err;
    EXPECT_EQ(outcome.out, kSampleSummary) << name;
    EXPECT_EQ(outcome.err, "") << name;
  }
  EXPECT_EQ(ReadFile(dir.Path("out.l2")).size(), 200u * kSampleRecords);
  // The readers' YYMMDD dates reach the writers as YY/MM/DD.
  std::string log = ReadFile(dir.Path("out.log"));
  EXPECT_EQ(log.rfind("24.05.03,0912.02,\"JA1ABC\",59,59,7.050,SSB,100,", 0), 0u) << log;
  std::string csv = ReadFile(dir.Path("out.csv"));
  EXPECT_EQ(csv.rfind("24/05/03,0912,JA1ABC,59,7.050,SSB,100,", 0), 0u) << csv;
  EXPECT_EQ(csv, ReadFile(ExamplesDir() + "/sample.csv"));
}

TEST(SampleLogTest, RegeneratingGivesTheBundledSamples) {
  TempDir dir;
  TempDir scripts;
  std::string command = "'" + ExamplesDir() + "/regenerate' '" +
                        CommandForScripts(scripts.Path("")) + "' '" + dir.Path("") + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const char* name : {"sample.l2", "sample.dbs", "sample.DBR", "sample.csv"}) {
    EXPECT_EQ(ReadFile(dir.Path(name)), ReadFile(ExamplesDir() + "/" + name)) << name;
  }
}

TEST(SampleLogTest, ChainThroughEveryFormatKeepsWhatEachHolds) {
  TempDir dir;
  std::vector<std::string> steps = {ExamplesDir() + "/sample.dbs", dir.Path("chain.l2"),
                                    dir.Path("chain.csv"), dir.Path("chain.dbs")};
  std::vector<std::string> first = Lines(RunVarnek({"list", steps[0]}).out);
  ASSERT_EQ(first.size(), static_cast<size_t>(kSampleRecords));
  for (size_t i = 1; i < steps.size(); ++i) {
    Outcome converted = RunVarnek({"convert", steps[i - 1], steps[i]});
    ASSERT_EQ(converted.status, 0) << steps[i] << converted.err;
    EXPECT_EQ(converted.out, kSampleSummary) << steps[i];
    std::vector<std::string> listed = Lines(RunVarnek({"list", steps[i]}).out);
    ASSERT_EQ(listed.size(), first.size()) << steps[i];
    for (size_t r = 0; r < first.size(); ++r) {
      std::string expected = first[r];
      // The CSV log holds the QSO lines a writer receives: dates as YY/MM/DD.
      if (i == 2)
        expected = expected.substr(0, 2) + "/" + expected.substr(2, 2) + "/" + expected.substr(4);
      EXPECT_EQ(Held(listed[r]), Held(expected)) << steps[i] << " record " << r;
    }
  }
}

TEST(SampleLogTest, MissingRemarkFileIsOneWarningAndTheRecordsStillCome) {
  TempDir dir;
  std::string log = CopyHamlogSample(dir, false);
  Outcome listed = RunVarnek({"list", log});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.err,
            "varnek: " + dir.Path("log.DBR") +
                ": 関連する DBR ファイルがオープンできません. (No such file or directory)\n");
  EXPECT_EQ(Lines(listed.out).size(), static_cast<size_t>(kSampleRecords));

  Outcome converted = RunVarnek({"convert", log, dir.Path("out.csv")});
  EXPECT_EQ(converted.status, 0);
  EXPECT_EQ(converted.out, "8 records read, 8 written, 1 warning\n");
}

TEST(SampleLogTest, OverflowWarningIsOneLineAndCounted) {
  TempDir dir;
  WriteFile(dir.Path("long.csv"),
            "24/05/03,0912,JA1ABC,59,7,SSB,,,,\"" + std::string(250, 'r') + "\",,,\r\n");
  Outcome outcome = RunVarnek({"convert", dir.Path("long.csv"), dir.Path("out.l2")});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err,
            "varnek: 変換した結果がLOG200レコード長を越えました. "
            "リマークフィールドの後半部分を失います.\n");
  EXPECT_EQ(outcome.out, "1 record read, 1 written, 1 warning, 1 record shortened\n");
  EXPECT_EQ(ReadFile(dir.Path("out.l2")).size(), 200u);
}

TEST(SampleLogTest, Log200MarkIsReadAndAnEmptyOneFilledInPlace) {
  TempDir dir;
  WriteFile(dir.Path("log.l2"), ReadFile(ExamplesDir() + "/sample.l2"));
  Outcome empty = RunVarnek({"qsl", dir.Path("log.l2"), "5"});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "\n");

  Outcome set = RunVarnek({"qsl", dir.Path("log.l2"), "5", "J"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "J\n");
  EXPECT_EQ(ReadFile(dir.Path("log.l2")).size(), 200u * kSampleRecords);
  EXPECT_EQ(Fields(Lines(RunVarnek({"list", dir.Path("log.l2")}).out)[5])[10], "J");

  // LOG200 fills only an empty mark.
  Outcome refused = RunVarnek({"qsl", dir.Path("log.l2"), "0", "N"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "varnek: the plug-in left the QSL mark of record 0 as it was ('J'): LOG200 writes a "
            "QSL mark only into an empty mark field, and record 0 holds one\n");

  // A mark stored otherwise than given is told as stored: the record
  // separator byte 0x1E becomes a space.
  Outcome changed = RunVarnek({"qsl", dir.Path("log.l2"), "7", "J\x1EX"});
  EXPECT_EQ(changed.status, 0);
  EXPECT_EQ(changed.out, "J X\n");
  EXPECT_EQ(changed.err, "varnek: record 7 now holds the QSL mark 'J X' for 'J?X'\n");
  // list -n numbers the records as qsl counts them.
  std::vector<std::string> numbered = Lines(RunVarnek({"list", "-n", dir.Path("log.l2")}).out);
  ASSERT_EQ(numbered.size(), static_cast<size_t>(kSampleRecords));
  EXPECT_EQ(numbered[7].rfind("     7\t250101,0005,JA1ABC/1,", 0), 0u) << numbered[7];
  EXPECT_EQ(Fields(numbered[7])[10], "J");

  Outcome beyond = RunVarnek({"qsl", dir.Path("log.l2"), "8"});
  EXPECT_EQ(beyond.status, 1);
  EXPECT_NE(beyond.err.find("has no record 8"), std::string::npos) << beyond.err;
}

TEST(SampleLogTest, HamlogMarkIsChangedInPlace) {
  TempDir dir;
  std::string log = CopyHamlogSample(dir);
  std::string before = ReadFile(log);
  Outcome read = RunVarnek({"qsl", log, "1"});
  EXPECT_EQ(read.status, 0);
  EXPECT_EQ(read.out, "J\n");

  Outcome set = RunVarnek({"qsl", log, "1", "N"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "N\n");
  std::string after = ReadFile(log);
  ASSERT_EQ(after.size(), before.size());
  size_t changed = 0;
  for (size_t i = 0; i < after.size(); ++i) changed += after[i] != before[i];
  EXPECT_EQ(changed, 1u);
  EXPECT_EQ(Fields(Lines(RunVarnek({"list", log}).out)[1])[10], "N");

  // HAMLOG changes only a mark that is set.
  Outcome refused = RunVarnek({"qsl", log, "5", "J"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "varnek: the plug-in left the QSL mark of record 5 as it was (''): HAMLOG changes "
            "only a QSL mark that is set, and record 5 has none\n");
  EXPECT_EQ(ReadFile(log), after);
}

}  // namespace
}  // namespace varnek_test
