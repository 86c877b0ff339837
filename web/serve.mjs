// Serves the page's folder (build-web/site) on 127.0.0.1, as `make web-serve`
// and the browser test do: node web/serve.mjs [DIR] [PORT] [ADDR]. Nothing but
// files, each as its precompressed FILE.br or FILE.gz beside it when the
// browser accepts that encoding. ADDR 0.0.0.0 lets a phone on the same
// network try the page; a phone installs it (the service worker) only from
// HTTPS or localhost.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.mp3': 'audio/mpeg',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};

export function serve(dir, port = 8000, addr = '127.0.0.1') {
  const server = createServer(async (req, res) => {
    try {
      // normalize() of a path from "/" cannot climb out of the folder.
      const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
      const file = join(dir, path.endsWith('/') ? path + 'index.html' : path);
      const headers = { 'Content-Type': types[extname(file)] || 'application/octet-stream',
                        'Cache-Control': 'no-cache', 'Vary': 'Accept-Encoding' };
      // "br;q=0" refuses br.
      const accepted = String(req.headers['accept-encoding'] || '').split(',')
        .map((e) => e.trim().split(/\s*;\s*/)).filter(([, q]) => !/^q=0(\.0*)?$/.test(q || ''))
        .map(([name]) => name);
      let body = null;
      for (const [encoding, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
        if (!accepted.includes(encoding)) continue;
        body = await readFile(file + suffix).catch(() => null);
        if (body) { headers['Content-Encoding'] = encoding; break; }
      }
      body = body || await readFile(file);
      res.writeHead(200, headers);
      res.end(body);
    } catch {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end('not found\n');
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, addr, () => resolve(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const dir = process.argv[2] || 'build-web/site';
  const port = Number(process.argv[3] || 8000);
  const addr = process.argv[4] || '127.0.0.1';
  await serve(dir, port, addr);
  const { networkInterfaces } = await import('node:os');
  const hosts = addr === '0.0.0.0'
    ? Object.values(networkInterfaces()).flat().filter((i) => i.family === 'IPv4').map((i) => i.address)
    : [addr];
  for (const host of hosts) console.log(`Glouton: http://${host}:${port}/`);
  console.log('Ctrl+C stops');
}
