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
def served(site, cache_control=None):
    """The site from a static server on the loopback address, as a static host serves it, with
    CACHE_CONTROL on every answer if given; yields its address, and how to stop the server before
    the end."""
    class Files(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=site, **kwargs)

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
        if new_tab and driver.capabilities["browserName"] != "chrome":
            new_tab = False  # WebKit's MiniBrowser opens no tabs
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
        whenever it likes (the installability check fetches an icon a moment after load)."""
        return self.d.execute_script("""
            return performance.getEntriesByType('resource').map((e) => e.name)
                .filter((name) => !/\\/(manifest\\.webmanifest|icon[^/]*|apple-touch-icon\\.png)$/.test(name))""")

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
            bar = self.el("Command3")
            before = bar.get_attribute("aria-expanded")
            for _ in range(2):  # WebKit's driver now and then loses a click on the thin bar
                bar.click()
                try:
                    WebDriverWait(self.d, 1).until(lambda d: bar.get_attribute("aria-expanded") != before)
                    break
                except TimeoutException:
                    continue
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
            try:  # WebKit's driver may hand back before the page has handled the key
                WebDriverWait(self.d, 2).until(lambda d: self.el("message").get_property("open"))
            except TimeoutException:
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
            expected = (WIDE if arg == "1" else NARROW) * self.font() / 180
            width = lambda: self.d.execute_script("return client.getBoundingClientRect().width - 2")
            try:  # WebKit's driver may hand back before the page has drawn the new width
                WebDriverWait(self.d, 2).until(lambda d: abs(width() - expected) <= 0.5)
            except TimeoutException:
                return f"the window is {width()} px wide, expected {expected}"
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
