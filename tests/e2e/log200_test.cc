// LOG200 files through the exports: reading crafted records, the in-place
// QSL update and its write-back, writing, and a round trip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/messages.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

const std::string kSep = "\x1E";
const std::string kOpen = "\xA2";
const std::string kClose = "\xA3";

// A 200-byte record: each field followed by 0x1E, spaces to byte 197, CR LF.
std::string Record(const std::vector<std::string>& fields) {
  std::string data;
  for (const std::string& field : fields) data += field + kSep;
  data.resize(198, ' ');
  return data + "\r\n";
}

// Seventeen fields, the ones given by number replaced.
std::vector<std::string> Fields(std::initializer_list<std::pair<int, std::string>> given) {
  std::vector<std::string> fields(17);
  for (const auto& field : given) fields[field.first - 1] = field.second;
  return fields;
}

// The fields of a record's data area, split at 0x1E (no quote handling).
std::vector<std::string> DataFields(const std::string& record) {
  std::vector<std::string> fields;
  std::string data = record.substr(0, 198);
  size_t start = 0;
  for (size_t at; (at = data.find(kSep, start)) != std::string::npos; start = at + 1) {
    fields.push_back(data.substr(start, at - start));
  }
  fields.push_back(data.substr(start));
  return fields;
}

class Log200Test : public ::testing::Test {
 protected:
  PluginHost host;
  TempDir dir;
  std::string path = dir.Path("log.l2");
};

TEST_F(Log200Test, ListsEveryColumnAsFieldOrTag) {
  WriteFile(path, Record(Fields({{1, "981231"},
                                 {2, "1200"},
                                 {3, "1234"},
                                 {4, "JA1XYZ"},
                                 {5, "7.050."},
                                 {6, "CW"},
                                 {7, "599"},
                                 {8, "579"},
                                 {9, "Tokyo"},
                                 {10, "Taro"},
                                 {11, "FT-817"},
                                 {12, "ALLJA \t "},
                                 {13, "QSL via bureau Pow[50] Env[home]  "},
                                 {14, "Kyoto"},
                                 {15, "IC-706"},
                                 {16, "JQ"},
                                 {17, "N"}})));
  ASSERT_STREQ(host.OpenFile(path), path.c_str());
  EXPECT_EQ(host.GetLogType(), 0);
  EXPECT_EQ(host.CanUpdate(0), 1);
  EXPECT_EQ(host.GetFieldText(0), nullptr);
  EXPECT_EQ(host.IsEOF(), 0);
  EXPECT_EQ(host.List(), "981231,1200,JA1XYZ,599,7.050,CW,50,\"Taro\",\"Tokyo\",\"REM" + kOpen +
                             "QSL via bureau" + kClose + " MyQTH" + kOpen + "Kyoto" + kClose +
                             " MyRIG" + kOpen + "IC-706" + kClose + " RIG" + kOpen + "FT-817" +
                             kClose + " END" + kOpen + "1234" + kClose + " My" + kOpen + "579" +
                             kClose + " Contest" + kOpen + "ALLJA" + kClose + "\",J,N,home");
  char small[10];
  EXPECT_EQ(std::string(host.ListText(small, 10)).size(), host.List().size());
  EXPECT_STREQ(small, "981231,12");
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(Log200Test, EmptyColumnsGiveEmptyFields) {
  WriteFile(path, Record(Fields({{1, "981231"}, {2, "1200"}, {5, "7.050"}})));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.List(), "981231,1200,,,7.050,,,,,,,,");
}

