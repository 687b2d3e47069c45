// The page's offline copy. Every file of the site is kept on the first
// visit; after that the page starts from the copy, with or without a
// network. A new build has another version, so the browser installs it
// beside the old copy and removes the old one once it takes over.
'use strict';

const VERSION = '@VERSION@';
const CACHE = `tessaline-${VERSION}`;
const FILES = ['@FILES@'];

self.addEventListener('install', (e) => {
    e.waitUntil(caches.open(CACHE).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
    e.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys.filter((k) => k.startsWith('tessaline-') && k !== CACHE).map((k) => caches.delete(k))))
        .then(() => self.clients.claim()));
});

// The kept copy first; anything not kept goes to the network.
self.addEventListener('fetch', (e) => {
    if (e.request.method !== 'GET') return;
    e.respondWith(caches.open(CACHE)
        .then((c) => c.match(e.request, { ignoreSearch: true }))
        .then((kept) => kept || fetch(e.request)));
});
