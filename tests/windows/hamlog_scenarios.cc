// HAMLOG logs (*.dbs with the remark file *.DBR): read as QSO lines, the
// QSL mark rewritten in place, and QSO lines written into both files.
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

// Packed frequencies (bytes 0-2 the number, byte 3 length and point).
const std::string k14025("\xF9\x22\x02\xB2", 4);
const std::string k19125("\x45\xAA\x01\xB1", 4);

struct CraftedLog {
  std::string data;
  std::string remarks;
};

// Four records and their remark entries; the third points past the end of
// the remark file.
CraftedLog Crafted() {
  std::vector<std::string> entries = {
      HamlogRemarkEntry("Tokyo", "Pow[10] QRP test", ""),
      HamlogRemarkEntry("", "", "$dx Env[home]"),
      HamlogRemarkEntry(kTokyoTo, CornerTag("ToRadio", "JA1ABC/1/P") + " " + kIdou, ""),
  };
  uint32_t offsets[3];
  std::string remarks = HamlogRemarkHeader(26, 12, 1, 4);
  for (int i = 0; i < 3; ++i) {
    offsets[i] = static_cast<uint32_t>(remarks.size());
    remarks += entries[i];
  }

  HamlogRecord bureau;
  bureau.call = "JA1ABC";
  bureau.portable = "1";
  bureau.code = "1001";
  bureau.frequency = "7   ";
  bureau.mode = "CW";
  bureau.name = "Taro";
  bureau.qsl = "J  ";
  bureau.year = 98, bureau.month = 7, bureau.day = 15, bureau.hour = 12, bureau.minute = 30;
  bureau.his_number = 59, bureau.his_char = '9', bureau.my_number = 59, bureau.my_char = '9';
  bureau.remark_offset = offsets[0];

  HamlogRecord utc;  // 99/12/31 20:30 UTC
  utc.call = "JA1ABC";
  utc.portable = "KH6";
  utc.frequency = k14025;
  utc.mode = "SSB";
  utc.name = kTanaka;
  utc.qsl = "JQ ";
  utc.year = 99, utc.month = 12, utc.day = 31, utc.hour = 20, utc.minute = 0x80 | 30;
  utc.his_number = 59, utc.my_number = 57;
  utc.remark_offset = offsets[1];

  HamlogRecord lost;  // its remark entry lies beyond the remark file
  lost.call = "JA2XYZ";
  lost.grid = "PM95";
  lost.frequency = k19125;
  lost.mode = "CW";
  lost.qsl = "n  ";
  lost.year = 0x80 | 5, lost.month = 1, lost.day = 2;
  lost.his_number = 5, lost.his_char = 'N', lost.my_number = 59, lost.my_char = '9';
  lost.remark_offset = 100000;

  HamlogRecord portable;
  portable.call = "JA1ABC";
  portable.portable = "1";
  portable.frequency = "21  ";
  portable.mode = "CW";
  portable.qsl = "JJ ";
  portable.year = 0x80 | 26, portable.month = 12, portable.day = 8;
  portable.hour = 9, portable.minute = 5;
  portable.his_number = 57, portable.his_char = '9', portable.my_number = 55;
  portable.my_char = '9';
  portable.remark_offset = offsets[2];

  std::string data = HamlogDataHeader(26, 12, 1, 4);
  for (const HamlogRecord& record : {bureau, utc, lost, portable}) {
    data += HamlogRecordBytes(record);
  }
  data += '\x1A';
  return {data, remarks};
}

const std::string kCraftedLines[] = {
    "980715,1230,JA1ABC/1,599,7,CW,10,\"Taro\",\"Tokyo\",\"" + CornerTag("REM1", "QRP test") +
        " Via[J] " + CornerTag("CODE", "1001") + " " + CornerTag("My", "599") + "\",,,",
    "000101,0530,KH6/JA1ABC,59,14.025,SSB,,\"" + std::string(kTanaka) + "\",,\"" +
        CornerTag("REM2", "$dx") + " Via[J] " + CornerTag("My", "57") + "\",Q,,home",
    "050102,0000,JA2XYZ,05N,1.9125,CW,,,,\"Via[n] " + CornerTag("GL", "PM95") + " " +
        CornerTag("My", "599") + "\",N,,",
    "261208,0905,JA1ABC/1/P,579,21,CW,,,\"" + std::string(kTokyoTo) + "\",\"" +
        CornerTag("REM1", kIdou) + " Via[J] " + CornerTag("My", "559") + "\",J,,",
};

