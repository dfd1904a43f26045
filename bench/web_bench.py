#!/usr/bin/python3
"""Size and start-up of the browser page, against its targets.

    /usr/bin/python3 bench/web_bench.py BUILD_WEB_DIR [LOADS]

BUILD_WEB_DIR is a web build tree (build/web) holding site/ and kestal.html.
Two sizes, uncompressed, as a browser has to read them (1 KB = 1000 bytes):
  module       site/kestal.wasm   target at most 200 KB
  one file     kestal.html        target at most 400 KB (module, script, style
                                  and icon inside it)
and the time from navigation to the page ready for a key, in headless
Chromium: performance.getEntriesByName('kestal-ready')[0].startTime, the mark
the page sets once the module is loaded, the window built and the focus in the
HV box, in milliseconds since the navigation started. LOADS (10 by default)
navigations of each of
  kestal.html from file://
  the site from a local http server (127.0.0.1, ephemeral port)
with the browser's cache off and its service worker bypassed, so that every
load reads every file as a first visit does, and about:blank between loads.
The median is what the target (at most 150 ms) is about; min and max show the
spread, the first load of a browser usually the max. Each load is checked
first (the mark is there, the focus in the HV box) so that a broken page cannot
pass for a fast one.

Then the table window following a run: with the site loaded and the window
opened by F8, 20 key releases in the HV box ("64" then 5, "20" then 0, in
turn), each sent through the DevTools protocol as a real key. For each, from
the release's event time to
  redrawn      the window's plot replaced and the window laid out again (the
               rows highlighted and scrolled to, the status line, the curve)
  next frame   the next animation frame after that, once it has been painted
Each is checked (the typed row highlighted, the curve drawn) before it counts.

Debian's selenium (python3-selenium) belongs to /usr/bin/python3, with
Debian's chromium and chromium-driver. It is a benchmark: it exits 0 whatever
the figures, and non-zero only when it cannot run.
"""
import functools
import http.server
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading

from selenium.common.exceptions import TimeoutException, WebDriverException
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
from chromedriver import chromium  # noqa: E402

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
KB = 1000
MODULE_TARGET = 200 * KB
FILE_TARGET = 400 * KB
READY_TARGET_MS = 150.0
WAIT_S = 10  # for any one load
READY = "return performance.getEntriesByName('kestal-ready')[0]?.startTime ?? null"
KEYS = 20
FRAME_MS = 1000 / 60  # the redraw's target: within one frame at 60 Hz
# Times each key release in the page to its table window redrawn: [redrawn, next frame] in ms.
WATCH_TABLE = """
    window.kestalRedraws = [];
    let released = null;
    document.addEventListener('keyup', (event) => { released = event.timeStamp; }, true);
    const table = document.getElementById('TableWindow');
    new MutationObserver(() => {
      if (released === null) return;
      const start = released;
      released = null;
      table.getBoundingClientRect();  // laid out again
      const redrawn = performance.now() - start;
      requestAnimationFrame(() => setTimeout(() => {
        window.kestalRedraws.push([redrawn, performance.now() - start]);
      }));
    }).observe(document.getElementById('TableWindow_Picture1'), {childList: true});"""
# The HV column of the highlighted rows, and how many points the curve joins.
SHOWN = """
    const rows = [...document.querySelectorAll('#TableWindow tr.hit')];
    const curve = document.querySelector('#TableWindow_Picture1 polyline');
    return [rows.map((row) => row.cells[1].textContent),
            curve ? curve.points.numberOfItems : 0];"""


class Site(http.server.SimpleHTTPRequestHandler):
    # Keep-alive, as any real server; without Nagle's delay, which otherwise
    # holds each body behind its headers for a delayed ACK (some 40 ms).
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True
    extensions_map = {".html": "text/html; charset=utf-8", ".js": "text/javascript",
                      ".css": "text/css", ".wasm": "application/wasm", ".png": "image/png",
                      ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


def fail(message):
    print(f"web_bench: {message}", file=sys.stderr)
    sys.exit(2)


def browser(profile):
    driver = chromium(profile, french=True)
    driver.set_page_load_timeout(WAIT_S)
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
    return driver


def ready_ms(driver, url):
    """Milliseconds from navigation to ready, for one fresh load of url."""
    driver.get("about:blank")
    driver.get(url)
    try:
        ms = WebDriverWait(driver, WAIT_S, poll_frequency=0.02).until(
            lambda d: d.execute_script(READY))
    except TimeoutException:
        fail(f"{url}: no kestal-ready mark after {WAIT_S} s")
    focus = driver.execute_script("return document.activeElement && document.activeElement.id")
    if focus != "Text1":
        fail(f"{url}: ready with the focus in {focus!r}, not in the HV box")
    return float(ms)


def key(driver, kind, character):
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
        "type": kind, "key": character, "code": f"Digit{character}", "text": character,
        "windowsVirtualKeyCode": ord(character)})


