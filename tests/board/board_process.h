// A real glouton-board process for the board's tests, a bare HTTP/1.1
// client over a socket (to send what no library would), and their runs.
#pragma once

#include <arpa/inet.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "program/replay.h"

namespace glouton::testing {

// A run that only waits `ms` on the title: score 0, a replay of its own.
inline std::string waiting_run(std::int64_t ms) {
  return std::string(replay_header) + "\nload\n" + std::to_string(ms) + "\n";
}
inline std::string sqlite_url(const std::filesystem::path& dir) {
  return "sqlite:" + (dir / "board.sqlite").string();
}
inline std::string submission(const std::string& name, const std::string& replay) {
  return nlohmann::json{{"name", name}, {"replay", replay}}.dump();
}

struct Reply {
  int status = 0;  // 0: the connection closed with no answer
  std::string head, body;
  nlohmann::json json() const { return nlohmann::json::parse(body, nullptr, false); }
};

class BoardProcess {
 public:
  explicit BoardProcess(const std::string& db, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {GLOUTON_BOARD, "--port", "0", "--db", db});
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    if ((pid_ = fork()) == 0) {
      dup2(out[1], 1);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    std::string line;  // "glouton-board: serving on http://127.0.0.1:PORT/"
    for (char ch; read(out[0], &ch, 1) == 1 && ch != '\n';) line += ch;
    close(out[0]);
    if (std::sscanf(line.c_str(), "glouton-board: serving on http://%*[^:]:%d/", &port_) != 1)
      throw std::runtime_error("glouton-board did not start: " + line);
  }
  ~BoardProcess() { stop(SIGTERM); }

  void stop(int signal) {
    if (pid_ > 0 && kill(pid_, signal) == 0 && waitpid(pid_, nullptr, 0) == pid_) pid_ = 0;
  }

  int connect() const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{AF_INET, htons(static_cast<std::uint16_t>(port_)), {htonl(INADDR_LOOPBACK)}, {}};
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
      throw std::runtime_error("cannot connect to the board");
    return fd;
  }

  // Sends `request` (then `filler` bytes of body while the board takes
  // them) and reads the answer to its end or the connection's.
  Reply raw(const std::string& request, std::size_t filler = 0) const {
    const int fd = connect();
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    const std::string block(1 << 16, 'a');
    for (std::size_t sent = 0; sent < filler; sent += block.size())
      if (send(fd, block.data(), block.size(), MSG_NOSIGNAL) < 0) break;
    Reply r;
    std::size_t length = 0;
    char buffer[1 << 16];
    for (ssize_t n; r.body.size() < length || r.head.empty();) {
      if ((n = recv(fd, buffer, sizeof buffer, 0)) <= 0) break;
      r.body.append(buffer, static_cast<std::size_t>(n));
      const std::size_t end = r.head.empty() ? r.body.find("\r\n\r\n") : std::string::npos;
      if (end == std::string::npos) continue;
      r.head = r.body.substr(0, end);
      r.body.erase(0, end + 4);
      std::sscanf(r.head.c_str(), "HTTP/1.1 %d", &r.status);
      if (const auto at = r.head.find("Content-Length: "); at != std::string::npos)
        length = std::stoul(r.head.substr(at + 16));
    }
    close(fd);
    return r;
  }
  Reply get(const std::string& path) const {
    return raw("GET " + path + " HTTP/1.1\r\nHost: board\r\nConnection: close\r\n\r\n");
  }
  Reply post(const std::string& body) const { return raw(post_request(body)); }
  static std::string post_request(const std::string& body) {
    return "POST /api/v1/runs HTTP/1.1\r\nHost: board\r\nConnection: close\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
  }
  // The ids on the board of all time.
  std::set<std::int64_t> ids() const {
    const nlohmann::json board = get("/api/v1/board?limit=100").json();
    std::set<std::int64_t> ids;
    for (const auto& e : board["runs"]) ids.insert(e["id"].get<std::int64_t>());
    return ids;
  }

 private:
  pid_t pid_ = 0;
  int port_ = 0;
};

}  // namespace glouton::testing
