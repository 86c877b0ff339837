#include "board/server.h"

#include <httplib.h>
#include <signal.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <nlohmann/json.hpp>
#include <thread>

#include "board/limits.h"
#include "board/submission.h"

namespace glouton::board {

namespace {

using Clock = std::chrono::steady_clock;
using nlohmann::json;

// A body over the limit is still read, and dropped, up to this much, so
// that the client is sure to get its 413 rather than a reset connection.
constexpr std::size_t drained_limit = 128u << 20;
constexpr int board_limit_max = 100;

std::int64_t unix_now() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::string iso_time(std::int64_t at) {
  const std::time_t t = static_cast<std::time_t>(at);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

void reply(httplib::Response& res, int status, const json& body) {
  res.status = status;
  res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

void refuse(httplib::Response& res, const Refusal& r) {
  reply(res, r.status, {{"error", r.code}, {"reason", r.reason}});
}

json entry_json(const Entry& e) {
  return {{"id", e.id},           {"rank", e.rank},     {"name", e.name},
          {"score", e.score},     {"levels", e.levels}, {"length_ms", e.length_ms},
          {"at", iso_time(e.at)}, {"hash", e.hash}};
}

// The code and reason of an error the library found itself, or of a route
// that answers no more than its status.
Refusal refusal_for(int status) {
  switch (status) {
    case 404:
      return {404, "not_found", "no such run or page"};
    case 405:
      return {405, "bad_method", "this address takes no such method"};
    case 408:
      return {408, "too_slow", "the request took too long to arrive"};
    case 413:
      return {413, "too_big", "the body is over " + std::to_string(body_limit >> 20) + " MiB"};
    case 414:
      return {414, "too_big", "the address is too long"};
    case 503:
      return {503, "unavailable", "the board cannot reach its store; try again later"};
    default:
      if (status >= 500) return {status, "internal", "the board failed to answer"};
      return {status, "bad_request", "the request is not well-formed HTTP"};
  }
}

std::uint64_t declared_length(const httplib::Request& req) {
  return std::strtoull(req.get_header_value("Content-Length").c_str(), nullptr, 10);
}

std::optional<std::int64_t> parse_id(const std::string& text) {
  std::int64_t id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (ec != std::errc() || end != text.data() + text.size() || id <= 0) return std::nullopt;
  return id;
}

class Board {
 public:
  Board(const ServerOptions& o, Store& store)
      : options_(o), store_(store), rate_(o.rate), verifying_(o.verifications) {}

  void routes(httplib::Server& svr) {
    svr.Post("/api/v1/runs",
             [this](const httplib::Request& req, httplib::Response& res,
                    const httplib::ContentReader& reader) { submit(req, res, reader); });
    svr.Get("/api/v1/board",
            [this](const httplib::Request& req, httplib::Response& res) { board(req, res); });
    svr.Get(R"(/api/v1/runs/([0-9]{1,18}))",
            [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<std::int64_t> id = parse_id(req.matches[1]);
              const std::optional<Entry> e = id ? store_.find(*id) : std::nullopt;
              if (e)
                reply(res, 200, entry_json(*e));
              else
                res.status = 404;
            });
    svr.Get(R"(/api/v1/runs/([0-9]{1,18})/replay)",
            [this](const httplib::Request& req, httplib::Response& res) {
              const std::optional<std::int64_t> id = parse_id(req.matches[1]);
              const std::optional<std::string> text = id ? store_.replay(*id) : std::nullopt;
              if (text)
                res.set_content(*text, "text/plain; charset=utf-8");
              else
                res.status = 404;
            });
    svr.Options(R"(/api/v1/.*)",
                [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
    svr.set_post_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
      cors(req, res);
      freshness(req, res);
    });
    svr.set_expect_100_continue_handler(
        [this](const httplib::Request& req, httplib::Response& res) {
          if (declared_length(req) <= body_limit) return 100;
          // Refused before its body is sent, and counted all the same.
          if (!rate_.take(client(req), Clock::now())) return too_many(res), 429;
          close_after(res, refusal_for(413));
          return 413;
        });
    svr.set_error_handler([](const httplib::Request&, httplib::Response& res) {
      if (!res.body.empty()) return;
      refuse(res, refusal_for(res.status));
      // What follows a request the library could not read is not a request.
      if (res.status == 400) res.set_header("Connection", "close");
    });
    svr.set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr e) {
          try {
            std::rethrow_exception(e);
          } catch (const StoreUnavailable& unavailable) {
            std::fprintf(stderr, "glouton-board: %s\n", unavailable.what());
            refuse(res, refusal_for(503));
          } catch (...) {
            refuse(res, refusal_for(500));
          }
        });
  }

 private:
  // The client's address: the connection's, or behind the trusted proxy the
  // last one it added to X-Forwarded-For.
  std::string client(const httplib::Request& req) const {
    if (options_.trust_proxy.empty() || req.remote_addr != options_.trust_proxy ||
        !req.has_header("X-Forwarded-For"))
      return req.remote_addr;
    std::string forwarded = req.get_header_value("X-Forwarded-For");
    forwarded = forwarded.substr(forwarded.rfind(',') + 1);
    const auto first = forwarded.find_first_not_of(" \t");
    const auto last = forwarded.find_last_not_of(" \t");
    return first == std::string::npos ? req.remote_addr : forwarded.substr(first, last - first + 1);
  }

  void cors(const httplib::Request& req, httplib::Response& res) const {
    const std::string origin = req.get_header_value("Origin");
    for (const std::string& allowed : options_.allow_origins)
      if (origin == allowed) {
        res.set_header("Access-Control-Allow-Origin", origin);
        res.set_header("Access-Control-Allow-Methods", "GET, POST, OPTIONS");
        res.set_header("Access-Control-Allow-Headers", "Content-Type");
        res.set_header("Access-Control-Max-Age", "600");
      }
    if (!options_.allow_origins.empty()) res.set_header("Vary", "Origin");
    res.set_header("X-Content-Type-Options", "nosniff");
  }

  // The API's answers are never kept by a cache, the page's worker included;
  // the page itself and its worker are checked anew at each visit, so that an
  // update reaches players (the other files carry the build's name).
  static void freshness(const httplib::Request& req, httplib::Response& res) {
    const std::string_view path = req.path;
    if (path.starts_with("/api/"))
      res.set_header("Cache-Control", "no-store");
    else if (path.ends_with("/") || path.ends_with(".html") || path.ends_with("/sw.js"))
      res.set_header("Cache-Control", "no-cache");
  }

  void submit(const httplib::Request& req, httplib::Response& res,
              const httplib::ContentReader& reader) {
    const Clock::time_point start = Clock::now();
    const std::chrono::seconds deadline(options_.deadline_s);
    // Read (and past the limit, dropped) before any answer: a client that
    // is answered while it still sends would see its connection reset.
    std::string body;
    std::size_t size = 0;
    bool late = false;
    const bool read = reader([&](const char* data, std::size_t length) {
      size += length;
      if (size <= body_limit) body.append(data, length);
      late = Clock::now() - start > deadline;
      return !late && size <= drained_limit;
    });
    if (!rate_.take(client(req), start)) return too_many(res);
    if (late) return close_after(res, refusal_for(408));
    // A declared Content-Length over the limit was read and dropped by the
    // library itself (set_payload_max_length), with no call to the receiver.
    const bool too_big = size > body_limit || declared_length(req) > body_limit;
    if (too_big) return close_after(res, refusal_for(413));
    if (!read) return close_after(res, refusal_for(400));

    if (!verifying_.take(std::chrono::seconds(5))) {
      res.set_header("Retry-After", "5");
      return refuse(res, {503, "busy", "the board is verifying many runs; try again shortly"});
    }
    std::variant<VerifiedRun, Refusal> verified;
    try {
      verified = verify_submission(body);
    } catch (...) {
      verifying_.give_back();
      throw;
    }
    verifying_.give_back();
    if (const auto* refusal = std::get_if<Refusal>(&verified)) return refuse(res, *refusal);
    const Added added = store_.add(std::get<VerifiedRun>(verified), unix_now());
    reply(res, added.created ? 201 : 200,
          {{"id", added.entry.id}, {"rank", added.entry.rank}, {"score", added.entry.score}});
  }

  static void close_after(httplib::Response& res, const Refusal& r) {
    refuse(res, r);
    res.set_header("Connection", "close");
  }

  void too_many(httplib::Response& res) const {
    res.set_header("Retry-After", "60");
    close_after(res, {429, "too_many",
                      "more than " + std::to_string(options_.rate) +
                          " submissions in a minute from one address; try again later"});
  }

  void board(const httplib::Request& req, httplib::Response& res) {
    const std::string period = req.has_param("period") ? req.get_param_value("period") : "all";
    if (period != "all" && period != "week")
      return refuse(res, {400, "bad_request", "period is 'all' or 'week'"});
    int limit = 25;
    if (req.has_param("limit")) {
      const std::string text = req.get_param_value("limit");
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), limit);
      if (ec != std::errc() || end != text.data() + text.size() || limit < 1 ||
          limit > board_limit_max)
        return refuse(res,
                      {400, "bad_request",
                       "limit is a whole number from 1 to " + std::to_string(board_limit_max)});
    }
    const std::int64_t since = period == "week" ? unix_now() - 7 * 24 * 3600 : 0;
    json runs = json::array();
    for (const Entry& e : store_.best(since, limit)) runs.push_back(entry_json(e));
    reply(res, 200, {{"runs", std::move(runs)}});
  }

