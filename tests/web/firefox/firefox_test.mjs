// The web page in Debian's Firefox ESR, headless, driven over WebDriver BiDi by puppeteer-core:
// the scenarios that every other runner reads, step by step as a person works the page; the
// phone's layout at 320 and 360 px; the targets' hint clear of the buttons; a Clear while the
// record is being kept; the service worker after a reload and with the server stopped; and no
// page or console error all the while.
//     node firefox_test.mjs SITE SCENARIOS
// puppeteer-core is found in OLVIMAR_NODE_MODULES, where the build installed it from its lock.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { createRequire } from "node:module";
import { fileURLToPath } from "node:url";

const puppeteer = createRequire(path.resolve(process.env.OLVIMAR_NODE_MODULES ?? ".", "_"))("puppeteer-core");
const here = path.dirname(fileURLToPath(import.meta.url));
const [site, scenariosPath] = process.argv.slice(2);
const PATIENCE = 30000; // how long a step waits for the page's sign; never a time to sleep
const SHOWN = ["record", "box", "readout", "hint", "wide", "below", "table", "section", "recipe-table",
  "recipe-says"];

function readScenarios(file) {
  const scenarios = [];
  fs.readFileSync(file, "utf8").split("\n").forEach((line, i) => {
    if (!line || line.startsWith("#")) return;
    let [word, rest = ""] = line.split(/ (.*)/s);
    if (word === "scenario") return scenarios.push({ name: rest, steps: [] });
    let arg = rest;
    if (["type", "box", "sheet", "measure", "recipe"].includes(word)) [arg, rest = ""] = rest.split(/ (.*)/s);
    scenarios.at(-1).steps.push({ line: i + 1, word, arg, text: rest.replaceAll("\\n", "\n") });
  });
  return scenarios;
}

// The site as a static host serves it.
async function serve(root) {
  const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
    ".wasm": "application/wasm", ".svg": "image/svg+xml", ".png": "image/png",
    ".webmanifest": "application/manifest+json" };
  const sockets = new Set();
  const server = http.createServer((request, response) => {
    const name = path.basename(new URL(request.url, "http://host").pathname) || "index.html";
    fs.readFile(path.join(root, name), (error, data) => {
      if (error) return response.writeHead(404).end();
      response.writeHead(200, { "Content-Type": types[path.extname(name)] ?? "application/octet-stream" }).end(data);
    });
  }).on("connection", (s) => sockets.add(s.on("close", () => sockets.delete(s))));
  await new Promise((listening) => server.listen(0, "127.0.0.1", listening));
  return {
    url: `http://127.0.0.1:${server.address().port}/index.html`,
    stop: () => new Promise((stopped) => {
      server.close(stopped);
      sockets.forEach((s) => s.destroy());
    }),
  };
}

const opened = []; // every page of the run, whose errors the last check reads

class Page {
  static async open(browser, url, width = 800, height = 600) {
    const page = new Page();
    page.tab = await browser.newPage();
    page.events = 0;
    page.errors = [];
    page.tab.on("pageerror", (e) => page.errors.push(`page error: ${e.message}`));
    page.tab.on("console", (m) => m.type() === "error" && page.errors.push(`console error: ${m.text()}`));
    opened.push(page);
    await page.tab.setViewport({ width, height });
    await page.tab.goto(url);
    await page.ready();
    return page;
  }

  ready() {
    return this.tab.waitForFunction(() => document.body.dataset.ready === "true", { timeout: PATIENCE });
  }

  value(id, property = "value") {
    return this.tab.$eval(`#${id}`, (e, p) => e[p], property);
  }

  // What a shared in-page check gives: tests/web/in_page/NAME.js, a function's body.
  inPage(name, ...args) {
    const body = fs.readFileSync(path.join(here, "..", "in_page", `${name}.js`), "utf8");
    return this.tab.evaluate(`((...args) => {\n${body}\n})(...${JSON.stringify(args)})`);
  }

  async waitFor(condition, problem, ...args) {
    try {
      await this.tab.waitForFunction(condition, { timeout: PATIENCE, polling: 20 }, ...args);
      return null;
    } catch {
      return problem;
    }
  }

  // Carries out `action`, which brings the page an `event` (a `key`'s keydown, if given), and
  // waits until the page has handled it: a task after the event has reached every listener.
  async handled(event, action, key = null) {
    const number = ++this.events;
    await this.tab.evaluate((type, key, number) => {
      const seen = (e) => {
        if (key !== null && e.key !== key) return;
        removeEventListener(type, seen, true);
        setTimeout(() => { window.handled = number; });
      };
      addEventListener(type, seen, true);
    }, event, key, number);
    await action();
    return this.waitFor((n) => window.handled === n, `the page never had the ${key ?? event}`, number);
  }

