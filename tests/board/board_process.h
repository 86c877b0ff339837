// A real glouton-board process for the board's tests, and a bare HTTP/1.1
// client over a socket, so that a test can send what no library would.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace glouton::testing {

struct Reply {
  int status = 0;  // 0: the connection closed with no answer
  std::string head, body;
};

class BoardProcess {
 public:
  BoardProcess(const std::string& db, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {GLOUTON_BOARD, "--port", "0", "--db", db});
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    // "glouton-board: serving on http://127.0.0.1:PORT/"
    std::string line;
    char ch;
    while (read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
    close(out[0]);
    if (std::sscanf(line.c_str(), "glouton-board: serving on http://%*[^:]:%d/", &port_) != 1)
      throw std::runtime_error("glouton-board did not start: " + line);
  }
  ~BoardProcess() { stop(SIGTERM); }
  BoardProcess(const BoardProcess&) = delete;
  BoardProcess& operator=(const BoardProcess&) = delete;

  // The process's exit status (or 128 + its signal).
  int stop(int signal) {
    if (pid_ <= 0) return status_;
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
  }
  int port() const { return port_; }

  int connect() const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port_));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
      throw std::runtime_error("cannot connect to the board");
    return fd;
  }

  // Sends `request` whole (then `filler` bytes of body while the server
  // reads them) and reads the answer to the connection's end.
  Reply raw(const std::string& request, std::size_t filler = 0) const {
    const int fd = connect();
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    const std::string block(1 << 16, 'a');
    for (std::size_t sent = 0; sent < filler; sent += block.size())
      if (send(fd, block.data(), block.size(), MSG_NOSIGNAL) < 0) break;
    // Read to the end of the answer's body, or of the connection.
    std::string answer;
    char buffer[1 << 16];
    Reply r;
    std::size_t end = std::string::npos, length = 0;
    for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) {
      answer.append(buffer, static_cast<std::size_t>(n));
      if (end == std::string::npos && (end = answer.find("\r\n\r\n")) != std::string::npos) {
        r.head = answer.substr(0, end);
        const std::size_t at = r.head.find("Content-Length: ");
        if (at != std::string::npos) length = std::stoul(r.head.substr(at + 16));
      }
      if (end != std::string::npos && answer.size() >= end + 4 + length) break;
    }
    close(fd);
    std::sscanf(answer.c_str(), "HTTP/1.1 %d", &r.status);
    if (end != std::string::npos) r.body = answer.substr(end + 4);
    return r;
  }

  Reply get(const std::string& path) const {
    return raw("GET " + path + " HTTP/1.1\r\nHost: board\r\nConnection: close\r\n\r\n");
  }
  Reply post(const std::string& body, const std::string& headers = "") const {
    return raw("POST /api/v1/runs HTTP/1.1\r\nHost: board\r\nConnection: close\r\n" + headers +
               "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  }

 private:
  pid_t pid_ = 0;
  int port_ = 0;
  int status_ = 0;
};

}  // namespace glouton::testing
