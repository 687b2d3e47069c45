// The page's offline copy. Every file of the site is kept on the first
// visit; after that the page starts from the copy, with or without a
// network. A new build has another version, so the browser installs it
// beside the old copy and removes the old one once it takes over.
'use strict';

const VERSION = '@VERSION@';
const CACHE = `tessaline-${VERSION}`;
const FILES = ['@FILES@'];
// The NWB writer, five times the rest of the page: kept once a student
// has exported, so a later export works offline too.
const ON_DEMAND = ['@ON_DEMAND@'].map((f) => new URL(f, self.registration.scope).href);

self.addEventListener('install', (e) => {
    e.waitUntil(caches.open(CACHE).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
    e.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys.filter((k) => k.startsWith('tessaline-') && k !== CACHE).map((k) => caches.delete(k))))
        .then(() => self.clients.claim()));
});

// The kept copy first; anything not kept goes to the network, and is kept
// if it is part of the NWB writer.
self.addEventListener('fetch', (e) => {
    if (e.request.method !== 'GET') return;
    e.respondWith(caches.open(CACHE).then((c) => c.match(e.request, { ignoreSearch: true }).then((kept) => kept
        || fetch(e.request).then((got) => {
            if (got.ok && ON_DEMAND.includes(e.request.url.split('?')[0])) c.put(e.request, got.clone());
            return got;
        }))));
});
