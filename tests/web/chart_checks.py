"""The blend chart in the page, as a person uses it: it follows the boxes as they are typed, its
handle is a slider that the keys, a tap on the chart, a drag and a typed share move, and the
readout and a screen reader say what the mix gives."""
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.by import By
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from page import Page


def state(page):
    return page.d.execute_script("""
        const h = document.getElementById('ChartHandle');
        return {value: h.getAttribute('aria-valuenow'), text: h.getAttribute('aria-valuetext'),
                hidden: h.hidden, readout: ChartReadout.textContent, svg: document.getElementById('chart-svg').innerHTML,
                focused: document.activeElement.id, scroll: scrollY,
                x: h.getBoundingClientRect().left + h.offsetWidth / 2,
                y: h.getBoundingClientRect().top + h.offsetHeight / 2,
                drawn: [...document.querySelectorAll('#chart-svg circle')].slice(-1).map((c) => {
                    const r = c.getBoundingClientRect();
                    return [r.left + r.width / 2, r.top + r.height / 2];
                })[0]};""")


def pointer(page):
    """A finger on a phone, a mouse elsewhere."""
    kind = interaction.POINTER_TOUCH if page.phone else interaction.POINTER_MOUSE
    return ActionBuilder(page.d, mouse=PointerInput(kind, kind))


def tap(page, x, y):
    """A tap or a click at a point of the viewport."""
    actions = pointer(page)
    actions.pointer_action.move_to_location(round(x), round(y)).click()
    actions.perform()


def drag(page, x, y, to):
    actions = pointer(page)
    actions.pointer_action.move_to_location(round(x), round(y)).pointer_down() \
        .move_to_location(round((x + to) / 2), round(y)).move_to_location(round(to), round(y)).pointer_up()
    actions.perform()


def handle(page):
    d = page.d
    said = d.execute_script("return [...document.querySelectorAll('#chart-svg text')].map((t) => t.textContent).join('')")
    if said != "显示混合曲线还需要：A机油粘度、B机油粘度、温度。":
        return "an empty window's chart does not say what it needs"
    for box, text in ((0, "7.276"), (1, "13.69"), (2, "10"), (3, "4")):
        page.type(box, text)
    Select(page.el("Combo1")).select_by_index(0)
    page.el("Combo1").send_keys(Keys.TAB)  # as a person leaves it, into the targets
    s = state(page)
    if s["hidden"] or "<line" not in s["svg"] or not s["readout"].startswith("A 50% 2L, B 50% 2L\n混合粘度 "):
        return f"the chart did not follow the boxes: {s['readout']!r}"
    if page.phone:
        page.el("ChartHandle").click()  # a tap puts the focus on it; a phone has no Ctrl+G
    else:
        page.ctrl("g")
    if state(page)["focused"] != "ChartHandle":
        return "Ctrl+G did not put the focus on the handle"
    for key, value in ((Keys.ARROW_RIGHT, "51"), (Keys.PAGE_UP, "61"), (Keys.ARROW_DOWN, "60"),
                       (Keys.PAGE_DOWN, "50"), (Keys.HOME, "0"), (Keys.END, "100")):
        page.keys(key)
        s = state(page)
        if s["value"] != value:
            return f"after {key!r} the handle stands at {s['value']}, expected {value}"
        # The slider that takes taps and drags stands over the handle as drawn.
        if not s["drawn"] or max(abs(s["drawn"][0] - s["x"]), abs(s["drawn"][1] - s["y"])) > 0.02:
            return f"at {value}% the handle is drawn at {s['drawn']}, its slider at {s['x']}, {s['y']}"
    right = state(page)["x"]
    if "混合粘度 7.276 cSt" not in state(page)["readout"]:
        return f"all A reads {state(page)['readout']!r}"
    page.keys(Keys.HOME)
    left, y = state(page)["x"], state(page)["y"]

    # A tap on the chart a quarter of the way, then a drag of the handle to three quarters.
    scroll = state(page)["scroll"]
    tap(page, left + 0.25 * (right - left), y)
    if abs(float(state(page)["value"]) - 25) > 0.5:  # the nearest hundredth under a whole pixel
        return f"a tap at a quarter put the handle at {state(page)['value']}"
    now = state(page)
    drag(page, now["x"], now["y"], left + 0.75 * (right - left))
    s = state(page)
    if abs(float(s["value"]) - 75) > 0.5 or s["scroll"] != scroll:
        return f"a drag to three quarters put the handle at {s['value']}, scrolled by {s['scroll'] - scroll}"

    # A tap on the target's mark puts the handle at its split exactly, and so does Ctrl+→ from 0 %.
    dot = d.execute_script("""
        const c = [...document.querySelectorAll('#chart-svg circle')].find((c) => c.getAttribute('fill') === '#b3261e');
        const r = c.getBoundingClientRect();
        return [r.left + r.width / 2, r.top + r.height / 2];""")
    tap(page, dot[0] + 3, dot[1] + 2)
    if state(page)["value"] != "48.19":
        return f"a tap on the target's mark put the handle at {state(page)['value']}"
    if not page.phone:
        page.keys(Keys.HOME)
        page.ctrl(Keys.ARROW_RIGHT)
        if state(page)["value"] != "48.19":
            return f"Ctrl+→ from 0 % put the handle at {state(page)['value']}"

    # A share typed into the box: two decimals at most.
    box = page.el("ChartPercent")
    d.execute_script("arguments[0].focus(); arguments[0].select()", box)
    page.keys("48.19")
    s = state(page)
    if s["value"] != "48.19" or "A 48.19% 1.9276L, B 51.81% 2.0724L\n混合粘度 10.000 cSt" not in s["readout"]:
        return f"48.19 typed gives {s['value']}: {s['readout']!r}"
    page.keys("5")
    if state(page)["value"] != "48.19" or not page.el("ChartHint").text:
        return "48.195 typed was taken, or nothing says why not"
    return None


