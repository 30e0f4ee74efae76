// Generated QSO lines through every writer, and generated or damaged logs
// through every reader, with everything the plug-in returns written into
// listing files. The scenarios check little themselves: their point is
// that the Windows and the native run write the same bytes (run-wine
// compares them), whatever the numbers, texts and layouts met on the way.
#include <cstdint>
#include <string>
#include <vector>

#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

// A small generator of its own, so that both hosts draw the same values.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  uint32_t Below(uint32_t n) { return Next() % n; }
  const std::string& Pick(const std::vector<std::string>& choices) {
    return choices[Below(static_cast<uint32_t>(choices.size()))];
  }
  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Below(10));
    return digits;
  }

 private:
  uint32_t state_;
};

std::string Quoted(const std::string& field) { return field.empty() ? "" : "\"" + field + "\""; }

std::string Remarks(Random& random) {
  static const std::vector<std::string> kPieces = {"QRP",
                                                   "nice",
                                                   "Pow[5]",
                                                   "Env[home]",
                                                   "REM[first]",
                                                   "REM1[one]",
                                                   "REM2[two]",
                                                   "mQSL[m]",
                                                   "My[57]",
                                                   "My(5NN)",
                                                   "OP[Taro]",
                                                   "MyQTH[Kyoto]",
                                                   "MyRIG{IC-705}",
                                                   "RIG[FT-817]",
                                                   "END[1234]",
                                                   "Contest<ALLJA>",
                                                   "Test[B]",
                                                   "ToRadio[JA1ABC/1/P]",
                                                   "Via[B]",
                                                   "CODE[1001]",
                                                   "GL[PM95]",
                                                   "OPT[o]",
                                                   "OPT2[g]",
                                                   "USR1[u]",
                                                   "USR2[v]",
                                                   "M[x]",
                                                   "$DX",
                                                   "pow[7",
                                                   std::string(kTokyo) + "Pow[9]",
                                                   "REM\xA2" + std::string(kIdou) + "\xA3",
                                                   "a]b",
                                                   "\"q\"",
                                                   std::string(60, 'L'),
                                                   "\x81[\x81]",
                                                   "\t"};
  std::string remarks;
  uint32_t count = random.Below(6);
  for (uint32_t i = 0; i < count; ++i) {
    if (!remarks.empty()) remarks += random.Below(4) == 0 ? "," : " ";
    remarks += random.Pick(kPieces);
  }
  return remarks;
}

std::string GeneratedLine(Random& random) {
  static const std::vector<std::string> kDates = {
      "98/07/15", "00/02/29", "99/12/31", "1/2/3", "2001/03/01", "980715", "ab/cd/ef", "", "05"};
  static const std::vector<std::string> kTimes = {"0000",  "0859", "2400",       "5",
                                                  "12:30", "",     "4294967299", "0900"};
  static const std::vector<std::string> kCalls = {
      "JA1ABC", "JA1ABC/1",   "KH6/JA1ABC", "JA1ABC/PORT", "JA1ABC/1/P",
      "",       "7J1AAA/JD1", "JA1ABCDEFG", "/",           "A/B"};
  static const std::vector<std::string> kReports = {"599", "59", "5NN", "", "1", "-5", "5"};
  static const std::vector<std::string> kFrequencies = {
      "7",       "3.5", "14.025", "1296.10", "10368.100", "0.475",   "14025",
      "abcdefg", "",    "1.9125", "144.00",  "7.",        "99999999"};
  static const std::vector<std::string> kModes = {"CW", "SSB", "FM", "AM", "RTTY", ""};
  static const std::vector<std::string> kPowers = {"", "10", "1k", "100"};
  static const std::vector<std::string> kNames = {"", "Taro", kTanaka, "a,b", std::string(20, 'n')};
  static const std::vector<std::string> kQths = {"", "Tokyo", kTokyoTo, std::string(40, 'q')};
  static const std::vector<std::string> kMarks = {"", "J", "N", "n", "JQ"};
  std::string date = random.Pick(kDates);
  if (random.Below(2) == 0) {
    date = random.Digits(2) + "/" + random.Digits(2) + "/" + random.Digits(2);
  }
  std::string time = random.Below(2) == 0 ? random.Pick(kTimes) : random.Digits(4);
  std::string line = date + "," + time + "," + random.Pick(kCalls) + "," + random.Pick(kReports) +
                     "," + random.Pick(kFrequencies) + "," + random.Pick(kModes) + "," +
                     random.Pick(kPowers) + "," + Quoted(random.Pick(kNames)) + "," +
                     Quoted(random.Pick(kQths)) + "," + Quoted(Remarks(random)) + "," +
                     random.Pick(kMarks) + "," + random.Pick(kMarks) + "," +
                     (random.Below(3) == 0 ? "env" : "");
  // Now and then a line that stops early.
  if (random.Below(10) == 0) {
    line = line.substr(0, random.Below(static_cast<uint32_t>(line.size())));
  }
  return line;
}

