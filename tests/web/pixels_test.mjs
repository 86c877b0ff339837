// The page's title and first maze against the desktop window's shots
// (WORK/title.rgb, 706 x 468, and WORK/maze.rgb, 644 x 448, made by
// pixels_test.sh), pixel for pixel: the canvas's whole-scale blocks read back
// at 1 x. What moves on its own is left out: the title's sliding face (its
// rows), and in the maze (32 to 512 across, from 32 down) the 32-pixel cells
// where the glouton or a chaser stands in either picture, at most eight; the
// panels above and right of it, with the boxes, texts and button, must match
// whole.
//   node pixels_test.mjs SITE_DIR NPM_DIR SOURCE_DIR WORK
import { createRequire } from 'node:module';
import { readFileSync, writeFileSync } from 'node:fs';

const [site, npmDir, sourceDir, work] = process.argv.slice(2);
const puppeteer = createRequire(`${npmDir}/`)('puppeteer-core');
const { serve } = await import(`${sourceDir}/web/serve.mjs`);
let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'ok' : 'FAIL'}: ${what}${detail ? ' (' + detail + ')' : ''}`);
  if (!ok) failures++;
}

// The canvas's content of w x h pixels at its whole scale, as RGB bytes.
function contentOf([w, h]) {
  const canvas = document.getElementById('canvas');
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  const k = Math.min(Math.floor(canvas.width / w), Math.floor(canvas.height / h));
  const x0 = Math.floor((canvas.width - w * k) / 2), y0 = Math.floor((canvas.height - h * k) / 2);
  const out = [];
  for (let y = 0; y < h; y++)
    for (let x = 0; x < w; x++) {
      const i = 4 * ((y0 + y * k) * canvas.width + x0 + x * k);
      out.push(data[i], data[i + 1], data[i + 2]);
    }
  return out;
}

// The pixels (x, y) where the two pictures differ.
function differences(page, desktop, w, h) {
  const out = [];
  for (let y = 0; y < h; y++)
    for (let x = 0; x < w; x++) {
      const i = 3 * (y * w + x);
      if (page[i] !== desktop[i] || page[i + 1] !== desktop[i + 1] || page[i + 2] !== desktop[i + 2])
        out.push([x, y]);
    }
  return out;
}

const server = await serve(site, 0);
const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
                                         headless: true, args: ['--no-sandbox'] });
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1500, height: 1000 });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction('window.gloutonTitleFrames === 1', { timeout: 30000 });
  const title = await page.evaluate(contentOf, [706, 468]);
  writeFileSync(`${work}/page-title.rgb`, Buffer.from(title));
  // The face slides along rows 267 to 331.
  const titleDiff = differences(title, readFileSync(`${work}/title.rgb`), 706, 468)
    .filter(([, y]) => y < 267 || y > 331);
  check(titleDiff.length === 0, 'the title is the desktop\'s, the face\'s rows aside',
        `${titleDiff.length} pixels differ, the first at ${titleDiff[0]}`);

  await page.keyboard.press('Enter');
  await page.waitForFunction(
    () => { const c = document.getElementById('canvas');
            return c.width > 0 && c.getContext('2d').getImageData(c.width / 2, c.height / 2, 1, 1).data[3] > 0; },
    { timeout: 10000 });
  await new Promise((r) => setTimeout(r, 300));
  const maze = await page.evaluate(contentOf, [644, 448]);
  writeFileSync(`${work}/page-maze.rgb`, Buffer.from(maze));
  const mazeDiff = differences(maze, readFileSync(`${work}/maze.rgb`), 644, 448);
  const inPanel = ([x, y]) => y < 32 || x >= 512;
  const panel = mazeDiff.filter(inPanel);
  const cells = new Set(mazeDiff.filter((p) => !inPanel(p)).map(([x, y]) => `${x >> 5},${y >> 5}`));
  check(panel.length === 0, 'the game window\'s panels are the desktop\'s',
        `${panel.length} pixels differ, the first at ${panel[0]}`);
  check(cells.size <= 8, 'the maze is the desktop\'s but where the movers stand',
        `${cells.size} cells differ: ${[...cells].join(' ')}`);
} finally {
  await browser.close();
  server.close();
}
process.exit(failures ? 1 : 0);
