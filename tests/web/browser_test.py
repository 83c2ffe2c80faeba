#!/usr/bin/python3
"""The web page in headless Chromium, driven as a person would: it types into the fields, picks
the temperature, presses Generate with the keyboard and reads the record box, scenario by
scenario from the file the form tests read too. It also checks that the page asks for nothing
after it has loaded and keeps no cookies or storage.

    browser_test.py SITE SCENARIOS          run the scenarios
    browser_test.py SITE --bench            time one press of Generate with 9 999 values
"""
import contextlib
import gzip
import os
import socket
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

NARROW_PX, WIDE_PX = 4770 // 15, 6825 // 15


def read_scenarios(path):
    """[(name, [(line, word, arg, text)])], as the form tests read the same file."""
    scenarios = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            word, _, rest = line.partition(" ")
            if word == "scenario":
                scenarios.append((rest, []))
                continue
            arg = rest
            if word in ("type", "box"):
                arg, _, rest = rest.partition(" ")
            scenarios[-1][1].append((number, word, arg, rest.replace("\\n", "\n")))
    return scenarios


@contextlib.contextmanager
def served(site):
    """The site from a static server on the loopback address; yields its address, and how to
    stop the server before the end."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    server = subprocess.Popen(
        [sys.executable, "-m", "http.server", str(port), "--bind", "127.0.0.1", "--directory", site],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            with contextlib.suppress(OSError), socket.create_connection(("127.0.0.1", port), 0.1):
                break
            time.sleep(0.05)
        yield f"http://127.0.0.1:{port}/index.html", server.terminate
    finally:
        server.terminate()
        server.wait()


@contextlib.contextmanager
def chromium(phone=False):
    """Headless Chromium; as a phone shows pages (360 x 740 CSS px, touch) when PHONE."""
    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        if phone:
            options.add_experimental_option("mobileEmulation", {
                "deviceMetrics": {"width": 360, "height": 740, "pixelRatio": 3.0, "touch": True},
                "userAgent": "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 "
                             "(KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36"})
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=800,600",
                     f"--user-data-dir={profile}"):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            yield driver
        finally:
            driver.quit()


class Page:
    def __init__(self, driver, url, phone=False, script=None, new_tab=True):
        """The page in a new tab of its own, where nothing is kept yet, or in this tab with what
        it kept cleared. On a PHONE the steps are taps on its one-column layout. SCRIPT runs in
        the tab before the page's own."""
        self.d = driver
        self.phone = phone
        if new_tab:
            old = driver.current_window_handle
            driver.switch_to.new_window("tab")
            driver.switch_to.window(old)
            driver.close()
            driver.switch_to.window(driver.window_handles[-1])
        else:
            driver.get(url.replace("index.html", "manifest.webmanifest"))  # the origin, not the page
            driver.execute_script("sessionStorage.clear()")
        if script:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": script})
        driver.get(url)
        WebDriverWait(driver, 20).until(
            lambda d: d.execute_script("return document.body.dataset.ready === 'true'"))
        self.loaded = self.requests()

    def el(self, id_):
        return self.d.find_element(By.ID, id_)

    def keys(self, *keys):
        ActionChains(self.d).send_keys(*keys).perform()

    def ctrl(self, key):
        ActionChains(self.d).key_down(Keys.CONTROL).send_keys(key).key_up(Keys.CONTROL).perform()

    def requests(self):
        return self.d.execute_script("return performance.getEntriesByType('resource').length")

    def type(self, box, text):
        # Into the box as a person gets there; a hidden shear box widens the window.
        self.reveal(box)
        self.d.execute_script("arguments[0].focus(); arguments[0].select()", self.el(f"Text1_{box}"))
        self.keys(text if text else Keys.DELETE)  # what is typed replaces what was selected

    def reveal(self, box):
        """On a phone, a person opens the shear disclosure to reach a shear box."""
        if self.phone and int(box) >= 4 and not self.el(f"Text1_{box}").is_displayed():
            self.el("Command3").click()

    def step(self, word, arg, text):
        """Carries out one step or check; returns what went wrong, or None."""
        if word != "message" and self.el("message").get_property("open"):
            return f"a message box nobody expected: {self.el('message-text').text!r}"
        if word == "type":
            self.type(arg, text)
        elif word == "temperature":
            Select(self.el("Combo1")).select_by_index(int(arg))
        elif word == "focus":
            self.reveal(arg)
            self.d.execute_script("arguments[0].focus()", self.el(f"Text1_{arg}"))
        elif word == "preset" and self.phone:
            # A tap inserts; the hint row is not offered on a phone, the blank row does the same.
            self.el(f"List1_row{5 if arg == '6' else arg}").click()
        elif word == "preset":
            ActionChains(self.d).double_click(self.el(f"List1_row{arg}")).perform()
        elif word in ("generate", "clear") and self.phone:
            self.el("Command1" if word == "generate" else "Command2").click()
        elif word == "generate":
            self.keys(Keys.ENTER)  # Enter presses Generate from a field
        elif word == "clear":
            self.keys(Keys.ESCAPE)
        elif word == "bar":
            self.el("Command3").click()
        elif word == "undo" and self.phone:
            if self.el("UndoClear").is_displayed():  # otherwise there is nothing to tap
                self.el("UndoClear").click()
        elif word == "undo":  # from Clear, which a person has just pressed
            self.d.execute_script("arguments[0].focus()", self.el("Command2"))
            self.ctrl("z")
        elif word == "hint":
            hint = self.d.execute_script(
                "return document.querySelector('#Text2 .cm-content').getAttribute('aria-placeholder')")
            shown = (hint is not None, self.el("UndoClear").is_displayed())
            if shown != ((True, self.phone) if arg == "1" else (False, False)):
                return f"the record box's hint and undo button are {shown}, expected {arg}"
        elif word == "record":
            shown = self.el("Text2").get_property("value")
            if shown != text:
                return f"record box holds {shown!r}, expected {text!r}"
        elif word == "message":
            if not self.el("message").get_property("open"):
                return "no message box"
            shown = self.el("message-text").text
            if not shown.startswith(text):
                return f"message {shown!r}, expected {text!r}…"
            if self.el("message-title").text != "Olvimar":
                return "the message box is not titled Olvimar"
            self.keys(Keys.ENTER)  # its button has the focus
            if self.el("message").get_property("open"):
                return "the message box did not close"
        elif word == "box":
            shown = self.el(f"Text1_{arg}").get_property("value")
            if shown != text:
                return f"box {arg} holds {shown!r}, expected {text!r}"
        elif word == "wide" and self.phone:
            shown = (self.el("Command3").get_attribute("aria-expanded"), self.el("Text1_4").is_displayed())
            if shown != (("true", True) if arg == "1" else ("false", False)):
                return f"the shear disclosure is {shown}, expected wide {arg}"
        elif word == "wide":
            width = self.el("client").value_of_css_property("width")
            expected = f"{WIDE_PX if arg == '1' else NARROW_PX}px"
            if width != expected:
                return f"the window is {width} wide, expected {expected}"
        else:
            return f"unknown step {word}"
        return None

    def private(self):
        """What the page must not do: ask for more, or keep anything beyond this tab's window."""
        if self.requests() != self.loaded:
            return "the page made requests after it had loaded"
        kept = self.d.execute_script(
            "return [document.cookie, localStorage.length, Object.keys(sessionStorage).sort()]")
        if kept != ["", 0, ["olvimar.fields", "olvimar.record"][:len(kept[2])]]:
            return f"the page keeps {kept}"
        return None


