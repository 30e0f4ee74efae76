// HAMLOG logs through the exports: reading crafted data and remark files,
// the in-place QSL update and its write-back, writing compared byte for
// byte with hand-built files, and a round trip.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "support/log_images.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

std::string U32(uint32_t v) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Pad(const std::string& text, size_t size) {
  std::string padded = text.substr(0, size);
  padded.resize(size, ' ');
  return padded;
}

// A 58-byte record, built field by field; unset fields are spaces.
class Rec {
 public:
  Rec() : bytes_(58, ' ') {}
  Rec& Call(const std::string& call) { return Put(1, Pad(call, 7)); }
  Rec& Portable(const std::string& designator) { return Put(8, Pad(designator, 3)); }
  Rec& Code(const std::string& code) { return Put(11, Pad(code, 6)); }
  Rec& Grid(const std::string& grid) { return Put(17, Pad(grid, 6)); }
  Rec& Freq(const std::string& four_bytes) { return Put(23, four_bytes); }
  Rec& Mode(const std::string& mode) { return Put(27, Pad(mode, 3)); }
  Rec& Name(const std::string& name) { return Put(30, Pad(name, 12)); }
  Rec& Qsl(const std::string& three) { return Put(42, three); }
  Rec& When(int year_byte, int month, int day, int hour, int minute_byte) {
    return Put(45, Bytes({year_byte, month, day, hour, minute_byte}));
  }
  Rec& His(int number, char ch) { return Put(50, Bytes({number, ch})); }
  Rec& My(int number, char ch) { return Put(52, Bytes({number, ch})); }
  Rec& Ofs(uint32_t offset) { return Put(54, U32(offset)); }
  operator std::string() const { return bytes_; }

 private:
  static std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes += static_cast<char>(v);
    return bytes;
  }
  Rec& Put(size_t at, const std::string& bytes) {
    bytes_.replace(at, bytes.size(), bytes);
    return *this;
  }
  std::string bytes_;
};

// The 449-byte head of a data file, written out by hand.
std::string DataHead(int year, int month, int day, uint32_t count) {
  std::string head = "\x1A";
  head += static_cast<char>(year);
  head += static_cast<char>(month);
  head += static_cast<char>(day);
  head += U32(count) + std::string("\xC1\x01\x3A\x00", 4) + std::string(20, '\0');
  const std::vector<std::pair<std::string, int>> fields = {
      {"CALLS", 6}, {"IGN", 1}, {"POTBL", 3}, {"CODE", 6}, {"GL", 6},  {"FREQ", 4}, {"MODE", 3},
      {"NAME", 12}, {"QSL", 3}, {"DATE", 3},  {"TIME", 2}, {"RST", 4}, {"OFS", 4}};
  for (const auto& field : fields) {
    std::string descriptor(32, '\0');
    descriptor.replace(0, field.first.size(), field.first);
    descriptor[11] = 'C';
    descriptor[16] = static_cast<char>(field.second);
    head += descriptor;
  }
  return head + "\x0D";
}

std::string RemarkHead(int year, int month, int day, uint32_t count) {
  std::string head = "\x1A";
  head += static_cast<char>(year);
  head += static_cast<char>(month);
  head += static_cast<char>(day);
  head += U32(count) + std::string("\x00\x01", 2) + std::string(245, '\0') + "\x1A";
  return head;
}

std::string Entry(const std::string& qth, const std::string& line1, const std::string& line2) {
  std::string entry;
  entry += static_cast<char>(qth.size());
  entry += static_cast<char>(line1.size());
  entry += static_cast<char>(line2.size());
  return entry + qth + line1 + line2;
}

// 7.050 and 14.025 packed, 21 as text.
const std::string kFreq7050("\xA2\x11\x01\xA9", 4);
const std::string kFreq14025("\xF9\x22\x02\xB2", 4);

class HamlogTest : public ::testing::Test {
 protected:
  void SetUp() override { PluginHost::clock = {2026, 12, 2, 8, 21, 30, 0, 0}; }

