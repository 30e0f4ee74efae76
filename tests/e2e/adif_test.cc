// ADIF through the exports: what each QSO line becomes, what users' ADIF
// files list as, and that nothing a user may pick takes the reader out of
// the file's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "formats/adif/adif_handler.h"
#include "plugin/messages.h"
#include "support/plugin_host.h"

namespace varnek_test {

namespace {

class AdifTest : public testing::Test {
 protected:
  // Writes the lines into a new ADIF file and returns its records, one a
  // line, without the header.
  std::vector<std::string> WriteAll(const std::vector<std::string>& lines) {
    std::string path = dir.Path("out.adi");
    EXPECT_EQ(host.Create(path.c_str()), 1);
    for (const std::string& line : lines) EXPECT_EQ(host.Write(line), 1);
    EXPECT_EQ(host.CClose(), 1);
    std::string bytes = ReadFile(path);
    std::vector<std::string> records;
    size_t header_end = bytes.find("<EOH>\r\n");
    EXPECT_NE(header_end, std::string::npos);
    for (size_t at = header_end + 7; at < bytes.size();) {
      size_t end = bytes.find("\r\n", at);
      records.push_back(bytes.substr(at, end - at));
      at = end + 2;
    }
    header = bytes.substr(0, header_end + 7);
    return records;
  }
  // Lists every record of an ADIF file holding `bytes`.
  std::vector<std::string> ReadAll(const std::string& bytes, const char* name = "in.adi") {
    std::string path = dir.Path(name);
    WriteFile(path, bytes);
    std::vector<std::string> lines;
    if (host.OpenFile(path) == nullptr) return lines;
    while (host.IsEOF() == 0) {
      lines.push_back(host.List());
      host.MoveNext();
    }
    EXPECT_EQ(host.Close(), 1);
    return lines;
  }
  PluginHost host;
  TempDir dir;
  std::string header;
};

// "｢" and "｣"
std::string Tag(const std::string& keyword, const std::string& value) {
  return keyword + "\xA2" + value + "\xA3";
}

TEST_F(AdifTest, EachQsoLineIsOneRecordInUtcWithWhatNoFieldHoldsKeptAside) {
  struct Case {
    std::string line;
    std::string record;
  };
  const Case cases[] = {
      // JST 08:59 on 31 December is 23:59 UTC the day before; the end
      // (in JST) after the start, on the next UTC day.
      {"24/12/31,0859,ja1abc,599,7.050.,CW,100W,\"Taro\",\"Tokyo\",\"My[579] END[0905] "
       "GL[pm95qr] CODE[100110] Contest[ALLJA] RIG[FT-991] MyRIG[IC-705] MyQTH[Kyoto] "
       "REM[first] mQSL[via buro] Via[D] extra words\",N,J,portable",
       "<CALL:6>JA1ABC <QSO_DATE:8>20241230 <TIME_ON:4>2359 <QSO_DATE_OFF:8>20241231 "
       "<TIME_OFF:4>0005 <BAND:3>40m <FREQ:5>7.050 <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>579 "
       "<TX_PWR:3>100 <NAME:4>Taro <QTH:5>Tokyo <GRIDSQUARE:6>PM95QR <STATE:2>10 "
       "<CNTY:6>100110 <CONTEST_ID:5>ALLJA <RIG:6>FT-991 <MY_RIG:6>IC-705 <MY_CITY:5>Kyoto "
       "<COMMENT:17>first extra words <NOTES:8>via buro <QSL_SENT:1>N <QSL_SENT_VIA:1>D "
       "<QSL_RCVD:1>Y <APP_VARNEK_POWER:4>100W <APP_VARNEK_GRID:6>pm95qr "
       "<APP_VARNEK_ENV:8>portable <APP_VARNEK_QSL1:1>N <APP_VARNEK_QSL2:1>J "
       "<APP_VARNEK_VIA:1>D <EOR>"},
      // 29 February at midnight; a band name as frequency; a sideband; an
      // area code and a locator that are none; a route ADIF has no value for.
      {"24/02/29,0000,K1ABC,59,1200,USB,1k,,,\"CODE[100110] GL[XX99] Via[Q]\",*,,",
       "<CALL:5>K1ABC <QSO_DATE:8>20240228 <TIME_ON:4>1500 <BAND:4>23cm <MODE:3>SSB "
       "<SUBMODE:3>USB <RST_SENT:2>59 <QSL_SENT:1>Y <APP_VARNEK_FREQ:4>1200 "
       "<APP_VARNEK_MODE:3>USB <APP_VARNEK_POWER:2>1k <APP_VARNEK_GRID:4>XX99 "
       "<APP_VARNEK_CODE:6>100110 <APP_VARNEK_QSL1:1>* <APP_VARNEK_VIA:1>Q <EOR>"},
      // The century: 00 is 2000, and its first hours are in 1999 in UTC.
      {"00/01/01,0500,JA1ZZZ,-10,10.1G,FT4,5,,,,,,",
       "<CALL:6>JA1ZZZ <QSO_DATE:8>19991231 <TIME_ON:4>2000 <BAND:3>3cm <MODE:4>MFSK "
       "<SUBMODE:3>FT4 <RST_SENT:3>-10 <TX_PWR:1>5 <APP_VARNEK_FREQ:5>10.1G <EOR>"},
      // An end before the start is on the day after (here the same UTC day).
      {"99/12/31,2359,JA1ZZZ,+05,24G,RTT,,\"\x8E\x52\x93\x63\",,\"END[0005]\",,,",
       "<CALL:6>JA1ZZZ <QSO_DATE:8>19991231 <TIME_ON:4>1459 <TIME_OFF:4>1505 <BAND:6>1.25cm "
       "<MODE:4>RTTY <RST_SENT:3>+05 <NAME_INTL:6>\xE5\xB1\xB1\xE7\x94\xB0 "
       "<APP_VARNEK_FREQ:3>24G <APP_VARNEK_MODE:3>RTT <EOR>"},
  };
  std::vector<std::string> lines;
  for (const Case& c : cases) lines.push_back(c.line);
  std::vector<std::string> records = WriteAll(lines);
  ASSERT_EQ(records.size(), sizeof cases / sizeof *cases);
  for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i], cases[i].record) << i;
  EXPECT_EQ(header,
            "ADIF export of Varnek 1.03\r\n<ADIF_VER:5>3.1.6\r\n<PROGRAMID:6>Varnek\r\n"
            "<PROGRAMVERSION:4>1.03\r\n<CREATED_TIMESTAMP:15>20261208 123000\r\n<EOH>\r\n");
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(AdifTest, WhatOtherProgramsCannotTakeIsWarnedOncePerFile) {
  std::vector<std::string> records =
      WriteAll({"24/13/45,25:00,JA1ZZZ,59,abc,XYZ,,,,,,,", "24/01/02,1200,JA1ZZZ,59,7,DV,,,,,,,"});
  EXPECT_EQ(records[0],
            "<CALL:6>JA1ZZZ <RST_SENT:2>59 <APP_VARNEK_FREQ:3>abc <APP_VARNEK_MODE:3>XYZ <EOR>");
  EXPECT_EQ(records[1],
            "<CALL:6>JA1ZZZ <QSO_DATE:8>20240102 <TIME_ON:4>0300 <BAND:3>40m <FREQ:1>7 "
            "<RST_SENT:2>59 <APP_VARNEK_MODE:2>DV <EOR>");
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kAdifWriteWarning});
}

