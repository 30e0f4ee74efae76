#include "plugin/dialog_texts.h"

#include <cstring>
#include <string>

#include "formats/format_table.h"
#include "plugin/file_names.h"
#include "plugin/messages.h"

namespace varnek {

namespace {

// Of an extension list entry, the bytes that take part in a comparison.
constexpr size_t kEntryLimit = 15;

struct DialogTexts {
  std::string open_filter;
  uint32_t open_formats = 0;
  std::string save_list;

  DialogTexts() {
    for (size_t i = 0; i < kFormatCount; ++i) {
      const FormatRow& row = kFormats[i];
      if (row.reads && row.open_dialog.description != nullptr) {
        AddPair(&open_filter, row.open_dialog, '\0');
        ++open_formats;
      }
      if (row.writes && row.save_dialog.description != nullptr) {
        AddPair(&save_list, row.save_dialog, '|');
      }
    }
    AddPair(&open_filter, {kAllFilesDescription, kAllFilesPattern}, '\0');
    // The list's own end (std::string adds the last zero byte).
  }

  static void AddPair(std::string* out, const DialogEntry& entry, char end) {
    out->append(entry.description);
    out->push_back(end);
    out->append(entry.pattern);
    out->push_back(end);
  }
};

const DialogTexts& Texts() {
  static const DialogTexts texts;
  return texts;
}

// True when `extension` equals ".<entry>" for one of the row's extension
// entries (each cut to its first kEntryLimit bytes, dot included).
bool ListsExtension(const FormatRow& row, const char* extension) {
  const char* entry = row.extensions;
  while (*entry != '\0') {
    size_t length = std::strcspn(entry, ",");
    char one[kEntryLimit + 1];
    one[0] = '.';
    size_t kept = length + 1 < kEntryLimit ? length + 1 : kEntryLimit;
    std::memcpy(one + 1, entry, kept - 1);
    one[kept] = '\0';
    if (EqualsIgnoringCase(extension, one)) return true;
    entry += length;
    if (*entry == ',') ++entry;
  }
  return false;
}

}  // namespace

const char* OpenDialogFilter() { return Texts().open_filter.c_str(); }

uint32_t AllFilesFilterIndex() { return Texts().open_formats + 1; }

uint32_t OpenFilterIndexFor(const char* extension) {
  // Every list is looked at; the last that matches wins.
  uint32_t index = AllFilesFilterIndex();
  uint32_t number = 0;
  for (size_t i = 0; i < kFormatCount; ++i) {
    const FormatRow& row = kFormats[i];
    if (!row.reads || row.open_dialog.description == nullptr) continue;
    ++number;
    if (ListsExtension(row, extension)) index = number;
  }
  return index;
}

const char* SaveDialogList() { return Texts().save_list.c_str(); }

}  // namespace varnek
