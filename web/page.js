// The page's own script (web/index.html loads it first, before replay.js
// and glouton.js): the strip's buttons, the end card, the game's hooks
// (Module) and the build's name the page asks for its files with. No script
// is inline in the page, so that its Content-Security-Policy forbids them all.
'use strict';
const canvas = document.getElementById('canvas');
const status = document.getElementById('status');
const end = document.getElementById('end');
const soundButton = document.getElementById('sound');
const quitButton = document.getElementById('quit');
const tracing = new URLSearchParams(location.search).has('trace');
canvas.addEventListener('contextmenu', (e) => e.preventDefault());
const touchScreen = matchMedia('(pointer: coarse)').matches || navigator.maxTouchPoints > 0;
// The direction pad's words, for the page's table of words.
const padWords = { toggle: 'Croix', toggleTitle: 'La croix de direction à l’écran', up: 'Haut', left: 'Gauche',
                   right: 'Droite', down: 'Bas' };
if (tracing) window.gloutonTrace = [];

function toggleFullscreen() {
  const root = document.documentElement;
  if (document.fullscreenElement || document.webkitFullscreenElement)
    (document.exitFullscreen || document.webkitExitFullscreen).call(document)?.catch?.(() => {});
  else (root.requestFullscreen || root.webkitRequestFullscreen)?.call(root)?.catch?.(() => {});
  canvas.focus();
}
document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);

// "Son" and "Quitter" are the keys M and Escape, pressed for the game (src/web/main.cpp).
function showSound() {
  const on = !!(Module._glouton_sound_on && Module._glouton_sound_on());
  soundButton.setAttribute('aria-pressed', on ? 'true' : 'false');
  soundButton.textContent = on ? 'Son' : 'Son coupé';
}
function press(code) {
  if (Module._glouton_press) Module._glouton_press(code);
  canvas.focus();
}
soundButton.addEventListener('click', () => {
  press(77);
  setTimeout(showSound, 50);  // the game handles it at its next wake, within 10 ms
});
quitButton.addEventListener('click', () => press(27));
canvas.addEventListener('keydown', (e) => { if (e.key === 'm' || e.key === 'M') setTimeout(showSound, 50); });

// F11 and the browser's Ctrl shortcuts stay the browser's: the game never sees them.
for (const type of ['keydown', 'keyup']) {
  window.addEventListener(type, (e) => {
    if (e.key === 'F11' || e.ctrlKey || e.metaKey) e.stopPropagation();
  }, true);
}

// Sound starts at the first gesture. iOS lets audio start only as a touch
// ends, so the touch's end resumes it too.
for (const type of ['touchend', 'click', 'keydown']) {
  document.addEventListener(type, () => {
    const context = Module.gloutonAudio;  // src/web/web_audio.cpp
    if (context && context.state !== 'running') context.resume().catch(() => {});
  }, true);
}

document.getElementById('again').addEventListener('click', () => {
  end.style.display = 'none';
  canvas.style.visibility = 'visible';
  canvas.focus();
  Module._glouton_start();
});

var Module = {
  canvas: canvas,
  gloutonTrace: tracing,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  toggleFullscreen: toggleFullscreen,
  gloutonTitleShown: () => {
    // For the curious and the tests: when each run's title first showed.
    window.gloutonTitleFrames = (window.gloutonTitleFrames || 0) + 1;
    window.gloutonTitleFrameAt = window.gloutonTitleFrameAt || performance.now();
    registerWorker();
    loadAfterFirstFrame();
    status.textContent = touchScreen
      ? 'Glisser : diriger · Toucher : arrêter'
      : 'Flèches : diriger · M : son · Alt+Entrée : plein écran · Échap : quitter';
    quitButton.disabled = true;
    showSound();
    canvas.focus();
  },
  gloutonGameShown: () => {
    quitButton.disabled = false;
    registerWorker();  // a page opened on a replay's link shows no title first
    loadAfterFirstFrame();
  },
  gloutonEnded: () => {
    canvas.style.visibility = 'hidden';
    end.style.display = 'flex';
    quitButton.disabled = true;
    document.getElementById('again').focus();
  },
  onAbort: (what) => {
    status.textContent = 'Le jeu s’est arrêté : ' + what;
    startAgain();
  },
  // glouton.wasm of this page's build, never another's.
  locateFile: (path, prefix) => (prefix || '') + path + asked,
};
canvas.focus();

