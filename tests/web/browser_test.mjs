// The page in Debian's headless chromium: the title's pixels, Enter and the
// maze's pixels, the arrows that move the glouton and raise the score (read
// from window.gloutonTrace), the audio running after a gesture, Escape's end
// card and "Rejouer" back to the title.
//   node browser_test.mjs BUILD_WEB_DIR NPM_DIR SOURCE_DIR
// NPM_DIR holds the node_modules that package-lock.json pins.
import { createRequire } from 'node:module';

const [dir, npmDir, sourceDir] = process.argv.slice(2);
const puppeteer = createRequire(`${npmDir}/`)('puppeteer-core');
const { serve } = await import(`${sourceDir}/web/serve.mjs`);
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'ok' : 'FAIL'}: ${what}${detail ? ' (' + detail + ')' : ''}`);
  if (!ok) failures++;
}

// In the page: the canvas's non-black box, its whole scale for content of
// W x H pixels, how many k x k blocks are not of one colour (a blurred or
// fractional scale), and the colours at content points.
function inspect([w, h, points]) {
  const canvas = document.getElementById('canvas');
  const { width, height } = canvas;
  const data = canvas.getContext('2d').getImageData(0, 0, width, height).data;
  const at = (x, y) => { const i = 4 * (y * width + x); return [data[i], data[i + 1], data[i + 2]]; };
  let x0 = width, y0 = height, x1 = -1, y1 = -1;
  for (let y = 0; y < height; y++)
    for (let x = 0; x < width; x++) {
      const [r, g, b] = at(x, y);
      if (r + g + b > 0) { x0 = Math.min(x0, x); x1 = Math.max(x1, x); y0 = Math.min(y0, y); y1 = Math.max(y1, y); }
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
  return { width, height, box, k, blurred, colours };
}

const red = ([r, g, b]) => r > 200 && g < 60 && b < 60;
const yellow = ([r, g, b]) => r > 200 && g > 200 && b < 80;
const blue = ([r, g, b]) => b > 150 && r < 60 && g < 60;

async function shows(page, what, w, h, points, tests) {
  const seen = await page.evaluate(inspect, [w, h, points]);
  const { box, k } = seen;
  check(Number.isInteger(k) && k >= 1 && box.h === h * k, `${what}: drawn at a whole scale`,
        `box ${box.w}x${box.h} at ${box.x},${box.y} in ${seen.width}x${seen.height}`);
  const fits = Math.min(Math.floor(seen.width / w), Math.floor(seen.height / h));
  check(k === fits, `${what}: the largest whole scale that fits`, `${k}, ${fits} fits`);
  check(Math.abs(2 * box.x + box.w - seen.width) <= 1 && Math.abs(2 * box.y + box.h - seen.height) <= 1,
        `${what}: letterboxed in the middle`);
  check(seen.blurred === 0, `${what}: sharp pixels`, `${seen.blurred} blurred blocks`);
  tests.forEach(([name, ok], i) => check(ok(seen.colours[i]), `${what}: ${name}`, `rgb ${seen.colours[i]}`));
}

const server = await serve(dir, 0);
const port = server.address().port;
const browser = await puppeteer.launch({
  executablePath: chromium, headless: true,
  args: ['--no-sandbox', '--autoplay-policy=user-gesture-required'],
});
try {
  const page = await browser.newPage();
  page.on('pageerror', (e) => check(false, 'no error in the page', e.message));
  await page.setViewport({ width: 1500, height: 1000 });
  const t0 = Date.now();
  await page.goto(`http://127.0.0.1:${port}/?trace`);
  await page.waitForFunction('window.gloutonTitleFrames === 1', { timeout: 30000 });
  const firstFrame = await page.evaluate('window.gloutonTitleFrameAt');
  console.log(`title's first frame ${firstFrame.toFixed(0)} ms after navigation (${Date.now() - t0} ms here)`);
  check(await page.evaluate('document.activeElement === document.getElementById("canvas")'),
        'the canvas has the keyboard focus');
  // The title window is 706 x 468 pixels: red, "GLOUTON" on yellow.
  const title = ['the red window', red, [3, 3]];
  await shows(page, 'title', 706, 468, [title[2], [181, 150]],
              [[title[0], title[1]], ['the yellow title label', yellow]]);

  // The page's button and Alt+Enter toggle fullscreen; Alt+Enter is not "GO !".
  const fullscreen = () => page.evaluate('!!document.fullscreenElement');
  await page.click('#fullscreen');
  await page.waitForFunction('!!document.fullscreenElement', { timeout: 3000 }).catch(() => {});
  check(await fullscreen(), 'the page\'s button goes fullscreen');
  await page.keyboard.down('Alt');
  await page.keyboard.press('Enter');
  await page.keyboard.up('Alt');
  await page.waitForFunction('!document.fullscreenElement', { timeout: 3000 }).catch(() => {});
  check(!(await fullscreen()), 'Alt+Enter leaves fullscreen');
  check(await page.evaluate('window.gloutonTrace.length === 0 && document.activeElement.id === "canvas"'),
        'still on the title, the canvas focused');

  await page.keyboard.press('Enter');  // GO ! has the focus
  await page.waitForFunction('window.gloutonTrace.length > 0', { timeout: 10000 });
  check(await page.waitForFunction(
          'Module.SDL2 && Module.SDL2.audioContext && Module.SDL2.audioContext.state === "running"',
          { timeout: 5000 }).then(() => true, () => false),
        'the audio runs after a gesture');
  await new Promise((r) => setTimeout(r, 300));
  await shows(page, 'maze', 644, 448, [[2, 200], [322, 33]],
              [['the blue ground', blue], ['the white of a wall tile', (c) => c.every((v) => v > 230)]]);

  const last = () => page.evaluate('JSON.parse(window.gloutonTrace[window.gloutonTrace.length - 1])');
  const before = await last();
  await page.keyboard.down('ArrowLeft');
  const moved = await page.waitForFunction(
    (x) => { const s = JSON.parse(window.gloutonTrace[window.gloutonTrace.length - 1]);
             return s.score > 0 && s.glouton.x !== x; },
    { timeout: 10000 }, before.glouton.x).then(() => true, () => false);
  await page.keyboard.up('ArrowLeft');
  const after = await last();
  check(moved, 'the arrows move the glouton and the score rises',
        `x ${before.glouton.x} -> ${after.glouton.x}, score ${before.score} -> ${after.score}`);
  check(Number.isInteger(after.wall) && after.wall >= after.t, 'trace lines carry wall', `wall ${after.wall}`);

  await page.keyboard.press('Escape');
  const ended = await page.waitForFunction(
    'getComputedStyle(document.getElementById("end")).display !== "none"', { timeout: 5000 })
    .then(() => true, () => false);
  check(ended, 'Escape shows the end card');
  await page.click('#again');
  const again = await page.waitForFunction('window.gloutonTitleFrames === 2', { timeout: 10000 })
    .then(() => true, () => false);
  check(again, '"Rejouer" brings the title back');
  if (again) {
    await shows(page, 'title again', 706, 468, [title[2]], [[title[0], title[1]]]);
    // A click on "GO !" (66 x 28 pixels at 14, 425 of the title) opens a fresh game.
    const { box, k } = await page.evaluate(inspect, [706, 468, []]);
    const lines = await page.evaluate('window.gloutonTrace.length');
    await page.mouse.click(box.x + (14 + 33) * k, box.y + (425 + 14) * k);
    const opened = await page.waitForFunction(
      (n) => window.gloutonTrace.length > n && JSON.parse(window.gloutonTrace[n]).score === 0,
      { timeout: 10000 }, lines).then(() => true, () => false);
    check(opened, 'a click on "GO !" opens a fresh game');
  }
} finally {
  await browser.close();
  server.close();
}
process.exit(failures ? 1 : 0);
