"""The page's layout at the reader's font: the replica's size, no sideways scrolling, and no text
cut off in any box, in whichever browser drives the page."""
import io

from selenium.webdriver.support.ui import Select

from page import HEIGHT, NARROW, Page, chromium

PITCH = 240  # twips from one box of the main column to the next, which covers its foot
SAMPLE = "gjpqy,;7,10 机油粘度"  # descenders, a comma's tail and Chinese


def replica_size(url):
    """At a 12-px browser font the replica is as drawn (318 x 291 px); at 16 px 4/3 of that,
    each box at least 24 px tall; at 20 px larger again."""
    sizes = {}
    for font in (12, 16, 20):
        with chromium(font=font, width=1280) as driver:
            Page(driver, url)
            sizes[font] = driver.execute_script("""
                const r = client.getBoundingClientRect();
                const lowest = Math.min(...[...client.querySelectorAll('input, select, button')]
                    .filter((e) => e.offsetParent !== null && e.id !== 'Command3')
                    .map((e) => e.getBoundingClientRect().height));
                return [r.width - 2, r.height - 2, lowest];""")  # less the border
        want = [NARROW * font / 180, HEIGHT * font / 180]
        if any(abs(a - b) > 0.5 for a, b in zip(sizes[font], want)):
            return f"at {font} px the replica is {sizes[font][:2]}, expected {want}"
    if sizes[12][:2] != [318, 291] or sizes[16][2] < 24:
        return f"the replica's sizes {sizes}"
    print(f"      replica, narrow: {', '.join(f'{f} px font {w:g} x {h:g}' for f, (w, h, _) in sizes.items())}")
    return None


def no_sideways_scrolling(page):
    """From 320 to 1280 px, at the default font and wide state included, the page never scrolls
    sideways: where the replica does not fit, the page is one column."""
    page.el("Command3").click()  # the replica widened, its widest
    wide = []
    for width in list(range(320, 1281, 40)) + list(range(640, 661, 2)):
        page.d.set_window_size(width, 700)
        over = page.d.execute_script(
            "const r = document.documentElement; return [innerWidth, r.scrollWidth - r.clientWidth]")
        if over[1] > 0:
            wide.append(f"{over[0]} px: {over[1]} px too wide")
    page.d.set_window_size(800, 600)
    return f"scrolls sideways at {wide}" if wide else None


def text_fits(page):
    """No text is cut off in a box of the replica: raised above the box below it, each box shows
    all the ink of what it holds within the rows that box leaves uncovered."""
    from PIL import Image  # Debian's python3-pil
    for box in range(4):
        page.type(box, SAMPLE)
    Select(page.el("Combo1")).select_by_index(0)
    d = page.d
    d.execute_script("document.activeElement.blur()")
    visible = PITCH * page.font() / 180  # the rows above the box below, its border included
    problems = []
    for id_ in ("Text1_0", "Text1_1", "Combo1", "Text1_2", "Text1_3"):
        left, top, right, bottom = d.execute_script("""
            const e = document.getElementById(arguments[0]);
            e.style.zIndex = 5;
            const r = e.getBoundingClientRect();
            return [r.left, r.top, r.right, r.bottom];""", id_)
        shot = Image.open(io.BytesIO(d.get_screenshot_as_png())).convert("L")
        d.execute_script("document.getElementById(arguments[0]).style.zIndex = ''", id_)
        scale = shot.width / d.execute_script("return innerWidth")
        # Inside the box's border, as the engine snaps it to whole pixels.
        box = shot.crop(tuple(round(v * scale) for v in (left, top, right, bottom)))
        text_width = box.width - round(20 * scale * page.font() / 12)  # not the drop-down's arrow
        ink = [y for y in range(1, box.height - 1)
               if any(box.getpixel((x, y)) < 96 for x in range(round(3 * scale), text_width))]
        if not ink:
            problems.append(f"{id_}: no text")
        elif ink[-1] >= round(visible * scale):
            problems.append(f"{id_}: ink in rows {ink[0]}..{ink[-1]}, of which {round(visible * scale)} show")
    return "; ".join(problems) or None


def named_as_shown(page):
    """A screen reader names each box by the text shown beside it or above it, and describes the
    targets' box by the hint shown under it, in the replica and on a phone alike."""
    page.el("Command3").click()  # the shear boxes too
    shown = page.d.execute_script("""
        const texts = [...client.querySelectorAll('label, div[id^=Label]')]
            .filter((e) => e.offsetParent !== null).map((e) => [e.textContent, e.getBoundingClientRect()]);
        // The text nearest the box on the side given, among those overlapping it across that
        // side; of two as near, the one overlapping it more.
        function nearest(box, side) {
            let best = null, gap = Infinity, most = 0;
            for (const [text, r] of texts) {
                const overlap = side === 'left' ? Math.min(r.bottom, box.bottom) - Math.max(r.top, box.top)
                                                : Math.min(r.right, box.right) - Math.max(r.left, box.left);
                const d = Math.round(side === 'left' ? box.left - r.right
                                   : side === 'above' ? box.top - r.bottom : r.top - box.bottom);
                if (overlap > 0 && d > -2 && (d < gap || (d === gap && overlap > most)))
                    [best, gap, most] = [text, d, overlap];
            }
            return [best, gap];
        }
        const out = {};
        for (const e of client.querySelectorAll('input, select')) {
            const box = e.getBoundingClientRect();
            const [left, a] = nearest(box, 'left'), [above, b] = nearest(box, 'above');
            out[e.id] = [a <= b ? left : above, nearest(box, 'below')[0]];
        }
        return out;""")
    problems = []
    for id_, (label, under) in shown.items():
        _, name, description, _ = page.ax("#" + id_)
        if name != label:
            problems.append(f"{id_} is named {name!r} beside {label!r}")
        if description and description != under:
            problems.append(f"{id_} is described as {description!r} above {under!r}")
    described = page.ax("#Text1_2")[2]
    if not ("7,10" in described and "7-14" in described):
        problems.append(f"the targets' box is described as {described!r}")
    return "; ".join(problems) or None
