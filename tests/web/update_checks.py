"""A release of the installed page, as a host serves it: a new release arrives whole, leaves other
apps' caches alone and loses nothing the page kept; and the page's two copies of the record
never put an older one over a newer one."""
import os
import re
import shutil
import subprocess
import tempfile

from selenium.webdriver.support.ui import WebDriverWait

from page import PATIENCE, Page, chromium, read_scenarios, served


def release(cmake, script, worker, stage, site):
    """A release of the page from a build's STAGE, made by the build's own release script."""
    subprocess.run([cmake, f"-DSTAGE={stage}", f"-DSITE={site}", f"-DWORKER={worker}", "-P", script],
                   check=True, stdout=subprocess.DEVNULL)
    with open(os.path.join(site, "sw.js"), encoding="utf-8") as f:
        version = re.search(r'const cacheName = prefix \+ "(\w+)";', f.read()).group(1)
    return version, sorted(os.listdir(site))


def deploy(site, live):
    """What a host's deploy does: the folder's files replaced by the release's."""
    for name in os.listdir(live):
        os.remove(os.path.join(live, name))
    for name in os.listdir(site):
        shutil.copy(os.path.join(site, name), live)


def settled(driver, version):
    """Waits until the worker of VERSION is the active one and nothing else installs."""
    WebDriverWait(driver, 30).until(lambda d: d.execute_async_script("""
        const [version, done] = arguments;
        navigator.serviceWorker.getRegistration().then(async (r) => done(
            !!r && !!r.active && !r.installing && !r.waiting &&
            (await caches.keys()).includes(`olvimar ${r.scope} ${version}`)));""", version))


def reload(driver):
    driver.refresh()
    WebDriverWait(driver, 20).until(lambda d: d.execute_script("return document.body.dataset.ready"))


def update(stage, script, worker, cmake, scenarios):
    """Release 1 visited, release 2 deployed (a change of style), two reloads: every file of the
    page is release 2's, another app's cache and another copy's are still there, and the record
    made before is still shown. Served with Cache-Control: max-age=600, as static hosts do."""
    with tempfile.TemporaryDirectory() as tmp:
        one, two, live = (os.path.join(tmp, name) for name in ("one", "two", "live"))
        changed = os.path.join(tmp, "stage")
        shutil.copytree(stage, changed)
        with open(os.path.join(changed, "style.css"), "a", encoding="utf-8") as f:
            f.write("\n/* the second release */\n")
        first, files_one = release(cmake, script, worker, stage, one)
        second, files_two = release(cmake, script, worker, changed, two)
        os.mkdir(live)
        deploy(one, live)
        with served(live, "max-age=600") as (url, _), chromium() as driver:
            page = Page(driver, url)
            settled(driver, first)
            reload(driver)  # now the worker serves the page, as on every later visit
            for number, word, arg, text in read_scenarios(scenarios)[0][1]:  # the worked example
                page.step(word, arg, text)
            record = driver.execute_script("return Text2.value")
            driver.execute_async_script("""
                const done = arguments[0];
                Promise.all([
                  caches.open('another-app').then((c) => c.put('/another-app/kept', new Response('kept'))),
                  caches.open(`olvimar ${location.origin}/copy/ 0123456789abcdef`),
                ]).then(() => done());""")
            deploy(two, live)
            reload(driver)
            settled(driver, second)
            reload(driver)
            loaded = driver.execute_script("""
                return [location.pathname.split('/').pop(),
                        ...performance.getEntriesByType('resource').map((e) => new URL(e.name).pathname.split('/').pop())];""")
            style = driver.execute_script("return document.querySelector('link[rel=stylesheet]').getAttribute('href')")
            caches = driver.execute_async_script("caches.keys().then(arguments[0])")
            shown = driver.execute_script("return Text2.value")
    stale = [name for name in loaded if name and name not in files_two]
    if stale or style not in files_two or style in files_one:
        return f"after the update the page loaded {stale or style}, not release 2's"
    if "another-app" not in caches or not any("/copy/" in name for name in caches):
        return f"the update deleted another app's cache: {caches}"
    if shown != record:
        return f"after the update the record box holds {shown!r}, before {record!r}"
    return None


def copies_in_order(driver, url, scenarios):
    """A gzipped copy of the record that ends after the tab went to the background and kept a newer
    one as its text does not put the older one back."""
    hold = """
        // Counts the gzipped copies made, a task after the page went on with each.
        window.packed = 0;
        const arrayBuffer = Response.prototype.arrayBuffer;
        Response.prototype.arrayBuffer = async function () {
          const bytes = await arrayBuffer.call(this);
          setTimeout(() => packed++);
          return bytes;
        };
        const Gzip = CompressionStream;
        window.gzips = [];
        window.CompressionStream = class {
          constructor(format) {
            const gzip = new Gzip(format);
            const held = new Promise((go) => gzips.push(go));
            this.writable = gzip.writable;
            this.readable = gzip.readable.pipeThrough(new TransformStream({
              async transform(chunk, out) { await held; out.enqueue(chunk); } }));
          }
        };"""
    page = Page(driver, url, script=hold)
    for number, word, arg, text in read_scenarios(scenarios)[0][1]:  # the worked example
        page.step(word, arg, text)
    WebDriverWait(driver, PATIENCE).until(lambda d: d.execute_script("return gzips.length") == 1)
    page.type(2, "12")
    page.step("generate", "", "")
    newer = driver.execute_script("return Text2.value")
    driver.execute_script("""
        Object.defineProperty(document, 'visibilityState', {value: 'hidden', configurable: true});
        document.dispatchEvent(new Event('visibilitychange'));""")
    kept = lambda: driver.execute_script("return sessionStorage.getItem('olvimar.record')")
    if kept() != "t" + newer.replace("\n", "\r\n"):
        return f"the tab in the background kept {kept()[:40]!r}"
    driver.execute_script("gzips[0]()")  # the older copy ends
    WebDriverWait(driver, PATIENCE).until(lambda d: d.execute_script("return packed") == 1)
    if kept() != "t" + newer.replace("\n", "\r\n"):
        return "the older gzipped copy was kept over the newer one"
    return None
