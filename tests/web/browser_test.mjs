// The page in one browser engine, one table for all of them: the title's
// pixels, Enter and the maze, the arrows that steer and raise the score (read
// from window.gloutonTrace), Escape's end card and "Rejouer"; where the engine
// gives it, fullscreen, the audio after a gesture, and touch. Chromium also
// plays it as a phone (portrait and landscape) and installed, offline.
// glouton-board serves the page, with a SQLite store in a temporary folder:
// the run is published, shown with its rank, watched from the board and kept
// in the records across reloads; a static server shows the page with no board.
//   node browser_test.mjs ENGINE BUILD_WEB_DIR NPM_DIR SOURCE_DIR BOARD
// ENGINE: chromium, firefox or webkit. NPM_DIR holds the node_modules that
// package-lock.json pins. A missing browser fails, naming its package.
import { execFile, spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { cp, mkdir, mkdtemp, readdir, readFile, rm, symlink, unlink, writeFile } from 'node:fs/promises';
import { once } from 'node:events';
import { createServer } from 'node:net';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { deflateRawSync } from 'node:zlib';

const [engineName, dir, npmDir, sourceDir, boardBinary] = process.argv.slice(2);
const need = createRequire(`${npmDir}/`);
const { serve } = await import(`${sourceDir}/web/serve.mjs`);
let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'ok' : 'FAIL'}: ${what}${detail ? ' (' + detail + ')' : ''}`);
  if (!ok) failures++;
  return ok;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A driver: goto, evaluate(fn, arg), key(name, 'down'|'up'|'press'),
// click(selector), clickAt(x, y) in CSS pixels, close(); `page` for puppeteer.
async function puppeteerDriver(product, executablePath) {
  const puppeteer = need('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: product, executablePath, headless: true,
    args: product === 'chrome' ? ['--no-sandbox', '--autoplay-policy=user-gesture-required'] : [],
  });
  const open = async (context = browser) => {
    const page = await context.newPage();
    page.on('pageerror', (e) => check(false, 'no error in the page', e.message));
    page.on('console', (m) => m.text().startsWith('CSP:') && check(false, 'the page keeps to its CSP', m.text()));
    if (product === 'chrome') await page.evaluateOnNewDocument(listenToOutput);
    return {
      page, browser,
      goto: (url) => page.goto(url),
      evaluate: (fn, arg) => page.evaluate(fn, arg),
      key: (name, how) => (how === 'down' ? page.keyboard.down(name)
        : how === 'up' ? page.keyboard.up(name) : page.keyboard.press(name)),
      click: (selector) => page.click(selector),
      clickAt: (x, y) => page.mouse.click(x, y),
      open,
      close: () => browser.close(),
    };
  };
  return open();
}

// window.gloutonPeak: the loudest sample the page has played so far: what
// goes to the context's speakers is also read by an analyser.
function listenToOutput() {
  document.addEventListener('securitypolicyviolation', (e) => console.error(`CSP: ${e.violatedDirective} ${e.blockedURI}`));
  window.gloutonPeak = 0;
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function (to, ...rest) {
    if (to instanceof AudioDestinationNode) {
      const analyser = this.context.createAnalyser();
      const samples = new Float32Array(analyser.fftSize);
      connect.call(this, analyser);
      setInterval(() => {
        analyser.getFloatTimeDomainData(samples);
        for (const v of samples) window.gloutonPeak = Math.max(window.gloutonPeak, Math.abs(v));
      }, 20);
    }
    return connect.call(this, to, ...rest);
  };
}

// A free port, from the system.
async function freePort() {
  const probe = createServer().listen(0, '127.0.0.1');
  await once(probe, 'listening');
  const port = probe.address().port;
  probe.close();
  return port;
}

// WebKitGTK's own WebDriver (WebKitWebDriver) drives its MiniBrowser under a
// private Xvfb; selenium-webdriver speaks to it.
async function webkitDriver(binary) {
  const { Builder, Key, Origin } = need('selenium-webdriver');
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1100x24', '-nolisten', 'tcp'],
                     { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (d) => resolve(`:${String(d).trim()}`));
    xvfb.once('exit', () => reject(new Error('Xvfb did not start')));
  });
  const port = await freePort();
  const server = spawn('WebKitWebDriver', [`--port=${port}`], { env: { ...process.env, DISPLAY: display },
                                                                stdio: 'ignore' });
  const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
  let driver;
  for (let tries = 0; !driver; tries++) {
    await sleep(300);  // until the driver listens
    driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
    }).build().catch((e) => { if (tries >= 30) throw e; });
  }
  await driver.manage().window().setRect({ width: 1500, height: 1000 }).catch(() => {});
  const keys = { Enter: Key.ENTER, Escape: Key.ESCAPE, ArrowLeft: Key.ARROW_LEFT };
  return {
    goto: (url) => driver.get(url),
    evaluate: (fn, arg) => driver.executeScript(`return (${fn}).apply(null, arguments)`, arg),
    key: (name, how) => {
      const a = driver.actions();
      return (how === 'down' ? a.keyDown(keys[name]) : how === 'up' ? a.keyUp(keys[name])
        : a.keyDown(keys[name]).keyUp(keys[name])).perform();
    },
    click: async (selector) => (await driver.findElement({ css: selector })).click(),
    clickAt: (x, y) => driver.actions().move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT })
      .click().perform(),
    close: async () => { await driver.quit().catch(() => {}); server.kill(); xvfb.kill(); },
  };
}

// The engines. `has` is what their automation gives besides keys and pixels.
const engines = {
  chromium: { binary: process.env.CHROMIUM || '/usr/bin/chromium', package: 'chromium',
              open: (b) => puppeteerDriver('chrome', b),
              has: ['fullscreen', 'audio', 'click', 'escape', 'phone', 'offline', 'replays'] },
  firefox: { binary: '/usr/bin/firefox-esr', package: 'firefox-esr',
             // Its touch actions fail here (NS_ERROR_ILLEGAL_VALUE in synthesizeTouchAtPoint).
             open: (b) => puppeteerDriver('firefox', b), has: ['click', 'escape'] },
  webkit: { binary: '/usr/bin/WebKitWebDriver', package: 'webkit2gtk-driver',
            open: (b) => webkitDriver(b), has: ['escape'] },
};
const engine = engines[engineName];
if (!engine) {
  console.error(`unknown engine ${engineName}: ${Object.keys(engines).join(', ')}`);
  process.exit(2);
}
if (!existsSync(engine.binary)) {
  check(false, `${engineName} is installed`, `no ${engine.binary}: apt-get install ${engine.package} (make deps)`);
  process.exit(1);
}
const has = (what) => engine.has.includes(what);

// In the page: the canvas's non-black box, its scale for content of W x H
// pixels, how many blocks of a whole scale are not of one colour (a blurred
// picture), the colours at content points, and CSS pixels per canvas pixel;
// how the browser enlarges the canvas, and where it lies in the game's room,
// in device pixels.
function inspect([w, h, points]) {
  const canvas = document.getElementById('canvas');
  const { width, height } = canvas;
  const data = canvas.getContext('2d').getImageData(0, 0, width, height).data;
  const at = (x, y) => { const i = 4 * (y * width + x); return [data[i], data[i + 1], data[i + 2]]; };
  let x0 = width, y0 = height, x1 = -1, y1 = -1;
  for (let y = 0; y < height; y++)
    for (let x = 0; x < width; x++) {
      const i = 4 * (y * width + x);
      if (data[i] + data[i + 1] + data[i + 2] > 0) {
        if (x < x0) x0 = x;
        if (x > x1) x1 = x;
        if (y < y0) y0 = y;
        y1 = y;
      }
    }
  const box = { x: x0, y: y0, w: x1 - x0 + 1, h: y1 - y0 + 1 };
  const k = box.w / w;
  let blurred = 0;
  if (Number.isInteger(k) && k >= 1)
    for (let cy = 0; cy < h; cy++)
      for (let cx = 0; cx < w; cx++) {
        const first = at(x0 + cx * k, y0 + cy * k).join();
        for (let dy = 0; dy < k; dy++)
          for (let dx = 0; dx < k; dx++)
            if (at(x0 + cx * k + dx, y0 + cy * k + dy).join() !== first) { blurred++; dy = dx = k; }
      }
  const colours = points.map(([x, y]) => at(x0 + Math.floor((x + 0.5) * k), y0 + Math.floor((y + 0.5) * k)));
  const css = canvas.getBoundingClientRect();
  const room = document.getElementById('room').getBoundingClientRect();
  const ratio = devicePixelRatio;
  return { width, height, box, k, blurred, colours, cssPerPixel: css.width / width, left: css.left, top: css.top,
           enlarged: (css.width * ratio) / width, at: [(css.left - room.left) * ratio, (css.top - room.top) * ratio],
           smoothed: !/pixelated|crisp-edges/.test(getComputedStyle(canvas).imageRendering),
           room: [room.width * ratio, room.height * ratio], screen: [innerWidth * ratio, innerHeight * ratio] };
}
// A content point of what shows, in the page's CSS pixels.
const cssPoint = (seen, x, y) => [seen.left + (seen.box.x + (x + 0.5) * seen.k) * seen.cssPerPixel,
                                  seen.top + (seen.box.y + (y + 0.5) * seen.k) * seen.cssPerPixel];

const red = ([r, g, b]) => r > 200 && g < 60 && b < 60;
const yellow = ([r, g, b]) => r > 200 && g > 200 && b < 80;
const blue = ([r, g, b]) => b > 150 && r < 60 && g < 60;
const titleSize = [706, 468];
const mazeSize = [644, 448];
const titleLooks = [[[3, 3], 'the red window', red], [[181, 150], 'the yellow title label', yellow]];
const mazeLooks = [[[2, 200], 'the blue ground', blue], [[322, 33], 'the white of a wall tile', (c) => c.every((v) => v > 230)]];

// The page's rule: the largest whole scale that fits, sharp, where it fills
// 90 % of the room's width or height; else the fractional scale that fills
// it. `span`, on a phone: [axis, share] the game must span of the screen.
// What shows is measured in device pixels: the canvas's, as the browser
// enlarges it (without smoothing) and places it in the room.
async function shows(d, what, [w, h], looks, span) {
  const seen = await d.evaluate(inspect, [w, h, looks.map((l) => l[0])]);
  const s = seen.enlarged, k = seen.k * s;
  const box = { x: seen.at[0] + seen.box.x * s, y: seen.at[1] + seen.box.y * s, w: seen.box.w * s, h: seen.box.h * s };
  const [roomW, roomH] = seen.room;
  const r = (v) => Math.round(v * 10) / 10;
  const where = `box ${r(box.w)}x${r(box.h)} at ${r(box.x)},${r(box.y)} in ${r(roomW)}x${r(roomH)}, ` +
                `the canvas ${seen.width}x${seen.height} x${r(s)}`;
  check(Math.abs(box.h - h * k) <= 1, `${what}: drawn in proportion`, where);
  const fits = Math.min(Math.floor(roomW / w), Math.floor(roomH / h));
  if (fits >= 1 && (w * fits >= 0.9 * roomW || h * fits >= 0.9 * roomH)) {
    check(Math.abs(k - fits) < 1e-9, `${what}: the largest whole scale that fits`, `${k}, ${fits} fits; ${where}`);
    check(seen.blurred === 0 && (s === 1 || (!seen.smoothed && Math.abs(s - Math.round(s)) < 1e-9)),
          `${what}: sharp pixels`, `${seen.blurred} blurred blocks, enlarged ${s}x by the browser`);
  } else {
    check(box.w >= roomW - 1 || box.h >= roomH - 1, `${what}: a fractional scale that fills the room`,
          `${k.toFixed(3)}, ${fits} fits whole; ${where}`);
  }
  if (span) {
    const [axis, share] = span;
    const spans = axis === 'width' ? box.w / seen.screen[0] : box.h / roomH;
    check(spans >= share, `${what}: spans ${Math.round(share * 100)} % of the ${axis === 'width' ? "screen's width" : 'height beside the strip'}`,
          `${(spans * 100).toFixed(1)} %, scale ${k.toFixed(3)}; screen ${seen.screen}`);
  }
  check(Math.abs(2 * box.x + box.w - roomW) <= 1 && Math.abs(2 * box.y + box.h - roomH) <= 1,
        `${what}: in the middle`, where);
  looks.forEach(([, name, ok], i) => check(ok(seen.colours[i]), `${what}: ${name}`, `rgb ${seen.colours[i]}`));
  return seen;
}

async function waitFor(d, fn, arg, ms = 10000) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(50))
    if (await d.evaluate(fn, arg).catch(() => false)) return true;
  return false;
}
const traceLength = (d) => d.evaluate(() => window.gloutonTrace.length);
const lastLine = (d) => d.evaluate(() => JSON.parse(window.gloutonTrace[window.gloutonTrace.length - 1]));
const titleFrames = (n) => [(n) => window.gloutonTitleFrames === n, n];

async function firstTitle(d, url, what) {
  const t0 = Date.now();
  await d.goto(url);
  const shown = await waitFor(d, ...titleFrames(1), 30000);
  const at = shown ? await d.evaluate(() => window.gloutonTitleFrameAt) : NaN;
  console.log(`${what}: title's first frame ${at.toFixed(0)} ms after navigation (${Date.now() - t0} ms here)`);
  return check(shown, `${what}: the title shows`);
}

