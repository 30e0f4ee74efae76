#include "formats/adif/adif_scanner.h"

#include <cstdlib>
#include <cstring>

#include "platform/code_page.h"
#include "platform/file_open.h"
#include "text/lead_byte.h"

namespace varnek {
namespace adif {

namespace {

constexpr int32_t kBufferSize = 128 * 1024;
// What one look ahead may ask for: a tag, or a value counted again in
// UTF-8 characters (at most four bytes each).
constexpr int32_t kLookahead = 64 * 1024;
constexpr int32_t kLongestTag = 256;
constexpr int32_t kLongestRecount = (kLookahead - 1) / 4;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool NameIs(const char* name, int32_t length, const char* word) {
  return static_cast<size_t>(length) == std::strlen(word) &&
         std::memcmp(name, word, static_cast<size_t>(length)) == 0;
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

// Appends bytes of a value; a zero byte (which no text holds) becomes a
// space.
void AppendValue(TextBuffer& value, const unsigned char* bytes, int32_t length) {
  char* at = value.Extend(length);
  std::memcpy(at, bytes, static_cast<size_t>(length));
  for (char* zero = static_cast<char*>(std::memchr(at, '\0', static_cast<size_t>(length)));
       zero != nullptr; zero = static_cast<char*>(
                            std::memchr(zero, '\0', static_cast<size_t>(at + length - zero)))) {
    *zero = ' ';
  }
}

}  // namespace

void RecordValues::Clear() {
  for (int f = 0; f < kFieldCount; ++f) {
    if (present[f]) value[f].Clear();
    present[f] = false;
  }
  damaged = false;
}

AdifScanner::~AdifScanner() {
  Close();
  std::free(buffer_);
}

bool AdifScanner::Open(const char* name) {
  Close();
  file_ = OpenRegularFile(name, "rb");
  if (file_ == nullptr) return false;
  if (buffer_ == nullptr) {
    buffer_ = static_cast<unsigned char*>(std::malloc(kBufferSize));
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
  at_end_ = false;
  record_seen_ = false;
  return true;
}

bool AdifScanner::DetectUtf8() {
  std::clearerr(file_);
  if (std::fseek(file_, 0, SEEK_SET) != 0) return false;
  int32_t carried = 0;  // bytes of a character cut by the end of a read
  bool first = true;
  for (;;) {
    size_t got = std::fread(buffer_ + carried, 1, kBufferSize - carried, file_);
    int32_t held = carried + static_cast<int32_t>(got);
    int32_t at = 0;
    if (first && held >= 3 && std::memcmp(buffer_, "\xEF\xBB\xBF", 3) == 0) at = 3;
    first = false;
    while (at < held) {
      // Eight bytes of ASCII at a time.
      uint64_t word;
      if (held - at >= 8 && (std::memcpy(&word, buffer_ + at, 8), (word & kHighBits) == 0)) {
        at += 8;
        continue;
      }
      if (buffer_[at] < 0x80) {
        ++at;
        continue;
      }
      int32_t n = Utf8CharacterLength(buffer_ + at, held - at);
      if (n == 0) {
        // A character the read cut short is looked at again with the rest.
        if (got > 0 && held - at < 4) break;
        return false;
      }
      at += n;
    }
    carried = held - at;
    if (got == 0) return carried == 0;
    std::memmove(buffer_, buffer_ + at, static_cast<size_t>(carried));
  }
}

int32_t AdifScanner::Ensure(int32_t count) {
  int32_t held = filled_ - position_;
  if (held >= count || at_end_) return held < count ? held : count;
  std::memmove(buffer_, buffer_ + position_, static_cast<size_t>(held));
  position_ = 0;
  filled_ = held;
  while (filled_ < count && !at_end_) {
    size_t got = std::fread(buffer_ + filled_, 1, kBufferSize - filled_, file_);
    if (got == 0) at_end_ = true;
    filled_ += static_cast<int32_t>(got);
  }
  return filled_ < count ? filled_ : count;
}

bool AdifScanner::FindTagStart() {
  for (;;) {
    if (position_ < filled_) {
      const void* at =
          std::memchr(buffer_ + position_, '<', static_cast<size_t>(filled_ - position_));
      if (at != nullptr) {
        position_ = static_cast<int32_t>(static_cast<const unsigned char*>(at) - buffer_);
        return true;
      }
      position_ = filled_;
    }
    if (Ensure(1) == 0) return false;
  }
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

bool AdifScanner::Next(RecordValues* record) {
  record->Clear();
  bool any = false;
  while (FindTagStart()) {
    int32_t held = Ensure(kLongestTag);
    const unsigned char* tag = buffer_ + position_;
    // <NAME>, <NAME:LENGTH> or <NAME:LENGTH:TYPE>
    // The name, in capitals (what the field table holds).
    char name[kLongestTag];
    int32_t i = 1;
    while (i < held && IsNameByte(tag[i])) {
      name[i - 1] = Upper(static_cast<char>(tag[i]));
      ++i;
    }
    int32_t name_length = i - 1;
    int64_t length = -1;
    if (i < held && tag[i] == ':') {
      ++i;
      int32_t digits = 0;
      length = 0;
      while (i < held && tag[i] >= '0' && tag[i] <= '9' && digits < 12) {
        length = length * 10 + (tag[i] - '0');
        ++i;
        ++digits;
      }
      if (digits == 0) length = -2;
      if (i < held && tag[i] == ':') {
        ++i;
        while (i < held && IsNameByte(tag[i])) ++i;
      }
    }
    if (name_length == 0 || length == -2 || i >= held || tag[i] != '>') {
      ++position_;  // a '<' that opens no tag
      continue;
    }
    position_ += i + 1;
    if (length < 0 && NameIs(name, name_length, kEndOfRecord)) {
      record_seen_ = true;
      if (any) return true;
      continue;
    }
    if (length < 0 && NameIs(name, name_length, kEndOfHeader)) {
      if (!record_seen_) {
        record->Clear();
        any = false;
      }
      continue;
    }
    Field field = FieldNamedInCapitals(name, name_length);
    if (length < 0) length = 0;
    if (field == kFieldCount) {
      if (Take(length, nullptr, 0) < length) record->damaged = true;
      continue;
    }
    any = true;
    TextBuffer& value = record->value[field];
    if (record->present[field]) value.Clear();
    record->present[field] = true;
    // A value that does not end where a tag, a blank or the file's end
    // begins has its length counted in UTF-8 characters, when that fits.
    int64_t bytes = length;
    if (length <= kLongestRecount) {
      int32_t look = Ensure(static_cast<int32_t>(length) * 4 + 1);
      const unsigned char* p = buffer_ + position_;
      auto ends_at = [&](int32_t at) { return at >= look || p[at] == '<' || IsSpace(p[at]); };
      if (look < length) {
        record->damaged = true;  // the file ends inside the value
      } else if (!ends_at(static_cast<int32_t>(length))) {
        record->damaged = true;
        int32_t at = 0;
        for (int64_t c = 0; c < length && at < look; ++c) {
          int32_t n = Utf8CharacterLength(p + at, look - at);
          at += n == 0 ? 1 : n;
        }
        if (at <= look && ends_at(at)) bytes = at;
      }
      int32_t available = look < bytes ? look : static_cast<int32_t>(bytes);
      int32_t keep = CutAtCharacter(p, available, kValueLimit, utf8_);
      if (keep < bytes) record->damaged = true;
      AppendValue(value, p, keep);
      position_ += available;
      continue;
    }
    // A long value: its first bytes are kept, the rest passed over.
    record->damaged = true;
    Take(bytes, &value, kValueLimit + 4);
    value.Truncate(CutAtCharacter(reinterpret_cast<const unsigned char*>(value.Str()),
                                  value.Length(), kValueLimit, utf8_));
  }
  if (any) record->damaged = true;  // the last record has no EOR
  return any;
}

}  // namespace adif
}  // namespace varnek