  // A log of records (count in the header as given) and a remark file
  // holding `entries` after its header.
  void MakeLog(const std::vector<std::string>& records, const std::string& entries = "",
               const std::string& remark_path = "") {
    std::string data = DataHead(26, 1, 2, static_cast<uint32_t>(records.size()));
    for (const std::string& record : records) data += record;
    WriteFile(path, data);
    WriteFile(remark_path.empty() ? remark_file : remark_path,
              RemarkHead(26, 1, 2, static_cast<uint32_t>(records.size())) + entries);
  }

  PluginHost host;
  TempDir dir;
  std::string path = dir.Path("log.dbs");
  std::string remark_file = dir.Path("log.DBR");
};

TEST_F(HamlogTest, ListsARecordWithItsRemarkEntry) {
  MakeLog({Rec()
               .Call("JA1ABC")
               .Portable("1")
               .Code("1001")
               .Freq(kFreq7050)
               .Mode("CW")
               .Name("Taro")
               .Qsl("J  ")
               .When(0x85, 1, 2, 9, 5)
               .His(59, '9')
               .My(59, '9')
               .Ofs(256)},
          Entry("Tokyo  ", "Pow[10] QRP test", ""));
  ASSERT_STREQ(host.OpenFile(path), path.c_str());
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
  EXPECT_EQ(host.GetLogType(), 0);
  EXPECT_EQ(host.CanUpdate(0), 1);
  EXPECT_EQ(host.GetFieldText(0), nullptr);
  EXPECT_EQ(host.IsEOF(), 0);
  EXPECT_EQ(host.List(), "050102,0905,JA1ABC/1,599,7.050,CW,10,\"Taro\",\"Tokyo\",\"" +
                             CornerTag("REM1", "QRP test") + " Via[J] " +
                             CornerTag("CODE", "1001") + " " + CornerTag("My", "599") + "\",,,");
  char small[10];
  host.ListText(small, sizeof small);
  EXPECT_STREQ(small, "050102,09");
  EXPECT_STREQ(host.GetText(0), "");
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.Close(), 1);
}

TEST_F(HamlogTest, RemarkLinesGiveTheirTagsToTheirFields) {
  const std::string first = Entry("", "Pow[5] ToRadio[JA1ABC/PORT] first", "Pow[50] Env[home] $dx");
  const std::string second = Entry("Osaka", "", "QSL $DX please");
  const uint32_t second_at = static_cast<uint32_t>(256 + first.size());
  MakeLog({Rec().Call("JA1ABC").Portable("POR").Qsl("JA ").Ofs(256),
           Rec().Call("JA1ABC").Portable("KH6").Qsl("n  ").Grid("PM95").My(57, ' ').Ofs(second_at),
           Rec().Call("JA1ABC").Portable("KH6").Qsl(" AB").Ofs(0)},
          first + second);
  ASSERT_NE(host.OpenFile(path), nullptr);
  // ToRadio replaces the composed call; remark line 2's Pow wins.
  EXPECT_EQ(host.List(), "323232,3232,JA1ABC/PORT,32,,,50,,,\"" + CornerTag("REM1", "first") + " " +
                             CornerTag("REM2", "$dx") + " Via[J] " + CornerTag("My", "32") +
                             "\",A,,home");
  ASSERT_EQ(host.MoveNext(), 1);
  // "$DX" in any case puts the designator first; a lower-case n route
  // stands for mark N.
  EXPECT_EQ(host.List(), "323232,3232,KH6/JA1ABC,32,,,,,\"Osaka\",\"" +
                             CornerTag("REM2", "QSL $DX please") + " Via[n] " +
                             CornerTag("GL", "PM95") + " " + CornerTag("My", "57") + "\",N,,");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), "323232,3232,JA1ABC/KH6,32,,,,,,\"" + CornerTag("My", "32") + "\",A,B,");
}

TEST_F(HamlogTest, OnlyModeNameAndQthLoseTrailingTabs) {
  MakeLog({Rec().Call("JA1AB\t").Portable("1\t").Code("10\t").Mode("CW\t").Name("Taro\t").Ofs(256)},
          Entry("Tokyo\t", "", ""));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.List(), "323232,3232,JA1AB\t/1\t,32,,CW,,\"Taro\",\"Tokyo\",\"" +
                             CornerTag("CODE", "10\t") + " " + CornerTag("My", "32") + "\",,,");
  EXPECT_EQ(host.Close(), 1);
}

