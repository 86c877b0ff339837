// The page's start-up: window.gloutonTitleFrameAt (performance.now() at the
// title's first frame) on first visits, each in a fresh incognito context (a
// cold cache), the median of RUNS, in Debian's headless chromium: as it is,
// and on a phone-like setting (the CPU slowed 4x, the network as "Fast 4G":
// 1 MB/s down, 165 ms latency). Also when the title music arrived. A second
// passes between visits, so that none starts while the last one's service
// worker and music are still being served. Given OTHER_SITE_DIRs (another
// build), the builds take turns, visit by visit, in the same run.
//   node bench/web_startup.mjs SITE_DIR NPM_DIR [RUNS [OTHER_SITE_DIR...]]
// NPM_DIR holds puppeteer-core (tests/web/package.json: ctest -L web installs it).
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { loadavg } from 'node:os';

const [site, npmDir, runs = '5', ...others] = process.argv.slice(2);
const puppeteer = createRequire(`${npmDir}/`)('puppeteer-core');
const { serve } = await import(fileURLToPath(new URL('../web/serve.mjs', import.meta.url)));

const settings = {
  quiet: null,
  phone: { cpu: 4, network: { offline: false, latency: 165, downloadThroughput: 1e6, uploadThroughput: 0.75e6 } },
};
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const sites = [site, ...others];
const servers = await Promise.all(sites.map((dir) => serve(dir, 0)));
const urls = servers.map((server) => `http://127.0.0.1:${server.address().port}/`);
const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
                                         headless: true, args: ['--no-sandbox'] });
try {
  for (const [name, setting] of Object.entries(settings)) {
    const frames = sites.map(() => []), music = sites.map(() => []);
    for (let i = 0; i < Number(runs) * sites.length; i++) {
      const which = i % sites.length;
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
        if (/musique-bis\.(ogg|mp3)$/.test(new URL(r.url()).pathname)) page.evaluate('performance.now()').then(resolve, () => resolve(NaN));
      }));
      await page.goto(urls[which]);
      await page.waitForFunction('window.gloutonTitleFrameAt > 0', { timeout: 60000 });
      frames[which].push(await page.evaluate('window.gloutonTitleFrameAt'));
      music[which].push(await Promise.race([musicAt, new Promise((r) => setTimeout(() => r(NaN), 30000))]));
      await context.close();
      // The visit's worker and music fetches end with it: the next starts on a settled machine.
      await new Promise((r) => setTimeout(r, 1000));
    }
    sites.forEach((dir, n) => console.log(
      `${name}${others.length ? ` (${dir})` : ''}: title's first frame ${frames[n].map((t) => t.toFixed(0)).join(', ')} ms, ` +
      `median ${median(frames[n]).toFixed(0)} ms; music in by ${median(music[n]).toFixed(0)} ms`));
  }
  console.log(`load average ${loadavg().map((l) => l.toFixed(2)).join(', ')}`);
} finally {
  await browser.close();
  for (const server of servers) server.close();
}