def screen_reader(page):
    """A figure named 混合曲线 with its summary, and a slider with its readout as value text."""
    d = page.d
    for box, text in ((0, "7.276"), (1, "13.69"), (2, "10"), (3, "4")):
        page.type(box, text)
    Select(page.el("Combo1")).select_by_index(0)
    node = page.ax
    role, name, description, _ = node("#ChartFigure")
    if (role, name) != ("figure", "混合曲线") or "目标 10.000 cSt 在 A 48.19%" not in description:
        return f"the chart is a {role} {name!r}: {description!r}"
    role, name, _, props = node("#ChartHandle")
    text = d.execute_script("return ChartHandle.getAttribute('aria-valuetext')")
    if (role, name) != ("slider", "A机油比例") or not text.startswith("50%，A 50% 2L, B 50% 2L，混合粘度 "):
        return f"the handle is a {role} {name!r}, value text {text!r}"
    # The data sheet: a table with its caption for a name, its heads heads of rows and columns; and
    # the lines' chart a figure with its summary.
    for box, text in ((0, "40"), (1, "90")):
        page.step("sheet", str(box), text)
    role, name, _, _ = node("#SheetTable")
    heads = [node(f"#SheetTable {where}")[:2] for where in ("thead th:nth-child(3)", "tbody tr:nth-child(3) th")]
    if (role, name) != ("table", "混合油数据表") or heads != [("columnheader", "100 ℃"), ("rowheader", "混合油 A 50%")]:
        return f"the data sheet is a {role} {name!r} with heads {heads}"
    role, name, description, _ = node("#TemperatureFigure")
    if (role, name) != ("figure", "粘温曲线") or "混合油：40 ℃ 59.216 cSt" not in description:
        return f"the lines' chart is a {role} {name!r}: {description!r}"
    return None


