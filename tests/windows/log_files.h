// The byte images the scenarios build their logs and expected files from
// (tests/support/log_images.h), under the scenarios' own names.
#ifndef VARNEK_TESTS_WINDOWS_LOG_FILES_H_
#define VARNEK_TESTS_WINDOWS_LOG_FILES_H_

#include "support/log_images.h"

namespace scenario {

using varnek_test::CornerTag;
using varnek_test::HamlogDataHeader;
using varnek_test::HamlogRecord;
using varnek_test::HamlogRecordBytes;
using varnek_test::HamlogRemarkEntry;
using varnek_test::HamlogRemarkHeader;
using varnek_test::kCornerClose;
using varnek_test::kCornerOpen;
using varnek_test::kHamlogHeaderSize;
using varnek_test::kHamlogRecordSize;
using varnek_test::kHamlogRemarkHeaderSize;
using varnek_test::kIdou;
using varnek_test::kLog200RecordSize;
using varnek_test::kTanaka;
using varnek_test::kTokyo;
using varnek_test::kTokyoTo;
using varnek_test::LittleEndian32;
using varnek_test::Log200Record;

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_LOG_FILES_H_