TEST_F(HamlogTest, MissingRemarkFileWarnsOnceAndListsTheRecordAlone) {
  MakeLog({Rec().Call("JA1ABC").Code("1001").Qsl("J  ").My(59, '9').Ofs(256)},
          Entry("Tokyo", "Pow[10] x", ""), dir.Path("other.DBR"));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpenDbr});
  EXPECT_EQ(host.List(), "323232,3232,JA1ABC,32,,,,,,\"Via[J] " + CornerTag("CODE", "1001") + " " +
                             CornerTag("My", "599") + "\",,,");
  EXPECT_EQ(host.Close(), 1);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(HamlogTest, RemarkFileThatIsAFolderCannotBeOpened) {
  MakeLog({Rec().Call("JA1ABC").Ofs(256)}, "", dir.Path("other.DBR"));
  ASSERT_EQ(mkdir(dir.Path("log.DBR").c_str(), 0700), 0);
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpenDbr});
  EXPECT_EQ(host.List(), "323232,3232,JA1ABC,32,,,,,,\"" + CornerTag("My", "32") + "\",,,");
  EXPECT_EQ(host.Close(), 1);
}

TEST_F(HamlogTest, RemarkFileWithLowerCaseExtensionIsFound) {
  MakeLog({Rec().Call("JA1ABC").Ofs(256)}, Entry("Tokyo", "", ""), dir.Path("log.dbr"));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
  EXPECT_EQ(host.List(),
            "323232,3232,JA1ABC,32,,,,,\"Tokyo\",\"" + CornerTag("My", "32") + "\",,,");
}

TEST_F(HamlogTest, RejectsFilesThatAreNoLogAndStaysInert) {
  std::string good = DataHead(26, 1, 2, 1) + std::string(Rec().Call("JA1ABC"));
  std::vector<std::string> bad = {good, good, good, good.substr(0, 31)};
  bad[0][0] = '\x03';
  bad[1][8] = '\xC0';   // header length 448
  bad[2][10] = '\x3C';  // record length 60
  for (const std::string& bytes : bad) {
    WriteFile(path, bytes);
    EXPECT_EQ(host.OpenFile(path), nullptr);
    EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kUnexpectedFormat});
    char buffer[8] = "keep";
    EXPECT_EQ(host.ListText(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "");
    EXPECT_STREQ(host.GetText(0), "");
    EXPECT_EQ(host.Update(0, "X"), 0);
    EXPECT_EQ(host.MoveNext(), 0);
    EXPECT_EQ(host.Seek(0), 0);
    EXPECT_EQ(host.IsEOF(), 1);
  }
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), good.substr(0, 31));
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());

  // A valid header without records; a file that is not there.
  WriteFile(path, DataHead(26, 1, 2, 0));
  WriteFile(remark_file, RemarkHead(26, 1, 2, 0));
  EXPECT_EQ(host.OpenFile(path), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kFirstRecordMissing});
  EXPECT_EQ(host.OpenFile(dir.Path("none.dbs")), nullptr);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotOpen});
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), DataHead(26, 1, 2, 0));
}

TEST_F(HamlogTest, UtcRecordsAreListedInJst) {
  MakeLog({Rec().Call("A").When(99, 12, 31, 20, 0x80 | 30),
           Rec().Call("B").When(0x80, 2, 28, 15, 0x80 | 30),
           Rec().Call("C").When(0x81, 2, 28, 15, 0x80 | 30),
           Rec().Call("D").When(0x84, 12, 31, 14, 59)});
  std::vector<std::string> dates;
  ASSERT_NE(host.OpenFile(path), nullptr);
  do {
    std::string line = host.List();
    dates.push_back(line.substr(0, 11));
  } while (host.MoveNext() == 1);
  EXPECT_EQ(dates,
            (std::vector<std::string>{"000101,0530", "000229,0030", "010301,0030", "041231,1459"}));
}

