// ShowWarning: the one routine that shows a message to the user (a message
// box titled "VARNEK" with the exclamation icon). A null or empty text shows
// the default text. AskYesNo is the one question the plug-in ever asks.
#ifndef VARNEK_PLUGIN_WARNING_H_
#define VARNEK_PLUGIN_WARNING_H_

namespace varnek {

void ShowWarning(const char* text);
// True when the user answered Yes.
bool AskYesNo(const char* text);

}  // namespace varnek

#endif  // VARNEK_PLUGIN_WARNING_H_
