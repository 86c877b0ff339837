// Replays in the page, in headless Chromium: each FILE (a replay of
// `glouton --record` or `glouton-sim --record`) is opened with "Ouvrir…", jumped to its end
// (End, from the key to the strip's caption saying so), and shared: the
// length of its link, or that "Partager" offers the file instead.
//   node bench/page_replay.mjs BUILD_WEB_DIR NPM_DIR FILE...
// BUILD_WEB_DIR: the page's files (build-web/site); NPM_DIR: the
// node_modules of tests/web (build/tests/web/npm once the web tests ran).
import { readFile } from 'node:fs/promises';
import { resolve } from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const [dir, npmDir, ...files] = process.argv.slice(2);
if (!files.length) {
  console.error('usage: page_replay.mjs BUILD_WEB_DIR NPM_DIR FILE...');
  process.exit(2);
}
const puppeteer = createRequire(`${resolve(npmDir)}/`)('puppeteer-core');
const { serve } = await import(fileURLToPath(new URL('../web/serve.mjs', import.meta.url)));
const server = await serve(dir, 0);
const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
                                         headless: true, args: ['--no-sandbox'] });
const waitFor = async (page, fn, arg) => {
  for (const end = Date.now() + 60000; Date.now() < end; await new Promise((r) => setTimeout(r, 5)))
    if (await page.evaluate(fn, arg)) return true;
  return false;
};
try {
  for (const file of files) {
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await waitFor(page, () => window.gloutonTitleFrames === 1);
    const text = await readFile(file, 'utf8');
    // Opened as the player would, with "Ouvrir…".
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#open')]);
    await chooser.accept([resolve(file)]);
    if (!(await waitFor(page, () => /revoir/.test(window.gloutonCaption || '')))) {
      console.log(`${file}: does not play: ${await page.evaluate(() => document.getElementById('message').textContent)}`);
      continue;
    }
    const jump = await page.evaluate(() => new Promise((resolve) => {
      const t0 = performance.now();
      Module._glouton_press(35);  // End
      const poll = () => {
        const m = /revoir (\S+) \/ (\S+)/.exec(document.title);
        if (m && m[1] === m[2]) resolve(performance.now() - t0);
        else setTimeout(poll, 1);
      };
      poll();
    }));
    await page.evaluate(() => Module._glouton_press(27));  // Escape: the end card
    await waitFor(page, () => getComputedStyle(document.getElementById('end')).display !== 'none');
    await page.click('#share');
    await waitFor(page, () => window.gloutonSharedLink);
    const [link, said] = await page.evaluate(() => [window.gloutonSharedLink,
                                                    document.getElementById('message').textContent]);
    const fragment = link.length - link.indexOf('#');
    console.log(`${file}: ${text.length} bytes; jump to the end ${jump.toFixed(0)} ms; ` +
                `link ${link.length} characters (fragment ${fragment}); ${said}`);
    await page.close();
  }
} finally {
  await browser.close();
  server.close();
}
