#include "formats/adif/adif_tables.h"

#include <cstring>

#include "formats/adif/adif_values.h"
#include "formats/adif/name_index.h"

namespace varnek {
namespace adif {

// Band: name, lower and upper edge in Hz (both inside the band).
const Band kBands[] = {
    {"2190m", 135700ull, 137800ull},
    {"630m", 472000ull, 479000ull},
    {"560m", 501000ull, 504000ull},
    {"160m", 1800000ull, 2000000ull},
    {"80m", 3500000ull, 4000000ull},
    {"60m", 5060000ull, 5450000ull},
    {"40m", 7000000ull, 7300000ull},
    {"30m", 10100000ull, 10150000ull},
    {"20m", 14000000ull, 14350000ull},
    {"17m", 18068000ull, 18168000ull},
    {"15m", 21000000ull, 21450000ull},
    {"12m", 24890000ull, 24990000ull},
    {"10m", 28000000ull, 29700000ull},
    {"8m", 40000000ull, 45000000ull},
    {"6m", 50000000ull, 54000000ull},
    {"5m", 54000001ull, 69900000ull},
    {"4m", 70000000ull, 71000000ull},
    {"2m", 144000000ull, 148000000ull},
    {"1.25m", 222000000ull, 225000000ull},
    {"70cm", 420000000ull, 450000000ull},
    {"33cm", 902000000ull, 928000000ull},
    {"23cm", 1240000000ull, 1300000000ull},
    {"13cm", 2300000000ull, 2450000000ull},
    {"9cm", 3300000000ull, 3500000000ull},
    {"6cm", 5650000000ull, 5925000000ull},
    {"3cm", 10000000000ull, 10500000000ull},
    {"1.25cm", 24000000000ull, 24250000000ull},
    {"6mm", 47000000000ull, 47200000000ull},
    {"4mm", 75500000000ull, 81000000000ull},
    {"2.5mm", 119980000000ull, 123000000000ull},
    {"2mm", 134000000000ull, 149000000000ull},
    {"1mm", 241000000000ull, 250000000000ull},
    {"submm", 300000000000ull, 7500000000000ull},
};
const size_t kBandCount = sizeof kBands / sizeof *kBands;

// Mode: name, accepted when reading only.
const Mode kModes[] = {
    {"AM", false},      {"ARDOP", false},    {"ATV", false},    {"CHIP", false},
    {"CLO", false},     {"CONTESTI", false}, {"CW", false},     {"DIGITALVOICE", false},
    {"DOMINO", false},  {"DYNAMIC", false},  {"FAX", false},    {"FM", false},
    {"FSK441", false},  {"FSK", false},      {"FT8", false},    {"HELL", false},
    {"ISCAT", false},   {"JT4", false},      {"JT6M", false},   {"JT9", false},
    {"JT44", false},    {"JT65", false},     {"MFSK", false},   {"MSK144", false},
    {"MTONE", false},   {"MT63", false},     {"OLIVIA", false}, {"OPERA", false},
    {"PAC", false},     {"PAX", false},      {"PKT", false},    {"PSK", false},
    {"PSK2K", false},   {"Q15", false},      {"QRA64", false},  {"ROS", false},
    {"RTTY", false},    {"RTTYM", false},    {"SSB", false},    {"SSTV", false},
    {"T10", false},     {"THOR", false},     {"THRB", false},   {"TOR", false},
    {"V4", false},      {"VOI", false},      {"WINMOR", false}, {"WSPR", false},
    {"AMTORFEC", true}, {"ASCI", true},      {"C4FM", true},    {"CHIP64", true},
    {"CHIP128", true},  {"DOMINOF", true},   {"DSTAR", true},   {"FMHELL", true},
    {"FSK31", true},    {"GTOR", true},      {"HELL80", true},  {"HFSK", true},
    {"JT4A", true},     {"JT4B", true},      {"JT4C", true},    {"JT4D", true},
    {"JT4E", true},     {"JT4F", true},      {"JT4G", true},    {"JT65A", true},
    {"JT65B", true},    {"JT65C", true},     {"MFSK8", true},   {"MFSK16", true},
    {"PAC2", true},     {"PAC3", true},      {"PAX2", true},    {"PCW", true},
    {"PSK10", true},    {"PSK31", true},     {"PSK63", true},   {"PSK63F", true},
    {"PSK125", true},   {"PSKAM10", true},   {"PSKAM31", true}, {"PSKAM50", true},
    {"PSKFEC31", true}, {"PSKHELL", true},   {"QPSK31", true},  {"QPSK63", true},
    {"QPSK125", true},  {"THRBX", true},
};
const size_t kModeCount = sizeof kModes / sizeof *kModes;

// Submode: name, its mode, accepted when reading only.
const Submode kSubmodes[] = {
    {"8PSK125", "PSK", false},
    {"8PSK125F", "PSK", false},
    {"8PSK125FL", "PSK", false},
    {"8PSK250", "PSK", false},
    {"8PSK250F", "PSK", false},
    {"8PSK250FL", "PSK", false},
    {"8PSK500", "PSK", false},
    {"8PSK500F", "PSK", false},
    {"8PSK1000", "PSK", false},
    {"8PSK1000F", "PSK", false},
    {"8PSK1200F", "PSK", false},
    {"AMTORFEC", "TOR", false},
    {"ASCI", "RTTY", false},
    {"C4FM", "DIGITALVOICE", false},
    {"CHIP64", "CHIP", false},
    {"CHIP128", "CHIP", false},
    {"DMR", "DIGITALVOICE", false},
    {"DOM-M", "DOMINO", false},
    {"DOM4", "DOMINO", false},
    {"DOM5", "DOMINO", false},
    {"DOM8", "DOMINO", false},
    {"DOM11", "DOMINO", false},
    {"DOM16", "DOMINO", false},
    {"DOM22", "DOMINO", false},
    {"DOM44", "DOMINO", false},
    {"DOM88", "DOMINO", false},
    {"DOMINOEX", "DOMINO", false},
    {"DOMINOF", "DOMINO", false},
    {"DSTAR", "DIGITALVOICE", false},
    {"FMHELL", "HELL", false},
    {"FREEDV", "DIGITALVOICE", false},
    {"FSK31", "PSK", false},
    {"FSKH105", "HELL", false},
    {"FSKH245", "HELL", false},
    {"FSKHELL", "HELL", false},
    {"FSQCALL", "MFSK", false},
    {"FST4", "MFSK", false},
    {"FST4W", "MFSK", false},
    {"FT4", "MFSK", false},
    {"GTOR", "TOR", false},
    {"HELL80", "HELL", false},
    {"HELLX5", "HELL", false},
    {"HELLX9", "HELL", false},
    {"HFSK", "HELL", false},
    {"ISCAT-A", "ISCAT", false},
    {"ISCAT-B", "ISCAT", false},
    {"JS8", "MFSK", false},
    {"JT4A", "JT4", false},
    {"JT4B", "JT4", false},
    {"JT4C", "JT4", false},
    {"JT4D", "JT4", false},
    {"JT4E", "JT4", false},
    {"JT4F", "JT4", false},
    {"JT4G", "JT4", false},
    {"JT9-1", "JT9", false},
    {"JT9-2", "JT9", false},
    {"JT9-5", "JT9", false},
    {"JT9-10", "JT9", false},
    {"JT9-30", "JT9", false},
    {"JT9A", "JT9", false},
    {"JT9B", "JT9", false},
    {"JT9C", "JT9", false},
    {"JT9D", "JT9", false},
    {"JT9E", "JT9", false},
    {"JT9E FAST", "JT9", false},
    {"JT9F", "JT9", false},
    {"JT9F FAST", "JT9", false},
    {"JT9G", "JT9", false},
    {"JT9G FAST", "JT9", false},
    {"JT9H", "JT9", false},
    {"JT9H FAST", "JT9", false},
    {"JT65A", "JT65", false},
    {"JT65B", "JT65", false},
    {"JT65B2", "JT65", false},
    {"JT65C", "JT65", false},
    {"JT65C2", "JT65", false},
    {"JTMS", "MFSK", false},
    {"LSB", "SSB", false},
    {"M17", "DIGITALVOICE", false},
    {"MFSK4", "MFSK", false},
    {"MFSK8", "MFSK", false},
    {"MFSK11", "MFSK", false},
    {"MFSK16", "MFSK", false},
    {"MFSK22", "MFSK", false},
    {"MFSK31", "MFSK", false},
    {"MFSK32", "MFSK", false},
    {"MFSK64", "MFSK", false},
    {"MFSK64L", "MFSK", false},
    {"MFSK128", "MFSK", false},
    {"MFSK128L", "MFSK", false},
    {"NAVTEX", "TOR", false},
    {"OLIVIA 4/125", "OLIVIA", false},
    {"OLIVIA 4/250", "OLIVIA", false},
    {"OLIVIA 8/250", "OLIVIA", false},
    {"OLIVIA 8/500", "OLIVIA", false},
    {"OLIVIA 16/500", "OLIVIA", false},
    {"OLIVIA 16/1000", "OLIVIA", false},
    {"OLIVIA 32/1000", "OLIVIA", false},
    {"OPERA-BEACON", "OPERA", false},
    {"OPERA-QSO", "OPERA", false},
    {"PAC2", "PAC", false},
    {"PAC3", "PAC", false},
    {"PAC4", "PAC", false},
    {"PAX2", "PAX", false},
    {"PCW", "CW", false},
    {"PSK10", "PSK", false},
    {"PSK31", "PSK", false},
    {"PSK63", "PSK", false},
    {"PSK63F", "PSK", false},
    {"PSK63RC10", "PSK", false},
    {"PSK63RC20", "PSK", false},
    {"PSK63RC32", "PSK", false},
    {"PSK63RC4", "PSK", false},
    {"PSK63RC5", "PSK", false},
    {"PSK125", "PSK", false},
    {"PSK125RC10", "PSK", false},
    {"PSK125RC12", "PSK", false},
    {"PSK125RC16", "PSK", false},
    {"PSK125RC4", "PSK", false},
    {"PSK125RC5", "PSK", false},
    {"PSK250", "PSK", false},
    {"PSK250RC2", "PSK", false},
    {"PSK250RC3", "PSK", false},
    {"PSK250RC5", "PSK", false},
    {"PSK250RC6", "PSK", false},
    {"PSK250RC7", "PSK", false},
    {"PSK500", "PSK", false},
    {"PSK500RC2", "PSK", false},
    {"PSK500RC3", "PSK", false},
    {"PSK500RC4", "PSK", false},
    {"PSK800RC2", "PSK", false},
    {"PSK1000", "PSK", false},
    {"PSK1000RC2", "PSK", false},
    {"PSKAM10", "PSK", false},
    {"PSKAM31", "PSK", false},
    {"PSKAM50", "PSK", false},
    {"PSKFEC31", "PSK", false},
    {"PSKHELL", "HELL", false},
    {"QPSK31", "PSK", false},
    {"Q65", "MFSK", false},
    {"QPSK63", "PSK", false},
    {"QPSK125", "PSK", false},
    {"QPSK250", "PSK", false},
    {"QPSK500", "PSK", false},
    {"QRA64A", "QRA64", false},
    {"QRA64B", "QRA64", false},
    {"QRA64C", "QRA64", false},
    {"QRA64D", "QRA64", false},
    {"QRA64E", "QRA64", false},
    {"ROS-EME", "ROS", false},
    {"ROS-HF", "ROS", false},
    {"ROS-MF", "ROS", false},
    {"SCAMP_FAST", "FSK", false},
    {"SCAMP_OO", "MTONE", false},
    {"SCAMP_OO_SLW", "MTONE", false},
    {"SCAMP_SLOW", "FSK", false},
    {"SCAMP_VSLOW", "FSK", false},
    {"SIM31", "PSK", false},
    {"SITORB", "TOR", false},
    {"SLOWHELL", "HELL", false},
    {"THOR-M", "THOR", false},
    {"THOR4", "THOR", false},
    {"THOR5", "THOR", false},
    {"THOR8", "THOR", false},
    {"THOR11", "THOR", false},
    {"THOR16", "THOR", false},
    {"THOR22", "THOR", false},
    {"THOR25X4", "THOR", false},
    {"THOR50X1", "THOR", false},
    {"THOR50X2", "THOR", false},
    {"THOR100", "THOR", false},
    {"THRBX", "THRB", false},
    {"THRBX1", "THRB", false},
    {"THRBX2", "THRB", false},
    {"THRBX4", "THRB", false},
    {"THROB1", "THRB", false},
    {"THROB2", "THRB", false},
    {"THROB4", "THRB", false},
    {"USB", "SSB", false},
    {"VARA HF", "DYNAMIC", false},
    {"VARA SATELLITE", "DYNAMIC", false},
    {"VARA FM 1200", "DYNAMIC", false},
    {"VARA FM 9600", "DYNAMIC", false},
};
const size_t kSubmodeCount = sizeof kSubmodes / sizeof *kSubmodes;

namespace {

bool SameName(const char* name, const char* text, int32_t length) {
  int32_t i = 0;
  for (; i < length && name[i] != '\0'; ++i) {
    char a = name[i];
    char b = text[i];
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (a != b) return false;
  }
  return i == length && name[i] == '\0';
}

const Mode* FindMode(const char* text, int32_t length) {
  static const NameIndex<256> index(static_cast<int>(kModeCount),
                                    [](int i) { return kModes[i].name; });
  int i = index.Find(text, length);
  return i < 0 ? nullptr : &kModes[i];
}

const Submode* FindSubmode(const char* text, int32_t length) {
  static const NameIndex<512> index(static_cast<int>(kSubmodeCount),
                                    [](int i) { return kSubmodes[i].name; });
  int i = index.Find(text, length);
  return i < 0 ? nullptr : &kSubmodes[i];
}

// Modes written in three letters, as fixed-width logs keep them.
struct Abbreviation {
  const char* text;
  const char* mode;
};
constexpr Abbreviation kAbbreviations[] = {{"RTT", "RTTY"}, {"SST", "SSTV"}};

// Japanese band names that are no frequency of their band.
struct BandLabel {
  const char* text;
  const char* band;
};
constexpr BandLabel kBandLabels[] = {{"1200", "23cm"}, {"5600", "6cm"}};

}  // namespace

const Band* BandOf(uint64_t hz) {
  // The bands come in rising order and do not overlap: the one band that
  // may hold hz is the first that does not end below it.
  size_t low = 0;
  size_t high = kBandCount;
  while (low < high) {
    size_t middle = (low + high) / 2;
    if (kBands[middle].upper_hz < hz) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low < kBandCount && hz >= kBands[low].lower_hz) return &kBands[low];
  return nullptr;
}

const Band* FindBand(const char* name, int32_t length) {
  for (size_t i = 0; i < kBandCount; ++i) {
    if (SameName(kBands[i].name, name, length)) return &kBands[i];
  }
  return nullptr;
}

ModeChoice ChooseMode(const char* text, int32_t length) {
  ModeChoice choice;
  for (const Abbreviation& abbreviation : kAbbreviations) {
    if (SameName(abbreviation.text, text, length)) {
      choice.mode = abbreviation.mode;
      return choice;
    }
  }
  const Mode* mode = FindMode(text, length);
  if (mode != nullptr && !mode->import_only) {
    choice.mode = mode->name;
    return choice;
  }
  const Submode* submode = FindSubmode(text, length);
  if (submode != nullptr && !submode->import_only) {
    choice.mode = submode->mode;
    choice.submode = submode->name;
  }
  return choice;
}

const char* KnownModeName(const char* text, int32_t length) {
  if (const Mode* mode = FindMode(text, length)) return mode->name;
  if (const Submode* submode = FindSubmode(text, length)) return submode->name;
  return nullptr;
}

const char* ReadBackMode(const char* mode, const char* submode) {
  if (submode == nullptr || std::strcmp(mode, "SSB") == 0) return mode;
  return submode;
}

namespace {

struct Route {
  char mark;
  const char* via;
};
constexpr Route kRoutes[] = {{'J', "B"}, {'D', "D"}, {'E', "E"}, {'M', "M"}};

}  // namespace

const char* QslViaOf(char route) {
  if (route >= 'a' && route <= 'z') route = static_cast<char>(route - 'a' + 'A');
  for (const Route& r : kRoutes) {
    if (r.mark == route) return r.via;
  }
  return nullptr;
}

char RouteOf(const char* via, int32_t length) {
  for (const Route& r : kRoutes) {
    if (SameName(r.via, via, length)) return r.mark;
  }
  return '\0';
}

const Band* BandOfLabel(const char* text, int32_t length) {
  for (const BandLabel& label : kBandLabels) {
    if (SameName(label.text, text, length)) {
      return FindBand(label.band, static_cast<int32_t>(std::strlen(label.band)));
    }
  }
  // "10G", "10.1G", "24G": GHz, in the band the value lies in.
  if (length < 2 || (text[length - 1] != 'G' && text[length - 1] != 'g')) return nullptr;
  uint64_t hz = 0;
  if (!ParseMegahertz(text, length - 1, &hz) || hz > UINT64_MAX / 1000) return nullptr;
  return BandOf(hz * 1000);
}

}  // namespace adif
}  // namespace varnek