def long_record(page):
    """The record box with 100 000 entries: a press brings its first entry to the top, whether it
    appends or, after the user typed into the box, shows the whole record again; select all and
    copy give every line; a screen reader meets a labelled multi-line text box."""
    d = page.d
    for box, text in ((0, "7.276"), (1, "13.69"), (3, "4")):
        page.type(box, text)
    Select(page.el("Combo1")).select_by_index(0)
    press(d, page, "1-100000,1")
    for presses, typed in enumerate(("", "typed by hand"), 1):
        if typed:
            page.el("Text2").click()
            page.keys(typed)
        press(d, page, "1-20,1")
        shown = page.el("Text2").get_property("value")
        if (typed and typed in shown) or shown.count("\n") != 2 * (100000 + 20 * presses):
            return f"after {typed!r} the box holds {shown.count(chr(10))} lines"
        top = d.execute_script("""
            const scroller = document.querySelector('#Text2 .cm-scroller');
            const box = scroller.getBoundingClientRect();
            const line = document.elementFromPoint(box.left + 20, box.top + 4).closest('.cm-line');
            return [line.textContent, line.getBoundingClientRect().top - box.top];""")
        if top[0] != "OUT 4L, 1.000 cSt" or abs(top[1] - 2) > 1:
            return f"after {typed!r} the box's top line is {top[0]!r}, {top[1]} px from its top"
    page.el("Text2").click()
    page.ctrl("a")
    copied = d.execute_script("""
        const data = new DataTransfer();
        document.querySelector('#Text2 .cm-content').dispatchEvent(
            new ClipboardEvent('copy', {clipboardData: data, bubbles: true, cancelable: true}));
        return data.getData('text/plain');""")
    if copied != page.el("Text2").get_property("value"):
        return f"select all and copy gave {len(copied)} characters of {len(shown)}"
    content = d.execute_cdp_cmd("DOM.querySelector", {
        "nodeId": d.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"],
        "selector": "#Text2 .cm-content"})["nodeId"]
    node = d.execute_cdp_cmd("Accessibility.getPartialAXTree",
                             {"nodeId": content, "fetchRelatives": False})["nodes"][0]
    multiline = any(p["name"] == "multiline" and p["value"]["value"] for p in node["properties"])
    if (node["role"]["value"], node["name"]["value"], multiline) != ("textbox", "生成记录", True):
        return f"a screen reader meets {node['role']['value']} {node['name']['value']!r}"
    return None