// Lists every record, its QSL mark and a column name into a listing; marks
// every third record and seeks back and forth on the way. Returns the
// records listed.
int ListInto(Plugin& plugin, Random& random, std::string* listing) {
  int records = 0;
  while (plugin.IsEOF() == 0 && records < 2000) {
    *listing += plugin.List() + "\n" + Shown(plugin.GetText(0)) + " " +
                Shown(plugin.GetFieldText(records * 7919)) + "\n";
    if (records % 3 == 0) *listing += std::to_string(plugin.Update(0, "X")) + "\n";
    ++records;
    if (random.Below(8) == 0) {
      int32_t target = static_cast<int32_t>(random.Below(static_cast<uint32_t>(records) + 2));
      *listing += "seek " + std::to_string(target) + " " + std::to_string(plugin.Seek(target)) +
                  " " + std::to_string(plugin.IsEOF()) + "\n";
      plugin.Seek(records);
    } else {
      plugin.MoveNext();
    }
  }
  for (int32_t distant : {-1, 0x7FFFFFFF, 10737418}) {
    *listing +=
        "seek " + std::to_string(distant) + " " + std::to_string(plugin.Seek(distant)) + "\n";
  }
  *listing += "close " + std::to_string(plugin.Close()) + "\n";
  return records;
}

std::string MessagesListing() {
  std::string listing;
  for (const MessageBoxSeen& box : host_record.message_boxes) {
    listing += "box " + std::to_string(box.style) + " " + box.text + "\n";
  }
  host_record.message_boxes.clear();
  return listing;
}

SCENARIO(GeneratedLinesWriteAndReadAlike, kCsv | kLog200 | kHamlog | kQirno) {
  Plugin& plugin = scene.plugin;
  Random random(20261208);
  std::vector<std::string> lines;
  for (int i = 0; i < 300; ++i) lines.push_back(GeneratedLine(random));

  struct Output {
    const char* name;
    int answer;  // to the JST question of the CSV writer
    bool readable;
  };
  for (const Output& output :
       {Output{"jst.csv", 6, true}, Output{"utc.csv", 7, true}, Output{"out.l2", 6, true},
        Output{"out.dbs", 6, true}, Output{"out.log", 6, false}}) {
    host_answers.yes_no = output.answer;
    std::string listing;
    EXPECT_NUMBER(plugin.Create(scene.files.Path(output.name).c_str()), 1);
    for (const std::string& line : lines) EXPECT_NUMBER(plugin.Write(line), 1);
    EXPECT_NUMBER(plugin.CClose(), 1);
    listing += MessagesListing();
    if (output.readable) {
      EXPECT_TRUE(plugin.OpenChosen(scene.files.Path(output.name)) != nullptr);
      EXPECT_NUMBER(ListInto(plugin, random, &listing), 300);
      listing += MessagesListing();
    }
    scene.files.Write(std::string(output.name) + ".listing", listing);
  }
}

// Valid headers around random record bytes, remark entries at random
// places, and text full of line ends, quotes and lead bytes.
SCENARIO(DamagedLogsReadAlike, kCsv | kLog200 | kHamlog) {
  Plugin& plugin = scene.plugin;
  Random random(4242);
  // Bytes that mean something to some format, and a few that do not.
  static const char kAlphabet[] =
      "\x1E\x1E\x1E\"\r\n\x1A ,[]{}()<>\xA2\xA3/.0159AJQNz\x81\x5B\x83\x5C\xE0\xFC\xFF";
  auto noise = [&](size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += kAlphabet[random.Below(sizeof kAlphabet)];
    return bytes;  // the alphabet's terminating zero is drawn as well
  };

  std::string remarks = HamlogRemarkHeader(26, 12, 8, 0) + noise(3000);
  std::string data = HamlogDataHeader(26, 12, 8, 0);
  for (int i = 0; i < 40; ++i) {
    std::string record = noise(kHamlogRecordSize);
    uint32_t offset = random.Below(4) == 0 ? random.Next() : random.Below(3300);
    record.replace(54, 4, LittleEndian32(offset));
    data += record;
  }
  data += noise(random.Below(58));
  scene.files.Write("noise.dbs", data);
  scene.files.Write("noise.DBR", remarks);

  std::string l2;
  for (int i = 0; i < 40; ++i) l2 += noise(kLog200RecordSize);
  scene.files.Write("noise.l2", l2 + noise(120));
  scene.files.Write("noise.txt", noise(9000) + std::string(9000, 'w') + noise(500));

  for (const char* name : {"noise.dbs", "noise.l2", "noise.txt"}) {
    std::string listing;
    if (plugin.OpenChosen(scene.files.Path(name)) != nullptr) ListInto(plugin, random, &listing);
    listing += MessagesListing();
    scene.files.Write(std::string(name) + ".listing", listing);
  }
}

}  // namespace
}  // namespace scenario
