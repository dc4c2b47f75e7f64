// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the whole site for use offline. Each release has a cache of its own, named after the
// project's version and the release; the site is put together with them and its file list here,
// so that a new release is a new worker, which takes over at once and removes the old release's
// cache.

const VERSION = '@VERSION@';
const RELEASE = '@RELEASE@';
const FILES = [@FILES@];
const CACHE = `ddvelmor-${VERSION}-${RELEASE}`;

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(FILES.map((file) => new Request(file, {cache: 'reload'}))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name.startsWith('ddvelmor-') &&
                                                            name !== CACHE)
                                         .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The site from this release's cache, the page itself at any address of the site's folder; the
// network only for what the cache does not hold.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
        return;
    event.respondWith(caches.open(CACHE)
        .then((cache) => cache.match(request, {ignoreSearch: true})
            .then((cached) => cached ||
                  (request.mode === 'navigate' ? cache.match('./') : undefined)))
        .then((cached) => cached || fetch(request)));
});

// The page asks which release this worker keeps, to reload itself when it is of another one.
self.addEventListener('message', (event) => {
    if (event.data === 'release')
        event.ports[0]?.postMessage(RELEASE);
});
