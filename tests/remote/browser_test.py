#!/usr/bin/env python3
"""A real browser plays a phone: headless Chromium opens the join URL of a running quiz,
joins with a Japanese name, touches the buzzer, and the quiz registers the buzz.

Usage: browser_test.py <phone host program> [screenshot folder]
Only the loopback address is ever contacted."""
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

NAME = "たろう"


def lines_of(stream):
    q = queue.Queue()

    def pump():
        for line in stream:
            q.put(line.rstrip("\n"))
        q.put(None)

    threading.Thread(target=pump, daemon=True).start()
    return q


def expect(lines, prefix, timeout=30):
    while True:
        line = lines.get(timeout=timeout)
        if line is None:
            raise AssertionError("host ended before " + prefix)
        if line.startswith(prefix):
            return line


def browser(profile):
    options = webdriver.ChromeOptions()
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--no-first-run", "--disable-sync",
                "--user-data-dir=" + profile, "--lang=ja"):
        options.add_argument(arg)
    options.add_experimental_option(
        "mobileEmulation", {"deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 1}})
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    service = Service(shutil.which("chromedriver") or "/usr/bin/chromedriver")
    return webdriver.Chrome(service=service, options=options)


def main():
    host = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else os.environ.get("ZN_PHONE_SCREENSHOTS")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    proc = subprocess.Popen([host], stdout=subprocess.PIPE, text=True, encoding="utf-8", env=env)
    profile = tempfile.mkdtemp(prefix="zn-chromium-")
    driver = None
    try:
        lines = lines_of(proc.stdout)
        url = expect(lines, "http://127.0.0.1:")
        driver = browser(profile)
        wait = WebDriverWait(driver, 20)
        driver.get(url)
        wait.until(lambda d: d.find_element(By.ID, "joinButton").is_enabled()
                   and "接続済み" in d.find_element(By.ID, "joinStatus").text)
        if shots:
            driver.save_screenshot(os.path.join(shots, "phone-join.png"))
        driver.find_element(By.ID, "name").send_keys(NAME)
        driver.find_element(By.ID, "joinButton").click()
        assert expect(lines, "JOINED ") == "JOINED " + NAME
        wait.until(lambda d: d.find_element(By.ID, "stateText").text == "出題中")
        if shots:
            driver.save_screenshot(os.path.join(shots, "phone-open.png"))
        driver.find_element(By.ID, "buzzer").click()  # pointerdown is the buzz
        registered = expect(lines, "REGISTERED ")
        assert registered == "REGISTERED " + NAME + " 3", registered
        wait.until(lambda d: d.find_element(By.ID, "stateText").text == "1番目!")
        if shots:
            driver.save_screenshot(os.path.join(shots, "phone-first.png"))
        assert proc.wait(timeout=10) == 0
        print("browser joined, buzzed and was registered")
        return 0
    finally:
        if driver:
            driver.quit()
        if proc.poll() is None:
            proc.kill()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
