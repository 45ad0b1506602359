// SPDX-License-Identifier: MIT
// Keeps the page and the bank editor for use without a network. Their own files sit in a folder
// named by their content, so they are kept for good and a new build is a new cache; the two pages,
// the manifest and the banks come from the network first and from the cache where there is none.
"use strict";

const ASSETS = "@ASSETS@";
const ASSET_FILES = "@ASSET_FILES@".split(" ");
const PAGE_CACHE = `vornikat-page-${ASSETS}`;
const BANK_CACHE = "vornikat-bank";
const SHELL = ["./", "editor.html", "manifest.webmanifest"];
// A bank of no stated length (a stream without end) or a larger one is played, never kept.
const LARGEST_KEPT_BANK = 16 << 20;

self.addEventListener("install", (event) => {
  // The page's own bank too, where the host has one: a site that plays only ?bank= has none.
  event.waitUntil(caches.open(PAGE_CACHE)
    .then((cache) => cache.addAll([...SHELL, ...ASSET_FILES.map((name) => `${ASSETS}/${name}`)])
      .then(() => cache.add("data.bin").catch(() => {})))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith("vornikat-page-") && name !== PAGE_CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

async function fromCache(request, cacheNames, ignoreSearch) {
  for (const name of cacheNames) {
    const cache = await caches.open(name);
    const found = await cache.match(request, { ignoreSearch });
    if (found) {
      return found;
    }
  }
  return Response.error();
}

// The editor by its name, and the quiz page by any other: ./, index.html, with a query or without.
async function pageFromCache(request) {
  const path = new URL(request.url).pathname;
  const scope = new URL("./", self.location.href).pathname;
  return fromCache(path === `${scope}editor.html` ? "editor.html" : "./", [PAGE_CACHE], true);
}

// The last bank played replaces the one kept before it.
async function keepBank(request, response) {
  const length = Number(response.headers.get("Content-Length"));
  if (!response.ok || !(length > 0 && length <= LARGEST_KEPT_BANK)) {
    return;
  }
  const cache = await caches.open(BANK_CACHE);
  for (const old of await cache.keys()) {
    await cache.delete(old);
  }
  await cache.put(request, response);
}

async function fromNetwork(event, isPage) {
  try {
    const response = await fetch(event.request);
    if (!isPage) {
      event.waitUntil(keepBank(event.request, response.clone()).catch(() => {}));
    }
    return response;
  } catch (error) {
    return isPage ? pageFromCache(event.request) :
                    fromCache(event.request, [BANK_CACHE, PAGE_CACHE], false);
  }
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== "GET" || url.origin !== self.location.origin) {
    return;
  }
  const scope = new URL("./", self.location.href).pathname;
  if (url.pathname.startsWith(`${scope}${ASSETS}/`)) {
    event.respondWith(caches.match(request).then((kept) => kept || fetch(request)));
  } else if (request.mode === "navigate") {
    event.respondWith(fromNetwork(event, true));
  } else if (url.pathname === `${scope}manifest.webmanifest`) {
    event.respondWith(fetch(request).catch(() => fromCache(request, [PAGE_CACHE], false)));
  } else {
    event.respondWith(fromNetwork(event, false));
  }
});
