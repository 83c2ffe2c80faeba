// The web page in Debian's Firefox ESR, headless, driven over WebDriver BiDi by puppeteer-core:
// the scenarios that the form tests and the other engines' runners read, step by step as a person
// works the page; the phone's layout at 320 and 360 px; the service worker after a reload and
// with the server stopped; the targets' hint clear of the buttons; and no page or console error
// all the while, a Clear on the heels of a long Generate among the steps.
//
//     node firefox_test.mjs SITE SCENARIOS
//
// puppeteer-core is found in OLVIMAR_NODE_MODULES, where the build installed it from its lock.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { createRequire } from "node:module";
import { fileURLToPath } from "node:url";

const require = createRequire(path.join(process.env.OLVIMAR_NODE_MODULES ?? ".", "noop.js"));
const puppeteer = require("puppeteer-core");
const here = path.dirname(fileURLToPath(import.meta.url));
const [site, scenariosPath] = process.argv.slice(2);

// How long a step waits for the page's sign that it has happened; never a time to sleep.
const PATIENCE = 30000;
const NARROW = 4770, WIDE = 6825; // the client area's widths, twips

// ---- The scenarios, as every runner reads them ----

function readScenarios(file) {
  const scenarios = [];
  fs.readFileSync(file, "utf8").split("\n").forEach((line, i) => {
    if (!line || line.startsWith("#")) return;
    const gap = line.indexOf(" ");
    const word = gap < 0 ? line : line.slice(0, gap);
    let rest = gap < 0 ? "" : line.slice(gap + 1);
    if (word === "scenario") {
      scenarios.push({ name: rest, steps: [] });
      return;
    }
    let arg = rest;
    if (["type", "box", "sheet", "measure", "recipe"].includes(word)) {
      const at = rest.indexOf(" ");
      [arg, rest] = at < 0 ? [rest, ""] : [rest.slice(0, at), rest.slice(at + 1)];
    }
    scenarios.at(-1).steps.push({ line: i + 1, word, arg, text: rest.replaceAll("\\n", "\n") });
  });
  return scenarios;
}

// ---- The site, served as a static host serves it ----

const types = {
  ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm",
  ".svg": "image/svg+xml", ".png": "image/png", ".webmanifest": "application/manifest+json",
};

async function serve(root) {
  const sockets = new Set();
  const server = http.createServer((request, response) => {
    const name = path.basename(decodeURIComponent(new URL(request.url, "http://host").pathname));
    fs.readFile(path.join(root, name || "index.html"), (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { "Content-Type": types[path.extname(name)] ?? "application/octet-stream" });
      response.end(data);
    });
  });
  server.on("connection", (socket) => {
    sockets.add(socket);
    socket.on("close", () => sockets.delete(socket));
  });
  await new Promise((listening) => server.listen(0, "127.0.0.1", listening));
  return {
    url: `http://127.0.0.1:${server.address().port}/index.html`,
    stop: () => new Promise((stopped) => {
      server.close(stopped);
      for (const socket of sockets) socket.destroy();
    }),
  };
}

// ---- The page in a tab of its own ----

const opened = []; // every page of the run, whose errors the last check reads

class Page {
  constructor(tab, browser) {
    this.tab = tab;
    this.browser = browser;
    this.events = 0;
    this.errors = [];
    tab.on("pageerror", (error) => this.errors.push(`page error: ${error.message}`));
    tab.on("console", (message) => {
      if (message.type() === "error") this.errors.push(`console error: ${message.text()}`);
    });
  }

  static async open(browser, url, { width = 800, height = 600 } = {}) {
    const page = new Page(await browser.newPage(), browser);
    opened.push(page);
    await page.tab.setViewport({ width, height });
    await page.tab.goto(url);
    await page.ready();
    page.loaded = await page.requests();
    return page;
  }

  async ready() {
    await this.tab.waitForFunction(() => document.body.dataset.ready === "true", { timeout: PATIENCE });
  }

  $(id) {
    return this.tab.$(`#${id}`);
  }

  value(id, property = "value") {
    return this.tab.$eval(`#${id}`, (e, p) => e[p], property);
  }

  // What the shared in-page check gives: tests/web/in_page/NAME.js, a function's body.
  inPage(name, ...args) {
    const body = fs.readFileSync(path.join(here, "..", "in_page", `${name}.js`), "utf8");
    return this.tab.evaluate(`((...args) => {\n${body}\n})(...${JSON.stringify(args)})`);
  }

  async waitFor(condition, problem, ...args) {
    try {
      await this.tab.waitForFunction(condition, { timeout: PATIENCE, polling: 20 }, ...args);
      return null;
    } catch {
      return typeof problem === "function" ? await problem() : problem;
    }
  }

