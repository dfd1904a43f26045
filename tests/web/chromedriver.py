"""Debian's headless Chromium under its chromedriver, each reached without the name
"localhost", which a new machine with no /etc/hosts does not know: selenium talks to
chromedriver at 127.0.0.1, and chromedriver to Chromium through a pipe."""

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common import utils

LOOPBACK = "127.0.0.1"


class _Chromedriver(Service):
    def __init__(self):
        super().__init__("/usr/bin/chromedriver")

    @property
    def service_url(self):
        return f"http://{LOOPBACK}:{self.port}"

    def is_connectable(self):
        return utils.is_connectable(self.port, LOOPBACK)


def chromium(profile, *flags, french=False):
    """Starts headless Chromium, its profile in the folder `profile`, with `flags` too and,
    if `french`, asking for pages in French; returns its driver. It asks the network for
    nothing of its own: a closed network would refuse it."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--remote-debugging-pipe", f"--user-data-dir={profile}",
                 *flags):
        options.add_argument(flag)
    if french:
        options.add_argument("--lang=fr-FR")
        options.add_experimental_option("prefs", {"intl.accept_languages": "fr-FR,fr"})
    return webdriver.Chrome(service=_Chromedriver(), options=options)
