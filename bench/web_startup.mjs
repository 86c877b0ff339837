// The page's start-up: window.gloutonTitleFrameAt (performance.now() at the
// title's first frame) on first visits, each in a fresh incognito context (a
// cold cache), the median of RUNS, in Debian's headless chromium: as it is,
// and on a phone-like setting (the CPU slowed 4x, the network as "Fast 4G":
// 1 MB/s down, 165 ms latency). Also when the title music arrived. A second
// passes between visits, so that none starts while the last one's service
// worker and music are still being served.
//   node bench/web_startup.mjs SITE_DIR NPM_DIR [RUNS]
// NPM_DIR holds puppeteer-core (tests/web/package.json: ctest -L web installs it).
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { loadavg } from 'node:os';

const [site, npmDir, runs = '5'] = process.argv.slice(2);
const puppeteer = createRequire(`${npmDir}/`)('puppeteer-core');
const { serve } = await import(fileURLToPath(new URL('../web/serve.mjs', import.meta.url)));

const settings = {
  quiet: null,
  phone: { cpu: 4, network: { offline: false, latency: 165, downloadThroughput: 1e6, uploadThroughput: 0.75e6 } },
};
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const server = await serve(site, 0);
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
                                         headless: true, args: ['--no-sandbox'] });
try {
  for (const [name, setting] of Object.entries(settings)) {
    const frames = [], music = [];
    for (let i = 0; i < Number(runs); i++) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width: 1500, height: 1000 });
      const cdp = await page.createCDPSession();
      await cdp.send('Network.enable');
      await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
      if (setting) {
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: setting.cpu });
        await cdp.send('Network.emulateNetworkConditions', setting.network);
      }
      const musicAt = new Promise((resolve) => page.on('requestfinished', (r) => {
        if (new URL(r.url()).pathname.endsWith('musique-bis.ogg')) page.evaluate('performance.now()').then(resolve, () => resolve(NaN));
      }));
      await page.goto(url);
      await page.waitForFunction('window.gloutonTitleFrameAt > 0', { timeout: 60000 });
      frames.push(await page.evaluate('window.gloutonTitleFrameAt'));
      music.push(await Promise.race([musicAt, new Promise((r) => setTimeout(() => r(NaN), 30000))]));
      await context.close();
      // The visit's worker and music fetches end with it: the next starts on a settled machine.
      await new Promise((r) => setTimeout(r, 1000));
    }
    console.log(`${name}: title's first frame ${frames.map((t) => t.toFixed(0)).join(', ')} ms, ` +
                `median ${median(frames).toFixed(0)} ms; music in by ${median(music).toFixed(0)} ms`);
  }
  console.log(`load average ${loadavg().map((l) => l.toFixed(2)).join(', ')}`);
} finally {
  await browser.close();
  server.close();
}
