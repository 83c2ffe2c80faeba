"""A page that cannot work says so, in Chinese and English, and disables its controls: when its
module does not load or start, and when the module aborts while a handler runs, after which a
reload brings back what the tab had kept before."""
from selenium.webdriver.support.ui import WebDriverWait

from page import PATIENCE, Page, read_scenarios, served

# Makes the module abort once, at its next call of the page's JavaScript after `abortNext` is set,
# as an abort in the middle of a handler does: the module's stack unwinds with a RuntimeError, and
# what it is called for afterwards it may still answer, from a state half-way through the handler.
ABORTABLE = """
    for (const name of ["instantiate", "instantiateStreaming"]) {
      const instantiate = WebAssembly[name];
      WebAssembly[name] = (source, imports) => {
        for (const functions of Object.values(imports))
          for (const [key, f] of Object.entries(functions))
            if (typeof f === "function")
              functions[key] = (...args) => {
                if (window.abortNext) {
                  window.abortNext = false;
                  throw new WebAssembly.RuntimeError("Aborted(planted)");
                }
                return f(...args);
              };
        return instantiate(source, imports);
      };
    }"""


def stopped(driver, when):
    """What the page shows once it has stopped, WHEN "start" or "run"; a problem, or None."""
    if WebDriverWait(driver, PATIENCE).until(
            lambda d: d.execute_script("return document.body.dataset.ready")) != "stopped":
        return "the page started as if it worked"
    shown, enabled = driver.execute_script("""
        const shown = [...document.querySelectorAll('#stopped [data-when]')]
            .filter((p) => p.offsetParent !== null).map((p) => [p.dataset.when, p.textContent]);
        const enabled = [...document.querySelectorAll('.page input, .page select, .page button')]
            .filter((c) => !c.disabled).map((c) => c.id);
        return [shown, enabled];""")
    words = " ".join(text for _, text in shown)
    if {w for w, _ in shown} != {when} or "重新加载" not in words or "reload" not in words.lower():
        return f"the page says {shown}"
    if enabled or not driver.execute_script("return document.querySelector('.page').inert"):
        return f"controls still enabled: {enabled}"
    return None


def cannot_start(site, driver):
    """A .wasm that does not compile, or a module script that is not there."""
    rows = (("a .wasm that does not compile", ".wasm", b"\0asm\1\0\0\0 cut short"),
            ("a module script that is not there", ".js", 404))
    for name, ending, answer in rows:
        spoiled = lambda file: answer if file.startswith("olvimar.") and file.endswith(ending) else None
        with served(site, spoiled=spoiled) as (url, _):
            driver.get(url)
            problem = stopped(driver, "start")
            if problem:
                return f"{name}: {problem}"
    return None


def abort_in_a_handler(driver, url, scenarios):
    """The worked example kept in the tab, then a press whose module aborts: the page stops, keeps
    nothing more, and a reload shows the window and the record as they were before the press."""
    page = Page(driver, url, script=ABORTABLE)
    for number, word, arg, text in read_scenarios(scenarios)[0][1]:
        page.step(word, arg, text)
    kept = "return [sessionStorage.getItem('olvimar.fields'), sessionStorage.getItem('olvimar.record')]"
    before = page.wait(lambda d: d.execute_script(kept)[1] is not None, "the record was never kept")
    if before:
        return before
    record, before = page.el("Text2").get_property("value"), driver.execute_script(kept)
    driver.execute_script("window.abortNext = true")
    page.step("generate", "", "")
    problem = stopped(driver, "run")
    if problem:
        return problem
    if driver.execute_script(kept) != before:
        return "the page kept what it had when it stopped"
    driver.refresh()
    WebDriverWait(driver, PATIENCE).until(lambda d: d.execute_script("return document.body.dataset.ready"))
    shown = [page.el("Text2").get_property("value"), page.el("Text1_2").get_property("value")]
    if shown != [record, "10,12"]:
        return f"after a reload the window shows {shown}"
    return None
