// The varnek command where platforms could part: every pair of formats
// converted and listed, with the files, messages and listings compared to
// what the varnek built for this system writes from the same input (for
// the Windows command under Wine, byte for byte against the Linux one);
// names beyond ASCII; a terminal; Ctrl-C in the middle of a conversion.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "host/run_varnek.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

const std::vector<std::string> kFixedClock = {"VARNEK_CLOCK=2025-01-02T03:04:05"};
const char* const kOutputs[] = {"l2", "dbs", "csv", "log", "adi"};

// The text with every occurrence of `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Both commands' runs of the same arguments, in two folders of the same
// layout; "@" in an argument stands for the folder.
struct Pair {
  TempDir tested;
  TempDir native;

  void Expect(const std::vector<std::string>& args, int status) {
    std::vector<std::string> here, there;
    for (const std::string& arg : args) {
      here.push_back(Replaced(arg, "@", tested.Path("")));
      there.push_back(Replaced(arg, "@", native.Path("")));
    }
    Outcome mine = RunVarnek(here, kFixedClock);
    Outcome theirs = RunNativeVarnek(there, kFixedClock);
    EXPECT_EQ(mine.status, status) << here[1] << mine.err;
    EXPECT_EQ(mine.status, theirs.status) << here[1];
    EXPECT_EQ(mine.out, theirs.out) << here[1];
    EXPECT_EQ(Replaced(mine.err, tested.Path(""), "@"), Replaced(theirs.err, native.Path(""), "@"))
        << here[1];
  }

  // Every file either run wrote is in the other's folder, with its bytes.
  void ExpectSameFiles(size_t count) {
    std::vector<std::string> names = DirectoryEntries(tested.Path(""));
    EXPECT_EQ(names, DirectoryEntries(native.Path("")));
    EXPECT_EQ(names.size(), count);
    for (const std::string& name : names) {
      EXPECT_EQ(ReadFile(tested.Path(name)), ReadFile(native.Path(name))) << name;
    }
  }
};

std::string InCp932(const std::string& utf8) {
  iconv_t convert = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size(), out_left = out.size();
  char* at = &out[0];
  iconv(convert, &in, &in_left, &at, &out_left);
  iconv_close(convert);
  out.resize(out.size() - out_left);
  return out;
}

TEST(EveryFormatTest, EveryPairConvertsAndListsAsTheNativeCommandDoes) {
  Pair pair;
  struct Input {
    std::string name;
    std::string source;  // a file of the tree, or "" for `text`
    std::string text;
  };
  const std::string examples = ExamplesDir() + "/";
  const std::string logs = VARNEK_TEST_LOGS_DIR "/";
  const Input inputs[] = {
      {"in.l2", examples + "sample.l2", ""},
      {"in.dbs", examples + "sample.dbs", ""},
      {"in.DBR", examples + "sample.DBR", ""},
      {"in.csv", logs + "qso-lines.csv", ""},
      {"wsjtx.adi", logs + "wsjtx.adi", ""},
      // UTF-8 text, converted by the command before the plug-in sees it.
      {"utf8.txt", "",
       "24/05/03,0912,JA1ABC,59,7,SSB,,\"山田\",\"東京\",\"REM[ｶﾅ 表示]\",J,,\r\n"
       "24/12/31,2359,JH3XYZ/3,599,14.025,CW,50,\"鈴木\",\"京都\",,,,\r\n"},
  };
  for (TempDir* dir : {&pair.tested, &pair.native}) {
    for (const Input& input : inputs) {
      WriteFile(dir->Path(input.name), input.source.empty() ? input.text : ReadFile(input.source));
    }
  }
  std::vector<std::string> readers = {"in.l2", "in.dbs", "in.csv", "wsjtx.adi", "utf8.txt"};
  // An ADIF log of this command's own, with Japanese names, read back.
  pair.Expect({"convert", "@in.dbs", "@own.adi"}, 0);
  readers.push_back("own.adi");
  size_t files = sizeof inputs / sizeof *inputs + 1;
  for (const std::string& reader : readers) {
    for (const char* format : kOutputs) {
      std::string out = "@" + reader.substr(0, reader.find('.')) + "-" +
                        reader.substr(reader.find('.') + 1) + "." + format;
      pair.Expect({"convert", "@" + reader, out}, 0);
      pair.Expect({"list", "-n", out}, 0);
      files += std::string(format) == "dbs" ? 2 : 1;
    }
    pair.Expect({"list", "--raw", "@" + reader}, 0);
  }
  pair.Expect({"convert", "--utc", "@in.dbs", "@utc.csv"}, 0);
  pair.Expect({"qsl", "@in-l2.dbs", "1", "N"}, 0);
  pair.Expect({"qsl", "@in-dbs.l2", "5", "J"}, 0);
  pair.ExpectSameFiles(files + 1);
}

