// The page's folder (build-web/site): its files, each beside a .gz and a .br
// copy for servers that send them precompressed, and the table of their
// sizes that `make web-size` prints.
//   node tools/web-site.mjs compress SITE_DIR   writes FILE.gz (gzip -9) and FILE.br (brotli 11)
//   node tools/web-site.mjs size SITE_DIR       prints every file's raw, gzip and brotli size
// A copy newer than its file is kept.
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { brotliCompressSync, constants } from 'node:zlib';

const [command, dir] = process.argv.slice(2);
if (!['compress', 'size'].includes(command) || !dir) {
  console.error('usage: node tools/web-site.mjs compress|size SITE_DIR');
  process.exit(2);
}

const copies = /\.(gz|br)$/;
// The page's own files: everything but the compressed copies, in a fixed order.
const files = readdirSync(dir).filter((f) => !copies.test(f) && statSync(join(dir, f)).isFile()).sort();

const brotli = (body) => brotliCompressSync(body, { params: {
  [constants.BROTLI_PARAM_QUALITY]: constants.BROTLI_MAX_QUALITY,
  [constants.BROTLI_PARAM_LGWIN]: constants.BROTLI_MAX_WINDOW_BITS,
  [constants.BROTLI_PARAM_SIZE_HINT]: body.length } });
const gzip = (file) => execFileSync('gzip', ['-9', '-n', '-c', file]);

function fresh(file, copy) {
  try { return statSync(copy).mtimeMs >= statSync(file).mtimeMs; } catch { return false; }
}

if (command === 'compress') {
  for (const name of files) {
    const file = join(dir, name);
    // GNU gzip, as the figures quote it; -n: no name or time, the same bytes every build.
    if (!fresh(file, file + '.gz')) writeFileSync(file + '.gz', gzip(file));
    if (!fresh(file, file + '.br')) writeFileSync(file + '.br', brotli(readFileSync(file)));
  }
} else {
  const size = (f) => statSync(f).size;
  const kb = (n) => (n / 1000).toFixed(1);
  const rows = files.map((name) => {
    const file = join(dir, name);
    const gz = fresh(file, file + '.gz') ? size(file + '.gz') : gzip(file).length;
    const br = fresh(file, file + '.br') ? size(file + '.br') : brotli(readFileSync(file)).length;
    return [name, size(file), gz, br];
  });
  const total = rows.reduce((t, r) => [t[0], t[1] + r[1], t[2] + r[2], t[3] + r[3]], ['total', 0, 0, 0]);
  console.log('| file | raw (kB) | gzip -9 (kB) | brotli (kB) |');
  console.log('|---|--:|--:|--:|');
  for (const [name, raw, gz, br] of [...rows, total])
    console.log(`| ${name === 'total' ? '**total**' : '`' + name + '`'} | ${kb(raw)} | ${kb(gz)} | ${kb(br)} |`);
}
