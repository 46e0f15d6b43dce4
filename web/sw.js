// Keeps the whole site on the device after the first visit, so that the game plays offline.
"use strict";

const cacheName = "CACHE_NAME";
const siteFiles = SITE_FILES;

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches.open(cacheName).then((cache) => cache.addAll(siteFiles)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(
        names.filter((name) => name.startsWith("brumox-") && name !== cacheName)
          .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

// The cache first: the files of one version never change.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(
    caches.open(cacheName)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((cached) => cached || fetch(event.request)));
});