def redraw_ms(driver, url):
    """[redrawn, next frame] in milliseconds for KEYS key releases in the HV box."""
    driver.get(url)
    WebDriverWait(driver, WAIT_S, poll_frequency=0.02).until(lambda d: d.execute_script(READY))
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
        "type": "rawKeyDown", "key": "F8", "code": "F8", "windowsVirtualKeyCode": 119})
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
        "type": "keyUp", "key": "F8", "code": "F8", "windowsVirtualKeyCode": 119})
    if not driver.execute_script("return !!document.getElementById('TableWindow')"):
        fail(f"{url}: F8 opened no table window")
    driver.execute_script(WATCH_TABLE)
    for k in range(KEYS):
        typed, rows = ("645", ["640", "650"]) if k % 2 == 0 else ("200", ["200"])
        driver.execute_script("const box = document.getElementById('Text1');"
                              "box.value = arguments[0]; box.focus();", typed[:-1])
        key(driver, "keyDown", typed[-1])
        key(driver, "keyUp", typed[-1])
        try:
            WebDriverWait(driver, WAIT_S, poll_frequency=0.005).until(
                lambda d: d.execute_script("return window.kestalRedraws.length") > k)
        except TimeoutException:
            fail(f"{url}: HV {typed} left the table window as it was")
        shown, points = driver.execute_script(SHOWN)
        if shown != rows or points < 2:
            fail(f"{url}: HV {typed} highlighted rows {shown} and a curve of {points} points")
    return driver.execute_script("return window.kestalRedraws")


def time_row(label, values, target_ms=None):
    median = statistics.median(values)
    row = f"{label:<24}{median:>7.1f} ms{min(values):>7.1f} ms{max(values):>7.1f} ms"
    if target_ms:
        row += f"   at most {target_ms:.1f} ms   {'ok' if median <= target_ms else 'OVER'}"
    print(row)


def size_row(label, path, target):
    size = path.stat().st_size
    verdict = "ok" if size <= target else "OVER"
    print(f"{label:<24}{size:>10,} B {size / KB:>8.1f} KB   at most {target // KB} KB   {verdict}")


def main():
    if len(sys.argv) not in (2, 3):
        fail("usage: /usr/bin/python3 bench/web_bench.py BUILD_WEB_DIR [LOADS]")
    build = pathlib.Path(sys.argv[1]).resolve()
    loads = int(sys.argv[2]) if len(sys.argv) == 3 else 10
    if loads < 1:
        fail("LOADS must be at least 1")
    module, one_file, site = build / "site" / "kestal.wasm", build / "kestal.html", build / "site"
    for path in (module, one_file, site / "index.html", pathlib.Path(CHROMIUM),
                 pathlib.Path(CHROMEDRIVER)):
        if not path.exists():
            fail(f"{path} is missing (build the page with: cmake --workflow --preset web)")
    version = subprocess.run([CHROMIUM, "--version"], capture_output=True, text=True).stdout

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Site, directory=str(site)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.mkdtemp(prefix="kestal-chromium-")
    driver = None
    try:
        driver = browser(profile)
        targets = [("kestal.html, file://", one_file.as_uri()),
                   ("site, http://127.0.0.1", f"http://127.0.0.1:{server.server_address[1]}/")]
        times = {label: [ready_ms(driver, url) for _ in range(loads)] for label, url in targets}
        redraws = redraw_ms(driver, targets[1][1])
    except WebDriverException as error:
        fail(f"Chromium could not be driven: {error.msg}")
    finally:
        if driver:
            driver.quit()
        server.shutdown()
        server.server_close()
        shutil.rmtree(profile, ignore_errors=True)

    print(f"Kestal page: {build}")
    print(f"{version.strip()}, headless; {loads} loads each, cache off, service worker bypassed")
    print()
    print(f"{'size, uncompressed':<24}{'bytes':>10}{'':>14}   target")
    size_row("module  site/kestal.wasm", module, MODULE_TARGET)
    size_row("one file  kestal.html", one_file, FILE_TARGET)
    print()
    print(f"{'navigation to ready':<24}{'median':>10}{'min':>10}{'max':>10}   target")
    for label, values in times.items():
        time_row(label, values, READY_TARGET_MS)
    print()
    print(f"{'key release to table':<24}{'median':>10}{'min':>10}{'max':>10}   "
          f"({KEYS} releases in the HV box, site)")
    time_row("redrawn", [redrawn for redrawn, _ in redraws], FRAME_MS)
    time_row("next frame", [frame for _, frame in redraws])


if __name__ == "__main__":
    main()
