// Raw text reading and CSV writing through the exports.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "plugin/messages.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

// "時刻をＪＳＴで出力しますか？  ＵＴＣの場合は「いいえ」を選択"
const char kJstQuestion[] =
    "\x8E\x9E\x8D\x8F\x82\xF0\x82i\x82r\x82s\x82\xC5\x8Fo\x97\xCD\x82\xB5\x82\xDC\x82\xB7\x82\xA9"
    "\x81H  \x82t\x82s\x82"
    "b\x82\xCC\x8F\xEA\x8D\x87\x82\xCD\x81u\x82\xA2\x82\xA2\x82\xA6\x81v"
    "\x82\xF0\x91I\x91\xF0";
// "最初のレコードが見つかりません."
const char kFirstRecordMissing[] =
    "\x8D\xC5\x8F\x89\x82\xCC\x83\x8C\x83R\x81[\x83h\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82"
    "\xDC\x82\xB9\x82\xF1.";

class CsvReadTest : public testing::Test {
 protected:
  // Opens a file holding `bytes`; the test fails if it cannot.
  void OpenWith(const std::string& bytes) {
    path = dir.Path("log.csv");
    WriteFile(path, bytes);
    ASSERT_NE(host.OpenFile(path), nullptr);
  }
  std::vector<std::string> ReadAll() {
    std::vector<std::string> lines;
    while (host.IsEOF() == 0) {
      lines.push_back(host.List());
      host.MoveNext();
    }
    return lines;
  }
  PluginHost host;
  TempDir dir;
  std::string path;
};

TEST_F(CsvReadTest, LinesArriveWithoutTheirLineEnds) {
  OpenWith("a,b\r\n\r\nlast without end");
  EXPECT_EQ(host.GetLogType(), 1);
  EXPECT_EQ(host.IsEOF(), 0);
  EXPECT_EQ(ReadAll(), (std::vector<std::string>{"a,b", "", "last without end"}));
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.List(), "last without end");  // the last line read stays
}

TEST_F(CsvReadTest, TextModeRulesHoldOnEveryPlatform) {
  // A lone CR cuts the line; a byte 0x1A ends the file.
  OpenWith(
      "one\rhidden\ntwo\r\nthree\x1A"
      "after\nmore\n");
  EXPECT_EQ(ReadAll(), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(CsvReadTest, LongLinesAreCutInto8191ByteLines) {
  std::string longline(8191 + 10, 'x');
  OpenWith(longline + "\r\nnext\r\n");
  std::vector<std::string> lines = ReadAll();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(8191, 'x'));
  EXPECT_EQ(lines[1], std::string(10, 'x'));
  EXPECT_EQ(lines[2], "next");
}

TEST_F(CsvReadTest, ExactlyFullLineLeavesItsLineEndAsAnEmptyLine) {
  // The CR LF after 8191 bytes reads as one LF: the limit counts after that.
  OpenWith(std::string(8191, 'y') + "\r\nz\n");
  std::vector<std::string> lines = ReadAll();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "z");
}

TEST_F(CsvReadTest, SeekRereadsFromTheStartExceptForTheNextLine) {
  OpenWith("l0\nl1\nl2\nl3\n");
  EXPECT_EQ(host.Seek(2), 1);
  EXPECT_EQ(host.List(), "l2");
  EXPECT_EQ(host.Seek(2), 1);  // its own number: reread
  EXPECT_EQ(host.List(), "l2");
  EXPECT_EQ(host.Seek(3), 1);  // the next line: read on
  EXPECT_EQ(host.List(), "l3");
  EXPECT_EQ(host.Seek(0), 1);
  EXPECT_EQ(host.List(), "l0");
  EXPECT_EQ(host.IsEOF(), 0);
  // Past the end: fails, and the record number stays, so MoveNext fails too
  // until another Seek rewinds.
  EXPECT_EQ(host.Seek(9), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.Seek(1), 0);  // the unchanged record number reads on, at the end
  EXPECT_EQ(host.Seek(2), 1);
  EXPECT_EQ(host.List(), "l2");
  EXPECT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), "l3");
}

