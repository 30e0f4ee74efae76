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

}  // namespace

FieldOpenings::FieldOpenings() {
  for (int f = 0; f < kFieldCount; ++f) {
    FieldOpening& opening = of[f];
    opening.length = 0;
    opening.text[opening.length++] = '<';
    for (const char* p = kNames[f]; *p != '\0'; ++p) opening.text[opening.length++] = *p;
    opening.text[opening.length++] = ':';
  }
}

const FieldOpenings kFieldOpenings;

const WordNameIndex<kFieldNameSlots> kFieldNameIndex(kFieldCount, [](int f) { return kNames[f]; });

}  // namespace adif
}  // namespace varnek
