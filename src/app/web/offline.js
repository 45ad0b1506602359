// SPDX-License-Identifier: MIT
// Hands the page to a service worker that keeps its files and the last bank played, so that
// the next visit plays without a network and the page can be installed as an app. Registered
// once the page is up, so that the first visit's start does not wait for it; where the browser
// refuses (storage blocked, a sandboxed frame) the page plays online as before.
if ("serviceWorker" in navigator) {
  window.addEventListener("load", () => {
    navigator.serviceWorker.register("service-worker.js").catch(() => {});
  });
}
