"""What every browser test of the page shares: the static server, the browsers (headless
Chromium, as a desktop browser or a phone, and WebKit, Safari's engine, under Xvfb), and the
page as a person works it, step by step from the scenarios that the form tests read too."""
import contextlib
import http.server
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

NARROW, WIDE, HEIGHT = 4770, 6825, 4365  # the client area, in twips
# How long a step waits for the page's sign that it has happened. A driver may hand back before
# the page has had its input (WebKit's does), so a step waits for the sign, never for a time; this
# is only how long it takes before a sign that never comes is a failure.
PATIENCE = 30


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
            if word in ("type", "box", "sheet", "measure", "recipe"):
                arg, _, rest = rest.partition(" ")
            scenarios[-1][1].append((number, word, arg, rest.replace("\\n", "\n")))
    return scenarios


@contextlib.contextmanager
def served(site, cache_control=None, spoiled=None):
    """The site from a static server on the loopback address, as a static host serves it, with
    CACHE_CONTROL on every answer if given; yields its address, and how to stop the server before
    the end. SPOILED, if given, answers for a file name: None to serve it as it is, bytes to serve
    in its place, 404 for none."""
    class Files(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=site, **kwargs)

        def do_GET(self):
            answer = spoiled and spoiled(self.path.split("?")[0].rsplit("/", 1)[-1])
            if answer == 404:
                self.send_error(404)
            elif answer is not None:
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(self.path))
                self.send_header("Content-Length", str(len(answer)))
                self.end_headers()
                self.wfile.write(answer)
            else:
                super().do_GET()

        def end_headers(self):
            if cache_control:
                self.send_header("Cache-Control", cache_control)
            super().end_headers()

        def log_message(self, *args):
            pass

    Files.extensions_map = {**Files.extensions_map, ".wasm": "application/wasm"}
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Files)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    stopped = threading.Event()

    def stop():
        if not stopped.is_set():
            stopped.set()
            server.shutdown()
            server.server_close()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}/index.html", stop
    finally:
        stop()


@contextlib.contextmanager
def chromium(phone=False, font=16, width=800):
    """Headless Chromium, its default font FONT px; as a phone shows pages (360 x 740 CSS px,
    touch) when PHONE."""
    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        if phone:
            options.add_experimental_option("mobileEmulation", {
                "deviceMetrics": {"width": 360, "height": 740, "pixelRatio": 3.0, "touch": True},
                "userAgent": "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 "
                             "(KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36"})
        options.add_experimental_option("prefs", {"webkit.webprefs.default_font_size": font})
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", f"--window-size={width},600",
                     f"--user-data-dir={profile}"):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            yield driver
        finally:
            driver.quit()


@contextlib.contextmanager
def xvfb():
    """An X display for a browser that needs one: the session's own, or Xvfb's."""
    if os.environ.get("DISPLAY"):
        yield
        return
    with tempfile.TemporaryFile() as log:
        server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=log)
        display = server.stdout.readline().decode().strip()
        os.environ["DISPLAY"] = ":" + display
        try:
            yield
        finally:
            del os.environ["DISPLAY"]
            server.terminate()
            server.wait()