TEST_F(CsvReadTest, ColumnNamesAndRefusedUpdates) {
  OpenWith("x\n");
  EXPECT_STREQ(host.GetFieldText(0), "F1");
  EXPECT_STREQ(host.GetFieldText(9), "F10");
  EXPECT_STREQ(host.GetFieldText(65535), "F65536");
  EXPECT_STREQ(host.GetFieldText(65536), "F1");
  EXPECT_EQ(host.GetText(0), nullptr);
  EXPECT_EQ(host.CanUpdate(0), 0);
  EXPECT_EQ(host.Update(0, "J"), 0);
  EXPECT_EQ(ReadFile(path), "x\n");
}

TEST_F(CsvReadTest, EmptyFileHasNoFirstRecord) {
  for (const char* bytes : {"",
                            "\x1A"
                            "data\n"}) {
    path = dir.Path("empty.txt");
    WriteFile(path, bytes);
    EXPECT_EQ(host.OpenFile(path), nullptr);
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{kFirstRecordMissing});
    EXPECT_EQ(host.IsEOF(), 1);
    EXPECT_EQ(host.MoveNext(), 0);
  }
}

TEST_F(CsvReadTest, FolderCannotBeOpened) {
  path = dir.Path("folder.csv");
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_EQ(host.OpenFile(path), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpen});
  EXPECT_EQ(host.IsEOF(), 1);
}

class CsvWriteTest : public testing::Test {
 protected:
  std::string WriteLines(int answer, const std::vector<std::string>& lines) {
    PluginHost::yes_no_answer = answer;
    std::string path = dir.Path("out.csv");
    EXPECT_EQ(host.Create(path.c_str()), 1);
    for (const std::string& line : lines) EXPECT_EQ(host.Write(line), 1);
    EXPECT_EQ(host.CClose(), 1);
    return ReadFile(path);
  }
  PluginHost host;
  TempDir dir;
};

TEST_F(CsvWriteTest, AsksTheTimeZoneQuestionOnce) {
  WriteLines(IDYES, {"a"});
  ASSERT_EQ(PluginHost::message_boxes.size(), 1u);
  const MessageBoxCall& box = PluginHost::message_boxes[0];
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.text, kJstQuestion);
  EXPECT_EQ(box.caption, "VARNEK");
  EXPECT_EQ(box.style, 0x24u);  // Yes/No with the question icon
}

TEST_F(CsvWriteTest, JstLinesAreWrittenByteForByteWithCrLf) {
  std::string line =
      "98/07/15,1230,JA1ABC,59,7,SSB,10,\"Taro\",\"\x93\x8C\x8B\x9E\",\"Pow[5]\",J,N,";
  EXPECT_EQ(WriteLines(IDYES, {line, "", "lf\ninside"}), line + "\r\n\r\nlf\r\ninside\r\n");
}

TEST_F(CsvWriteTest, UtcMovesDateAndTimeBackNineHours) {
  EXPECT_EQ(WriteLines(IDNO, {"00/01/01,0500,CALL,599", "98/07/15,0900,A", "98/07/15,0859,B",
                              "1/2/3,5,C", "2001/01/01,0500,D", "04/03/01,0800"}),
            "99/12/31,2000,CALL,599\r\n"
            "98/07/15,0000,A\r\n"
            "98/07/14,2359,B\r\n"
            "01/02/02,1505,C\r\n"
            "2000/12/31,2000,D\r\n"
            "04/02/29,2300,\r\n");
}

TEST_F(CsvWriteTest, UtcLeavesLinesWithoutDateOrTimeUnchanged) {
  EXPECT_EQ(WriteLines(IDNO, {"980715,1230,X", "98/07/15,noon,Y", "\"98/07/15,1230,Z", "", "only"}),
            "980715,1230,X\r\n98/07/15,noon,Y\r\n\"98/07/15,1230,Z\r\n\r\nonly\r\n");
  // A wholly quoted date loses its quotes like any other field.
  EXPECT_EQ(WriteLines(IDNO, {"\"98/07/15\",1230,Z"}), "98/07/15,0330,Z\r\n");
}

TEST_F(CsvWriteTest, UtcSplitsTheHostsLineInPlace) {
  PluginHost::yes_no_answer = IDNO;
  ASSERT_EQ(host.Create(dir.Path("o.csv").c_str()), 1);
  char line[] = "98/07/15,1230,A";
  ASSERT_EQ(host.WriteText(line), 1);
  EXPECT_EQ(std::string(line, sizeof line - 1), std::string("98/07/15\0"
                                                            "1230\0A",
                                                            15));
  EXPECT_EQ(host.CClose(), 1);
}

}  // namespace
}  // namespace varnek_test