TEST_F(HamlogTest, RemarkOffsetsPointingAnywhereAreSafe) {
  MakeLog({Rec().Call("A").Ofs(100000), Rec().Call("B").Ofs(0xFFFFFFFF),
           Rec().Call("C").Ofs(256 + 5), Rec().Call("D").Ofs(256)},
          Entry("Tokyo", "one", "two") + std::string("\x10\x00", 2));
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.List(), "323232,3232,A,32,,,,,,\"" + CornerTag("My", "32") + "\",,,");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), "323232,3232,B,32,,,,,,\"" + CornerTag("My", "32") + "\",,,");
  ASSERT_EQ(host.MoveNext(), 1);
  // Lengths read from the middle of the entry, running past the file's end.
  EXPECT_EQ(host.List(), "323232,3232,C,32,,,,,,\"" + CornerTag("My", "32") + "\",,,");
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(host.List(), "323232,3232,D,32,,,,,\"Tokyo\",\"" + CornerTag("REM1", "one") + " " +
                             CornerTag("REM2", "two") + " " + CornerTag("My", "32") + "\",,,");
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(HamlogTest, QslMarkIsWrittenBackOnceOnMoveOrClose) {
  MakeLog({Rec().Call("A").Qsl("JA "), Rec().Call("B").Qsl("J  "), Rec().Call("C").Qsl("JC ")});
  const std::string original = ReadFile(path);
  const size_t mark_a = 449 + 43, mark_c = 449 + 2 * 58 + 43;
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_STREQ(host.GetText(0), "A");
  EXPECT_EQ(host.Update(0, "Y"), 0);
  EXPECT_EQ(host.Update(0, ""), 0);  // an empty text changes nothing
  EXPECT_STREQ(host.GetText(0), "Y");
  EXPECT_EQ(ReadFile(path), original);  // nothing written yet
  ASSERT_EQ(host.MoveNext(), 1);
  std::string after_move = ReadFile(path);
  EXPECT_EQ(after_move[mark_a], 'Y');
  // A record without a mark cannot be marked.
  EXPECT_STREQ(host.GetText(0), "");
  EXPECT_EQ(host.Update(0, "Z"), 0);
  ASSERT_EQ(host.MoveNext(), 1);
  EXPECT_EQ(ReadFile(path), after_move);
  EXPECT_EQ(host.Update(0, "W"), 0);
  EXPECT_EQ(host.Close(), 1);
  std::string expected = original;
  expected[mark_a] = 'Y';
  expected[mark_c] = 'W';
  // Only the two marks changed: no new header, no end mark.
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

TEST_F(HamlogTest, NoStaleRecordIsEverWrittenBack) {
  MakeLog({Rec().Call("A").Qsl("JA "), Rec().Call("B").Qsl("JB ")});
  const std::string original = ReadFile(path);
  ASSERT_NE(host.OpenFile(path), nullptr);
  ASSERT_EQ(host.Seek(1), 1);
  EXPECT_EQ(host.MoveNext(), 0);
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_EQ(host.List(), "(null)");
  EXPECT_STREQ(host.GetText(0), "");
  EXPECT_EQ(host.Update(0, "X"), 0);
  EXPECT_EQ(host.Seek(-1), 0);
  EXPECT_EQ(host.Update(0, "X"), 0);
  EXPECT_EQ(host.Seek(0x7FFFFFFF), 0);
  EXPECT_EQ(host.Update(0, "X"), 0);
  ASSERT_EQ(host.Seek(0), 1);
  EXPECT_STREQ(host.GetText(0), "A");
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), original);
}

TEST_F(HamlogTest, PendingMarkIsWrittenWhenTheLibraryUnloads) {
  MakeLog({Rec().Call("A").Qsl("JA ")});
  ASSERT_NE(host.OpenFile(path), nullptr);
  host.Update(0, "Q");
  host.Unload();
  EXPECT_EQ(ReadFile(path)[449 + 43], 'Q');
  host.Reload();
}

