#!/usr/bin/python3
"""Takes the README's screenshots of the web page in headless Chromium, as a person would: the
worked example in a desktop-sized browser by keyboard, and the same on a phone (360 x 740, touch)
by taps, with the shear boxes opened. Run after `make web`: tools/web_screenshots.py [SITE]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from browser_test import Page, Select, chromium, served  # noqa: E402

site = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
with served(site) as (url, _):
    for name, phone in (("olvimar-web.png", False), ("olvimar-web-phone.png", True)):
        with chromium(phone) as driver:
            if not phone:
                driver.set_window_size(560, 480)
            page = Page(driver, url, phone)
            for box, text in ((0, "7.276"), (1, "13.69"), (2, "10,12"), (3, "4")):
                page.type(box, text)
            Select(page.el("Combo1")).select_by_index(0)
            page.type(3, "4")
            page.step("generate", "", "")
            driver.execute_script("window.scrollTo(0, 0)")
            driver.save_screenshot(os.path.join("docs", name))
            print("docs/" + name)
            if phone:  # further down: the presets, the record box and the shear disclosure
                driver.execute_script("document.getElementById('Command1').scrollIntoView()")
                driver.save_screenshot(os.path.join("docs", "olvimar-web-phone-record.png"))
                print("docs/olvimar-web-phone-record.png")