const noWall = (lines) => lines.map((l) => JSON.stringify({ ...JSON.parse(l), wall: undefined }));
const textOf = (d, selector) => d.evaluate((s) => document.querySelector(s).textContent, selector);
// The hint's words where it shows clear of the game's pixels (`seen` by shows(), of `size`), else '';
// read once the title is painted, as the page places the hint only then.
const hintClear = async (d, seen, [w, h]) => {
  await d.evaluate(() => new Promise((painted) => requestAnimationFrame(() => setTimeout(painted, 0))));
  return hintOver(d, seen, [w, h]);
};
const hintOver = (d, seen, [w, h]) => d.evaluate(([[x0, y0], [x1, y1]]) => {
  const hint = document.getElementById('hint'), r = hint.getBoundingClientRect();
  const clear = r.bottom <= y0 || r.top >= y1 || r.right <= x0 || r.left >= x1;
  return !hint.hidden && r.width > 0 && clear ? hint.innerText : '';
}, [cssPoint(seen, -0.5, -0.5), cssPoint(seen, w - 0.5, h - 0.5)]);

// glouton-board serving the page on `port`, its SQLite store in `work`.
async function startBoard(work, port) {
  const board = spawn(boardBinary, ['--site', dir, '--db', `sqlite:${join(work, 'board.db')}`, '--port', String(port),
                                    '--rate', '100'], { stdio: 'inherit' });
  const url = `http://127.0.0.1:${port}/`;
  for (let i = 0; i < 100 && !(await fetch(`${url}api/v1/board`).then((r) => r.ok, () => false)); i++) await sleep(100);
  const running = () => board.exitCode === null && board.signalCode === null;
  return { url, stop: async () => running() && (board.kill(), await once(board, 'exit')) };
}

