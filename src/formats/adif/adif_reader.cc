// AdifHandler as the active reader: each record of an ADIF file as a QSO
// line. Dates and times move from UTC to JST; the application fields this
// writer keeps win over the standard fields they stand beside; the fields
// the QSO line has no place for become remark tags.
#include <cstring>
#include <initializer_list>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "formats/adif/adif_fields.h"
#include "formats/adif/adif_handler.h"
#include "formats/adif/adif_tables.h"
#include "formats/adif/adif_values.h"
#include "plugin/messages.h"
#include "plugin/qso_fields.h"
#include "plugin/warning.h"
#include "text/lead_byte.h"
#include "text/numbers.h"
#include "text/remark_tags.h"
#include "text/tag_keywords.h"
#include "text/time_shift.h"

namespace varnek {

using adif::Field;

namespace {

// The number two digits at `text` spell, or -1 when they are no digits.
int32_t TwoDigits(const char* text) {
  uint32_t tens = static_cast<uint32_t>(static_cast<unsigned char>(text[0])) - '0';
  uint32_t ones = static_cast<uint32_t>(static_cast<unsigned char>(text[1])) - '0';
  return tens <= 9 && ones <= 9 ? static_cast<int32_t>(tens * 10 + ones) : -1;
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// YYYYMMDD of a real day; the three numbers are set whenever the text is
// eight digits.
bool ReadDate(const char* text, int32_t length, int32_t* year, int32_t* month, int32_t* day) {
  if (length != 8) return false;
  int32_t century = TwoDigits(text), years = TwoDigits(text + 2);
  int32_t months = TwoDigits(text + 4), days_of_month = TwoDigits(text + 6);
  if ((century | years | months | days_of_month) < 0) return false;
  static const int8_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  *year = century * 100 + years;
  *month = months;
  *day = days_of_month;
  if (*month < 1 || *month > 12 || *day < 1) return false;
  int32_t days = *month == 2 && IsLeapYear(*year) ? 29 : kDays[*month - 1];
  return *day <= days;
}

// HHMM or HHMMSS; hour and minute are set whenever the text is digits.
bool ReadTime(const char* text, int32_t length, int32_t* hour, int32_t* minute) {
  if (length != 4 && length != 6) return false;
  int32_t hours = TwoDigits(text), minutes = TwoDigits(text + 2);
  int32_t second = length == 6 ? TwoDigits(text + 4) : 0;
  if ((hours | minutes | second) < 0) return false;
  *hour = hours;
  *minute = minutes;
  return *hour < 24 && *minute < 60 && second < 60;
}

// What a value's bytes ask for before the QSO line can show them.
enum ByteNeed : uint8_t {
  kShownAsIs = 0,
  kNotAscii = 1,       // converted, in a UTF-8 file
  kBreaksTheLine = 2,  // a comma, a double quote, a line break: a space
};

struct ByteNeeds {
  uint8_t of[256] = {};
};

constexpr ByteNeeds MakeByteNeeds() {
  ByteNeeds needs;
  for (int c = 0x80; c < 256; ++c) needs.of[c] = kNotAscii;
  for (char c : {',', '"', '\r', '\n'}) needs.of[static_cast<unsigned char>(c)] = kBreaksTheLine;
  return needs;
}

constexpr ByteNeeds kByteNeeds = MakeByteNeeds();

#if defined(__SSE2__)
// The bytes of the 16 at `x` below ',' + 1 or from 0x80 on (both compare
// below it as signed bytes), a bit each: most values hold none, and then
// nothing is to be done for them.
inline uint32_t MaybeNeedy(__m128i x) {
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpgt_epi8(_mm_set1_epi8(',' + 1), x)));
}
// NeedsOf, sixteen bytes at a time.
uint32_t NeedsOfBlocks(const char* text, int32_t length) {
  uint32_t needs = 0;
  for (int32_t i = 0; i < length; i += 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    uint32_t inside = length - i >= 16 ? 0xFFFFu : (1u << (length - i)) - 1;
    if ((MaybeNeedy(x) & inside) == 0) continue;
    __m128i line_breakers = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(',')), _mm_cmpeq_epi8(x, _mm_set1_epi8('"'))),
        _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\r')),
                     _mm_cmpeq_epi8(x, _mm_set1_epi8('\n'))));
    if ((static_cast<uint32_t>(_mm_movemask_epi8(x)) & inside) != 0) needs |= kNotAscii;
    if ((static_cast<uint32_t>(_mm_movemask_epi8(line_breakers)) & inside) != 0) {
      needs |= kBreaksTheLine;
    }
  }
  return needs;
}
#endif

