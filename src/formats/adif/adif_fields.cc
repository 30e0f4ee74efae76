#include "formats/adif/adif_fields.h"

namespace varnek {
namespace adif {

namespace {

constexpr const char* kNames[kFieldCount] = {
    "CALL",
    "QSO_DATE",
    "TIME_ON",
    "QSO_DATE_OFF",
    "TIME_OFF",
    "BAND",
    "FREQ",
    "MODE",
    "SUBMODE",
    "RST_SENT",
    "RST_RCVD",
    "TX_PWR",
    "NAME",
    "NAME_INTL",
    "QTH",
    "QTH_INTL",
    "GRIDSQUARE",
    "STATE",
    "CNTY",
    "CONTEST_ID",
    "RIG",
    "RIG_INTL",
    "MY_RIG",
    "MY_RIG_INTL",
    "MY_CITY",
    "MY_CITY_INTL",
    "COMMENT",
    "COMMENT_INTL",
    "NOTES",
    "NOTES_INTL",
    "QSL_SENT",
    "QSL_SENT_VIA",
    "QSL_RCVD",
    "APP_VARNEK_CALL",
    "APP_VARNEK_FREQ",
    "APP_VARNEK_MODE",
    "APP_VARNEK_POWER",
    "APP_VARNEK_GRID",
    "APP_VARNEK_CODE",
    "APP_VARNEK_CONTEST",
    "APP_VARNEK_END",
    "APP_VARNEK_ENV",
    "APP_VARNEK_QSL1",
    "APP_VARNEK_QSL2",
    "APP_VARNEK_VIA",
};

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

const char* NameOf(Field field) { return kNames[field]; }

Field FieldNamed(const char* name, int32_t length) {
  for (int f = 0; f < kFieldCount; ++f) {
    const char* known = kNames[f];
    int32_t i = 0;
    while (i < length && known[i] != '\0' && Upper(name[i]) == known[i]) ++i;
    if (i == length && known[i] == '\0') return static_cast<Field>(f);
  }
  return kFieldCount;
}

}  // namespace adif
}  // namespace varnek
