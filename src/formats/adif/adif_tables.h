// The enumerations of ADIF 3.1.6 this format needs, as data: the bands
// with their edges, the modes and the submodes (each with its mode), and
// the few Japanese usages the QSO line has for them (3-letter mode
// abbreviations, band names used as frequencies). A test checks the
// tables against the published enumerations. Values compare without
// regard to letter case; they are written as they stand here.
#ifndef VARNEK_FORMATS_ADIF_ADIF_TABLES_H_
#define VARNEK_FORMATS_ADIF_ADIF_TABLES_H_

#include <cstddef>
#include <cstdint>

namespace varnek {
namespace adif {

struct Band {
  const char* name;
  uint64_t lower_hz;  // both edges belong to the band
  uint64_t upper_hz;
};

struct Mode {
  const char* name;
  bool import_only;  // accepted when reading, never written
};

struct Submode {
  const char* name;
  const char* mode;
  bool import_only;
};

extern const Band kBands[];
extern const size_t kBandCount;
extern const Mode kModes[];
extern const size_t kModeCount;
extern const Submode kSubmodes[];
extern const size_t kSubmodeCount;

// The band a frequency lies in, or null.
const Band* BandOf(uint64_t hz);
// The band of that name (`length` bytes), or null.
const Band* FindBand(const char* name, int32_t length);

// What a QSO line's mode text becomes: MODE alone, or MODE and SUBMODE.
struct ModeChoice {
  const char* mode = nullptr;  // null: neither a mode nor a submode
  const char* submode = nullptr;
};
// `text` is `length` bytes. Abbreviations of 3 letters (RTT, SST) count
// as the modes they stand for.
ModeChoice ChooseMode(const char* text, int32_t length);
// The table's spelling of a mode or submode named in a file (any letter
// case, import-only ones included), or null.
const char* KnownModeName(const char* text, int32_t length);

// What a reader gives back for MODE and SUBMODE: the submode, but the mode
// for the sidebands of SSB.
const char* ReadBackMode(const char* mode, const char* submode);

// QSL_SENT_VIA for a QSL route mark (J, the bureau, is B; D, E and M are
// themselves), or null for any other mark; and back.
const char* QslViaOf(char route);
char RouteOf(const char* via, int32_t length);

// The band that a Japanese band name written as a frequency stands for
// ("1200", "5600", "10G", "10.1G", "24G"), when the text does not lie in
// a band as a frequency; null for any other text.
const Band* BandOfLabel(const char* text, int32_t length);

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_ADIF_TABLES_H_