// The ByteNeed bits of the bytes of a value of the record (which is
// followed by kValueReadAhead readable bytes).
inline uint32_t NeedsOf(const char* text, int32_t length) {
#if defined(__SSE2__)
  static_assert(adif::kValueReadAhead >= 16, "a value's last block is readable");
  if (length == 0) return 0;  // (the empty text of a field not there is no value)
  if (length <= 16) {
    // Most values: one block, and nothing to be done.
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    if ((MaybeNeedy(x) & ((1u << length) - 1)) == 0) return 0;
  }
  return NeedsOfBlocks(text, length);
#else
  uint32_t needs = 0;
  for (int32_t i = 0; i < length; ++i) needs |= kByteNeeds.of[static_cast<unsigned char>(text[i])];
  return needs;
#endif
}

// Commas, double quotes and line breaks as spaces: the QSO line has no
// escaping, and is one line. (None of these bytes is ever the second byte
// of a double-byte character.)
void BlankLineBreakers(char* text, int32_t length) {
  for (int32_t i = 0; i < length; ++i) {
    if (kByteNeeds.of[static_cast<unsigned char>(text[i])] == kBreaksTheLine) text[i] = ' ';
  }
}

// The brackets a tag's value is written in: the corners, unless the value
// holds corners that would end the tag early; then the first other pair
// the value leaves whole.
void BracketsFor(const char* value, int32_t length, char* open, char* close) {
  static const char kPairs[][2] = {
      {kCornerOpen, kCornerClose}, {'[', ']'}, {'{', '}'}, {'(', ')'}, {'<', '>'}};
  *open = kCornerOpen;
  *close = kCornerClose;
  // Without a corner byte (0xA2 or 0xA3: the same bits but the lowest) the
  // corners are whole; eight bytes at a time, the last eight overlapping.
  static_assert((kCornerOpen | 1) == kCornerClose, "corners differ in the lowest bit");
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  auto has_corner = [&](uint64_t word) {
    uint64_t other = (word & ~kOnes) ^ (kOnes * static_cast<unsigned char>(kCornerOpen));
    return ((other - kOnes) & ~other & (kOnes << 7)) != 0;
  };
  bool corners = false;
  if (length >= 8) {
    for (int32_t i = 0; i + 8 < length && !corners; i += 8) {
      uint64_t word;
      std::memcpy(&word, value + i, sizeof word);
      corners = has_corner(word);
    }
    uint64_t last;
    std::memcpy(&last, value + length - 8, sizeof last);
    corners = corners || has_corner(last);
  } else {
    for (int32_t i = 0; i < length && !corners; ++i) {
      corners = (value[i] | 1) == kCornerClose;
    }
  }
  if (!corners) return;
  const char* end = value + length;
  for (const auto& pair : kPairs) {
    int32_t depth = 0;
    bool whole = true;
    for (const char* p = value; p < end && whole; ++p) {
      if (IsLeadByte(p)) {
        if (p + 1 == end) break;
        ++p;
      } else if (*p == pair[0]) {
        ++depth;
      } else if (*p == pair[1] && --depth < 0) {
        whole = false;
      }
    }
    if (whole && depth == 0) {
      *open = pair[0];
      *close = pair[1];
      return;
    }
  }
}

}  // namespace

