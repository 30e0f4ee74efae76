// The texts of the two file dialogs, derived from the table of formats:
// the open dialog's filter (each format's entry in table order, then all
// files) with the filter a path's extension preselects, and the
// save-dialog list that GetCreateFileType returns. The texts are built once
// and live as long as the library.
#ifndef VARNEK_PLUGIN_DIALOG_TEXTS_H_
#define VARNEK_PLUGIN_DIALOG_TEXTS_H_

#include <cstdint>

namespace varnek {

// Description and pattern pairs, each zero-ended, the list ended by one
// more zero byte.
const char* OpenDialogFilter();
// The 1-based filter the open dialog starts on for a path whose extension
// (from its dot on, "" for none) is `extension`: the format that lists it,
// or the last filter (all files).
uint32_t OpenFilterIndexFor(const char* extension);
uint32_t AllFilesFilterIndex();

// Description and pattern pairs, each part followed by '|'.
const char* SaveDialogList();

}  // namespace varnek

#endif  // VARNEK_PLUGIN_DIALOG_TEXTS_H_