  key(key) {
    return this.handled("keydown", () => this.tab.keyboard.press(key), key);
  }

  // Types `text` over what the box holds, as a person does after selecting it.
  async typeInto(id, text) {
    await this.tab.$eval(`#${id}`, (e) => { e.scrollIntoView({ block: "center" }); e.focus(); e.select(); });
    await (text ? this.tab.keyboard.type(text) : this.tab.keyboard.press("Delete"));
    return this.waitFor((id, t) => document.getElementById(id).value === t, `${id} does not hold ${text}`, id, text);
  }

  chooseRow(id, row) {
    return this.tab.$eval(`#${id}`, (e, row) => {
      e.selectedIndex = row;
      e.dispatchEvent(new Event("change", { bubbles: true }));
    }, row);
  }

  async click(id, count = 1) {
    const element = await this.tab.$(`#${id}`);
    await element.evaluate((e) => e.scrollIntoView({ block: "center" }));
    return this.handled(count === 1 ? "click" : "dblclick", () => element.click({ count }));
  }

  // One step or check of a scenario: what went wrong, or null.
  async step({ word, arg, text }) {
    if (word !== "message" && await this.value("message", "open")) return "a message box nobody expected";
    if (SHOWN.includes(word)) {
      const shown = await this.inPage("shown", word, arg);
      return shown === text ? null : `it shows ${JSON.stringify(shown)}, expected ${JSON.stringify(text)}`;
    }
    switch (word) {
      case "type": return this.typeInto(`Text1_${arg}`, text);
      case "sheet": return this.typeInto(`SheetBox${arg}`, text);
      case "recipe": return this.typeInto(`RecipeBox${arg}`, text);
      case "temperature": return this.chooseRow("Combo1", Number(arg));
      case "unit": return this.chooseRow("RecipeUnit", Number(arg));
      case "focus": return this.tab.$eval(`#Text1_${arg}`, (e) => e.focus());
      case "preset": return this.click(`List1_row${arg}`, 2);
      case "generate": return this.key("Enter");
      case "clear": return this.key("Escape");
      case "bar": return this.click("Command3");
      case "undo":
        await this.tab.$eval("#Command2", (e) => e.focus());
        return this.handled("keydown", async () => {
          await this.tab.keyboard.down("Control");
          await this.tab.keyboard.press("z");
          await this.tab.keyboard.up("Control");
        }, "z");
      case "handle":
        await this.typeInto("ChartPercent", arg);
        return this.waitFor((a) => ChartHandle.getAttribute("aria-valuenow") === a, `the handle is not at ${arg}`, arg);
      case "measure": {
        const [share, viscosity] = text.split(" ");
        const before = await this.tab.$$eval("#MeasuredList li", (items) => items.length);
        await this.typeInto("MeasuredPercent", share);
        await this.chooseRow("MeasuredTemperature", Number(arg));
        await this.typeInto("MeasuredViscosity", viscosity);
        return (await this.key("Enter")) ?? this.waitFor((n) =>
          document.querySelectorAll("#MeasuredList li").length === n, "the blend was not added", before + 1);
      }
      case "calibrate": {
        const on = await this.value("Calibrate", "checked");
        return (await this.click("Calibrate")) ?? this.waitFor((on) => Calibrate.checked !== on, "no change", on);
      }
      case "message": {
        const shown = await this.value("message", "open") && await this.value("message-text", "textContent");
        if (!shown || !shown.startsWith(text)) return `the message is ${JSON.stringify(shown)}, expected ${text}…`;
        await this.tab.keyboard.press("Enter"); // its button has the focus
        return this.waitFor(() => !document.getElementById("message").open, "the message box did not close");
      }
    }
    return `unknown step ${word}`;
  }

}

async function steps(page, list) {
  for (const step of list) {
    const problem = await page.step(step);
    if (problem) return `line ${step.line} (${step.word}): ${problem}`;
  }
  return null;
}

const WORKED = [["type", "0", "7.276"], ["type", "1", "13.69"], ["temperature", "0"], ["type", "3", "4"]]
  .map(([word, arg, text = ""]) => ({ word, arg, text, line: 0 }));