AdifHandler::~AdifHandler() { Close(); }

const char* AdifHandler::Open() {
  Close();
  read_warned_ = false;
  if (!scanner_.Open(file_name_.Str())) {
    ShowWarning(kCannotOpen);
    return nullptr;
  }
  record_number_ = 0;
  // In a UTF-8 file, what is not ASCII is converted.
  line_needs_ = scanner_.Utf8() ? kNotAscii | kBreaksTheLine : kBreaksTheLine;
  return OpenOnFirstRecord();
}

int32_t AdifHandler::Close() {
  has_record_ = false;
  bool ok = scanner_.Close();
  ok = CloseStream() && ok;
  if (!ok) {
    ShowWarning(kCloseFailed);
    return 0;
  }
  return 1;
}

void AdifHandler::WarnDamaged() {
  if (read_warned_) return;
  read_warned_ = true;
  ShowWarning(kAdifReadWarning);
}

int32_t AdifHandler::Seek(int32_t record) {
  if (!scanner_.IsOpen()) return 0;
  uint32_t n = static_cast<uint32_t>(record);
  eof_ = 0;
  if (n != record_number_) {
    has_record_ = false;
    if (!scanner_.Rewind()) return 0;
    record_number_ = 0;
    for (uint32_t i = 0; i < n; ++i) {
      if (!scanner_.Next(&record_)) {
        eof_ = 1;
        return 0;
      }
      ++record_number_;
    }
  }
  if (!scanner_.Next(&record_)) {
    has_record_ = false;
    eof_ = 1;
    return 0;
  }
  has_record_ = true;
  record_number_ = n + 1;
  if (record_.Damaged()) WarnDamaged();
  return 1;
}

inline AdifHandler::Shown AdifHandler::LineValue(Field field, TextBuffer& scratch) {
  const char* text = record_.Text(field);
  int32_t length = record_.Length(field);
  uint32_t needs = NeedsOf(text, length) & line_needs_;
  if (needs == kShownAsIs) return {text, length};
  scratch.Clear();
  char* start = scratch.Room(length);
  scratch.EndAt(PutChanged(scratch, start, text, length, needs));
  return {scratch.Str(), scratch.Length()};
}

inline char* AdifHandler::PutLineValue(TextBuffer& text, char* at, Field field) {
  const char* value = record_.Text(field);
  int32_t length = record_.Length(field);
  uint32_t needs = NeedsOf(value, length) & line_needs_;
  if (needs == kShownAsIs) {
    CopyBytes(at, value, length);
    return at + length;
  }
  return PutChanged(text, at, value, length, needs);
}

char* AdifHandler::PutChanged(TextBuffer& text, char* at, const char* value, int32_t length,
                              uint32_t needs) {
  char* end;
  if ((needs & kNotAscii) != 0) {
    // (A log's names and places come again and again.)
    text.EndAt(at);
    if (read_memo_.Utf8ToCp932(converter_, value, length, text) > 0) WarnDamaged();
    end = text.Edit() + text.Length();
  } else {
    CopyBytes(at, value, length);
    end = at + length;
  }
  if ((needs & kBreaksTheLine) != 0) BlankLineBreakers(at, static_cast<int32_t>(end - at));
  return end;
}

inline char* AdifHandler::PutTagValue(TextBuffer& line, char* at, Field field) {
  const char* value = record_.Text(field);
  int32_t length = record_.Length(field);
  uint32_t needs = NeedsOf(value, length);
  if (needs != kShownAsIs) return PutBracketedChanged(line, at, value, length, needs);
  // Plain ASCII holds no corner: the corners.
  *at++ = kCornerOpen;
  CopyBytes(at, value, length);
  at += length;
  *at++ = kCornerClose;
  return at;
}

