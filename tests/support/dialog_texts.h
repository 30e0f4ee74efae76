// The texts of the plug-in's two file dialogs, spelled out byte for byte
// (code page 932) as the host must receive them: the open dialog's filter
// and the save-dialog list of GetCreateFileType.
#ifndef VARNEK_TESTS_SUPPORT_DIALOG_TEXTS_H_
#define VARNEK_TESTS_SUPPORT_DIALOG_TEXTS_H_

namespace varnek_test {

// "LOG200ファイル(*.l2)" "*.l2" "HAMLOGファイル(*.dbs)" "*.dbs"
// "CSVテキストファイル(*.csv;*.txt)" "*.csv;*.txt" "すべてのファイル(*.*)" "*.*",
// each zero-ended, then one more zero byte (sizeof counts them all).
constexpr char kOpenFilter[] =
    "LOG200\x83t\x83@\x83"
    "C\x83\x8B(*.l2)\0*.l2\0"
    "HAMLOG\x83t\x83@\x83"
    "C\x83\x8B(*.dbs)\0*.dbs\0"
    "CSV\x83"
    "e\x83L\x83X\x83g\x83t\x83@\x83"
    "C\x83\x8B(*.csv;*.txt)\0*.csv;*.txt\0"
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83t\x83@\x83"
    "C\x83\x8B(*.*)\0*.*\0";

// "QIRNOテキストファイル(*.log)|*.log|LOG200データファイル(*.l2)|*.l2|
// HAMLOGデータファイル(*.dbs)|*.dbs|CSVテキストファイル(*.csv;*.txt)|*.csv;*.txt|"
constexpr char kSaveList[] =
    "QIRNO\x83"
    "e\x83L\x83X\x83g\x83t\x83@\x83"
    "C\x83\x8B(*.log)|*.log|"
    "LOG200\x83"
    "f\x81[\x83^\x83t\x83@\x83"
    "C\x83\x8B(*.l2)|*.l2|"
    "HAMLOG\x83"
    "f\x81[\x83^\x83t\x83@\x83"
    "C\x83\x8B(*.dbs)|*.dbs|"
    "CSV\x83"
    "e\x83L\x83X\x83g\x83t\x83@\x83"
    "C\x83\x8B(*.csv;*.txt)|*.csv;*.txt|";

}  // namespace varnek_test

#endif  // VARNEK_TESTS_SUPPORT_DIALOG_TEXTS_H_