TEST_F(HamlogTest, WritesASmallLogByteForByte) {
  ASSERT_EQ(host.Create(path.c_str()), 1);
  EXPECT_EQ(
      host.Write("05/01/02,930,JA1ABC/1,599,7.050,CW,10,Taro,Tokyo,QSL via bureau My[579],,,"), 1);
  EXPECT_EQ(host.Write("98/12/31,2400,KH6/JA1ABC,59,21,SSB,,,,,N,,"), 1);
  EXPECT_EQ(host.Write("99/01/01,1200,JA1XYZ,599,14.025,CW,,,,,A,B,"), 1);
  EXPECT_EQ(host.CClose(), 1);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());

  std::string records = std::string(Rec()
                                        .Call("JA1ABC")
                                        .Portable("1")
                                        .Code("")
                                        .Freq(kFreq7050)
                                        .Mode("CW")
                                        .Name("Taro")
                                        .Qsl("J  ")
                                        .When(0x85, 1, 2, 9, 30)
                                        .His(59, '9')
                                        .My(57, '9')
                                        .Ofs(256)) +
                        std::string(Rec()
                                        .Call("JA1ABC")
                                        .Portable("KH6")
                                        .Freq("21  ")
                                        .Mode("SSB")
                                        .Qsl("N  ")
                                        .When(98, 12, 31, 0, 0)
                                        .His(59, ' ')
                                        .My(59, ' ')
                                        .Ofs(256 + 29)) +
                        std::string(Rec()
                                        .Call("JA1XYZ")
                                        .Freq(kFreq14025)
                                        .Mode("CW")
                                        .Qsl("JAB")
                                        .When(99, 1, 1, 12, 0)
                                        .His(59, '9')
                                        .My(59, '9')
                                        .Ofs(0));
  std::string data = ReadFile(path);
  EXPECT_EQ(data.size(), 624u);
  EXPECT_EQ(data, DataHead(26, 12, 8, 3) + records + "\x1A");
  EXPECT_EQ(ReadFile(dir.Path("log.DBR")),
            RemarkHead(26, 12, 8, 3) + Entry("Tokyo", "QSL via bureau", CornerTag("Pow", "10")) +
                Entry("", "", "$DX"));
}

TEST_F(HamlogTest, EmptyLogHasHeadersAndEndMark) {
  PluginHost::clock = {2049, 3, 0, 4, 0, 0, 0, 0};
  ASSERT_EQ(host.Create(dir.Path("new.DBS").c_str()), 1);
  EXPECT_EQ(host.CClose(), 1);
  EXPECT_EQ(ReadFile(dir.Path("new.DBS")), DataHead(49, 3, 4, 0) + "\x1A");
  EXPECT_EQ(ReadFile(dir.Path("new.DBR")), RemarkHead(49, 3, 4, 0));
}

// The record and the remark entry one line becomes, in a log of its own.
struct Written {
  std::string record;
  std::string entry;
  std::vector<std::string> warnings;
};

class HamlogWriterTest : public HamlogTest {
 protected:
  Written WriteOne(const std::string& line) {
    EXPECT_EQ(host.Create(path.c_str()), 1);
    EXPECT_EQ(host.Write(line), 1);
    EXPECT_EQ(host.CClose(), 1);
    std::string data = ReadFile(path);
    std::string remarks = ReadFile(remark_file);
    return {data.substr(449, 58), remarks.size() > 256 ? remarks.substr(256) : "",
            PluginHost::TakeWarnings()};
  }
};

TEST_F(HamlogWriterTest, CallSignsWithDesignators) {
  Written w = WriteOne(",,JA1ABC/PORT,,,,,,,,,,");
  EXPECT_EQ(w.record.substr(1, 10), "JA1ABC POR");
  EXPECT_EQ(w.entry, Entry("", "", CornerTag("ToRadio", "JA1ABC/PORT")));
  w = WriteOne(",,JA1ABC/1/P,,,,,,,,,,");
  EXPECT_EQ(w.record.substr(1, 10), "JA1ABC 1  ");
  EXPECT_EQ(w.entry, Entry("", "", CornerTag("ToRadio", "JA1ABC/1/P")));
  // The marker is not repeated when the remarks already hold it.
  w = WriteOne(",,KH6/JA1ABC,,,,,,,via $dx,,,");
  EXPECT_EQ(w.record.substr(1, 10), "JA1ABC KH6");
  EXPECT_EQ(w.entry, Entry("", "", "via $dx"));
  w = WriteOne(",,JA1ABC,,,,,,,,,,");
  EXPECT_EQ(w.record.substr(1, 10), "JA1ABC    ");
  EXPECT_EQ(w.record.substr(54), U32(0));
  EXPECT_EQ(w.entry, "");
}

