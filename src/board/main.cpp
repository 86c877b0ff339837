// glouton-board: the high-score server that plays every run again before it
// ranks it, and its moderation commands.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "board/server.h"
#include "board/sqlite_store.h"
#include "board/store.h"

namespace {

constexpr const char* usage =
    "usage: glouton-board [--address A] [--port N] [--db URL] [--site DIR] [--rate N]\n"
    "                     [--trust-proxy ADDR] [--allow-origin ORIGIN]... [--deadline S]\n"
    "       glouton-board list [--db URL]\n"
    "       glouton-board remove ID [--db URL]\n"
    "Serves the high-score board: every run is played again before it is ranked.\n"
    "  --address A        address to listen on (default 127.0.0.1)\n"
    "  --port N           port to listen on (default 8000; 0: any free port)\n"
    "  --db URL           sqlite:PATH or postgresql://... (default\n"
    "                     sqlite:$XDG_DATA_HOME/glouton/board.sqlite)\n"
    "  --site DIR         serve the page's files from DIR as well\n"
    "  --rate N           submissions a minute taken from one address (default 6)\n"
    "  --trust-proxy ADDR take the client's address from X-Forwarded-For when\n"
    "                     the request comes from ADDR (a reverse proxy)\n"
    "  --allow-origin O   send CORS headers to a page served from origin O\n"
    "  --deadline S       the longest a connection lasts, in seconds (default 30)\n"
    "  list               print the board, best first\n"
    "  remove ID          take the run ID off the board\n"
    "  --help, --version\n";

int bad(const std::string& why) {
  std::fprintf(stderr, "glouton-board: %s\n", why.c_str());
  return 2;
}

bool parse_int(const std::string& text, long long low, long long high, long long& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace glouton::board;
  const std::vector<std::string> args(argv + 1, argv + argc);
  ServerOptions options;
  std::string db = "sqlite:" + default_sqlite_path();
  std::string command;
  long long id = 0;
  bool served = false;  // an option that only serving takes
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help") {
      std::fputs(usage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("glouton-board " GLOUTON_VERSION);
      return 0;
    }
    if ((arg == "list" || arg == "remove") && command.empty()) {
      command = arg;
      if (arg == "remove" && !(i + 1 < args.size() && parse_int(args[++i], 1, INT64_MAX, id)))
        return bad("remove takes a run's id");
      continue;
    }
    if (arg.rfind("--", 0) != 0 || i + 1 >= args.size())
      return bad("unknown argument '" + arg + "' (see --help)");
    const std::string& value = args[++i];
    long long number = 0;
    served = served || arg != "--db";
    if (arg == "--db") {
      db = value;
    } else if (arg == "--address") {
      options.address = value;
    } else if (arg == "--port") {
      if (!parse_int(value, 0, 65535, number)) return bad("--port takes 0 to 65535");
      options.port = static_cast<int>(number);
    } else if (arg == "--site") {
      options.site = value;
    } else if (arg == "--rate") {
      if (!parse_int(value, 1, 1000000, number)) return bad("--rate takes a whole number from 1");
      options.rate = static_cast<int>(number);
    } else if (arg == "--trust-proxy") {
      options.trust_proxy = value;
    } else if (arg == "--deadline") {
      if (!parse_int(value, 1, 3600, number)) return bad("--deadline takes 1 to 3600 seconds");
      options.deadline_s = static_cast<int>(number);
    } else if (arg == "--allow-origin") {
      options.allow_origins.push_back(value);
    } else {
      return bad("unknown option '" + arg + "' (see --help)");
    }
  }

  if (!command.empty() && served)
    return bad(command + " takes only --db; the other options are for serving");
  try {
    const std::unique_ptr<Store> store = open_store(db);
    store->migrate();
    if (command == "list") {
      for (const Entry& e : store->best(0, INT32_MAX))
        std::printf("%lld\t%lld\t%d\t%d\t%lld\t%s\t%s\n", static_cast<long long>(e.rank),
                    static_cast<long long>(e.id), static_cast<int>(e.score), e.levels,
                    static_cast<long long>(e.length_ms), e.hash.c_str(), e.name.c_str());
      return 0;
    }
    if (command == "remove") {
      if (store->remove(id)) return 0;
      std::fprintf(stderr, "glouton-board: no run %lld on the board\n", id);
      return 1;
    }
    options.verifications = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    return serve(options, *store);
  } catch (const std::invalid_argument& e) {
    return bad(e.what());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "glouton-board: %s\n", e.what());
    return 1;
  }
}
