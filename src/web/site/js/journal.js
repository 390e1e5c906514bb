// The journal of the life in a window of its own, as on the desktop
// (src/qt/journal_window.cpp): the newest entry first, each with its date
// and time, its kind and its text; a filter by kind, a search in the texts
// and the count shown. The program sends only the entries that are new
// (src/web/tool_news.cpp); the page keeps them, also while the window is
// closed, and lets the oldest go as the journal does.
import { tr, trf } from "./lang.js";
import { openTool } from "./tool_windows.js";

const entries = []; // oldest first: { seq, when, kind, text }
let kinds = []; // the kinds' names, by number
let view = null; // the open window

// Deaths red, victories green, the games begun in blue; the rest in the
// window's ink.
const KIND_COLORS = { 5: "#b01010", 6: "#108020", 7: "#1040a0" };
const ALL = -1;

export function onJournal(news) {
  if (news.reset) entries.length = 0;
  if (news.kinds) kinds = news.kinds;
  news.entries.forEach((e, i) => entries.push({ seq: news.from + i, ...e }));
  let gone = 0;
  while (gone < entries.length && entries[gone].seq < news.first) ++gone;
  entries.splice(0, gone);
  if (!view) return;
  // Sent whole again after a load or a change of language: the kinds too.
  if (news.reset) view.fill(news.kinds !== undefined);
  else view.follow(news.entries.length, news.first);
}

function element(tag, props = {}, ...children) {
  const el = Object.assign(document.createElement(tag), props);
  el.append(...children);
  return el;
}

function makeRow(e) {
  const row = element(
    "tr",
    {},
    element("td", { className: "when", textContent: e.when }),
    element("td", { className: "kind", textContent: kinds[e.kind] ?? "" }),
    element("td", { className: "text", textContent: e.text, title: e.text }),
  );
  row.dataset.seq = String(e.seq);
  if (KIND_COLORS[e.kind]) row.style.color = KIND_COLORS[e.kind];
  return row;
}

function build(body) {
  const kind = element("select", { id: "journal-kind" });
  const listKinds = () =>
    kind.replaceChildren(
      element("option", { value: String(ALL), textContent: tr("Все записи") }),
      ...kinds.map((name, k) => element("option", { value: String(k), textContent: name })),
    );
  listKinds();
  const show = element("label", { htmlFor: kind.id, textContent: tr("Показать:") });
  // type "text": a "p" typed here is a letter, not the pause (keys.js).
  const search = element("input", { type: "text", placeholder: tr("Поиск"), spellcheck: false, autocomplete: "off" });
  search.setAttribute("aria-label", tr("Поиск"));
  search.dataset.autofocus = "";
  const count = element("span", { className: "count" });
  const bar = element("div", { className: "journal-bar" }, show, kind, search, count);

  const rows = element("tbody");
  const table = element(
    "table",
    { className: "journal-table" },
    element("caption", { className: "reader-only", textContent: tr("Журнал событий") }),
    element(
      "thead",
      {},
      element("tr", {}, ...[tr("Дата"), tr("Вид"), tr("Запись")].map((h) => element("th", { scope: "col", textContent: h }))),
    ),
    rows,
  );
  // It takes the keyboard, so that the arrows and the page keys scroll it.
  const scroller = element("div", { className: "journal-rows", tabIndex: 0 }, table);
  scroller.setAttribute("role", "region");
  scroller.setAttribute("aria-label", tr("Записи журнала"));
  body.append(bar, scroller);

  const passes = (e) => {
    const k = Number(kind.value);
    const wanted = search.value.trim().toLocaleLowerCase();
    return (k === ALL || e.kind === k) && (!wanted || e.text.toLocaleLowerCase().includes(wanted));
  };
  const showCount = () => {
    count.textContent = trf("Записей: %s из %s", rows.rows.length, entries.length);
  };
  const fill = (kindsToo = false) => {
    if (kindsToo) {
      const chosen = kind.value;
      listKinds();
      kind.value = chosen;
    }
    const all = document.createDocumentFragment();
    for (let i = entries.length - 1; i >= 0; --i) if (passes(entries[i])) all.append(makeRow(entries[i]));
    rows.replaceChildren(all);
    showCount();
  };
  // The new entries on top, and the oldest let go at the bottom. A reader
  // at the top sees the new ones come in; one who has scrolled down keeps
  // the rows in view.
  const follow = (added, first) => {
    const atTop = scroller.scrollTop === 0;
    const before = rows.offsetHeight;
    const fresh = document.createDocumentFragment();
    for (let i = entries.length - 1; i >= entries.length - added && i >= 0; --i)
      if (passes(entries[i])) fresh.append(makeRow(entries[i]));
    rows.prepend(fresh);
    const grown = rows.offsetHeight - before;
    while (rows.lastElementChild && Number(rows.lastElementChild.dataset.seq) < first) rows.lastElementChild.remove();
    if (grown > 0 && !atTop) scroller.scrollTop += grown;
    showCount();
  };
  kind.addEventListener("change", () => fill());
  search.addEventListener("input", () => fill());
  view = { fill, follow };
  fill();
  return () => {
    view = null;
  };
}

export function openJournal() {
  openTool("journal", () => tr("Журнал событий"), "journal-window", build);
}