TEST_F(Log200Test, FieldsAreSplitWithTheQuoteAwareSplitter) {
  std::string unpaired = Record(Fields({{1, "990101"}, {9, "To\"kyo"}, {10, "Hanako"}, {16, "J"}}));
  WriteFile(path, Record(Fields({{1, "981231"}, {9, "Osaka"}, {10, "\"Taro, Jr\""}, {16, "J"}})) +
                      unpaired);
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.List(), "981231,,,,,,,\"Taro, Jr\",\"Osaka\",,J,,");
  // The unpaired quote carries the rest of the data area, separators and
  // padding included, into the QTH; the fields after it are empty. The QSL
  // mark is found by counting separators alone.
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), "990101,,,,,,,,\"" + unpaired.substr(14, 184) + "\",,,,");
  EXPECT_STREQ(host.GetText(0), "J");
}

TEST_F(Log200Test, OperatorTagFillsOnlyAnEmptyName) {
  WriteFile(path, Record(Fields({{13, "OP[Taro] nice"}})) +
                      Record(Fields({{10, "Jiro"}, {13, "OP[Taro] nice"}})));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.List(), ",,,,,,,\"Taro\",,\"REM" + kOpen + "OP[Taro] nice" + kClose + "\",,,");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), ",,,,,,,\"Jiro\",,\"REM" + kOpen + "OP[Taro] nice" + kClose + "\",,,");
}

TEST_F(Log200Test, FileWithoutACompleteRecordLeavesAReaderWithNoFile) {
  for (const std::string& bytes : {std::string(), std::string(199, ' ')}) {
    WriteFile(path, bytes);
    EXPECT_EQ(host.OpenFile(path), nullptr);
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kFirstRecordMissing});
    EXPECT_EQ(host.IsEOF(), 1);
    EXPECT_EQ(host.MoveNext(), 0);
    EXPECT_EQ(host.Seek(0), 0);
    EXPECT_EQ(host.List(), "(null)");
    EXPECT_EQ(host.GetText(0), nullptr);
    EXPECT_EQ(host.CanUpdate(0), 0);
    EXPECT_EQ(host.Update(0, "J"), 0);
    EXPECT_EQ(host.Close(), 1);
    EXPECT_EQ(ReadFile(path), bytes);
  }
  EXPECT_EQ(host.OpenFile(dir.Path("missing.l2")), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpen});
  EXPECT_FALSE(FileExists(dir.Path("missing.l2")));
}

TEST_F(Log200Test, MovingPastTheEndKeepsTheRecordNumberOnePastTheLast) {
  std::string first = Record(Fields({{4, "A1"}}));
  std::string second = Record(Fields({{4, "B2"}}));
  WriteFile(path, first + second + std::string(50, 'x'));  // 450 bytes: two records
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.List(), "(null)");
  // Records 2 and 3 arrive; the next move goes to record 3.
  WriteFile(path, first + second + Record(Fields({{4, "C3"}})) + Record(Fields({{4, "D4"}})));
  EXPECT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.IsEOF(), 0);
  EXPECT_EQ(host.List(), ",,D4,,,,,,,,,,");
  EXPECT_EQ(host.Seek(0), 1);
  EXPECT_EQ(host.List(), ",,A1,,,,,,,,,,");
}

TEST_F(Log200Test, SeekOutsideTheFileReadsNothing) {
  WriteFile(path, Record(Fields({{4, "A1"}, {16, ""}})));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.Seek(-1), 0);
  EXPECT_EQ(host.IsEOF(), 0);
  // 536870912 * 200 wraps to offset 0 in 32 bits: still past the end.
  EXPECT_EQ(host.Seek(536870912), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.List(), "(null)");
  EXPECT_EQ(host.GetText(0), nullptr);
  EXPECT_EQ(host.Update(0, "J"), 0);
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), Record(Fields({{4, "A1"}})));
}

TEST_F(Log200Test, GetTextReturnsFieldSixteen) {
  std::vector<std::string> few(14, "x");
  WriteFile(path, Record(Fields({{16, "JQ"}})) + Record(Fields({})) + Record(few) +
                      Record(Fields({{16, "\"J\""}})));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_STREQ(host.GetText(0), "JQ");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_STREQ(host.GetText(0), "");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.GetText(0), nullptr);
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_STREQ(host.GetText(0), "J");
}

