#include "formats/adif/adif_scanner.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "formats/adif/utf8_stream.h"
#include "platform/code_page.h"
#include "platform/file_open.h"
#include "text/lead_byte.h"

namespace varnek {
namespace adif {

namespace {

constexpr int32_t kBufferSize = 128 * 1024;
// Bytes after the window that are always there (zeros): a field name is
// looked up from the words at its start, whatever its length, and the
// '<' bytes are found a block at a time.
constexpr int32_t kWindowSlack = 64;
static_assert(kWindowSlack > kFieldNameReadAhead && kWindowSlack > 16 &&
                  kWindowSlack >= kValueReadAhead && kWindowSlack >= TagMemo::kLongest &&
                  kWindowSlack >= 64,
              "a tag, name, value or block at the window's end can be looked at");
// What one look ahead may ask for: a tag, or a value counted again in
// UTF-8 characters (at most four bytes each).
constexpr int32_t kLookahead = 64 * 1024;
constexpr int32_t kLongestTag = 256;
constexpr int32_t kLongestRecount = (kLookahead - 1) / 4;
static_assert(TagMemo::kPlainLength <= AdifScanner::kValueLimit &&
                  TagMemo::kPlainLength <= kLongestRecount,
              "a plain tag's value is kept whole");

// The bytes of names, and those that may end a value.
struct ByteClasses {
  bool name[256] = {};
  bool value_end[256] = {};
};

constexpr ByteClasses MakeByteClasses() {
  ByteClasses classes;
  for (int c = 0; c < 256; ++c) {
    classes.name[c] =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    classes.value_end[c] = c == '<' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
  }
  return classes;
}

constexpr ByteClasses kClasses = MakeByteClasses();

bool IsNameByte(unsigned char c) { return kClasses.name[c]; }
bool IsSpace(unsigned char c) { return c != '<' && kClasses.value_end[c]; }

// How many name bytes `bytes` begins with, at most `limit`. The 16 bytes
// from `bytes` on are readable whatever `limit` is.
int32_t NameRun(const unsigned char* bytes, int32_t limit) {
  int32_t run = 0;
#if defined(__SSE2__)
  // Sixteen bytes classified at once (bytes from 0x80 on compare as
  // negative: no name byte).
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i lower = _mm_or_si128(x, _mm_set1_epi8(0x20));
  const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                       _mm_cmpgt_epi8(_mm_set1_epi8('z' + 1), lower));
  const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('0' - 1)),
                                      _mm_cmpgt_epi8(_mm_set1_epi8('9' + 1), x));
  const __m128i name =
      _mm_or_si128(_mm_or_si128(letter, digit), _mm_cmpeq_epi8(x, _mm_set1_epi8('_')));
  run = __builtin_ctz(~static_cast<uint32_t>(_mm_movemask_epi8(name)));
  if (run < 16) return run < limit ? run : limit;
#endif
  while (run < limit && IsNameByte(bytes[run])) ++run;
  return run;
}

// A name of three name bytes is `mark` (in capitals), letter case ignored.
bool IsMark(const unsigned char* name, int32_t length, const char* mark) {
  // On name bytes, setting the 0x20 bit makes the two letter cases one.
  return length == 3 && (name[0] | 0x20) == (mark[0] | 0x20) &&
         (name[1] | 0x20) == (mark[1] | 0x20) && (name[2] | 0x20) == (mark[2] | 0x20);
}

// The longest start of `text` (length bytes) of at most `limit` bytes that
// ends on a character boundary.
int32_t CutAtCharacter(const unsigned char* text, int32_t length, int32_t limit, bool utf8) {
  if (length <= limit) return length;
  int32_t at = 0;
  while (at < limit) {
    int32_t n = 1;
    if (utf8) {
      n = Utf8CharacterLength(text + at, length - at);
      if (n == 0) n = 1;
    } else if (IsLeadByte(reinterpret_cast<const char*>(text + at))) {
      n = 2;
    }
    if (at + n > limit) break;
    at += n;
  }
  return at;
}

// Bit i: byte i of the 64 at `block` is a '<'.
uint64_t OpensIn(const unsigned char* block) {
  uint64_t bits = 0;
#if defined(__SSE2__)
  const __m128i open = _mm_set1_epi8('<');
  for (int i = 0; i < 4; ++i) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
    bits |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, open)))} << (16 * i);
  }
