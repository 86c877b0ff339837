// Warnings: a device that cannot do its work says so in one line and the
// game goes on. Each part takes a `Warn` (tests gather the lines); the
// program's own writes "glouton: <line>" on standard error.
#pragma once

#include <functional>
#include <string>

namespace glouton {

using Warn = std::function<void(const std::string&)>;

void warn_on_stderr(const std::string& line);

}  // namespace glouton