// The board in the page (web/board.js): a run published and ranked, its name
// with markup shown as text, watched from the board to the page's own trace;
// a refused run with the board's reason; the records across a reload and an
// offline one (where the driver cannot cut the network, the board stops).
async function published(d, board) {
  const played = await shortRun(d, `${board.url}?trace`, 'board');
  if (!played) return;
  check(await waitFor(d, () => !document.getElementById('news').hidden, null, 3000), 'a run kept says "Nouveau record !"');
  const name = '<b>Zoé</b><svg/>';  // 20 characters at most
  await d.click('#publish');  // asks for the name first
  await d.evaluate((n) => { document.getElementById('player-name').value = n; }, name);
  await d.click('#publish');
  check(await waitFor(d, () => /^Publiée : rang \d+\.$/.test(document.getElementById('published').textContent)),
        'a run played is published, with its rank', await textOf(d, '#published'));
  await d.click('#scores');
  await d.click('#tab-all');
  await waitFor(d, () => document.querySelector('#panel-list li.mine'));
  const row = await d.evaluate(() => [document.querySelector('#panel-list li.mine .name')?.textContent,
                                      document.querySelectorAll('#panel-list b, #panel-list svg').length]);
  check(row[0] === name && row[1] === 0, 'the board shows the run as the player\'s, its name as text', `${row}`);
  await d.click('#panel-list li.mine button');
  const seen = await waitFor(d, () => /revoir (\d\d:\d\d) \/ \1/.test(window.gloutonCaption || ''), null, 15000);
  await sleep(1200);
  const watched = await d.evaluate(() => window.gloutonTrace.splice(0));
  check(seen && watched.length >= played.length - 2 && noWall(watched).join() === noWall(played.slice(0, watched.length)).join(),
        'the run watched from the board plays to the page\'s own trace', `${watched.length} of ${played.length} lines`);
  console.log(`board: "Revoir" to the replay's first frame ${(await d.evaluate(() => window.gloutonRevoirMs)).toFixed(0)} ms`);

  // A kept run whose replay the game refuses, published from the records.
  await d.evaluate(() => window.gloutonRecords.keep({ score: 1e9, levels: 0, length_ms: 0, at: 0, replay: 'glouton-replay 1\nlaod\n' }));
  await d.click('#scores');
  await waitFor(d, () => document.querySelector('#panel-list .state'));
  await d.click('#panel-list li button:nth-of-type(2)');
  check(await waitFor(d, () => document.getElementById('panel-note').textContent === 'Refusée : le jeu refuse ce replay.'),
        'a refused run shows the board\'s reason', await textOf(d, '#panel-note'));

  const kept = () => waitFor(d, async () => (await window.gloutonRecords?.list())?.some((r) => r.sent?.rank >= 1));
  await d.goto(board.url);
  check(await waitFor(d, ...titleFrames(1), 30000) && await kept(), 'the published run is kept across a reload');
  if (has('offline')) {
    await waitFor(d, async () => (await navigator.serviceWorker.getRegistration())?.active?.state === 'activated', null, 30000);
    await d.page.setOfflineMode(true);
  } else await board.stop();
  await d.goto(board.url);
  const away = await waitFor(d, ...titleFrames(1), 30000) && await kept() &&
    await waitFor(d, () => window.gloutonBoardState === 'away' && !document.getElementById('publish').hidden, null, 5000);
  await d.click('#scores');
  await d.click('#tab-week');
  check(away && await waitFor(d, () => /^Hors ligne/.test(document.getElementById('panel-note').textContent), null, 5000),
        'offline, the records are kept and the board says it is offline', await textOf(d, '#panel-note'));
  if (has('offline')) await d.page.setOfflineMode(false);
}