// Installed and offline: sw.js keeps one build's files in one cache, and
// serves each file of the build the page names (its meta glouton-build).
const build = document.querySelector('meta[name=glouton-build]').content;
const asked = build ? `?build=${build}` : '';
// A file of this build that is gone (a newer build took over as the page
// loaded): the page starts again, as the newer build. Not twice for one build.
function startAgain() {
  if (!build || sessionStorage.getItem('gloutonStartedAgain') === build) return;
  sessionStorage.setItem('gloutonStartedAgain', build);
  location.reload();
}

// A loader of the build's files throws with the address it could not get.
window.addEventListener('error', (e) => { if (asked && String(e.message).includes(asked)) startAgain(); });
// A script of the page that did not load (its error does not bubble: caught
// on its way down).
window.addEventListener('error', (e) => { if (e.target instanceof HTMLScriptElement) startAgain(); }, true);
// The worker, which fetches every file of the build, is registered once the
// first frame shows: it does not compete with the files that frame needs.
let registered = false;
function registerWorker() {
  if (registered || !('serviceWorker' in navigator) || !window.isSecureContext) return;
  registered = true;
  navigator.serviceWorker.register('sw.js').catch((e) => console.warn('no service worker:', e.message));
}

// The records and the board (web/records.js, web/board.js) come after the
// first frame: it waits for neither, nor for their files.
let loaded = false;
function loadAfterFirstFrame() {
  if (loaded) return;
  loaded = true;
  for (const name of ['records.js', 'board.js']) {
    const script = document.createElement('script');
    script.src = name + asked;
    script.async = false;  // in this order
    document.body.append(script);
  }
}

// The direction pad, a touch screen's, off by default and remembered: its
// presses are the arrow keys, as a swipe's are, so traces and replays see
// only keys. Held upright it stands under the strip, at the thumb; sideways
// beside the game, where the game keeps 90 % of its size, else it is not offered.
const pad = document.getElementById('pad');
const padToggle = document.getElementById('pad-toggle');
const padArrows = { up: '▲', left: '◀', right: '▶', down: '▼' };
padToggle.textContent = padWords.toggle;
padToggle.title = padWords.toggleTitle;
for (const [where, arrow] of Object.entries(padArrows)) {
  const button = document.getElementById(`pad-${where}`);
  button.textContent = arrow;
  button.setAttribute('aria-label', padWords[where]);
  // As the finger touches: a turn is wanted now, not as it lifts.
  button.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    press(Number(button.dataset.key));
  });
}
const padWanted = () => localStorage.getItem('gloutonPad') === 'on';
function padOffered() {
  if (!touchScreen) return false;
  if (innerHeight >= innerWidth) return true;
  // The game, 644 x 448 at most, fitted beside the pad's column and without it.
  const room = document.getElementById('room').getBoundingClientRect();
  const padWidth = pad.hidden ? 156 : pad.getBoundingClientRect().width;
  const width = pad.hidden ? room.width : room.width + padWidth;
  const fit = (w) => Math.min(w / 644, room.height / 448);
  return fit(width - padWidth) >= 0.9 * fit(width);
}
function showPad() {
  const offered = padOffered();
  const on = offered && padWanted();
  padToggle.hidden = !offered;
  padToggle.setAttribute('aria-pressed', on ? 'true' : 'false');
  pad.hidden = !on;
  document.body.classList.toggle('with-pad', on);
}
padToggle.addEventListener('click', () => {
  localStorage.setItem('gloutonPad', padWanted() ? 'off' : 'on');
  showPad();
  canvas.focus();
});
window.addEventListener('resize', showPad);
showPad();
// The game's room may change size with no resize of the window (the pad
// sideways): the game is fitted again as for one.
let roomSize = '';
new ResizeObserver(([entry]) => {
  const size = `${entry.contentRect.width}x${entry.contentRect.height}`;
  if (size !== roomSize && roomSize) window.dispatchEvent(new Event('resize'));
  roomSize = size;
}).observe(document.getElementById('room'));