TEST_F(Log200Test, UpdateFillsAnEmptyMarkFromTheTrailingPadding) {
  std::string roomy = Record(Fields({{4, "A1"}}));
  std::string data(15, '\x1E');
  data += "\x1E\x1E" + std::string(3, ' ');
  std::string tight = std::string(198 - data.size(), 'r') + data + "\r\n";
  std::string marked = Record(Fields({{4, "C3"}, {16, "N"}}));
  WriteFile(path, roomy + tight + marked);
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.List(), ",,A1,,,,,,,,,,");
  EXPECT_EQ(host.Update(0, "J"), 1);
  EXPECT_STREQ(host.GetText(0), "J");
  EXPECT_EQ(host.List(), ",,A1,,,,,,,,J,,");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.Update(0, std::string(50, 'Q').c_str()), 1);
  EXPECT_STREQ(host.GetText(0), "QQQ");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.Update(0, "J"), 1);
  EXPECT_STREQ(host.GetText(0), "N");
  EXPECT_EQ(host.Close(), 1);

  std::string expected_roomy = Record(Fields({{4, "A1"}, {16, "J"}}));
  std::string expected_tight = tight;
  expected_tight.replace(198 - data.size() + 15, 3, "QQQ");
  expected_tight.replace(198 - data.size() + 18, 2, "\x1E\x1E");
  EXPECT_EQ(ReadFile(path), expected_roomy + expected_tight + marked);
}

TEST_F(Log200Test, UpdateKeepsTheRecordStructure) {
  WriteFile(path, Record(Fields({{4, "A1"}})));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.Update(0, "a\x1E\r\nb"), 1);
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), Record(Fields({{4, "A1"}, {16, "a   b"}})));
}

// One update per kind of move; the file is checked right after the move.
TEST_F(Log200Test, ChangedRecordIsWrittenBackOnceWhenTheReaderMoves) {
  std::string a = Record(Fields({{4, "A1"}}));
  std::string b = Record(Fields({{4, "B2"}}));
  std::string a_marked = Record(Fields({{4, "A1"}, {16, "J"}}));
  std::string b_marked = Record(Fields({{4, "B2"}, {16, "K"}}));
  WriteFile(path, a + b);
  ASSERT_NE(host.OpenFile(path), nullptr);

  EXPECT_EQ(host.Update(0, "J"), 1);
  EXPECT_EQ(ReadFile(path), a + b);
  EXPECT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(ReadFile(path), a_marked + b);
  // Written once: a later change by someone else stays.
  WriteFile(path, a + b);

  EXPECT_EQ(host.Update(0, "K"), 1);
  EXPECT_EQ(host.MoveNext(), 0);  // past the end: written back where it was read
  EXPECT_EQ(ReadFile(path), a + b_marked);
  EXPECT_EQ(host.Update(0, "L"), 0);

  EXPECT_EQ(host.Seek(0), 1);
  EXPECT_EQ(host.Update(0, "J"), 1);
  EXPECT_EQ(host.Seek(1), 1);
  EXPECT_EQ(ReadFile(path), a_marked + b_marked);

  WriteFile(path, a + b);
  EXPECT_EQ(host.Update(0, "K"), 1);
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), a + b_marked);

  WriteFile(path, a + b);
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.Update(0, "J"), 1);
  ASSERT_NE(host.OpenFile(path), nullptr);  // the same file again
  EXPECT_EQ(ReadFile(path), a_marked + b);
  EXPECT_STREQ(host.GetText(0), "J");

  WriteFile(path, a + b);
  EXPECT_EQ(host.Seek(1), 1);
  EXPECT_EQ(host.Update(0, "K"), 1);
  host.Reload();
  EXPECT_EQ(ReadFile(path), a + b_marked);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

