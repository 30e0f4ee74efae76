#include "plugin/handler_choice.h"

#include "formats/csv/csv_handler.h"
#include "formats/hamlog/hamlog_handler.h"
#include "formats/hosttext/host_text_writer.h"
#include "formats/log200/log200_handler.h"
#include "plugin/file_names.h"

namespace varnek {

namespace {

struct HandlerEntry {
  const char* extension;
  LogHandler* (*make)();
};

template <typename Handler>
LogHandler* Make() {
  return new Handler();
}

constexpr HandlerEntry kReaders[] = {
    {"L2", &Make<Log200Handler>},
    {"DBS", &Make<HamlogHandler>},
};

constexpr HandlerEntry kWriters[] = {
    {"LOG", &Make<HostTextWriter>},
    {"L2", &Make<Log200Handler>},
    {"DBS", &Make<HamlogHandler>},
};

template <size_t N>
LogHandler* Choose(const HandlerEntry (&table)[N], const char* extension) {
  for (const HandlerEntry& entry : table) {
    if (EqualsIgnoringCase(extension, entry.extension)) return entry.make();
  }
  return new CsvHandler();
}

}  // namespace

LogHandler* NewReaderFor(const char* extension) { return Choose(kReaders, extension); }

LogHandler* NewWriterFor(const char* extension) { return Choose(kWriters, extension); }

}  // namespace varnek
