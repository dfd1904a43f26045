#!/usr/bin/python3
"""The page in Debian's headless Chromium, driven through chromedriver with
real key, mouse and touch events and read back as a user sees it (and as a
screen reader hears it, with axe-core injected into it): the site served from
127.0.0.1 and the one-file page opened from disk.

    page_test.py SITE_DIR KESTAL_HTML CONVERSIONS_TXT DESCRIPTION_JSON [TEST ...]
"""
import base64
import functools
import http.server
import json
import pathlib
import contextlib
import re
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from xml.etree import ElementTree

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from chromedriver import chromium

SITE, ONE_FILE, CONVERSIONS, DESCRIPTION = (pathlib.Path(arg) for arg in sys.argv[1:5])
AXE = pathlib.Path(__file__).with_name("node_modules") / "axe-core" / "axe.min.js"
PAGE = json.loads(DESCRIPTION.read_text(encoding="utf-8"))
FORM1, FORM2, TABLE = PAGE["windows"]
SCALES = ["HV", "HB", "HRA", "HRB", "HRC", "HRD", "Rm"]  # the boxes' order, Text1 to Text7
WAIT_S = 5
PHONE, WIDE = (360, 740), (1280, 900)
# The smallest text shown, in CSS pixels.
SMALLEST_TEXT = """
    return Math.min(...[...document.querySelectorAll('body *')].filter(e =>
        (e.matches('input') || [...e.childNodes].some(n =>
            n.nodeType === Node.TEXT_NODE && n.textContent.trim()))
        && e.checkVisibility() && !e.closest('.unseen'))
        .map(e => parseFloat(getComputedStyle(e).fontSize)));"""
# What is wider than the screen: the page, a frame's document or a control standing out.
WIDER_THAN_THE_SCREEN = """
    const width = document.documentElement.clientWidth;
    const frames = [...document.querySelectorAll('iframe')].map(f => f.contentDocument);
    return [document, ...frames].filter(d => d.documentElement.scrollWidth >
                                            d.documentElement.clientWidth)
        .map(d => d.title || d.URL).concat([...document.querySelectorAll('.control, button')]
            .filter(e => { const r = e.getBoundingClientRect();
                           return r.width && (r.left < 0 || r.right > width); })
            .map(e => e.id || e.textContent));"""
