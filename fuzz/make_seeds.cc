// Writes the seed inputs of the fuzz targets into <folder>/<target>/:
// LOG200 and HAMLOG logs built by hand from their layouts (sound ones and
// damaged ones), text files with awkward line ends, sample QSO lines, and
// what the plug-in's own four writers make of those lines. Run it again
// after a writer changes:  varnek_make_seeds fuzz/corpus
// With --large it writes only the seeds of a few hundred KiB, which the
// build makes for the tests instead of the repository keeping them.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "support/log_images.h"

namespace {

using namespace std::string_literals;
using varnek_test::DbsImage;
using varnek_test::DbsQso;
using varnek_test::L2Record;

// Code page 932 texts: a name, a place, a long vowel mark whose trail byte
// is '[' (0x5B), and the half-width corner brackets.
const std::string kTanaka = "\x93\x63\x92\x86";
const std::string kTokyo = "\x93\x8C\x8B\x9E";
const std::string kLongVowel = "\x81\x5B";
const std::string kCornerOpen = "\xA2";
const std::string kCornerClose = "\xA3";

const std::vector<std::string> kQsoLines = {
    "98/07/15,1230,JA1ABC,59,7,SSB,10,\"Taro\",\"Tokyo\",\"My[57] REM[hello] END[1245] "
    "GL[PM95]\",J,N,",
    "05/01/02,0930,KH6/JA1ABC,599,14.025,CW,100,\"" + kTanaka + "\",\"" + kTokyo +
        "\",\"Pow[5] REM1[first] REM2[second] Via[B] CODE[1001] $DX\",N,,home",
    "26/12/08,2400,JA1ABC/PORT,5NN,1296.10,FM,,,,\"MyQTH[Kyoto] MyRIG[IC-705] Contest[ALLJA] "
    "RIG[FT-817] M[x] OPT[o] OPT2[p] USR1[u1] USR2[u2] mQSL[m]\",,,",
    "00/01/01,0500,JA1ABC/1/P,59,0.475,AM,5,\"a,b\",\"q\"\"x\",\"OP[a,b] Test[t] "
    "ToRadio[X/Y]\",n,J,env",
    "1/2/3,5,CALL,,,,,,,,,,",
    "",
    "99/12/31,2359,JA1ZZZ,59,10368.100,SSB,1k,\"" + kTanaka + "\",,\"" + kLongVowel + "[x] " +
        "MyQTH" + kCornerOpen + "Kyoto City, Sakyo-ku, a rather long place name" + kCornerClose +
        " END[2400] My[5" + "\x81\x5B" + "] " + std::string(120, 'r') + "\",JQ,NN,env text",
    "04/02/29,0859,7J1ABC,339,50.110,SSB,50,\"OP\",\"\",\"OP[OP] Env[x] Pow[]\",,,\"quoted\"",
};

std::string Join(const std::vector<std::string>& lines, const char* end) {
  std::string all;
  for (const std::string& line : lines) all += line + end;
  return all;
}

class SeedFolder {
 public:
  SeedFolder(const std::string& root, const std::string& target) : dir_(root + "/" + target) {
    std::filesystem::create_directories(dir_);
  }
  void Put(const std::string& name, const std::string& bytes) {
    if (!large_only) varnek_fuzz::WriteBytes(dir_ + "/" + name, bytes);
  }
  // A seed of a few hundred KiB (past the readers' 64 KiB window): made
  // only with --large, into a build folder, so that the repository does not
  // keep it.
  void PutLarge(const std::string& bytes) {
    if (large_only) varnek_fuzz::WriteBytes(dir_ + "/large", bytes);
  }

  static bool large_only;

