#include "synthetic_log.h"

#include <cstddef>

namespace varnek_bench {
namespace {

// A small deterministic random stream (splitmix64) for one line.
class Dice {
 public:
  Dice(uint64_t seed, uint64_t index)
      : state_(seed * 0x9E3779B97F4A7C15ull ^ (index + 1) * 0xD1B54A32D192ED03ull) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
  bool Percent(uint32_t p) { return Below(100) < p; }
  template <size_t N>
  const char* Pick(const char* const (&list)[N]) {
    return list[Below(N)];
  }

 private:
  uint64_t state_;
};

// Appends to the caller's line, never past its capacity.
class LineBuilder {
 public:
  LineBuilder(char* out, int capacity) : out_(out), capacity_(capacity) { out_[0] = '\0'; }

  void Char(char c) {
    if (length_ < capacity_) out_[length_++] = c;
    out_[length_] = '\0';
  }
  void Text(const char* text) {
    while (*text != '\0') Char(*text++);
  }
  // Decimal, zero-padded to `digits`.
  void Number(uint32_t value, int digits) {
    char reversed[12];
    int n = 0;
    do {
      reversed[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0 && n < 10);
    while (n < digits && n < 10) reversed[n++] = '0';
    while (n > 0) Char(reversed[--n]);
  }
  // A separating space when the text since `start` is not empty.
  void SpaceAfter(int start) {
    if (length_ > start) Char(' ');
  }
  int Length() const { return length_; }
  // Takes back everything after the first `length` bytes.
  void CutTo(int length) {
    if (length >= 0 && length < length_) out_[length_ = length] = '\0';
  }

 private:
  char* out_;
  int capacity_;
  int length_ = 0;
};

// Texts in code page 932 (escaped bytes; comments give the meaning).
const char* const kJapaneseNames[] = {
    "\x91\xbe\x98\x59",  // Taro
    "\x89\xd4\x8e\x71",  // Hanako
    "\x88\xea\x98\x59",  // Ichiro
    "\x8c\x92\x88\xea",  // Ken'ichi
    "\x97\x54\x8e\x71",  // Yuko
    "\x8d\xb2\x93\xa1",  // Sato
    "\x97\xe9\x96\xd8",  // Suzuki
    "\x8d\x82\x8b\xb4",  // Takahashi
    "\x93\x63\x92\x86",  // Tanaka
    "\x93\x6e\x95\xd3",  // Watanabe
    "\x8e\x52\x96\x7b",  // Yamamoto
    "\x8f\xac\x97\xd1",  // Kobayashi
};
const char* const kRomajiNames[] = {"Taro", "Hanako", "Ken",  "Yuko", "Ichiro",
                                    "Mike", "John",   "Hiro", "Aki",  "Tanaka, K"};
const char* const kPlaces[] = {
    "\x93\x8c\x8b\x9e\x93\x73\x8d\x60\x8b\xe6",          // Minato, Tokyo
    "\x91\xe5\x8d\xe3\x8e\x73\x96\x6b\x8b\xe6",          // Kita, Osaka
    "\x8b\x9e\x93\x73\x8e\x73\x8d\xb6\x8b\x9e\x8b\xe6",  // Sakyo, Kyoto
    "\x8e\x44\x96\x79\x8e\x73\x92\x86\x89\x9b\x8b\xe6",  // Chuo, Sapporo
    "\x96\xbc\x8c\xc3\x89\xae\x8e\x73",                  // Nagoya
    "\x95\x9f\x89\xaa\x8e\x73\x94\x8e\x91\xbd\x8b\xe6",  // Hakata, Fukuoka
    "\x89\xa1\x95\x6c\x8e\x73",                          // Yokohama
    "\x90\xe5\x91\xe4\x8e\x73",                          // Sendai
    "\x8d\x4c\x93\x87\x8e\x73",                          // Hiroshima
    "\x93\xdf\x94\x65\x8e\x73",                          // Naha
    "\x90\xe7\x97\x74\x8c\xa7\x91\x44\x8b\xb4\x8e\x73",  // Funabashi, Chiba
    "\x8d\xe9\x8b\xca\x8c\xa7\x90\xec\x89\x7a\x8e\x73",  // Kawagoe, Saitama
    "\x95\x78\x8e\x6d\x8e\x52\x92\xb8",                  // summit of Mt Fuji
};
const char* const kRomajiPlaces[] = {"Tokyo", "Osaka Pref.", "Kyoto", "Hokkaido", "Okinawa"};
// Remark texts; several hold 0x5B or 0x5C as a trail byte.
const char* const kRemarkTexts[] = {
    "\x83\x8d\x81\x5b\x83\x4a\x83\x8b",          // local
    "\x88\xda\x93\xae\x89\x5e\x97\x70",          // portable operation
    "\x95\x5c\x8c\x68\x96\x4b\x96\xe2",          // courtesy visit
    "\x8f\x89\x8c\xf0\x90\x4d",                  // first contact
    "\x82\xa0\x82\xe8\x82\xaa\x82\xc6\x82\xa4",  // thank you
    "\x83\x5c\x81\x5b\x83\x89\x81\x5b",          // solar
    "\x8d\xa1\x93\xfa\x82\xcd",                  // hello
    "QSL via bureau",
    "nice signal",
    "eyeball QSO",
    "QRP test",
    "tnx 1st QSO",
};
const char* const kFreeWords[] = {
    "tnx", "QSL OK", "\xba\xdd\xc3\xbd\xc4", "\xb1\xdd\xc3\xc5 GP", "5W/GP", "QSB", "73",
};
const char* const kLongRemark =
    "Nice to meet you again after many years, cards exchanged via bureau and direct, "
    "\x82\xa0\x82\xe8\x82\xaa\x82\xc6\x82\xa4 73 and hope to see you on the air soon";
const char* const kRigs[] = {"IC-7300", "FT-991A", "TS-590", "IC-706MKIIG", "FT-817", "IC-9700"};
const char* const kContests[] = {"ALLJA", "ACAG", "6m AND DOWN", "KCJ", "ALL ASIAN"};
const char* const kCodes[] = {"100101", "2701", "4002", "110102", "0101", "13007"};
const char* const kGrids[] = {"PM95", "PM85", "QN02", "PM74", "PL36"};
const char* const kEnvironments[] = {"GP", "FT-817 5W", "IC-7300 100W/3ele", "\xd3\xcb\xde\xb0\xd9",
                                     "DP 10m"};
const char* const kJapanesePrefixes[] = {"JA", "JH", "JR", "JE", "JF", "JG", "JI",
                                         "JJ", "JK", "JL", "JM", "JN", "JO", "JP",
                                         "JQ", "JS", "7K", "7L", "7M", "7N", "8J"};
const char* const kForeignCalls[] = {"W6ABC", "K1XYZ", "VK2DX", "DL1ABC", "HL5AB",
                                     "BV2AB", "UA0AA", "VE3XY", "ZL1AB",  "G4ABC"};
const char* const kPrefixDesignators[] = {"KH6", "JD1", "HL", "W", "VK"};
const char* const kFrequencies[] = {
    "1.9125", "1.910",   "3.525",  "3.535",   "3.5",       "7.050",  "7.025",  "7.1",
    "7.195",  "10.125",  "10.105", "14.025",  "14.200",    "14.074", "18.075", "18.1",
    "21.250", "21.074",  "21",     "24.920",  "24.94",     "28.500", "28.074", "50.110",
    "50.25",  "50.313",  "144.00", "144.160", "145.000",   "430.00", "433.00", "1296.10",
    "1295",   "2400.10", "2427",   "5760.1",  "10368.100", "10368",
};
const char* const kPowers[] = {"5", "10", "20", "50", "100", "200", "500", "1KW"};
const char* const kVoiceReports[] = {"59", "57", "55", "58", "59", "59"};
const char* const kKeyedReports[] = {"599", "579", "589", "5NN", "599"};
const char* const kDigitalReports[] = {"-10", "-03", "+05", "-15"};

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t* year, unsigned* month, unsigned* day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *day = doy - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int64_t>(yoe) + era * 400 + (*month <= 2);
}

uint32_t WholeMegahertz(const char* frequency) {
  uint32_t value = 0;
  while (*frequency >= '0' && *frequency <= '9') value = value * 10 + (*frequency++ - '0');
  return value;
}

enum class ReportStyle { kVoice, kKeyed, kDigital };

const char* Report(Dice& dice, ReportStyle style) {
  switch (style) {
    case ReportStyle::kVoice:
      return dice.Pick(kVoiceReports);
    case ReportStyle::kKeyed:
      return dice.Pick(kKeyedReports);
    case ReportStyle::kDigital:
      return dice.Pick(kDigitalReports);
  }
  return "59";
}

void CallSign(Dice& dice, LineBuilder& line) {
  uint32_t kind = dice.Below(100);
  if (kind >= 88 && kind < 92) {  // portable designator first
    line.Text(dice.Pick(kPrefixDesignators));
    line.Char('/');
  }
  if (dice.Percent(6)) {
    line.Text(dice.Pick(kForeignCalls));
  } else {
    line.Text(dice.Pick(kJapanesePrefixes));
    line.Char(static_cast<char>('0' + dice.Below(10)));
    int letters = dice.Percent(70) ? 3 : 2;
    for (int i = 0; i < letters; ++i) line.Char(static_cast<char>('A' + dice.Below(26)));
  }
  if (kind < 70 || (kind >= 88 && kind < 92)) return;
  if (kind < 82) {
    line.Char('/');
    line.Char(static_cast<char>('0' + dice.Below(10)));
  } else if (kind < 86) {
    line.Text(dice.Percent(50) ? "/P" : "/M");
  } else if (kind < 88) {
    line.Text("/QRP");
  } else if (kind < 95) {
    line.Char('/');
    line.Char(static_cast<char>('0' + dice.Below(10)));
    line.Text("/P");
  } else {
    line.Text("/MM");
  }
}

// One remark tag with either bracket style.
void Tag(Dice& dice, LineBuilder& line, int start, const char* keyword, const char* value) {
  bool corner = dice.Percent(20);
  line.SpaceAfter(start);
  line.Text(keyword);
  line.Char(corner ? '\xA2' : '[');
  line.Text(value);
  line.Char(corner ? '\xA3' : ']');
}

void Remarks(Dice& dice, LineBuilder& line, ReportStyle style, uint32_t end_hhmm,
             const char* name) {
  const int start = line.Length();
  if (dice.Percent(25)) {
    line.Text(dice.Pick(kFreeWords));
  }
  if (dice.Percent(90)) Tag(dice, line, start, "My", Report(dice, style));
  if (dice.Percent(35)) Tag(dice, line, start, "REM", dice.Pick(kRemarkTexts));
  if (dice.Percent(3)) Tag(dice, line, start, "REM1", dice.Pick(kRemarkTexts));
  if (dice.Percent(4)) Tag(dice, line, start, dice.Percent(50) ? "REM2" : "mQSL", "direct");
  if (dice.Percent(15)) Tag(dice, line, start, "RIG", dice.Pick(kRigs));
  if (dice.Percent(8)) Tag(dice, line, start, "MyRIG", dice.Pick(kRigs));
  if (dice.Percent(12)) Tag(dice, line, start, "MyQTH", dice.Pick(kPlaces));
  if (dice.Percent(8)) {
    Tag(dice, line, start, dice.Percent(70) ? "Contest" : "Test", dice.Pick(kContests));
  }
  if (dice.Percent(15)) {
    char end[5] = {
        static_cast<char>('0' + end_hhmm / 1000), static_cast<char>('0' + end_hhmm / 100 % 10),
        static_cast<char>('0' + end_hhmm / 10 % 10), static_cast<char>('0' + end_hhmm % 10), '\0'};
    Tag(dice, line, start, "END", end);
  }
  if (dice.Percent(8)) Tag(dice, line, start, "Via", dice.Percent(70) ? "B" : "D");
  if (dice.Percent(25)) Tag(dice, line, start, "CODE", dice.Pick(kCodes));
  if (dice.Percent(20)) Tag(dice, line, start, "GL", dice.Pick(kGrids));
  if (dice.Percent(4)) Tag(dice, line, start, "OP", name[0] != '\0' ? name : "Ken");
  if (dice.Percent(2)) Tag(dice, line, start, "M", "1");
  if (dice.Percent(3)) {
    line.SpaceAfter(start);
    line.Text(kLongRemark);
  }
}

}  // namespace

int SyntheticLog::Line(uint64_t index, char* out) const {
  Dice dice(seed_, index);
  LineBuilder line(out, kMaxLineLength);

  // 1, 2: a contact every four minutes or so, from 1997-06-01 00:00 on.
  uint64_t minute = index * 4 + dice.Below(4);
  int64_t year = 0;
  unsigned month = 0, day = 0;
  CivilFromDays(DaysFromCivil(1997, 6, 1) + static_cast<int64_t>(minute / 1440), &year, &month,
                &day);
  uint32_t hour = static_cast<uint32_t>(minute % 1440 / 60);
  uint32_t min = static_cast<uint32_t>(minute % 60);
  line.Number(static_cast<uint32_t>(year % 100), 2);
  line.Char('/');
  line.Number(month, 2);
  line.Char('/');
  line.Number(day, 2);
  line.Char(',');
  line.Number(hour * 100 + min, 4);
  line.Char(',');

  // 3: call sign.
  CallSign(dice, line);
  line.Char(',');

  // 5, 6 decide 4: frequency and mode, then the report given.
  const char* frequency = dice.Pick(kFrequencies);
  bool vhf = WholeMegahertz(frequency) >= 28;
  uint32_t pick = dice.Below(100);
  const char* mode = "SSB";
  ReportStyle style = ReportStyle::kVoice;
  if (pick < 33) {
    mode = "CW";
    style = ReportStyle::kKeyed;
  } else if (pick < 48) {
    mode = vhf ? "FM" : "SSB";
  } else if (pick < 58) {
    mode = "FT8";
    style = ReportStyle::kDigital;
  } else if (pick < 62) {
    mode = "RTTY";
    style = ReportStyle::kKeyed;
  } else if (pick < 65) {
    mode = "AM";
  }
  line.Text(Report(dice, style));
  line.Char(',');
  line.Text(frequency);
  line.Char(',');
  line.Text(mode);
  line.Char(',');

  // 7: power.
  if (dice.Percent(70)) line.Text(dice.Pick(kPowers));
  line.Char(',');

  // 8, 9: name and QTH, quoted when not empty.
  uint32_t name_kind = dice.Below(100);
  const char* name = name_kind < 35   ? ""
                     : name_kind < 78 ? dice.Pick(kJapaneseNames)
                                      : dice.Pick(kRomajiNames);
  if (name[0] != '\0') {
    line.Char('"');
    line.Text(name);
    line.Char('"');
  }
  line.Char(',');
  uint32_t qth_kind = dice.Below(100);
  const char* qth = qth_kind < 20   ? ""
                    : qth_kind < 90 ? dice.Pick(kPlaces)
                                    : dice.Pick(kRomajiPlaces);
  if (qth[0] != '\0') {
    line.Char('"');
    line.Text(qth);
    line.Char('"');
  }
  line.Char(',');

  // 10: remarks, quoted when not empty.
  line.Char('"');
  int remarks_start = line.Length();
  uint32_t end_minute = static_cast<uint32_t>((minute + 1 + dice.Below(10)) % 1440);
  Remarks(dice, line, style, end_minute / 60 * 100 + end_minute % 60, name);
  if (line.Length() == remarks_start) {
    line.CutTo(remarks_start - 1);  // empty remarks go without quotes
  } else {
    line.Char('"');
  }
  line.Char(',');

  // 11, 12, 13: QSL marks and the Env text.
  uint32_t qsl = dice.Below(100);
  line.Text(qsl < 55 ? "J" : qsl < 70 ? "N" : qsl < 92 ? "" : qsl < 97 ? "*" : "B");
  line.Char(',');
  uint32_t qsl2 = dice.Below(100);
  line.Text(qsl2 < 80 ? "" : qsl2 < 95 ? "J" : "N");
  line.Char(',');
  if (dice.Percent(15)) line.Text(dice.Pick(kEnvironments));
  return line.Length();
}

}  // namespace varnek_bench
