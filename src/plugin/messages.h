// Every text the user sees, and the fixed texts the host reads, as code
// page 932 bytes. The Japanese wording is given in the comment above each.
#ifndef VARNEK_PLUGIN_MESSAGES_H_
#define VARNEK_PLUGIN_MESSAGES_H_

namespace varnek {

// "VARNEK" (caption of every message box)
inline constexpr char kWarningCaption[] = "VARNEK";
// "VARNEKで回復できないエラーが発生しました." (an error VARNEK cannot recover from)
inline constexpr char kDefaultWarning[] =
    "VARNEK\x82\xC5\x89\xF1\x95\x9C\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x83G\x83\x89\x81["
    "\x82\xAA\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD.";
// "VARNEK.DLL Ver1.03 経由でログを読みこむ (Varnek team)" (menu caption: read a log by way of
// VARNEK.DLL)
inline constexpr char kMenuName[] =
    "VARNEK.DLL Ver1.03 \x8Co\x97R\x82\xC5\x83\x8D\x83O\x82\xF0\x93\xC7\x82\xDD\x82\xB1\x82\xDE "
    "(Varnek team)";
// "Varnek Version 1.03 - LOG200/HAMLOG/CSV ログ変換プラグイン" (version banner)
inline constexpr char kVersionText[] =
    "Varnek Version 1.03 - LOG200/HAMLOG/CSV \x83\x8D\x83O\x95\xCF\x8A\xB7\x83v\x83\x89\x83O\x83"
    "C\x83\x93";
// "VARNEK-ログファイルの選択" (open dialog title: choose a log file)
inline constexpr char kOpenDialogTitle[] =
    "VARNEK-\x83\x8D\x83O\x83t\x83@\x83"
    "C\x83\x8B\x82\xCC\x91I\x91\xF0";
// "ファイルがオープンできません." (the file cannot be opened)
inline constexpr char kCannotOpen[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x83I\x81[\x83v\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
// "ファイルが作成できません." (the file cannot be created)
inline constexpr char kCannotCreate[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
// "ファイルに書き込めません." (cannot write to the file)
inline constexpr char kCannotWrite[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1.";
// "ファイルのクローズに失敗しました." (closing the file failed)
inline constexpr char kCloseFailed[] =
    "\x83t\x83@\x83"
    "C\x83\x8B\x82\xCC\x83N\x83\x8D\x81["
    "\x83Y\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD.";
// "最初のレコードが見つかりません." (the first record cannot be found)
inline constexpr char kFirstRecordMissing[] =
    "\x8D\xC5\x8F\x89\x82\xCC\x83\x8C\x83R\x81["
    "\x83h\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1.";
// "予期しないファイル形式です." (unexpected file format)
inline constexpr char kUnexpectedFormat[] =
    "\x97\x5C\x8A\xFA\x82\xB5\x82\xC8\x82\xA2\x83t\x83@\x83"
    "C\x83\x8B\x8C`\x8E\xAE\x82\xC5\x82\xB7.";
// "関連する DBR ファイルがオープンできません." (the associated DBR file cannot be opened)
inline constexpr char kCannotOpenDbr[] =
    "\x8A\xD6\x98"
    "A\x82\xB7\x82\xE9 DBR \x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x83I\x81[\x83v\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
// "関連する DBR ファイルが作成できません." (the associated DBR file cannot be created)
inline constexpr char kCannotCreateDbr[] =
    "\x8A\xD6\x98"
    "A\x82\xB7\x82\xE9 DBR \x83t\x83@\x83"
    "C\x83\x8B\x82\xAA\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";
// "変換した結果がLOG200レコード長を越えました.\r\n\r\nリマークフィールドの後半部分を失います."
// (LOG200 record too long; the end of the remarks is lost)
inline constexpr char kLog200Overflow[] =
    "\x95\xCF\x8A\xB7\x82\xB5\x82\xBD\x8C\x8B\x89\xCA\x82\xAALOG200\x83\x8C\x83R\x81["
    "\x83h\x92\xB7\x82\xF0\x89z\x82\xA6\x82\xDC\x82\xB5\x82\xBD.\r\n\r\n\x83\x8A\x83}\x81["
    "\x83N\x83t\x83"
    "B\x81["
    "\x83\x8B\x83h\x82\xCC\x8C\xE3\x94\xBC\x95\x94\x95\xAA\x82\xF0\x8E\xB8\x82\xA2\x82\xDC\x82\xB7"
    ".";
// "変換結果がHAMLOGフィールド長の制限を越えました.\r\n\r\n変換したフィールドの後半部分を失います."
// (HAMLOG field limit exceeded; the end of the field is lost)
inline constexpr char kHamlogOverflow[] =
    "\x95\xCF\x8A\xB7\x8C\x8B\x89\xCA\x82\xAAHAMLOG\x83t\x83"
    "B\x81["
    "\x83\x8B\x83h\x92\xB7\x82\xCC\x90\xA7\x8C\xC0\x82\xF0\x89z\x82\xA6\x82\xDC\x82\xB5\x82\xBD."
    "\r\n\r\n\x95\xCF\x8A\xB7\x82\xB5\x82\xBD\x83t\x83"
    "B\x81["
    "\x83\x8B\x83h\x82\xCC\x8C\xE3\x94\xBC\x95\x94\x95\xAA\x82\xF0\x8E\xB8\x82\xA2\x82\xDC\x82\xB7"
    ".";
// "時刻をＪＳＴで出力しますか？  ＵＴＣの場合は「いいえ」を選択" (write times in JST? (No for UTC))
inline constexpr char kJstQuestion[] =
    "\x8E\x9E\x8D\x8F\x82\xF0\x82i\x82r\x82s\x82\xC5\x8Fo\x97\xCD\x82\xB5\x82\xDC\x82\xB7\x82\xA9"
    "\x81H  \x82t\x82s\x82"
    "b\x82\xCC\x8F\xEA\x8D\x87\x82\xCD\x81u\x82\xA2\x82\xA2\x82\xA6\x81v\x82\xF0\x91I\x91\xF0";
// "ADIFに変換できない値がありました." (there were values that could not be
// converted into ADIF)
inline constexpr char kAdifWriteWarning[] =
    "ADIF\x82\xC9\x95\xCF\x8A\xB7\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x92l\x82\xAA\x82\xA0\x82\xE8\x82"
    "\xDC\x82\xB5\x82\xBD.";
// "ADIFファイルに読み取れないデータがありました." (the ADIF file held data that
// could not be read)
inline constexpr char kAdifReadWarning[] =
    "ADIF\x83t\x83@\x83"
    "C\x83\x8B\x82\xC9\x93\xC7\x82\xDD\x8E\xE6\x82\xEA\x82\xC8\x82\xA2\x83"
    "f\x81[\x83^\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB5\x82\xBD.";
// The open dialog's last filter: "すべてのファイル(*.*)" (all files). The
// formats' own filters and save-dialog entries stand in the table of formats.
inline constexpr char kAllFilesDescription[] =
    "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83t\x83@\x83"
    "C\x83\x8B(*.*)";
inline constexpr char kAllFilesPattern[] = "*.*";

}  // namespace varnek

#endif  // VARNEK_PLUGIN_MESSAGES_H_
