// glouton.exe is a windowed program: started from Explorer it has no console
// and its standard error leads nowhere. Before main() runs, the warning lines
// are then sent to %LOCALAPPDATA%\Glouton\glouton.log (the last run's), so a
// silent game can still tell why. Started from a console with its standard
// error redirected, it writes there as on Linux.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

bool has_standard_error() {
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Makes `path` the program's standard error, for the C and C++ streams alike.
bool reopen_standard_error(const std::filesystem::path& path) {
  if (_wfreopen(path.c_str(), L"w", stderr)) return true;
#ifdef _UCRT
  return false;
#else
  // Wine's C runtime will not reopen a stream that has no file descriptor,
  // as stderr is here: give descriptor 2 the file, and the stream descriptor 2.
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC, _S_IREAD | _S_IWRITE);
  if (fd < 0) return false;
  const bool moved = _dup2(fd, 2) == 0;
  _close(fd);
  if (!moved) return false;
  stderr->_file = 2;
  stderr->_flag = _IOWRT;
  return true;
#endif
}

bool send_warnings_to_log() {
  if (has_standard_error()) return false;
  // The C runtime's wide environment may not be made yet: ask Windows.
  wchar_t local[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::filesystem::path folder = std::filesystem::path(local) / L"Glouton";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!reopen_standard_error(folder / L"glouton.log")) return false;
  std::setvbuf(stderr, nullptr, _IONBF, 0);  // each line is there even if the game is killed
  return true;
}

[[maybe_unused]] const bool log_opened = send_warnings_to_log();

}  // namespace
