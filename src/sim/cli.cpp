#include "sim/cli.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>

#include "program/replay_link.h"
#include "program/text_fields.h"
#include "sim/png_file.h"
#include "sim/simulation.h"
#include "sim/summary.h"

#ifndef GLOUTON_VERSION
#define GLOUTON_VERSION "0"
#endif

namespace glouton {

namespace {

constexpr const char* usage =
    "usage: glouton-sim [--keys FILE] [--until MS] [--paints] [--quiet] [--trace FILE]\n"
    "                   [--record FILE] [--snapshot MS PNG]\n"
    "       glouton-sim --replay FILE [--paints] [--quiet] [--trace FILE] [--snapshot MS PNG]\n"
    "       glouton-sim --replay FILE --summary\n"
    "Plays the game window on a virtual clock and prints one JSON line per event.\n"
    "  --keys FILE   key script, one 'MS KEY' per line ('-' reads standard input)\n"
    "  --replay FILE a replay written by 'glouton --record', a share link to one (the\n"
    "                page's address with '#replay='), or a file holding a link;\n"
    "                played to its end\n"
    "  --summary     print only one line: score, best, levels, lives, time, keys, hash\n"
    "  --record FILE write the run as a replay ('glouton --replay FILE' shows it)\n"
    "  --until MS    last simulated millisecond handled (default 60000)\n"
    "  --paints      list the pictures painted by every event\n"
    "  --quiet       print only the last line\n"
    "  --trace FILE  write the trace to FILE instead of standard output\n"
    "  --snapshot MS PNG  play to MS (instead of --until or the replay's end) and\n"
    "                write the game window's picture then, 644 x 448, to PNG\n"
    "  --help, --version\n";

struct Options {
  std::optional<std::string> keys;
  std::optional<std::string> replay;
  std::optional<std::int64_t> until;
  bool paints = false;
  bool quiet = false;
  bool summary = false;
  std::optional<std::string> trace;
  std::optional<std::string> record;
  std::optional<std::int64_t> snapshot_at;
  std::string snapshot_file;
};

// False when the stream cannot be read to its end (a folder, a read error).
// Reading stops one byte past the longest replay or share link: the reader
// says why the text is refused without holding a file of any size.
bool read_all(std::istream& in, std::string& text) {
  try {
    char block[65536];
    while (text.size() <= replay_file_limit && in.read(block, sizeof block))
      text.append(block, sizeof block);
    if (text.size() <= replay_file_limit) text.append(block, static_cast<std::size_t>(in.gcount()));
  } catch (const std::ios_base::failure&) {
    return false;
  }
  return !in.bad();
}

bool read_file(const std::string& path, std::string& text) {
  // Told here, not by the read: where exceptions are off (WebAssembly), a
  // folder reads as an empty file.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  return read_all(file, text);
}

}  // namespace

int run_sim_cli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
  Options options;
  auto bad = [&](const std::string& why) {
    err << "glouton-sim: " << why << "\n";
    return 2;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
    if (arg == "--help") {
      out << usage;
      return 0;
    } else if (arg == "--version") {
      out << "glouton-sim " GLOUTON_VERSION "\n";
      return 0;
    } else if (arg == "--paints") {
      options.paints = true;
    } else if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--summary") {
      options.summary = true;
    } else if (arg == "--snapshot") {
      const std::string* at = value();
      const std::string* file = at ? value() : nullptr;
      if (!file) return bad("--snapshot needs a time and a file");
      options.snapshot_at = parse_digits(*at, std::numeric_limits<std::int64_t>::max());
      if (!options.snapshot_at)
        return bad("--snapshot takes whole milliseconds, not " + glouton::quoted(*at));
      options.snapshot_file = *file;
    } else if (arg == "--keys" || arg == "--replay" || arg == "--trace" || arg == "--until" ||
               arg == "--record") {
      const std::string* v = value();
      if (!v) return bad(arg + " needs a value");
      if (arg == "--keys") {
        options.keys = *v;
      } else if (arg == "--replay") {
        options.replay = *v;
      } else if (arg == "--trace") {
        options.trace = *v;
      } else if (arg == "--record") {
        options.record = *v;
      } else {
        const auto until = parse_digits(*v, std::numeric_limits<std::int64_t>::max());
        if (!until) return bad("--until takes whole milliseconds, not " + glouton::quoted(*v));
        options.until = *until;
      }
    } else {
      return bad("unknown option " + glouton::quoted(arg) + " (see --help)");
    }
  }

  if (options.replay && (options.keys || options.until))
    return bad("--replay plays the whole replay: no --keys or --until with it");
  if (options.replay && options.record) return bad("--record and --replay do not go together");
  if (options.summary &&
      (!options.replay || options.paints || options.quiet || options.trace || options.snapshot_at))
    return bad("--summary goes with --replay alone");
  if (options.snapshot_at && options.until)
    return bad("--snapshot sets the end: no --until with it");
  // Reads and parses a script or a replay: false after telling why it is bad.
  std::string error;
  auto load = [&](const std::string& path, const char* what, auto parse, auto& result) {
    std::string text;
    std::error_code ec;
    // A share link given as the argument itself, not in a file.
    if (path.find(replay_link_key) != std::string::npos && !std::filesystem::exists(path, ec))
      text = path;
    else if (!(path == "-" ? read_all(in, text) : read_file(path, text))) {
      error =
          "glouton-sim: cannot read the " + std::string(what) + " " + glouton::quoted(path, 400);
      return false;
    }
    result = parse(text);
    error = result.error;
    return error.empty();
  };
  KeyScriptResult script;
  ReplayResult replay;
  if ((options.keys && !load(*options.keys, "key script", parse_key_script, script)) ||
      (options.replay && !load(*options.replay, "replay", read_replay_or_link, replay))) {
    err << error << "\n";
    return 2;
  }

  std::ofstream trace_file;
  if (options.trace) {
    trace_file.open(*options.trace, std::ios::binary | std::ios::trunc);
    if (!trace_file)
      return bad("cannot write the trace to " + glouton::quoted(*options.trace, 400));
  }
  std::ostream& trace = options.trace ? static_cast<std::ostream&>(trace_file) : out;
  std::ofstream record_file;
  std::function<void(std::string_view)> record_line;
  if (options.record) {
    record_file.open(*options.record, std::ios::binary | std::ios::trunc);
    if (!record_file)
      return bad("cannot write the replay to " + glouton::quoted(*options.record, 400));
    record_file << replay_header << '\n';
    record_line = [&record_file](std::string_view l) { record_file << l << '\n'; };
  }

  if (options.summary) {
    out << summary_line(summarize_replay(replay.steps));
    out.flush();
    return out ? 0 : 1;
  }
  std::optional<draw::GamePicture> picture;
  if (options.snapshot_at) picture.emplace();
  Simulation sim(options.paints, record_line, picture ? &*picture : nullptr);
  std::string line;
  // --quiet keeps only the last event; its line is written from the final state.
  std::optional<EventRecord> last;
  std::vector<Paint> last_paints;
  const Simulation::Listener listener = [&](const Form1& f, const EventRecord& record,
                                            std::vector<Paint>&& paints) {
    if (options.quiet) {
      last = record;
      last_paints = std::move(paints);
      return;
    }
    line.clear();
    append_trace_line(line, f, record, options.paints ? &paints : nullptr);
    trace << line;
  };
  if (options.replay)
    sim.replay(replay.steps, listener, options.snapshot_at);
  else
    sim.run(script.events, options.snapshot_at.value_or(options.until.value_or(60000)), listener);
  if (picture) {
    sim.show();
    if (const std::optional<std::string> why =
            write_png(picture->pixels(), options.snapshot_file)) {
      err << "glouton-sim: " << *why << "\n";
      return 1;
    }
  }
  if (record_file.is_open()) {
    record_file.flush();
    if (!record_file) {
      err << "glouton-sim: writing the replay failed\n";
      return 1;
    }
  }
  if (options.quiet && last) {
    line.clear();
    append_trace_line(line, sim.form(), *last, options.paints ? &last_paints : nullptr);
    trace << line;
  }
  trace.flush();
  if (!trace) {
    err << "glouton-sim: writing the trace failed\n";
    return 1;
  }
  return 0;
}

}  // namespace glouton
