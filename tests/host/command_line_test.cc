#include "host/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnek_host {
namespace {

struct Parsed {
  bool ok;
  CommandLine line;
  std::string problem;
};

Parsed Parse(std::vector<const char*> args) {
  Parsed parsed;
  parsed.ok =
      ParseCommandLine(static_cast<int>(args.size()), args.data(), &parsed.line, &parsed.problem);
  return parsed;
}

TEST(CommandLineTest, OptionsMayStandAnywhere) {
  Parsed p = Parse({"--plugin", "/x/libvarnek.so", "convert", "in.dbs", "--utc", "out.csv"});
  ASSERT_TRUE(p.ok) << p.problem;
  EXPECT_EQ(p.line.command, Command::kConvert);
  EXPECT_EQ(p.line.plugin_path, "/x/libvarnek.so");
  EXPECT_EQ(p.line.log, "in.dbs");
  EXPECT_EQ(p.line.output, "out.csv");
  EXPECT_TRUE(p.line.utc);

  p = Parse({"list", "--raw", "-n", "--plugin=lib.so", "--", "--odd-name.l2"});
  ASSERT_TRUE(p.ok) << p.problem;
  EXPECT_TRUE(p.line.raw);
  EXPECT_TRUE(p.line.numbers);
  EXPECT_EQ(p.line.plugin_path, "lib.so");
  EXPECT_EQ(p.line.log, "--odd-name.l2");
}

TEST(CommandLineTest, QslTakesARecordNumberAndAnOptionalMark) {
  Parsed p = Parse({"qsl", "log.l2", "2147483647", "J"});
  ASSERT_TRUE(p.ok) << p.problem;
  EXPECT_EQ(p.line.record, 2147483647);
  EXPECT_TRUE(p.line.has_mark);
  EXPECT_EQ(p.line.mark, "J");

  p = Parse({"qsl", "log.l2", "0"});
  ASSERT_TRUE(p.ok) << p.problem;
  EXPECT_FALSE(p.line.has_mark);

  for (const char* bad : {"2147483648", "-1", "1x", "", " 1", "99999999999"}) {
    EXPECT_FALSE(Parse({"qsl", "log.l2", bad}).ok) << bad;
  }
  EXPECT_FALSE(Parse({"qsl", "log.l2", "3", ""}).ok);
}

TEST(CommandLineTest, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(Parse({"convert", "--help"}).line.command, Command::kHelp);
  EXPECT_EQ(Parse({"convert", "--help"}).line.help_topic, Command::kConvert);
  EXPECT_EQ(Parse({"help", "qsl"}).line.help_topic, Command::kQsl);
  EXPECT_EQ(Parse({"help", "list", "--help"}).line.help_topic, Command::kList);
  EXPECT_EQ(Parse({"list", "--fast", "-h"}).line.help_topic, Command::kList);
  EXPECT_EQ(Parse({"-h"}).line.command, Command::kHelp);
  EXPECT_EQ(Parse({"bogus", "--version"}).line.command, Command::kVersion);
}

TEST(CommandLineTest, UsageErrorsNameTheProblem) {
  struct Case {
    std::vector<const char*> args;
    const char* problem;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"lsit", "x"}, "unknown command 'lsit'"},
      {{"list"}, "list needs LOG"},
      {{"list", "a", "b"}, "list takes only LOG"},
      {{"convert", "a"}, "convert needs IN OUT"},
      {{"info", "a"}, "info takes no operands"},
      {{"list", "--fast", "a"}, "unknown option '--fast'"},
      {{"list", "a", "--plugin"}, "--plugin needs a PATH"},
      {{"list", "a", "--plugin="}, "--plugin needs a PATH"},
      {{"convert", "a", "b", "--jst", "--utc"}, "choose one of --jst and --utc"},
      {{"list", "a", "--utc"}, "--jst and --utc apply to convert only"},
      {{"convert", "a", "b", "--raw"}, "--raw applies to list and qsl only"},
      {{"list", ""}, "a file name must not be empty"},
      {{"convert", "a", "b", "-n"}, "--numbers applies to list only"},
      {{"list", "a", "--force"}, "--force applies to convert only"},
      {{"convert", "a.csv", "b", "--input-encoding"}, "--input-encoding needs cp932 or utf-8"},
      {{"convert", "a.csv", "b", "--input-encoding=latin1"},
       "--input-encoding takes cp932 or utf-8, not 'latin1'"},
      {{"convert", "a.dbs", "b", "--input-encoding", "utf-8"},
       "--input-encoding applies to text input only, not to HAMLOG logs"},
      {{"help", "lsit"}, "unknown command 'lsit'"},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.args);
    EXPECT_FALSE(p.ok) << c.problem;
    EXPECT_EQ(p.problem, c.problem);
  }
}

}  // namespace
}  // namespace varnek_host