// A controller (the Gamepad API, a pad of the standard layout stood in for):
// plugged in on the title, its south button is "GO !", its D-pad the arrows.
async function controller(d, url) {
  if (!(await firstTitle(d, `${url}?trace`, 'controller'))) return;
  const press = (button) => d.evaluate((button) => {
    const buttons = Array.from({ length: 16 }, (_, i) => ({ pressed: i === button, value: i === button ? 1 : 0 }));
    const pad = { id: 'pad', index: 0, connected: true, mapping: 'standard', timestamp: performance.now(),
                  axes: [0, 0, 0, 0], buttons };
    navigator.getGamepads = () => [pad];
    if (!window.gloutonPadIn) {
      window.gloutonPadIn = true;
      window.dispatchEvent(Object.assign(new Event('gamepadconnected'), { gamepad: pad }));
    }
  }, button);
  // Each button held until the game has seen it: the page reads the pad every 16 ms, when it can.
  await press(0);
  check(await waitFor(d, () => window.gloutonTrace.length > 0), 'a controller\'s south button is "GO !"');
  await press(-1);
  await press(14);
  check(await waitFor(d, () => window.gloutonTrace.some((l) => JSON.parse(l).key === 37)),
        'a controller\'s D-pad left is the left arrow');
}

// A static host: no "Publier", no board, and the records still kept.
async function noBoard(d, url) {
  if (!(await shortRun(d, `${url}?trace`, 'no board'))) return;
  const seen = await waitFor(d, () => !document.getElementById('news').hidden, null, 3000) &&
    await d.evaluate(async () => document.getElementById('publish').hidden && document.getElementById('tab-all').hidden &&
                                 (await window.gloutonRecords.list()).length === 1 && window.gloutonBoardState === 'absent');
  check(seen, 'with no board: neither "Publier" nor the board, the run kept in the records');
}

// A short run from the title to the end card (Escape): its trace lines.
async function shortRun(d, url, what, rest = 0) {
  if (!(await firstTitle(d, url, what))) return null;
  await d.key('Enter', 'press');
  await waitFor(d, () => window.gloutonTrace.length > 0);
  await d.key('ArrowLeft', 'down');
  await sleep(1500);
  await d.key('ArrowLeft', 'up');
  await sleep(rest);
  await d.key('Escape', 'press');
  await waitFor(d, () => getComputedStyle(document.getElementById('end')).display !== 'none', null, 5000);
  return d.evaluate(() => window.gloutonTrace.splice(0));
}

// What every engine plays, at a desktop's size.
async function desktop(d, url) {
  if (!(await firstTitle(d, `${url}?trace`, engineName))) return;
  check(await d.evaluate(() => document.activeElement === document.getElementById('canvas')),
        'the canvas has the keyboard focus');
  const hinted = await hintClear(d, await shows(d, 'title', titleSize, titleLooks), titleSize);
  check(/Flèches : diriger.*Espace : arrêter/s.test(hinted), 'a first visit shows the keys, clear of the game', hinted);
  // The engine decodes the sounds' format (WebKitGTK through GStreamer).
  check(await waitFor(d, () => Module.gloutonSound?.music && Object.keys(Module.gloutonSound.cues).length === 5,
                      null, 10000), 'the cues and the music decode');

  if (has('fullscreen')) {
    // The page's button and Alt+Enter toggle fullscreen; Alt+Enter is not "GO !".
    const fullscreen = (on) => waitFor(d, (on) => !!document.fullscreenElement === on, on, 3000);
    await d.click('#fullscreen');
    check(await fullscreen(true), 'the page\'s button goes fullscreen');
    await d.key('Alt', 'down');
    await d.key('Enter', 'press');
    await d.key('Alt', 'up');
    check(await fullscreen(false), 'Alt+Enter leaves fullscreen');
    // The click unlocked the sound: the title's music, fetched after its first frame, plays.
    if (has('audio'))
      check(await waitFor(d, () => window.gloutonPeak > 0.05, null, 10000), 'the title music plays after a click',
            `peak ${await d.evaluate(() => window.gloutonPeak)}`);
    check(await d.evaluate(() => window.gloutonTrace.length === 0 && document.activeElement.id === 'canvas'),
          'still on the title, the canvas focused');
  }

  await d.key('Enter', 'press');  // GO ! has the focus
  check(await waitFor(d, () => window.gloutonTrace.length > 0), 'Enter opens the game');
  if (has('audio'))
    check(await waitFor(d, () => Module.gloutonAudio?.state === 'running', null, 5000),
          'the audio runs after a gesture');
  await sleep(300);
  await shows(d, 'maze', mazeSize, mazeLooks);

  const before = await lastLine(d);
  await d.key('ArrowLeft', 'down');
  const moved = await waitFor(d, (x) => {
    const s = JSON.parse(window.gloutonTrace[window.gloutonTrace.length - 1]);
    return s.score > 0 && s.glouton.x !== x;
  }, before.glouton.x);
  await d.key('ArrowLeft', 'up');
  const after = await lastLine(d);
  check(moved, 'the arrows move the glouton and the score rises',
        `x ${before.glouton.x} -> ${after.glouton.x}, score ${before.score} -> ${after.score}`);
  check(await waitFor(d, () => document.getElementById('hint').hidden, null, 2000), 'the hint goes at the first turn');
  check(Number.isInteger(after.wall) && after.wall >= after.t, 'trace lines carry wall', `wall ${after.wall}`);
  if (!has('escape')) return;

  await d.key('Escape', 'press');
  check(await waitFor(d, () => getComputedStyle(document.getElementById('end')).display !== 'none', null, 5000),
        'Escape shows the end card');
  if (!has('click')) return;
  await d.click('#again');
  if (!check(await waitFor(d, ...titleFrames(2)), '"Rejouer" brings the title back')) return;
  const seen = await shows(d, 'title again', titleSize, [titleLooks[0]]);
  // A click on "GO !" (66 x 28 pixels at 14, 425 of the title) opens a fresh game.
  const lines = await traceLength(d);
  await d.clickAt(...cssPoint(seen, 14 + 33, 425 + 14));
  check(await waitFor(d, (n) => window.gloutonTrace.length > n && JSON.parse(window.gloutonTrace[n]).score === 0, lines),
        'a click on "GO !" opens a fresh game');
}

