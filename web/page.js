// The page's own script (web/index.html loads it first, before replay.js
// and glouton.js): the strip's buttons, the end card, the game's hooks
// (Module) and the build's name the page asks for its files with. No script
// is inline in the page, so that its Content-Security-Policy forbids them all.
'use strict';
// Every word the page's scripts show, in French as the game's own texts are,
// in one place: replay.js, records.js and board.js read it too. `{n}`-style
// holes are filled by wording(). The labels written in index.html (the
// strip's and the end card's buttons, "Chargement…") stay in its markup.
const words = {
  sound: 'Son',
  soundOff: 'Son coupé',
  keys: 'M : son · Alt+Entrée : plein écran · Échap : quitter',
  stopped: 'Le jeu s’est arrêté : {what}',
  // The hint of the controls (#hint), by the device's pointer.
  hint: {
    touch: ['Glissez pour diriger', 'Touchez pour arrêter'],
    keys: ['Flèches : diriger', 'Espace : arrêter'],
  },
  // The viewer (replay.js): where it stands, then its controls.
  viewer: 'Revoir {where}',
  paused: ' (pause)',
  viewerHelp: {
    keys: '→ ← vitesse · Espace : pause · 1-9, Début, Fin : aller',
    touch: '« » vitesse · ❚❚ pause · la barre : aller',
  },
  // The viewer's buttons (replay.js), as read aloud and in their tooltips.
  viewerButtons: { slower: 'Plus lent', pause: 'Pause', play: 'Reprendre', faster: 'Plus vite' },
  // The direction pad and its button in the strip.
  pad: { toggle: 'Croix', toggleTitle: 'La croix de direction à l’écran', up: 'Haut', left: 'Gauche',
         right: 'Droite', down: 'Bas' },
  loading: 'Le jeu se charge encore : un instant.',
  refused: 'Replay refusé : {why}',
  fileTooBig: 'le fichier « {name} » dépasse 16 Mio : pas lu',
  linkTooLong: 'Le lien ferait {n} caractères, trop pour le coller ({limit} au plus) : voici le fichier à partager.',
  linkCopied: 'Lien copié ({n} caractères) : il fait revoir cette partie.',
  copyLink: 'Copiez ce lien ({n} caractères) : {link}',
  // The game's reader's reasons for a replay refused (src/program/replay.cpp,
  // replay_link.cpp), with the line it stopped at.
  replay: {
    empty_file: 'le fichier est vide',
    too_big: 'le replay dépasse 16 Mio',
    not_replay: 'ce n’est pas un replay',
    newer_format: 'le replay vient d’une version plus récente du jeu',
    no_line_end: 'ligne {n} : la ligne est coupée',
    empty_line: 'ligne {n} : ligne vide',
    after_program_end: 'ligne {n} : le jeu était déjà fini',
    text_after_load: 'ligne {n} : texte inattendu après « load »',
    window_open: 'ligne {n} : une partie est déjà ouverte',
    no_window: 'ligne {n} : aucune partie ouverte',
    bad_time: 'ligne {n} : temps illisible',
    time_backwards: 'ligne {n} : le temps recule',
    after_window_end: 'ligne {n} : une action après la fin de la partie',
    bad_input: 'ligne {n} : action inconnue',
    no_key_code: 'ligne {n} : touche sans code',
    bad_key: 'ligne {n} : touche inconnue',
    no_game: 'aucune partie dedans',
    not_link: 'ce n’est pas un lien de replay',
    link_empty: 'le lien ne contient aucun replay',
    link_too_long: 'le lien est trop long pour un replay',
    link_cut: 'le lien est coupé',
    link_altered: 'le lien est abîmé',
    link_too_big: 'le replay du lien dépasse 16 Mio',
    no_memory: 'pas assez de mémoire pour lire le lien',
    other: 'le jeu ne peut pas le lire ({why})',
  },
  // The board's reason codes (web/board.js); its English reason is not shown.
  board: {
    bad_name: 'ce nom est refusé : de 1 à 20 caractères, sans caractère de contrôle',
    bad_replay: 'le jeu refuse ce replay',
    too_big: 'la partie est trop grosse pour le tableau',
    too_long: 'la partie dure plus de 12 heures',
    too_many: 'trop d’envois en peu de temps : réessayez dans une minute',
    too_slow: 'l’envoi a pris trop de temps',
    busy: 'le tableau est occupé : réessayez dans un instant',
    unavailable: 'le tableau est indisponible : réessayez plus tard',
    not_found: 'cette partie n’est pas sur le tableau',
    other: 'le tableau a refusé la demande',
  },
  waitingOne: 'Une partie attend d’être publiée : voyez « Records ».',
  waitingMany: '{n} parties attendent d’être publiées : voyez « Records ».',
  published: 'Publiée : rang {rank}.',
  refusedRun: 'Refusée : {why}.',
  unreachable: 'Le tableau est injoignable pour l’instant : la partie attend dans vos records.',
  sending: 'Envoi…',
  point: '{n} point',
  points: '{n} points',
  levels: '{n} niv.',
  sentRank: 'publiée, rang {rank}',
  waiting: 'pas encore envoyée',
  watch: 'Revoir',
  publish: 'Publier',
  noRecords: 'Aucun record encore : jouez une partie.',
  boardLoading: 'Chargement…',
  boardDown: 'Tableau indisponible : {why}.',
  boardEmpty: 'Personne encore sur ce tableau.',
  offline: 'Hors ligne : le tableau est injoignable pour l’instant. Vos records restent ici.',
  watchFailed: 'Revoir impossible : {why}.',
  watchOffline: 'Hors ligne : cette partie ne peut pas être chargée.',
};
// `text` with each `{name}` hole filled from `holes`.
const wording = (text, holes = {}) => text.replace(/\{(\w+)\}/g, (hole, name) => (name in holes ? holes[name] : hole));