@contextlib.contextmanager
def webkit():
    """WebKitGTK's MiniBrowser, Safari's engine, through its WebDriver, under Xvfb."""
    from selenium.webdriver.webkitgtk.options import Options
    with xvfb():
        options = Options()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
        try:
            driver.set_window_size(800, 600)
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
        self.events = 0  # the events that steps have waited for
        if new_tab:
            # A tab of its own, in WebKit too: there, what a page keeps as it is left may reach
            # the tab's storage after the next page of the same tab has cleared it.
            old = driver.current_window_handle
            driver.switch_to.new_window("tab")
            tab = driver.current_window_handle
            driver.switch_to.window(old)
            driver.close()
            driver.switch_to.window(tab)
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

    def in_page(self, check, *args):
        """What the shared in-page CHECK (tests/web/in_page/CHECK.js, a function's body that every
        engine's runner runs) gives, with ARGS as its `args`."""
        with open(os.path.join(os.path.dirname(__file__), "in_page", check + ".js"), encoding="utf-8") as f:
            return self.d.execute_script(f"return ((...args) => {{\n{f.read()}\n}})(...arguments)", *args)

    def keys(self, *keys):
        ActionChains(self.d).send_keys(*keys).perform()

    def ctrl(self, key):
        ActionChains(self.d).key_down(Keys.CONTROL).send_keys(key).key_up(Keys.CONTROL).perform()

    def font(self):
        """The font in effect, in CSS px: the replica's twips are font / 180 px."""
        return self.d.execute_script("return parseFloat(getComputedStyle(document.documentElement).fontSize)")

    def ax(self, selector):
        """What a screen reader meets at the element: role, name, description, properties."""
        root = self.d.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]
        id_ = self.d.execute_cdp_cmd("DOM.querySelector", {"nodeId": root, "selector": selector})["nodeId"]
        n = self.d.execute_cdp_cmd("Accessibility.getPartialAXTree",
                                   {"nodeId": id_, "fetchRelatives": False})["nodes"][0]
        props = {p["name"]: p["value"].get("value") for p in n.get("properties", [])}
        return n["role"]["value"], n["name"]["value"], n.get("description", {}).get("value", ""), props

    def requests(self):
        """What the page asked for; the browser asks for the manifest and the icons on its own,
        whenever it likes (the installability check fetches an icon a moment after load), and for
        the worker's script whenever it looks for a new release (WebKit counts that fetch among the
        page's, a moment after the page has registered its worker)."""
        return self.d.execute_script("""
            return performance.getEntriesByType('resource').map((e) => e.name)
                .filter((name) => !/\\/(manifest\\.webmanifest|icon[^/]*|apple-touch-icon\\.png|sw\\.js)$/.test(name))""")

    def wait(self, condition, problem):
        """Waits for CONDITION (of the driver) to hold; PROBLEM (a text, or a function that
        gives one) if it never does."""
        try:
            WebDriverWait(self.d, PATIENCE, poll_frequency=0.02).until(condition)
            return None
        except TimeoutException:
            return problem() if callable(problem) else problem

    def handled(self, event, action, key=None, within=None):
        """Carries out ACTION, which brings the page an EVENT (a KEY's keydown, if given; on the
        element WITHIN, if given), and waits until the page has handled it: a task after the
        event has reached every listener."""
        self.events += 1
        self.d.execute_script("""
            const [type, key, number, within] = arguments;
            window.handled = null;
            const seen = (e) => {
              if (key !== null && e.key !== key) return;
              removeEventListener(type, seen, true);
              const missed = within !== null && !within.contains(e.target);
              setTimeout(() => { window.handled = missed ? `on ${e.target.id || e.target.nodeName}` : number; });
            };
            addEventListener(type, seen, true);""", event, key, self.events, within)
        action()
        handled = lambda: self.d.execute_script("return window.handled")
        problem = self.wait(lambda d: handled() is not None, f"the page never had the {key or event}")
        return problem or (None if handled() == self.events else f"the {event} landed {handled()}")

    def tap(self, element):
        """A tap or a click on ELEMENT as a person makes it: the element in view first, then the
        tap, which must reach it and nothing else."""
        self.d.execute_script("arguments[0].scrollIntoView({block: 'center'})", element)
        return self.handled("click", element.click, within=element)

    def type(self, box, text):
        # Into the box as a person gets there; a hidden shear box widens the window.
        self.reveal(box)
        element = self.el(f"Text1_{box}")
        self.d.execute_script("arguments[0].focus(); arguments[0].select()", element)
        self.keys(text if text else Keys.DELETE)  # what is typed replaces what was selected
        return self.wait(lambda d: element.get_property("value") == text,
                         lambda: f"box {box} holds {element.get_property('value')!r} after typing {text!r}")

    def reveal(self, box):
        """On a phone, a person opens the shear disclosure to reach a shear box."""
        if self.phone and int(box) >= 4 and not self.el(f"Text1_{box}").is_displayed():
            self.tap(self.el("Command3"))

    def step(self, word, arg, text):
        """Carries out one step or check; returns what went wrong, or None."""
        if word != "message" and self.el("message").get_property("open"):
            return f"a message box nobody expected: {self.el('message-text').text!r}"
        if word == "type":
            return self.type(arg, text)
        elif word == "temperature":
            Select(self.el("Combo1")).select_by_index(int(arg))
            return self.wait(lambda d: self.el("Combo1").get_property("selectedIndex") == int(arg),
                             f"row {arg} of the temperature was not chosen")
        elif word == "focus":
            self.reveal(arg)
            self.d.execute_script("arguments[0].focus()", self.el(f"Text1_{arg}"))
        elif word == "preset" and self.phone:
            # A tap inserts; the hint row is not offered on a phone, the blank row does the same.
            return self.tap(self.el(f"List1_row{5 if arg == '6' else arg}"))
        elif word == "preset":
            row = self.el(f"List1_row{arg}")
            return self.handled("dblclick", ActionChains(self.d).double_click(row).perform)
        elif word in ("generate", "clear") and self.phone:
            return self.tap(self.el("Command1" if word == "generate" else "Command2"))
        elif word in ("generate", "clear"):  # Enter presses Generate from a field, Esc Clear
            key = Keys.ENTER if word == "generate" else Keys.ESCAPE
            return self.handled("keydown", lambda: self.keys(key), "Enter" if word == "generate" else "Escape")
        elif word == "bar":
            return self.tap(self.el("Command3"))
        elif word == "undo" and self.phone:
            if self.el("UndoClear").is_displayed():  # otherwise there is nothing to tap
                return self.tap(self.el("UndoClear"))
        elif word == "undo":  # from Clear, which a person has just pressed
            self.d.execute_script("arguments[0].focus()", self.el("Command2"))
            return self.handled("keydown", lambda: self.ctrl("z"), "z")
        elif word == "sheet":  # at the end of the chart's panel, also on a phone
            box = self.el(f"SheetBox{arg}")
            self.d.execute_script("arguments[0].scrollIntoView({block: 'center'}); arguments[0].focus(); "
                                  "arguments[0].select()", box)
            self.keys(text if text else Keys.DELETE)
            return self.wait(lambda d: box.get_property("value") == text,
                             lambda: f"sheet box {arg} holds {box.get_property('value')!r}")
        elif word == "recipe":  # the recipe's panel, after the chart's
            box = self.el(f"RecipeBox{arg}")
            self.d.execute_script("arguments[0].scrollIntoView({block: 'center'}); arguments[0].focus(); "
                                  "arguments[0].select()", box)
            self.keys(text if text else Keys.DELETE)
            return self.wait(lambda d: box.get_property("value") == text,
                             lambda: f"recipe box {arg} holds {box.get_property('value')!r}")
        elif word == "unit":
            Select(self.el("RecipeUnit")).select_by_index(int(arg))
            return self.wait(lambda d: self.el("RecipeUnit").get_property("selectedIndex") == int(arg),
                             f"row {arg} of the recipe's unit was not chosen")
        elif word in ("recipe-table", "recipe-says"):
            shown = self.in_page("shown", word)
            if shown != arg:
                return f"the recipe shows {shown!r}, expected {arg!r}"
        elif word == "handle":
            box = self.el("ChartPercent")
            self.d.execute_script("arguments[0].focus(); arguments[0].select()", box)
            self.keys(arg)
            return self.wait(lambda d: self.el("ChartHandle").get_attribute("aria-valuenow") == arg,
                             lambda: f"the handle stands at {self.el('ChartHandle').get_attribute('aria-valuenow')}")
        elif word == "measure":  # the section's boxes and choice, then Enter in the viscosity's box
            share, _, viscosity = text.partition(" ")
            before = len(self.d.find_elements(By.CSS_SELECTOR, "#MeasuredList li"))
            for id_, value in (("MeasuredPercent", share), ("MeasuredViscosity", viscosity)):
                box = self.el(id_)
                self.d.execute_script("arguments[0].scrollIntoView({block: 'center'}); arguments[0].focus(); "
                                      "arguments[0].select()", box)
                self.keys(value)
                if id_ == "MeasuredPercent":
                    Select(self.el("MeasuredTemperature")).select_by_index(int(arg))
            self.d.execute_script("arguments[0].focus()", self.el("MeasuredViscosity"))
            problem = self.handled("keydown", lambda: self.keys(Keys.ENTER), "Enter")
            return problem or self.wait(
                lambda d: len(d.find_elements(By.CSS_SELECTOR, "#MeasuredList li")) == before + 1,
                "the measured blend was not added")
        elif word == "calibrate":
            box = self.el("Calibrate")
            checked = box.get_property("checked")
            problem = self.tap(box)
            return problem or self.wait(lambda d: box.get_property("checked") != checked,
                                        "the switch did not change")
        elif word == "section":
            shown = self.d.execute_script("""
                return [...document.querySelectorAll('#MeasuredList li span')].map((s) => s.textContent)
                    .concat(Factors.textContent ? Factors.textContent.split('\\n') : []).join(' | ')""")
            if shown != arg:
                return f"the section holds {shown!r}, expected {arg!r}"
            # Each blend with its button, which a screen reader hears by its name.
            buttons = self.d.execute_script(
                "return [...document.querySelectorAll('#MeasuredList li')].map((li) => li.querySelector('button')?.textContent)")
            if any(b != "删除" for b in buttons):
                return f"the blends' buttons are {buttons}, each should be 删除"
        elif word == "readout":
            shown = self.el("ChartReadout").get_property("textContent")
            if shown != text:
                return f"the readout is {shown!r}, expected {text!r}"
        elif word == "below":
            shown = self.el("SheetGrades").get_property("textContent").split("\n")[0]
            if shown != arg:
                return f"under the data sheet stands {shown!r}, expected {arg!r}"
        elif word == "table":
            shown = self.d.execute_script("""
                const heads = SheetTable.tHead.rows[0].cells.length;  // the corner and four
                return (heads === 5 ? '' : `${heads} heads: `) + [...SheetTable.tBodies[0].rows].map((r) =>
                    [...r.cells].slice(1).map((c) => c.textContent).join(' ')).join(' | ')""")
            if shown != arg:
                return f"the data sheet holds {shown!r}, expected {arg!r}"
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
            return self.wait(lambda d: not self.el("message").get_property("open"),
                             "the message box did not close")
        elif word == "box":
            shown = self.el(f"Text1_{arg}").get_property("value")
            if shown != text:
                return f"box {arg} holds {shown!r}, expected {text!r}"
        elif word == "wide" and self.phone:
            shown = (self.el("Command3").get_attribute("aria-expanded"), self.el("Text1_4").is_displayed())
            if shown != (("true", True) if arg == "1" else ("false", False)):
                return f"the shear disclosure is {shown}, expected wide {arg}"
        elif word == "wide":
            expected = (WIDE if arg == "1" else NARROW) * self.font() / 180
            width = lambda: self.d.execute_script("return client.getBoundingClientRect().width - 2")
            return self.wait(lambda d: abs(width() - expected) <= 0.5,
                             lambda: f"the window is {width()} px wide, expected {expected}")
        else:
            return f"unknown step {word}"
        return None

    def private(self):
        """What the page must not do: ask for more, or keep anything beyond this tab's window."""
        if self.requests() != self.loaded:
            return f"the page asked for {self.requests()[len(self.loaded):]} after it had loaded"
        kept = self.d.execute_script(
            "return [document.cookie, localStorage.length, Object.keys(sessionStorage).sort()]")
        if kept != ["", 0, ["olvimar.fields", "olvimar.record"][:len(kept[2])]]:
            return f"the page keeps {kept}"
        return None