char* AdifHandler::PutBracketedChanged(TextBuffer& line, char* at, const char* value,
                                       int32_t length, uint32_t needs) {
  // A place for the opening bracket, the value, and the brackets the value
  // leaves whole.
  *at = kCornerOpen;
  char* shown = at + 1;
  char* end = PutChanged(line, shown, value, length, needs & line_needs_);
  char open, close;
  BracketsFor(shown, static_cast<int32_t>(end - shown), &open, &close);
  *at = open;
  *end++ = close;
  return end;
}

namespace {

bool Spells(const char* text, int32_t length, const char* word) {
  return static_cast<size_t>(length) == std::strlen(word) &&
         std::memcmp(text, word, static_cast<size_t>(length)) == 0;
}

}  // namespace

char* AdifHandler::PutQslMark1(TextBuffer& text, char* at) {
  if (record_.HasText(adif::kAppQsl1)) return PutLineValue(text, at, adif::kAppQsl1);
  if (record_.Length(adif::kQslSent) == 1) {
    char c = record_.Text(adif::kQslSent)[0];
    if (c == 'N' || c == 'n') *at++ = 'N';
    if (c == 'Y' || c == 'y') *at++ = 'Y';
  }
  return at;
}

const char* AdifHandler::GetText(int32_t) {
  if (!has_record_) return nullptr;
  work_.Clear();
  char* start = work_.Room(adif::AdifScanner::kValueLimit);
  work_.EndAt(PutQslMark1(work_, start));
  return work_.Str();
}

