// ADIF (*.adi): the UTF-8 the platform's converter makes of every code page
// 932 character, and the QSO lines read back, byte for byte alike on both
// hosts (run-wine compares the files the scenarios leave).
#include <string>
#include <vector>

#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

// Every single byte character but the comma and the double quote, and every
// lead and trail byte pair, assigned or not, in names of 100 bytes.
std::vector<std::string> EveryCharacter() {
  std::string all;
  for (int c = 0x20; c < 0x7F; ++c) {
    if (c != ',' && c != '"') all += static_cast<char>(c);
  }
  for (int c = 0xA1; c <= 0xDF; ++c) all += static_cast<char>(c);
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
    }
  }
  std::vector<std::string> names;
  for (size_t at = 0; at < all.size();) {
    size_t n = 100;
    if (at + n > all.size()) n = all.size() - at;
    // A name ends between characters.
    size_t k = 0;
    while (k < n) {
      unsigned char c = static_cast<unsigned char>(all[at + k]);
      size_t width = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? 2 : 1;
      if (k + width > n) break;
      k += width;
    }
    names.push_back(all.substr(at, k));
    at += k;
  }
  return names;
}

SCENARIO(AdifWritesEveryCharacterAsThePlatformConvertsIt, kAdif) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("every.adi").c_str()), 1);
  for (const std::string& name : EveryCharacter()) {
    EXPECT_NUMBER(plugin.Write("24/05/03,0912,JA1ABC,59,7.050,SSB,,\"" + name + "\",,,,,"), 1);
  }
  EXPECT_NUMBER(plugin.CClose(), 1);
  std::string written = scene.files.Read("every.adi");
  // 山田 and the half-width katakana ﾜ in UTF-8.
  EXPECT_TRUE(written.find("<CREATED_TIMESTAMP:15>20261208 213000\r\n") != std::string::npos);
  EXPECT_TRUE(written.find("\xEF\xBE\x9C") != std::string::npos);
  plugin.TakeMessages();  // unassigned pairs cannot be converted

  EXPECT_NUMBER(plugin.Create(scene.files.Path("names.adi").c_str()), 1);
  EXPECT_NUMBER(
      plugin.Write(std::string("24/05/03,0912,JA1ABC,59,7.050,SSB,,\"\x8E\x52\x93\x63\",,,,,")), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_TRUE(scene.files.Read("names.adi").find("<NAME_INTL:6>\xE5\xB1\xB1\xE7\x94\xB0 ") !=
              std::string::npos);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(AdifReadsBackTheSameLinesOnBothHosts, kAdif) {
  Plugin& plugin = scene.plugin;
  std::string written;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("every.adi").c_str()), 1);
  for (const std::string& name : EveryCharacter()) {
    plugin.Write("24/05/03,0912,JA1ABC,59,7.050,SSB,,\"" + name + "\",,,,,");
  }
  EXPECT_NUMBER(plugin.CClose(), 1);
  // A file of another program: lower-case names, UTC, FT4 as a submode.
  scene.files.Write("wsjtx.adi",
                    "WSJT-X ADIF Export<eoh>\n"
                    "<call:6>JA1ABC <gridsquare:4>PM95 <mode:4>MFSK <submode:3>FT4 "
                    "<rst_sent:3>-10 <rst_rcvd:3>+05 <qso_date:8>20241231 <time_on:6>235930 "
                    "<qso_date_off:8>20250101 <time_off:6>000015 <band:3>20m <freq:9>14.080000 "
                    "<station_callsign:6>JH1XYZ <my_gridsquare:4>QM05 <eor>\n");
  std::string listed;
  for (const char* name : {"every.adi", "wsjtx.adi"}) {
    EXPECT_TRUE(plugin.OpenChosen(scene.files.Path(name)) != nullptr);
    EXPECT_NUMBER(plugin.GetLogType(), 0);
    EXPECT_NUMBER(plugin.CanUpdate(0), 0);
    while (plugin.IsEOF() == 0) {
      listed += plugin.List() + "\n";
      plugin.MoveNext();
    }
    EXPECT_NUMBER(plugin.Close(), 1);
  }
  scene.files.Write("listed.txt", listed);
  EXPECT_TRUE(listed.find("250101,0859,JA1ABC,-10,14.080000,FT4,,,,\"END\xA2"
                          "0900\xA3 GL\xA2PM95\xA3 My\xA2+05\xA3\",,,"
                          "\n") != std::string::npos);
  plugin.TakeMessages();
}

}  // namespace
}  // namespace scenario