TEST_F(HamlogWriterTest, QslMarksRoutesAndReports) {
  Written w = WriteOne(",,A,5NN,,CW,,,,Via[J],N,,");
  EXPECT_EQ(w.record.substr(42, 3), "J  ");
  EXPECT_EQ(w.record.substr(50, 4), std::string("\x05N\x3B"
                                                "9",
                                                4));
  w = WriteOne(",,A,,,SSB,,,,,N,,");
  EXPECT_EQ(w.record.substr(42, 3), "N  ");
  EXPECT_EQ(w.record.substr(50, 4), "\x3B \x3B ");
  w = WriteOne(",,A,,,,,,,,n,x,");
  EXPECT_EQ(w.record.substr(42, 3), "Jnx");
  w = WriteOne(",,A,,,CW,,,,My[5NN] Via[b],,,");
  EXPECT_EQ(w.record.substr(42, 3), "b  ");
  EXPECT_EQ(w.record.substr(52, 2), std::string("\x05N", 2));
  EXPECT_EQ(w.entry, "");
  // Dates and times that do not read stay spaces.
  w = WriteOne("050102,x930,A,,,,,,,,,,");
  EXPECT_EQ(w.record.substr(45, 5), "     ");
}

TEST_F(HamlogWriterTest, TagsGoToFieldsOrRemarkLines) {
  Written w = WriteOne(
      ",,A,,,,5W,,,CODE[1001] OPT[x] GL[PM95] REM[first] REM1[r1] REM2[r2] mQSL[m] "
      "Contest[ALLJA] left,,,home");
  EXPECT_EQ(w.record.substr(11, 12), "1001  PM95  ");
  // The rest goes to the shorter line, here line 2 (19 bytes against 20).
  EXPECT_EQ(w.entry, Entry("", "first " + CornerTag("Contest", "ALLJA"),
                           "m " + CornerTag("Pow", "5W") + " " + CornerTag("Env", "home") +
                               " OPT[x] REM1[r1] REM2[r2] left"));
  EXPECT_TRUE(w.warnings.empty());
}

TEST_F(HamlogWriterTest, PlacedTagsMustLeaveRoomInA54ByteLine) {
  const std::string ten = "0123456789";  // MyQTH with it needs 18 bytes
  const std::string r35(35, 'a'), r36(36, 'b');
  Written w = WriteOne(",,A,,,,,,,REM[" + r35 + "] MyQTH[" + ten + "],,,");
  EXPECT_EQ(w.entry, Entry("", r35 + " " + CornerTag("MyQTH", ten), ""));
  w = WriteOne(",,A,,,,,,,REM[" + r36 + "] mQSL[" + r35 + "] MyQTH[" + ten + "],,,");
  EXPECT_EQ(w.entry, Entry("", r36, r35 + " " + CornerTag("MyQTH", ten)));
  EXPECT_TRUE(w.warnings.empty());
  w = WriteOne(",,A,,,,,,,REM[" + r36 + "] mQSL[" + r36 + "] MyQTH[" + ten + "] END[1234],,,");
  EXPECT_EQ(w.entry, Entry("", r36 + " " + CornerTag("END", "1234"), r36));
  EXPECT_EQ(w.warnings, std::vector<std::string>{varnek::kHamlogOverflow});
}

TEST_F(HamlogWriterTest, OverflowIsCutAndToldOncePerFile) {
  const std::string qth(40, 'q'), words(60, 'w');
  ASSERT_EQ(host.Create(path.c_str()), 1);
  EXPECT_EQ(host.Write(",,A,,,,,,\"" + qth + "\",,,,"), 1);
  EXPECT_EQ(host.Write(",,B,,,,,,," + words + ",,,"), 1);
  EXPECT_EQ(host.CClose(), 1);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kHamlogOverflow});
  EXPECT_EQ(ReadFile(remark_file).substr(256),
            Entry(qth.substr(0, 28), "", "") + Entry("", "", words.substr(0, 54)));
  // A new file warns again.
  ASSERT_EQ(host.Create(path.c_str()), 1);
  EXPECT_EQ(host.Write(",,B,,,,,,," + words + ",,,"), 1);
  EXPECT_EQ(host.CClose(), 1);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kHamlogOverflow});
}