const char* AdifHandler::ListText(char* buffer, int32_t size) {
  if (!has_record_) {
    CopyToHostBuffer(buffer, size, "");
    return nullptr;
  }
  // The fields go straight into the line, in their order: each value where
  // it ends up, commas between fields, quotes around fields 8, 9 and 10
  // when they are not empty. The line is written through a cursor into
  // room for the longest line, taken at once: nothing grows the line while
  // it is built (a conversion takes no more room than the value's bytes),
  // so the places kept in it stay valid, and the text is ended once.
  TextBuffer& line = qso_.Line();
  line.Clear();
  char* at = line.Room(kLongestLine);
  // The first of two fields the record has a value of (else the second:
  // it shows nothing).
  auto first_with_text = [&](Field preferred, Field other) {
    return record_.HasText(preferred) ? preferred : other;
  };
  // A field's value, then the comma after it.
  auto show = [&](Field f) {
    at = PutLineValue(line, at, f);
    *at++ = ',';
  };
  // The same in quotes when the field has a value (which is never shown
  // empty).
  auto show_quoted = [&](Field f) {
    if (record_.HasText(f)) {
      *at++ = '"';
      at = PutLineValue(line, at, f);
      *at++ = '"';
    }
    *at++ = ',';
  };
  bool malformed = false;

  // Date and time, from UTC.
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  bool has_date = record_.Has(adif::kQsoDate) &&
                  ReadRecordDate(record_.Text(adif::kQsoDate), record_.Length(adif::kQsoDate),
                                 &year, &month, &day);
  bool has_time =
      record_.Has(adif::kTimeOn) &&
      ReadTime(record_.Text(adif::kTimeOn), record_.Length(adif::kTimeOn), &hour, &minute);
  if (!has_date || !has_time) malformed = true;
  uint8_t y = static_cast<uint8_t>(year % 100), mo = static_cast<uint8_t>(month),
          d = static_cast<uint8_t>(day), h = static_cast<uint8_t>(hour);
  if (has_date && has_time) {
    UtcToJst(y, mo, d, h);
  } else if (has_time) {
    h = static_cast<uint8_t>((hour + 9) % 24);
  }
  if (has_date) {
    PutTwoDigits(at, y);
    PutTwoDigits(at + 2, mo);
    PutTwoDigits(at + 4, d);
    at += 6;
  }
  *at++ = ',';
  if (has_time) {
    PutTwoDigits(at, h);
    PutTwoDigits(at + 2, static_cast<uint32_t>(minute));
    at += 4;
  }
  *at++ = ',';

  Field call = first_with_text(adif::kAppCall, adif::kCall);
  if (!record_.HasText(call)) malformed = true;
  show(call);
  show(adif::kRstSent);

  // Frequency: as written, else the band's lower edge.
  Field frequency = first_with_text(adif::kAppFreq, adif::kFreq);
  char* frequency_start = at;
  if (record_.HasText(frequency)) {
    at = PutLineValue(line, at, frequency);
    if (!record_.Has(adif::kAppFreq) && at > frequency_start && at[-1] == '.') --at;
  }
  if (at == frequency_start && record_.Has(adif::kBand)) {
    Shown band_name = LineValue(adif::kBand, value_);
    if (const adif::Band* band = adif::FindBand(band_name.text, band_name.length)) {
      at += adif::FormatMegahertz(band->lower_hz, at);
    }
  }
  *at++ = ',';

  // Mode: the submode, or the mode, as the tables spell them.
  if (record_.HasText(adif::kAppMode)) {
    at = PutLineValue(line, at, adif::kAppMode);
  } else {
    Shown mode = LineValue(adif::kMode, value_);
    Shown submode = LineValue(adif::kSubmode, scratch_);
    // (No mode has an empty name.)
    if (mode.length > 0) {
      Shown name = KnownModeName(mode.text, mode.length, mode_memo_);
      if (name.text != nullptr) mode = name;
    }
    if (submode.length > 0) {
      Shown name = KnownModeName(submode.text, submode.length, submode_memo_);
      if (name.text != nullptr) submode = name;
    }
    bool has_submode = submode.length > 0;
    // The sidebands of SSB read back as SSB.
    Shown shown = !has_submode || Spells(mode.text, mode.length, "SSB") ? mode : submode;
    CopyBytes(at, shown.text, shown.length);
    at += shown.length;
  }
  *at++ = ',';

  show(first_with_text(adif::kAppPower, adif::kTxPwr));
  show_quoted(first_with_text(adif::kNameIntl, adif::kName));
  show_quoted(first_with_text(adif::kQthIntl, adif::kQth));

  // The remarks, in quotes unless there are none: a tag for each field the
  // line has no place for, one space between tags.
  *at++ = '"';
  char* const remarks = at;
  auto put_keyword = [&](const auto& keyword) {
    if (at != remarks) *at++ = ' ';
    constexpr int32_t kKeywordLength = sizeof keyword - 1;
    CopyBytes(at, keyword, kKeywordLength);
    at += kKeywordLength;
  };
  auto tag = [&](const auto& keyword, Field f) {
    if (!record_.HasText(f)) return;
    put_keyword(keyword);
    at = PutTagValue(line, at, f);
  };
  // A tag of a value that is not empty, in the brackets given.
  auto made_tag = [&](const auto& keyword, const char* value, int32_t length, char open,
                      char close) {
    put_keyword(keyword);
    *at++ = open;
    CopyBytes(at, value, length);
    at += length;
    *at++ = close;
  };
  tag(tag::kRemark, first_with_text(adif::kCommentIntl, adif::kComment));
  tag(tag::kRemark2, first_with_text(adif::kNotesIntl, adif::kNotes));
  tag(tag::kContest, first_with_text(adif::kAppContest, adif::kContestId));
  if (record_.HasText(adif::kAppEnd)) {
    tag(tag::kEndTime, adif::kAppEnd);
  } else if (record_.Has(adif::kTimeOff)) {
    int32_t end_hour = 0, end_minute = 0;
    if (ReadTime(record_.Text(adif::kTimeOff), record_.Length(adif::kTimeOff), &end_hour,
                 &end_minute)) {
      uint8_t ey = y, em = mo, ed = d, eh = static_cast<uint8_t>(end_hour);
      int32_t off_year = 0, off_month = 0, off_day = 0;
      if (record_.Has(adif::kQsoDateOff) &&
          ReadRecordDate(record_.Text(adif::kQsoDateOff), record_.Length(adif::kQsoDateOff),
                         &off_year, &off_month, &off_day)) {
        ey = static_cast<uint8_t>(off_year % 100);
        em = static_cast<uint8_t>(off_month);
        ed = static_cast<uint8_t>(off_day);
      } else if (has_date) {
        ey = static_cast<uint8_t>(year % 100);
        em = static_cast<uint8_t>(month);
        ed = static_cast<uint8_t>(day);
      }
      UtcToJst(ey, em, ed, eh);
      char end[4];
      PutTwoDigits(end, eh);
      PutTwoDigits(end + 2, static_cast<uint32_t>(end_minute));
      made_tag(tag::kEndTime, end, 4, kCornerOpen, kCornerClose);
    } else {
      malformed = true;
    }
  }
  tag(tag::kRig, first_with_text(adif::kRigIntl, adif::kRig));
  tag(tag::kMyRig, first_with_text(adif::kMyRigIntl, adif::kMyRig));
  tag(tag::kMyQth, first_with_text(adif::kMyCityIntl, adif::kMyCity));
  tag(tag::kGrid, first_with_text(adif::kAppGrid, adif::kGridsquare));
  tag(tag::kCode, first_with_text(adif::kAppCode, adif::kCnty));
  if (record_.HasText(adif::kAppVia)) {
    Shown via = LineValue(adif::kAppVia, value_);
    if (via.length > 0) made_tag(tag::kVia, via.text, via.length, '[', ']');
  } else if (record_.Has(adif::kQslSentVia)) {
    char route = adif::RouteOf(record_.Text(adif::kQslSentVia), record_.Length(adif::kQslSentVia));
    if (route != '\0') made_tag(tag::kVia, &route, 1, '[', ']');
  }
  tag(tag::kMyReport, adif::kRstRcvd);
  if (at == remarks) {
    at[-1] = ',';  // no remarks: no quotes
  } else {
    *at++ = '"';
    *at++ = ',';
  }

  // QSL marks and the Env text.
  at = PutQslMark1(line, at);
  *at++ = ',';
  if (record_.HasText(adif::kAppQsl2)) {
    at = PutLineValue(line, at, adif::kAppQsl2);
  } else if (record_.Length(adif::kQslRcvd) == 1) {
    char c = record_.Text(adif::kQslRcvd)[0];
    if (c == 'Y' || c == 'y') *at++ = 'Y';
  }
  *at++ = ',';
  at = PutLineValue(line, at, adif::kAppEnv);

  line.EndAt(at);
  if (malformed) WarnDamaged();
  CopyToHostBuffer(buffer, size, line.Str(), line.Length());
  return line.Str();
}

bool AdifHandler::ReadRecordDate(const char* text, int32_t length, int32_t* year, int32_t* month,
                                 int32_t* day) {
  if (length != 8) return false;
  const RecordDate* date = read_date_memo_.Find(text, length);
  if (date == nullptr) {
    RecordDate read;
    read.year = -1;  // (a year read is never negative)
    read.valid = ReadDate(text, length, &read.year, &read.month, &read.day);
    read.digits = read.year >= 0;
    date = read_date_memo_.Keep(text, length, read);  // (eight bytes are kept)
  }
  if (date->digits) {
    *year = date->year;
    *month = date->month;
    *day = date->day;
  }
  return date->valid;
}

AdifHandler::Shown AdifHandler::KnownModeName(const char* text, int32_t length,
                                              adif::TextMemo<Shown>& memo) {
  if (const Shown* known = memo.Find(text, length)) return *known;
  const char* name = adif::KnownModeName(text, length);
  Shown shown = {name, name != nullptr ? static_cast<int32_t>(std::strlen(name)) : 0};
  memo.Keep(text, length, shown);
  return shown;
}

}  // namespace varnek
