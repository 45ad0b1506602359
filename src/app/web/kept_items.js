// SPDX-License-Identifier: MIT
// What the editor keeps in the browser between visits, and hands to the quiz page: items of one
// IndexedDB store by key (the draft being edited, the bank sent to play). IndexedDB rather than
// localStorage, since a bank may be megabytes and its bytes go as they are. The database is
// opened once, at the first use; where the browser refuses it every call fails with its error.
const DATABASE = "vornikat";
const STORE = "kept";
// The keys: the editor's drafts, one per tab ("draft:" and the tab's name), and the bank «Играть»
// hands to the quiz page.
export const DRAFT = "draft:";
export const PLAYED_BANK = "played";

let opening = null;

function request(call) {
  return new Promise((resolve, reject) => {
    call.onsuccess = () => resolve(call.result);
    call.onerror = () => reject(call.error);
  });
}

function openDatabase() {
  if (opening === null) {
    opening = new Promise((resolve, reject) => {
      const call = window.indexedDB.open(DATABASE, 1);
      call.onupgradeneeded = () => call.result.createObjectStore(STORE);
      call.onsuccess = () => resolve(call.result);
      call.onerror = () => reject(call.error || new Error("IndexedDB refused"));
      call.onblocked = () => reject(new Error("IndexedDB blocked"));
    });
    // A refusal is not final: the next use asks again.
    opening.catch(() => {
      opening = null;
    });
  }
  return opening;
}

// The item kept under key, or undefined.
export async function readItem(key) {
  const database = await openDatabase();
  return request(database.transaction(STORE).objectStore(STORE).get(key));
}

// Every key kept.
export async function readKeys() {
  const database = await openDatabase();
  return request(database.transaction(STORE).objectStore(STORE).getAllKeys());
}

// Resolves once the item is written for good (the transaction committed), fails where the
// browser refused it (its quota, a private window).
export async function writeItem(key, value) {
  const database = await openDatabase();
  return new Promise((resolve, reject) => {
    const transaction = database.transaction(STORE, "readwrite");
    transaction.objectStore(STORE).put(value, key);
    // At once, not at the end of the task: the page may be on its way out.
    transaction.commit();
    transaction.oncomplete = () => resolve();
    transaction.onerror = () => reject(transaction.error);
    transaction.onabort = () => reject(transaction.error || new Error("IndexedDB write aborted"));
  });
}

// Moves an item to another key in one transaction: it is never under both, nor lost between.
export async function moveItem(from, to, value) {
  const database = await openDatabase();
  return new Promise((resolve, reject) => {
    const transaction = database.transaction(STORE, "readwrite");
    const store = transaction.objectStore(STORE);
    store.put(value, to);
    store.delete(from);
    transaction.commit();
    transaction.oncomplete = () => resolve();
    transaction.onerror = () => reject(transaction.error);
    transaction.onabort = () => reject(transaction.error || new Error("IndexedDB write aborted"));
  });
}
