#!/usr/bin/python3
"""The page in Debian's headless Chromium, driven through chromedriver with
real key, mouse and touch events and read back as a user sees it: the site
served from 127.0.0.1 and the one-file page opened from disk.

    page_test.py SITE_DIR KESTAL_HTML CONVERSIONS_TXT DESCRIPTION_JSON
"""
import functools
import http.server
import json
import pathlib
import re
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

SITE, ONE_FILE, CONVERSIONS, DESCRIPTION = (pathlib.Path(arg) for arg in sys.argv[1:5])
PAGE = json.loads(DESCRIPTION.read_text(encoding="utf-8"))
FORM1, FORM2, TABLE = PAGE["windows"]
SCALES = ["HV", "HB", "HRA", "HRB", "HRC", "HRD", "Rm"]  # the boxes' order, Text1 to Text7
WAIT_S = 5


def conversion_rows(pointed=False):
    """(source column, typed text, the seven boxes afterwards or None after a failure)."""
    rows = []
    for line in CONVERSIONS.read_text(encoding="utf-8").splitlines():
        scale, _, boxes = line.partition("\t")
        if line.startswith("#") or not boxes:
            continue
        source = SCALES.index(scale)
        failed = boxes.endswith(" FAIL")
        if pointed:  # a point language writes 57.6 where French writes 57,6
            if failed:
                continue
            boxes = re.sub(r"(?<=\d),(?=\d)", ".", boxes)
        values = boxes.removesuffix(" FAIL").split("|")
        rows.append((source, values[source], None if failed else values))
    return rows


def shown_for(scale, typed):
    return next(shown for source, text, shown in conversion_rows()
                if source == SCALES.index(scale) and text == typed)