  // Carries out `action`, which brings the page an `event` (a `key`'s keydown, if given), and
  // waits until the page has handled it: a task after the event has reached every listener.
  async handled(event, action, key = null) {
    const number = ++this.events;
    await this.tab.evaluate((type, key, number) => {
      window.handled = null;
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

  async focusSelect(selector) {
    await this.tab.$eval(selector, (e) => {
      e.scrollIntoView({ block: "center" });
      e.focus();
      e.select();
    });
  }

  // Types `text` over what the box holds, as a person does after selecting it.
  async typeInto(selector, text) {
    await this.focusSelect(selector);
    if (text) await this.tab.keyboard.type(text);
    else await this.tab.keyboard.press("Delete");
    return this.waitFor((s, t) => document.querySelector(s).value === t,
      async () => `${selector} holds ${JSON.stringify(await this.tab.$eval(selector, (e) => e.value))}`,
      selector, text);
  }

  async chooseRow(id, row) {
    await this.tab.$eval(`#${id}`, (e, row) => {
      e.selectedIndex = row;
      e.dispatchEvent(new Event("change", { bubbles: true }));
    }, row);
  }

  async click(id) {
    const element = await this.$(id);
    await element.evaluate((e) => e.scrollIntoView({ block: "center" }));
    return this.handled("click", () => element.click());
  }

  async ctrl(key) {
    await this.tab.keyboard.down("Control");
    await this.tab.keyboard.press(key);
    await this.tab.keyboard.up("Control");
  }

  // One step or check of a scenario: what went wrong, or null.
  async step({ word, arg, text }) {
    if (word !== "message" && await this.value("message", "open"))
      return `a message box nobody expected: ${await this.value("message-text", "textContent")}`;
    const checked = (what, shown, wanted) =>
      shown === wanted ? null : `${what} is ${JSON.stringify(shown)}, expected ${JSON.stringify(wanted)}`;
    switch (word) {
      case "type":
        return this.typeInto(`#Text1_${arg}`, text);
      case "temperature":
        await this.chooseRow("Combo1", Number(arg));
        return null;
      case "focus":
        await this.tab.$eval(`#Text1_${arg}`, (e) => e.focus());
        return null;
      case "preset": {
        const row = await this.$(`List1_row${arg}`);
        return this.handled("dblclick", () => row.click({ count: 2 }));
      }
      case "generate":
      case "clear": {
        const key = word === "generate" ? "Enter" : "Escape";
        return this.handled("keydown", () => this.tab.keyboard.press(key), key);
      }
      case "bar":
        return this.click("Command3");
      case "undo":
        await this.tab.$eval("#Command2", (e) => e.focus());
        return this.handled("keydown", () => this.ctrl("z"), "z");
      case "sheet":
        return this.typeInto(`#SheetBox${arg}`, text);
      case "recipe":
        return this.typeInto(`#RecipeBox${arg}`, text);
      case "unit":
        await this.chooseRow("RecipeUnit", Number(arg));
        return null;
      case "recipe-table":
        return checked("the recipe's tables", await this.tab.evaluate(() =>
          [...RecipeTables.querySelectorAll("table")].map((t) => t.caption.textContent + ": " +
            [...t.tBodies[0].rows].map((r) => [...r.cells].map((c) => c.textContent).join(" ")).join(" | "))
            .join(" || ")), arg);
      case "recipe-says":
        return checked("what the recipe says", await this.tab.evaluate(() =>
          [...RecipeQuiet.textContent.split("\n"), ...RecipeLines.textContent.split("\n"),
            ...[...RecipeTables.querySelectorAll("p")].map((p) => p.textContent)]
            .filter((line) => line !== "").join(" | ")), arg);
      case "handle": {
        await this.focusSelect("#ChartPercent");
        await this.tab.keyboard.type(arg);
        return this.waitFor((a) => ChartHandle.getAttribute("aria-valuenow") === a,
          `the handle does not stand at ${arg}`, arg);
      }
      case "measure": {
        const [share, viscosity] = text.split(" ");
        const before = await this.tab.$$eval("#MeasuredList li", (items) => items.length);
        await this.typeInto("#MeasuredPercent", share);
        await this.chooseRow("MeasuredTemperature", Number(arg));
        await this.typeInto("#MeasuredViscosity", viscosity);
        const problem = await this.handled("keydown", () => this.tab.keyboard.press("Enter"), "Enter");
        return problem ?? this.waitFor((n) => document.querySelectorAll("#MeasuredList li").length === n,
          "the measured blend was not added", before + 1);
      }
      case "calibrate": {
        const on = await this.value("Calibrate", "checked");
        const problem = await this.click("Calibrate");
        return problem ?? this.waitFor((on) => Calibrate.checked !== on, "the switch did not change", on);
      }
      case "section":
        return checked("the section", await this.tab.evaluate(() =>
          [...document.querySelectorAll("#MeasuredList li span")].map((s) => s.textContent)
            .concat(Factors.textContent ? Factors.textContent.split("\n") : []).join(" | ")), arg);
      case "readout":
        return checked("the readout", await this.value("ChartReadout", "textContent"), text);
      case "below":
        return checked("the line under the sheet",
          (await this.value("SheetGrades", "textContent")).split("\n")[0], arg);
      case "table":
        return checked("the data sheet", await this.tab.evaluate(() =>
          [...SheetTable.tBodies[0].rows].map((r) =>
            [...r.cells].slice(1).map((c) => c.textContent).join(" ")).join(" | ")), arg);
      case "hint": {
        const shown = await this.tab.evaluate(() =>
          document.querySelector("#Text2 .cm-content").getAttribute("aria-placeholder") !== null);
        return checked("the record box's hint", shown, arg === "1");
      }
      case "record":
        return checked("the record box", await this.value("Text2"), text);
      case "box":
        return checked(`box ${arg}`, await this.value(`Text1_${arg}`), text);
      case "wide": {
        const font = await this.tab.evaluate(() => parseFloat(getComputedStyle(document.documentElement).fontSize));
        const wanted = (arg === "1" ? WIDE : NARROW) * font / 180;
        return this.waitFor((w) => Math.abs(client.getBoundingClientRect().width - 2 - w) <= 0.5,
          `the window is not ${wanted} px wide`, wanted);
      }
      case "message": {
        if (!await this.value("message", "open")) return "no message box";
        const shown = await this.value("message-text", "textContent");
        if (!shown.startsWith(text)) return `message ${JSON.stringify(shown)}, expected ${text}…`;
        await this.tab.keyboard.press("Enter"); // its button has the focus
        return this.waitFor(() => !document.getElementById("message").open, "the message box did not close");
      }
      default:
        return `unknown step ${word}`;
    }
  }

  // The page asks for nothing once loaded and keeps nothing beyond this tab's two items.
  async private() {
    const asked = await this.requests();
    if (asked.length !== this.loaded.length) return `the page asked for ${asked.slice(this.loaded.length)}`;
    const kept = await this.tab.evaluate(() =>
      [document.cookie, localStorage.length, Object.keys(sessionStorage).sort().join(" ")]);
    return ["", 0].every((v, i) => kept[i] === v) && /^(olvimar\.fields( olvimar\.record)?)?$/.test(kept[2])
      ? null : `the page keeps ${JSON.stringify(kept)}`;
  }

  requests() {
    return this.tab.evaluate(() => performance.getEntriesByType("resource").map((e) => e.name)
      .filter((name) => !/\/(manifest\.webmanifest|icon[^/]*|apple-touch-icon\.png|sw\.js)$/.test(name)));
  }

  async close() {
    await this.tab.close();
  }
}

// ---- The checks beyond the scenarios ----

async function scenario(page, steps) {
  for (const step of steps) {
    const problem = await page.step(step);
    if (problem) return `line ${step.line} (${step.word}): ${problem}`;
  }
  if (await page.value("message", "open")) return "a message box nobody expected";
  return page.private();
}

// At 320 and 360 px, empty and with the worked example and its data sheet: no sideways scroll,
// every control on the screen, every chart's and section's text inside its frame.
async function phoneLayout(browser, url) {
  const page = await Page.open(browser, url, { width: 360, height: 740 });
  const problems = [];
  for (const state of ["empty", "filled"]) {
    if (state === "filled") {
      await page.tab.setViewport({ width: 800, height: 600 });
      for (const [box, text] of [[0, "7.276"], [1, "13.69"], [2, "10,15"], [3, "4"]])
        await page.step({ word: "type", arg: String(box), text });
      await page.chooseRow("Combo1", 0);
      await page.step({ word: "sheet", arg: "0", text: "40" });
      await page.step({ word: "sheet", arg: "1", text: "90" });
      await page.step({ word: "measure", arg: "0", text: "50 10.2" });
      await page.click("Command3"); // the shear boxes shown too
    }
    for (const width of [320, 360]) {
      await page.tab.setViewport({ width, height: 740 });
      const drawn = await page.waitFor(() => [...document.querySelectorAll("#chart svg")].every((s) =>
        Math.abs(s.viewBox.baseVal.width - s.getBoundingClientRect().width) < 0.01), "a chart was not drawn again");
      if (drawn) problems.push(`${state}, ${width} px: ${drawn}`);
      for (const p of await page.inPage("frames")) problems.push(`${state}, ${width} px: ${p}`);
    }
  }
  await page.close();
  return problems.join("; ") || null;
}

// The targets' hint above the buttons at the default font and larger ones, and after a Generate
// by keyboard, with the focus ring on the button.
async function hintApart(browser, url) {
  const page = await Page.open(browser, url, { width: 1280, height: 800 });
  const problems = [];
  for (const font of [undefined, 20, 24]) problems.push(...await page.inPage("hint_apart", font));
  for (const [box, text] of [[0, "7.276"], [1, "13.69"], [2, "7,10"], [3, "4"]])
    await page.step({ word: "type", arg: String(box), text });
  await page.chooseRow("Combo1", 0);
  await page.tab.$eval("#Text1_3", (e) => e.focus());
  await page.tab.keyboard.press("Tab"); // to Generate, then Enter presses it
  await page.handled("keydown", () => page.tab.keyboard.press("Enter"), "Enter");
  if (await page.tab.evaluate(() => document.activeElement.id) !== "Command1") problems.push("Tab did not reach Generate");
  if (!(await page.value("Text2")).startsWith("OUT 4L, 7.000 cSt")) problems.push("Enter on Generate wrote no record");
  problems.push(...await page.inPage("hint_apart"));
  await page.close();
  return problems.join("; ") || null;
}

// A Clear 200 ms after a long Generate, while the page keeps a compressed copy of the record in
// the tab: the copy is given up without an error, and the empty record is kept.
async function clearWhileKeeping(browser, url) {
  const page = await Page.open(browser, url);
  for (const [box, text] of [[0, "7.276"], [1, "13.69"], [2, "0-6300,0.1"], [3, "4"]])
    await page.step({ word: "type", arg: String(box), text });
  await page.chooseRow("Combo1", 0);
  await page.tab.$eval("#Text1_2", (e) => e.focus());
  await page.step({ word: "generate" });
  // The first gzipped slice is under way once the page is idle after the press.
  await page.tab.evaluate(() => new Promise((begun) => setTimeout(begun, 200)));
  await page.step({ word: "clear" });
  const problem = await page.waitFor(() => {
    const kept = sessionStorage.getItem("olvimar.record");
    return kept !== null && kept.length < 64; // the empty record, gzipped
  }, "the cleared record was never kept");
  await page.close();
  return problem;
}

// The service worker takes the page over after a reload, and the page starts and generates with
// the server stopped.
async function offline(browser, server, scenarios) {
  const page = await Page.open(browser, server.url);
  await page.tab.evaluate(() => navigator.serviceWorker.ready);
  await page.tab.reload();
  await page.ready();
  if (!await page.tab.evaluate(() => navigator.serviceWorker.controller !== null))
    return "the service worker does not control the page after a reload";
  await server.stop();
  await page.tab.reload();
  await page.ready();
  for (const step of scenarios[0].steps) { // the worked example
    const problem = await page.step(step);
    if (problem) return `offline, line ${step.line}: ${problem}`;
  }
  await page.close();
  return null;
}

// ---- The run ----

async function main() {
  const scenarios = readScenarios(scenariosPath);
  const started = Date.now();
  let passed = 0, failed = 0;
  const report = (name, problem) => {
    console.log(problem ? `FAIL  Firefox: ${name}: ${problem}` : `PASS  Firefox: ${name}`);
    if (problem) ++failed; else ++passed;
  };
  const server = await serve(site);
  const browser = await puppeteer.launch({
    browser: "firefox",
    executablePath: "/usr/bin/firefox-esr",
    headless: true,
    protocol: "webDriverBiDi",
  });
  console.log(`      ${await browser.version()}, started in ${((Date.now() - started) / 1000).toFixed(1)} s`);
  try {
    const run = async (name, check) => {
      let problem;
      try {
        problem = await check();
      } catch (error) {
        problem = `${error.message}`;
      }
      report(name, problem);
    };
    for (const { name, steps } of scenarios) {
      const page = await Page.open(browser, server.url);
      await run(name, () => scenario(page, steps));
      await page.close();
    }
    await run("the phone's layout at 320 and 360 px", () => phoneLayout(browser, server.url));
    await run("the targets' hint clear of the buttons", () => hintApart(browser, server.url));
    await run("a Clear while the record is being kept", () => clearWhileKeeping(browser, server.url));
    await run("the service worker, and the page offline", () => offline(browser, server, scenarios));
    // Every page of the run: no page error, no console error.
    const errors = opened.flatMap((p) => p.errors);
    report("no page or console error", errors.length ? errors.slice(0, 5).join("; ") : null);
  } finally {
    await browser.close();
    await server.stop();
  }
  console.log(`Firefox: ${passed} passed, ${failed} failed in ${((Date.now() - started) / 1000).toFixed(0)} s`);
  return failed || !passed ? 1 : 0;
}

process.exitCode = await main();