// What a record can hold is kept whole characters at a time, and anything
// it cannot hold exactly counts toward the one overflow warning.
TEST_F(HamlogWriterTest, CutsKeepWholeCharactersAndEveryLossIsTold) {
  const std::string hatsu = "\x8F\x89";  // a character whose trail byte is no ASCII
  const std::string sumi = "\x8D\xCF";
  struct Case {
    std::string line;
    size_t at;  // where the record bytes to check start
    std::string bytes;
    bool warned;
  } cases[] = {
      {",,A,,,,,\"Yamada Taro Jr.\",,,,,", 30, "Yamada Taro ", true},
      {",,A,,,,,\"" + std::string(11, 'n') + hatsu + "\",,,,,", 30, std::string(11, 'n') + " ",
       true},
      {",,A,,,,,\"" + std::string(10, 'n') + hatsu + "\",,,,,", 30, std::string(10, 'n') + hatsu,
       false},
      {",,A,,,RTTY,,,,,,,", 27, "RTT", true},
      {",,A,,,CW" + hatsu + ",,,,,,,", 27, "CW ", true},
      {",,JA1ABC" + hatsu + ",,,,,,,,,,", 1, "JA1ABC ", true},
      {",,JA1ABCDE,,,,,,,,,,", 1, "JA1ABCD", true},
      {",,/,,,,,,,,,,", 1, "       ", true},
      // Kept whole in a ToRadio tag: the designator field is a best effort.
      {",,JA1ABC/" + hatsu + hatsu + ",,,,,,,,,,", 8, hatsu + " ", false},
      {",,A,,,,,,,CODE[12345" + hatsu + "] GL[PM95" + hatsu + "],,,", 11, "12345 PM95" + hatsu,
       true},
      // Reports: what the two bytes give back against what was given.
      {",,A,599,,CW,,,,,,,", 50,
       "\x3B"
       "9\x3B"
       "9",
       false},
      {",,A,599,,SSB,,,,,,,", 50, "\x3B \x3B ", false},
      {",,A,,,CW,,,,,,,", 50,
       "\x3B \x3B"
       "9",
       false},
      {",,A,-10,,FT8,,,,My[+05],,,", 50,
       "\xFF"
       "0\x00"
       "5",
       true},
      {",,A,599,,CW,,,,My[5NN],,,", 52, "\x05N", true},
      {",,A,59" + hatsu + ",,CW,,,,,,,", 50, "\x3B ", true},
      // A frequency the packing gives back otherwise.
      {",,A,,0.475,,,,,,,,", 23, "\xDB\x01\x00\xA9", true},
      {",,A,,.12345,,,,,,,,", 23, ".123", true},
      // One-byte marks: no half of a double-byte one; N gives way to a route.
      {",,A,,,,,,,," + sumi + "," + sumi + ",", 42, "J  ", true},
      {",,A,,,,,,,Via[" + sumi + "],N,,", 42, "N  ", true},
      {",,A,,,,,,,Via[J],N,,", 42, "J  ", true},
  };
  for (const Case& c : cases) {
    Written w = WriteOne(c.line);
    EXPECT_EQ(w.record.substr(c.at, c.bytes.size()), c.bytes) << c.line;
    EXPECT_EQ(w.warnings.size(), c.warned ? 1u : 0u) << c.line;
  }
}

TEST_F(HamlogWriterTest, RemarkCutsKeepCharactersAndTagsWhole) {
  const std::string hatsu = "\x8F\x89";
  struct Case {
    std::string remarks, qth;
    std::string entry;
  } cases[] = {
      // The remark: cut inside the last character, its lead byte
      // would join the closing bracket of the listing's REM1 tag.
      {"REM1" + CornerTag("", std::string(53, 'x') + hatsu), "",
       Entry("", std::string(53, 'x'), "")},
      {"", std::string(27, 'q') + hatsu, Entry(std::string(27, 'q'), "", "")},
      // A cut inside a tag leaves the whole tag out.
      {"REM[" + std::string(45, 'a') + "] mQSL[" + std::string(50, 'b') + "] XYZ[abcdefghij]", "",
       Entry("", std::string(45, 'a'), std::string(50, 'b'))},
      {"REM[" + std::string(30, 'a') + " Contest" + CornerTag("", std::string(30, 'c')) + "]", "",
       Entry("", std::string(30, 'a'), "")},
  };
  for (const Case& c : cases) {
    Written w = WriteOne(",,A,,,,,,\"" + c.qth + "\",\"" + c.remarks + "\",,,");
    EXPECT_EQ(w.entry, c.entry) << c.remarks;
    EXPECT_EQ(w.warnings, std::vector<std::string>{varnek::kHamlogOverflow}) << c.remarks;
  }
}