// The replays (web/replay.js): a short run is recorded in the game's format,
// which glouton-sim.js plays to the page's own trace; "Revoir" plays it
// again, the bar jumps where it is clicked or dragged, the share link plays
// in a fresh page, broken links are refused by the game's own reader with a
// message, the title showing instead, and a file opened or dropped plays.
async function replays(d, url) {
  const played = await shortRun(d, `${url}?trace`, 'replays', 2000);  // for the bar to go back in
  if (!played) return;
  const text = await d.evaluate(() => window.gloutonReplay.join('\n') + '\n');
  const work = await mkdtemp(join(tmpdir(), 'glouton-replay-'));
  await writeFile(join(work, 'page.replay'), text);
  const sim = await new Promise((resolve) => execFile('node', [join(dir, '..', 'glouton-sim.js'), '--replay', join(work, 'page.replay')],
                                                      (e, out, err) => resolve(e ? [err] : out.trim().split('\n'))));
  check(played.length > 10 && noWall(sim).join() === noWall(played).join(), 'glouton-sim plays the page\'s replay to its trace',
        `${played.length} lines in the page, ${sim.length} from glouton-sim: ${sim[0].slice(0, 200)}`);

  // "Enregistrer": the replay's very text, named for the moment.
  await (await d.page.createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: work });
  await d.click('#save');
  let saved;
  for (let i = 0; i < 100 && !saved; i++, await sleep(50))
    saved = (await readdir(work)).find((n) => /^glouton-\d{4}-\d\d-\d\d-\d{6}\.replay$/.test(n));
  saved = saved && join(work, saved);
  check(saved && (await readFile(saved, 'utf8')) === text, '"Enregistrer" downloads the replay', `${saved}`);
  await d.click('#watch');
  // The viewer plays all but the Escape that ended the run, at real speed.
  const shown = await waitFor(d, () => /revoir (\d\d:\d\d) \/ \1 ×1/.test(window.gloutonCaption || ''), null, 15000);
  await sleep(1200);  // the caption counts whole seconds
  const watched = await d.evaluate(() => window.gloutonTrace.slice());
  check(shown && watched.length >= played.length - 2 && noWall(watched).join() === noWall(played.slice(0, watched.length)).join(),
        '"Revoir" plays the run again, to its end', `${watched.length} of ${played.length} lines; ${await d.evaluate(() => window.gloutonCaption)}`);
  const bar = await d.evaluate(() => { const r = document.getElementById('seek').getBoundingClientRect(); return [r.left, r.top + r.height / 2, r.width]; });
  await d.clickAt(bar[0] + 1, bar[1]);
  check(await waitFor(d, () => /revoir 00:00 \/ 00:0[3-9]/.test(window.gloutonCaption), null, 3000), 'a click on the bar\'s start goes back to it',
        await d.evaluate(() => window.gloutonCaption));
  // Held (Space), the replay's time moves only by the bar: dragged from its start to 60 %.
  await d.key('Space', 'press');
  await d.page.mouse.move(bar[0] + 1, bar[1]);
  await d.page.mouse.down();
  await d.page.mouse.move(bar[0] + 0.6 * bar[2], bar[1], { steps: 8 });
  await d.page.mouse.up();
  const inside = () => {
    const m = /revoir 00:(\d\d) \/ 00:(\d\d) .*pause/.exec(window.gloutonCaption || '');
    return !!m && Number(m[1]) > 0 && Number(m[1]) < Number(m[2]);
  };
  check(await waitFor(d, inside, null, 3000),
        'dragging the bar moves the held replay\'s time', await d.evaluate(() => window.gloutonCaption));
  await d.key('Escape', 'press');
  await waitFor(d, () => getComputedStyle(document.getElementById('end')).display !== 'none', null, 5000);
  await d.click('#share');
  await waitFor(d, () => window.gloutonSharedLink, null, 5000);
  const link = await d.evaluate(() => window.gloutonSharedLink);
  const fresh = await d.open();
  await fresh.goto(link);
  check(await waitFor(fresh, () => window.gloutonTrace.length > 3 && /revoir/.test(window.gloutonCaption), null, 15000) &&
        !(await fresh.evaluate(() => window.gloutonTitleFrames)), 'the share link plays in a fresh page', `${link.length} characters`);

  const packed = (t) => `${url}?trace#replay=${deflateRawSync(t).toString('base64url')}`;
  const broken = [
    ['cut short', link.slice(0, link.indexOf('#') + 8 + 4 * Math.floor((link.length - link.indexOf('#') - 8) / 8)), /^Replay refusé : le lien est coupé$/],
    ['not base64url', `${url}?trace#replay=a%b.c`, /: le lien est abîmé$/],
    ['not a replay', packed('<html>\n'), /: ce n’est pas un replay$/],
    ['of a future version', packed('glouton-replay 2\nload\n'), /: le replay vient d’une version plus récente du jeu$/],
    ['altered', packed(text.replace('\nload\n', '\nlaod\n')), /: ligne 2 : aucune partie ouverte$/],
    ['over the size limit', packed(`glouton-replay 1\n${'0\n'.repeat(9 << 20)}`), /: le replay du lien dépasse 16 Mio$/],
  ];
  for (const [what, address, why] of broken) {
    await fresh.goto('about:blank');
    await fresh.goto(address);
    const titled = await waitFor(fresh, ...titleFrames(1), 15000);
    const said = await fresh.evaluate(() => !document.getElementById('message').hidden &&
                                            document.getElementById('message').textContent);
    check(titled && why.test(said) && !(await fresh.evaluate(() => window.gloutonCaption)),
          `a link ${what} is refused with a message in French, the title shows`, said);
  }
  // After a refusal, a file opened with "Ouvrir…" plays, the message gone.
  const [chooser] = await Promise.all([fresh.page.waitForFileChooser(), fresh.click('#open')]);
  await chooser.accept([saved]);
  check(await waitFor(fresh, () => /revoir/.test(window.gloutonCaption) && document.getElementById('message').hidden, null, 5000),
        'a file opened with "Ouvrir…" plays');
  // A file dropped on the page plays in place of the one showing.
  await fresh.evaluate((t) => {
    const data = new DataTransfer();
    data.items.add(new File([t], 'dropped.replay'));
    document.getElementById('canvas').dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
  }, 'glouton-replay 1\nload\n7000\n');
  check(await waitFor(fresh, () => /revoir \d\d:\d\d \/ 00:07/.test(window.gloutonCaption), null, 5000),
        'a replay file dropped on the page plays', await fresh.evaluate(() => window.gloutonCaption));
  await fresh.page.close();
  await rm(work, { recursive: true, force: true });
}