TEST_F(AdifTest, WrittenRecordsReadBackAsTheSameQsoLines) {
  std::vector<std::string> written = {
      "24/12/31,0859,JA1ABC,599,7.050,CW,100W,\"Taro\",\"\x93\x8C\x8B\x9E\",\"REM\xA2"
      "first\xA3 "
      "END\xA2"
      "0905\xA3 GL\xA2pm95qr\xA3 CODE\xA2"
      "100110\xA3 Via[D] My\xA2"
      "579\xA3\",N,J,env",
      "24/02/29,0000,K1ABC,59,1200,USB,1k,,,\"GL\xA2XX99\xA3 Via[Q]\",*,,",
      // Half-width katakana take three bytes each in UTF-8.
      "24/02/29,0000,JA1ABC,59,7,CW,,\"" + std::string(300, '\xCC') + "\",,,,,",
  };
  WriteAll(written);
  std::vector<std::string> listed = ReadAll(ReadFile(dir.Path("out.adi")), "back.adi");
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_EQ(listed[2], "240229,0000,JA1ABC,59,7,CW,,\"" + std::string(300, '\xCC') + "\",,,,,");
  EXPECT_EQ(listed[0], "241231,0859,JA1ABC,599,7.050,CW,100W,\"Taro\",\"\x93\x8C\x8B\x9E\",\"" +
                           Tag("REM", "first") + " " + Tag("END", "0905") + " " +
                           Tag("GL", "pm95qr") + " " + Tag("CODE", "100110") + " Via[D] " +
                           Tag("My", "579") + "\",N,J,env");
  EXPECT_EQ(listed[1],
            "240229,0000,K1ABC,59,1200,USB,1k,,,\"" + Tag("GL", "XX99") + " Via[Q]\",*,,");
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(AdifTest, UsersFilesListAsQsoLines) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> lines;
    bool warned;
  };
  auto record = [](const std::string& fields) {
    return "<CALL:6>JA1ABC <QSO_DATE:8>20240101 <TIME_ON:4>1200 " + fields + " <EOR>\n";
  };
  auto with_mode = [](const char* mode) {
    return "240101,2100,JA1ABC,,," + std::string(mode) + ",,,,,,,";
  };
  const Case cases[] = {
      {"modes in any letter case one after another, a mode and a submode the tables lack",
       record("<MODE:2>cw") + record("<MODE:2>Cw") + record("<MODE:2>aa") + record("<MODE:2>cW") +
           record("<MODE:3>ssb <SUBMODE:3>usb") + record("<MODE:4>mfsk <SUBMODE:3>ft4") +
           record("<MODE:4>MFSK <SUBMODE:3>fT4") + record("<MODE:4>MFSK <SUBMODE:3>fT5"),
       {with_mode("CW"), with_mode("CW"), with_mode("aa"), with_mode("CW"), with_mode("SSB"),
        with_mode("FT4"), with_mode("FT4"), with_mode("fT5")},
       false},
      {"lower-case names, type indicators, no header, UTC into JST",
       "<call:6>JA1ABC<qso_date:8:D>20241231<time_on:6>150000<freq:6:N>14.074<mode:3>FT8"
       "<rst_sent:3>-10<rst_rcvd:3>-03<eor>",
       {"250101,0000,JA1ABC,-10,14.074,FT8,,,,\"" + Tag("My", "-03") + "\",,,"},
       false},
      {"a header, a value holding '<', a field no QSO line has, the LoTW end mark",
       "Exported\r\n<PROGRAMID:4>Test<EOH>\r\n<CALL:5>K1ABC <QSO_DATE:8>20240101 "
       "<TIME_ON:4>0000 <BAND:3>20M <MODE:3>SSB <SUBMODE:3>LSB <COMMENT:5>a<b>c <DXCC:3>291 "
       "<QSL_RCVD:1>Y <EOR>\r\n<APP_LoTW_EOF>\r\n",
       {"240101,0900,K1ABC,,14,SSB,,,,\"" + Tag("REM", "a<b>c") + "\",,Y,"},
       false},
      {"UTF-8 with a byte order mark; an international field wins over its twin",
       "\xEF\xBB\xBF<CALL:6>JA1ABC <QSO_DATE:8>20240101 <TIME_ON:4>1200 <FREQ:3>430 "
       "<MODE:2>FM <NAME:4>Taro <NAME_INTL:6>\xE5\xB1\xB1\xE7\x94\xB0 <QTH:7>a,\"b\" c <EOR>",
       {"240101,2100,JA1ABC,,430,FM,,\"\x8E\x52\x93\x63\",\"a  b  c\",,,,"},
       false},
      {"a length counted in characters, a character code page 932 lacks",
       "<CALL:6>JA1ABC <QSO_DATE:8>20240101 <TIME_ON:4>1200 <NAME:2>\xE5\xB1\xB1\xE7\x94\xB0 "
       "<QTH:1>\xE2\x82\xAC <EOR>",
       {"240101,2100,JA1ABC,,,,,\"\x8E\x52\x93\x63\",\"?\",,,,"},
       true},
      {"bytes that are no UTF-8 are code page 932",
       "<CALL:6>JA1ABC <QSO_DATE:8>20240101 <TIME_ON:4>1200 <NAME:4>\x8E\x52\x93\x63 <EOR>",
       {"240101,2100,JA1ABC,,,,,\"\x8E\x52\x93\x63\",,,,,"},
       false},
      {"a long value with commas and double quotes in a tag",
       "<CALL:6>JA1ABC <QSO_DATE:8>20240101 <TIME_ON:4>1200 <COMMENT:28>\xE5\xB1\xB1 a,b \"c\" d, "
       "e f,g h,i,j,k <EOR>",
       {"240101,2100,JA1ABC,,,,,,,\"" + Tag("REM", "\x8E\x52 a b  c  d  e f g h i j k") + "\",,,"},
       false},
      {"no call sign, a date that is none, a last record without its end",
       "<QSO_DATE:8>20241301 <TIME_ON:4>1200 <MODE:2>CW <EOR><CALL:6>JA1ABC <QSO_DATE:8>202",
       {",2100,,,,CW,,,,,,,", ",,JA1ABC,,,,,,,,,,"},
       true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadAll(c.file), c.lines) << c.what;
    EXPECT_EQ(PluginHost::TakeWarnings().size(), c.warned ? 1u : 0u) << c.what;
  }
}