 private:
  std::string dir_;
};

bool SeedFolder::large_only = false;

// The HAMLOG target's input: two bytes of data length, data, remarks.
std::string HamlogInput(const std::string& data, const std::string& remarks) {
  std::string input;
  input += static_cast<char>(data.size() & 0xFF);
  input += static_cast<char>((data.size() >> 8) & 0xFF);
  return input + data + remarks;
}

std::vector<std::string> L2Fields(const std::string& mark) {
  return {"981231",
          "1234",
          "1250",
          "JA1ABC",
          "7.050.",
          "CW",
          "599",
          "579",
          kTokyo,
          kTanaka,
          "FT-817",
          "ALLJA",
          "QSL via bureau Pow[50] Env[home] OP[Taro]",
          "Kyoto",
          "IC-705",
          mark,
          "N"};
}

void LogSeeds(const std::string& root) {
  SeedFolder seeds(root, "read_log200");
  std::string log;
  log += L2Record(L2Fields(""));
  log += L2Record(L2Fields("J"));
  std::vector<std::string> full = L2Fields("");
  full[12] = std::string(200, 'x');  // no trailing spaces left for a mark
  log += L2Record(full);
  log += L2Record({"050102", "0930", "", "\"JA1 ABC\"", "14.025", "SSB", "59", "", "", "", "", "",
                   "\"unpaired quote Pow[5]"});
  log += L2Record({"050102", "0930"});  // all other fields empty
  std::string short_record = L2Record({"050102", "0930", "", "CALL"});
  short_record.replace(20, 178, 178, ' ');  // fewer than 15 separators
  log += short_record;
  seeds.Put("log", log);
  seeds.Put("one-and-a-half", L2Record(L2Fields("")) + L2Record(L2Fields("N")).substr(0, 100));
  std::string zeros = L2Record(L2Fields(""));
  zeros[30] = '\0';
  seeds.Put("zero-byte", zeros);
  seeds.Put("empty", "");
  // More than the 64 KiB window the reader walks the file through.
  std::string large;
  for (int i = 0; i < 1200; ++i) large += L2Record(L2Fields(i % 3 == 0 ? "J" : ""));
  seeds.PutLarge(large);
}

void HamlogSeeds(const std::string& root) {
  SeedFolder seeds(root, "read_hamlog");
  DbsImage image;
  DbsQso plain;
  plain.call = "JA1ABC";
  plain.portable = "1";
  plain.code = "1001";
  plain.mode = "CW";
  plain.my_char = '9';
  plain.remark1 = "Pow[10] QRP test";
  image.Add(plain);
  DbsQso packed = plain;
  packed.frequency_bytes = std::string("\xF9\x22\x02\xB2", 4);  // 14.025
  packed.mark1 = 'J';
  packed.route = 'n';
  packed.minute = 0x9E;  // 30 minutes, UTC
  packed.year = 0x63;
  packed.month = 12;
  packed.day = 31;
  packed.hour = 20;
  packed.portable = "KH6";
  packed.qth = kTokyo + "  ";
  packed.remark1 = "$dx Env[x] ToRadio[JA1ABC/PORT]";
  packed.remark2 = "REM2 text Pow[50] MyQTH" + kCornerOpen + "Kyoto" + kCornerClose;
  image.Add(packed);
  DbsQso odd = plain;
  odd.name = kTanaka;
  odd.gl = "PM95";
  odd.mark1 = '\0';
  odd.month = 15;
  odd.day = 31;
  odd.hour = 23;
  odd.minute = 0xBB;                                         // minute 59, UTC
  odd.frequency_bytes = std::string("\x40\x42\x0F\x99", 4);  // L 3, P 1
  odd.remark1.clear();
  odd.qth = std::string(255, 'q');
  image.Add(odd);
  const std::string data = image.Data();
  const std::string remarks = image.Remarks();
  seeds.Put("log", HamlogInput(data, remarks));
  seeds.Put("no-remark-file", HamlogInput(data, ""));
  std::string cut_entry = remarks.substr(0, remarks.size() - 100);
  seeds.Put("remark-entry-cut", HamlogInput(data, cut_entry));
  std::string wild = data;
  wild[varnek_test::kDbsHeaderSize + varnek_test::kDbsRemarkOffset] = '\xFF';
  wild[varnek_test::kDbsHeaderSize + varnek_test::kDbsRemarkOffset + 3] = '\x7F';
  seeds.Put("offset-far-away", HamlogInput(wild, remarks));
  seeds.Put("header-only", HamlogInput(data.substr(0, varnek_test::kDbsHeaderSize), remarks));
  std::string wrong_mark = data;
  wrong_mark[0] = '\x03';
  seeds.Put("wrong-mark", HamlogInput(wrong_mark, remarks));
  // A remark file of more than the 64 KiB window it is read through.
  DbsImage large;
  for (int i = 0; i < 1000; ++i) {
    DbsQso qso = i % 2 == 0 ? plain : packed;
    qso.remark1 = "line " + std::to_string(i) + " " + std::string(90, 'r');
    qso.remark2 = std::string(100, 's');
    large.Add(qso);
  }
  seeds.PutLarge(HamlogInput(large.Data(), large.Remarks()));
}

void TextSeeds(const std::string& root) {
  SeedFolder seeds(root, "read_text");
  seeds.Put("qso-lines", "c" + Join(kQsoLines, "\r\n"));
  seeds.Put("line-ends", "tfirst\r\n\r\nlone\rcr\nno end\n\x1A after the end mark\n");
  seeds.Put("long-line", "d" + std::string(9000, 'x') + "\nshort\n" + std::string(8191, 'y'));
  seeds.Put("japanese", "l" + kTanaka + "," + kTokyo + "\r\n" + kLongVowel + "\r\n");
  std::string large = "c";
  while (large.size() < 300000) large += Join(kQsoLines, "\r\n");
  seeds.PutLarge(large);
}

void LineSeeds(const std::string& root) {
  SeedFolder seeds(root, "write_qso_lines");
  seeds.Put("jst", "\x02" + Join(kQsoLines, "\n"));
  seeds.Put("utc", "\x01" + Join(kQsoLines, "\n"));
  for (size_t i = 0; i < kQsoLines.size(); ++i) {
    seeds.Put("line-" + std::to_string(i), kQsoLines[i]);
  }
}

void TagSeeds(const std::string& root) {
  SeedFolder seeds(root, "remark_tags");
  const std::vector<std::string> remarks = {
      "\x00]log Pow[100] end"s,
      "\x01\x80REM[a[b]c] Env(x) Pow{5}"s,
      "\x07\xA3MyQTH" + kCornerOpen + "Kyoto" + kCornerClose + " My<599>",
      "\x08\x02" + kTanaka + "My[5" + kLongVowel + "]",
      "\x17\x81M[x]\x1EM[y]" + kLongVowel + "M[z]",
      "\x1F\x05XPow[5] Pow[] Pow[7]",
      "\x18\x04\x8D\xCF[v] a Pow[12",
      "\x00\x00\"a,b\",\"q\"\"x\",c,\"unclosed"s,
      "\x02\x83\x30\x35/01/02,0930,rest",
  };
  for (size_t i = 0; i < remarks.size(); ++i) {
    seeds.Put("remark-" + std::to_string(i), remarks[i]);
  }
}

// QSO lines for the round trips: the sample lines, and lines whose texts
// end right where a writer cuts them, in the middle of a double-byte
// character or of a tag, with the tags our readers nest and the reports
// and marks a record cannot hold.
void RoundTripSeeds(const std::string& root) {
  SeedFolder seeds(root, "round_trip");
  const std::string kHatsu = "\x8F\x89";  // a character whose trail byte is no ASCII
  std::string remark_cut =
      "REM1" + kCornerOpen + std::string(47, 'x') + kHatsu + kHatsu + kCornerClose;
  const std::vector<std::string> lines = {
      "98/07/15,1230,JA1ABC,599,7.050,CW,,Yamada Taro Jr.,Tokyo,,,,",
      "98/07/15,1230,JA1ABC,-10,14.074,FT8,,,,My[+05],,,",
      "98/07/15,1230,JA1ABC,599,7.050,RTTY,,,,My[5NN],,,",
      "98/07/15,1230,JA1ABC,59,0.475,SSB,,,,,\x8D\xCF,\x8D\xCF,",
      "98/07/15,1230,JA1ABC,599,7,CW,,,,REM1" + kCornerOpen + "Contest" + kCornerOpen + "ALLJA" +
          kCornerClose + kCornerClose + " REM2" + kCornerOpen + "note" + kCornerClose + ",,,",
      "98/07/15,1230,JA1ABC,599,7,CW,,,,REM[" + std::string(30, 'a') + "] mQSL[" +
          std::string(40, 'b') + "] MyQTH[Kyoto] Contest[ALLJA] END[1245],,,",
      "98/07/15,1230,JA1ABC,599,7,CW,," + std::string(11, 'n') + kHatsu + "," +
          std::string(27, 'q') + kHatsu + "," + remark_cut + ",,,",
      "98/07/15,1230," + std::string(6, 'C') + kHatsu + "/1,599,7,CW,10,,," + std::string(48, 'r') +
          " Pow[1000],,,home",
      "98/07/15,1230,JA1ABC,599,7,CW,,,,CODE[1001" + kHatsu + "] GL[PM95" + kHatsu +
          "ab] OP[Taro],N,,",
      "98/07/15,1230,,599,7,CW,,," + kTokyo + "," + std::string(150, 'w') + " Pow[5] " + kHatsu +
          kHatsu + kHatsu + ",J,N,",
  };
  seeds.Put("sample-lines", Join(kQsoLines, "\n"));
  seeds.Put("cut-lines", Join(lines, "\n"));
  for (size_t i = 0; i < lines.size(); ++i) seeds.Put("cut-" + std::to_string(i), lines[i]);
}

// What the four writers make of the sample lines, as reading seeds.
void WriterSeeds(const std::string& root) {
  const std::string& dir = varnek_fuzz::Host();
  for (const char* ext : {"l2", "dbs", "csv", "log"}) {
    const std::string path = dir + "/out." + ext;
    if (varnek_fuzz::Plugin().Create(path.c_str()) != 1) continue;
    for (std::string line : kQsoLines) varnek_fuzz::Plugin().WriteText(line.data());
    varnek_fuzz::Plugin().CClose();
    const std::string bytes = varnek_fuzz::ReadBytes(path);
    const std::string name = std::string("written-") + ext;
    if (std::string(ext) == "l2") {
      SeedFolder(root, "read_log200").Put(name, bytes);
    } else if (std::string(ext) == "dbs") {
      SeedFolder(root, "read_hamlog")
          .Put(name, HamlogInput(bytes, varnek_fuzz::ReadBytes(dir + "/out.DBR")));
    } else {
      SeedFolder(root, "read_text").Put(name, "c" + bytes);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  SeedFolder::large_only = argc == 3 && std::string(argv[1]) == "--large";
  if (argc != 2 + SeedFolder::large_only) {
    std::fprintf(stderr, "usage: %s [--large] <corpus folder>\n", argv[0]);
    return 2;
  }
  const std::string root = argv[argc - 1];
  LogSeeds(root);
  HamlogSeeds(root);
  TextSeeds(root);
  LineSeeds(root);
  TagSeeds(root);
  RoundTripSeeds(root);
  if (!SeedFolder::large_only) WriterSeeds(root);
  return 0;
}