TEST(NamesTest, NamesBeyondAsciiWork) {
  // 表 and ソ end in the byte of '\' in CP932 (0x95 0x5C, 0x83 0x5C).
  Pair pair;
  for (TempDir* dir : {&pair.tested, &pair.native}) mkdir(dir->Path("ログ表").c_str(), 0755);
  const std::string sample = ExamplesDir() + "/sample.dbs";
  pair.Expect({"convert", sample, "@ログ表/記録ソ.dbs"}, 0);
  pair.Expect({"convert", "@ログ表/記録ソ.dbs", "@ログ表/写し.adi"}, 0);
  pair.Expect({"list", "@ログ表/記録ソ.dbs"}, 0);
  pair.Expect({"qsl", "@ログ表/記録ソ.dbs", "1", "N"}, 0);
  pair.Expect({"list", "@ログ表/無い.l2"}, 1);
  pair.Expect({"convert", sample, "@ログ表/記録ソ.dbs"}, 1);  // exists
  EXPECT_EQ(DirectoryEntries(pair.tested.Path("ログ表")),
            (std::vector<std::string>{"写し.adi", "記録ソ.DBR", "記録ソ.dbs"}));
  for (const char* name : {"写し.adi", "記録ソ.DBR", "記録ソ.dbs"}) {
    std::string file = std::string("ログ表/") + name;
    EXPECT_EQ(ReadFile(pair.tested.Path(file)), ReadFile(pair.native.Path(file))) << name;
  }

  // Hangul has no CP932 form: the Windows command cannot hand the name to
  // the plug-in and says so; elsewhere the name is only bytes.
  TempDir dir;
  std::string korean = dir.Path("한국.csv");
  Outcome outcome = RunVarnek({"convert", sample, korean});
  if (WindowsCommand()) {
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "varnek: '" + dir.Path("??.csv") +
                               "' cannot be passed to the plug-in: code page 932 has no form for "
                               "the characters shown as '?' (try 'varnek --help')\n");
    EXPECT_FALSE(FileExists(korean));
  } else {
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(FileExists(korean));
  }
}

TEST(NamesTest, FilesAndPipesGetCp932FromTheWindowsCommand) {
  if (!WindowsCommand()) GTEST_SKIP() << "the Windows command's own default";
  TempDir dir;
  std::string missing = dir.Path("無い.l2");
  Outcome listed = RunWindowsCommandAsIs({"list", ExamplesDir() + "/sample.dbs"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out, RunNativeVarnek({"list", "--raw", ExamplesDir() + "/sample.dbs"}).out);
  Outcome failed = RunWindowsCommandAsIs({"list", missing});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, InCp932("varnek: " + missing +
                                ": ファイルがオープンできません. (No such file or "
                                "directory)\n"));
}

// What a terminal shows: escape sequences, line ends and blanks left out
// (a console draws some blanks by moving the cursor).
std::string Shown(const std::string& terminal) {
  std::string shown;
  for (size_t i = 0; i < terminal.size(); ++i) {
    char c = terminal[i];
    if (c == '\x1B' && i + 1 < terminal.size() && terminal[i + 1] == '[') {
      i += 2;
      while (i < terminal.size() && !(terminal[i] >= '@' && terminal[i] <= '~')) ++i;
    } else if (c != ' ' && c != '\r' && c != '\n') {
      shown.push_back(c);
    }
  }
  return shown;
}

TEST(TerminalTest, JapaneseShowsAndLongConversionsShowTheirProgress) {
  Outcome listed = RunVarnekOnTerminal({"list", ExamplesDir() + "/sample.dbs"});
  EXPECT_EQ(listed.status, 0);
  std::string shown = Shown(listed.out);
  for (const char* text : {"山田太郎", "東京都千代田区", "REM1｢初めての交信", "ﾜﾀﾅﾍﾞ"}) {
    EXPECT_NE(shown.find(text), std::string::npos) << text << "\n" << listed.out;
  }

  TempDir dir;
  WriteManyQsoLines(dir.Path("many.csv"), 20000);
  Outcome converted = RunVarnekOnTerminal({"convert", dir.Path("many.csv"), dir.Path("out.l2")});
  EXPECT_EQ(converted.status, 0);
  shown = Shown(converted.out);
  EXPECT_NE(shown.find("####"), std::string::npos) << converted.out;
  EXPECT_NE(shown.find("20000records"), std::string::npos) << converted.out;
  EXPECT_NE(shown.find("20000recordsread,20000written,0warnings"), std::string::npos);
}

// True when the conversion has written a thousand LOG200 records into its
// temporary file in `directory`.
bool ThousandRecordsWritten(const char* directory) {
  for (const std::string& name : DirectoryEntries(directory)) {
    struct stat info;
    if (name.compare(0, 9, ".out.tmp-") == 0 &&
        stat((std::string(directory) + "/" + name).c_str(), &info) == 0 &&
        info.st_size >= 200 * 1000) {
      return true;
    }
  }
  return false;
}

TEST(InterruptTest, CtrlCKeepsWhatWasWrittenAndLeavesOutputAlone) {
  TempDir dir;
  WriteManyQsoLines(dir.Path("many.csv"), 300000);
  std::string folder = dir.Path("");
  Outcome outcome = RunVarnekInterrupted({"convert", dir.Path("many.csv"), dir.Path("out.l2")},
                                         &ThousandRecordsWritten, folder.c_str());
  EXPECT_EQ(outcome.status, 130) << outcome.err;
  EXPECT_FALSE(FileExists(dir.Path("out.l2")));
  std::vector<std::string> names = DirectoryEntries(folder);
  ASSERT_EQ(names.size(), 2u);
  std::string kept = dir.Path(names[0]);
  EXPECT_EQ(outcome.err, "varnek: interrupted; " + dir.Path("out.l2") +
                             " was not made, and the records written so far are kept in " + kept +
                             "\n");
  size_t records = ReadFile(kept).size() / 200;
  EXPECT_GE(records, 1000u);
  EXPECT_LT(records, 300000u);
  std::string count = std::to_string(records);
  EXPECT_EQ(outcome.out.substr(outcome.out.find(" read, ")),
            " read, " + count + " written, 0 warnings\n");
  EXPECT_EQ(Lines(RunVarnek({"list", kept}).out).size(), records);
}

}  // namespace
}  // namespace varnek_test
