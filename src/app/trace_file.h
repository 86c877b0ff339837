// `glouton --trace FILE`: the simulator's trace lines for the real window,
// each with the real time its handler started; written out once per wake.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "game/session.h"

namespace glouton::app {

class TraceFile {
 public:
  // Null with `error` set when the file cannot be made.
  static std::unique_ptr<TraceFile> create(const std::string& path, std::string& error);
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  void add(const Form1& form, const EventRecord& record, std::int64_t wall);
  // Writes the lines added since the last flush; a failure is told once on standard error.
  void flush();

 private:
  TraceFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}

  std::FILE* file_;
  std::string path_;
  std::string pending_;
  bool failed_ = false;
};

}  // namespace glouton::app
