// Keeps every file of the site, so that after one visit the page works
// offline and from a phone's home screen. The packer names the files and a
// cache that changes with them, so that a new version replaces the old one.
const CACHE = 'kestal';
const FILES = ['./'];

self.addEventListener('install', (event) => {
  event.waitUntil(
      caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
      caches.keys()
          .then(
              (names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
          .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
      caches.match(event.request, {ignoreSearch: true})
          .then((kept) => kept ?? fetch(event.request)),
  );
});
