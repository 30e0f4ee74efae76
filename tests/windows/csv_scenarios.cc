// Any text file read line by line, and QSO lines written as CSV in JST or
// UTC; the line ends of Windows text mode on both hosts.
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;

// Lists every line from the current one to the end.
std::vector<std::string> ListAll(Plugin& plugin) {
  std::vector<std::string> lines;
  while (plugin.IsEOF() == 0 && lines.size() < 100) {
    lines.push_back(plugin.List());
    plugin.MoveNext();
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += line + "|";
  return all;
}

SCENARIO(CsvReaderHandsOverRawLines, kCsv) {
  Plugin& plugin = scene.plugin;
  const std::string bytes =
      "first,1\r\n"
      "\r\n"
      "lone\rcr,rest\r\n"
      "lf only\n" +
      std::string(kTanaka) + ",\"" + kTokyo + "\"\r\nlast without end";
  scene.files.Write("raw.txt", bytes);
  std::string path = scene.files.Path("raw.txt");
  EXPECT_TEXT(plugin.OpenChosen(path), path);
  EXPECT_NUMBER(plugin.GetLogType(), 1);
  EXPECT_NUMBER(plugin.IsEOF(), 0);
  EXPECT_TEXT(plugin.GetFieldText(0), "F1");
  EXPECT_TEXT(plugin.GetFieldText(1), "F2");
  EXPECT_TEXT(plugin.GetFieldText(65535), "F65536");
  EXPECT_TEXT(plugin.GetFieldText(65536), "F1");  // only the low 16 bits count
  EXPECT_NULL(plugin.GetText(0));
  EXPECT_NUMBER(plugin.CanUpdate(0), 0);
  EXPECT_NUMBER(plugin.Update(0, "J"), 0);
  EXPECT_BYTES(Joined(ListAll(plugin)), "first,1||lone|lf only|" + std::string(kTanaka) + ",\"" +
                                            kTokyo + "\"|last without end|");
  EXPECT_NUMBER(plugin.MoveNext(), 0);
  EXPECT_NUMBER(plugin.IsEOF(), 1);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("raw.txt"), bytes);  // never written to
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(CsvSeekRereadsFromTheStart, kCsv) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("lines.csv", "l0\r\nl1\r\nl2\r\nl3\r\n");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("lines.csv")) != nullptr);
  EXPECT_NUMBER(plugin.Seek(3), 1);
  EXPECT_BYTES(plugin.List(), "l3");
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_BYTES(plugin.List(), "l1");
  EXPECT_NUMBER(plugin.Seek(1), 1);  // its own number: read again
  EXPECT_BYTES(plugin.List(), "l1");
  EXPECT_NUMBER(plugin.Seek(0), 1);
  EXPECT_BYTES(plugin.List(), "l0");
  EXPECT_NUMBER(plugin.Seek(99), 0);
  EXPECT_NUMBER(plugin.IsEOF(), 1);
  // The stream stands at the end until a Seek elsewhere rewinds it.
  EXPECT_NUMBER(plugin.MoveNext(), 0);
  EXPECT_NUMBER(plugin.Seek(2), 1);
  EXPECT_NUMBER(plugin.IsEOF(), 0);
  EXPECT_BYTES(plugin.List(), "l2");
  EXPECT_NUMBER(plugin.MoveNext(), 1);
  EXPECT_BYTES(plugin.List(), "l3");
  EXPECT_NUMBER(plugin.Close(), 1);
}

SCENARIO(CsvTextModeEndsAtTheEndOfTextMark, kCsv) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("marked.csv",
                    "a\r\nb\x1A"
                    "c\r\nd\r\n");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("marked.csv")) != nullptr);
  EXPECT_BYTES(Joined(ListAll(plugin)), "a|b|");
  EXPECT_NUMBER(plugin.Close(), 1);

  scene.files.Write("mark-first.csv",
                    "\x1A"
                    "a\r\n");
  scene.files.Write("empty.csv", "");
  for (const char* name : {"mark-first.csv", "empty.csv"}) {
    EXPECT_NULL(plugin.OpenChosen(scene.files.Path(name)));
    std::vector<std::string> messages = plugin.TakeMessages();
    EXPECT_NUMBER(messages.size(), 1);
    if (!messages.empty()) EXPECT_BYTES(messages[0], varnek::kFirstRecordMissing);
  }
  // A folder is no file at all, on either host.
  EXPECT_TRUE(MakeDirectory(scene.files.Path("folder.csv")));
  EXPECT_NULL(plugin.OpenChosen(scene.files.Path("folder.csv")));
  std::vector<std::string> messages = plugin.TakeMessages();
  EXPECT_NUMBER(messages.size(), 1);
  if (!messages.empty()) EXPECT_BYTES(messages[0], varnek::kCannotOpen);
  EXPECT_NUMBER(plugin.Close(), 1);
}

