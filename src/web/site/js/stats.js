// The statistics of the life in a window of its own, as on the desktop
// (src/qt/stats_window.cpp): the summary of the life, and charts by game
// day of the money and the bank, the vitals with the lines where they kill,
// and education with the status rank on an axis of its own. The charts are
// drawn by uPlot (served from the site's lib/uplot, loaded the first time
// the window opens): the smallest of npm's chart libraries that draws dated
// lines with a second axis. The program sends only the days that are new
// (src/web/tool_news.cpp); the page keeps them, also while the window is
// closed.
import { KV_N, tr, trf } from "./lang.js";
import { openTool } from "./tool_windows.js";

const DAY = 86400;
const COLUMNS = ["money", "deposit", "loan", "health", "satiety", "mood", "education", "rank"];

// One line of a chart: its column, name, colour and chart; the rank on the
// right-hand axis of its own.
const LINES = [
  { column: "money", name: KV_N("Деньги"), color: "#1f7a1f", chart: 0 },
  { column: "deposit", name: KV_N("Вклад"), color: "#1f4fb0", chart: 0 },
  { column: "loan", name: KV_N("Долг банку"), color: "#b03a1f", chart: 0 },
  { column: "health", name: KV_N("Здоровье"), color: "#c0282d", chart: 1 },
  { column: "satiety", name: KV_N("Сытость"), color: "#d08a10", chart: 1 },
  { column: "mood", name: KV_N("Настроение"), color: "#6a3db0", chart: 1 },
  { column: "education", name: KV_N("Образование"), color: "#1f6fa0", chart: 2 },
  { column: "rank", name: KV_N("Статус"), color: "#8a5a1f", chart: 2, right: true },
];
// The levels where a vital kills, dashed in its colour across the vitals' chart.
const DEATH_LINES = [
  { level: -50, color: "#c0282d" },
  { level: -20, color: "#d08a10" },
  { level: -100, color: "#6a3db0" },
];
const CHARTS = [
  { title: KV_N("Деньги и банк, $"), height: 220 },
  { title: KV_N("Здоровье, сытость, настроение, %"), height: 220 },
  { title: KV_N("Образование, % и статус"), height: 240 },
];
const CHART_WIDTH = 790;

const samples = { days: [] };
COLUMNS.forEach((c) => (samples[c] = []));
let summary = null;
let ranks = [];
let view = null; // the open window

export function onStats(news) {
  if (news.ranks) ranks = news.ranks;
  summary = news.summary;
  for (const column of ["days", ...COLUMNS]) {
    if (news.reset) samples[column] = [];
    samples[column].push(...news.samples[column]);
  }
  view?.follow();
}

const money = (v) => (v < 0 ? `-$${-v}` : `$${v}`);
const rankName = (r) => ranks[r - 1] ?? "";
function valueText(line, v) {
  if (v == null) return "—";
  if (line.chart === 0) return money(v);
  return line.right ? rankName(v) : `${v}%`;
}
function dateText(t) {
  const d = new Date(t * 1000);
  const two = (n) => String(n).padStart(2, "0");
  return `${two(d.getUTCDate())}.${two(d.getUTCMonth() + 1)}.${two(d.getUTCFullYear() % 100)}`;
}

function summaryText() {
  const s = summary;
  return (
    [
      trf("Дней прожито: %s", s.daysLived),
      trf("Лучшие деньги: %s", money(s.bestMoney)),
      trf("Работ: %s", s.jobsHeld),
      trf("Детей: %s", s.children),
    ].join("     ") +
    "\n" +
    trf("За этот запуск игры — смертей: %s, побед: %s", s.deaths, s.victories)
  );
}

// The dates run from the first day to the last (a day either side when
// there is only one, from today when there is none).
function dayRange() {
  const d = samples.days;
  const first = d.length ? d[0] : summary.today;
  return [first, Math.max(d.length ? d[d.length - 1] : first, first + DAY)];
}
// No more marks than days, so that no date is written twice; seven at most.
function daySplits(u, axis, min, max) {
  const days = Math.round((max - min) / DAY);
  const step = Math.max(1, Math.ceil(days / 6)) * DAY;
  const marks = [];
  for (let t = min; t <= max + 1; t += step) marks.push(t);
  return marks;
}

// The values' range of a chart: the money with a little room either way;
// the vitals down to their death lines and up to 0 at least; education
// from 0 to 100 at least.
function valueRange(chart) {
  const values = LINES.filter((l) => l.chart === chart && !l.right).flatMap((l) => samples[l.column]);
  let lo = values.length ? values.reduce((a, b) => Math.min(a, b)) : [0, 0, 0][chart];
  let hi = values.length ? values.reduce((a, b) => Math.max(a, b)) : [500, 100, 100][chart];
  if (chart === 1) (lo = Math.min(lo, -100)), (hi = Math.max(hi, 0));
  if (chart === 2) (lo = Math.min(lo, 0)), (hi = Math.max(hi, 100));
  const pad = Math.max(1, (hi - lo) * 0.05);
  return [lo - (chart === 0 ? pad : 0), hi + pad];
}

