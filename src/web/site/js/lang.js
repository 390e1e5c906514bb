// The page's own texts in the game's language. They are written in Russian,
// marked tr("…") (trf("…%s…", piece) with pieces put in, trc("context",
// "…") for a text that means another thing elsewhere), and
// scripts/po.sh extracts them into the game's catalogue beside the
// program's texts: tr asks the program for the catalogue's text (its Tr),
// and until the program has said which language it speaks the page speaks
// Russian. When the language changes, the page's root takes its code and
// whatever the page built once is labelled again (onLanguage).
let language = "ru";
let known = new Map(); // Russian -> the language's text, as asked for
const listeners = [];

// The program's kv_tr (bridge.cpp). It only reads its catalogue, so it may
// be called while the program waits for an event (suspended), and is called
// straight: Emscripten's ccall would make that a promise.
function fromProgram(context, russian) {
  const m = window.Module;
  const strings = [context, russian].map((s) => {
    const size = m.lengthBytesUTF8(s) + 1;
    const at = m._malloc(size);
    m.stringToUTF8(s, at, size);
    return at;
  });
  try {
    return m.UTF8ToString(m._kv_tr(...strings));
  } finally {
    strings.forEach((at) => m._free(at));
  }
}

export function trc(context, russian) {
  if (language === "ru") return russian;
  const key = `${context}\x04${russian}`;
  let text = known.get(key);
  if (text === undefined) {
    text = fromProgram(context, russian);
    known.set(key, text);
  }
  return text;
}

export function tr(russian) {
  return trc("", russian);
}

// "%s" takes the next piece, "%2$s" the second, "%%" is "%" (as the
// program's FormatText), so that a language can put the pieces in its order.
export function trf(russian, ...pieces) {
  let next = 0;
  return tr(russian).replace(/%(?:(\d+)\$)?s|%%/g, (all, n) =>
    all === "%%" ? "%" : String(pieces[n ? Number(n) - 1 : next++] ?? ""),
  );
}

// A text of a table, marked for the catalogue and put through tr where it
// is shown.
export const KV_N = (russian) => russian;

export function currentLanguage() {
  return language;
}

// `relabel` runs after every change of language.
export function onLanguage(relabel) {
  listeners.push(relabel);
}

// The program's news: the language it speaks now ({code}).
export function setLanguage(news) {
  document.documentElement.lang = news.code;
  if (news.code === language) return;
  language = news.code;
  known = new Map();
  for (const relabel of listeners) relabel();
}
