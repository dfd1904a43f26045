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


def chromium(options):
    """Starts Chromium with `options` (a webdriver.ChromeOptions) and returns its driver."""
    options.binary_location = "/usr/bin/chromium"
    options.add_argument("--remote-debugging-pipe")
    return webdriver.Chrome(service=_Chromedriver(), options=options)