#else
  for (int i = 0; i < 64; ++i) bits |= uint64_t{block[i] == '<'} << i;
#endif
  return bits;
}

// The '<' bytes of the window after a position, one after the other, from
// a block of 64 bytes at a time: the next one does not wait for anything
// read in between.
class Opens {
 public:
  // After `at`, before `end` (the window's end; the 64 bytes from every
  // position before it are readable).
  Opens(const unsigned char* bytes, int32_t end, int32_t at)
      : bytes_(bytes), end_(end), base_(at & ~63) {
    bits_ = Block() & (~uint64_t{1} << (at - base_));
  }
  // The next '<', or the window's end when there is none.
  int32_t Next() {
    while (bits_ == 0) {
      base_ += 64;
      if (base_ >= end_) return end_;
      bits_ = Block();
    }
    int32_t next = base_ + __builtin_ctzll(bits_);
    bits_ &= bits_ - 1;
    return next;
  }

 private:
  uint64_t Block() const {
    uint64_t bits = OpensIn(bytes_ + base_);
    int32_t held = end_ - base_;
    return held >= 64 ? bits : bits & ((uint64_t{1} << held) - 1);
  }

  const unsigned char* bytes_;
  int32_t end_;
  int32_t base_;
  uint64_t bits_;
};

// Zero bytes (which no text holds) as spaces.
void BlankZeroBytes(char* text, int32_t length) {
  for (char* zero = static_cast<char*>(std::memchr(text, '\0', static_cast<size_t>(length)));
       zero != nullptr; zero = static_cast<char*>(
                            std::memchr(zero, '\0', static_cast<size_t>(text + length - zero)))) {
    *zero = ' ';
  }
}

// Appends bytes of a value, a zero byte as a space.
void AppendValue(TextBuffer& value, const unsigned char* bytes, int32_t length) {
  char* at = value.Extend(length);
  std::memcpy(at, bytes, static_cast<size_t>(length));
  BlankZeroBytes(at, length);
}

}  // namespace

AdifScanner::~AdifScanner() {
  Close();
  std::free(buffer_);
}

bool AdifScanner::Open(const char* name) {
  Close();
  file_ = OpenRegularFile(name, "rb");
  if (file_ == nullptr) return false;
  if (buffer_ == nullptr) {
    buffer_ = static_cast<unsigned char*>(std::calloc(kBufferSize + kWindowSlack, 1));
    if (buffer_ == nullptr) std::abort();
  }
  utf8_ = DetectUtf8();
  return Rewind();
}

bool AdifScanner::Close() {
  if (file_ == nullptr) return true;
  int result = std::fclose(file_);
  file_ = nullptr;
  return result == 0;
}

bool AdifScanner::Rewind() {
  if (file_ == nullptr || std::fseek(file_, 0, SEEK_SET) != 0) return false;
  std::clearerr(file_);
  position_ = filled_ = 0;
  ClearAfterWindow();
  zero_at_ = -1;
  at_end_ = false;
  record_seen_ = false;
  return true;
}

bool AdifScanner::DetectUtf8() {
  std::clearerr(file_);
  if (std::fseek(file_, 0, SEEK_SET) != 0) return false;
  Utf8Stream check;
  bool first = true;
  for (;;) {
    size_t got = std::fread(buffer_, 1, kBufferSize, file_);
    if (got == 0) return check.Finish();
    int32_t held = static_cast<int32_t>(got);
    int32_t at = 0;
    if (first && held >= 3 && std::memcmp(buffer_, "\xEF\xBB\xBF", 3) == 0) at = 3;
    first = false;
    if (!check.Take(buffer_ + at, held - at)) return false;
  }
}

int32_t AdifScanner::Ensure(int32_t count) {
  int32_t held = filled_ - position_;
  if (held >= count || at_end_) return held < count ? held : count;
  std::memmove(buffer_, buffer_ + position_, static_cast<size_t>(held));
  position_ = 0;
  zero_at_ = -1;
  filled_ = held;
  while (filled_ < count && !at_end_) {
    size_t got = std::fread(buffer_ + filled_, 1, kBufferSize - filled_, file_);
    if (got == 0) at_end_ = true;
    filled_ += static_cast<int32_t>(got);
  }
  ClearAfterWindow();
  return filled_ < count ? filled_ : count;
}

