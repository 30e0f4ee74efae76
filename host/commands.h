// The four commands of varnek. Each runs the plug-in's exports in the
// calling order a logging program uses and returns the exit status.
#ifndef VARNEK_HOST_COMMANDS_H_
#define VARNEK_HOST_COMMANDS_H_

#include "host/command_line.h"
#include "host/session.h"

namespace varnek_host {

// Version banner, menu caption, and the formats read and written.
int RunInfo(const Session& session, const CommandLine& line);
// Every record of the log, one line each.
int RunList(const Session& session, const CommandLine& line);
// The log read record by record and written in the output's format.
int RunConvert(const Session& session, const CommandLine& line);
// QSL mark 1 of one record, read and optionally set in place to
// line.mark (CP932) when line.has_mark.
int RunQsl(const Session& session, const CommandLine& line);

}  // namespace varnek_host

#endif  // VARNEK_HOST_COMMANDS_H_
