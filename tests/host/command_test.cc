// The varnek command run as a user runs it, on text logs (read and written
// by the CSV handler) and on mistakes: exit statuses, what reaches standard
// output and error, and in which character set.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "host/run_varnek.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

// Two QSO lines as the CSV writer stores them: a Japanese name (山田) and
// QTH (東京), then a byte that is no CP932 character (0x80).
const std::string kTextLog =
    "24/05/03,0912,JA1ABC,59,7.050,SSB,100,\"\x8E\x52\x93\x63\",\"\x93\x8C\x8B\x9E\",,J,,\r\n"
    "24/05/04,2359,JH3XYZ,599,14.025,CW,50,\"bad\x80\",,,,,\r\n";

int CountLines(const std::string& text) { return static_cast<int>(Lines(text).size()); }

bool JapaneseShownAlways() {
  return NotForWindows("a Windows console and CP932 files show Japanese always");
}

TEST(UsageTest, MistakesExitTwoWithAOneLineHint) {
  Outcome none = RunVarnek({});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "varnek: no command given (try 'varnek --help')\n");

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"convert", "in.csv"}, {"list", "a", "--utc"}, {"qsl", "a.l2", "first"}, {"bogus"}}) {
    Outcome outcome = RunVarnek(args);
    EXPECT_EQ(outcome.status, 2) << args[0];
    EXPECT_EQ(CountLines(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find("(try 'varnek --help')"), std::string::npos) << outcome.err;
  }
  Outcome bad_clock = RunVarnek({"info"}, {"VARNEK_CLOCK=tomorrow"});
  EXPECT_EQ(bad_clock.status, 2);
}