int64_t AdifScanner::Take(int64_t count, TextBuffer* kept, int32_t room) {
  int64_t taken = 0;
  while (taken < count) {
    int32_t want = count - taken > kLookahead ? kLookahead : static_cast<int32_t>(count - taken);
    int32_t held = Ensure(want);
    if (held == 0) break;
    if (kept != nullptr && room > 0) {
      int32_t keep = held < room ? held : room;
      AppendValue(*kept, buffer_ + position_, keep);
      room -= keep;
    }
    position_ += held;
    taken += held;
  }
  return taken;
}

void AdifScanner::ClearAfterWindow() { std::memset(buffer_ + filled_, 0, TagMemo::kLongest); }

bool AdifScanner::HasZeroByte(int32_t from, int32_t to) {
  // One search to the window's end serves the records up to the zero byte
  // it finds.
  if (zero_at_ < 0 || from < zero_from_ || zero_at_ < from) {
    zero_from_ = from;
    const void* zero = std::memchr(buffer_ + from, '\0', static_cast<size_t>(filled_ - from));
    zero_at_ = zero != nullptr
                   ? static_cast<int32_t>(static_cast<const unsigned char*>(zero) - buffer_)
                   : filled_;
  }
  return zero_at_ < to;
}

bool AdifScanner::Next(RecordValues* record) {
  // In place first; a record that runs past the window is read again from
  // the window's start, and copied when the whole window cannot hold it.
  for (int attempt = 0;; ++attempt) {
    int32_t start = position_;
    bool record_seen = record_seen_;
    record->Clear();
    Scan scan = attempt < 2 ? Parse<false>(record) : Parse<true>(record);
    if (scan == Scan::kWindowShort) {
      position_ = start;
      record_seen_ = record_seen;
      Ensure(kBufferSize);
      continue;
    }
    if (scan == Scan::kNoRecord) return false;
    if (attempt < 2 && HasZeroByte(start, position_)) {
      for (int f = 0; f < kFieldCount; ++f) {
        if (!record->Has(static_cast<Field>(f))) continue;
        BlankZeroBytes(reinterpret_cast<char*>(buffer_) +
                           (record->text_[f] - reinterpret_cast<const char*>(buffer_)),
                       record->length_[f]);
      }
    }
    return true;
  }
}

AdifScanner::Run AdifScanner::RunOfTags(int32_t* position, uint64_t* present_so_far,
                                        uint64_t* with_text_so_far, RecordValues* record) {
  // Each tag is found from the '<' positions of the window rather than
  // from the end of the value before it, so that the lookups of a
  // record's tags do not wait for one another; where a value ends is
  // checked after. What the run does not take as it stands (a tag not
  // known, a value that does not end where it should or holds a '<', the
  // window's end) is left to the long way, from where the run stopped.
  const unsigned char* bytes = buffer_;
  const int32_t end = filled_;
  int32_t at = *position;
  uint64_t present = *present_so_far;
  uint64_t with_text = *with_text_so_far;
  Run run = Run::kTag;
  Opens opens(bytes, end, at);
  for (;;) {
    // (No '>' follows the window's bytes: a tag found ends within them.)
    const TagMemo::Tag* known = memo_.Find(bytes + at, TagMemo::kLongest);
    if (known == nullptr) break;
    int32_t value = at + known->size;
    int32_t next = opens.Next();
    int32_t value_end;
    if (known->plain) {
      value_end = value + static_cast<int32_t>(known->length);
      // Most values end where the next tag or a blank before it begins:
      // told by where that tag is, which is known before the value's end.
      bool ends_before_next =
          next < end && (next == value_end || (next == value_end + 1 && IsSpace(bytes[next - 1])));
      if (!ends_before_next && (value_end >= end || !kClasses.value_end[bytes[value_end]])) {
        break;
      }
      present |= known->bit;
      with_text = (with_text & ~known->bit) | known->text_bit;
      record->text_[known->field] = reinterpret_cast<const char*>(bytes + value);
      record->length_[known->field] = value_end - value;
    } else if (known->length == TagMemo::kRecordEnd) {
      at = value;
      run = Run::kRecordEnd;
      break;
    } else if (known->field == kFieldCount && known->length <= end - value) {
      value_end = value + static_cast<int32_t>(known->length);  // passed over
    } else {
      break;  // a long value, or one that runs past the window
    }
    if (next < value_end || next >= end) {
      // A '<' within the value, or none after it: on from its end.
      at = value_end;
      run = Run::kAfterValue;
      break;
    }
    at = next;
  }
  *position = at;
  *present_so_far = present;
  *with_text_so_far = with_text;
  return run;
}

