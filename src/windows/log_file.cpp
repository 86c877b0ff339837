// glouton.exe is a windowed program: started from Explorer it has no console
// and its standard error leads nowhere. Before main() runs, the warning lines
// are then sent to %LOCALAPPDATA%\Glouton\glouton.log (the last run's), so a
// silent game can still tell why. Started from a console or with its standard
// error redirected, it writes there as on Linux.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

bool has_standard_error() {
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool send_warnings_to_log() {
  if (has_standard_error()) return false;
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (!local || !*local) return false;
  const std::filesystem::path folder = std::filesystem::path(local) / L"Glouton";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!_wfreopen((folder / L"glouton.log").c_str(), L"w", stderr)) return false;
  std::setvbuf(stderr, nullptr, _IONBF, 0);  // each line is there even if the game is killed
  return true;
}

[[maybe_unused]] const bool log_opened = send_warnings_to_log();

}  // namespace
