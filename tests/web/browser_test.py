#!/usr/bin/python3
"""The web page in headless Chromium, driven as a person would: it types into the fields, picks
the temperature, presses Generate with the keyboard and reads the record box, scenario by
scenario from the file the form tests read too. It also checks that the page asks for nothing
after it has loaded and keeps no cookies or storage.

    browser_test.py SITE SCENARIOS STAGE RELEASE WORKER CMAKE
                                            run the scenarios and the checks; STAGE is the build's
                                            files, RELEASE and WORKER its release script and the
                                            worker's template, to make a second release
    browser_test.py SITE --bench            time one press of Generate with 9 999 values
"""
import gzip
import os
import sys
import time

from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import chart_checks
import layout_checks
import stop_checks
import update_checks
from page import Page, chromium, read_scenarios, served, webkit


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
            const padding = parseFloat(getComputedStyle(scroller.querySelector('.cm-content')).paddingTop);
            const line = document.elementFromPoint(box.left + 20, box.top + padding + 2).closest('.cm-line');
            return [line.textContent, line.getBoundingClientRect().top - box.top - padding];""")
        if top[0] != "OUT 4L, 1.000 cSt" or abs(top[1]) > 2:  # scrolled by whole pixels
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


class Report:
    """Prints each check's outcome and counts them."""

    def __init__(self):
        self.failed = self.passed = 0

    def __call__(self, name, problem):
        print(f"FAIL  {name}: {problem}" if problem else f"PASS  {name}", flush=True)
        if problem:
            self.failed += 1
        else:
            self.passed += 1


def scenario(page, steps):
    """Runs one scenario's steps on PAGE; what went wrong, or None."""
    for number, word, arg, text in steps:
        problem = page.step(word, arg, text)
        if problem:
            return f"line {number} ({word}): {problem}"
    if page.el("message").get_property("open"):
        return f"a message box nobody expected: {page.el('message-text').text!r}"
    return page.private()


def own_edit_first(page):
    """Ctrl+Z in a box with an edit of its own undoes that edit first, then the Clear; in the
    record box too, where it undoes the user's typing but never a press's entries."""
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
    if page.el("Text2").get_property("value") != shown:
        return "Ctrl+Z did not bring back the Clear"
    page.type(3, "4")  # the total again, all of whose typing was undone
    page.keys(Keys.ENTER)  # a press that appends: no edit of the box's own
    shown = page.el("Text2").get_property("value")
    page.d.execute_script("document.querySelector('#Text2 .cm-content').focus()")
    page.ctrl(Keys.END)
    page.keys("abc")
    typed = page.el("Text2").get_property("value")
    page.ctrl("z")
    after = page.el("Text2").get_property("value")
    page.ctrl("z")  # nothing more of the user's to undo, and no Clear
    if typed != shown + "abc" or after != shown or page.el("Text2").get_property("value") != shown:
        return f"the record box's Ctrl+Z left {after[-20:]!r}, then {page.el('Text2').get_property('value')[-20:]!r}"
    return None


