// The player's store (IndexedDB), opened as soon as the page starts, while
// the program is still on its way: on a first visit the browser takes a
// while to make it, and the program would only begin to open it once it
// runs. It is opened as the program's file system (Emscripten 3.1.6's
// IDBFS, library_idbfs.js) opens a folder's store: named after the folder,
// at IDBFS's version, with its one object store and that store's index.
// The program checks the connection and opens its own when it differs
// (src/web/bridge.cpp, kv_load_files).
export const PLAYER_FOLDER = "/player";
const IDBFS_VERSION = 21;
const IDBFS_STORE = "FILE_DATA";

export function openPlayerStore() {
  return new Promise((resolve) => {
    let request;
    try {
      request = indexedDB.open(PLAYER_FOLDER, IDBFS_VERSION);
    } catch {
      return resolve(null);
    }
    request.onupgradeneeded = () => {
      const db = request.result;
      const files = db.objectStoreNames.contains(IDBFS_STORE)
        ? request.transaction.objectStore(IDBFS_STORE)
        : db.createObjectStore(IDBFS_STORE);
      if (!files.indexNames.contains("timestamp")) files.createIndex("timestamp", "timestamp", { unique: false });
    };
    request.onsuccess = () => resolve(request.result);
    request.onerror = (e) => {
      e.preventDefault();
      resolve(null);
    };
    request.onblocked = () => resolve(null);
  });
}