class Log200WriterTest : public Log200Test {
 protected:
  // Writes the lines into a new file and returns its records.
  std::vector<std::string> WriteRecords(const std::vector<std::string>& lines) {
    EXPECT_EQ(host.Create(path.c_str()), 1);
    for (const std::string& line : lines) EXPECT_EQ(host.Write(line), 1);
    EXPECT_EQ(host.CClose(), 1);
    std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes.size(), 200 * lines.size());
    std::vector<std::string> records;
    for (size_t at = 0; at + 200 <= bytes.size(); at += 200) {
      records.push_back(bytes.substr(at, 200));
    }
    return records;
  }

  // The fields of the one record the line becomes.
  std::vector<std::string> FieldsOf(const std::string& line) {
    std::vector<std::string> records = WriteRecords({line});
    return records.empty() ? std::vector<std::string>() : DataFields(records[0]);
  }
};

TEST_F(Log200WriterTest, DateAndTimeAloneGiveSeventeenSeparators) {
  std::vector<std::string> records = WriteRecords({"98/12/31,1234,,,,,,,,,,,"});
  ASSERT_EQ(records.size(), 1u);
  std::string data = "981231" + kSep + "1234" + kSep + "1234" + std::string(15, '\x1E');
  EXPECT_EQ(records[0], data + std::string(198 - data.size(), ' ') + "\r\n");
}

TEST_F(Log200WriterTest, ColumnsComeFromFieldsAndTags) {
  std::vector<std::string> fields = FieldsOf(
      "99/01/02,0930,JA1XYZ,599,7.050,CW,5,\"Taro\",\"Tokyo\",\"My[579] RIG[IC-706] "
      "REM[first QSO] Test[ALLJA] END[0945] MyQTH[Kyoto] MyRIG[FT-817] note\",J,N,home");
  std::vector<std::string> expected = {"990102",
                                       "0930",
                                       "0945",
                                       "JA1XYZ",
                                       "7.050",
                                       "CW",
                                       "599",
                                       "579",
                                       "Tokyo",
                                       "Taro",
                                       "IC-706",
                                       "ALLJA",
                                       "first QSO note Pow[5] Env[home]",
                                       "Kyoto",
                                       "FT-817",
                                       "J",
                                       "N"};
  ASSERT_EQ(fields.size(), 18u);
  EXPECT_EQ(fields[17].find_first_not_of(' '), std::string::npos);
  fields.resize(17);
  EXPECT_EQ(fields, expected);
}

