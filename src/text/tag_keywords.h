// The keywords of every remark tag the plug-in reads or writes, in one
// place. Each names the value that travels in the tag: a QSO line field
// that a format has no column for, or a column of a format that the QSO
// line has no field for. Keywords match in any letter case when searched;
// they are written as they stand here.
#ifndef VARNEK_TEXT_TAG_KEYWORDS_H_
#define VARNEK_TEXT_TAG_KEYWORDS_H_

namespace varnek {
namespace tag {

constexpr char kPower[] = "Pow";   // QSO field 7
constexpr char kEnv[] = "Env";     // QSO field 13
constexpr char kRemark[] = "REM";  // the remark text proper
constexpr char kRemark1[] = "REM1";
constexpr char kRemark2[] = "REM2";
constexpr char kManagerQsl[] = "mQSL";  // stands in for REM2
constexpr char kOperator[] = "OP";      // the operator's name
constexpr char kMyReport[] = "My";      // the report received
constexpr char kMyQth[] = "MyQTH";
constexpr char kMyRig[] = "MyRIG";
constexpr char kRig[] = "RIG";
constexpr char kEndTime[] = "END";
constexpr char kContest[] = "Contest";
constexpr char kTest[] = "Test";        // stands in for Contest
constexpr char kToRadio[] = "ToRadio";  // a call sign HAMLOG cannot split
constexpr char kVia[] = "Via";          // the QSL route
constexpr char kCode[] = "CODE";
constexpr char kGrid[] = "GL";
constexpr char kOption[] = "OPT";
constexpr char kOption1[] = "OPT1";
constexpr char kOption2[] = "OPT2";
constexpr char kUser1[] = "USR1";
constexpr char kUser2[] = "USR2";
constexpr char kMemo[] = "M";

// Every keyword above.
constexpr const char* kAllKeywords[] = {
    kPower, kEnv,   kRemark, kRemark1, kRemark2, kManagerQsl, kOperator, kMyReport,
    kMyQth, kMyRig, kRig,    kEndTime, kContest, kTest,       kToRadio,  kVia,
    kCode,  kGrid,  kOption, kOption1, kOption2, kUser1,      kUser2,    kMemo,
};

}  // namespace tag
}  // namespace varnek

#endif  // VARNEK_TEXT_TAG_KEYWORDS_H_