TEST_F(AdifTest, TheReaderSeeksListsMarksAndRefusesUpdates) {
  std::string file;
  for (int i = 0; i < 3; ++i) {
    file += "<CALL:6>JA1AB" + std::to_string(i) +
            " <QSO_DATE:8>20240101 <TIME_ON:4>0000 <APP_VARNEK_QSL1:1>" + "JNX"[i] + " <EOR>\n";
  }
  WriteFile(dir.Path("three.adi"), file);
  ASSERT_NE(host.OpenFile(dir.Path("three.adi")), nullptr);
  EXPECT_EQ(host.GetLogType(), 0);
  EXPECT_EQ(host.GetFieldText(0), nullptr);
  EXPECT_EQ(host.CanUpdate(0), 0);
  EXPECT_EQ(host.Seek(2), 1);
  EXPECT_STREQ(host.GetText(0), "X");
  EXPECT_EQ(host.Update(0, "Y"), 0);
  EXPECT_EQ(host.Seek(0), 1);
  EXPECT_STREQ(host.GetText(0), "J");
  EXPECT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List().substr(0, 19), "240101,0900,JA1AB1,");
  EXPECT_EQ(host.Seek(3), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(dir.Path("three.adi")), file);

  // A file without records has no first record.
  EXPECT_TRUE(ReadAll("just a header<EOH>\n").empty());
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kFirstRecordMissing});
}

