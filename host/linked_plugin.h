// For a program that links the plug-in in instead of loading it (the fuzz
// targets): binds a PluginLibrary to the exports and the stand-in setters
// of this very program, so that it drives them as every other host does.
#ifndef VARNEK_HOST_LINKED_PLUGIN_H_
#define VARNEK_HOST_LINKED_PLUGIN_H_

#include "host/plugin_library.h"

namespace varnek_host {

inline void BindLinkedPlugin(PluginLibrary* plugin) {
#define VARNEK_BIND_EXPORT(result, name, parameters) plugin->name = &::name;
  VARNEK_EXPORTS(VARNEK_BIND_EXPORT)
#undef VARNEK_BIND_EXPORT
  PluginLibrary::StandIn stand_in;
  stand_in.set_message_box = &::VarnekSetMessageBox;
  stand_in.set_open_dialog = &::VarnekSetOpenDialog;
  stand_in.set_local_time = &::VarnekSetLocalTime;
  stand_in.set_system_time = &::VarnekSetSystemTime;
  plugin->BindLinked(stand_in);
}

}  // namespace varnek_host

#endif  // VARNEK_HOST_LINKED_PLUGIN_H_