def phone_sizes(page):
    """A phone's layout: every tappable control at least 44 x 44 CSS px, box text at least 16 px,
    nothing wider than the screen, with the shear boxes shown too."""
    page.el("Command3").click()
    problems = page.d.execute_script("""
        const tappable = '#client input, #client select, #client button, #List1 [role=option], #Text2, ' +
                         '#ChartHandle, #ChartPercent, #sheet-boxes input, #measured-boxes input, ' +
                         '#measured-boxes select, #calibration button, #calibrate-switch, ' +
                         '#recipe-boxes input, #recipe-boxes select, #RecipeMap';
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
    page.step("sheet", "0", "40")
    page.step("measure", "0", "50 10.2")
    page.step("calibrate", "", "")
    page.step("recipe", "17", "10")
    what = ("[Text1_0.value, Text1_5.value, Combo1.selectedIndex, client.className, Text2.value, "
            "SheetBox0.value, SheetTable.tBodies[0].rows[0].cells[1].textContent, "
            "MeasuredList.textContent, Calibrate.checked, RecipeBox17.value]")
    before = driver.execute_script(f"return {what}")
    driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
    driver.refresh()
    WebDriverWait(driver, 20).until(lambda d: d.execute_script("return document.body.dataset.ready"))
    after = driver.execute_script(f"return {what}")
    if after != before or "OUT 4L" not in after[4] or "10.2 cSt" not in after[7] or not after[8] or after[9] != "10":
        return f"after a reload the window shows {after}, before {before}"
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    if errors:
        return f"Chromium cannot install the page: {errors}"
    page = Page(driver, url)
    if driver.execute_script(f"return {what}") != ["", "", -1, "client", "", "", "—", "", False, ""]:
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
    """The whole site stays small: 700 KB at most, 240 KB gzipped."""
    raw = packed = 0
    for name in os.listdir(site):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        raw, packed = raw + len(data), packed + len(gzip.compress(data, 9))
    print(f"      the site: {raw} bytes, {packed} gzipped")
    return None if raw <= 700_000 and packed <= 240_000 else f"{raw} bytes, {packed} gzipped"


def run_scenarios(site, path, making_a_release):
    report = Report()
    report("the site's size", site_size(site))
    for phone in (False, True):
        with served(site) as (url, stop), chromium(phone) as driver:
            for name, steps in read_scenarios(path):
                report(("phone: " if phone else "") + name, scenario(Page(driver, url, phone), steps))
            report(("phone: " if phone else "") + "the chart's handle", chart_checks.handle(Page(driver, url, phone)))
            report(("phone: " if phone else "") + "each box named as shown",
                   layout_checks.named_as_shown(Page(driver, url, phone)))
            if phone:
                report("phone: sizes", phone_sizes(Page(driver, url, phone)))
                report("phone: the switch's row is one target", chart_checks.switch_row(Page(driver, url, phone)))
                continue
            report("a page whose module cannot start says so", stop_checks.cannot_start(site, driver))
            report("a module that aborts in a handler stops the page, which loses nothing",
                   stop_checks.abort_in_a_handler(driver, url, path))
            report("the chart to a screen reader", chart_checks.screen_reader(Page(driver, url)))
            report("the measured blends' list keeps the keys and says when it is full",
                   chart_checks.measured_list(Page(driver, url)))
            report("the recipe to a screen reader, and its map to a click and the arrows",
                   chart_checks.recipe(Page(driver, url)))
            report("a record of 100 000 entries", long_record(Page(driver, url)))
            report("Ctrl+Z: a control's own edit first", own_edit_first(Page(driver, url)))
            report("no text cut off in the replica", layout_checks.text_fits(Page(driver, url)))
            report("no sideways scrolling from 320 to 1280 px",
                   layout_checks.no_sideways_scrolling(Page(driver, url)))
            report("the replica follows the browser's font", layout_checks.replica_size(url))
            report("the record's copies in the tab in order",
                   update_checks.copies_in_order(driver, url, path))
            report("kept in the tab, installable, offline", kept_and_offline(driver, url, stop))
    report("a new release arrives whole and loses nothing",
           update_checks.update(*making_a_release, path))
    with served(site) as (url, stop), webkit() as driver:
        for name, steps in read_scenarios(path):
            report("WebKit: " + name, scenario(Page(driver, url), steps))
        report("WebKit: no text cut off in the replica", layout_checks.text_fits(Page(driver, url)))
    print(f"{report.passed} passed, {report.failed} failed")
    return 1 if report.failed or not report.passed else 0


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
    with served(site) as (url, _), chromium(width=1280) as driver:
        chart_frames(driver, url)


def chart_frames(driver, url):
    """The blend chart, the data sheet and the chart of its lines, from a key until the next frame:
    a character typed into oil A's box with 1-100000,1 in the target box, one typed into the data
    sheet's box, the handle moved by an arrow, and a character typed into oil A's box again with
    two measured blends and the switch on, which the section redraws as well; then the recipe: a
    character typed into its 40 ℃ target, and its map's target moved by an arrow."""
    count_frames = """
        window.frames = [];
        document.addEventListener('keydown', () => {
          const t0 = performance.now();
          requestAnimationFrame(() => setTimeout(() => frames.push(performance.now() - t0)));
        }, true);"""
    page = Page(driver, url, script=count_frames)
    for box, text in ((0, "7.276"), (1, "13.69"), (2, "1-100000,1"), (3, "4")):
        page.type(box, text)
    Select(page.el("Combo1")).select_by_index(0)
    for box, text in (("0", "40"), ("1", "90")):
        page.step("sheet", box, text)
    page.type(0, "7.276")
    for name, keys in (("a character typed", ["1", Keys.BACKSPACE] * 10),
                       ("one in the sheet's box", ["1", Keys.BACKSPACE] * 10),
                       ("the handle moved", [Keys.ARROW_RIGHT, Keys.ARROW_LEFT] * 10),
                       ("calibrated, one typed", ["1", Keys.BACKSPACE] * 10),
                       ("one in the recipe's box", ["1", Keys.BACKSPACE] * 10),
                       ("the map's target moved", [Keys.ARROW_RIGHT, Keys.ARROW_LEFT] * 10)):
        if name == "one in the sheet's box":
            page.step("sheet", "1", "90")
        if name == "the handle moved":
            page.el("ChartHandle").click()
        if name == "calibrated, one typed":  # two measured blends, the switch on, into oil A's box
            for blend in ("50 10.2", "30 11.4"):
                page.step("measure", "0", blend)
            page.step("calibrate", "", "")
            page.type(0, "7.276")
        if name == "one in the recipe's box":  # the recipe's worked example, into its 40 ℃ target
            for box, text in ((0, "40"), (2, "840"), (4, "90"), (6, "850"), (8, "150"), (9, "14.5"),
                              (10, "870"), (17, "10"), (20, "4"), (18, "62")):
                page.step("recipe", str(box), text)
        if name == "the map's target moved":
            page.el("RecipeMap").click()
        driver.execute_script("frames.length = 0")
        for key in keys:
            page.keys(key)
            WebDriverWait(driver, 5).until(lambda d: d.execute_script("return frames.length") > 0)
            driver.execute_script("window.last = frames.pop()")
            driver.execute_script("(window.times ??= []).push(last)")
        ms = sorted(driver.execute_script("const t = times; window.times = []; return t"))
        print(f"BM_WebChart {name:>22} (headless Chromium, key to the next frame): "
              f"median {ms[len(ms) // 2]:.1f} ms, min {ms[0]:.1f} ms, max {ms[-1]:.1f} ms")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[2] == "--bench":
        bench(sys.argv[1])
    elif len(sys.argv) == 7:
        SCENARIOS = sys.argv[2]
        sys.exit(run_scenarios(sys.argv[1], sys.argv[2], sys.argv[3:]))
    else:
        sys.exit(__doc__)
