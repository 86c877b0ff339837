#include "web/web_audio.h"

#include <emscripten.h>

#include "program/text_fields.h"
#include "sound/cues.h"

namespace glouton::web {

// clang-format off
// Module.gloutonAudio: the context, its master gain, the decoded cues by
// name and the music, fetched with the page's build's name as its other files.
EM_JS(void, audio_start, (), {
  if (Module['gloutonAudio']) return;
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return console.warn('no Web Audio: the game is silent');
  const context = Module['gloutonAudio'] = new Context();
  const a = Module['gloutonSound'] = {gain: context.createGain(), cues: {}, music: null, wanted: false, playing: null, cue: null};
  a.gain.connect(context.destination);
  const build = (document.querySelector('meta[name="glouton-build"]') || {}).content;
  const fetchSound = (name) => fetch(name + (build ? "?build=" + build : ""))
    .then((r) => r.ok ? r.arrayBuffer() : Promise.reject(new Error('HTTP ' + r.status)))
    .then((body) => new Promise((ok, no) => context.decodeAudioData(body, ok, no)))
    .catch((e) => { console.warn('sound ' + name + ' could not be read: ' + (e && e.message)); return null; });
  Module['gloutonFetchCue'] = (name) => fetchSound(name + '.mp3').then((b) => { if (b) a.cues[name] = b; });
  fetchSound('musique-bis.mp3').then((b) => {
    a.music = b;
    if (b && a.wanted) Module['gloutonPlayMusic']();
  });
  Module['gloutonPlayMusic'] = () => {
    if (a.playing) a.playing.stop();
    a.playing = null;
    if (!a.music) return;
    const source = context.createBufferSource();
    source.buffer = a.music;
    source.connect(a.gain);
    source.start();
    a.playing = source;
  };
});
// The cue's length in ms, or -1 when it does not play (not read yet, the
// sound held back); it cuts the cue playing short.
EM_JS(double, cue_play, (const char* name), {
  const a = Module['gloutonSound'];
  if (!a) return -1;
  if (a.cue) a.cue.stop();
  a.cue = null;
  const buffer = a.cues[UTF8ToString(name)];
  const context = Module['gloutonAudio'];
  if (!buffer || context.state !== 'running') return -1;
  const source = context.createBufferSource();
  source.buffer = buffer;
  source.connect(a.gain);
  source.start();
  a.cue = source;
  return buffer.duration * 1000;
});
EM_JS(void, cue_fetch, (const char* name), {
  if (Module['gloutonFetchCue']) Module['gloutonFetchCue'](UTF8ToString(name));
});
EM_JS(void, cue_stop, (), {
  const a = Module['gloutonSound'];
  if (a && a.cue) a.cue.stop();
  if (a) a.cue = null;
});
// The pellet's beep: 60 ms of 880 Hz at a fifth of full scale, faded in and out over 5 ms.
EM_JS(void, beep_play, (), {
  const context = Module['gloutonAudio'];
  const a = Module['gloutonSound'];
  if (!context || context.state !== 'running') return;
  const tone = context.createOscillator();
  const level = context.createGain();
  const t = context.currentTime;
  tone.frequency.value = 880;
  level.gain.setValueAtTime(0, t);
  level.gain.linearRampToValueAtTime(0.2, t + 0.005);
  level.gain.setValueAtTime(0.2, t + 0.055);
  level.gain.linearRampToValueAtTime(0, t + 0.06);
  tone.connect(level).connect(a.gain);
  tone.start(t);
  tone.stop(t + 0.06);
});
EM_JS(void, music_want, (int wanted), {
  const a = Module['gloutonSound'];
  if (!a) return;
  a.wanted = wanted !== 0;
  if (wanted) Module['gloutonPlayMusic']();
  else if (a.playing) { a.playing.stop(); a.playing = null; }
});
EM_JS(void, set_volume, (double v), {
  const a = Module['gloutonSound'];
  if (a) a.gain.gain.value = v;
});
// clang-format on

namespace {

bool muted_ = false;
bool music_wanted = false;  // asked before the context was made: started with it
// How long to look again when a held sound outlasts its expected end.
constexpr double recheck_ms = 5;

// "gloutonone/bloop.wav " as the page's file: "bloop".
std::string cue_name(const std::string& file) {
  std::string name = trim_trailing_blanks(file);
  name = name.substr(name.rfind('/') + 1);
  return name.substr(0, name.rfind('.'));
}

}  // namespace

void start_audio() {
  audio_start();
  for (const CueSound& cue : cue_sounds)
    if (!cue.file.empty()) cue_fetch(cue_name(std::string(cue.file)).c_str());
  set_volume(muted_ ? 0 : 1);
  if (music_wanted) music_want(1);
}

void toggle_mute() {
  muted_ = !muted_;
  set_volume(muted_ ? 0 : 1);
}

bool muted() {
  return muted_;
}

void WebSound::close() {
  opened_ = false;
  order_.clear();
  cue_stop();
}

void WebSound::beep() {
  if (opened_) beep_play();
}

void WebSound::play(const std::string& file, bool hold) {
  if (!opened_) return;
  const double now = emscripten_get_now();
  update(now);
  if (std::optional<FileRequest> next = order_.ask({file, hold})) start(std::move(*next), now);
}

void WebSound::start(FileRequest request, double now) {
  std::optional<FileRequest> next = std::move(request);
  while (next) {
    const double length = cue_play(cue_name(next->file).c_str());
    if (length >= 0) {
      if (next->hold) held_end_ = now + length;
      return;
    }
    // A sound that cannot play still ends the one before it, as it would have.
    if (!next->hold) return;
    next = order_.held_ended();
  }
}

void WebSound::update(double now) {
  if (!order_.holding() || now < held_end_) return;
  if (std::optional<FileRequest> next = order_.held_ended()) start(std::move(*next), now);
}

std::optional<double> WebSound::wake_at(double now) const {
  if (!order_.waiting()) return std::nullopt;
  return held_end_ > now ? held_end_ : now + recheck_ms;
}

void WebMusic::play(std::string_view) {
  music_wanted = true;
  music_want(1);
}

void WebMusic::stop() {
  music_wanted = false;
  music_want(0);
}

}  // namespace glouton::web
