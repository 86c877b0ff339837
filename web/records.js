// The player's own records (web/page.js loads it after the first frame): the ten
// best runs of this browser, each with its score, levels, date and replay, in
// IndexedDB, so that they survive a reload, going offline and a new build of
// the page. A run's score is the board's, summed up by the game itself
// (glouton_run_summary): the highest score its games reached. A run the
// player asked to publish while the board could not be reached stays kept,
// marked as waiting, even out of the ten, until it is sent. Nothing here
// leaves the device: web/board.js sends a run when the player presses "Publier".
'use strict';
window.gloutonRecords = (() => {
  const kept = 10;
  const store = 'runs';
  let opened = null;

  function open() {
    opened ??= new Promise((resolve, reject) => {
      const request = indexedDB.open('glouton', 1);
      request.onupgradeneeded = () => request.result.createObjectStore(store, { keyPath: 'key', autoIncrement: true });
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
    return opened;
  }

  // One transaction on the store; `work` gets it and returns a request or nothing.
  async function inStore(mode, work) {
    const db = await open();
    return new Promise((resolve, reject) => {
      const transaction = db.transaction(store, mode);
      const request = work(transaction.objectStore(store));
      transaction.oncomplete = () => resolve(request?.result);
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error);
    });
  }

  // Best first; among equal scores the earlier run, as the board ranks them.
  const better = (a, b) => b.score - a.score || a.at - b.at;

  async function list() {
    return ((await inStore('readonly', (s) => s.getAll())) || []).sort(better);
  }

  // Keeps a run played ({score, levels, length_ms, at, replay}) if it is one
  // of the ten best, or if it `waiting` to be sent; its key, or null when it is not kept.
  async function keep(run, waiting = false) {
    const key = await inStore('readwrite', (s) => s.add({ ...run, sent: null, waiting }));
    return (await trim()).includes(key) ? null : key;
  }

  // Changes a kept run: {sent: {id, rank}} once the board took it, {waiting} before.
  async function mark(key, change) {
    await inStore('readwrite', (s) => {
      const request = s.get(key);
      request.onsuccess = () => request.result && s.put({ ...request.result, ...change });
    });
    await trim();
  }

  // Out of the ten best and not waiting: gone. The keys that went.
  async function trim() {
    const out = (await list()).filter((r, i) => i >= kept && !r.waiting).map((r) => r.key);
    if (out.length) await inStore('readwrite', (s) => { for (const key of out) s.delete(key); });
    return out;
  }

  // The run's figures, by the game: null for a replay with no game in it.
  function summarize(bytes) {
    const at = Module._malloc(bytes.length + 1);
    Module.HEAPU8.set(bytes, at);
    const line = Module.UTF8ToString(Module._glouton_run_summary(at, bytes.length));
    Module._free(at);
    return line ? JSON.parse(line) : null;
  }

  return { list, keep, mark, summarize };
})();
