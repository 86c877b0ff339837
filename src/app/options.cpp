#include "app/options.h"

namespace glouton::app {

Parsed parse_options(const std::vector<std::string>& args) {
  Parsed parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help") {
      parsed.options.action = Action::help;
      return parsed;
    }
    if (arg == "--version") {
      parsed.options.action = Action::version;
      return parsed;
    }
    if (arg == "--trace" || arg == "--record" || arg == "--replay") {
      std::optional<std::string>& file = arg == "--trace"    ? parsed.options.trace
                                         : arg == "--record" ? parsed.options.record
                                                             : parsed.options.replay;
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        parsed.error = arg + " needs a file name";
        return parsed;
      }
      if (file) {
        parsed.error = arg + " given twice";
        return parsed;
      }
      file = args[++i];
      continue;
    }
    parsed.error = "unknown argument '" + arg + "'";
    return parsed;
  }
  if (parsed.options.record && parsed.options.replay)
    parsed.error = "--record and --replay do not go together";
  return parsed;
}

}  // namespace glouton::app
