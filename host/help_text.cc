#include "host/help_text.h"

#include <vector>

#include "host/plugin_library.h"

namespace varnek_host {

namespace {

constexpr size_t kWidth = 78;
constexpr size_t kCommandIndent = 33;
constexpr size_t kOptionIndent = 24;
constexpr size_t kEveryCommandIndent = 18;
constexpr char kUsageStart[] = "Usage: varnek ";

// Wraps `text` into lines of at most `width` bytes, each but the first
// indented by `indent` spaces.
std::string Wrapped(const std::string& text, size_t indent, size_t width) {
  std::string out;
  size_t column = indent;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(start, end - start);  // may hold kKeptTogether
    if (column > indent && column + 1 + word.size() > width) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      out += ' ';
      ++column;
    }
    for (char c : word) out += c == kKeptTogether ? ' ' : c;
    column += word.size();
    start = end + 1;
  }
  return out;
}

// "  head" padded to `indent`, then the wrapped text; a head too long for
// that starts the text on the next line.
std::string Entry(const std::string& head, const std::string& text, size_t indent) {
  std::string line = "  " + head;
  for (char& c : line) c = c == kKeptTogether ? ' ' : c;
  if (line.size() + 1 > indent) {
    line += "\n";
    line.append(indent, ' ');
  } else {
    line.resize(indent, ' ');
  }
  return line + Wrapped(text, indent, kWidth) + "\n";
}

// "list LOG [-n] [--raw]": a command with its own options, each kept
// together when wrapped. `longest` is the room there is: when they do not
// fit, the options are "[OPTIONS]".
std::string Usage(const CommandSpec& spec, size_t longest) {
  std::string usage = spec.name;
  if (spec.operands[0] != '\0') usage += std::string(" ") + spec.operands;
  std::string options;
  for (const OptionSpec& option : OptionSpecs()) {
    if (option.usage != nullptr && !option.commands.empty() && Applies(option, spec.command)) {
      std::string one = option.usage;
      for (char& c : one) c = c == ' ' ? kKeptTogether : c;
      options += " " + one;
    }
  }
  return usage + (usage.size() + options.size() <= longest ? options : " [OPTIONS]");
}

// "--plugin PATH", "-n, --numbers".
std::string OptionHead(const OptionSpec& option) {
  std::string head = option.short_name != nullptr ? std::string(option.short_name) + ", " : "";
  head += option.name;
  if (option.value != nullptr) head += std::string(" ") + option.value;
  return head;
}

const char kEveryCommandOptions[] =
    "  --help          show this text (after a command: that command's help)\n"
    "  --version       show the version of varnek\n";

const char kNotes[] =
    "\n"
#ifdef _WIN32
    "Texts are shown on a console as they are, Japanese included; written into a\n"
    "file or pipe they are CP932 bytes, or UTF-8 with --utf8. Bytes of a log that\n"
    "are no CP932 character show as '?'. Warnings of the plug-in go to standard\n"
    "error, with the file they are about and the system's reason where it can\n"
    "tell.\n"
#else
    "Texts are shown in the terminal's character set; bytes that have no place\n"
    "in it show as '?'. Warnings of the plug-in go to standard error, with the\n"
    "file they are about and the system's reason where it can tell; in English\n"
    "when the terminal cannot show Japanese.\n"
#endif
    "Environment: VARNEK_CLOCK=YYYY-MM-DD[THH:MM[:SS]] sets the creation date\n"
    "stamped into new HAMLOG files and the time stamped into new ADIF files\n"
    "(taken as UTC; default: now).\n"
    "Exit status: 0 success, 1 failure (a message says why), 2 usage error.\n";

std::string AllCommands() {
  std::string commands;
  for (const CommandSpec& spec : CommandSpecs()) {
    commands += Entry(Usage(spec, kCommandIndent - 3), spec.summary(), kCommandIndent);
  }
  std::string options;
  for (const OptionSpec& option : OptionSpecs()) {
    if (option.commands.empty()) {
      options += Entry(OptionHead(option), option.help, kEveryCommandIndent);
    }
  }
  return std::string("Usage: varnek [--plugin PATH] COMMAND [ARGUMENTS]\n") +
         "Reads and writes amateur-radio logs through the Varnek plug-in (" + kPluginFileName +
         ").\n"
         "\n"
         "Commands:\n" +
         commands +
         "\n"
         "Options of every command ('varnek help COMMAND' shows a command's own):\n" +
         options + kEveryCommandOptions + kNotes;
}

std::string OneCommand(const CommandSpec& spec) {
  size_t indent = sizeof kUsageStart - 1;
  std::string text = kUsageStart + Wrapped(Usage(spec, std::string::npos), indent, kWidth) + "\n\n";
  std::string about = spec.summary();
  if (!about.empty() && about[0] >= 'a' && about[0] <= 'z') {
    about[0] = static_cast<char>(about[0] - 'a' + 'A');
  }
  about += ".";
  std::string details = spec.details();
  if (!details.empty()) about += " " + details;
  text += Wrapped(about, 0, kWidth) + "\n\nOptions:\n";
  for (const OptionSpec& option : OptionSpecs()) {
    if (!option.commands.empty() && Applies(option, spec.command)) {
      text += Entry(OptionHead(option), option.help, kOptionIndent);
    }
  }
  for (const OptionSpec& option : OptionSpecs()) {
    if (option.commands.empty()) text += Entry(OptionHead(option), option.help, kOptionIndent);
  }
  return text + Entry("--help", "show this text", kOptionIndent);
}

}  // namespace

std::string Dotted(const char* extensions) {
  std::string dotted = ".";
  for (const char* p = extensions; *p != '\0'; ++p) {
    dotted += *p == ',' ? std::string("/.") : std::string(1, *p);
  }
  return dotted;
}

std::string HelpText(Command topic) {
  const CommandSpec* spec = SpecOf(topic);
  return topic == Command::kHelp || spec == nullptr ? AllCommands() : OneCommand(*spec);
}

}  // namespace varnek_host
