#!/usr/bin/python3
"""The page as a phone shows it, for the README: kestal.html in headless
Chromium at 360 x 740 CSS pixels, two device pixels to one, as a mobile
browser with touch, under French, with 645 typed in the HV box and the table
window opened by F8: the whole column the phone scrolls through, the main
window above the table window.

    /usr/bin/python3 scripts/web_screenshot.py KESTAL_HTML OUT_PNG

Debian's selenium (python3-selenium) belongs to /usr/bin/python3; the browser
is Debian's chromium with its chromium-driver.
"""
import base64
import pathlib
import shutil
import sys
import tempfile

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
from chromedriver import chromium  # noqa: E402

WIDTH, HEIGHT, SCALE = 360, 740, 2
WAIT_S = 10
BOXES = [f"Text{k}" for k in range(1, 8)]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: /usr/bin/python3 scripts/web_screenshot.py KESTAL_HTML OUT_PNG")
    page, out = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2])
    profile = tempfile.mkdtemp(prefix="kestal-chromium-")
    driver = None
    try:
        driver = chromium(profile, "--hide-scrollbars", french=True)
        driver.set_page_load_timeout(WAIT_S)
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": WIDTH, "height": HEIGHT, "deviceScaleFactor": SCALE, "mobile": True})
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                               {"enabled": True, "maxTouchPoints": 5})
        driver.get(page.as_uri())
        wait = WebDriverWait(driver, WAIT_S, poll_frequency=0.05)
        wait.until(lambda d: d.execute_script(
            "return performance.getEntriesByName('kestal-ready').length > 0"))
        language = driver.execute_script("return navigator.languages[0]")
        if language != "fr-FR":
            sys.exit(f"web_screenshot: the browser's first language is {language}, not fr-FR")
        # Real keys into the focused HV box, then until a converted box is written.
        ActionChains(driver).send_keys("645").perform()
        values = f"return {BOXES}.map((id) => document.getElementById(id).value)"
        wait.until(lambda d: d.execute_script(values)[0] == "645" and any(
            d.execute_script(values)[1:]))
        ActionChains(driver).send_keys(Keys.F8).perform()
        wait.until(lambda d: d.execute_script(
            "return document.querySelectorAll('#TableWindow tr.hit').length > 0"))
        height = driver.execute_script("return document.documentElement.scrollHeight")
        shot = driver.execute_cdp_cmd("Page.captureScreenshot", {
            "captureBeyondViewport": True,
            "clip": {"x": 0, "y": 0, "width": WIDTH, "height": height, "scale": 1}})
        out.write_bytes(base64.b64decode(shot["data"]))
    finally:
        if driver:
            driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
