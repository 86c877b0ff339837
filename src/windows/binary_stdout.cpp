// glouton-sim.exe writes its trace in binary mode, before main() runs: the
// lines end in LF, byte for byte as on Linux, not in the CRLF of a text stream.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

[[maybe_unused]] const int previous_mode = _setmode(_fileno(stdout), _O_BINARY);

}  // namespace
