#!/usr/bin/python3
"""Takes the README's screenshots of the web page in headless Chromium, by keyboard as a person
would: the worked example in a desktop-sized browser, and the same on a 360-pixel-wide phone
screen. Run after `make web`: tools/web_screenshots.py [SITE]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from browser_test import Page, Select, chromium, served  # noqa: E402

site = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
with served(site) as (url, _), chromium() as driver:
    for name, width, height in (("olvimar-web.png", 560, 480), ("olvimar-web-360.png", 360, 640)):
        driver.set_window_size(width, height)
        page = Page(driver, url)
        for box, text in ((0, "7.276"), (1, "13.69"), (2, "10,12"), (3, "4")):
            page.type(box, text)
        Select(page.el("Combo1")).select_by_index(0)
        page.type(3, "4")
        page.keys("\ue007")  # Enter: Generate
        driver.save_screenshot(os.path.join("docs", name))
        print("docs/" + name)
