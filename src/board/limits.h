// What keeps one client or many from wearing the board down, where
// cpp-httplib 0.11 has no limit of its own: submissions per address, runs
// verified at once, connections served at once and how long each may last.
#pragma once

#include <httplib.h>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace glouton::board {

// At most `per_minute` submissions from one address in any 60 seconds,
// counted whether they are taken or refused. Kept in memory, per process.
class RateLimit {
 public:
  explicit RateLimit(int per_minute) : per_minute_(per_minute) {}
  // Counts one submission at `now`; false when it is one too many.
  bool take(const std::string& address, std::chrono::steady_clock::time_point now);

 private:
  int per_minute_;
  std::mutex mutex_;
  std::unordered_map<std::string, std::deque<std::chrono::steady_clock::time_point>> seen_;
  std::chrono::steady_clock::time_point last_sweep_{};
};

// At most `count` holders at once.
class Slots {
 public:
  explicit Slots(int count) : free_(count) {}
  // False when no slot came free within `wait`.
  bool take(std::chrono::milliseconds wait);
  void give_back();

 private:
  std::mutex mutex_;
  std::condition_variable freed_;
  int free_;
};

// cpp-httplib's task queue with bounds: `threads` connections served at
// once and `waiting` more accepted; past that the accepting thread waits,
// and new connections wait in the kernel's backlog instead of in memory.
class BoundedPool final : public httplib::TaskQueue {
 public:
  BoundedPool(std::size_t threads, std::size_t waiting);
  ~BoundedPool() override;
  void enqueue(std::function<void()> fn) override;
  void shutdown() override;

 private:
  std::size_t waiting_;
  std::mutex mutex_;
  std::condition_variable work_, room_;
  std::deque<std::function<void()>> tasks_;
  std::vector<std::thread> threads_;
  bool stopping_ = false;
};

// An overall deadline on every connection to `port`, against slow senders
// that keep each read under the read timeout: once a second, any of this
// process's sockets connected on that port for longer than `deadline` is
// shut down, which ends its reads and writes at once.
class ConnectionReaper {
 public:
  ConnectionReaper(int port, std::chrono::seconds deadline);
  ~ConnectionReaper();

 private:
  void sweep();

  int port_;
  std::chrono::seconds deadline_;
  std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;
  // fd and peer -> first seen
  std::unordered_map<std::string, std::chrono::steady_clock::time_point> seen_;
  std::thread thread_;
};

}  // namespace glouton::board