TEST_F(Log200WriterTest, AlternativeTagsAndTheOperatorName) {
  struct Case {
    std::string name_and_remarks;
    int field;
    std::string value;
    std::string remarks;
  } cases[] = {
      {"\"Taro\",,\"OP[Taro]\"", 10, "", "OP[Taro]"},
      {"\"taro\",,\"OP[Taro]\"", 10, "taro", "OP[Taro]"},
      // An OP tag that goes into another field with its tag gives no name
      // back: the name stays.
      {"\"Taro\",,\"Test[OP[Taro] x]\"", 10, "Taro", ""},
      {"\"Taro\",,\"RIG[OP[Taro]] OP[Jiro]\"", 10, "Taro", "OP[Jiro]"},
      {",,\"Contest[A] Test[B]\"", 12, "A", "Test[B]"},
      {",,\"Test[B]\"", 12, "B", ""},
      {",,\"REM[x] REM1[y]\"", 13, "x REM1[y]", "x REM1[y]"},
      {",,\"REM1[ y ]\"", 13, "y", "y"},
      {",,\"mQSL[m] REM2[r]\"", 13, "r mQSL[m]", "r mQSL[m]"},
      {",,\"REM[a] mQSL[m] rest\"", 13, "a m rest", "a m rest"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> fields = FieldsOf("98/12/31,1234,,,,,," + c.name_and_remarks + ",,,");
    ASSERT_GE(fields.size(), 13u) << c.name_and_remarks;
    EXPECT_EQ(fields[c.field - 1], c.value) << c.name_and_remarks;
    EXPECT_EQ(fields[12], c.remarks) << c.name_and_remarks;
  }
}

TEST_F(Log200WriterTest, PowerAndEnvBecomeSquareBracketTags) {
  EXPECT_EQ(FieldsOf("98/12/31,1234,,,,,50,,,,,,")[12], "Pow[50]");
  EXPECT_EQ(FieldsOf("98/12/31,1234,,,,,,,,,,,")[12], "");
  EXPECT_EQ(FieldsOf("98/12/31,1234,,,,,,,,\" note \",,,e")[12], "note Env[e]");
}

TEST_F(Log200WriterTest, LineIsTakenApartInPlace) {
  // The date's separators become zero bytes in the host's line, as do the
  // commas that end the fields; a short date is not written past.
  ASSERT_EQ(host.Create(path.c_str()), 1);
  char line[] = "98/12/31,1234,JA1XYZ";
  ASSERT_EQ(host.WriteText(line), 1);
  EXPECT_EQ(std::string(line, sizeof line - 1), std::string("98\0"
                                                            "12\0"
                                                            "31\0"
                                                            "1234\0JA1XYZ",
                                                            20));
  char short_date[] = "9,1234";
  ASSERT_EQ(host.WriteText(short_date), 1);
  EXPECT_EQ(std::string(short_date, sizeof short_date - 1), std::string("9\0"
                                                                        "1234",
                                                                        6));
  EXPECT_EQ(host.CClose(), 1);
  std::string bytes = ReadFile(path);
  ASSERT_EQ(bytes.size(), 400u);
  EXPECT_EQ(bytes.substr(200, 6),
            "9\x1E"
            "1234");
}

TEST_F(Log200WriterTest, ShortDatesAndRecordBreakingBytes) {
  EXPECT_EQ(FieldsOf("98/1,1234")[0], "981");
  EXPECT_EQ(FieldsOf(",1234")[0], "");
  EXPECT_EQ(FieldsOf("98/12/31,1234,,,,,,,,,,,")[0], "981231");
  std::vector<std::string> fields = FieldsOf(
      "98/12/31,1234,JA\x1E"
      "1,,,,,\"a\rb\",,\"x\ny\",,,");
  ASSERT_EQ(fields.size(), 18u);
  EXPECT_EQ(fields[3], "JA 1");
  EXPECT_EQ(fields[9], "a b");
  EXPECT_EQ(fields[12], "x y");
}

TEST_F(Log200WriterTest, OverlongRecordsAreShortenedWithOneWarning) {
  // Fields 1-12 take 161 bytes with their separators, 14-17 take 18 and the
  // 30-byte remarks 31: 210 in all.
  std::string line = "98/12/31,1234," + std::string(110, 'C') + ",,,,,,\"" + std::string(25, 'Q') +
                     "\",\"" + std::string(30, 'r') + " MyQTH[" + std::string(14, 'k') + "]\",,,";
  // 171 + 38 + 21 = 230 bytes, with 20 bytes of remarks.
  std::string wide = std::string(120, 'W');
  std::string cut_line = "98/12/31,1234," + wide + ",,,,,,\"" + std::string(25, 'Q') + "\",\"" +
                         std::string(20, 's') + " MyQTH[" + std::string(32, 'm') + "]\",J,N,";
  std::vector<std::string> records = WriteRecords({line, line, cut_line});
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kLog200Overflow});
  // The remarks lose their last 12 bytes; the record is full.
  std::vector<std::string> fields = DataFields(records[0]);
  ASSERT_EQ(fields.size(), 18u);
  EXPECT_EQ(fields[12], std::string(18, 'r'));
  EXPECT_EQ(fields[13], std::string(14, 'k'));
  EXPECT_EQ(fields[17], "");
  EXPECT_EQ(records[1], records[0]);
  // The remarks stay whole and the record's end is lost.
  std::string head = "981231" + kSep + "1234" + kSep + "1234" + kSep + wide + kSep;
  EXPECT_EQ(records[2].substr(0, head.size()), head);
  EXPECT_EQ(records[2].substr(171), std::string(20, 's') + kSep + "mmmmmm\r\n");

  // A new file warns again.
  WriteRecords({line});
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kLog200Overflow});
}