TEST_F(AdifTest, RecordsListAlikeWhereverTheyLieInTheFile) {
  // Records of many sizes, so that records run past each stretch of the
  // file the reader holds at once, and some are larger than any stretch:
  // each lists as it does in a file of its own, whatever its values hold.
  std::mt19937 random(9122026);
  std::vector<std::string> records;
  std::string file = "header<EOH>\r\n";
  for (int i = 0; i < 300; ++i) {
    std::string comment(random() % 4000, 'c');
    for (size_t at = 0; at + 3 <= comment.size(); at += 3 + random() % 500) {
      comment.replace(at, 3, "\xE5\xB1\xB1");
    }
    // Some values hold what looks like tags.
    if (i % 5 == 1) comment.insert(0, "<EOR> a<b <CALL:3>");
    if (i % 100 == 50) comment.assign(140000 + random() % 100000, 'w');
    size_t length = comment.size();
    // Some lengths count characters.
    if (i % 7 == 3) length -= 2 * std::count(comment.begin(), comment.end(), '\xE5');
    records.push_back("<CALL:6>JA1A" + std::string(1, static_cast<char>('A' + i % 26)) +
                      "C <QSO_DATE:8>20240101 <TIME_ON:4>1200 <COMMENT:" + std::to_string(length) +
                      ">" + comment + " <NAME:4>Taro <EOR>\r\n");
    file += records.back();
  }
  std::vector<std::string> lines = ReadAll(file);
  ASSERT_EQ(lines.size(), records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(lines[i], ReadAll(records[i], "one.adi").at(0)) << i;
  }
  PluginHost::TakeWarnings();
  // A header that ends after a first field, an end of record with no field
  // after it (a record all the same: every record written is one read), and
  // a record larger than what the reader holds at once.
  EXPECT_EQ(ReadAll("<CALL:3>ABC <EOH> <EOR> <CALL:3>DEF <NAME:140000>" + std::string(140000, 'n') +
                    " <EOR>")
                .size(),
            2u);
  PluginHost::TakeWarnings();
}

