// The file-choice dialog of Open: prepares the dialog from the path the
// host passes (initial directory, file name, the filter that fits its
// extension) and returns the full path the user chose.
#ifndef VARNEK_PLUGIN_OPEN_DIALOG_H_
#define VARNEK_PLUGIN_OPEN_DIALOG_H_

#include "text/text_buffer.h"

namespace varnek {

struct ChosenFile {
  TextBuffer path;
  TextBuffer extension;  // after the last '.', without it; may be empty
};

// Shows the dialog owned by `owner`; true when the user chose a file.
bool ChooseLogFile(void* owner, const char* initial_path, ChosenFile* chosen);

}  // namespace varnek

#endif  // VARNEK_PLUGIN_OPEN_DIALOG_H_
