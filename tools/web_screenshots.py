#!/usr/bin/python3
"""Takes the README's screenshots of the web page in headless Chromium at the browsers' default
16-px font, as a person would: the worked example with the blend chart, the data sheet and the
chart of its lines beside the replica in a desktop browser, by keyboard, its handle moved to
48.19 % and the oils' 40 ℃ viscosities typed into the sheet; and the same on a phone (360 x 740,
touch) by taps: the top, the record further down, the chart and the sheet at the end of the
column; and on both, the measured blends' section with two blends and the switch on, after a
calibrated press; and the recipe of three oils for both targets, with its map.
Run after `make web`: tools/web_screenshots.py [SITE]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from selenium.webdriver.support.ui import Select  # noqa: E402

from page import Page, chromium, served  # noqa: E402


def shoot(driver, name):
    driver.save_screenshot(os.path.join("docs", name))
    print("docs/" + name)


site = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
with served(site) as (url, _):
    for phone in (False, True):
        with chromium(phone) as driver:
            if not phone:
                driver.set_window_size(1280, 1320)
            page = Page(driver, url, phone)
            for box, text in ((0, "7.276"), (1, "13.69"), (2, "10,12"), (3, "4")):
                page.type(box, text)
            Select(page.el("Combo1")).select_by_index(0)
            page.type(3, "4")
            page.step("generate", "", "")
            for box, text in (("0", "40"), ("1", "90")):
                page.step("sheet", box, text)
            driver.execute_script("""
                ChartPercent.value = '48.19';
                ChartPercent.dispatchEvent(new Event('input'));
                document.activeElement.blur();
                window.scrollTo(0, 0);""")
            shoot(driver, "olvimar-web-phone.png" if phone else "olvimar-web.png")
            if phone:  # further down: the presets, the record box and the shear disclosure
                driver.execute_script("document.getElementById('Command1').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-record.png")
                driver.execute_script("document.getElementById('chart').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-chart.png")
                driver.execute_script("document.getElementById('temperature-title').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-sheet.png")
                driver.execute_script("document.getElementById('sheet-boxes').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-table.png")

# The section of measured blends: two blends at 100 ℃, the switch on, a calibrated press.
with served(site) as (url, _):
    for phone in (False, True):
        with chromium(phone) as driver:
            if not phone:
                driver.set_window_size(1280, 1320)
            page = Page(driver, url, phone)
            for box, text in ((0, "7.276"), (1, "13.69"), (2, "10,15"), (3, "4")):
                page.type(box, text)
            Select(page.el("Combo1")).select_by_index(0)
            for blend in ("50 10.2", "30 11.4"):
                page.step("measure", "0", blend)
            page.step("calibrate", "", "")
            page.step("generate", "", "")
            driver.execute_script("""
                ChartPercent.value = '53.14';
                ChartPercent.dispatchEvent(new Event('input'));
                document.activeElement.blur();""")
            if phone:
                driver.execute_script("document.getElementById('chart').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-chart-calibrated.png")
                driver.execute_script("document.getElementById('calibration').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-calibration.png")
            else:
                driver.execute_script("window.scrollTo(0, 0)")
                shoot(driver, "olvimar-web-calibration.png")

# The recipe: three oils with their densities and prices, both targets, 4 L; its map under it.
with served(site) as (url, _):
    for phone in (False, True):
        with chromium(phone) as driver:
            if not phone:
                driver.set_window_size(1280, 1320)
            page = Page(driver, url, phone)
            for box, text in ((0, "40"), (1, "7.276"), (2, "840"), (3, "10"), (4, "90"), (5, "13.69"),
                              (6, "850"), (7, "12"), (8, "150"), (9, "14.5"), (10, "870"), (11, "20"),
                              (17, "10"), (18, "62"), (20, "4")):
                page.step("recipe", str(box), text)
            driver.execute_script("document.activeElement.blur()")
            if phone:
                driver.execute_script("document.getElementById('recipe').scrollIntoView()")
                shoot(driver, "olvimar-web-phone-recipe.png")
                driver.execute_script("window.scrollTo(0, document.documentElement.scrollHeight)")
                shoot(driver, "olvimar-web-phone-map.png")
            else:
                driver.execute_script("document.getElementById('recipe').scrollIntoView()")
                shoot(driver, "olvimar-web-recipe.png")
