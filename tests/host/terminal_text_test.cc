#include "host/terminal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace varnek_host {
namespace {

// "山田" and half-width "ﾜﾀ" in CP932 and UTF-8.
constexpr char kYamadaCp932[] = "\x8E\x52\x93\x63";
constexpr char kYamadaUtf8[] = "\xE5\xB1\xB1\xE7\x94\xB0";
constexpr char kWataCp932[] = "\xDC\xC0";
constexpr char kWataUtf8[] = "\xEF\xBE\x9C\xEF\xBE\x80";

std::string Shown(TerminalText& terminal, const std::string& cp932) {
  std::string out;
  terminal.AppendFromCp932(cp932.data(), cp932.size(), &out);
  return out;
}

TEST(TerminalTextTest, JapaneseReachesUtf8) {
  TerminalText terminal("UTF-8");
  EXPECT_EQ(Shown(terminal, std::string("OP ") + kYamadaCp932 + " " + kWataCp932),
            std::string("OP ") + kYamadaUtf8 + " " + kWataUtf8);
  // The half-width corner brackets around remark-tag values.
  EXPECT_EQ(Shown(terminal, "REM\xA2x\xA3"), "REM\xEF\xBD\xA2x\xEF\xBD\xA3");
}

TEST(TerminalTextTest, EveryBadByteShowsAsOneQuestionMark) {
  TerminalText terminal("UTF-8");
  // 0x80 and 0xA0 are no CP932 characters; 0x85 0x40 is an unassigned
  // double-byte code; 0x82 before a blank is a lead byte without its trail.
  EXPECT_EQ(Shown(terminal,
                  "a\x80"
                  "b\xA0"
                  "c\x85\x40"
                  "d\x82 e"),
            "a?b?c?d? e");
  // A lead byte cut off at the end of the text.
  EXPECT_EQ(Shown(terminal, std::string("x") + kYamadaCp932 + "\x93"),
            std::string("x") + kYamadaUtf8 + "?");
}

TEST(TerminalTextTest, ControlBytesNeverReachTheTerminal) {
  TerminalText terminal("UTF-8");
  EXPECT_EQ(Shown(terminal,
                  "a\rb\nc\x1B[2Jd\x7F"
                  "e\tf"),
            "a?b?c?[2Jd?e\tf");
}

TEST(TerminalTextTest, AsciiTerminalShowsOneQuestionMarkPerCharacter) {
  TerminalText terminal("ANSI_X3.4-1968");
  EXPECT_EQ(Shown(terminal, std::string("JA1ABC ") + kYamadaCp932 + kWataCp932 + "\x80"),
            "JA1ABC ?????");
  TerminalText unknown("NO-SUCH-CHARSET");
  EXPECT_EQ(Shown(unknown, std::string("JA1ABC ") + kYamadaCp932 + kWataCp932 + "\x80\x01"),
            "JA1ABC ??????");
}

TEST(TerminalTextTest, LongTextsConvertWhole) {
  TerminalText terminal("UTF-8");
  std::string cp932, utf8;
  for (int i = 0; i < 3000; ++i) {
    cp932 += kYamadaCp932;
    utf8 += kYamadaUtf8;
  }
  EXPECT_EQ(Shown(terminal, cp932), utf8);
}

TEST(TerminalTextTest, TypedTextGoesBackToCp932) {
  TerminalText terminal("UTF-8");
  std::string out;
  ASSERT_TRUE(terminal.ToCp932(std::string("J") + kYamadaUtf8, &out));
  EXPECT_EQ(out, std::string("J") + kYamadaCp932);
  EXPECT_FALSE(terminal.ToCp932("\xF0\x9F\x98\x80", &out));  // no CP932 form
  EXPECT_FALSE(terminal.ToCp932("\xFF", &out));              // not UTF-8
}

}  // namespace
}  // namespace varnek_host
