// A PostgreSQL of one test's own (tests/support/postgres.sh): started in a
// fresh folder under /tmp, where a user that is not root can reach it and a
// socket's path stays short, and stopped and removed at the end.
#pragma once

#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace glouton::testing {

class PostgresServer {
 public:
  PostgresServer() {
    std::string pattern = "/tmp/glouton-pg-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    url_ = run("start");
    if (url_.rfind("postgresql://", 0) != 0) throw std::runtime_error("PostgreSQL did not start");
  }
  ~PostgresServer() {
    run("stop");
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  const std::string& url() const { return url_; }

 private:
  // The script's first line of output.
  std::string run(const char* what) {
    const std::string command =
        std::string("bash " GLOUTON_TEST_SUPPORT "/postgres.sh ") + what + " " + dir_.string();
    FILE* out = ::popen(command.c_str(), "r");
    if (!out) throw std::runtime_error("cannot run " + command);
    std::array<char, 512> line{};
    std::string first = std::fgets(line.data(), line.size(), out) ? line.data() : "";
    ::pclose(out);
    if (!first.empty() && first.back() == '\n') first.pop_back();
    return first;
  }

  std::filesystem::path dir_;
  std::string url_;
};

}  // namespace glouton::testing