// Each touch's time and each trace line's time, on the page's clock.
function watchTouches() {
  window.gloutonTouches = [];
  for (const type of ['touchstart', 'touchmove', 'touchend'])
    document.addEventListener(type, (e) => window.gloutonTouches.push([type, e.timeStamp]), true);
}

// A finger's way in CSS pixels, as the touch screen gives it.
async function swipe(page, [x, y], steps) {
  await page.touchscreen.touchStart(x, y);
  for (const [dx, dy] of steps) {
    for (let i = 1; i <= 4; i++) await page.touchscreen.touchMove(x + (dx * i) / 4, y + (dy * i) / 4);
    x += dx;
    y += dy;
    await sleep(30);
  }
  await page.touchscreen.touchEnd();
}

// The README's phone (docs/pictures/phone.png): the page held upright, the
// maze just opened, a CSS pixel a pixel. Written when GLOUTON_DOC_PICTURE
// names a file (tools/make-doc-pictures.sh), else the screen must match it
// within a tolerance: the game runs on the browser's clock, so its chasers
// (32-pixel sprites, at a 0.6 scale here) stand a step apart from one run to
// the next, which changes about 1 % of the pixels. Only the room above the
// strip is compared: the strip's words are the drawing of whatever font the
// machine has. A page that no longer looks so (another layout or scale,
// other colours, the room moved) changes far more than 3 %.
async function phonePicture(d) {
  const shot = await d.page.screenshot({ clip: { x: 0, y: 0, width: 390, height: 844, scale: 1 / 3 } });
  const rows = await d.page.evaluate(() => Math.floor(document.getElementById('bar').getBoundingClientRect().top));
  const file = process.env.GLOUTON_DOC_PICTURE;
  if (file) {
    await writeFile(file, shot);
    console.log(`the phone's picture written to ${file}`);
    return;
  }
  const blank = await d.browser.newPage();
  try {
    const want = await readFile(`${sourceDir}/docs/pictures/phone.png`);
    const share = await blank.evaluate(differingShare, [shot.toString('base64'), want.toString('base64'), rows]);
    check(share <= 0.03, "phone portrait: the README's picture shows the page",
          `${(share * 100).toFixed(2)} % of the pixels differ, 3 % allowed`);
  } finally {
    await blank.close();
  }
}

// The share of the pixels of two PNG pictures (base64), in their first
// `rows` rows, that differ by more than 48 on a channel; 1 when their sizes differ.
async function differingShare([first, second, rows]) {
  const [a, b] = await Promise.all([first, second].map(async (base64) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
    const g = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    g.drawImage(bitmap, 0, 0);
    return g.getImageData(0, 0, bitmap.width, bitmap.height);
  }));
  if (a.width !== b.width || a.height !== b.height) return 1;
  let differ = 0;
  const end = Math.min(rows, a.height) * a.width * 4;
  for (let i = 0; i < end; i += 4)
    if ([0, 1, 2].some((c) => Math.abs(a.data[i + c] - b.data[i + c]) > 48)) differ++;
  return differ / (end / 4);
}

