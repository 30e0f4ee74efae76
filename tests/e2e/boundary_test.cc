// The plug-in boundary seen from a host: static texts, the file dialog,
// handler choice, the active reader and writer, and ListText sizes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "support/dialog_texts.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

// "VARNEK-ログファイルの選択"
const char kTitle[] =
    "VARNEK-\x83\x8D\x83O\x83t\x83@\x83"
    "C\x83\x8B\x82\xCC\x91I\x91\xF0";
// "ファイルがオープンできません."
const char kCannotOpen[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x83I\x81[\x83v\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
// "ファイルが作成できません."
const char kCannotCreate[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";

class BoundaryTest : public testing::Test {
 protected:
  PluginHost host;
  TempDir dir;
};

TEST_F(BoundaryTest, StaticTexts) {
  EXPECT_EQ(std::string(host.GetVersionText()).rfind("Varnek Version 1.03", 0), 0u);
  // "VARNEK.DLL Ver1.03 経由でログを読みこむ" then a blank and a credit in parentheses.
  std::string menu = host.GetMenuName();
  std::string caption =
      "VARNEK.DLL Ver1.03 \x8Co\x97R\x82\xC5\x83\x8D\x83O\x82\xF0\x93\xC7\x82\xDD\x82\xB1\x82\xDE";
  EXPECT_EQ(menu.rfind(caption + " (", 0), 0u);
  EXPECT_EQ(menu.back(), ')');
  EXPECT_STREQ(host.GetCreateFileType(), kSaveList);
  EXPECT_EQ(host.GetVersionText(), host.GetVersionText());
}

TEST_F(BoundaryTest, WithoutActiveObjectsEveryCallIsHarmless) {
  char buffer[8] = "keep";
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(host.GetLogType(), 0);
  EXPECT_EQ(host.GetFieldText(0), nullptr);
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.Seek(3), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.ListText(buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(host.GetText(0), nullptr);
  EXPECT_EQ(host.CanUpdate(0), 0);
  EXPECT_EQ(host.Update(0, "J"), 0);
  char line[] = "98/01/01,1200";
  EXPECT_EQ(host.WriteText(line), 0);
  EXPECT_EQ(host.CClose(), 0);
  EXPECT_TRUE(PluginHost::message_boxes.empty());
}

TEST_F(BoundaryTest, DialogWithoutPathStartsOnAllFilesAndCancelGivesNull) {
  int owner_token = 0;
  EXPECT_EQ(host.Open(7, &owner_token, nullptr), nullptr);
  ASSERT_EQ(PluginHost::dialogs.size(), 1u);
  const DialogCall& call = PluginHost::dialogs[0];
  EXPECT_EQ(call.struct_size, 76u);
  EXPECT_EQ(call.owner, &owner_token);
  EXPECT_EQ(call.filter, std::string(kOpenFilter, sizeof kOpenFilter));  // ends in two zeros
  EXPECT_EQ(call.filter_index, 4u);
  EXPECT_EQ(call.max_file, 512u);
  EXPECT_EQ(call.initial_file, "");
  EXPECT_FALSE(call.initial_dir_null);
  EXPECT_EQ(call.initial_dir, "");
  EXPECT_EQ(call.title, kTitle);
  EXPECT_EQ(call.flags, 4u);
  EXPECT_TRUE(call.file_title_null);
  EXPECT_TRUE(call.custom_filter_null);
  EXPECT_TRUE(call.def_ext_null);
  EXPECT_EQ(host.GetLogType(), 0);  // still no reader
}

TEST_F(BoundaryTest, PathPreselectsTheFilterOfItsExtension) {
  struct Case {
    const char* path;
    unsigned filter;
    const char* dir;
    const char* file;
  } cases[] = {
      {"/logs/a.TXT", 3, "/logs/", "a.TXT"},
      {"/logs/a.csv", 3, "/logs/", "a.csv"},
      {"/logs/b.dbs", 2, "/logs/", "b.dbs"},
      {"/logs/c.L2", 1, "/logs/", "c.L2"},
      {"/logs/d.log", 4, "/logs/", "d.log"},
      {"/logs/e", 4, "/logs/", "e"},
      {"C:\\Log\\x.Dbs", 2, "C:\\Log\\", "x.Dbs"},
      {"C:y.l2", 1, "C:", "y.l2"},
      {"plain.csv", 3, "", "plain.csv"},
      {"/a.b/noext", 4, "/a.b/", "noext"},
      // 0x95 0x5C is a double-byte character whose trail byte is '\'.
      {"C:\\\x95\x5C\\z.l2", 1, "C:\\\x95\x5C\\", "z.l2"},
      {"C:\\dir\\\x95\x5C.l2", 1, "C:\\dir\\", "\x95\x5C.l2"},
  };
  for (const Case& c : cases) {
    PluginHost::dialogs.clear();
    EXPECT_EQ(host.Open(0, nullptr, c.path), nullptr);
    ASSERT_EQ(PluginHost::dialogs.size(), 1u);
    EXPECT_EQ(PluginHost::dialogs[0].filter_index, c.filter) << c.path;
    EXPECT_EQ(PluginHost::dialogs[0].initial_dir, c.dir) << c.path;
    EXPECT_EQ(PluginHost::dialogs[0].initial_file, c.file) << c.path;
  }
  std::string long_name(700, 'n');
  host.Open(0, nullptr, ("/d/" + long_name).c_str());
  EXPECT_EQ(PluginHost::dialogs.back().initial_file, std::string(511, 'n'));
}

TEST_F(BoundaryTest, AnyOtherExtensionIsReadAsRawText) {
  for (const char* name : {"a.TXT", "b.CSV", "c.DAT", "noextension", "e.log"}) {
    std::string path = dir.Path(name);
    WriteFile(path, "first line\r\nsecond\r\n");
    const char* opened = host.OpenFile(path);
    ASSERT_NE(opened, nullptr) << name;
    EXPECT_EQ(std::string(opened), path);
    EXPECT_EQ(host.GetLogType(), 1) << name;
    EXPECT_EQ(host.CanUpdate(0), 0);
    EXPECT_EQ(host.List(), "first line");
  }
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(host.GetLogType(), 0);
}

TEST_F(BoundaryTest, CancellingKeepsTheActiveReaderWhereItWas) {
  std::string path = dir.Path("a.txt");
  WriteFile(path, "one\ntwo\nthree\n");
  ASSERT_NE(host.OpenFile(path), nullptr);
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.Open(0, nullptr, nullptr), nullptr);  // cancelled
  EXPECT_EQ(host.List(), "two");
  EXPECT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), "three");
}

TEST_F(BoundaryTest, MissingFileWarnsAndLeavesAnInertReader) {
  std::string existing = dir.Path("a.txt");
  WriteFile(existing, "one\n");
  ASSERT_NE(host.OpenFile(existing), nullptr);
  EXPECT_EQ(host.OpenFile(dir.Path("missing.txt")), nullptr);
  ASSERT_EQ(PluginHost::message_boxes.size(), 1u);
  const MessageBoxCall& box = PluginHost::message_boxes[0];
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.text, kCannotOpen);
  EXPECT_EQ(box.caption, "VARNEK");
  EXPECT_EQ(box.style, 0x30u);
  // The failed reader is active, with no file: nothing reads or writes.
  EXPECT_EQ(host.GetLogType(), 1);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.Seek(0), 0);
  char buffer[16] = "keep";
  // The line of a file that could not be read is empty.
  ASSERT_NE(host.ListText(buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(host.ListText(buffer, sizeof buffer), "");
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(host.GetText(0), nullptr);
  EXPECT_EQ(host.Update(0, "J"), 0);
  EXPECT_EQ(host.Close(), 1);
}

TEST_F(BoundaryTest, ListTextCountsOnlyTheLowSixteenBitsOfTheSize) {
  std::string path = dir.Path("a.csv");
  WriteFile(path, "abcdefghijklmnop\n");
  ASSERT_NE(host.OpenFile(path), nullptr);
  char buffer[32];
  std::memset(buffer, 'z', sizeof buffer);
  EXPECT_STREQ(host.ListText(buffer, 1), "abcdefghijklmnop");
  EXPECT_EQ(buffer[0], '\0');
  std::memset(buffer, 'z', sizeof buffer);
  host.ListText(buffer, 65537);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'z');
  std::memset(buffer, 'z', sizeof buffer);
  host.ListText(buffer, 0x10000);  // no room at all: nothing written
  EXPECT_EQ(buffer[0], 'z');
  host.ListText(buffer, 5);
  EXPECT_STREQ(buffer, "abcd");
}

