#include "board/limits.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>

namespace glouton::board {

using Clock = std::chrono::steady_clock;

bool RateLimit::take(const std::string& address, Clock::time_point now) {
  const std::lock_guard lock(mutex_);
  const Clock::time_point since = now - std::chrono::minutes(1);
  // Addresses quiet for a minute are forgotten, so that the map stays as
  // small as the last minute's clients.
  if (now - last_sweep_ > std::chrono::minutes(1)) {
    std::erase_if(seen_, [&](const auto& e) { return e.second.back() < since; });
    last_sweep_ = now;
  }
  auto& times = seen_[address];
  while (!times.empty() && times.front() < since) times.pop_front();
  times.push_back(now);
  if (times.size() > static_cast<std::size_t>(per_minute_) + 1) times.pop_front();
  return times.size() <= static_cast<std::size_t>(per_minute_);
}

bool Slots::take(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  if (!freed_.wait_for(lock, wait, [this] { return free_ > 0; })) return false;
  --free_;
  return true;
}

void Slots::give_back() {
  {
    const std::lock_guard lock(mutex_);
    ++free_;
  }
  freed_.notify_one();
}

BoundedPool::BoundedPool(std::size_t threads, std::size_t waiting) : waiting_(waiting) {
  for (std::size_t i = 0; i < threads; ++i)
    threads_.emplace_back([this] {
      for (;;) {
        std::function<void()> task;
        {
          std::unique_lock lock(mutex_);
          work_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
          if (tasks_.empty()) return;
          task = std::move(tasks_.front());
          tasks_.pop_front();
        }
        room_.notify_one();
        task();
      }
    });
}

BoundedPool::~BoundedPool() {
  shutdown();
}

void BoundedPool::enqueue(std::function<void()> fn) {
  {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [this] { return stopping_ || tasks_.size() < waiting_; });
    // Once stopping, the task still runs: it is what closes its socket.
    tasks_.push_back(std::move(fn));
  }
  work_.notify_one();
}

void BoundedPool::shutdown() {
  {
    const std::lock_guard lock(mutex_);
    if (stopping_ && threads_.empty()) return;
    stopping_ = true;
  }
  work_.notify_all();
  room_.notify_all();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
}

ConnectionReaper::ConnectionReaper(int port, std::chrono::seconds deadline)
    : port_(port), deadline_(deadline), thread_([this] {
        std::unique_lock lock(mutex_);
        while (!stop_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_; }))
          sweep();
      }) {}

ConnectionReaper::~ConnectionReaper() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_.notify_all();
  thread_.join();
}

namespace {

// "ADDRESS:PORT" of a socket's end, or empty when `fd` is no connected
// TCP socket.
std::string socket_end(int fd, bool peer, int* port) {
  sockaddr_storage a{};
  socklen_t size = sizeof a;
  const int rc = peer ? getpeername(fd, reinterpret_cast<sockaddr*>(&a), &size)
                      : getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
  if (rc != 0) return {};
  char text[INET6_ADDRSTRLEN] = {};
  if (a.ss_family == AF_INET) {
    const auto* in = reinterpret_cast<const sockaddr_in*>(&a);
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    *port = ntohs(in->sin_port);
  } else if (a.ss_family == AF_INET6) {
    const auto* in = reinterpret_cast<const sockaddr_in6*>(&a);
    inet_ntop(AF_INET6, &in->sin6_addr, text, sizeof text);
    *port = ntohs(in->sin6_port);
  } else {
    return {};
  }
  return std::string(text) + ":" + std::to_string(*port);
}

}  // namespace

void ConnectionReaper::sweep() {
  const Clock::time_point now = Clock::now();
  std::unordered_map<std::string, Clock::time_point> still;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return;
  while (const dirent* e = readdir(dir)) {
    char* end = nullptr;
    const long fd = std::strtol(e->d_name, &end, 10);
    if (end == e->d_name || *end != '\0' || fd == dirfd(dir)) continue;
    int local_port = 0, peer_port = 0;
    if (socket_end(static_cast<int>(fd), false, &local_port).empty() || local_port != port_)
      continue;
    const std::string peer = socket_end(static_cast<int>(fd), true, &peer_port);
    if (peer.empty()) continue;  // the listening socket
    const std::string key = std::to_string(fd) + " " + peer;
    const auto seen = seen_.find(key);
    const Clock::time_point first = seen == seen_.end() ? now : seen->second;
    if (now - first > deadline_)
      ::shutdown(static_cast<int>(fd), SHUT_RDWR);
    else
      still.emplace(key, first);
  }
  closedir(dir);
  seen_ = std::move(still);
}

}  // namespace glouton::board
