// Writes the page's script, js/page.js, from its modules (site/js/*.js,
// beginning with main.js): one file instead of seventeen, so that a browser
// talking to a host one request at a time over a few connections (HTTP/1.1)
// does not make the program wait in line behind the page's modules. Each
// module becomes a function's scope that returns what it exports; an import
// takes those names from the module's scope, which is written before it.
// The modules only ever import named functions and constants from their
// neighbours ("./x.js") and export functions and constants; anything else
// is refused here rather than bundled wrong. A module loaded with
// import() (the tune player) stays a file of its own beside the page.
//   node src/web/bundle_page.mjs SOURCE_JS_FOLDER SITE_JS_FOLDER
import { readFileSync, readdirSync, rmSync, writeFileSync, copyFileSync } from "node:fs";
import { join } from "node:path";

const [from, to] = process.argv.slice(2);
const IMPORT = /^import\s*\{([^}]*)\}\s*from\s*"\.\/([\w]+)\.js";?[ \t]*$/gm;
const EXPORT = /^export\s+((?:async\s+)?function\*?\s+([\w$]+)|const\s+([\w$]+))/gm;
const LAZY = /import\(\s*"\.\/([\w]+)\.js"\s*\)/g;

const modules = new Map(); // name -> { imports: [[module, names]], body, exports }
function read(name) {
  if (modules.has(name)) return;
  let text = readFileSync(join(from, `${name}.js`), "utf8");
  const imports = [...text.matchAll(IMPORT)].map((m) => [m[2], m[1]]);
  text = text.replace(IMPORT, "");
  if (/^\s*(import|export)\b/m.test(text.replace(EXPORT, "")))
    throw new Error(`${name}.js: an import or export this bundler does not know`);
  const exports = [...text.matchAll(EXPORT)].map((m) => m[2] ?? m[3]);
  modules.set(name, { imports, exports, body: text.replace(EXPORT, "$1"), order: -1 });
  for (const [dep] of imports) read(dep);
}

// Each module after those it imports; a circle of imports is refused.
const order = [];
function place(name, path = []) {
  const m = modules.get(name);
  if (path.includes(name)) throw new Error(`modules import each other: ${[...path, name].join(" -> ")}`);
  if (m.order >= 0) return;
  for (const [dep] of m.imports) place(dep, [...path, name]);
  m.order = order.push(name);
}

read("main");
place("main");
const lazy = new Set();
const parts = ["// Written by the build (src/web/bundle_page.mjs) from the page's modules, src/web/site/js.\n"];
for (const name of order) {
  const m = modules.get(name);
  for (const [, dep] of m.body.matchAll(LAZY)) lazy.add(dep);
  const taken = m.imports.map(([dep, list]) => {
    const names = list
      .split(",")
      .map((s) => s.trim())
      .filter(Boolean)
      .map((s) => s.replace(/^([\w$]+)\s+as\s+([\w$]+)$/, "$1: $2"));
    for (const n of names) {
      const own = n.split(":")[0].trim();
      if (!modules.get(dep).exports.includes(own)) throw new Error(`${name}.js imports ${own}, which ${dep}.js does not export`);
    }
    return `const { ${names.join(", ")} } = module_${dep};\n`;
  });
  const tail = name === "main" ? "" : `return { ${m.exports.join(", ")} };\n`;
  parts.push(`\n// --- ${name}.js\nconst module_${name} = (() => {\n${taken.join("")}${m.body}${tail}})();\n`);
}

for (const file of readdirSync(to)) if (file.endsWith(".js")) rmSync(join(to, file));
writeFileSync(join(to, "page.js"), parts.join(""));
for (const name of lazy) {
  if (modules.has(name)) throw new Error(`${name}.js is both imported and loaded lazily`);
  copyFileSync(join(from, `${name}.js`), join(to, `${name}.js`));
}