SCENARIO(DevicePickedAsALogCannotBeOpened, kCsv | kLog200 | kHamlog) {
  Plugin& plugin = scene.plugin;
  // The null device reads as empty and the zero device without end; neither
  // is a log, on either host.
#ifdef _WIN32
  const char* const devices[] = {"\\\\.\\NUL", "NUL.l2", "NUL.dbs"};
#else
  const char* const devices[] = {"/dev/zero", "/dev/null", "/dev/zero"};
#endif
  for (const char* device : devices) {
    EXPECT_NULL(plugin.OpenChosen(device));
    std::vector<std::string> messages = plugin.TakeMessages();
    EXPECT_NUMBER(messages.size(), 1);
    if (!messages.empty()) EXPECT_BYTES(messages[0], varnek::kCannotOpen);
  }
  EXPECT_NUMBER(plugin.Close(), 1);
}

SCENARIO(CsvLongLineCountsAsSeveral, kCsv) {
  Plugin& plugin = scene.plugin;
  const std::string long_line(8191 + 100, 'x');
  scene.files.Write("long.txt", long_line + "\r\nnext\r\n");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("long.txt")) != nullptr);
  EXPECT_BYTES(Joined(ListAll(plugin)),
               std::string(8191, 'x') + "|" + std::string(100, 'x') + "|next|");
  EXPECT_NUMBER(plugin.Close(), 1);
}

const char* const kQsoLines[] = {
    "98/07/15,1230,JA1ABC,599,7.050,CW,100,\"Taro, Jr\",\"Tokyo\",\"REM[x] \"q\"\",J,,",
    "",
    "99/12/31,2359,JA1ABC/1,59,1296.1,FM,1,,,,,,",
};

SCENARIO(CsvWriterAsksAndKeepsJstLines, kCsv) {
  Plugin& plugin = scene.plugin;
  host_answers.yes_no = kYes;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("jst.csv").c_str()), 1);
  auto& boxes = host_record.message_boxes;
  EXPECT_NUMBER(boxes.size(), 1);
  if (boxes.size() == 1) {
    EXPECT_NUMBER(boxes[0].owner, 0);
    EXPECT_BYTES(boxes[0].text, varnek::kJstQuestion);
    EXPECT_BYTES(boxes[0].caption, "VARNEK");
    EXPECT_NUMBER(boxes[0].style, 0x24);
  }
  EXPECT_TRUE(scene.files.Exists("jst.csv"));
  std::string japanese =
      std::string("98/07/15,0900,JA1ABC,59,433,FM,,\"") + kTanaka + "\",\"" + kTokyo + "\",,,,";
  std::string expected;
  for (const std::string& line : {std::string(kQsoLines[0]), std::string(kQsoLines[1]),
                                  std::string(kQsoLines[2]), japanese}) {
    EXPECT_NUMBER(plugin.Write(line), 1);
    expected += line + "\r\n";
  }
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_BYTES(scene.files.Read("jst.csv"), expected);
  EXPECT_NUMBER(boxes.size(), 1);
}

SCENARIO(CsvWriterShiftsToUtc, kCsv) {
  Plugin& plugin = scene.plugin;
  host_answers.yes_no = kNo;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("utc.csv").c_str()), 1);
  struct Case {
    const char* line;
    const char* written;
  };
  const Case cases[] = {
      {"00/01/01,0500,A,599", "99/12/31,2000,A,599"},
      {"98/07/15,0900,B", "98/07/15,0000,B"},
      {"98/07/15,0859,C", "98/07/14,2359,C"},
      {"1/2/3,5,D", "01/02/02,1505,D"},
      {"2001/03/01,0300,E", "2001/02/28,1800,E"},
      {"00/03/01,0100,F", "00/02/29,1600,F"},
      {"98/07/15,1230", "98/07/15,0330,"},
      {"98/07/15,1230,JA1ABC,599,7,SSB,,\"a,b\",\"c\",\"d\",J,,",
       "98/07/15,0330,JA1ABC,599,7,SSB,,\"a,b\",\"c\",\"d\",J,,"},
  };
  std::string expected;
  for (const Case& one : cases) {
    EXPECT_NUMBER(plugin.Write(one.line), 1);
    expected += std::string(one.written) + "\r\n";
  }
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_BYTES(scene.files.Read("utc.csv"), expected);
}

SCENARIO(CsvWrittenLinesReadBack, kCsv) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("round.csv").c_str()), 1);
  for (const char* line : kQsoLines) EXPECT_NUMBER(plugin.Write(line), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("round.csv")) != nullptr);
  std::vector<std::string> lines = ListAll(plugin);
  EXPECT_BYTES(Joined(lines), Joined({kQsoLines[0], kQsoLines[1], kQsoLines[2]}));
  EXPECT_NUMBER(plugin.Close(), 1);
}

}  // namespace
}  // namespace scenario