std::string Repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// Fields 1-12 of this line take 161 bytes with their separators and 14-17
// take 4: the remarks have 32 bytes of room.
std::string LineWithRemarks(const std::string& remarks, const std::string& power = "") {
  return "98/12/31,1234," + std::string(110, 'C') + ",,,," + power + ",,\"" + std::string(25, 'Q') +
         "\",\"" + remarks + "\",,,";
}

TEST_F(Log200WriterTest, OverlongRemarksLoseWholeCharactersAndWholeTags) {
  const std::string hatsu = "\x8F\x89";
  struct Case {
    std::string line;
    std::string remarks;  // field 13 as written
  } cases[] = {
      {LineWithRemarks(std::string(31, 'r') + hatsu), std::string(31, 'r')},
      {LineWithRemarks(std::string(20, 'r') + " XYZ[" + std::string(15, 'v') + "]"),
       std::string(20, 'r')},
      {LineWithRemarks(std::string(28, 'r'), "12345"), std::string(28, 'r')},
  };
  for (const Case& c : cases) {
    std::vector<std::string> fields = FieldsOf(c.line);
    ASSERT_EQ(fields.size(), 18u) << c.line;
    EXPECT_EQ(fields[12], c.remarks) << c.line;
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kLog200Overflow});
  }
  // Too long to be absorbed by the remarks: the record is cut in field 14,
  // before the character that would cross byte 198.
  std::string line = "98/12/31,1234," + std::string(120, 'W') + ",,,,,,\"" + std::string(25, 'Q') +
                     "\",\"" + std::string(20, 's') + " MyQTH[m" + Repeated(hatsu, 10) + "]\",J,N,";
  std::vector<std::string> records = WriteRecords({line});
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].substr(171), std::string(20, 's') + kSep + "m" + hatsu + hatsu + " \r\n");
}

TEST_F(Log200WriterTest, TagsThatReadersNestOrRepeatComeBackWhereTheyWere) {
  struct Case {
    std::string power_and_remarks;
    int field;
    std::string value;
    std::string remarks;
  } cases[] = {
      // The nested tag goes to its column, leaving no empty REM1 behind.
      {",,,\"REM1" + kOpen + "Contest" + kOpen + "ALLJA" + kClose + kClose + "\"", 12, "ALLJA", ""},
      {",,,\"REM1" + kOpen + "note Contest" + kOpen + "ALLJA" + kClose + kClose + "\"", 12, "ALLJA",
       "note"},
      // A tag outside the others goes first, wherever it stands.
      {",,,\"REM[a RIG[x]] RIG[y]\"", 11, "y", "a RIG[x]"},
      // The power's own tag goes where a reader takes it first.
      {"10,,,\"Pow[1000]\"", 13, "Pow[10] Pow[1000]", "Pow[10] Pow[1000]"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> fields = FieldsOf("98/12/31,1234,,,,," + c.power_and_remarks + ",,,");
    ASSERT_GE(fields.size(), 13u) << c.power_and_remarks;
    EXPECT_EQ(fields[c.field - 1], c.value) << c.power_and_remarks;
    EXPECT_EQ(fields[12], c.remarks) << c.power_and_remarks;
  }
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
  // An Env text holding a Pow tag cannot come back as it was.
  FieldsOf("98/12/31,1234,,,,,,,,,,,a Pow[5]");
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kLog200Overflow});
}