TEST_F(AdifTest, NoFileTakesTheReaderOutOfItsBytes) {
  const std::string cases[] = {
      "<CALL:999999999999>JA",
      "<CALL:6",
      std::string(70000, '<'),
      "<CALL:5>\0\0\0\0\0<EOR>" + std::string(1, '\0'),
      "<COMMENT:200000>" + std::string(200000, 'x') + "<EOR>",
      "<NAME:20>\xE5\xB1\xB1<EOR>",
      "\xFF\xFE<\x81<EOR>",
  };
  for (const std::string& file : cases) {
    ReadAll(file);
    PluginHost::TakeWarnings();
  }
  // A value far longer than any record keeps its first 4096 bytes.
  std::vector<std::string> lines =
      ReadAll("<CALL:6>JA1ABC <COMMENT:100000>" + std::string(100000, 'y') + " <EOR>");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(std::string(4096, 'y') + "\xA3"), std::string::npos);
  EXPECT_EQ(PluginHost::TakeWarnings().size(), 1u);

  // Every field the line shows at its longest: the line still fits in the
  // room the reader takes for it at once.
  std::string longest = "<QSO_DATE:8>20240101 <TIME_ON:4>1200 <TIME_OFF:4>1300 ";
  for (const char* name : {"CALL",
                           "RST_SENT",
                           "FREQ",
                           "MODE",
                           "TX_PWR",
                           "NAME",
                           "QTH",
                           "COMMENT",
                           "NOTES",
                           "CONTEST_ID",
                           "APP_VARNEK_END",
                           "RIG",
                           "MY_RIG",
                           "MY_CITY",
                           "GRIDSQUARE",
                           "CNTY",
                           "APP_VARNEK_VIA",
                           "RST_RCVD",
                           "APP_VARNEK_QSL1",
                           "APP_VARNEK_QSL2",
                           "APP_VARNEK_ENV"}) {
    longest += "<" + std::string(name) + ":4096>" + std::string(4096, ',') + " ";
  }
  lines = ReadAll(longest + "<EOR>");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_GT(lines[0].size(), 21u * 4096);
  EXPECT_LE(lines[0].size(), static_cast<size_t>(varnek::AdifHandler::kLongestLine));
  PluginHost::TakeWarnings();
}

}  // namespace
}  // namespace varnek_test