// At 320 and 360 px, empty and then filled: no sideways scroll, every control on the screen, every
// chart's and section's text inside its frame.
async function phoneLayout(browser, url) {
  const page = await Page.open(browser, url, 360, 740);
  const problems = [];
  for (const filled of [false, true]) {
    if (filled) {
      await page.tab.setViewport({ width: 800, height: 600 });
      await steps(page, [...WORKED, ...[["sheet", "0", "40"], ["sheet", "1", "90"], ["measure", "0", "50 10.2"],
        ["recipe", "17", "10"], ["bar", ""]].map(([word, arg, text = ""]) => ({ word, arg, text }))]);
    }
    for (const width of [320, 360]) {
      await page.tab.setViewport({ width, height: 740 });
      await page.waitFor(() => [...document.querySelectorAll(".page svg")].every((s) =>
        Math.abs(s.viewBox.baseVal.width - s.getBoundingClientRect().width) < 0.01), "a chart was not drawn again");
      for (const p of await page.inPage("frames")) problems.push(`${filled ? "filled" : "empty"}, ${width} px: ${p}`);
    }
  }
  return problems.join("; ") || null;
}

// The targets' hint above the buttons at the default font and larger ones, and after a Generate by
// keyboard, with the focus ring on the button.
async function hintApart(browser, url) {
  const page = await Page.open(browser, url, 1280, 800);
  const problems = [];
  for (const font of [undefined, 20, 24]) problems.push(...await page.inPage("hint_apart", font));
  await steps(page, [...WORKED, { word: "type", arg: "2", text: "7,10" }, { word: "focus", arg: "3" }]);
  await page.tab.keyboard.press("Tab"); // to Generate, which Enter presses
  await page.key("Enter");
  if (!(await page.value("Text2")).startsWith("OUT 4L, 7.000 cSt")) problems.push("Tab and Enter wrote no record");
  problems.push(...await page.inPage("hint_apart"));
  return problems.join("; ") || null;
}

// A Clear 200 ms after a long Generate, while the page keeps a compressed copy of the record: the
// copy is given up without an error, and the empty record is kept.
async function clearWhileKeeping(browser, url) {
  const page = await Page.open(browser, url);
  await steps(page, [...WORKED, { word: "type", arg: "2", text: "0-6300,0.1" }, { word: "generate" }]);
  await page.tab.evaluate(() => new Promise((begun) => setTimeout(begun, 200)));
  await page.step({ word: "clear" });
  return page.waitFor(() => (sessionStorage.getItem("olvimar.record") ?? "-".repeat(64)).length < 64,
    "the cleared record was never kept");
}

// The service worker takes the page over after a reload, and it starts and generates offline.
async function offline(browser, server, scenario) {
  const page = await Page.open(browser, server.url);
  await page.tab.evaluate(() => navigator.serviceWorker.ready);
  await page.tab.reload();
  await page.ready();
  if (!await page.tab.evaluate(() => navigator.serviceWorker.controller !== null))
    return "the service worker does not control the page after a reload";
  await server.stop();
  await page.tab.reload();
  await page.ready();
  return steps(page, scenario.steps);
}

const scenarios = readScenarios(scenariosPath);
const started = Date.now();
let passed = 0, failed = 0;
const report = (name, problem) => {
  console.log(problem ? `FAIL  Firefox: ${name}: ${problem}` : `PASS  Firefox: ${name}`);
  problem ? ++failed : ++passed;
};
const run = async (name, check) => report(name, await check().catch((error) => error.message));
const server = await serve(site);
const browser = await puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr",
  headless: true, protocol: "webDriverBiDi" });
console.log(`      ${await browser.version()}, started in ${((Date.now() - started) / 1000).toFixed(1)} s`);
try {
  for (const { name, steps: list } of scenarios) {
    await run(name, async () => {
      const page = await Page.open(browser, server.url);
      return (await steps(page, list)) ?? (await page.value("message", "open") ? "a message box nobody expected" : null);
    });
  }
  await run("the phone's layout at 320 and 360 px", () => phoneLayout(browser, server.url));
  await run("the targets' hint clear of the buttons", () => hintApart(browser, server.url));
  await run("a Clear while the record is being kept", () => clearWhileKeeping(browser, server.url));
  await run("the service worker, and the page offline", () => offline(browser, server, scenarios[0]));
  const errors = opened.flatMap((p) => p.errors);
  report("no page or console error", errors.length ? errors.slice(0, 5).join("; ") : null);
} finally {
  await browser.close();
  await server.stop();
}
console.log(`Firefox: ${passed} passed, ${failed} failed in ${((Date.now() - started) / 1000).toFixed(0)} s`);
process.exitCode = failed || !passed ? 1 : 0;
