// LOG200 logs (*.l2, 200-byte records): read as QSO lines, the QSL mark
// rewritten in place, and QSO lines written as records.
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

// The seventeen LOG200 fields of the records the reading scenarios use.
const std::vector<std::string> kBureauRecord = {"980715",
                                                "1230",
                                                "1234",
                                                "JA1ABC",
                                                "7.050.",
                                                "CW",
                                                "599",
                                                "579",
                                                "Tokyo",
                                                "Taro",
                                                "FT-817",
                                                "",
                                                "QSL via bureau Pow[50]",
                                                "",
                                                "",
                                                "J",
                                                ""};
const std::vector<std::string> kOperatorRecord = {"981231",
                                                  "2359",
                                                  "",
                                                  "JA2XYZ",
                                                  "14.025",
                                                  "SSB",
                                                  "59",
                                                  "",
                                                  "",
                                                  "",
                                                  "",
                                                  "",
                                                  "OP[Taro] nice Env[home]  ",
                                                  "",
                                                  "",
                                                  "",
                                                  "Y"};
const std::vector<std::string> kJapaneseRecord = {
    "990101", "0005", "0010",    "JA3AAA/3", "430.", "FM",     "59", "59", kTokyo,
    kTanaka,  "",     "ALLJA  ", "",         kTokyo, "IC-705", "JQ", ""};

std::string Log200File() {
  return Log200Record(kBureauRecord) + Log200Record(kOperatorRecord) +
         Log200Record(kJapaneseRecord) + std::string(50, 'z');  // a partial record
}

const std::string kBureauLine = "980715,1230,JA1ABC,599,7.050,CW,50,\"Taro\",\"Tokyo\",\"" +
                                CornerTag("REM", "QSL via bureau") + " " +
                                CornerTag("RIG", "FT-817") + " " + CornerTag("END", "1234") + " " +
                                CornerTag("My", "579") + "\",J,,";
const std::string kOperatorLine = "981231,2359,JA2XYZ,59,14.025,SSB,,\"Taro\",,\"" +
                                  CornerTag("REM", "OP[Taro] nice") + "\",,Y,home";
const std::string kJapaneseLine = "990101,0005,JA3AAA/3,59,430,FM,,\"" + std::string(kTanaka) +
                                  "\",\"" + kTokyo + "\",\"" + CornerTag("MyQTH", kTokyo) + " " +
                                  CornerTag("MyRIG", "IC-705") + " " + CornerTag("END", "0010") +
                                  " " + CornerTag("My", "59") + " " +
                                  CornerTag("Contest", "ALLJA") + "\",J,,";

SCENARIO(Log200ReaderListsQsoLines, kLog200) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("read.l2", Log200File());
  std::string path = scene.files.Path("read.l2");
  EXPECT_TEXT(plugin.OpenChosen(path), path);
  EXPECT_NUMBER(plugin.GetLogType(), 0);
  EXPECT_NULL(plugin.GetFieldText(0));
  EXPECT_NUMBER(plugin.CanUpdate(0), 1);
  EXPECT_NUMBER(plugin.IsEOF(), 0);
  EXPECT_BYTES(plugin.List(), kBureauLine);
  EXPECT_TEXT(plugin.GetText(0), "J");
  EXPECT_NUMBER(plugin.MoveNext(), 1);
  EXPECT_BYTES(plugin.List(), kOperatorLine);
  EXPECT_TEXT(plugin.GetText(0), "");
  EXPECT_NUMBER(plugin.MoveNext(), 1);
  EXPECT_BYTES(plugin.List(), kJapaneseLine);
  EXPECT_NUMBER(plugin.MoveNext(), 0);  // only a partial record follows
  EXPECT_NUMBER(plugin.IsEOF(), 1);
  EXPECT_NUMBER(plugin.Seek(0), 1);
  EXPECT_NUMBER(plugin.IsEOF(), 0);
  EXPECT_BYTES(plugin.List(), kBureauLine);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("read.l2"), Log200File());
  EXPECT_TRUE(host_record.message_boxes.empty());

  // Any letter case of the extension chooses the LOG200 reader.
  scene.files.Write("upper.L2", Log200Record(kBureauRecord));
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("upper.L2")) != nullptr);
  EXPECT_BYTES(plugin.List(), kBureauLine);
  EXPECT_NUMBER(plugin.Close(), 1);
}

SCENARIO(Log200QslMarkIsRewrittenInPlace, kLog200) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("qsl.l2", Log200File());
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("qsl.l2")) != nullptr);
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_NUMBER(plugin.Update(0, "Q"), 1);
  EXPECT_TEXT(plugin.GetText(0), "Q");
  EXPECT_NUMBER(plugin.MoveNext(), 1);  // writes record 1 back
  std::vector<std::string> marked = kOperatorRecord;
  marked[15] = "Q";
  std::string expected = Log200Record(kBureauRecord) + Log200Record(marked) +
                         Log200Record(kJapaneseRecord) + std::string(50, 'z');
  EXPECT_BYTES(scene.files.Read("qsl.l2"), expected);

  // A mark that is already set stays; the record is rewritten unchanged.
  EXPECT_NUMBER(plugin.Seek(0), 1);
  EXPECT_NUMBER(plugin.Update(0, "N"), 1);
  EXPECT_TEXT(plugin.GetText(0), "J");
  // After a failed Seek nothing is left to update.
  EXPECT_NUMBER(plugin.Seek(7), 0);
  EXPECT_NUMBER(plugin.IsEOF(), 1);
  plugin.Update(0, "X");
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("qsl.l2"), expected);

  // Choosing the same file again while a change is pending: the old reader
  // writes it back before the new one reads.
  scene.files.Write("again.l2", Log200File());
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("again.l2")) != nullptr);
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_NUMBER(plugin.Update(0, "R"), 1);
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("again.l2")) != nullptr);
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_TEXT(plugin.GetText(0), "R");
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(Log200ReaderFailuresAreTold, kLog200) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("short.l2", std::string(199, ' '));
  scene.files.Write("empty.l2", "");
  struct Case {
    const char* name;
    const char* warning;
  };
  for (const Case& one :
       {Case{"short.l2", varnek::kFirstRecordMissing},
        Case{"empty.l2", varnek::kFirstRecordMissing}, Case{"missing.l2", varnek::kCannotOpen}}) {
    EXPECT_NULL(plugin.OpenChosen(scene.files.Path(one.name)));
    std::vector<std::string> messages = plugin.TakeMessages();
    EXPECT_NUMBER(messages.size(), 1);
    if (!messages.empty()) EXPECT_BYTES(messages[0], one.warning);
    EXPECT_NUMBER(plugin.MoveNext(), 0);
    EXPECT_NUMBER(plugin.Update(0, "J"), 0);
  }
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("short.l2"), std::string(199, ' '));
  EXPECT_BYTES(scene.files.Read("empty.l2"), "");
  EXPECT_FALSE(scene.files.Exists("missing.l2"));
}

