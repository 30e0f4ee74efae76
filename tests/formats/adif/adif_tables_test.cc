// The ADIF format's tables are the ADIF 3.1.6 enumerations, value for value.
#include "formats/adif/adif_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "formats/adif/adif_values.h"

namespace varnek {
namespace adif {
namespace {

// The rows of a tab-separated file, without its heading.
std::vector<std::vector<std::string>> Rows(const char* name) {
  std::ifstream in(std::string(VARNEK_ADIF_ENUMERATIONS) + "/" + name);
  EXPECT_TRUE(in.good()) << name;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream cells_in(line);
    std::string cell;
    while (std::getline(cells_in, cell, '\t')) cells.push_back(cell);
    while (cells.size() < 3) cells.emplace_back();
    rows.push_back(cells);
  }
  return rows;
}

uint64_t Hz(const std::string& mhz) {
  uint64_t hz = 0;
  EXPECT_TRUE(ParseMegahertz(mhz.data(), static_cast<int32_t>(mhz.size()), &hz)) << mhz;
  return hz;
}

TEST(AdifTablesTest, BandsModesAndSubmodesAreTheEnumerations) {
  auto bands = Rows("bands.tsv");
  ASSERT_EQ(bands.size(), kBandCount);
  for (size_t i = 0; i < kBandCount; ++i) {
    EXPECT_EQ(kBands[i].name, bands[i][0]);
    EXPECT_EQ(kBands[i].lower_hz, Hz(bands[i][1])) << bands[i][0];
    EXPECT_EQ(kBands[i].upper_hz, Hz(bands[i][2])) << bands[i][0];
  }
  auto modes = Rows("modes.tsv");
  ASSERT_EQ(modes.size(), kModeCount);
  for (size_t i = 0; i < kModeCount; ++i) {
    EXPECT_EQ(kModes[i].name, modes[i][0]);
    EXPECT_EQ(kModes[i].import_only, modes[i][2] == "true") << modes[i][0];
  }
  auto submodes = Rows("submodes.tsv");
  ASSERT_EQ(submodes.size(), kSubmodeCount);
  for (size_t i = 0; i < kSubmodeCount; ++i) {
    EXPECT_EQ(kSubmodes[i].name, submodes[i][0]);
    EXPECT_EQ(kSubmodes[i].mode, submodes[i][1]) << submodes[i][0];
    EXPECT_EQ(kSubmodes[i].import_only, submodes[i][2] == "true") << submodes[i][0];
  }
  // Every submode is written as itself under its mode.
  for (const auto& submode : submodes) {
    ModeChoice choice = ChooseMode(submode[0].data(), static_cast<int32_t>(submode[0].size()));
    EXPECT_STREQ(choice.mode, submode[1].c_str()) << submode[0];
    EXPECT_STREQ(choice.submode, submode[0].c_str());
  }
}

TEST(AdifTablesTest, QsoLineModesAndJapaneseBandNames) {
  struct Case {
    const char* text;
    const char* mode;
    const char* submode;
  };
  const Case cases[] = {{"CW", "CW", nullptr},
                        {"usb", "SSB", "USB"},
                        {"FT4", "MFSK", "FT4"},
                        {"JS8", "MFSK", "JS8"},
                        {"PSK31", "PSK", "PSK31"},
                        {"C4FM", "DIGITALVOICE", "C4FM"},
                        {"DSTAR", "DIGITALVOICE", "DSTAR"},
                        {"RTT", "RTTY", nullptr},
                        {"SST", "SSTV", nullptr},
                        {"DV", nullptr, nullptr}};
  for (const Case& c : cases) {
    ModeChoice choice = ChooseMode(c.text, static_cast<int32_t>(std::strlen(c.text)));
    EXPECT_EQ(choice.mode == nullptr ? std::string() : choice.mode,
              c.mode == nullptr ? std::string() : c.mode)
        << c.text;
    EXPECT_EQ(choice.submode == nullptr ? std::string() : choice.submode,
              c.submode == nullptr ? std::string() : c.submode)
        << c.text;
  }
  for (auto [label, band] : {std::pair<const char*, const char*>{"1200", "23cm"},
                             {"5600", "6cm"},
                             {"10G", "3cm"},
                             {"10.1G", "3cm"},
                             {"24G", "1.25cm"}}) {
    const Band* found = BandOfLabel(label, static_cast<int32_t>(std::strlen(label)));
    ASSERT_NE(found, nullptr) << label;
    EXPECT_STREQ(found->name, band);
  }
  EXPECT_EQ(BandOfLabel("7", 1), nullptr);
  EXPECT_STREQ(BandOf(1900000)->name, "160m");
  EXPECT_EQ(BandOf(1200000000), nullptr);
}

TEST(AdifTablesTest, EveryFrequencyFindsTheBandThatHoldsIt) {
  // BandOf halves the table: the bands must rise without overlapping.
  for (size_t i = 0; i < kBandCount; ++i) {
    const Band& band = kBands[i];
    EXPECT_LE(band.lower_hz, band.upper_hz) << band.name;
    if (i > 0) {
      EXPECT_LT(kBands[i - 1].upper_hz, band.lower_hz) << band.name;
    }
    EXPECT_EQ(BandOf(band.lower_hz), &band);
    EXPECT_EQ(BandOf(band.upper_hz), &band);
    EXPECT_EQ(BandOf(band.lower_hz + (band.upper_hz - band.lower_hz) / 2), &band);
    const Band* below =
        i > 0 && kBands[i - 1].upper_hz == band.lower_hz - 1 ? &kBands[i - 1] : nullptr;
    EXPECT_EQ(BandOf(band.lower_hz - 1), below) << band.name;
    const Band* above = i + 1 < kBandCount && kBands[i + 1].lower_hz == band.upper_hz + 1
                            ? &kBands[i + 1]
                            : nullptr;
    EXPECT_EQ(BandOf(band.upper_hz + 1), above) << band.name;
  }
  EXPECT_EQ(BandOf(0), nullptr);
  EXPECT_EQ(BandOf(UINT64_MAX), nullptr);
}

TEST(AdifTablesTest, MegahertzAreDigitsWithOnePointAndSixPlaces) {
  struct Case {
    const char* text;
    bool number;
    uint64_t hz;
  };
  for (const Case& c :
       {Case{"7.05", true, 7050000}, Case{"0.1357", true, 135700}, Case{".5", true, 500000},
        Case{"144.", true, 144000000}, Case{"7.0500001", false, 0}, Case{"1.2.3", false, 0},
        Case{".", false, 0}, Case{"", false, 0}, Case{"7,05", false, 0},
        Case{"99999999999", false, 0}, Case{"1000000000", true, 1000000000000000ull},
        Case{"99999999999x", false, 0}, Case{"7.1234567x", false, 0}}) {
    uint64_t hz = 0;
    EXPECT_EQ(ParseMegahertz(c.text, static_cast<int32_t>(std::strlen(c.text)), &hz), c.number)
        << c.text;
    if (c.number) {
      EXPECT_EQ(hz, c.hz) << c.text;
    }
  }
}

}  // namespace
}  // namespace adif
}  // namespace varnek