# The text spacing a user may set (WCAG 1.4.12), over the page's own style.
TEXT_SPACING = """
    const spacing = new CSSStyleSheet();
    spacing.replaceSync('* { line-height: 1.5 !important; letter-spacing: 0.12em !important;'
        + ' word-spacing: 0.16em !important; } p { margin-bottom: 2em !important; }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, spacing];"""


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
        try:
            cls.driver = chromium(cls.profile.name, "--window-size=900,800")
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
            " [...m.querySelectorAll('[role=menuitem]:not(.reason)')]"
            " .map(i => [i.textContent, !i.disabled])]"),
            "the box's menu")

    def choose(self, entry):
        self.driver.find_element("xpath", f"//*[@id='BoxMenu']/*[.='{entry}']").click()

    @contextlib.contextmanager
    def screen(self, width, height, phone=False):
        """The page at that size, on a phone (touch, a mobile viewport) or a desktop."""
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=3 if phone else 1, mobile=phone)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=phone, maxTouchPoints=5)
        try:
            yield
        finally:
            self.cdp("Emulation.setTouchEmulationEnabled", enabled=False)
            self.cdp("Emulation.clearDeviceMetricsOverride")

    def rect(self, element_id):
        return self.js("return document.getElementById(arguments[0])"
                       ".getBoundingClientRect().toJSON()", element_id)

    def said(self):
        return self.js("return document.getElementById('LiveRegion').textContent")

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
                    box = self.rect("NotANumberMessage")  # centred, as a message box is
                    self.assertTrue(box["top"] > 0 and abs(box["left"] + box["right"] - self.js(
                        "return document.body.clientWidth")) <= 1, box)
                    self.keys(Keys.ENTER)
                    self.wait(lambda: not self.message(), "the message to close")
                    self.assertEqual(self.boxes(), [""] * 7)
                    self.assertEqual(self.boxes("title"), [""] * 7)
                    self.assertEqual(self.active(), f"Text{source + 1}")

    def test_every_control_where_the_description_puts_it(self):
        """Each control where the description puts it, in its font and colour; with the user's
        text spacing, every text still within its control, no control over another."""
        self.open()
        self.assertEqual(self.driver.title, FORM1["caption"])
        self.keys(Keys.F8)
        self.chord([Keys.ALT], "a")
        for spaced, window in [(spaced, window) for spaced in (False, True)
                               for window in (FORM1, FORM2, TABLE)]:
            if spaced and window is FORM1:
                self.js(TEXT_SPACING)
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
                with self.subTest(window=window["name"], control=name, spaced=spaced):
                    if not spaced:
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
        self.chord([Keys.SHIFT], Keys.TAB)  # back round from the first to the last
        self.assertEqual(self.active(), chain[-1])
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

    def test_help_puts_the_main_window_out_of_use_until_return(self):
        """Enter and Escape in a box press no button; help, opened by "Aide" or Alt+A and not
        closed by Escape, leaves the boxes as they were once closed by "Retour", Alt+R, its
        close box or Enter; after "Effacer tout", "Terminé" ends the program, as said."""
        self.open()
        self.type(0, "645")
        converted, reasons = self.boxes(), self.boxes("title")
        for key in (Keys.ENTER, Keys.ESCAPE):
            self.js("arguments[0].value = '9999'", self.box(6))
            self.box(0).send_keys(key)
            self.assertEqual(self.boxes(), converted)  # its release converted again
            self.assertFalse(self.js("return !document.getElementById('Form1')"
                                     " || !!document.getElementById('Form2')"))
        ways = {"Retour": lambda: self.driver.find_element("id", "Form2_Command1").click(),
                "Alt+R": lambda: self.chord([Keys.ALT], "r"),
                "close box": lambda: self.driver.find_element("css selector", "#Form2 .close")
                .click(),
                "Enter": lambda: self.driver.find_element("id", "Form2_Command1")
                .send_keys(Keys.ENTER)}
        for way, back in ways.items():
            with self.subTest(way=way):
                if way == "Enter":  # from "Aide", where the focus comes back
                    self.driver.find_element("id", "Command3").click()
                else:
                    self.chord([Keys.ALT], "a")
                self.keys(Keys.ESCAPE)  # which closes nothing
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
                self.assertEqual(self.active(), "Command3" if way == "Enter" else "Text1")
                self.assertEqual(self.boxes(), converted)
        self.assertTrue(all(reasons))
        self.chord([Keys.ALT], "e")
        self.assertEqual((self.boxes(), self.boxes("title")), ([""] * 7, [""] * 7))
        self.chord([Keys.ALT], "t")  # a tab stays: the program ends in it
        self.wait(lambda: self.js("return !document.getElementById('Form1')"
                                  " && document.getElementById('Ended').textContent"),
                  "the ended notice")
        self.assertEqual(self.said(), PAGE["ended"])  # no longer the last run's figures

    def test_reasons_and_both_copies(self):
        self.allow_clipboard()
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
        # The menu key chooses the menu's first entry, the reason, which the arrows reach.
        self.box(6).click()
        for kind in ("rawKeyDown", "keyUp"):
            self.cdp("Input.dispatchKeyEvent", type=kind, key="ContextMenu", code="ContextMenu",
                     windowsVirtualKeyCode=93)
        reason, items = self.menu(6, mouse=False)
        self.assertEqual((reason, self.js("return document.activeElement.textContent")),
                         (reasons[6], reasons[6]))
        self.assertGreaterEqual(self.smallest_entry(), 24)
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
            const hit = all('tr[aria-selected=true]').map(r => r.rowIndex - 1);
            return {rows: all('tbody tr').map(r => [...r.cells].map(c => c.textContent)),
                    hit: all('tr.hit').map(r => r.rowIndex - 1).join() === hit.join() ? hit
                        : 'highlighted and selected rows differ', target,
                    bold: heads.map(h => getComputedStyle(h).fontWeight === '700'),
                    status: w.querySelector('#TableWindow_Label1 .status-text').textContent,
                    named: plot.ariaLabel.startsWith(heads[target]?.textContent),
                    title: plot.ariaLabel,
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
            self.assertEqual(self.said(), self.table()["title"])  # the new target announced
            self.keys(Keys.ARROW_LEFT)
            self.assertEqual(self.assert_table_follows(0, "645"), to)
            self.keys(Keys.ESCAPE)
            self.assertEqual((self.table(), self.active(), self.boxes()), (None, "Text1", shown))
        self.keys(Keys.F8, Keys.F8)  # the second into the open window: a keyboard path
        # Into the grid itself, named, described by its keys, its two rows selected as one can
        # be; Tab reaches its target's column header, the arrows the others'.
        grid = self.driver.switch_to.active_element
        self.assertEqual([grid.aria_role, grid.accessible_name, self.described(":focus"),
                          grid.get_attribute("aria-multiselectable")],
                         ["grid", TABLE["caption"], PAGE["gridKeys"], "true"])
        self.keys(Keys.TAB)
        target = self.table()["target"]
        self.assertEqual(self.js("return document.activeElement.parentElement.cellIndex"), target)
        self.keys(Keys.ARROW_LEFT)
        self.assertEqual(self.js("return [document.activeElement.ariaPressed,"
                                 " document.activeElement.parentElement.cellIndex]"),
                         ["true", self.table()["target"]])
        self.assertNotEqual(self.table()["target"], target)
        for source, typed, converted in [row for row in conversion_rows() if row[0] in (3, 6)]:
            with self.subTest(source=source, typed=typed):
                self.type(source, typed)
                if converted:
                    self.assert_table_follows(source, typed)
                self.keys(Keys.ENTER) if self.message() else self.chord([Keys.ALT], "e")
                table = self.wait(lambda: not self.message() and self.table(), "no message")
                self.assertEqual([table[k] for k in ("hit", "bold", "target", "dots")],
                                 [[], [False] * 8, -1, []])  # after the message or a clear
        self.driver.find_element("css selector", "#TableWindow th:nth-child(2)").click()
        self.keys(Keys.ESCAPE)  # back to the box the focus came from
        self.assertEqual((self.table(), self.active()), (None, f"Text{source + 1}"))

    def test_phone_touch_typing_and_long_press(self):
        with self.screen(*PHONE, phone=True):
            self.open()
            # The main window across the whole width; zoom left to the user, not done by
            # the browser as a box takes the focus (its text is 16 px at least).
            client = self.js("return document.querySelector('#Form1 .client')"
                             ".getBoundingClientRect().width")
            self.assertEqual(client, PHONE[0] - 4)  # within the window's frame
            self.assertNotRegex(self.js("return document.querySelector('meta[name=viewport]')"
                                        ".content"), "maximum-scale|user-scalable")
            self.assertGreaterEqual(self.js("return parseFloat(getComputedStyle("
                                            "document.getElementById('Text1')).fontSize)"), 16)
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
            self.assertGreaterEqual(self.smallest_entry(), 44)  # for a finger
            self.choose(PAGE["showInTable"])
            self.wait(self.table, "the table window")
            opened = self.said()  # with no key that a phone does not have
            self.assertTrue(TABLE["caption"] in opened and PAGE["showInTableKey"] not in opened,
                            opened)

    def test_windows_beside_or_in_one_column(self):
        """Wide, the table window opens right of the main window; on a phone or a zoomed
        desktop, below it and brought into view, on a phone with no text under 12 px; with
        the keyboard up, typing brings the box back into view."""
        with self.screen(*WIDE):
            self.open()
            self.keys(Keys.F8)
            self.assertGreaterEqual(self.rect("TableWindow")["left"], self.rect("Form1")["right"])
        # A phone, with its keyboard up, at 320 px, on its side; a desktop zoomed to 200 %.
        for width, height, phone in (PHONE + (True, ), (PHONE[0], 400, True), (320, 640, True),
                                     (740, 360, True), (640, 450, False)):
            with self.subTest(width=width, height=height), self.screen(width, height, phone):
                self.open()
                self.type(0, "645")
                self.keys(Keys.F8)
                self.wait(self.table, "the table window")
                if phone:
                    self.assertGreaterEqual(self.js(SMALLEST_TEXT), 12)
                main, table = self.rect("Form1"), self.rect("TableWindow")
                self.assertGreaterEqual(table["top"], main["bottom"])
                self.assertTrue(0 <= table["top"] < height, "the table window out of sight")
                self.keys("0")  # in the HV box, scrolled out of sight
                box = self.rect("Text1")
                self.assertTrue(-1 < box["top"] and box["bottom"] < height + 1, box)

    def test_forced_colours_keep_the_table_windows_marks(self):
        """Under the user's own colours the rows a run went by, the target's header and the
        typed value on the curve still stand out from the rest."""
        self.cdp("Emulation.setEmulatedMedia",
                 features=[{"name": "forced-colors", "value": "active"}])
        try:
            self.open()
            self.type(0, "645")
            self.keys(Keys.F8)
            self.wait(self.table, "the table window")
            marks = self.js("""
                const w = document.getElementById('TableWindow'), style = s =>
                    getComputedStyle(w.querySelector(s));
                return [[style('tr.hit td').backgroundColor, style('tr:not(.hit) td').backgroundColor],
                        [style('[aria-pressed=true]').backgroundColor,
                         style('[aria-pressed=false]').backgroundColor],
                        [style('circle.mark').fill, style('circle.curve').fill]];""")
            for (marked, other), what in zip(marks, ("rows", "target", "mark")):
                self.assertNotEqual(marked, other, what)
        finally:
            self.cdp("Emulation.setEmulatedMedia", features=[])

    def axe(self):
        """axe-core's findings on the page as it stands: "rule: element, ..." for each."""
        if not self.js("return !!window.axe"):
            self.js(AXE.read_text(encoding="utf-8"))
        return self.driver.execute_async_script("""
            const done = arguments[0];
            const tags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'];
            axe.run(document, {runOnly: {type: 'tag', values: tags}}).then(
                r => done(r.violations.map(v => `${v.id}: ${v.nodes.map(
                    n => n.target.join(' ')).join(', ')}`)),
                e => done([String(e)]));""")

    def test_no_accessibility_finding_in_any_state(self):
        """In every state a user reaches, on a desktop (zoomed to 200 % too, or with the user's
        text spacing) and on phones down to 320 px: axe-core finds nothing, and nothing, the
        record in its window included, is wider than the screen."""
        states = {
            "main window": lambda: None,
            "a run": lambda: self.type(0, "645"),
            "box menu": lambda: self.menu(2),
            "table window": lambda: self.keys(Keys.ESCAPE, Keys.F8),
            "validation record": lambda: (
                self.driver.find_element("id", "TableWindow_Check").click(),
                self.wait(self.record, "the record's window")),
            "help window": lambda: (self.keys(Keys.ESCAPE),
                                    self.driver.find_element("id", "Command3").click()),
            "message": lambda: (self.chord([Keys.ALT], "r"), self.type(0, "x"),
                                self.wait(self.message, "the message")),
            "ended": lambda: (self.keys(Keys.ENTER), self.chord([Keys.ALT], "t")),
        }
        for size, phone, spaced in ((WIDE, False, False), (PHONE, True, False),
                                    ((740, 360), True, False), ((320, 640), True, False),
                                    ((640, 450), False, False), (WIDE, False, True)):
            with self.screen(*size, phone):
                self.open()
                if spaced:
                    self.js(TEXT_SPACING)
                for state, reach in states.items():
                    with self.subTest(size=size, spaced=spaced, state=state):
                        reach()
                        self.assertEqual(self.axe(), [])
                        self.assertEqual(self.js(WIDER_THAN_THE_SCREEN), [])

    def test_what_a_screen_reader_is_told(self):
        """The boxes described by the hint, before them, and their reason; a box's menu named
        after its scale; the live region after a run (once for four fast keys), the
        message and "Effacer tout"."""
        self.open()
        hint = PAGE["hint"]
        self.assertTrue(self.js("return !!(document.getElementById(arguments[0])"
                                ".compareDocumentPosition(document.getElementById('Text1'))"
                                " & Node.DOCUMENT_POSITION_FOLLOWING)", hint))
        hint_text = next(c["text"] for c in FORM1["controls"] if c["name"] == hint)
        self.menu(2)
        self.assertEqual(self.driver.find_element("id", "BoxMenu").accessible_name,
                         next(c["text"] for c in FORM1["controls"]
                              if c["name"] == FORM1["controls"][2]["caption"]))
        self.keys(Keys.ESCAPE)
        self.js("arguments[0].focus()", self.box(0))

        self.js("window.said = 0; new MutationObserver(() => window.said++).observe("
                "document.getElementById('LiveRegion'), {childList: true, subtree: true})")
        self.keys("645,")  # four keys at a typist's pace, in the HV box
        run = self.wait(self.said, "the run announced")
        # Keys that change nothing rerun it, and say nothing new.
        self.keys(Keys.ARROW_LEFT, Keys.ARROW_LEFT, Keys.END, Keys.HOME, Keys.SHIFT)
        time.sleep(0.7)  # longer than the typing's pause
        self.assertEqual(self.js("return window.said"), 1)
        figures = [value for value in self.boxes() if value]
        self.assertEqual([value for value in figures if value in run], figures)
        # Each box described by its reason too, after the hint.
        self.assertEqual(self.described("#Text5"), f"{hint_text} {self.boxes('title')[4]}")
        self.chord([Keys.ALT], "e")
        emptied = self.said()
        self.assertTrue(emptied and not any(value in emptied for value in figures), emptied)
        self.type(0, "x")
        self.wait(self.message, "the message")
        self.assertEqual(self.said(), emptied)  # nothing said over the message
        self.keys(Keys.ENTER)
        failure = self.wait(lambda: self.said() != emptied and self.said(), "the failure")
        self.assertTrue(failure.startswith(PAGE["notANumber"]), failure)

    def described(self, selector):
        """An element's accessible description, as a screen reader says it after its name."""
        node = self.cdp("DOM.querySelector", nodeId=self.cdp("DOM.getDocument")["root"]["nodeId"],
                        selector=selector)["nodeId"]
        return self.cdp("Accessibility.getPartialAXTree", nodeId=node, fetchRelatives=False)[
            "nodes"][0]["description"]["value"]

    def smallest_entry(self):
        """The height of the box menu's smallest entry, in CSS pixels."""
        return self.js("return Math.min(...[...document.querySelectorAll("
                       "'#BoxMenu [role=menuitem]')].map(i => i.getBoundingClientRect().height))")

    def record(self):
        """The record's window's text, as its frame holds it, or None."""
        return self.js("const f = document.getElementById('RecordWindow_Document');"
                       "return f && f.contentDocument.readyState === 'complete'"
                       " && f.contentDocument.body && f.srcdoc")

    def test_validation_record_from_the_table_window(self):
        """"Vérifier Kestal", reached by Tab, shows the record CONFORME, well-formed, loading
        nothing, named as this browser's; it prints, saves, and closes three ways; printed,
        each page headed and numbered, its table on pages of its own."""
        downloads = tempfile.TemporaryDirectory()
        self.addCleanup(downloads.cleanup)
        self.cdp("Browser.setDownloadBehavior", behavior="allow", downloadPath=downloads.name)
        self.open()
        self.keys(Keys.F8, Keys.F8, Keys.TAB)  # into the grid, then its next stop with no run
        self.assertEqual(self.active(), "TableWindow_Check")
        self.keys(Keys.ENTER)
        html = self.wait(self.record, "the record")
        self.assertEqual(self.active(), "RecordWindow_Print")
        record = ElementTree.fromstring(html)  # well-formed, as XML
        text = " ".join(record.itertext())
        self.assertIn("CONFORME", text)
        self.assertNotIn("NON CONFORME", text)
        produced = text.split("Produit par", 1)[1].split("Table", 1)[0]
        self.assertRegex(produced, r"page web .* Chrome \d+")
        self.assertFalse([e.tag for e in record.iter() if {"src", "href"} & set(e.attrib)])
        self.assertNotRegex(html, r"url\(|@import")
        self.assertEqual(self.js("return document.getElementById('RecordWindow_Document')"
                                 ".contentWindow.performance.getEntriesByType('resource')"
                                 ".length"), 0)

        self.js("const f = document.getElementById('RecordWindow_Document');"
                "f.contentWindow.print = () => { window.printed = true; }")
        self.driver.find_element("id", "RecordWindow_Print").click()
        self.assertTrue(self.js("return window.printed"))
        self.driver.find_element("id", "RecordWindow_Save").click()
        saved = self.wait(lambda: [p for p in pathlib.Path(downloads.name).glob("*.html")],
                          "the record saved")
        self.assertEqual(saved[0].read_text(encoding="utf-8"), html)
        self.assertIsNotNone(record.find("head/meta[@name='viewport']"))  # a phone's width
        frame = "document.getElementById('RecordWindow_Document')"
        for way in ("Escape", "Fermer", "Escape in the record"):
            if way != "Escape":  # opened again from "Vérifier Kestal"
                self.driver.find_element("id", "TableWindow_Check").click()
                self.wait(self.record, "the record")
            if way == "Escape":
                self.keys(Keys.ESCAPE)  # on "Enregistrer"
            elif way == "Fermer":
                self.keys(Keys.TAB, Keys.TAB)  # from "Imprimer"
                self.assertEqual(self.active(), "RecordWindow_Close")
                self.keys(Keys.ENTER)
            else:
                self.chord([Keys.SHIFT], Keys.TAB)  # from "Imprimer" into the record
                self.assertNotEqual(self.js(f"return getComputedStyle({frame}).outlineStyle"),
                                    "none")
                self.keys(Keys.ESCAPE)
            self.wait(lambda: not self.record(), "the record's window to close")
            self.assertEqual(self.active(), "TableWindow_Check")

        # As printed: every page headed by the record's identity and numbered, the annexed
        # table starting one of its own.
        page = pathlib.Path(downloads.name) / "record-alone.html"
        page.write_text(html, encoding="utf-8")
        self.driver.get(page.as_uri())
        self.assertEqual(self.axe(), [])  # a saved record too
        pdf = pathlib.Path(downloads.name) / "record.pdf"
        pdf.write_bytes(base64.b64decode(self.cdp("Page.printToPDF", preferCSSPageSize=True)["data"]))
        pages = [shown for shown in subprocess.run(
            ["pdftotext", "-layout", str(pdf), "-"], check=True, capture_output=True,
            text=True).stdout.split("\f") if shown.strip()]
        identity = [" ".join(line.split()) for line in record.find(".//thead").itertext()]
        for number, shown in enumerate(pages, 1):
            head = [" ".join(line.split()) for line in shown.lstrip().split("\n", 2)[:2]]
            self.assertEqual(head, identity)
            self.assertIn(f"Page {number} sur {len(pages)}", shown)
        annex = next(k for k, shown in enumerate(pages) if "10. Annexe" in shown)
        self.assertTrue(pages[annex].lstrip().split("\n", 2)[2].lstrip().startswith("10. Annexe"),
                        pages[annex][:200])
        self.assertIn("Signature", pages[annex - 1])

    def tap(self, column, hold_s):
        rect = self.js("return arguments[0].getBoundingClientRect().toJSON()", self.box(column))
        point = [{"x": rect["x"] + rect["width"] / 2, "y": rect["y"] + rect["height"] / 2}]
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        if hold_s:
            self.wait(lambda: self.js("return !!document.getElementById('BoxMenu')"),
                      "a long press to open the menu")
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def test_offline_or_from_disk_and_nothing_from_elsewhere(self):
        """The site once visited, with no server, and the one-file page from disk: each
        converts, loads nothing from elsewhere and cannot reach another host."""
        server = Server()
        try:
            self.open(server.url)
            self.wait(lambda: self.js("return !!navigator.serviceWorker.controller"),
                      "the service worker")
        finally:
            server.stop()
        for url in (server.url, ONE_FILE.resolve().as_uri()):  # the first from the worker's cache
            with self.subTest(url=url):
                self.open(url)
                self.type(0, "200")
                self.assertEqual(self.boxes(), shown_for("HV", "200"))
                self.assertEqual(self.js("return performance.getEntriesByType('resource')"
                                         ".filter(r => !r.name.startsWith(arguments[0]))"
                                         ".length", server.url), 0)  # the site's own only
                self.assertEqual(self.blocked_fetch(), "connect-src")

    def blocked_fetch(self):
        """The directive that stops the page from reaching another host."""
        return self.driver.execute_async_script("""
            const done = arguments[0];
            document.addEventListener('securitypolicyviolation',
                                      e => done(e.effectiveDirective), {once: true});
            fetch('http://127.0.0.2:9/').catch(() => {});
            setTimeout(() => done('not blocked'), 2000);""")

    def allow_clipboard(self):
        self.cdp("Browser.grantPermissions", origin=self.server.url.rstrip("/"),
                 permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])

    def test_text_that_no_key_brings_converts_at_once(self):
        """With the table window open, "Coller", text with no key (dictation, a drop) and an
        input method's word (its "Process" keys) convert at once; "Couper" empties them all."""
        def choose(command):
            entry = next(e["text"] for e in PAGE["boxEntries"] if e["command"] == command)
            return lambda text: (self.driver.execute_async_script(
                "navigator.clipboard.writeText(arguments[0]).then(arguments[1])", text),
                                 self.menu(0), self.choose(entry.replace("&", "")))

        def input_method(text):
            self.cdp("Input.dispatchKeyEvent", type="rawKeyDown", key="Process",
                     windowsVirtualKeyCode=229)
            self.cdp("Input.imeSetComposition", text=text[0], selectionStart=1, selectionEnd=1)
            self.cdp("Input.insertText", text=text)
            self.cdp("Input.dispatchKeyEvent", type="keyUp", key="0", windowsVirtualKeyCode=48)

        self.allow_clipboard()
        self.open()
        self.keys(Keys.F8)
        named = self.wait(lambda: (self.table() or {}).get("status"), "the table named")
        self.type(0, "645")
        for way, bring, text in (("Coller", choose("paste"), "200"),
                                 ("no key", lambda text: self.cdp("Input.insertText", text=text),
                                  "645"),
                                 ("input method", input_method, "200"),
                                 ("Couper", choose("cut"), "")):
            with self.subTest(way=way):
                self.js("arguments[0].select()", self.box(0))
                bring(text)
                shown = shown_for("HV", text) if text else [""] * 7
                self.wait(lambda: self.boxes() == shown, f"{way} to give {shown}")
                # The table's line says what the box's reason says, or names the table again.
                self.assertEqual(self.table()["status"], self.boxes("title")[0] if text else named)

    def test_a_pasted_megabyte_fails_cleanly(self):
        self.allow_clipboard()
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
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