const canvas = document.getElementById('canvas');
const status = document.getElementById('status');
const end = document.getElementById('end');
const soundButton = document.getElementById('sound');
const quitButton = document.getElementById('quit');
const tracing = new URLSearchParams(location.search).has('trace');
canvas.addEventListener('contextmenu', (e) => e.preventDefault());
// A finger, not a mouse, is the device's main pointer: the words and the hint for a touch screen.
const touchScreen = matchMedia('(pointer: coarse)').matches;
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
  soundButton.textContent = on ? words.sound : words.soundOff;
}
function press(code) {
  if (Module._glouton_press) Module._glouton_press(code);
  canvas.focus();
}
soundButton.addEventListener('click', () => {
  press(77);  // handled at once
  showSound();
});
quitButton.addEventListener('click', () => press(27));
// After the game's own listener of the canvas, which comes after this one.
canvas.addEventListener('keydown', (e) => { if (e.key === 'm' || e.key === 'M') setTimeout(showSound, 0); });

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

// The hint of the controls: the gestures on a touch screen, the keys on a
// keyboard, each with a small drawing, in the room the game leaves (under it
// or beside it, never over its pixels), else in the strip. It shows before
// the first game, and goes at the player's first turn (Module.gloutonTurned);
// once a turn was made, it shows again only when asked for ("?").
const hint = document.getElementById('hint');
const room = document.getElementById('room');
const helpButton = document.getElementById('help');
const kind = touchScreen ? 'touch' : 'keys';
hint.classList.add(kind);
hint.querySelectorAll(`figure.${kind} figcaption`).forEach((caption, i) => { caption.textContent = words.hint[kind][i]; });
const hintSeen = 'gloutonHintSeen';
function remembered(keep = false) {
  try {
    if (keep) localStorage.setItem(hintSeen, '1');
    return !!localStorage.getItem(hintSeen);
  } catch {
    return keep;  // no storage: the hint shows at every visit, until a turn
  }
}

// The game's picture on the page: the canvas's box, or where the canvas fills
// the room, the picture's centred in it (src/web/canvas.cpp).
function gameBox() {
  const box = canvas.getBoundingClientRect();
  const picture = Module.gloutonPicture;
  if (canvas.style.width || !picture) return box;
  const scale = Math.min(box.width / picture.width, box.height / picture.height);
  const left = box.left + (box.width - picture.width * scale) / 2;
  const top = box.top + (box.height - picture.height * scale) / 2;
  return { left, top, right: box.right - (left - box.left), bottom: box.bottom - (top - box.top) };
}