class Server:
    """The site from 127.0.0.1, on a port of its own, until stopped."""

    def __init__(self):
        handler = functools.partial(QuietHandler, directory=str(SITE))
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_port}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server()
        cls.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--window-size=900,800",
                     f"--user-data-dir={cls.profile.name}"):
            options.add_argument(flag)
        try:
            cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                          options=options)
        except Exception:
            cls.server.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()
        cls.profile.cleanup()

    # The page and its boxes.

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def wait(self, condition, what):
        deadline = time.monotonic() + WAIT_S
        while time.monotonic() < deadline:
            if value := condition():
                return value
            time.sleep(0.02)
        self.fail(f"waited {WAIT_S} s for {what}")

    def open(self, url=None, language="fr-FR"):
        self.cdp("Network.setUserAgentOverride", acceptLanguage=language,
                 userAgent=self.js("return navigator.userAgent"))
        self.driver.get(url or self.server.url)
        self.wait(lambda: self.js("return performance.getEntriesByName('kestal-ready').length"),
                  "the page to be ready")

    def box(self, column):
        return self.driver.find_element("id", f"Text{column + 1}")

    def boxes(self, attribute="value"):
        return self.js("return [1, 2, 3, 4, 5, 6, 7].map(k => "
                       "document.getElementById('Text' + k)[arguments[0]])", attribute)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, modifiers, key):
        actions = ActionChains(self.driver)
        for modifier in modifiers:
            actions.key_down(modifier)
        actions.send_keys(key)
        for modifier in modifiers:
            actions.key_up(modifier)
        actions.perform()

    def type(self, column, text):
        """All but the last character set, the last one typed as a key in the box."""
        self.js("arguments[0].value = arguments[1]; arguments[0].focus()", self.box(column),
                text[:-1])
        self.keys(text[-1])

    def message(self):
        return self.js("const m = document.getElementById('NotANumberMessage');"
                       "return m && [m.querySelector('h1').textContent,"
                       " m.querySelector('p').textContent,"
                       " [...m.querySelectorAll('button')].map(b => b.textContent)]")

    def active(self):
        return self.js("return document.activeElement.id")

    def menu(self, column, mouse=True):
        """The context menu of a box: its reason, then its entries as (text, enabled)."""
        if mouse:
            ActionChains(self.driver).context_click(self.box(column)).perform()
        return self.wait(lambda: self.js(
            "const m = document.getElementById('BoxMenu');"
            "return m && [m.querySelector('.reason')?.textContent ?? '',"
            " [...m.querySelectorAll('[role=menuitem]')].map(i => [i.textContent, !i.disabled])]"),
            "the box's menu")

    def choose(self, entry):
        self.driver.find_element("xpath", f"//*[@id='BoxMenu']/*[.='{entry}']").click()

    def clipboard(self):
        return self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0], () => arguments[0](null))")

    # What users see.

    def test_rows_typed_under_a_comma_and_a_point_language(self):
        for language, pointed in (("fr-FR", False), ("en-US", True)):
            self.open(language=language)
            for source, typed, shown in conversion_rows(pointed):
                with self.subTest(language=language, source=source, typed=typed):
                    self.type(0, "300")
                    self.type(source, typed)
                    if shown is not None:
                        self.assertEqual(self.boxes(), shown)
                        self.assertIsNone(self.message())
                        continue
                    # The message over the boxes as typed; closed, seven empty boxes.
                    self.assertEqual(self.wait(self.message, "the message"),
                                     [PAGE["title"], PAGE["notANumber"], [PAGE["ok"]]])
                    self.assertEqual(self.boxes()[source], typed)
                    self.assertTrue(self.js(  # centred on the screen, as a message box is
                        "const r = document.getElementById('NotANumberMessage')"
                        ".getBoundingClientRect();"
                        "return Math.abs(r.left + r.right - innerWidth) <= 1 && r.top > 0"))
                    self.keys(Keys.ENTER)
                    self.wait(lambda: not self.message(), "the message to close")
                    self.assertEqual(self.boxes(), [""] * 7)
                    self.assertEqual(self.boxes("title"), [""] * 7)
                    self.assertEqual(self.active(), f"Text{source + 1}")

    def test_every_control_where_the_description_puts_it(self):
        self.open()
        self.assertEqual(self.driver.title, FORM1["caption"])
        self.keys(Keys.F8)
        self.chord([Keys.ALT], "a")
        for window in (FORM1, FORM2, TABLE):
            shown = self.js("""
                const [window] = arguments;
                const id = name => window.name === 'Form1' ? name : window.name + '_' + name;
                const root = document.getElementById(window.name);
                const client = root.querySelector('.client').getBoundingClientRect();
                return [root.querySelector('h1').textContent, window.controls.map(c => {
                  const e = document.getElementById(id(c.name));
                  const r = e.getBoundingClientRect();
                  const p = c.parent ? document.getElementById(id(c.parent))
                                             .getBoundingClientRect() : client;
                  const style = getComputedStyle(e);
                  if (c.kind === 'table') e.scrollTop = 1;  // its rows scroll within it
                  return [c.name, [r.left - p.left, r.top - p.top, r.width, r.height],
                          e.scrollWidth <= e.clientWidth && (c.kind === 'table'
                              ? e.scrollTop === 1 : e.scrollHeight <= e.clientHeight),
                          style.fontSize, style.fontWeight, style.color];
                })];""", window)
            self.assertEqual(shown[0], window["caption"])
            placed = []
            for control, (name, rect, fits, size, weight, colour) in zip(window["controls"],
                                                                       shown[1]):
                with self.subTest(window=window["name"], control=name):
                    self.assertEqual(rect, [t / PAGE["twipsPerPixel"] for t in control["rect"]])
                    self.assertTrue(fits, "text clipped")
                    font = control["font"] or window["font"]
                    self.assertEqual(size, f"{font['points'] * 4 / 3:g}px")
                    self.assertEqual(weight, "700" if font["bold"] else "400")
                    if control["colour"]:
                        red, green, blue = bytes.fromhex(control["colour"][1:])
                        self.assertEqual(colour, f"rgb({red}, {green}, {blue})")
                    for other, parent, (left, top, width, height) in placed:
                        self.assertFalse(parent == control["parent"]
                                         and rect[0] < left + width and left < rect[0] + rect[2]
                                         and rect[1] < top + height and top < rect[1] + rect[3],
                                         f"overlaps {other}")
                    placed.append((name, control["parent"], rect))

    def test_tab_goes_round_the_window_without_converting(self):
        self.open()
        chain = [f"{c['name']}" for c in FORM1["controls"] if c["kind"] in ("box", "button")]
        self.assertEqual(self.active(), chain[0])
        self.assertEqual(self.boxes(), [""] * 7)
        self.type(0, "200")
        typed = self.boxes()
        walked = [self.active()]
        for _ in chain:
            self.keys(Keys.TAB)
            walked.append(self.active())
        self.assertEqual(walked, chain + chain[:1])
        self.keys(Keys.TAB)
        self.chord([Keys.SHIFT], Keys.TAB)
        self.assertEqual(self.active(), chain[0])
        self.assertEqual(self.boxes(), typed)  # "200" is never rewritten "200,0"

    def test_a_held_key_converts_once_at_its_release(self):
        self.open()
        self.js("arguments[0].value = '2'; arguments[0].focus()", self.box(0))
        key = {"key": "0", "code": "Digit0", "windowsVirtualKeyCode": 48}
        self.cdp("Input.dispatchKeyEvent", type="keyDown", text="0", **key)
        self.cdp("Input.dispatchKeyEvent", type="keyDown", text="0", autoRepeat=True, **key)
        self.assertEqual(self.boxes(), ["200"] + [""] * 6)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", **key)
        self.assertEqual(self.boxes(), shown_for("HV", "200"))

    def test_enter_and_escape_press_no_button(self):
        self.open()
        self.type(0, "200")
        converted = self.boxes()
        for key in (Keys.ENTER, Keys.ESCAPE):
            self.js("arguments[0].value = '9999'", self.box(6))
            self.box(0).send_keys(key)
            self.assertEqual(self.boxes(), converted)  # its release converted again
            self.assertEqual(self.js("return [!!document.getElementById('Form1'),"
                                     " !!document.getElementById('Form2')]"), [True, False])
        self.driver.find_element("id", "Command3").click()
        self.keys(Keys.ESCAPE)
        self.assertEqual(self.active(), "Form2_Command1")
        self.keys(Keys.ENTER)  # the focused "Retour"
        self.wait(lambda: self.js("return !document.getElementById('Form2')"), "help to close")

    def test_help_puts_the_main_window_out_of_use_until_return(self):
        self.open()
        self.type(0, "645")
        converted, reasons = self.boxes(), self.boxes("title")
        ways = {"Retour": lambda: self.driver.find_element("id", "Form2_Command1").click(),
                "Alt+R": lambda: self.chord([Keys.ALT], "r"),
                "close box": lambda: self.driver.find_element("css selector", "#Form2 .close")
                .click()}
        for way, back in ways.items():
            with self.subTest(way=way):
                self.chord([Keys.ALT], "a")
                self.assertEqual(self.active(), "Form2_Command1")
                self.assertTrue(self.js("return document.getElementById('Form1').inert"))
                ActionChains(self.driver).move_to_element(
                    self.driver.find_element("id", "Command1")).click().perform()
                self.chord([Keys.ALT], "e")
                self.assertEqual(self.boxes(), converted)
                back()
                self.assertEqual(self.js("return [!!document.getElementById('Form2'),"
                                         " document.getElementById('Form1').inert]"),
                                 [False, False])
                self.assertEqual(self.active(), "Text1")
                self.assertEqual(self.boxes(), converted)
        self.assertTrue(all(reasons))
        self.chord([Keys.ALT], "e")
        self.assertEqual((self.boxes(), self.boxes("title")), ([""] * 7, [""] * 7))
        self.chord([Keys.ALT], "t")  # a tab stays: the program ends in it
        self.wait(lambda: self.js("return !document.getElementById('Form1')"
                                  " && document.getElementById('Ended').textContent"),
                  "the ended notice")

    def test_reasons_and_both_copies(self):
        self.cdp("Browser.grantPermissions", origin=self.server.url.rstrip("/"),
                 permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        self.open()
        entries = [e["text"].replace("&", "") for e in PAGE["boxEntries"]]
        copies = [PAGE["copySevenValues"], PAGE["copyForReport"]]
        reason, items = self.menu(0)
        self.assertEqual(reason, "")
        self.assertEqual([text for text, _ in items], entries + copies + [PAGE["showInTable"]])
        self.assertEqual(items[-3:], [[copies[0], False], [copies[1], False],
                                      [PAGE["showInTable"], True]])
        self.keys(Keys.ESCAPE)
        self.assertEqual(self.active(), "Text1")

        self.type(0, "645")
        shown, reasons = self.boxes(), self.boxes("title")
        hrc = SCALES.index("HRC")
        self.assertTrue(reasons[hrc].startswith(shown[hrc] + " "), reasons[hrc])
        reason, items = self.menu(6)
        self.assertEqual(reason, reasons[6])
        self.choose(copies[0])
        names, values, end = self.wait(self.clipboard, "the copy").split("\n")
        self.assertEqual((len(names.split("\t")), values.split("\t"), end), (7, shown, ""))
        self.js("navigator.clipboard.writeText('-')")
        self.box(3).click()
        self.chord([Keys.CONTROL, Keys.SHIFT], "c")
        self.assertEqual(self.wait(lambda: self.clipboard() != "-" and self.clipboard(),
                                   "Ctrl+Shift+C"), f"{names}\n{values}\n")
        self.menu(1)
        self.choose(copies[1])
        report = self.wait(self.clipboard, "the report").split("\n")
        self.assertTrue(report[0].startswith(shown[0] + " "), report[0])
        self.assertEqual([line.split(" ")[0] for line in report[1:-1]],
                         [value for value in shown[1:] if value])  # in the window's order

    def table(self):
        """The table window as shown (its cells, header cells, status and plot), or None."""
        return self.js("""
            const w = document.getElementById('TableWindow');
            if (!w) return null;
            const all = s => [...w.querySelectorAll(s)], heads = all('thead th');
            const plot = w.querySelector('svg'), box = plot.getBoundingClientRect();
            const target = heads.findIndex(h => h.querySelector('[aria-pressed=true]'));
            return {rows: all('tbody tr').map(r => [...r.cells].map(c => c.textContent)),
                    hit: all('tr.hit').map(r => r.rowIndex - 1), target,
                    bold: heads.map(h => getComputedStyle(h).fontWeight === '700'),
                    status: document.getElementById('TableWindow_Label1').textContent,
                    named: plot.ariaLabel.startsWith(heads[target]?.textContent),
                    dots: all('circle').map(c => c.getAttribute('fill')),
                    inside: [...plot.children].map(s => s.getBoundingClientRect()).every(r =>
                      r.left >= box.left && r.right <= box.right && r.top >= box.top
                      && r.bottom <= box.bottom)};""")

    def assert_table_follows(self, source, typed):
        """The rows around the typed value, its column and the target marked; the plot's target."""
        table, column, number = self.table(), source + 1, lambda text: float(text.replace(",", "."))
        x, values = number(typed), [number(row[column]) for row in table["rows"] if row[column]]
        hit = [number(table["rows"][k][column]) for k in table["hit"]]
        self.assertEqual(bool(hit), min(values) <= x <= max(values))
        self.assertTrue(hit in ([], [x]) or len(hit) == 2 and hit[0] < x < hit[1], hit)
        target = table["target"]
        both = sum(1 for row in table["rows"] if row[column] and row[target])  # the curve's rows
        dots = [PAGE["curveColour"]] * both + [PAGE["markColour"]] * bool(self.boxes()[target - 1])
        self.assertEqual([table[k] for k in ("status", "bold", "named", "inside", "dots")],
                         [self.boxes("title")[source], [k == column for k in range(8)], True, True,
                          dots])
        return target

    def test_table_window_follows_the_main_window_without_its_focus(self):
        self.open()
        self.type(0, "645")
        shown, reasons = self.boxes(), self.boxes("title")
        for way in (lambda: (self.menu(0), self.choose(PAGE["showInTable"])),
                    lambda: self.keys(Keys.F8)):
            way()
            self.assertEqual((self.wait(self.table, "the table window") and self.active(),
                              self.boxes(), self.boxes("title")), ("Text1", shown, reasons))
            to = 6 if self.assert_table_follows(0, "645") == 7 else 7  # another target
            self.driver.find_element("css selector", f"#TableWindow th:nth-child({to + 1})").click()
            self.assertEqual(self.assert_table_follows(0, "645"), to)
            self.keys(Keys.ARROW_RIGHT)
            self.assertNotIn(self.assert_table_follows(0, "645"), (0, 1, to))
            self.keys(Keys.ARROW_LEFT)
            self.assertEqual(self.assert_table_follows(0, "645"), to)
            self.keys(Keys.ESCAPE)
            self.assertEqual((self.table(), self.active(), self.boxes()), (None, "Text1", shown))
        self.keys(Keys.F8, Keys.F8)  # the second into the open window: a keyboard path
        self.assertEqual(self.active(), "TableWindow_Grid1")
        for source, typed, converted in [row for row in conversion_rows() if row[0] in (3, 6)]:
            with self.subTest(source=source, typed=typed):
                self.type(source, typed)
                if converted:
                    self.assert_table_follows(source, typed)
                self.keys(Keys.ENTER) if self.message() else self.chord([Keys.ALT], "e")
                table = self.wait(lambda: not self.message() and self.table(), "no message")
                self.assertEqual([table[k] for k in ("hit", "bold", "target", "status", "dots")],
                                 [[], [False] * 8, -1, "", []])  # after the message or a clear

    def test_phone_touch_typing_and_long_press(self):
        self.cdp("Emulation.setDeviceMetricsOverride", width=360, height=740,
                 deviceScaleFactor=3, mobile=True)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        try:
            self.open()
            self.assertEqual(self.js("const e = document.documentElement;"
                                     "return [e.scrollWidth <= e.clientWidth, e.clientWidth]"),
                             [True, 360])
            client = self.js("return document.querySelector('#Form1 .client')"
                             ".getBoundingClientRect().toJSON()")
            self.assertEqual((client["width"], client["height"]),
                             (FORM1["width"] / PAGE["twipsPerPixel"],
                              FORM1["height"] / PAGE["twipsPerPixel"]))
            self.assertIn("maximum-scale=1", self.js(
                "return document.querySelector('meta[name=viewport]').content"))
            unidentified = {"key": "Unidentified", "windowsVirtualKeyCode": 229}
            self.tap(0, 0)
            for count, character in enumerate("645", 1):
                self.cdp("Input.dispatchKeyEvent", type="rawKeyDown", **unidentified)
                self.cdp("Input.insertText", text=character)
                self.cdp("Input.dispatchKeyEvent", type="keyUp", **unidentified)
                self.assertEqual(self.boxes()[0], "645"[:count])
            self.assertEqual(self.boxes(), shown_for("HV", "645"))
            self.tap(4, 1.0)
            self.assertEqual(self.menu(4, mouse=False)[0], self.boxes("title")[4])
            self.assertEqual(self.js("return document.documentElement.scrollWidth"), 360)
            self.choose(PAGE["showInTable"])  # a window wider than the phone, scrolled within
            self.assertEqual(self.wait(self.table, "the table window") and self.js(
                "return document.documentElement.scrollWidth"), 360)
        finally:
            self.cdp("Emulation.setTouchEmulationEnabled", enabled=False)
            self.cdp("Emulation.clearDeviceMetricsOverride")

    def tap(self, column, hold_s):
        rect = self.js("return arguments[0].getBoundingClientRect().toJSON()", self.box(column))
        point = [{"x": rect["x"] + rect["width"] / 2, "y": rect["y"] + rect["height"] / 2}]
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        if hold_s:
            self.wait(lambda: self.js("return !!document.getElementById('BoxMenu')"),
                      "a long press to open the menu")
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def test_offline_after_one_visit_and_nothing_from_elsewhere(self):
        server = Server()
        try:
            self.open(server.url)
            self.wait(lambda: self.js("return !!navigator.serviceWorker.controller"),
                      "the service worker")
            self.assertEqual(self.blocked_fetch(), "connect-src")
        finally:
            server.stop()
        self.open(server.url)  # from the service worker's cache, with no server
        self.type(0, "200")
        self.assertEqual(self.boxes()[1:], shown_for("HV", "200")[1:])
        self.assertEqual(self.js("return performance.getEntriesByType('resource')"
                                 ".filter(r => !r.name.startsWith(location.origin)).length"), 0)

    def blocked_fetch(self):
        """The directive that stops the page from reaching another host."""
        return self.driver.execute_async_script("""
            const done = arguments[0];
            document.addEventListener('securitypolicyviolation',
                                      e => done(e.effectiveDirective), {once: true});
            fetch('http://127.0.0.2:9/').catch(() => {});
            setTimeout(() => done('not blocked'), 2000);""")

    def test_one_file_from_disk(self):
        self.open(ONE_FILE.resolve().as_uri())
        for source, typed, shown in conversion_rows()[:8]:
            if shown is not None:
                self.type(source, typed)
                self.assertEqual(self.boxes(), shown)
        self.assertEqual(self.js("return performance.getEntriesByType('resource').length"), 0)
        self.assertEqual(self.blocked_fetch(), "connect-src")

    def test_a_pasted_megabyte_fails_cleanly(self):
        self.cdp("Browser.grantPermissions", origin=self.server.url.rstrip("/"),
                 permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        self.open()
        self.js("navigator.clipboard.writeText('12a'.repeat(350000))")
        self.box(2).click()
        self.chord([Keys.CONTROL], "v")
        self.wait(self.message, "the message")
        self.keys(Keys.ENTER)
        self.wait(lambda: self.boxes() == [""] * 7, "seven empty boxes")
        self.type(0, "200")
        self.assertEqual(self.boxes()[1:], shown_for("HV", "200")[1:])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