  const ServerOptions& options_;
  Store& store_;
  RateLimit rate_;
  Slots verifying_;
};

}  // namespace

int serve(const ServerOptions& options, Store& store) {
  // SIGINT and SIGTERM are taken by one thread, which stops the server.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  httplib::Server svr;
  svr.new_task_queue = [&options] {
    const auto n = static_cast<std::size_t>(options.connections);
    return new BoundedPool(n, n);
  };
  svr.set_read_timeout(5);
  svr.set_write_timeout(5);
  svr.set_keep_alive_max_count(20);
  svr.set_keep_alive_timeout(5);
  // An answer goes out in more than one write: with Nagle's algorithm the
  // last waits for the client's delayed ACK, 40 ms on a kept-alive connection.
  svr.set_tcp_nodelay(true);
  svr.set_payload_max_length(body_limit);
  Board board(options, store);
  board.routes(svr);
  // The page's own types, as `make web-serve` sends them.
  for (const auto& [extension, type] : {std::pair{"html", "text/html; charset=utf-8"},
                                        {"data", "application/octet-stream"},
                                        {"webmanifest", "application/manifest+json"},
                                        {"ogg", "audio/ogg"}})
    svr.set_file_extension_and_mimetype_mapping(extension, type);
  if (!options.site.empty() && !svr.set_mount_point("/", options.site)) {
    std::fprintf(stderr, "glouton-board: cannot serve the folder %s\n", options.site.c_str());
    return 2;
  }
  const int port = options.port == 0
                       ? svr.bind_to_any_port(options.address)
                       : (svr.bind_to_port(options.address, options.port) ? options.port : -1);
  if (port <= 0) {
    std::fprintf(stderr, "glouton-board: cannot listen on %s port %d\n", options.address.c_str(),
                 options.port);
    return 1;
  }
  ConnectionReaper reaper(port, std::chrono::seconds(options.deadline_s));
  std::thread stopper([&svr, stop_signals] {
    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    svr.stop();
  });
  std::printf("glouton-board: serving on http://%s:%d/\n", options.address.c_str(), port);
  std::fflush(stdout);
  const bool served = svr.listen_after_bind();
  // The stopper may still wait if the server stopped on its own.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return served ? 0 : 1;
}

}  // namespace glouton::board