def report(name, problem, failed, passed):
    print(f"FAIL  {name}: {problem}" if problem else f"PASS  {name}")
    return (failed + 1, passed) if problem else (failed, passed + 1)


def own_edit_first(page):
    """Ctrl+Z in a box with an edit of its own undoes that edit first, then the Clear."""
    for number, word, arg, text in read_scenarios(SCENARIOS)[0][1]:  # the worked example
        page.step(word, arg, text)
    shown = page.el("Text2").get_property("value")
    page.keys(Keys.ESCAPE)
    page.keys(",7")  # typed on at the end of the box that has the focus
    page.ctrl("z")
    if page.el("Text2").get_property("value") != "" or ",7" in page.el("Text1_3").get_property("value"):
        return "the first Ctrl+Z did not undo the box's own edit alone"
    for _ in range(10):  # then the box's earlier edits, then the Clear
        if page.el("Text2").get_property("value"):
            break
        page.ctrl("z")
    return None if page.el("Text2").get_property("value") == shown else "Ctrl+Z did not bring back the Clear"


def phone_sizes(page):
    """A phone's layout: every tappable control at least 44 x 44 CSS px, box text at least 16 px,
    nothing wider than the screen, with the shear boxes shown too."""
    page.el("Command3").click()
    problems = page.d.execute_script("""
        const tappable = '#client input, #client select, #client button, #List1 [role=option], #Text2';
        const small = [...document.querySelectorAll(tappable)]
            .filter((e) => e.offsetParent !== null)
            .filter((e) => e.offsetWidth < 44 || e.offsetHeight < 44 ||
                           (e.matches('input, select') && parseFloat(getComputedStyle(e).fontSize) < 16))
            .map((e) => `${e.id} ${e.offsetWidth}x${e.offsetHeight}`);
        const root = document.documentElement;
        if (root.scrollWidth > root.clientWidth) small.push(`page ${root.scrollWidth} px wide`);
        return small;""")
    return f"too small or too wide: {problems}" if problems else None


def kept_and_offline(driver, url, stop):
    """A reload keeps the boxes, the temperature, the width and the record; a new tab starts
    empty; after one visit the page installs and works with no server."""
    page = Page(driver, url)
    for number, word, arg, text in read_scenarios(SCENARIOS)[3][1][:-2]:  # shear, all but checks
        page.step(word, arg, text)
    what = "[Text1_0.value, Text1_5.value, Combo1.selectedIndex, client.className, Text2.value]"
    before = driver.execute_script(f"return {what}")
    driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
    driver.refresh()
    WebDriverWait(driver, 20).until(lambda d: d.execute_script("return document.body.dataset.ready"))
    after = driver.execute_script(f"return {what}")
    if after != before or "OUT 4L" not in after[-1]:
        return f"after a reload the window shows {after}, before {before}"
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    if errors:
        return f"Chromium cannot install the page: {errors}"
    page = Page(driver, url)
    if driver.execute_script(f"return {what}") != ["", "", -1, "client", ""]:
        return "a new tab does not start empty"
    stop()
    page = Page(driver, url)
    for number, word, arg, text in read_scenarios(SCENARIOS)[0][1]:  # the worked example
        problem = page.step(word, arg, text)
        if problem:
            return f"offline, line {number}: {problem}"
    foreign = driver.execute_script(
        "return performance.getEntriesByType('resource').map((e) => e.name)"
        ".filter((n) => !n.startsWith(location.origin))")
    return f"requests to other origins: {foreign}" if foreign else None


