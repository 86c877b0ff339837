// A PostgreSQL of one test's own (tests/support/postgres.sh), in a fresh
// folder under /tmp where a user that is not root can reach it and a
// socket's path stays short; stopped and removed at the end.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace glouton::testing {

class PostgresServer {
 public:
  PostgresServer() {
    char dir[] = "/tmp/glouton-pg-XXXXXX";
    if (!::mkdtemp(dir)) throw std::runtime_error("mkdtemp failed");
    dir_ = dir;
    if (std::system(script("start").c_str()) != 0) throw std::runtime_error("no PostgreSQL");
  }
  ~PostgresServer() {
    [[maybe_unused]] const int stopped = std::system(script("stop").c_str());
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  // As postgres.sh prints it.
  std::string url() const { return "postgresql:///postgres?host=" + dir_ + "&user=board"; }

 private:
  std::string script(const char* what) const {
    return std::string("bash " GLOUTON_TEST_SUPPORT "/postgres.sh ") + what + " " + dir_ +
           " >/dev/null";
  }
  std::string dir_;
};

}  // namespace glouton::testing
