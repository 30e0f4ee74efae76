// The ADIF fields this format writes and reads, by name, in the order the
// writer puts them into a record; the marks that end the header and a
// record; and the file's header. Application fields (APP_VARNEK_...) keep
// exactly the QSO line's texts that no standard field holds as they are, so
// that a log written and read back keeps them.
#ifndef VARNEK_FORMATS_ADIF_ADIF_FIELDS_H_
#define VARNEK_FORMATS_ADIF_ADIF_FIELDS_H_

#include <cstdint>

#include "formats/adif/name_index.h"

namespace varnek {
namespace adif {

enum Field : int {
  kCall,
  kQsoDate,
  kTimeOn,
  kQsoDateOff,
  kTimeOff,
  kBand,
  kFreq,
  kMode,
  kSubmode,
  kRstSent,
  kRstRcvd,
  kTxPwr,
  kName,
  kNameIntl,
  kQth,
  kQthIntl,
  kGridsquare,
  kState,
  kCnty,
  kContestId,
  kRig,
  kRigIntl,
  kMyRig,
  kMyRigIntl,
  kMyCity,
  kMyCityIntl,
  kComment,
  kCommentIntl,
  kNotes,
  kNotesIntl,
  kQslSent,
  kQslSentVia,
  kQslRcvd,
  kAppCall,
  kAppFreq,
  kAppMode,
  kAppPower,
  kAppGrid,
  kAppCode,
  kAppContest,
  kAppEnd,
  kAppEnv,
  kAppQsl1,
  kAppQsl2,
  kAppVia,
  kFieldCount
};

// "<NAME:", what each field's tag begins with when it is written.
struct FieldOpening {
  char text[24];  // zeros after the opening
  int32_t length;
};
struct FieldOpenings {
  FieldOpening of[kFieldCount];
  FieldOpenings();
};
extern const FieldOpenings kFieldOpenings;
inline const FieldOpening& OpeningOf(Field field) { return kFieldOpenings.of[field]; }

constexpr int kFieldNameSlots = 128;
extern const WordNameIndex<kFieldNameSlots> kFieldNameIndex;

// How many bytes from the start of a name FieldNamed may read.
constexpr int32_t kFieldNameReadAhead = WordNameIndex<kFieldNameSlots>::kReadAhead;
// The field the `length` bytes at `name` name, letter case ignored, or
// kFieldCount. The bytes are those of an ADIF name (letters, digits, '_');
// kFieldNameReadAhead bytes from `name` on must be readable whatever
// `length` is (those after the name are not looked at).
inline Field FieldNamed(const char* name, int32_t length) {
  int f = kFieldNameIndex.Find(name, length);
  return f < 0 ? kFieldCount : static_cast<Field>(f);
}

// What a field of the file is when it is no data field.
constexpr char kEndOfHeader[] = "EOH";
constexpr char kEndOfRecord[] = "EOR";

// The header: a first line that is no field, then these fields, then EOH.
constexpr char kHeaderLine[] = "ADIF export of Varnek 1.03";
constexpr char kAdifVersion[] = "3.1.6";
constexpr char kProgramId[] = "Varnek";
constexpr char kProgramVersion[] = "1.03";

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_ADIF_FIELDS_H_
