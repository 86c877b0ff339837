// The page's replays (web/index.html loads it before glouton.js). Every run
// the player plays is recorded by the game (src/web/main.cpp) in
// window.gloutonReplay, one line a string, as `glouton --record` writes it.
// The end card offers it to watch again ("Revoir"), to save as a file
// ("Enregistrer") and to share as a link ("Partager"): the page's address
// with `#replay=` and the replay deflated (raw) in base64url. Such a link is
// read by the game itself (glouton_watch_link), as glouton-sim and glouton
// read one; it, a file dropped on the page or opened with "Ouvrir", plays in
// the game's viewer; while it plays the strip shows where it stands and a bar that
// jumps where it is clicked or dragged. A replay that is not good is refused
// with a message that says why, and the run showing goes on.
'use strict';
(() => {
  // The game's own limit (src/program/replay.h): a file is refused over it
  // before it is read whole. The game refuses a link that would inflate past it.
  const sizeLimit = 16 << 20;
  // The longest link "Partager" copies, about ten minutes of play: longer
  // links are awkward to paste into a message. Longer, the file is offered.
  const linkLimit = 32000;
  const prefix = '#replay=';

  const message = document.getElementById('message');
  const status = document.getElementById('status');
  const seek = document.getElementById('seek');
  const seekDone = document.getElementById('seek-done');
  const canvas = document.getElementById('canvas');
  const chooser = document.getElementById('replay-file');
  const viewer = document.getElementById('viewer');
  const pauseButton = document.getElementById('pause');

  // The replay the end card offers: the run just played, or the one watched.
  let last = null;  // Uint8Array
  let watching = false;
  let captionTimer = 0;
  let ready = false;  // the game's main has run

  class Refused extends Error {}

  // The game's refusal, "REASON:LINE" (src/web/main.cpp), in the page's words.
  function reasonOf(told) {
    const [reason, line] = told.split(':');
    return wording(words.replay[reason] || words.replay.other, { n: line, why: told });
  }

  function say(text, bad = false) {
    message.textContent = text;
    message.className = bad ? 'bad' : '';
    message.hidden = !text;
    if (bad) console.warn(`glouton: ${text}`);
  }

  const encoder = new TextEncoder();
  const recorded = () => {
    const lines = window.gloutonReplay || [];
    return lines.some((l) => l === 'load') ? encoder.encode(lines.join('\n') + '\n') : null;
  };

  async function deflateRaw(bytes) {
    const packed = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate-raw'));
    return new Uint8Array(await new Response(packed).arrayBuffer());
  }

  function base64url(bytes) {
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  async function linkOf(bytes) {
    return location.href.split('#')[0] + prefix + base64url(await deflateRaw(bytes));
  }

  async function fromFile(file) {
    if (file.size > sizeLimit) throw new Refused(wording(words.fileTooBig, { name: file.name }));
    return new Uint8Array(await file.arrayBuffer());
  }

  // Hands the replay to the game, its text or (`link`) a share link's
  // `#replay=...`, which the game inflates: it plays, or the game says why
  // not and the run showing goes on. Whether it plays.
  function watch(bytes, link = false) {
    if (!ready) {
      say(words.loading, true);
      return false;
    }
    const at = Module._malloc(bytes.length + 1);
    Module.HEAPU8.set(bytes, at);
    const why = Module.UTF8ToString((link ? Module._glouton_watch_link : Module._glouton_watch)(at, bytes.length));
    Module._free(at);
    if (why) {
      say(wording(words.refused, { why: reasonOf(why) }), true);
      return false;
    }
    last = link ? Module.gloutonLinkText : bytes;
    say('');
    hideHint();
    watching = true;
    document.getElementById('end').style.display = 'none';
    canvas.style.visibility = 'visible';
    canvas.focus();
    seek.hidden = false;
    viewer.hidden = false;
    clearInterval(captionTimer);
    captionTimer = setInterval(showCaption, 200);
    showCaption();
    return true;
  }

  // Where the replay stands, as the game's view tells it (Module.gloutonViewer,
  // src/web/main.cpp): "03:12 / 20:00 ×4", with " (pause)" while it is paused.
  const two = (n) => String(n).padStart(2, '0');
  const minutes = (ms) => `${two(Math.floor(ms / 60000))}:${two(Math.floor(ms / 1000) % 60)}`;
  function showCaption() {
    const v = Module.gloutonViewer;
    if (!v) return;
    const where = `${minutes(v.at)} / ${minutes(v.end)} ${v.speed}${v.paused ? words.paused : ''}`;
    status.textContent = `${wording(words.viewer, { where })} · ${words.viewerHelp[kind]}`;
    seekDone.style.width = `${v.end ? (100 * v.at) / v.end : 0}%`;
    pauseButton.textContent = v.paused ? '▶' : '❚❚';
    pauseButton.title = v.paused ? words.viewerButtons.play : words.viewerButtons.pause;
    pauseButton.setAttribute('aria-label', pauseButton.title);
    window.gloutonCaption = `revoir ${where}`;
  }

  function stopWatching() {
    watching = false;
    clearInterval(captionTimer);
    seek.hidden = true;
    viewer.hidden = true;
    if (document.title.includes('revoir')) document.title = 'Glouton';
  }

  // The bar: the viewer goes to the nearest tenth of the replay, as the keys
  // Home, 1 to 9 and End do. Each seek plays the run again from its start, so
  // a drag seeks only as it crosses into another tenth.
  let seekTenth = -1;
  function seekTo(e) {
    const v = Module.gloutonViewer;
    if (!v) return;
    const box = seek.getBoundingClientRect();
    const share = Math.min(1, Math.max(0, (e.clientX - box.left) / box.width));
    const tenth = Math.round(share * 10);
    if (tenth === seekTenth) return;
    seekTenth = tenth;
    Module._glouton_seek(Math.floor((v.end * tenth) / 10));
  }
  seek.addEventListener('pointerdown', (e) => {
    seek.setPointerCapture(e.pointerId);
    seekTenth = -1;
    seekTo(e);
  });
  seek.addEventListener('pointermove', (e) => { if (seek.hasPointerCapture(e.pointerId)) seekTo(e); });
  seek.addEventListener('pointerup', () => canvas.focus());

  // By touch too: the viewer's own keys, Left (slower), Space (pause) and
  // Right (faster), sent to the game as the keyboard's.
  for (const [id, arrow, code] of [['slower', '«', 37], ['pause', '❚❚', 32], ['faster', '»', 39]]) {
    const button = document.getElementById(id);
    button.textContent = arrow;
    button.setAttribute('aria-label', words.viewerButtons[id]);
    button.title = words.viewerButtons[id];
    button.addEventListener('click', () => {
      press(code);  // web/page.js; handled at once
      showCaption();
    });
  }

  function refuse(e) {
    if (!(e instanceof Refused)) console.error(e);
    say(wording(words.refused, { why: e instanceof Refused ? e.message : String(e) }), true);
  }

  const linkShown = () => location.hash.startsWith(prefix);
  const playLink = () => linkShown() && watch(encoder.encode(location.hash), true);
  const playFile = (file) => fromFile(file).then(watch, refuse);

  function fileName() {
    const d = new Date();
    return `glouton-${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}-` +
      `${two(d.getHours())}${two(d.getMinutes())}${two(d.getSeconds())}.replay`;
  }
  function save() {
    if (!last) return;
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([last], { type: 'application/octet-stream' }));
    a.download = fileName();
    window.gloutonSavedAs = a.download;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }
  async function share() {
    if (!last) return;
    const link = await linkOf(last);
    window.gloutonSharedLink = link;
    if (link.length > linkLimit) {
      say(wording(words.linkTooLong, { n: link.length, limit: linkLimit }));
      save();
      return;
    }
    try {
      await navigator.clipboard.writeText(link);
      say(wording(words.linkCopied, { n: link.length }));
    } catch {
      say(wording(words.copyLink, { n: link.length, link }));
    }
  }

  // The end card's buttons: only when there is a game to offer.
  const offer = () => {
    if (!watching) last = recorded();
    for (const id of ['watch', 'save', 'share']) document.getElementById(id).disabled = !last;
  };
  document.getElementById('watch').addEventListener('click', () => last && watch(last));
  document.getElementById('save').addEventListener('click', save);
  document.getElementById('share').addEventListener('click', () => share().catch(refuse));
  document.getElementById('again').addEventListener('click', () => say(''));
  document.getElementById('open').addEventListener('click', () => chooser.click());
  chooser.addEventListener('change', () => {
    if (chooser.files[0]) playFile(chooser.files[0]);
    chooser.value = '';
  });
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    const file = e.dataTransfer?.files?.[0];
    if (file) playFile(file);
  });
  window.addEventListener('hashchange', playLink);

  // The page's hooks (web/index.html), with the replays' part.
  const ended = Module.gloutonEnded;
  const titled = Module.gloutonTitleShown;
  Module.gloutonEnded = () => {
    const played = !watching;
    offer();
    stopWatching();
    ended();
    // The run just played, for the records (web/board.js).
    if (played && last) window.dispatchEvent(new CustomEvent('glouton-played', { detail: last }));
  };
  // A replay from the records or the board, to watch (web/board.js).
  window.gloutonWatch = (bytes) => watch(bytes);
  Module.gloutonTitleShown = () => {
    stopWatching();
    titled();
  };
  // A game the player plays: a message left from before goes, off the maze's top.
  const gameShown = Module.gloutonGameShown;
  Module.gloutonGameShown = () => {
    if (!watching) say('');
    gameShown();
  };
  // A link's replay plays in place of the title: the game waits for it
  // (src/web/main.cpp), and shows the title if it is refused.
  const atStart = linkShown();
  Module.gloutonHoldStart = atStart;
  (Module.postRun = Module.postRun || []).push(() => {
    ready = true;
    if (atStart && !playLink()) Module._glouton_start();
  });
})();
