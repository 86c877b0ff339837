// A small tmpfs for a full-disk test. Root mounts it where it stands; anyone
// else first enters a user and mount namespace of the test's own, where the
// mount is allowed and seen by this process and its children alone. Call it
// before the test starts any thread: a process with threads cannot enter a
// user namespace.
#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace glouton::testing {

// Why the tmpfs could not be mounted, or nothing once it is.
inline std::optional<std::string> mount_small_disk(const std::filesystem::path& at,
                                                   const char* size) {
  if (geteuid() != 0) {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
      return std::string("cannot enter a namespace of its own: ") + std::strerror(errno);
    const auto put = [](const char* file, const std::string& text) {
      std::ofstream out(file);
      return static_cast<bool>(out << text << std::flush);
    };
    if (!put("/proc/self/setgroups", "deny") ||
        !put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return std::string("cannot map the user into its namespace");
  }
  if (mount("glouton-small-disk", at.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()))
    return std::string("cannot mount a tmpfs: ") + std::strerror(errno);
  return std::nullopt;
}

}  // namespace glouton::testing
