"""What a screen reader on the Linux desktop (Orca) hears of kestal: the program
run on a virtual X server of its own, with the accessibility bus that a
screen reader turns on, typed into by real key events; the notifications it
shows are heard through AT-SPI. Typing a value gives one announcement once
the typing pauses, naming every box that then shows something, by its name
and text; the next change says its own.
  /usr/bin/python3 screen_reader_test.py PATH/TO/kestal
"""

import os
import subprocess
import sys
import tempfile
import time


def fail(message):
    print(f"screen_reader_test: {message}", file=sys.stderr)
    sys.exit(1)


def outside(kestal):
    """Starts Xvfb and a session bus of their own, then runs the checks inside them."""
    with tempfile.TemporaryDirectory() as work:
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)  # the accessibility bus's socket goes here, not in $HOME
        read, write = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            number = display.readline().strip()
        try:
            if not number:
                fail("Xvfb did not start")
            env = dict(os.environ, DISPLAY=f":{number}", XDG_RUNTIME_DIR=runtime)
            env.pop("QT_QPA_PLATFORM", None)  # offscreen Qt talks to no screen reader
            inner = subprocess.run(
                ["timeout", "90", "dbus-run-session", "--", sys.executable, __file__, "--inside",
                 kestal], env=env, check=False)
            return inner.returncode
        finally:
            xvfb.terminate()
            xvfb.wait()


def inside(kestal):
    import pyatspi
    from gi.repository import GLib

    # What Orca does as it starts: Qt then opens its bridge to the bus.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                    "string:org.a11y.Status", "string:ScreenReaderEnabled", "variant:boolean:true"],
                   check=True, stdout=subprocess.DEVNULL)
    heard = []

    def noted(event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            heard.append(event.source.name)

    pyatspi.Registry.registerEventListener(noted, "object:state-changed:showing")
    program = subprocess.Popen([kestal])

    def until(done, what, seconds=10):  # taking AT-SPI's events meanwhile
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while GLib.MainContext.default().iteration(False):
                pass
            found = done()
            if found:
                return found
            time.sleep(0.05)
        if what:
            fail(f"no {what} within {seconds} s")

    def pause(seconds):
        until(lambda: False, None, seconds)

    def keys(*keysyms):  # pressed and released, through the X server as a keyboard's
        for keysym in keysyms:
            pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)

    def mine():
        return next((app for app in pyatspi.Registry.getDesktop(0)
                     if app is not None and app.get_process_id() == program.pid), None)

    def boxes():
        return pyatspi.findAllDescendants(mine(), lambda a: a.getRole() == pyatspi.ROLE_TEXT)

    def shown():  # each box that shows something, as its announcement names it
        texts = ((box.name, box.queryText().getText(0, -1)) for box in boxes())
        return [f"{name} {text} " for name, text in texts if text]

    try:
        until(lambda: mine() and boxes(), "kestal on the accessibility bus")
        # With no window manager the keyboard goes where the pointer is: onto
        # the window, whose focus is in a box from the start.
        x, y, width, height = boxes()[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(x + width // 2, y + height // 2, "abs")
        pause(0.5)  # Qt learns of the listener by a call of its own
        keys(*(ord(c) for c in "645"))
        until(lambda: heard, "announcement of 645")
        expected = [shown()]
        keys(0xFF08)  # BackSpace
        until(lambda: len(heard) > 1, "announcement of 64")
        pause(1.5)  # any further announcement would have come by now
        expected.append(shown())
    finally:
        program.terminate()
        program.wait()

    missing = [[figure for figure in figures if figure not in said]
               for said, figures in zip(heard, expected)]
    if len(heard) != 2 or len(expected[0]) < 2 or any(missing):
        fail(f"heard {heard}: expected one announcement naming each of {expected[0]}, "
             f"then one naming {expected[1]}")
    print(f"screen_reader_test: heard {heard}")
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--inside":
        sys.exit(inside(sys.argv[2]))
    if len(sys.argv) != 2:
        fail("usage: screen_reader_test.py PATH/TO/kestal")
    sys.exit(outside(sys.argv[1]))