// Chromium as a phone: the fit, GO ! by a tap, swipes and taps, Son and Quitter.
async function phone(d, url, [name, width, height, fit]) {
  const { page } = d;
  await page.emulate({
    userAgent: 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) Mobile Safari/537.36',
    viewport: { width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: width > height },
  });
  await page.evaluateOnNewDocument(watchTouches);
  if (name === 'portrait') {
    // The start on a slow phone: the CPU slowed 4 times.
    await page.emulateCPUThrottling(4);
    await firstTitle(d, url, 'phone, CPU slowed 4x');
    await page.emulateCPUThrottling(null);
    await d.evaluate(() => localStorage.removeItem('gloutonHintSeen'));  // a first visit: no turn made here yet
  }
  if (!(await firstTitle(d, `${url}?trace`, `phone ${name}`))) return;
  await d.evaluate(() => {
    window.gloutonTraceAt = [];
    const push = window.gloutonTrace.push.bind(window.gloutonTrace);
    window.gloutonTrace.push = (line) => { window.gloutonTraceAt.push(performance.now()); return push(line); };
  });
  const title = await shows(d, `phone ${name}: title`, titleSize, [titleLooks[0]], fit);
  // A first visit shows the gestures; the next one (sideways) only on "?".
  if (name === 'landscape') {
    check(!(await hintClear(d, title, titleSize)), 'phone landscape: a later visit shows no hint');
    await page.tap('#help');
  }
  const hinted = await hintClear(d, title, titleSize);
  check(/Glissez pour diriger.*Touchez pour arrêter/s.test(hinted), `phone ${name}: the hint shows the gestures, clear of the game`, hinted);
  check(await d.evaluate(() => document.scrollingElement.scrollHeight <= innerHeight + 1 &&
                               getComputedStyle(document.body).touchAction === 'none'),
        `phone ${name}: the page does not scroll under a thumb`);

  // A finger's zone is 44 x 44 CSS pixels around a button smaller than that ("GO !" is 36 x 15 here).
  const [goX, goY] = cssPoint(title, 14 + 33, 425 + 14);
  await page.touchscreen.tap(goX, goY - 15);
  if (!check(await waitFor(d, () => window.gloutonTrace.length > 0), `phone ${name}: a tap 15 px off "GO !" opens the game`))
    return;
  check(await waitFor(d, () => Module.gloutonAudio?.state === 'running', null, 5000),
        `phone ${name}: the audio runs after a touch`);
  await sleep(300);
  const maze = await shows(d, `phone ${name}: maze`, mazeSize, mazeLooks, fit);
  if (name === 'portrait') await phonePicture(d);

  // Below or beside the maze is swipe room too; a swipe left then, without
  // lifting, down: two presses, the glouton on its way, the score rising.
  const [x, y] = cssPoint(maze, 320, 300);
  const keys = () => d.evaluate(() => window.gloutonTrace.map((l) => JSON.parse(l)).filter((s) => s.ev === 'key')
    .map((s) => s.key));
  await swipe(page, [x, y], [[-40, 0]]);
  const steered = await waitFor(d, () => {
    const s = JSON.parse(window.gloutonTrace[window.gloutonTrace.length - 1]);
    return s.dir[0] === -1 && s.score > 0;
  });
  check(steered, `phone ${name}: a swipe left steers, the score rises`, `keys ${await keys()}`);
  check(await d.evaluate(() => document.getElementById('hint').hidden), `phone ${name}: the hint goes at the first turn`);
  await swipe(page, [x, y], [[30, 0], [0, 35]]);
  await sleep(200);
  const turns = (await keys()).slice(-2).join();
  check(turns === '39,40', `phone ${name}: a finger turns without lifting, one press a turn`, `last keys ${turns}`);
  await page.touchscreen.tap(x, y);
  check(await waitFor(d, () => {
    const s = JSON.parse(window.gloutonTrace[window.gloutonTrace.length - 1]);
    return s.ev === 'key' && s.key === 32 && s.dir[0] === 0 && s.dir[1] === 0;
  }, null, 3000) || (await keys()).at(-1) === 32, `phone ${name}: a tap stops`, `last keys ${(await keys()).slice(-3)}`);

  // A tap 15 px off "CC" (27 x 19 pixels at -2, 1 of the game window) is its click: the box, no space bar;
  // 30 px off, out of its zone, the space bar.
  const box = new Promise((resolve) => page.once('dialog', (dialog) => {
    resolve(dialog.message());
    dialog.accept();
  }));
  const before = (await keys()).length;
  const [ccX, ccY] = cssPoint(maze, 11, 10);
  await page.touchscreen.tap(ccX + 15, ccY);
  const message = await Promise.race([box, sleep(3000)]);
  await sleep(200);
  check(!!message && (await keys()).length === before, `phone ${name}: a tap 15 px off "CC" opens its box, and is no key`,
        `${message}`);
  const stops = (await keys()).filter((k) => k === 32).length;
  await page.touchscreen.tap(ccX + 30, ccY);
  check(await waitFor(d, (n) => window.gloutonTrace.filter((l) => JSON.parse(l).key === 32).length > n, stops, 3000),
        `phone ${name}: a tap 30 px off "CC" is the space bar`);

  // From the touch to its key's handler (trace wall, on the page's clock).
  const delays = await d.evaluate(() => {
    const lines = window.gloutonTrace.map((l) => JSON.parse(l));
    const loadedAt = window.gloutonTraceAt[0] - lines[0].wall;
    return lines.filter((s) => s.ev === 'key').map((s) => {
      const at = loadedAt + s.wall;
      const touch = window.gloutonTouches.filter(([, t]) => t <= at + 1).at(-1);
      return touch ? at - touch[1] : NaN;
    });
  });
  console.log(`phone ${name}: touch to key handler ${delays.map((t) => t.toFixed(1)).join(', ')} ms`);

  // "Son" is M: the sound off, and on again; the game does not move for its label.
  const soundOn = () => d.evaluate(() => [Module._glouton_sound_on(), document.getElementById('sound').textContent]);
  const canvasBox = () => d.evaluate(() => JSON.stringify(document.getElementById('canvas').getBoundingClientRect()));
  const played = await canvasBox();
  await page.tap('#sound');
  await sleep(150);
  const off = await soundOn();
  await page.tap('#sound');
  await sleep(150);
  const on = await soundOn();
  check(off[0] === 0 && on[0] === 1 && off[1] !== on[1] && (await canvasBox()) === played,
        `phone ${name}: "Son" switches the sound off and on, the game's box unchanged`, `${off} then ${on}`);
  const lines = await traceLength(d);
  check((await keys()).filter((k) => k === 77).length === 2, `phone ${name}: "Son" reaches the game as M`);
  // The direction pad, off at first, turned on in the strip (upright), then remembered: its presses are the arrow keys.
  const padOn = await d.evaluate(() => !document.getElementById('pad').hidden);
  check(padOn === (name === 'landscape'), `phone ${name}: the pad is off at first, then remembered`);
  if (!padOn) await page.tap('#pad-toggle');
  for (const where of ['up', 'left', 'down', 'right']) await page.tap(`#pad-${where}`);
  await sleep(200);
  check((await keys()).slice(-4).join() === '38,37,40,39', `phone ${name}: the pad's presses are arrow keys`,
        `last keys ${(await keys()).slice(-4)}`);
  const padded = await canvasBox();
  await page.tap('#quit');
  check(await waitFor(d, () => getComputedStyle(document.getElementById('end')).display !== 'none', null, 5000) &&
        (await lastLine(d)).key === 27, `phone ${name}: "Quitter" is Escape, to the end card`, `${lines} lines`);

  const small = () => d.evaluate(() => [...document.querySelectorAll('#bar button, #seek, #pad button, #end button')]
    .filter((b) => b.offsetParent && b.getBoundingClientRect().height < 44).map((b) => b.id));
  const smallAtEnd = await small();

  // The viewer by touch: its bar keeps the game's box; its buttons are its keys.
  await page.tap('#watch');
  await waitFor(d, () => Module.gloutonViewer?.speed === '×1');
  const viewer = () => d.evaluate(() => `${Module.gloutonViewer?.speed} ${Module.gloutonViewer?.paused}`);
  const seen = [await canvasBox() === padded];
  for (const button of ['faster', 'pause', 'slower']) {
    await page.tap(`#${button}`);
    await sleep(150);
    seen.push(await viewer());
  }
  check(seen.join() === 'true,×2 false,×2 true,×1 true', `phone ${name}: the viewer's bar keeps the game's box, its buttons its speed and pause`,
        seen.join());
  const tooSmall = smallAtEnd.concat(await small());
  check(tooSmall.length === 0, `phone ${name}: the strip's, the pad's and the end card's buttons are 44 px high`, `${tooSmall}`);
  // Sideways with no room beside the game (740 x 360), the pad is not offered.
  if (name === 'landscape') {
    await page.setViewport({ width: 740, height: 360, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true });
    check(await waitFor(d, () => document.getElementById('pad').hidden && document.getElementById('pad-toggle').hidden, null, 2000),
          'phone 740 x 360 sideways: no room beside the game, no pad offered');
  }
}

