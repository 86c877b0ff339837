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
    if (arg == "--trace") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        parsed.error = "--trace needs a file name";
        return parsed;
      }
      if (parsed.options.trace) {
        parsed.error = "--trace given twice";
        return parsed;
      }
      parsed.options.trace = args[++i];
      continue;
    }
    parsed.error = "unknown argument '" + arg + "'";
    return parsed;
  }
  return parsed;
}

}  // namespace glouton::app