TEST(UsageTest, HelpAndVersionSucceed) {
  Outcome help = RunVarnek({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: varnek", 0), 0u);
  EXPECT_EQ(help.err, "");
  // Each command's own help, asked either way.
  Outcome convert_help = RunVarnek({"help", "convert"});
  EXPECT_EQ(convert_help.status, 0);
  EXPECT_EQ(convert_help.out.rfind("Usage: varnek convert IN OUT [--force]", 0), 0u)
      << convert_help.out;
  EXPECT_NE(convert_help.out.find("--input-encoding cp932|utf-8"), std::string::npos);
  EXPECT_EQ(RunVarnek({"convert", "--help"}).out, convert_help.out);
  EXPECT_EQ(RunVarnek({"help", "bogus"}).status, 2);
  Outcome version = RunVarnek({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "varnek 1.03\n");
}

TEST(PluginLoadingTest, AMissingPluginFailsCleanly) {
  Outcome outcome = RunVarnek({"--plugin", "/nonexistent/libvarnek.so", "info"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err.rfind("varnek: cannot load the plug-in: ", 0), 0u) << outcome.err;
}

TEST(InfoTest, ShowsBannerCaptionAndFormatsInTheTerminalsCharset) {
  Outcome utf8 = RunVarnek({"info"});
  EXPECT_EQ(utf8.status, 0);
  EXPECT_NE(utf8.out.find("Version:  Varnek Version 1.03"), std::string::npos) << utf8.out;
  EXPECT_NE(utf8.out.find("Menu:     VARNEK.DLL Ver1.03 経由でログを読みこむ"), std::string::npos);
  size_t reads = utf8.out.find("Reads:\n");
  size_t writes = utf8.out.find("Writes:\n");
  ASSERT_NE(reads, std::string::npos);
  ASSERT_NE(writes, std::string::npos);
  std::string read_formats = utf8.out.substr(reads, writes - reads);
  std::string write_formats = utf8.out.substr(writes);
  EXPECT_EQ(CountLines(read_formats), 6);
  EXPECT_EQ(CountLines(write_formats), 6);
  EXPECT_NE(read_formats.find("  *.adi;*.adif   ADIF\n  *.*  "), std::string::npos) << read_formats;
  EXPECT_NE(write_formats.find("  *.adi;*.adif   ADIF\n"), std::string::npos);
  EXPECT_NE(read_formats.find("*.*            すべてのファイル(*.*)"), std::string::npos);
  EXPECT_NE(write_formats.find("*.log          QIRNOテキストファイル(*.log)"), std::string::npos);

  if (JapaneseShownAlways()) return;
  Outcome ascii = RunVarnek({"info"}, {"LC_ALL=C"});
  EXPECT_EQ(ascii.status, 0);
  EXPECT_NE(ascii.out.find("VARNEK.DLL Ver1.03 ?????????? (Varnek team)"), std::string::npos)
      << ascii.out;
  for (char c : ascii.out) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << ascii.out;
}

TEST(ListTest, TextLinesReachTheTerminalConvertedOrRaw) {
  TempDir dir;
  WriteFile(dir.Path("log.csv"), kTextLog);
  Outcome shown = RunVarnek({"list", dir.Path("log.csv")});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.err, "");
  EXPECT_EQ(shown.out,
            "24/05/03,0912,JA1ABC,59,7.050,SSB,100,\"山田\",\"東京\",,J,,\n"
            "24/05/04,2359,JH3XYZ,599,14.025,CW,50,\"bad?\",,,,,\n");

  Outcome raw = RunVarnek({"list", "--raw", dir.Path("log.csv")});
  EXPECT_EQ(raw.status, 0);
  std::string expected = kTextLog;
  for (size_t cr; (cr = expected.find('\r')) != std::string::npos;) expected.erase(cr, 1);
  EXPECT_EQ(raw.out, expected);
}

TEST(ListTest, UnreadableLogsAreNamedWithTheSystemsReason) {
  TempDir dir;
  OpenToEveryone(dir.Path(""));
  WriteFile(dir.Path("empty.txt"), "");
  WriteFile(dir.Path("locked.l2"), std::string(200, ' '));
  chmod(dir.Path("locked.l2").c_str(), 0);
  struct Case {
    std::string log;
    std::vector<std::string> environment;
    std::string err;
    bool (*skipped)();  // for the Windows command, or null
  };
  const std::string missing = dir.Path("missing.csv");
  const Case cases[] = {
      {missing,
       {},
       missing + ": ファイルがオープンできません. (No such file or directory)",
       nullptr},
      {dir.Path("empty.txt"),
       {},
       dir.Path("empty.txt") + ": 最初のレコードが見つかりません.",
       nullptr},
      {dir.Path(""),
       {},
       dir.Path("") + ": ファイルがオープンできません. (Is a directory)",
       nullptr},
      {dir.Path("locked.l2"),
       {},
       dir.Path("locked.l2") + ": ファイルがオープンできません. (Permission denied)",
       &FileModesBindNoOne},
      // A terminal that cannot show Japanese gets the English text.
      {missing,
       {"LC_ALL=C"},
       missing + ": the file cannot be opened. (No such file or directory)",
       &JapaneseShownAlways},
  };
  for (const Case& c : cases) {
    if (c.skipped != nullptr && c.skipped()) continue;
    Outcome outcome = RunVarnek({"list", c.log}, c.environment, RunAs::kBoundByFileModes);
    EXPECT_EQ(outcome.status, 1) << c.log;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "varnek: " + c.err + "\n");
  }

  Outcome too_long = RunVarnek({"list", std::string(600, 'x') + ".csv"});
  EXPECT_EQ(too_long.status, 1);
  EXPECT_NE(too_long.err.find("at most 511 bytes"), std::string::npos) << too_long.err;
}

TEST(ConvertTest, TextLogsPassUnchangedInJstAndShiftedInUtc) {
  TempDir dir;
  WriteFile(dir.Path("in.csv"), kTextLog);
  Outcome jst = RunVarnek({"convert", dir.Path("in.csv"), dir.Path("jst.csv")});
  EXPECT_EQ(jst.status, 0);
  EXPECT_EQ(jst.out, "2 records read, 2 written, 0 warnings\n");
  EXPECT_EQ(jst.err, "");
  EXPECT_EQ(ReadFile(dir.Path("jst.csv")), kTextLog);

  Outcome utc = RunVarnek({"convert", "--utc", dir.Path("in.csv"), dir.Path("utc.csv")});
  EXPECT_EQ(utc.status, 0);
  std::string written = ReadFile(dir.Path("utc.csv"));
  EXPECT_EQ(written.rfind("24/05/03,0012,JA1ABC,", 0), 0u) << written;
  EXPECT_NE(written.find("\r\n24/05/04,1459,JH3XYZ,"), std::string::npos) << written;
}

TEST(ConvertTest, ReaderDatesReachWritersInTheirForm) {
  TempDir dir;
  WriteFile(dir.Path("in.txt"), "240503,0912,JA1ABC,59,7,SSB,,,,,,,\r\n24/05/04,0913,JA1ABD\r\n");
  Outcome outcome = RunVarnek({"convert", dir.Path("in.txt"), dir.Path("out.txt")});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(ReadFile(dir.Path("out.txt")),
            "24/05/03,0912,JA1ABC,59,7,SSB,,,,,,,\r\n24/05/04,0913,JA1ABD\r\n");
}

TEST(ConvertTest, FailuresAreToldAndNeverExitZero) {
  TempDir dir;
  WriteFile(dir.Path("in.csv"), kTextLog);
  Outcome no_directory = RunVarnek({"convert", dir.Path("in.csv"), dir.Path("no/out.csv")});
  EXPECT_EQ(no_directory.status, 1);
  EXPECT_EQ(no_directory.err, "varnek: " + dir.Path("no/out.csv") +
                                  ": ファイルが作成できません. (No such file or directory)\n");

  Outcome no_input = RunVarnek({"convert", dir.Path("none.csv"), dir.Path("out.csv")});
  EXPECT_EQ(no_input.status, 1);
  EXPECT_FALSE(FileExists(dir.Path("out.csv")));

  // The text writer's lines stay in its stream buffer until it closes. A
  // device cannot be replaced: with --force it is written directly.
  if (NotForWindows("Wine reports writes to /dev/full as done")) return;
  Outcome full_disk = RunVarnek({"convert", "--force", dir.Path("in.csv"), "/dev/full"});
  EXPECT_EQ(full_disk.status, 1);
  EXPECT_EQ(full_disk.err,
            "varnek: /dev/full: ファイルのクローズに失敗しました. (No space left on device)\n");
  EXPECT_EQ(full_disk.out, "2 records read, 0 written, 1 warning\n");
}

// The plug-in warns once per file; the summary tells how many records lost
// something, the first one and those after it.
TEST(ConvertTest, TheSummaryCountsTheRecordsThatLostSomething) {
  TempDir dir;
  const std::string clean = "24/05/03,0912,JA1ABC,59,7,SSB,,,,,,,\r\n";
  const std::string long_remark =
      "24/05/03,0912,JA1ABC,59,7,SSB,,,,\"" + std::string(250, 'r') + "\",,,\r\n";
  WriteFile(dir.Path("in.csv"), clean +
                                    "24/05/03,0912,JA1ABC,59,7,SSB,,\"Yamada Taro Jr.\",,,,,\r\n" +
                                    clean + "24/05/03,0912,JA1ABC,-10,14.074,FT8,,,,,,,\r\n" +
                                    long_remark + "24/05/03,0912,JA1ABCDE,59,7,SSB,,,,,,,\r\n");
  struct Case {
    const char* output;
    const char* summary;
  } cases[] = {
      {"out.dbs", "6 records read, 6 written, 1 warning, 4 records shortened\n"},
      {"out.l2", "6 records read, 6 written, 1 warning, 1 record shortened\n"},
      {"out.csv", "6 records read, 6 written, 0 warnings\n"},
  };
  for (const Case& c : cases) {
    Outcome outcome = RunVarnek({"convert", dir.Path("in.csv"), dir.Path(c.output)});
    EXPECT_EQ(outcome.status, 0) << c.output;
    EXPECT_EQ(outcome.out, c.summary);
  }
}

TEST(ConvertTest, NeverOverwritesTheLogBeingRead) {
  TempDir dir;
  WriteFile(dir.Path("in.csv"), kTextLog);
  Outcome same = RunVarnek({"convert", dir.Path("in.csv"), dir.Path("./in.csv")});
  EXPECT_EQ(same.status, 2);
  EXPECT_EQ(ReadFile(dir.Path("in.csv")), kTextLog);

  // A HAMLOG output brings its remark file, which here is the input.
  WriteFile(dir.Path("log.DBR"), kTextLog);
  Outcome companion = RunVarnek({"convert", dir.Path("log.DBR"), dir.Path("log.dbs")});
  EXPECT_EQ(companion.status, 2);
  EXPECT_NE(companion.err.find("would overwrite"), std::string::npos) << companion.err;
  EXPECT_EQ(ReadFile(dir.Path("log.DBR")), kTextLog);
  EXPECT_FALSE(FileExists(dir.Path("log.dbs")));
}

TEST(ConvertTest, NoProgressBarInPipes) {
  TempDir dir;
  WriteManyQsoLines(dir.Path("many.csv"), 10001);
  Outcome outcome = RunVarnek({"convert", dir.Path("many.csv"), dir.Path("out.csv")});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "10001 records read, 10001 written, 0 warnings\n");
}

TEST(QslTest, TextLogsKeepNoMarks) {
  TempDir dir;
  WriteFile(dir.Path("log.csv"), kTextLog);
  Outcome outcome = RunVarnek({"qsl", dir.Path("log.csv"), "0", "J"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("keeps no QSL marks"), std::string::npos) << outcome.err;
  EXPECT_EQ(ReadFile(dir.Path("log.csv")), kTextLog);
}

}  // namespace
}  // namespace varnek_test
