// The board's HTTP side: the JSON API on cpp-httplib, and the page's files
// from the same origin.
#pragma once

#include <string>
#include <vector>

#include "board/store.h"

namespace glouton::board {

struct ServerOptions {
  std::string address = "127.0.0.1";
  int port = 8000;
  std::string site;         // the page's folder, or empty
  int rate = 6;             // submissions a minute from one address
  std::string trust_proxy;  // the proxy whose X-Forwarded-For is believed
  std::vector<std::string> allow_origins;
  int connections = 64;   // served at once; as many more wait accepted
  int verifications = 2;  // replays played at once; more are told to retry
  int deadline_s = 30;    // the longest a connection lasts, whatever it sends
};

// Serves until SIGINT or SIGTERM; returns the process's exit status.
int serve(const ServerOptions& options, Store& store);

}  // namespace glouton::board