// Installed and offline: the worker keeps the build; a second build served
// at the same address replaces it, whole, after a reload.
async function offline(d) {
  const work = await mkdtemp(join(tmpdir(), 'glouton-site-'));
  try {
    // Build B: build A with its page and script marked, and its worker's list made anew.
    // Served from a folder of the site, not its root.
    const a = join(work, 'a'), b = join(work, 'b'), site = join(work, 'games', 'glouton');
    await mkdir(join(work, 'games'));
    // Every file of the site but the compressed copies, the worker last.
    const names = (await readdir(dir)).filter((n) => !/\.(gz|br)$/.test(n) && n !== 'sw.js').concat('sw.js');
    for (const n of names) {
      await cp(join(dir, n), join(a, n));
      await cp(join(dir, n), join(b, n));
    }
    await writeFile(join(b, 'index.html'), (await readFile(join(b, 'index.html'), 'utf8'))
      .replace('<title>', '<meta name="test-build" content="B"><title>'));
    await writeFile(join(b, 'glouton.js'), (await readFile(join(b, 'glouton.js'), 'utf8')) + '\nwindow.gloutonBuild = "B";\n');
    await new Promise((resolve, reject) => {
      const p = spawn('node', [`${sourceDir}/tools/web-cache-list.mjs`, b, ...names.slice(0, -1)], { stdio: 'inherit' });
      p.on('exit', (c) => (c === 0 ? resolve() : reject(new Error('web-cache-list failed'))));
    });
    await symlink(a, site);
    const server = await serve(work, 0);
    const url = `http://127.0.0.1:${server.address().port}/games/glouton/`;
    const context = await d.browser.createBrowserContext();
    const o = await d.open(context);
    try {
      if (!(await firstTitle(o, url, 'installed, first visit'))) return;
      const stored = await waitFor(o, async () => {
        const r = await navigator.serviceWorker.getRegistration();
        return r?.active?.state === 'activated';
      }, null, 30000);
      const cache = await o.evaluate(async () => {
        const names = await caches.keys();
        let bytes = 0, files = 0;
        for (const name of names)
          for (const request of await (await caches.open(name)).keys()) {
            bytes += (await (await caches.match(request)).arrayBuffer()).byteLength;
            files++;
          }
        return { names, bytes, files };
      });
      check(stored && cache.names.length === 1 && cache.files === names.length - 1, 'the service worker stores the build',
            `${cache.files} files, ${cache.bytes} bytes in ${cache.names}`);
      const icons = await o.evaluate(async () => {
        const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
        return Promise.all(manifest.icons.map((icon) => new Promise((resolve) => {
          const image = new Image();
          image.onload = () => resolve(`${image.naturalWidth}x${image.naturalHeight}` === icon.sizes);
          image.onerror = () => resolve(false);
          image.src = new URL(icon.src, document.baseURI);
        })));
      });
      check(icons.length === 2 && icons.every(Boolean), 'the manifest\'s icons load at their sizes', `${icons}`);

      await o.page.setOfflineMode(true);
      await o.page.reload();
      check(await waitFor(o, ...titleFrames(1), 30000), 'offline, a reload gives the title');
      await o.page.setOfflineMode(false);

      // Build B at the same address: fetched in the background, checked, then
      // used from the next start, its page and script together.
      await unlink(site);
      await symlink(b, site);
      const cacheA = cache.names[0];
      await o.page.reload();
      await waitFor(o, ...titleFrames(1), 30000);
      const taken = await waitFor(o, async (a) => !(await caches.keys()).includes(a), cacheA, 30000);
      check(taken, 'the second build is fetched in the background, and the old cache deleted');
      await o.page.reload();
      await waitFor(o, ...titleFrames(1), 30000);
      const [frames, script, page] = await o.evaluate(() => [window.gloutonTitleFrames, window.gloutonBuild || 'A',
        document.querySelector('meta[name=test-build]')?.content || 'A']);
      check(frames === 1 && script === 'B' && page === 'B', 'after a reload the second build plays, page and script',
            `title frames ${frames}, page ${page}, script ${script}`);
    } finally {
      await o.page.close();
      await context.close();
      server.close();
    }
  } finally {
    await rm(work, { recursive: true, force: true });
  }
}

const server = await serve(dir, 0);
const url = `http://127.0.0.1:${server.address().port}/`;
const boardWork = await mkdtemp(join(tmpdir(), 'glouton-board-'));
const board = await startBoard(boardWork, await freePort());
let d;
try {
  d = await engine.open(engine.binary);
  if (d.page) await d.page.setViewport({ width: 1500, height: 1000 });
  await desktop(d, board.url);
  await controller(d, url);
  await noBoard(d, url);
  await published(d, board);
  if (has('phone'))
    for (const orientation of [['portrait', 390, 844, ['width', 0.9]], ['landscape', 844, 390, ['height', 0.9]]])
      await phone(await d.open(), url, orientation);
  if (has('replays')) await replays(await d.open(), url);
  if (has('offline')) await offline(d);
} catch (e) {
  check(false, `${engineName} plays the page`, e.stack);
} finally {
  if (d) await d.close();
  server.close();
  await board.stop();
  await rm(boardWork, { recursive: true, force: true });
}
process.exit(failures ? 1 : 0);
