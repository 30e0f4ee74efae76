// One conversion loop over iconv for every text the command converts (the
// plug-in's CP932 texts for the terminal, the user's texts and UTF-8 logs
// into CP932): nothing is dropped silently, a character that does not
// convert becomes one '?' and is counted. The caller owns the descriptor.
#ifndef VARNEK_HOST_ICONV_TEXT_H_
#define VARNEK_HOST_ICONV_TEXT_H_

#include <iconv.h>

#include <cstddef>
#include <string>

namespace varnek_host {

// The bytes the character at `p` (`left` bytes on) takes in the source
// character set, so that one that does not convert is skipped whole.
using CharacterMeasure = size_t (*)(const char* p, size_t left);

constexpr char kNotConverted = '?';

// Appends [text, text + length) converted with `convert` to `out` and
// returns how many characters became '?'. The descriptor is back in its
// initial state afterwards.
size_t ConvertReplacing(iconv_t convert, const char* text, size_t length,
                        CharacterMeasure character_length, std::string* out);

}  // namespace varnek_host

#endif  // VARNEK_HOST_ICONV_TEXT_H_
