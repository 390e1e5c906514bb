// The page's side of the program's calls (src/web/bridge.cpp). The player's
// input waits in one queue, which the program empties one event at a time
// while it waits; news from the program goes to the handlers named by type.
const SEPARATOR = "\x1f";
const queue = [];
let waiter = null;
let waitTimer = 0;
const handlers = {};
const watchers = [];

// Fields with the separator taken out of what the player typed. Called
// from the player's own click or key handler, so that watchers may do what
// only a gesture allows (sound.js).
export function send(...fields) {
  for (const w of watchers) w(fields);
  const event = fields.map((f) => String(f).split(SEPARATOR).join(" ")).join(SEPARATOR);
  if (waiter) {
    const w = waiter;
    waiter = null;
    clearTimeout(waitTimer);
    w(event);
  } else {
    queue.push(event);
  }
}

// Sees every event the page sends, as it is sent.
export function watch(listener) {
  watchers.push(listener);
}

export function on(type, handler) {
  handlers[type] = handler;
}

// A wait shorter than a millisecond ends at the next task: a timer set from
// a timer waits at least 4 ms, which would hold back a clock that a test
// makes tick faster (?warp=N).
const soon = new MessageChannel();
let expireSoon = null;
soon.port1.onmessage = () => expireSoon?.();

function nextEvent(timeoutMs) {
  if (queue.length) return Promise.resolve(queue.shift());
  return new Promise((resolve) => {
    const expire = () => {
      if (waiter !== resolve) return;
      waiter = null;
      resolve(null);
    };
    waiter = resolve;
    if (timeoutMs < 1) {
      expireSoon = expire;
      soon.port2.postMessage(0);
    } else {
      waitTimer = setTimeout(expire, timeoutMs);
    }
  });
}

function receive(type, json) {
  const handler = handlers[type];
  if (!handler) return;
  try {
    handler(JSON.parse(json));
  } catch (e) {
    console.error("kalvitor: news of type", type, e);
  }
}

const SETTING = "kalvitor.";
export function settingGet(name) {
  try {
    return localStorage.getItem(SETTING + name);
  } catch {
    return null;
  }
}
export function settingSet(name, value) {
  try {
    localStorage.setItem(SETTING + name, value);
    return true;
  } catch {
    return false;
  }
}

export const kv = { receive, nextEvent, settingGet, settingSet };