TEST_F(BoundaryTest, CreateChoosesTheCsvWriterForOtherExtensions) {
  // A CSV writer asks the JST question; the other writers do not.
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.Path("").c_str()), 0);
  // ".log": its only '.' is the first byte, so it has no extension.
  for (const char* name : {"a.csv", "b.txt", "noext", ".log"}) {
    PluginHost::message_boxes.clear();
    EXPECT_EQ(host.Create(name), 1) << name;
    ASSERT_EQ(PluginHost::message_boxes.size(), 1u) << name;
    EXPECT_EQ(PluginHost::message_boxes[0].style, 0x24u);
    EXPECT_EQ(host.CClose(), 1);
  }
  ASSERT_EQ(chdir(cwd), 0);
}

TEST_F(BoundaryTest, FailedCreateWarnsAndLeavesNoWriter) {
  EXPECT_EQ(host.Create(dir.Path("no/such/dir/x.csv").c_str()), 0);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{kCannotCreate});
  char line[] = "98/01/01,1200";
  EXPECT_EQ(host.WriteText(line), 0);
  EXPECT_EQ(host.CClose(), 0);
}

TEST_F(BoundaryTest, NextCreateFinishesThePreviousFile) {
  std::string first = dir.Path("first.csv");
  ASSERT_EQ(host.Create(first.c_str()), 1);
  ASSERT_EQ(host.Write("98/01/01,1200,A"), 1);
  ASSERT_EQ(host.Create(dir.Path("second.csv").c_str()), 1);
  EXPECT_EQ(ReadFile(first), "98/01/01,1200,A\r\n");
  EXPECT_EQ(host.CClose(), 1);
}

TEST_F(BoundaryTest, UnloadingFinishesTheActiveWriterAndClosesTheReader) {
  std::string in = dir.Path("in.txt");
  WriteFile(in, "x\n");
  ASSERT_NE(host.OpenFile(in), nullptr);
  std::string out = dir.Path("out.csv");
  ASSERT_EQ(host.Create(out.c_str()), 1);
  ASSERT_EQ(host.Write("98/01/01,1200,A"), 1);
  host.Reload();
  EXPECT_EQ(ReadFile(out), "98/01/01,1200,A\r\n");
  EXPECT_EQ(host.GetLogType(), 0);  // a fresh library has no reader
}

}  // namespace
}  // namespace varnek_test