void WriteCrafted(const Workspace& files, const std::string& base, const char* remark_extension) {
  CraftedLog log = Crafted();
  files.Write(base + ".dbs", log.data);
  files.Write(base + remark_extension, log.remarks);
}

void ExpectOneMessage(Scene& scene, const char* text) {
  std::vector<std::string> messages = scene.plugin.TakeMessages();
  EXPECT_NUMBER(messages.size(), 1);
  if (!messages.empty()) EXPECT_BYTES(messages[0], text);
}

SCENARIO(HamlogReaderListsQsoLines, kHamlog) {
  Plugin& plugin = scene.plugin;
  WriteCrafted(scene.files, "read", ".DBR");
  std::string path = scene.files.Path("read.dbs");
  EXPECT_TEXT(plugin.OpenChosen(path), path);
  EXPECT_NUMBER(plugin.GetLogType(), 0);
  EXPECT_NULL(plugin.GetFieldText(0));
  EXPECT_NUMBER(plugin.CanUpdate(0), 1);
  for (const std::string& line : kCraftedLines) {
    EXPECT_NUMBER(plugin.IsEOF(), 0);
    EXPECT_BYTES(plugin.List(), line);
    plugin.MoveNext();
  }
  EXPECT_NUMBER(plugin.IsEOF(), 1);  // the end mark is no record
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_BYTES(plugin.List(), kCraftedLines[1]);
  EXPECT_TEXT(plugin.GetText(0), "Q");
  EXPECT_NUMBER(plugin.Close(), 1);
  CraftedLog log = Crafted();
  EXPECT_BYTES(scene.files.Read("read.dbs"), log.data);  // a read log is never rewritten
  EXPECT_BYTES(scene.files.Read("read.DBR"), log.remarks);
  EXPECT_TRUE(host_record.message_boxes.empty());

  // Any letter case of the extension; a remark file named in lower case.
  WriteCrafted(scene.files, "lower", ".dbr");
  scene.files.Write("Mixed.Dbs", scene.files.Read("lower.dbs"));
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("Mixed.Dbs")) != nullptr);
  ExpectOneMessage(scene, varnek::kCannotOpenDbr);
  EXPECT_BYTES(plugin.List(), "980715,1230,JA1ABC/1,599,7,CW,,\"Taro\",,\"Via[J] " +
                                  CornerTag("CODE", "1001") + " " + CornerTag("My", "599") +
                                  "\",,,");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("lower.dbs")) != nullptr);
  EXPECT_BYTES(plugin.List(), kCraftedLines[0]);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(HamlogQslMarkIsRewrittenInPlace, kHamlog) {
  Plugin& plugin = scene.plugin;
  WriteCrafted(scene.files, "qsl", ".DBR");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("qsl.dbs")) != nullptr);
  EXPECT_NUMBER(plugin.Seek(3), 1);
  EXPECT_TEXT(plugin.GetText(0), "J");
  EXPECT_NUMBER(plugin.Update(0, "Y"), 0);
  EXPECT_TEXT(plugin.GetText(0), "Y");
  EXPECT_NUMBER(plugin.Seek(0), 1);  // writes record 3 back
  EXPECT_TEXT(plugin.GetText(0), "");
  plugin.Update(0, "Z");  // an empty mark cannot be set
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_NUMBER(plugin.Update(0, "W"), 0);
  EXPECT_NUMBER(plugin.Close(), 1);  // writes record 1 back

  CraftedLog log = Crafted();
  std::string expected = log.data;
  expected[kHamlogHeaderSize + 3 * kHamlogRecordSize + 43] = 'Y';
  expected[kHamlogHeaderSize + 1 * kHamlogRecordSize + 43] = 'W';
  EXPECT_BYTES(scene.files.Read("qsl.dbs"), expected);
  EXPECT_BYTES(scene.files.Read("qsl.DBR"), log.remarks);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(HamlogReaderFailuresAreTold, kHamlog) {
  Plugin& plugin = scene.plugin;
  CraftedLog log = Crafted();
  std::string wrong_mark = log.data;
  wrong_mark[0] = '\x03';
  std::string wrong_length = log.data;
  wrong_length[8] = static_cast<char>(448 & 0xFF);
  scene.files.Write("mark.dbs", wrong_mark);
  scene.files.Write("length.dbs", wrong_length);
  scene.files.Write("short.dbs", log.data.substr(0, 20));
  scene.files.Write("norecords.dbs", log.data.substr(0, kHamlogHeaderSize));
  scene.files.Write("norecords.DBR", log.remarks);
  struct Case {
    const char* name;
    const char* warning;
  };
  for (const Case& one :
       {Case{"mark.dbs", varnek::kUnexpectedFormat}, Case{"length.dbs", varnek::kUnexpectedFormat},
        Case{"short.dbs", varnek::kUnexpectedFormat},
        Case{"norecords.dbs", varnek::kFirstRecordMissing},
        Case{"missing.dbs", varnek::kCannotOpen}}) {
    EXPECT_NULL(plugin.OpenChosen(scene.files.Path(one.name)));
    ExpectOneMessage(scene, one.warning);
    EXPECT_NUMBER(plugin.MoveNext(), 0);
    plugin.Update(0, "J");
  }
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("mark.dbs"), wrong_mark);
  EXPECT_BYTES(scene.files.Read("norecords.dbs"), log.data.substr(0, kHamlogHeaderSize));
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(HamlogWriterBuildsBothFiles, kHamlog) {
  Plugin& plugin = scene.plugin;
  host_answers.clock = {2026, 12, 2, 8, 21, 30, 0, 0};
  EXPECT_NUMBER(plugin.Create(scene.files.Path("out.dbs").c_str()), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());  // no question for HAMLOG
  EXPECT_TRUE(host_record.clock_reads > 0);
  const std::string lines[] = {
      "98/07/15,1230,JA1ABC/1,599,7,CW,10,\"Taro\",\"Tokyo\",\"QRP test\",,,",
      "98/12/31,2359,KH6/JA1ABC,59,14.025,SSB,,\"" + std::string(kTanaka) +
          "\",,\"My[57] Via[B] CODE[1001] GL[PM95] REM[r1] mQSL[m2] MyQTH[Kyoto] rest\",Q,Y,home",
      "05/01/02,2400,JA1ABC/PORT,5NN,1.9125,CW,,,,,N,,",
      "98/07/15,1230,JA1ABC,599,7,CW,,,,,,,",
      "98/07/15,1230,JA1ABC,599,7,CW,,,\"" + std::string(40, 'q') + "\",,,,",
      "98/07/15,1230,JA1ABC,599,7,CW,,,\"" + std::string(30, 'w') + "\",,,,",
  };
  for (const std::string& line : lines) EXPECT_NUMBER(plugin.Write(line), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  ExpectOneMessage(scene, varnek::kHamlogOverflow);  // once per file

  std::string data = scene.files.Read("out.dbs");
  std::string remarks = scene.files.Read("out.DBR");
  EXPECT_NUMBER(data.size(), kHamlogHeaderSize + 6 * kHamlogRecordSize + 1);
  EXPECT_BYTES(data.substr(0, kHamlogHeaderSize), HamlogDataHeader(26, 12, 8, 6));
  EXPECT_BYTES(data.substr(data.size() - 1), "\x1A");
  EXPECT_BYTES(remarks.substr(0, kHamlogRemarkHeaderSize), HamlogRemarkHeader(26, 12, 8, 6));

  HamlogRecord first;
  first.call = "JA1ABC";
  first.portable = "1";
  first.frequency = "7";
  first.mode = "CW";
  first.name = "Taro";
  first.qsl = "J";
  first.year = 98, first.month = 7, first.day = 15, first.hour = 12, first.minute = 30;
  first.his_number = 59, first.his_char = '9', first.my_number = 59, first.my_char = '9';
  first.remark_offset = kHamlogRemarkHeaderSize;
  EXPECT_BYTES(data.substr(kHamlogHeaderSize, kHamlogRecordSize), HamlogRecordBytes(first));
  EXPECT_BYTES(remarks.substr(kHamlogRemarkHeaderSize, 23),
               HamlogRemarkEntry("Tokyo", "QRP test", CornerTag("Pow", "10")));

  HamlogRecord third;
  third.call = "JA1ABC";
  third.portable = "POR";
  third.frequency = k19125;
  third.mode = "CW";
  third.qsl = "N";
  third.year = 0x80 | 5, third.month = 1, third.day = 2;
  third.his_number = 5, third.his_char = 'N', third.my_number = 59, third.my_char = '9';
  std::string record = data.substr(kHamlogHeaderSize + 2 * kHamlogRecordSize, kHamlogRecordSize);
  third.remark_offset = static_cast<uint32_t>(static_cast<unsigned char>(record[54])) |
                        static_cast<uint32_t>(static_cast<unsigned char>(record[55])) << 8;
  EXPECT_BYTES(record, HamlogRecordBytes(third));
  EXPECT_BYTES(remarks.substr(third.remark_offset, 23),
               HamlogRemarkEntry("", "", CornerTag("ToRadio", "JA1ABC/PORT")));
  // No QTH, no remarks: no remark entry.
  EXPECT_BYTES(data.substr(kHamlogHeaderSize + 3 * kHamlogRecordSize + 54, 4),
               std::string(4, '\0'));
}

SCENARIO(HamlogWrittenRecordsReadBack, kHamlog) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("round.DBS").c_str()), 1);
  const std::string lines[] = {
      "98/07/15,1230,JA1ABC/1,599,7,CW,10,\"Taro\",\"Tokyo\",\"QRP test\",,,",
      "98/12/31,2359,KH6/JA1ABC,59,14.025,SSB,,\"" + std::string(kTanaka) +
          "\",,\"My[57] Via[B] CODE[1001] GL[PM95] REM[r1] mQSL[m2] MyQTH[Kyoto] rest\",Q,Y,home",
      "05/01/02,2400,JA1ABC/PORT,5NN,1.9125,CW,,,,,N,,",
      "98/07/15,1230,JA1ABC,599,7,CW,,,\"" + std::string(40, 'q') + "\",,,,",
  };
  for (const std::string& line : lines) EXPECT_NUMBER(plugin.Write(line), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  plugin.TakeMessages();
  EXPECT_TRUE(scene.files.Exists("round.DBR"));

  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("round.DBS")) != nullptr);
  const std::string read_back[] = {
      "980715,1230,JA1ABC/1,599,7,CW,10,\"Taro\",\"Tokyo\",\"" + CornerTag("REM1", "QRP test") +
          " Via[J] " + CornerTag("My", "599") + "\",,,",
      "981231,2359,KH6/JA1ABC,59,14.025,SSB,,\"" + std::string(kTanaka) + "\",,\"" +
          CornerTag("REM1", "r1 " + CornerTag("MyQTH", "Kyoto") + " rest") + " " +
          CornerTag("REM2", "$DX m2") + " Via[B] " + CornerTag("CODE", "1001") + " " +
          CornerTag("GL", "PM95") + " " + CornerTag("My", "57") + "\",Q,Y,home",
      "050102,0000,JA1ABC/PORT,05N,1.9125,CW,,,,\"Via[N] " + CornerTag("My", "599") + "\",N,,",
      "980715,1230,JA1ABC,599,7,CW,,,\"" + std::string(28, 'q') + "\",\"Via[J] " +
          CornerTag("My", "599") + "\",,,",
  };
  for (const std::string& line : read_back) {
    EXPECT_BYTES(plugin.List(), line);
    plugin.MoveNext();
  }
  EXPECT_NUMBER(plugin.IsEOF(), 1);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(HamlogWriterFailureIsTold, kHamlog) {
  Plugin& plugin = scene.plugin;
  std::string name = scene.files.Path("no-such-dir") + PathSeparator() + "out.dbs";
  EXPECT_NUMBER(plugin.Create(name.c_str()), 0);
  ExpectOneMessage(scene, varnek::kCannotCreate);
}

}  // namespace
}  // namespace scenario
