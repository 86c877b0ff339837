#include "board/submission.h"

#include <openssl/evp.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "board/names.h"
#include "program/replay.h"
#include "program/replay_link.h"
#include "sim/summary.h"

namespace glouton::board {

namespace {

Refusal bad_request(std::string reason) {
  return {400, "bad_request", std::move(reason)};
}

std::string sha256_hex(std::string_view text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_Digest(text.data(), text.size(), digest, &size, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256 failed");
  std::string hex;
  char pair[3];
  for (unsigned int i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return "sha256:" + hex;
}

struct Replay {
  std::string text;
  std::vector<ReplayStep> steps;
};

// The replay's steps, and its text as the recorder writes it: a run sent as
// text and as a link is one text, and one digest.
std::variant<Replay, Refusal> read_replay(std::string_view replay) {
  std::string text;
  if (replay.substr(0, replay_format.size()) == replay_format) {
    text = replay;
  } else {
    ReplayLinkText link = inflate_replay_link(replay);
    if (!link.error.empty()) return Refusal{422, "bad_replay", std::move(link.error)};
    text = std::move(link.text);
  }
  if (text.size() > body_limit)
    return Refusal{413, "too_big",
                   "the replay is over " + std::to_string(body_limit >> 20) + " MiB: not played"};
  ReplayResult parsed = parse_replay(text);
  if (!parsed.error.empty()) return Refusal{422, "bad_replay", std::move(parsed.error)};
  if (parsed.steps.empty())
    return Refusal{422, "bad_replay", "the replay holds no game: nothing to rank"};
  if (replay_length(parsed.steps) > run_length_limit)
    return Refusal{
        422, "too_long",
        "the run lasts over " + std::to_string(run_length_limit / 3600000) + " hours: not played"};
  return Replay{write_replay(parsed.steps), std::move(parsed.steps)};
}

}  // namespace

std::variant<VerifiedRun, Refusal> verify_submission(std::string_view body) {
  if (body.size() > body_limit)
    return Refusal{413, "too_big", "the body is over " + std::to_string(body_limit >> 20) + " MiB"};
  // Only a flat object is kept: a nested value is dropped as it is read, so
  // that deep nesting costs no memory.
  const nlohmann::json json = nlohmann::json::parse(
      body, [](int depth, nlohmann::json::parse_event_t, nlohmann::json&) { return depth <= 1; },
      false);
  if (json.is_discarded()) return bad_request("the body is not JSON");
  if (!json.is_object()) return bad_request("the body is not a JSON object");
  const auto name = json.find("name");
  const auto replay = json.find("replay");
  if (name == json.end() || !name->is_string())
    return Refusal{400, "bad_name", "the body has no \"name\" string"};
  if (replay == json.end() || !replay->is_string())
    return Refusal{400, "bad_replay", "the body has no \"replay\" string"};

  NameCheck checked = check_name(name->get_ref<const std::string&>());
  if (!checked.error.empty()) return Refusal{400, "bad_name", std::move(checked.error)};
  auto read = read_replay(replay->get_ref<const std::string&>());
  if (auto* refusal = std::get_if<Refusal>(&read)) return std::move(*refusal);
  Replay& played = std::get<Replay>(read);

  VerifiedRun run;
  run.name = std::move(checked.name);
  run.replay = std::move(played.text);
  run.digest = sha256_hex(run.replay);
  const ReplaySummary summary = summarize_replay(played.steps);
  run.score = run_score(summary);
  run.levels = summary.levels;
  run.length_ms = summary.time;
  char hash[32];
  std::snprintf(hash, sizeof hash, "fnv1a64:%016llx",
                static_cast<unsigned long long>(summary.hash));
  run.hash = hash;
  return run;
}

}  // namespace glouton::board
