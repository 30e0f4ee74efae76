#include "plugin/handler_choice.h"

#include "formats/adif/adif_handler.h"
#include "formats/csv/csv_handler.h"
#include "formats/hamlog/hamlog_handler.h"
#include "formats/hosttext/host_text_writer.h"
#include "formats/log200/log200_handler.h"

namespace varnek {

LogHandler* NewHandler(FormatId format) {
  switch (format) {
    case FormatId::kQirnoText:
      return new HostTextWriter();
    case FormatId::kLog200:
      return new Log200Handler();
    case FormatId::kHamlog:
      return new HamlogHandler();
    case FormatId::kAdif:
      return new AdifHandler();
    case FormatId::kCsv:
      break;
  }
  return new CsvHandler();
}

}  // namespace varnek