TEST_F(HamlogTest, UpdateWithADoubleByteCharacterChangesNothing) {
  MakeLog({Rec().Call("A").Qsl("JA ")});
  const std::string original = ReadFile(path);
  ASSERT_NE(host.OpenFile(path), nullptr);
  EXPECT_EQ(host.Update(0, "\x8D\xCF"), 0);
  EXPECT_STREQ(host.GetText(0), "A");
  EXPECT_EQ(host.Close(), 1);
  EXPECT_EQ(ReadFile(path), original);
}

// An existing log stays as it was when its pair cannot be made.
TEST_F(HamlogWriterTest, CreateThatFailsLeavesTheOldLog) {
  MakeLog({Rec().Call("OLD").Qsl("JA ")});
  const std::string old_data = ReadFile(path);
  ASSERT_EQ(unlink(remark_file.c_str()), 0);
  ASSERT_EQ(mkdir(remark_file.c_str(), 0700), 0);
  EXPECT_EQ(host.Create(path.c_str()), 0);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotCreateDbr});
  EXPECT_EQ(ReadFile(path), old_data);
}

TEST_F(HamlogWriterTest, FilesThatCannotBeCreated) {
  EXPECT_EQ(host.Create(dir.Path("no/such/dir/log.dbs").c_str()), 0);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotCreate});
  ASSERT_EQ(mkdir(remark_file.c_str(), 0700), 0);
  EXPECT_EQ(host.Create(path.c_str()), 0);
  EXPECT_EQ(PluginHost::TakeWarnings(), std::vector<std::string>{varnek::kCannotCreateDbr});
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(host.Write("05/01/02,930,A,,,,,,,,,,"), 0);
  EXPECT_EQ(host.CClose(), 0);
}

TEST_F(HamlogWriterTest, LinesComeBackFromTheLogTheyWereWrittenTo) {
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"05/01/02,0930,JA1ABC/1,599,7.050,CW,10,Taro,Tokyo,QSL via bureau My[579],A,B,home",
       "050102,0930,JA1ABC/1,599,7.050,CW,10,\"Taro\",\"Tokyo\",\"" +
           CornerTag("REM1", "QSL via bureau") + " Via[J] " + CornerTag("My", "579") +
           "\",A,B,home"},
      {"98/12/31,2359,KH6/JA1ABC,59,1296.10,SSB,,,,,N,,",
       "981231,2359,KH6/JA1ABC,59,1296.10,SSB,,,,\"" + CornerTag("REM2", "$DX") + " Via[N] " +
           CornerTag("My", "59") + "\",N,,"},
      {"26/12/08,0000,JA1ABC/PORT,579,144.00,FM,,\"Sato, Jiro\",,CODE[100110] GL[PM95] "
       "Contest[ALLJA],,,",
       "261208,0000,JA1ABC/PORT,57,144.00,FM,,\"Sato, Jiro\",,\"" +
           CornerTag("REM1", CornerTag("Contest", "ALLJA")) + " Via[J] " +
           CornerTag("CODE", "100110") + " " + CornerTag("GL", "PM95") + " " +
           CornerTag("My", "59") + "\",,,"},
  };
  ASSERT_EQ(host.Create(path.c_str()), 1);
  for (const auto& line : lines) EXPECT_EQ(host.Write(line.first), 1);
  ASSERT_EQ(host.CClose(), 1);
  ASSERT_NE(host.OpenFile(path), nullptr);
  for (const auto& line : lines) {
    EXPECT_EQ(host.List(), line.second);
    host.MoveNext();
  }
  EXPECT_EQ(host.IsEOF(), 1);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
}

}  // namespace
}  // namespace varnek_test
