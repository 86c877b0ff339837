#!/usr/bin/env node
// Writes the service worker of a built page: DIR/sw.js, from web/sw.js, with
// the list of the page's files and their SHA-256, and the cache's name made
// from them; and stamps that build's name in DIR/index.html (its
// <meta name="glouton-build">, its scripts' and its preloads' addresses),
// with which the page asks for its other files; and the hash of its one
// inline <style> in its Content-Security-Policy, which allows that style only.
// Run it last, once every file of the page is in DIR (before any
// precompressed copy is made of index.html).
//   node tools/web-cache-list.mjs DIR            every file of DIR (a folder of the page's files only)
//   node tools/web-cache-list.mjs DIR FILE...    only these files of DIR; any other file
//                                                there (one an older build made) is removed
// Precompressed copies (.gz, .br) are left out: the browser asks for the file itself.
import { createHash } from 'node:crypto';
import { readFile, readdir, rm, writeFile } from 'node:fs/promises';
import { join, relative } from 'node:path';
import { fileURLToPath } from 'node:url';

const [dir, ...asked] = process.argv.slice(2);
if (!dir) {
  console.error('usage: web-cache-list.mjs DIR [FILE...]');
  process.exit(2);
}
const template = await readFile(fileURLToPath(new URL('../web/sw.js', import.meta.url)), 'utf8');

async function everyFile(folder) {
  const names = [];
  for (const entry of await readdir(folder, { withFileTypes: true })) {
    const path = join(folder, entry.name);
    if (entry.isDirectory()) names.push(...(await everyFile(path)));
    else names.push(relative(dir, path).split('\\').join('/'));
  }
  return names;
}

const names = (asked.length ? asked : await everyFile(dir))
  .filter((name) => name !== 'sw.js' && !/\.(gz|br)$/.test(name))
  .sort();
// The folder holds this build's page and nothing else: what an older build
// left there would be served, cached by the worker and counted by make web-size.
if (asked.length) {
  const kept = new Set(['sw.js', ...names]);
  for (const name of await everyFile(dir)) {
    if (kept.has(name.replace(/\.(gz|br)$/, ''))) continue;
    await rm(join(dir, name));
    console.log(`removed ${name}: not a file of this build`);
  }
}
// The page's stamp, blank while the build's name is made from the files:
// in its meta, and in the addresses of its scripts and the files it preloads.
const stamp = /(<meta name="glouton-build" content=")[^"]*(">)/;
const styleHash = (html) => {
  const style = /<style>([^]*?)<\/style>/.exec(html);
  return style ? createHash('sha256').update(style[1]).digest('base64') : '';
};
const stamped = (html, id) =>
  html.replace(stamp, `$1${id}$2`).replace(/((?:href|src)="[\w.-]+\?build=)[^"]*"/g, `$1${id}"`)
    .replace(/(style-src [^;"]*'sha256-)[^']*'/, `$1${styleHash(html)}'`);
const build = createHash('sha256').update(template);
for (const name of names) {
  let body = await readFile(join(dir, name));
  if (name === 'index.html') body = Buffer.from(stamped(body.toString('utf8'), ''));
  build.update(`${name}\0${createHash('sha256').update(body).digest('hex')}\n`);
}
const id = build.digest('hex').slice(0, 16);
if (names.includes('index.html')) {
  const page = (await readFile(join(dir, 'index.html'), 'utf8'));
  if (!stamp.test(page)) throw new Error('index.html has no <meta name="glouton-build">');
  await writeFile(join(dir, 'index.html'), stamped(page, id));
}
const files = {};
for (const name of names)
  files[name] = createHash('sha256').update(await readFile(join(dir, name))).digest('hex');
const worker = template.replace("'@BUILD@'", JSON.stringify(id))
  .replace("'@FILES@'", JSON.stringify(files, null, 2));
await writeFile(join(dir, 'sw.js'), worker);
const bytes = (await Promise.all(names.map((n) => readFile(join(dir, n))))).reduce((s, b) => s + b.length, 0);
console.log(`sw.js: cache glouton-${id}, ${names.length} files, ${bytes} bytes`);