def site_size(site):
    """The whole site stays small: 600 KB at most, 200 KB gzipped."""
    raw = packed = 0
    for name in os.listdir(site):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        raw, packed = raw + len(data), packed + len(gzip.compress(data, 9))
    return None if raw <= 600_000 and packed <= 200_000 else f"{raw} bytes, {packed} gzipped"


def run_scenarios(site, path):
    failed, passed = report("the site's size", site_size(site), 0, 0)
    for phone in (False, True):
        with served(site) as (url, stop), chromium(phone) as driver:
            for name, steps in read_scenarios(path):
                page = Page(driver, url, phone)
                problem = None
                for number, word, arg, text in steps:
                    problem = page.step(word, arg, text)
                    if problem:
                        problem = f"line {number} ({word}): {problem}"
                        break
                if not problem and page.el("message").get_property("open"):
                    problem = f"a message box nobody expected: {page.el('message-text').text!r}"
                problem = problem or page.private()
                failed, passed = report(("phone: " if phone else "") + name, problem, failed, passed)
            if phone:
                failed, passed = report("phone: sizes", phone_sizes(Page(driver, url, phone)), failed, passed)
                continue
            failed, passed = report("a record of 100 000 entries", long_record(Page(driver, url)), failed, passed)
            failed, passed = report("Ctrl+Z: a box's own edit first", own_edit_first(Page(driver, url)),
                                    failed, passed)
            failed, passed = report("kept in the tab, installable, offline",
                                    kept_and_offline(driver, url, stop), failed, passed)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


def press(driver, page, target):
    """Presses Generate with TARGET; the time from the click until the next frame, in ms."""
    page.type(2, target)
    return driver.execute_async_script("""
        const done = arguments[0];
        const t0 = performance.now();
        document.getElementById('Command1').click();
        requestAnimationFrame(() => setTimeout(() => done(performance.now() - t0)));""")


def bench(site):
    """The four presses of the record box's goals, each on a fresh page, five times."""
    times = {name: [] for name in ("10k", "100k", "1 after 100k", "10k after 90k")}
    with served(site) as (url, _), chromium() as driver:
        # The page's WebAssembly memory, caught as the module is instantiated, for its size.
        catch_memory = """
            for (const name of ["instantiate", "instantiateStreaming"]) {
              const instantiate = WebAssembly[name];
              WebAssembly[name] = async (...args) => {
                const result = await instantiate(...args);
                window.wasmMemory = Object.values((result.instance ?? result).exports)
                    .find((e) => e instanceof WebAssembly.Memory);
                return result;
              };
            }"""

        def fresh():
            # In the same tab, as a person presses again after a reload.
            page = Page(driver, url, script=catch_memory, new_tab=False)
            for box, text in ((0, "7.276"), (1, "13.69"), (3, "4")):
                page.type(box, text)
            Select(page.el("Combo1")).select_by_index(0)
            return page

        for _ in range(5):
            times["10k"].append(press(driver, fresh(), "0-999.9"))
            page = fresh()
            times["100k"].append(press(driver, page, "1-100000,1"))
            times["1 after 100k"].append(press(driver, page, "10"))
            lines = driver.execute_script("return document.getElementById('Text2').value.split('\\n').length")
            assert lines == 2 * 100001 + 1, lines  # 100 001 entries and the empty last line
            time.sleep(2)  # the record kept in the tab's storage meanwhile, as when a person pauses
            driver.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
            heap = driver.execute_cdp_cmd("Runtime.getHeapUsage", {})
            wasm = driver.execute_script("return window.wasmMemory.buffer.byteLength")
            page = fresh()
            press(driver, page, "0-8999.9")
            times["10k after 90k"].append(press(driver, page, "0-999.9"))
    for name, ms in times.items():
        ms.sort()
        print(f"BM_WebGenerate {name:>13} (headless Chromium, until the next frame): "
              f"median {ms[2]:.0f} ms, min {ms[0]:.0f} ms, max {ms[-1]:.0f} ms")
    print(f"Memory after 100 001 entries: JS heap {heap['usedSize'] / 2**20:.1f} MiB, "
          f"WebAssembly memory {wasm / 2**20:.1f} MiB")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[2] == "--bench":
        bench(sys.argv[1])
    elif len(sys.argv) == 3:
        SCENARIOS = sys.argv[2]
        sys.exit(run_scenarios(sys.argv[1], sys.argv[2]))
    else:
        sys.exit(__doc__)