TEST_F(Log200Test, MarksAndRemarksListWholeAndWrapped) {
  WriteFile(path, Record(Fields({{13, "a" + kClose + "b"}, {16, "\x8D\xCF"}})));
  ASSERT_NE(host.OpenFile(path), nullptr);
  // The remark's own corner bracket would end REM early: square ones hold it.
  EXPECT_EQ(host.List(), ",,,,,,,,,\"REM[a" + kClose + "b]\",\x8D\xCF,,");
  EXPECT_EQ(host.Close(), 1);
}

TEST_F(Log200Test, UpdateStoresWholeCharactersOnly) {
  std::string data(15, '\x1E');
  data += "\x1E\x1E" + std::string(3, ' ');
  const std::string tight = std::string(198 - data.size(), 'r') + data + "\r\n";
  const size_t mark_at = 198 - data.size() + 15;
  for (const std::pair<std::string, std::string>& c :
       std::vector<std::pair<std::string, std::string>>{
           {"J\x8D\xCF", "J\x8D\xCF"}, {"JQ\x8D\xCF", "JQ"}, {"\x8D\xCF\x8D\xCF", "\x8D\xCF"}}) {
    WriteFile(path, tight);
    ASSERT_NE(host.OpenFile(path), nullptr);
    EXPECT_EQ(host.Update(0, c.first.c_str()), 1);
    EXPECT_EQ(host.Close(), 1);
    std::string expected = tight;
    expected.replace(mark_at, c.second.size(), c.second);
    expected.replace(mark_at + c.second.size(), 2, "\x1E\x1E");
    expected.replace(mark_at + c.second.size() + 2, 3 - c.second.size(),
                     std::string(3 - c.second.size(), ' '));
    EXPECT_EQ(ReadFile(path), expected) << c.first;
  }
}

TEST_F(Log200WriterTest, UncreatableFileIsReported) {
  EXPECT_EQ(host.Create(dir.Path("no/such/dir.l2").c_str()), 0);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotCreate});
  EXPECT_EQ(host.Write("98/12/31,1234"), 0);
}

// LOG200 -> QSO lines -> LOG200 keeps every field that fits.
TEST_F(Log200WriterTest, RoundTripKeepsTheRecords) {
  std::string original =
      Record(Fields({{1, "981231"},
                     {2, "1200"},
                     {3, "1234"},
                     {4, "JA1XYZ"},
                     {5, "7.050"},
                     {6, "CW"},
                     {7, "599"},
                     {8, "579"},
                     {9, "Tokyo"},
                     {10, "Taro"},
                     {11, "FT-817"},
                     {12, "ALLJA"},
                     {13, "QSL via bureau Pow[50] Env[home]"},
                     {14, "Kyoto"},
                     {15, "IC-706"},
                     {16, "J"},
                     {17, "N"}})) +
      Record(Fields({{1, "990101"},
                     {2, "0000"},
                     {3, "0000"},
                     {4, "JA2ABC/2"},
                     {5, "430"},
                     {6, "FM"},
                     {7, "59"},
                     {9, "\x93\x8C\x8B\x9E"},
                     {13, "OP[Hanako] REM2"},
                     {16, "N"}})) +
      Record(Fields({{1, "990102"}, {2, "2359"}, {3, "0001"}, {4, "7K1AAA"}, {13, "Pow[10]"}}));
  std::string source = dir.Path("source.l2");
  WriteFile(source, original);
  ASSERT_NE(host.OpenFile(source), nullptr);
  std::vector<std::string> lines;
  for (; host.IsEOF() == 0; host.MoveNext()) {
    std::string line = host.List();
    line = line.substr(0, 2) + "/" + line.substr(2, 2) + "/" + line.substr(4);
    lines.push_back(line);
  }
  EXPECT_EQ(host.Close(), 1);
  ASSERT_EQ(lines.size(), 3u);
  WriteRecords(lines);
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

}  // namespace
}  // namespace varnek_test