function drawDeathLines(u) {
  const ctx = u.ctx;
  const px = window.devicePixelRatio || 1;
  ctx.save();
  ctx.lineWidth = px;
  ctx.setLineDash([6 * px, 4 * px]);
  for (const d of DEATH_LINES) {
    const y = Math.round(u.valToPos(d.level, "y", true)) + 0.5;
    ctx.strokeStyle = d.color;
    ctx.beginPath();
    ctx.moveTo(u.bbox.left, y);
    ctx.lineTo(u.bbox.left + u.bbox.width, y);
    ctx.stroke();
  }
  ctx.restore();
}

function chartOptions(uPlot, chart) {
  const lines = LINES.filter((l) => l.chart === chart);
  const axes = [
    { splits: daySplits, values: (u, marks) => marks.map(dateText) },
    { scale: "y", values: (u, marks) => marks.map((v) => String(Math.round(v))) },
  ];
  if (lines.some((l) => l.right))
    axes.push({
      scale: "rank",
      side: 1,
      size: 120,
      grid: { show: false },
      splits: () => [1, 2, 3, 4, 5, 6, 7, 8],
      values: (u, marks) => marks.map(rankName),
      font: "8px Tahoma, Arial, sans-serif",
    });
  return {
    title: tr(CHARTS[chart].title),
    width: CHART_WIDTH,
    height: CHARTS[chart].height,
    tzDate: (t) => uPlot.tzDate(new Date(t * 1000), "Etc/UTC"),
    scales: {
      x: { time: true, range: dayRange },
      y: { range: () => valueRange(chart) },
      rank: { range: () => [0.5, 8.5] },
    },
    // Room on the right for the last date, where no axis stands.
    padding: [null, axes.length > 2 ? null : 28, null, null],
    series: [
      { label: tr("Дата"), value: (u, t) => (t == null ? "—" : dateText(t)) },
      ...lines.map((l) => ({
        label: tr(l.name),
        stroke: l.color,
        width: l.right ? 2 : 1.6,
        scale: l.right ? "rank" : "y",
        value: (u, v) => valueText(l, v),
      })),
    ],
    axes,
    hooks: chart === 1 ? { drawAxes: [drawDeathLines] } : {},
  };
}

function chartData(chart) {
  return [samples.days, ...LINES.filter((l) => l.chart === chart).map((l) => samples[l.column])];
}

// A screen reader names a chart by its title and reads its last day's
// values as its description.
function describe(figure, chart) {
  const n = samples.days.length;
  const said = n
    ? LINES.filter((l) => l.chart === chart)
        .map((l) => `${tr(l.name)}: ${valueText(l, samples[l.column][n - 1])}`)
        .join(", ")
    : "";
  figure.setAttribute("aria-description", said);
  figure.dataset.days = String(n);
}

let library = null;
function loadLibrary() {
  library ??= new Promise((resolve, reject) => {
    const styles = Object.assign(document.createElement("link"), { rel: "stylesheet", href: "lib/uplot/uPlot.min.css" });
    const script = Object.assign(document.createElement("script"), { src: "lib/uplot/uPlot.iife.min.js" });
    script.addEventListener("load", () => resolve(window.uPlot));
    script.addEventListener("error", () => {
      library = null;
      reject(new Error("uPlot"));
    });
    document.head.append(styles, script);
  });
  return library;
}

function build(body) {
  const head = Object.assign(document.createElement("p"), { className: "stats-summary" });
  const empty = Object.assign(document.createElement("p"), {
    className: "stats-empty",
    textContent: tr("Графики появятся после первого прожитого дня."),
  });
  // The charts scroll under the summary on a low page; it takes the
  // keyboard (the arrows scroll it), so it is named.
  const area = Object.assign(document.createElement("div"), { className: "charts", tabIndex: 0 });
  area.setAttribute("role", "region");
  area.setAttribute("aria-label", tr("Графики"));
  const figures = CHARTS.map((c) => {
    const f = Object.assign(document.createElement("figure"), { className: "chart" });
    f.setAttribute("role", "img");
    f.setAttribute("aria-label", tr(c.title));
    f.style.minHeight = `${c.height}px`;
    return f;
  });
  area.append(...figures);
  body.append(head, empty, area);

  let plots = null;
  let gone = false;
  let failed = false;
  const follow = () => {
    head.textContent = summaryText();
    empty.hidden = !failed && samples.days.length > 0;
    figures.forEach((f, c) => describe(f, c));
    plots?.forEach((p, c) => p.setData(chartData(c)));
  };
  loadLibrary().then(
    (uPlot) => {
      if (gone) return;
      plots = figures.map((f, c) => new uPlot(chartOptions(uPlot, c), chartData(c), f));
      follow();
    },
    () => {
      failed = true;
      empty.textContent = tr("Графики не удалось загрузить.");
      follow();
    },
  );
  view = { follow };
  follow();
  return () => {
    gone = true;
    plots?.forEach((p) => p.destroy());
    view = null;
  };
}

export function openStats() {
  openTool("stats", () => tr("Статистика"), "stats-window", build);
}