// Under the game where it leaves 100 px, beside it where it leaves 130,
// else in the strip, in the status's place. Upright on a touch screen the
// game's room has the maze's shape: the room under the strip has the hint.
const spare = document.getElementById('spare');
const upright = matchMedia('(pointer: coarse) and (orientation: portrait)');
function placeHint() {
  if (hint.hidden) return;
  if (upright.matches) {
    hint.className = `${kind} spare`;
    Object.assign(hint.style, { left: '', top: '', width: '', height: '' });
    if (hint.parentNode !== spare) spare.prepend(hint);
    return;
  }
  const r = room.getBoundingClientRect();
  const game = gameBox();
  const below = Math.floor(r.bottom - game.bottom), beside = Math.floor(r.right - game.right);
  const band = below >= 100 ? ['row', 0, Math.ceil(game.bottom - r.top), r.width, below]
    : beside >= 130 ? ['column', Math.ceil(game.right - r.left), 0, beside, r.height] : null;
  hint.className = `${kind} ${band ? 'band ' + band[0] : 'inline'}`;
  const [left, top, width, height] = band ? band.slice(1).map((v) => `${v}px`) : ['', '', '', ''];
  Object.assign(hint.style, { left, top, width, height });
  if (band && hint.parentNode !== room) room.append(hint);
  if (!band && hint.nextSibling !== status) status.before(hint);
}
const hintPlacer = new ResizeObserver(placeHint);
hintPlacer.observe(room);
hintPlacer.observe(canvas);

function showHint(asked = false) {
  if (!asked && remembered()) return;
  hint.hidden = false;
  helpButton.setAttribute('aria-pressed', 'true');
  placeHint();
}
function hideHint() {
  hint.hidden = true;
  helpButton.setAttribute('aria-pressed', 'false');
}
helpButton.addEventListener('click', () => {
  if (hint.hidden) showHint(true);
  else hideHint();
  canvas.focus();
});

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
    afterPaint(showHint);  // laid out by itself, once the title is on the screen
    status.textContent = touchScreen ? '' : words.keys;
    quitButton.disabled = true;
    showSound();
    canvas.focus({ preventScroll: true });
  },
  gloutonGameShown: () => {
    quitButton.disabled = false;
    placeHint();  // the game window's size, not the title's
    afterPaint();  // a page opened on a replay's link shows no title first
  },
  // An arrow key reached the game, pressed or swiped: the player knows how to steer.
  gloutonTurned: () => {
    remembered(true);
    hideHint();
  },
  gloutonEnded: () => {
    hideHint();  // the end card has the room
    canvas.style.visibility = 'hidden';
    end.style.display = 'flex';
    quitButton.disabled = true;
    document.getElementById('again').focus();
  },
  onAbort: (what) => {
    status.textContent = wording(words.stopped, { what });
    startAgain();
  },
  // glouton.wasm of this page's build, never another's.
  locateFile: (path, prefix) => (prefix || '') + path + asked,
};

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
// first frame is painted: it does not compete with the files that frame needs.
let registered = false;
function registerWorker() {
  if (registered || !('serviceWorker' in navigator) || !window.isSecureContext) return;
  registered = true;
  navigator.serviceWorker.register('sw.js').catch((e) => console.warn('no service worker:', e.message));
}

// The records and the board (web/records.js, web/board.js) come after the
// first frame is painted: it waits for neither, nor for their files.
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
padToggle.textContent = words.pad.toggle;
padToggle.title = words.pad.toggleTitle;
for (const [where, arrow] of Object.entries(padArrows)) {
  const button = document.getElementById(`pad-${where}`);
  button.textContent = arrow;
  button.setAttribute('aria-label', words.pad[where]);
  // As the finger touches: a turn is wanted now, not as it lifts.
  button.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    press(Number(button.dataset.key));
  });
}
function padWanted(flip = false) {
  try {
    if (flip) localStorage.setItem('gloutonPad', padWanted() ? 'off' : 'on');
    return localStorage.getItem('gloutonPad') === 'on';
  } catch {
    return flip === pad.hidden;  // no storage: the pad as this visit left it, or flipped
  }
}
function padOffered() {
  if (!touchScreen) return false;
  if (innerHeight >= innerWidth) return true;
  // The game, 644 x 448 at most, fitted beside the pad's column (three
  // 44-pixel buttons, their gaps and margins: 156) and without it.
  const box = room.getBoundingClientRect();
  const padWidth = pad.hidden ? 156 : pad.getBoundingClientRect().width;
  const width = pad.hidden ? box.width : box.width + padWidth;
  const fit = (w) => Math.min(w / 644, box.height / 448);
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
  padWanted(true);
  showPad();
  canvas.focus();
});
window.addEventListener('resize', showPad);
showPad();

// What waits for the first frame to be painted (the timeout after the next
// animation frame), not only drawn: `then`, the worker, and the records' and
// the board's scripts.
function afterPaint(then = () => {}) {
  requestAnimationFrame(() => setTimeout(() => {
    then();
    registerWorker();
    loadAfterFirstFrame();
  }, 0));
}