template <bool kCopy>
AdifScanner::Scan AdifScanner::Parse(RecordValues* record) {
  // The window in locals, taken again after every move (copying only).
  const unsigned char* bytes = buffer_;
  int32_t end = filled_;
  int32_t at = position_;
  auto moved = [&] {
    bytes = buffer_;
    end = filled_;
    at = position_;
  };
  auto window_short = [&] {
    position_ = at;
    return Scan::kWindowShort;
  };
  // What the record has so far, kept here and handed over at its end.
  uint64_t present = 0;
  uint64_t with_text = 0;
  bool damaged = false;
  // `ended`: an end of record was read (a record even without fields).
  auto record_ends = [&](bool ended) {
    record->present_ = present;
    record->with_text_ = with_text;
    record->damaged_ = damaged;
    position_ = at;
    return present != 0 || ended ? Scan::kRecord : Scan::kNoRecord;
  };
  for (;;) {
    // To the next '<', most often right after a blank or a line break.
    if (at < end && bytes[at] != '<') {
      if (at + 1 < end && bytes[at + 1] == '<' && IsSpace(bytes[at])) {
        ++at;
      } else if (at + 2 < end && bytes[at + 2] == '<' && IsSpace(bytes[at]) &&
                 IsSpace(bytes[at + 1])) {
        at += 2;
      } else {
        const void* found = std::memchr(bytes + at, '<', static_cast<size_t>(end - at));
        at = found ? static_cast<int32_t>(static_cast<const unsigned char*>(found) - bytes) : end;
      }
    }
    if (at == end) {
      if (at_end_) break;
      if (!kCopy) return window_short();
      position_ = at;
      int32_t held = Ensure(1);
      moved();
      if (held == 0) break;
      continue;
    }

    if (!kCopy) {
      Run run = RunOfTags(&at, &present, &with_text, record);
      if (run == Run::kRecordEnd) {
        record_seen_ = true;
        return record_ends(true);
      }
      if (run == Run::kAfterValue) continue;
    }
    // <NAME>, <NAME:LENGTH> or <NAME:LENGTH:TYPE>, within kLongestTag bytes.
    int32_t held = end - at;
    if (kCopy && held < kLongestTag) {
      position_ = at;
      held = Ensure(kLongestTag);
      moved();
    }
    if (held > kLongestTag) held = kLongestTag;
    const unsigned char* tag = bytes + at;
    Field field;
    int64_t length;
    if (const TagMemo::Tag* known = memo_.Find(tag, held)) {
      // (In place, a plain tag whose value ends where it should was taken
      // by the run of tags.)
      at += known->size;
      if (known->length == TagMemo::kRecordEnd) {
        record_seen_ = true;
        return record_ends(true);
      }
      field = known->field;
      length = known->length;
    } else {
      int32_t name_length = NameRun(tag + 1, held - 1);
      int32_t i = 1 + name_length;
      length = -1;
      if (i < held && tag[i] == ':') {
        int32_t digits = ++i;
        length = 0;
        while (i < held && i - digits < 12 && tag[i] >= '0' && tag[i] <= '9') {
          length = length * 10 + (tag[i] - '0');
          ++i;
        }
        if (i == digits) length = -2;
        if (i < held && tag[i] == ':') {
          ++i;
          i += NameRun(tag + i, held - i);
        }
      }
      if (name_length == 0 || length == -2 || i >= held || tag[i] != '>') {
        // In place, a tag cut by the window's end may still be one.
        if (!kCopy && i >= held && held < kLongestTag && !at_end_) return window_short();
        ++at;  // a '<' that opens no tag
        continue;
      }
      at += i + 1;
      const unsigned char* name = tag + 1;
      if (length < 0) {
        if (IsMark(name, name_length, kEndOfRecord)) {
          // A record even without fields: every record written is one read.
          memo_.Note(tag, i + 1, kFieldCount, TagMemo::kRecordEnd);
          record_seen_ = true;
          return record_ends(true);
        }
        if (IsMark(name, name_length, kEndOfHeader)) {
          if (!record_seen_) {
            present = 0;
            with_text = 0;
            damaged = false;
          }
          continue;
        }
        length = 0;
      }
      field = FieldNamed(reinterpret_cast<const char*>(name), name_length);
      memo_.Note(tag, i + 1, field, length);
    }
    if (field == kFieldCount) {
      if (kCopy) {
        position_ = at;
        if (Take(length, nullptr, 0) < length) damaged = true;
        moved();
      } else if (length <= end - at) {
        at += static_cast<int32_t>(length);
      } else if (at_end_) {
        damaged = true;
        at = end;
      } else {
        return window_short();
      }
      continue;
    }
    uint64_t bit = uint64_t{1} << field;
    present |= bit;
    with_text &= ~bit;
    TextBuffer& copy = record->copied_[field];
    auto store = [&](const unsigned char* value, int32_t count) {
      if (kCopy) {
        copy.Clear();
        copy.Reserve(count + kValueReadAhead);
        AppendValue(copy, value, count);
        value = reinterpret_cast<const unsigned char*>(copy.Str());
      }
      record->text_[field] = reinterpret_cast<const char*>(value);
      record->length_[field] = count;
      if (count > 0) with_text |= bit;
    };
    if (length <= kLongestRecount) {
      int32_t n = static_cast<int32_t>(length);
      int32_t taken = n;  // what the value takes of the file
      int32_t available = n;
      held = end - at;
      const unsigned char* p = bytes + at;
      if (n >= held || !kClasses.value_end[p[n]]) {
        // A value that does not end where a tag, a blank or the file's end
        // begins has its length counted in UTF-8 characters, when that fits.
        int32_t need = 4 * n + 1;
        if (held < need && !at_end_) {
          if (!kCopy) return window_short();
          position_ = at;
          held = Ensure(need);
          moved();
          p = bytes + at;
        }
        int32_t look = held < need ? held : need;
        auto ends_at = [&](int32_t k) { return k >= look || kClasses.value_end[p[k]]; };
        if (look < n) {
          damaged = true;  // the file ends inside the value
        } else if (!ends_at(n)) {
          damaged = true;
          int32_t k = 0;
          for (int32_t c = 0; c < n && k < look; ++c) {
            int32_t step = Utf8CharacterLength(p + k, look - k);
            k += step == 0 ? 1 : step;
          }
          if (k <= look && ends_at(k)) taken = k;
        }
        available = look < taken ? look : taken;
      }
      int32_t keep = CutAtCharacter(p, available, kValueLimit, utf8_);
      if (keep < taken) damaged = true;
      store(p, keep);
      at += available;
      // Most often a blank and the next tag follow.
      if (at + 1 < end && bytes[at] == ' ' && bytes[at + 1] == '<') ++at;
      continue;
    }
    // A long value: its first bytes are kept, the rest passed over.
    damaged = true;
    if (kCopy) {
      copy.Clear();
      copy.Reserve(kValueLimit + 4 + kValueReadAhead);
      position_ = at;
      Take(length, &copy, kValueLimit + 4);
      moved();
      copy.Truncate(CutAtCharacter(reinterpret_cast<const unsigned char*>(copy.Str()),
                                   copy.Length(), kValueLimit, utf8_));
      record->text_[field] = copy.Str();
      record->length_[field] = copy.Length();
      if (copy.Length() > 0) with_text |= bit;
      continue;
    }
    int32_t left = end - at;
    if (length > left && !at_end_) return window_short();
    int32_t available = length < left ? static_cast<int32_t>(length) : left;
    const unsigned char* p = bytes + at;
    int32_t kept = available < kValueLimit + 4 ? available : kValueLimit + 4;
    record->text_[field] = reinterpret_cast<const char*>(p);
    record->length_[field] = CutAtCharacter(p, kept, kValueLimit, utf8_);
    if (record->length_[field] > 0) with_text |= bit;
    at += available;
  }
  if (present != 0) damaged = true;  // the last record has no EOR
  return record_ends(false);
}

}  // namespace adif
}  // namespace varnek
