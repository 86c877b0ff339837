#!/usr/bin/env node
// Writes the service worker of a built page: DIR/sw.js, from web/sw.js, with
// the list of the page's files and their SHA-256, and the cache's name made
// from them. Run it last, once every file of the page is in DIR.
//   node tools/web-cache-list.mjs DIR            every file of DIR (a folder of the page's files only)
//   node tools/web-cache-list.mjs DIR FILE...    only these files of DIR
// Precompressed copies (.gz, .br) are left out: the browser asks for the file itself.
import { createHash } from 'node:crypto';
import { readFile, readdir, writeFile } from 'node:fs/promises';
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
const files = {};
const build = createHash('sha256').update(template);
for (const name of names) {
  const body = await readFile(join(dir, name));
  files[name] = createHash('sha256').update(body).digest('hex');
  build.update(`${name}\0${files[name]}\n`);
}
const id = build.digest('hex').slice(0, 16);
const worker = template.replace("'@BUILD@'", JSON.stringify(id))
  .replace("'@FILES@'", JSON.stringify(files, null, 2));
await writeFile(join(dir, 'sw.js'), worker);
const bytes = (await Promise.all(names.map((n) => readFile(join(dir, n))))).reduce((s, b) => s + b.length, 0);
console.log(`sw.js: cache glouton-${id}, ${names.length} files, ${bytes} bytes`);
