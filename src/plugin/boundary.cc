// The exported functions: the one active reader and the one active writer,
// made and deleted here, and every other call forwarded to them.
#include <cstdint>

#include "platform/win_api.h"
#include "plugin/dialog_texts.h"
#include "plugin/exports.h"
#include "plugin/file_names.h"
#include "plugin/handler_choice.h"
#include "plugin/log_handler.h"
#include "plugin/messages.h"
#include "plugin/open_dialog.h"

namespace varnek {
namespace {

LogHandler* active_reader = nullptr;
LogHandler* active_writer = nullptr;

void DeleteReader() {
  LogHandler* reader = active_reader;
  active_reader = nullptr;
  delete reader;
}

void DeleteWriter() {
  LogHandler* writer = active_writer;
  active_writer = nullptr;
  delete writer;
}

void Attach() {
  active_reader = nullptr;
  active_writer = nullptr;
}

void Detach() {
  DeleteReader();
  DeleteWriter();
}

}  // namespace
}  // namespace varnek

using varnek::active_reader;
using varnek::active_writer;

#ifdef _WIN32
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) varnek::Attach();
  if (reason == DLL_PROCESS_DETACH) varnek::Detach();
  return TRUE;
}
#else
__attribute__((constructor)) static void LibraryAttach() { varnek::Attach(); }
__attribute__((destructor)) static void LibraryDetach() { varnek::Detach(); }
#endif

extern "C" {

const char* VARNEK_CALL GetVersionText(void) { return varnek::kVersionText; }

const char* VARNEK_CALL GetMenuName(void) { return varnek::kMenuName; }

const char* VARNEK_CALL GetCreateFileType(void) { return varnek::SaveDialogList(); }

const char* VARNEK_CALL Open(int32_t, void* owner, const char* path) {
  varnek::ChosenFile chosen;
  if (!varnek::ChooseLogFile(owner, path, &chosen)) return nullptr;
  varnek::LogHandler* reader = varnek::NewReaderFor(chosen.extension.Str());
  reader->SetFileName(chosen.path.Str());
  varnek::DeleteReader();
  active_reader = reader;
  return reader->Open();
}

int32_t VARNEK_CALL Close(void) {
  if (active_reader == nullptr) return 1;
  int32_t result = active_reader->Close();
  varnek::DeleteReader();
  return result;
}

int16_t VARNEK_CALL GetLogType(void) { return active_reader ? active_reader->GetLogType() : 0; }

const char* VARNEK_CALL GetFieldText(int32_t column) {
  return active_reader ? active_reader->GetFieldText(column) : nullptr;
}

int32_t VARNEK_CALL MoveNext(void) { return active_reader ? active_reader->MoveNext() : 0; }

int32_t VARNEK_CALL Seek(int32_t record) { return active_reader ? active_reader->Seek(record) : 0; }

// Without a reader there is nothing to read: a host's reading loop ends.
int32_t VARNEK_CALL IsEOF(void) { return active_reader ? active_reader->IsEOF() : 1; }

const char* VARNEK_CALL ListText(char* buffer, int32_t size) {
  return active_reader ? active_reader->ListText(buffer, size) : nullptr;
}

const char* VARNEK_CALL GetText(int32_t unused) {
  return active_reader ? active_reader->GetText(unused) : nullptr;
}

int32_t VARNEK_CALL CanUpdate(int32_t unused) {
  return active_reader ? active_reader->CanUpdate(unused) : 0;
}

int32_t VARNEK_CALL Update(int32_t unused, const char* mark) {
  if (active_reader == nullptr || mark == nullptr) return 0;
  return active_reader->Update(unused, mark);
}

int32_t VARNEK_CALL Create(const char* name) {
  varnek::DeleteWriter();
  if (name == nullptr) name = "";
  varnek::LogHandler* writer = varnek::NewWriterFor(varnek::GetExtension(name));
  active_writer = writer;
  if (writer->Create(name) != 0) return 1;
  varnek::DeleteWriter();
  return 0;
}

int32_t VARNEK_CALL WriteText(char* line) {
  if (active_writer == nullptr || line == nullptr) return 0;
  return active_writer->WriteText(line);
}

int32_t VARNEK_CALL CClose(void) {
  if (active_writer == nullptr) return 0;
  int32_t result = active_writer->Close();
  varnek::DeleteWriter();
  return result;
}

}  // extern "C"
