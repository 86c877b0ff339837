// The page's service worker: every file of one build in one cache, named
// after the build's content, so that a second visit plays with the network
// cut. tools/web-cache-list.mjs writes the build's copy of this file with the
// list below filled in; any change of any file makes a new worker.
//
// A new build is fetched in the background, checked, and takes over at once
// (skipWaiting): pages started from then on are the new build's. A page asks
// for each of its files with its build's name (glouton.js?build=...), and
// gets that build's file or none: a page that was loading as the worker took
// over, and whose build's cache is gone, starts again (web/index.html). So
// one page never mixes two builds' files.
'use strict';
const BUILD = '@BUILD@';
// Each file of the build, relative to this one, with its SHA-256.
const FILES = '@FILES@';
const CACHE = `glouton-${BUILD}`;

const here = (name) => new URL(name, self.location).href;
// The board's API beside the page (web/board.js): always the network's
// answer, never kept; offline, the page is told so and says it.
const api = here('api/');
const listed = new Map(Object.keys(FILES).map((name) => [here(name), name]));

async function sha256(buffer) {
  const digest = await crypto.subtle.digest('SHA-256', buffer);
  return [...new Uint8Array(digest)].map((b) => b.toString(16).padStart(2, '0')).join('');
}

// The files as this build made them, or no install at all: a file of
// another build (the site changed meanwhile) fails it, and the next visit
// tries again.
self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    for (const [name, hash] of Object.entries(FILES)) {
      const response = await fetch(here(name), { cache: 'no-cache' });
      if (!response.ok) throw new Error(`${name}: ${response.status}`);
      const body = await response.clone().arrayBuffer();
      if ((await sha256(body)) !== hash) throw new Error(`${name} is not this build's`);
      await cache.put(here(name), response);
    }
    await self.skipWaiting();
  })().catch(async (e) => {
    await caches.delete(CACHE);
    throw e;
  }));
});

// Older builds' caches go as this one takes over.
self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith('glouton-') && name !== CACHE) await caches.delete(name);
  })());
});

// The page asks for its files with its build's name (glouton.js?build=...):
// each from that build's cache. A build whose cache is gone (a newer one took
// over as the page loaded) gets no file of another: the page starts again.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || request.url.startsWith(api)) return;
  const url = new URL(request.url);
  const asked = url.searchParams.get('build');
  url.search = '';
  url.hash = '';
  let name = listed.get(url.href);
  // The page itself, by its folder's address, with or without ?trace.
  if (!name && request.mode === 'navigate' && url.href === here('./')) name = 'index.html';
  if (!name) return;
  const build = request.mode === 'navigate' || !asked ? BUILD : asked;
  event.respondWith((async () => {
    const cache = `glouton-${build}`;
    const cached = (await caches.has(cache)) && (await caches.match(here(name), { cacheName: cache }));
    if (cached) return cached;
    if (build === BUILD) return fetch(request);
    return new Response(`${name} of build ${build} is gone: start again\n`,
                        { status: 503, headers: { 'Content-Type': 'text/plain' } });
  })());
});