def measured_list(page):
    """After 删除 the focus stays in the list: the row that took its place, else the one before,
    else the share's box; and the 31st blend is refused with a quiet line, its boxes kept."""
    d = page.d
    for box, text in ((0, "7.276"), (1, "13.69")):
        page.type(box, text)
    Select(page.el("Combo1")).select_by_index(0)
    for viscosity in ("10", "11", "12"):
        problem = page.step("measure", "0", "50 " + viscosity)
        if problem:
            return problem
    focused = """const b = document.activeElement;
        return b.id || b.closest('li')?.querySelector('span').textContent.match(/实测 (\\S+) cSt/)[1];"""
    for row, then in ((1, "12"), (1, "10"), (0, "MeasuredPercent")):
        page.tap(d.find_elements(By.CSS_SELECTOR, "#MeasuredList button")[row])
        if d.execute_script(focused) != then:
            return f"after 删除 of row {row} the focus is on {d.execute_script(focused)!r}, expected {then!r}"
    d.execute_script("""for (let i = 0; i < 30; ++i) [MeasuredPercent.value, MeasuredViscosity.value] = ['50', '9'],
        AddMeasured.click(); MeasuredViscosity.value = '12.5';""")
    page.tap(page.el("AddMeasured"))
    note = page.el("MeasuredNote")
    if not note.is_displayed() or "最多 30 个" not in note.text or page.el("MeasuredViscosity").get_property("value") != "12.5":
        return f"the 31st blend: the note is {note.text!r}, its box holds {page.el('MeasuredViscosity').get_property('value')!r}"
    return None


def switch_row(page):
    """On a phone the switch's whole row is one target, at least 44 px high: a tap beside its box,
    or just above it, turns it on and off."""
    box, row = page.d.execute_script("""
        Calibrate.scrollIntoView({block: 'center'});
        return [Calibrate.getBoundingClientRect().toJSON(), document.getElementById('calibrate-switch').getBoundingClientRect().toJSON()];""")
    if row["height"] < 44:
        return f"the switch's row is {row['height']} px high"
    for x, y in ((box["right"] + 4, box["top"] + box["height"] / 2), (box["left"] + box["width"] / 2, row["top"] + 2)):
        before = page.el("Calibrate").get_property("checked")
        tap(page, x, y)
        if page.wait(lambda d: page.el("Calibrate").get_property("checked") != before, "no change"):
            return f"a tap at {x:.0f}, {y:.0f} beside the box did not turn the switch"
    return None



def recipe(page):
    """A region named 配方, each box named by its label, the recipe a table named 配方 with heads of
    rows and columns, and the map a figure named 可调范围; a click on the map sets both targets,
    and with it focused Right and Up move the 40 ℃ and the 100 ℃ target thicker, Left back."""
    for box, text in ((0, "40"), (1, "7.276"), (4, "90"), (5, "13.69"), (8, "150"), (9, "14.5")):
        page.step("recipe", str(box), text)
    d, node = page.d, page.ax
    area = d.execute_script("RecipeMap.scrollIntoView({block: 'center'}); return RecipeMap.getBoundingClientRect().toJSON()")
    tap(page, area["left"] + area["width"] / 2, area["top"] + area["height"] / 2)
    found = [node(e)[:2] for e in ("#recipe", "#RecipeBox9", "#RecipeUnit", ".recipe-table",
                                   ".recipe-table thead th", ".recipe-table tbody th", "#MapFigure")]
    if found != [("region", "配方"), ("textbox", "C机油 100 ℃ 粘度"), ("combobox", "配方单位"),
                 ("table", "配方"), ("columnheader", "比例 %"), ("rowheader", "A机油"), ("figure", "可调范围")]:
        return f"after a click on the map a screen reader meets {found}"
    targets = lambda: [float(t) for t in d.execute_script("return [RecipeBox17.value, RecipeBox18.value]")]
    for key, box, thicker in ((Keys.ARROW_RIGHT, 1, True), (Keys.ARROW_UP, 0, True), (Keys.ARROW_LEFT, 1, False)):
        before = targets()[box]
        page.keys(key)
        if (targets()[box] > before) != thicker:
            return f"{key!r} moved the target from {before} to {targets()[box]}"
    return None
