#!/usr/bin/env python3
"""Opens the overlay in headless Chromium as a streaming program's browser
source does (300 x 300, a transparent page) and saves a screenshot with its
alpha channel once the first frame is drawn. Chromium is driven over its
DevTools protocol, through a WebSocket.

Usage: overlay_shot.py CHROMIUM OVERLAY-URL OUT.png PROFILE-FOLDER
"""
import asyncio
import base64
import json
import os
import subprocess
import sys
import time
import urllib.request

import websockets

# A browser without network and without a desktop: nothing may wait for
# either. The profile folder is the test's own and fresh.
FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--force-color-profile=srgb", "--hide-scrollbars", "--window-size=300,300",
    "--remote-debugging-port=0",
]
GUARD_SECONDS = 30


def wait_for(condition, what):
    deadline = time.monotonic() + GUARD_SECONDS
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    sys.exit(f"overlay_shot: {what}")


def devtools_port(profile):
    def read():
        try:
            with open(os.path.join(profile, "DevToolsActivePort")) as f:
                return int(f.readline())
        except (OSError, ValueError):
            return None
    return wait_for(read, "Chromium did not open its DevTools port")


def page_socket(port):
    def find():
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as answer:
            pages = [t for t in json.load(answer) if t["type"] == "page"]
        return pages[0]["webSocketDebuggerUrl"] if pages else None
    return wait_for(find, "Chromium shows no page")


async def shoot(socket_url, overlay, out):
    async with websockets.connect(socket_url, max_size=64 * 1024 * 1024) as page:
        ids = iter(range(1, 1 << 30))

        async def call(method, **params):
            number = next(ids)
            await page.send(json.dumps({"id": number, "method": method, "params": params}))
            while True:
                message = json.loads(await page.recv())
                if message.get("id") == number:
                    if "error" in message:
                        sys.exit(f"overlay_shot: {method}: {message['error']}")
                    return message["result"]

        await call("Emulation.setDeviceMetricsOverride", width=300, height=300, deviceScaleFactor=1, mobile=False)
        await call("Emulation.setDefaultBackgroundColorOverride", color={"r": 0, "g": 0, "b": 0, "a": 0})
        await call("Page.navigate", url=overlay)
        deadline = time.monotonic() + GUARD_SECONDS
        drawn = "document.getElementById('frame') ? document.getElementById('frame').width : 0"
        while (await call("Runtime.evaluate", expression=drawn, returnByValue=True))["result"].get("value", 0) == 0:
            if time.monotonic() > deadline:
                sys.exit("overlay_shot: the overlay drew no frame")
            await asyncio.sleep(0.1)
        shot = await call("Page.captureScreenshot", format="png",
                          clip={"x": 0, "y": 0, "width": 300, "height": 300, "scale": 1})
        with open(out, "wb") as f:
            f.write(base64.b64decode(shot["data"]))


def main():
    chromium, overlay, out, profile = sys.argv[1:5]
    browser = subprocess.Popen([chromium, *FLAGS, f"--user-data-dir={profile}", "about:blank"],
                               stdout=subprocess.DEVNULL, stderr=open(os.path.join(profile, "..", "chromium.log"), "w"))
    try:
        asyncio.run(shoot(page_socket(devtools_port(profile)), overlay, out))
    finally:
        browser.terminate()
        try:
            browser.wait(10)
        except subprocess.TimeoutExpired:
            browser.kill()


if __name__ == "__main__":
    main()