std::string DataArea(const std::string& record) { return record.substr(0, 198); }

SCENARIO(Log200WriterBuildsRecords, kLog200) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("out.l2").c_str()), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());  // no question for LOG200

  EXPECT_NUMBER(plugin.Write("98/12/31,1234,,,,,,,,,,,"), 1);
  EXPECT_NUMBER(plugin.Write("98/07/15,1230,JA1ABC,599,7.050,CW,100,\"Taro\",\"Tokyo\","
                             "\"RIG[IC-706] REM[first QSO] Test[ALLJA] My[579]\",J,,home"),
                1);
  EXPECT_NUMBER(
      plugin.Write("99/01/01,0005,JA3AAA/3,59,430,FM,,\"" + std::string(kTanaka) + "\",\"" +
                   kTokyo + "\",\"END[0010] MyQTH[" + kTokyo + "] Contest[A] Test[B]\",,,"),
      1);
  EXPECT_TRUE(host_record.message_boxes.empty());
  const std::string long_remarks(250, 'r');
  for (int i = 0; i < 2; ++i) {
    EXPECT_NUMBER(plugin.Write("98/07/15,1230,JA1ABC,599,7,CW,,,,\"" + long_remarks + "\",J,,"), 1);
  }
  EXPECT_NUMBER(plugin.CClose(), 1);
  std::vector<std::string> messages = plugin.TakeMessages();
  EXPECT_NUMBER(messages.size(), 1);  // once per file
  if (!messages.empty()) EXPECT_BYTES(messages[0], varnek::kLog200Overflow);

  std::string file = scene.files.Read("out.l2");
  EXPECT_NUMBER(file.size(), 5 * kLog200RecordSize);
  if (file.size() != 5 * kLog200RecordSize) return;
  EXPECT_BYTES(file.substr(0, 200), Log200Record({"981231", "1234", "1234", "", "", "", "", "", "",
                                                  "", "", "", "", "", "", "", ""}));
  EXPECT_BYTES(
      file.substr(200, 200),
      Log200Record({"980715", "1230", "1230", "JA1ABC", "7.050", "CW", "599", "579", "Tokyo",
                    "Taro", "IC-706", "ALLJA", "first QSO Pow[100] Env[home]", "", "", "J", ""}));
  EXPECT_BYTES(file.substr(400, 200),
               Log200Record({"990101", "0005", "0010", "JA3AAA/3", "430", "FM", "59", "", kTokyo,
                             kTanaka, "", "A", "Test[B]", kTokyo, "", "", ""}));
  // The overflowing records keep their tail; the remarks give way.
  for (size_t at : {size_t{600}, size_t{800}}) {
    std::string record = file.substr(at, 200);
    EXPECT_BYTES(record.substr(198), "\r\n");
    EXPECT_BYTES(DataArea(record).substr(198 - 6), "\x1E\x1E\x1EJ\x1E\x1E");
    EXPECT_TRUE(record.find(std::string(100, 'r')) != std::string::npos);
  }
}

SCENARIO(Log200WrittenRecordsReadBack, kLog200) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("round.L2").c_str()), 1);
  EXPECT_NUMBER(plugin.Write("98/07/15,1230,JA1ABC,599,7.050,CW,100,\"Taro\",\"Tokyo\","
                             "\"RIG[IC-706] REM[first QSO] Test[ALLJA] My[579]\",J,,home"),
                1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("round.L2")) != nullptr);
  EXPECT_BYTES(plugin.List(), "980715,1230,JA1ABC,599,7.050,CW,100,\"Taro\",\"Tokyo\",\"" +
                                  CornerTag("REM", "first QSO") + " " + CornerTag("RIG", "IC-706") +
                                  " " + CornerTag("END", "1230") + " " + CornerTag("My", "579") +
                                  " " + CornerTag("Contest", "ALLJA") + "\",J,,home");
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(Log200WriterFailureIsTold, kLog200) {
  Plugin& plugin = scene.plugin;
  std::string name = scene.files.Path("no-such-dir") + PathSeparator() + "out.l2";
  EXPECT_NUMBER(plugin.Create(name.c_str()), 0);
  std::vector<std::string> messages = plugin.TakeMessages();
  EXPECT_NUMBER(messages.size(), 1);
  if (!messages.empty()) EXPECT_BYTES(messages[0], varnek::kCannotCreate);
}

}  // namespace
}  // namespace scenario
