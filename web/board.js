// The board in the page (web/page.js loads it after records.js, once the
// game's first frame shows): the end
// card's "Nouveau record !" and "Publier", and the panel of the player's
// records and of the board's best runs, each to watch again ("Revoir").
// The board is glouton-board's API at api/v1/ beside the page. A page that
// has never reached one (a static host) offers neither "Publier" nor the
// board; one that did, and cannot now (offline), keeps both and says so. A
// run is sent only when the player presses "Publier"; one that cannot be sent
// waits in the records. Names from the board are shown as text, never markup.
'use strict';
(() => {
  const api = new URL('api/v1/', location.href);
  const records = window.gloutonRecords;
  const $ = (id) => document.getElementById(id);
  const panel = $('panel');
  const list = $('panel-list');
  const note = $('panel-note');
  const news = $('news');
  const outcome = $('published');
  const publishButton = $('publish');
  const nameInput = $('player-name');

  // The board's reason codes, in the page's words (web/page.js); its English reason is not shown.
  const reasonOf = (body) => words.board[body?.error] || words.board.other;

  // 'absent' (never reached: a static host), 'here', or 'away' (reached
  // before, not now). Until the page has asked, as if absent.
  let board = 'absent';
  const seenKey = 'gloutonBoardSeen';
  const mine = new Set(JSON.parse(localStorage.getItem('gloutonMine') || '[]'));

  class Away extends Error {}
  // One call to the board: {status, body}, body the JSON answer or null. Throws
  // Away when the board cannot be reached. The service worker never keeps these.
  async function call(path, options = {}) {
    let response;
    try {
      response = await fetch(new URL(path, api), { cache: 'no-store', ...options });
    } catch {
      throw new Away();
    }
    const json = (response.headers.get('Content-Type') || '').includes('application/json');
    return { status: response.status, body: json ? await response.json().catch(() => null) : null };
  }

  async function findBoard() {
    try {
      const { status, body } = await call('board?period=week&limit=1');
      // A board answers JSON, runs or a reason; a static host, its own 404 page.
      if ((status === 200 && Array.isArray(body?.runs)) || (status === 503 && body?.error)) {
        localStorage.setItem(seenKey, '1');
        board = status === 200 ? 'here' : 'away';
      } else board = 'absent';
    } catch {
      board = localStorage.getItem(seenKey) ? 'away' : 'absent';
    }
    showBoard();
    const waiting = (await records.list()).filter((r) => r.waiting).length;
    if (board === 'here' && waiting) {
      say(waiting > 1 ? wording(words.waitingMany, { n: waiting }) : words.waitingOne);
    }
  }

  function showBoard() {
    publishButton.hidden = board === 'absent';
    for (const id of ['tab-week', 'tab-all']) $(id).hidden = board === 'absent';
    window.gloutonBoardState = board;
  }

  function say(text) {
    const message = $('message');
    message.textContent = text;
    message.className = '';
    message.hidden = !text;
  }

  // The run the end card offers: {run, key} once summed up and perhaps kept.
  let current = null;
  window.addEventListener('glouton-played', async (e) => {
    const bytes = e.detail;
    current = null;
    news.hidden = true;
    outcome.textContent = '';
    const summary = records.summarize(bytes);
    if (!summary?.score) return;  // no game, or not a point: nothing to keep or publish
    const run = { ...summary, at: Date.now(), replay: new TextDecoder().decode(bytes) };
    current = { run, key: await records.keep(run) };
    news.hidden = current.key === null;
    window.gloutonLastRun = { ...summary, kept: current.key !== null };
  });

  // Sends `entry.run`, kept in the records as `entry.key` (or not: null);
  // what came of it, in French, for the end card or the panel.
  async function publish(entry) {
    const { run, key } = entry;
    const name = localStorage.getItem('gloutonName');
    if (!name) throw new Error('no name');
    try {
      const { status, body } = await call('runs', {
        method: 'POST',
        headers: { 'Content-Type': 'application/json' },
        body: JSON.stringify({ name, replay: run.replay }),
      });
      if ((status === 200 || status === 201) && body?.id) {
        mine.add(body.id);
        localStorage.setItem('gloutonMine', JSON.stringify([...mine].slice(-200)));
        if (key !== null) await records.mark(key, { sent: { id: body.id, rank: body.rank }, waiting: false });
        board = 'here';
        return wording(words.published, { rank: body.rank });
      }
      if (body?.error === 'bad_name') localStorage.removeItem('gloutonName');  // asked again
      if (status !== 503) return wording(words.refusedRun, { why: reasonOf(body) });
    } catch (e) {
      if (!(e instanceof Away)) throw e;
      board = 'away';
    }
    // Not sent for now: the run waits in the records, offered again later.
    if (key === null) entry.key = await records.keep(run, true);
    else await records.mark(key, { waiting: true });
    showBoard();
    return words.unreachable;
  }

  // A name, asked once and kept for the next time: the field shows until one is given.
  function nameGiven() {
    if (localStorage.getItem('gloutonName')) return true;
    const name = nameInput.value.trim();
    if (!name) {
      nameInput.hidden = false;
      nameInput.focus();
      return false;
    }
    localStorage.setItem('gloutonName', name);
    nameInput.hidden = true;
    return true;
  }

  publishButton.addEventListener('click', async () => {
    if (!current || !nameGiven()) return;
    publishButton.disabled = true;
    outcome.textContent = words.sending;
    try {
      outcome.textContent = await publish(current);
    } finally {
      publishButton.disabled = false;
    }
  });

  // The panel: its list, one tab showing.
  const date = (at) => new Date(at).toLocaleDateString('fr-FR');
  const points = (n) => wording(n > 1 ? words.points : words.point, { n });
  const levels = (n) => wording(words.levels, { n });
  function row(texts, actions) {
    const item = document.createElement('li');
    for (const [text, className] of texts) {
      const span = document.createElement('span');
      span.textContent = text;  // a name is text, never markup
      if (className) span.className = className;
      item.append(span);
    }
    for (const [label, act] of actions) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = label;
      button.addEventListener('click', act);
      item.append(button);
    }
    return item;
  }

  // Time from a press on "Revoir" to the replay's first frame (README's figures).
  let revoirAt = 0;
  function watch(text) {
    revoirAt = performance.now();
    if (window.gloutonWatch(new TextEncoder().encode(text))) closePanel();
  }
  const gameShown = Module.gloutonGameShown;
  Module.gloutonGameShown = () => {
    if (revoirAt) window.gloutonRevoirMs = performance.now() - revoirAt;
    revoirAt = 0;
    gameShown();
  };

  async function showRecords() {
    const kept = await records.list();
    note.textContent = kept.length ? '' : words.noRecords;
    list.replaceChildren(...kept.map((r) => {
      const state = r.sent ? wording(words.sentRank, { rank: r.sent.rank }) : r.waiting ? words.waiting : '';
      const actions = [[words.watch, () => watch(r.replay)]];
      if (!r.sent && board !== 'absent' && localStorage.getItem('gloutonName')) {
        actions.push([words.publish, async () => {
          note.textContent = await publish({ run: r, key: r.key });
          const said = note.textContent;
          await showRecords();
          note.textContent = said;
        }]);
      }
      return row([[points(r.score)], [levels(r.levels)], [date(r.at)], [state, 'state']], actions);
    }));
  }

  async function showBoardTab(period) {
    list.replaceChildren();
    note.textContent = words.boardLoading;
    try {
      const { status, body } = await call(`board?period=${period}&limit=50`);
      if (status !== 200 || !Array.isArray(body?.runs)) {
        note.textContent = wording(words.boardDown, { why: reasonOf(body) });
        return;
      }
      board = 'here';
      note.textContent = body.runs.length ? '' : words.boardEmpty;
      list.replaceChildren(...body.runs.map((r) => {
        const item = row([[`${r.rank}.`, 'rank'], [r.name, 'name'], [points(r.score)], [levels(r.levels)],
                          [date(r.at)]], [[words.watch, () => revoir(r.id)]]);
        if (mine.has(r.id)) item.className = 'mine';
        return item;
      }));
    } catch (e) {
      if (!(e instanceof Away)) throw e;
      board = 'away';
      note.textContent = words.offline;
    }
  }

  async function revoir(id) {
    const pressed = performance.now();
    try {
      const response = await fetch(new URL(`runs/${encodeURIComponent(id)}/replay`, api), { cache: 'no-store' });
      if (!response.ok) {
        note.textContent = wording(words.watchFailed, { why: reasonOf(await response.json().catch(() => null)) });
        return;
      }
      watch(await response.text());
      revoirAt = pressed;  // from the press, the replay's download included
    } catch {
      note.textContent = words.watchOffline;
    }
  }

  const tabs = { 'tab-records': showRecords, 'tab-week': () => showBoardTab('week'),
                 'tab-all': () => showBoardTab('all') };
  for (const [id, show] of Object.entries(tabs)) {
    $(id).addEventListener('click', () => {
      for (const other of Object.keys(tabs)) $(other).setAttribute('aria-pressed', String(other === id));
      show().catch((e) => console.error(e));
    });
  }
  function openPanel(tab = 'tab-records') {
    panel.hidden = false;
    $(tab).click();
  }
  function closePanel() {
    panel.hidden = true;
    $('canvas').focus();
  }
  $('scores').addEventListener('click', () => (panel.hidden ? openPanel() : closePanel()));
  $('panel-close').addEventListener('click', closePanel);
  window.gloutonOpenPanel = openPanel;

  findBoard().catch((e) => console.error(e));
})();
