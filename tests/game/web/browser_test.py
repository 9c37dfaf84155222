#!/usr/bin/python3
"""The demo exported for the web and played in Debian's chromium, headless.

The test exports the demo with RkExportGame --web, serves it from 127.0.0.1,
and drives the page through chromium's DevTools protocol as a player would:
  1. the first picture equals the desktop game's first picture (FirstPicture,
     the offscreen renderer), pixel for pixel within a small tolerance;
  2. Space facing Rowan (below the start) opens his box; Escape closes it;
  3. Right walks one cell: the picture moves by 32 pixels;
  4. down the path and east along the road to its New Area cell: the map
     changes (the view is back at a map's left edge);
  5. Escape ends the game, the page offers to play again, Return plays again;
  6. a game whose files lack its first map shows the fatal report over the
     canvas and in the console.
It prints what it measured in the page (load to first picture, the game's own
time per pass while walking, steps per second); the figures are not checked.
Screenshots are left in the work folder. Exit code 77 (skipped) without the
web build, chromium or the Python modules it needs.
"""
import argparse
import base64
import functools
import http.server
import io
import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

try:
    import websocket
    from PIL import Image, ImageChops
except ImportError as missing:
    print(f"SKIP: {missing.name} is not installed (scripts/web-setup.sh installs it)")
    sys.exit(77)

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-allow-origins=*", "--remote-debugging-port=0",
]
# key, code and Windows key code of the keys the test presses
KEYS = {
    "Left": ("ArrowLeft", "ArrowLeft", 37), "Up": ("ArrowUp", "ArrowUp", 38),
    "Right": ("ArrowRight", "ArrowRight", 39), "Down": ("ArrowDown", "ArrowDown", 40),
    "Space": (" ", "Space", 32), "Escape": ("Escape", "Escape", 27), "Enter": ("Enter", "Enter", 13),
}
TEXT_OF_KEY = {"Space": " ", "Enter": "\r"}
WALK_SECONDS = 16 / 60  # one cell
BOX_BORDER = (0xE8, 0xE0, 0xC8)  # the conversation box's border


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass


def serve(root):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(QuietHandler, directory=root))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """One headless chromium with a fresh profile, and its first page."""

    def __init__(self, work):
        self.profile = tempfile.mkdtemp(prefix="profile-", dir=work)
        self.log = open(os.path.join(work, "chromium.log"), "w")
        self.process = subprocess.Popen(["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}", "about:blank"],
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.console = []
        self.next_id = 0
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        for _ in range(300):
            if os.path.exists(port_file) and open(port_file).read().strip():
                break
            check(self.process.poll() is None, "chromium ended at start (see chromium.log)")
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(target for target in targets if target["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60, suppress_origin=True)
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.set_page_size(800, 600)

    def set_page_size(self, width, height):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=False)

    def close(self):
        self.socket.close()
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.log.close()
        shutil.rmtree(self.profile, ignore_errors=True)

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                check("error" not in message, f"{method}: {message.get('error')}")
                return message["result"]
            self.take_event(message)

    def take_event(self, message):
        if message.get("method") == "Runtime.consoleAPICalled":
            params = message["params"]
            text = " ".join(str(arg.get("value", arg.get("description", ""))) for arg in params["args"])
            self.console.append((params["type"], text))

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        return result["result"].get("value")

    def wait_for(self, expression, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(0.05)
        raise Failure(f"no {what} within {seconds} s")

    def key(self, name, down):
        key, code, key_code = KEYS[name]
        event = {"type": "keyDown" if down else "keyUp", "key": key, "code": code,
                 "windowsVirtualKeyCode": key_code, "nativeVirtualKeyCode": key_code}
        if down and name in TEXT_OF_KEY:
            event["text"] = TEXT_OF_KEY[name]
        self.call("Input.dispatchKeyEvent", **event)

    def press(self, name, hold=0.05):
        self.key(name, True)
        time.sleep(hold)
        self.key(name, False)

    def picture(self, name=None, whole_page=False):
        """The canvas (or the whole page) as the player sees it, at one device pixel per CSS pixel."""
        params = {"format": "png"}
        if not whole_page:
            rect = self.evaluate("(() => { const r = canvas.getBoundingClientRect();"
                                 " return [r.left, r.top, r.width, r.height]; })()")
            params["clip"] = {"x": rect[0], "y": rect[1], "width": rect[2], "height": rect[3], "scale": 1}
        image = Image.open(io.BytesIO(base64.b64decode(self.call("Page.captureScreenshot", **params)["data"])))
        image = image.convert("RGB")
        if name:
            image.save(os.path.join(WORK, name))
        return image


def differing_fraction(a, b, threshold=24):
    """The share of pixels whose colour differs by more than threshold in a channel."""
    difference = ImageChops.difference(a, b).convert("RGB")
    channels = difference.split()
    worst = ImageChops.lighter(ImageChops.lighter(channels[0], channels[1]), channels[2])
    over = sum(worst.point(lambda value: 255 if value > threshold else 0).histogram()[255:])
    return over / (a.width * a.height)


def black_fraction(image, box):
    region = image.crop(box).convert("L")
    return sum(region.histogram()[:8]) / (region.width * region.height)


def horizontal_shift(before, after):
    """The shift (in pixels, left) that best lays the picture after a walk on the one before."""
    width = before.width - 64
    scores = {}
    for shift in range(0, 65):
        scores[shift] = differing_fraction(after.crop((0, 0, width, before.height)),
                                           before.crop((shift, 0, shift + width, before.height)))
    best = min(scores, key=scores.get)
    return best, scores[best]


def has_conversation_box(image):
    top_border = image.crop((40, 310, 600, 312)).getcolors(4096) or []
    border = sum(count for count, colour in top_border if all(abs(colour[i] - BOX_BORDER[i]) <= 8 for i in range(3)))
    return border >= 0.9 * 560 * 2


def pass_figures(browser, first_pass):
    stats = browser.evaluate("({times: rkStats.passTimes, log: rkStats.stepLog, passes: rkStats.passes})")
    taken = stats["passes"] - first_pass
    times = stats["times"][-taken:]
    log = stats["log"][-taken:]
    seconds = (log[-1][0] - log[0][0]) / 1000
    steps = sum(entry[1] for entry in log[1:])
    return {
        "passes": len(times), "seconds": seconds,
        "mean_ms": statistics.mean(times), "p95_ms": sorted(times)[int(0.95 * (len(times) - 1))],
        "max_ms": max(times), "steps_per_second": steps / seconds, "passes_per_second": (len(times) - 1) / seconds,
    }


def play_demo(browser, url, native):
    browser.call("Page.navigate", url=url)
    browser.wait_for("window.rkStats && rkStats.passes > 0", 30, "first picture")
    load_ms = browser.evaluate("rkStats.firstPictureAt")
    first = browser.picture("first.png")
    check(first.size == (640, 480), f"the canvas shows {first.size}, not 640 x 480")
    differing = differing_fraction(first, native)
    print(f"first picture: {differing:.4%} of pixels differ from the desktop game's")
    check(differing < 0.005, f"the first picture differs from the desktop game's in {differing:.2%} of its pixels")
    # On a page twice as large every game pixel becomes a sharp 2 x 2 square.
    browser.set_page_size(1400, 1000)
    browser.wait_for("canvas.getBoundingClientRect().width == 1280", 5, "canvas twice as large")
    large = browser.picture("large.png")
    browser.set_page_size(800, 600)
    browser.wait_for("canvas.getBoundingClientRect().width == 640", 5, "canvas back at 640 x 480")
    check(large.size == (1280, 960), f"on a 1400 x 1000 page the canvas shows {large.size}, not 1280 x 960")
    blurred = differing_fraction(large, first.resize((1280, 960), Image.NEAREST), threshold=8)
    check(blurred < 0.005, f"twice as large, {blurred:.2%} of the pixels are not their game pixel's colour")

    # The player starts facing down, toward Rowan.
    browser.press("Space")
    time.sleep(0.3)
    talking = browser.picture("talk.png")
    check(has_conversation_box(talking), "Space facing Rowan opened no box")
    browser.press("Escape")
    time.sleep(0.3)
    check(not has_conversation_box(browser.picture()), "Escape left the conversation box open")
    check(not browser.evaluate("gameOver"), "Escape in a conversation ended the game")

    before = browser.picture()
    browser.press("Right")
    time.sleep(WALK_SECONDS + 0.4)
    walked = browser.picture("walked.png")
    shift, mismatch = horizontal_shift(before, walked)
    print(f"after Right: the picture moved {shift} px ({mismatch:.2%} of pixels off)")
    check(shift == 32 and mismatch < 0.03, f"after Right the picture moved {shift} px, not 32")

    for _ in range(4):  # down the path to the road
        browser.press("Down")
        time.sleep(WALK_SECONDS + 0.15)
    # East along the road to its New Area cell at the map's right end, a cell
    # a press (a villager may stand in the way for a while). Left of the
    # player the view is black only near a map's left edge: it fills as the
    # walk goes east and is black again once the next map has loaded.
    left_of_player = (0, 176, 256, 304)
    seen_filled = changed = False
    for _ in range(40):
        browser.press("Right")
        time.sleep(WALK_SECONDS + 0.1)
        black = black_fraction(browser.picture(), left_of_player)
        seen_filled = seen_filled or black < 0.1
        changed = seen_filled and black > 0.99
        if changed:
            break
    browser.picture("new_area.png")
    check(changed, "walking east along the road never reached the next map")

    # The game's own time per pass while the player walks on and on, back
    # and forth along the grove's path, with nothing else asked of the page.
    first_pass = browser.evaluate("rkStats.passes")
    for direction in ("Right", "Left", "Right"):
        browser.key(direction, True)
        time.sleep(1.5)
        browser.key(direction, False)
    figures = pass_figures(browser, first_pass)
    print("while walking: {passes} passes in {seconds:.1f} s, {passes_per_second:.1f} a second; the game's own time "
          "per pass {mean_ms:.2f} ms on average, {p95_ms:.2f} ms at the 95th percentile, {max_ms:.2f} ms at most; "
          "{steps_per_second:.1f} steps a second".format(**figures))

    time.sleep(WALK_SECONDS + 0.2)
    browser.press("Escape")
    browser.wait_for("gameOver", 5, "end of the game after Escape")
    text = browser.evaluate("document.getElementById('text').textContent + '|' + "
                            "document.getElementById('button').textContent")
    check(text == "The game has ended.|Play again", f"after Escape the page says {text!r}")
    browser.picture("ended.png", whole_page=True)
    browser.press("Enter")
    browser.wait_for("window.rkStats && rkStats.passes > 10 && !gameOver", 30, "new game after Return")
    return load_ms


def show_fatal_report(browser, url):
    browser.console.clear()
    browser.call("Page.navigate", url=url)
    browser.wait_for("gameOver", 30, "fatal report")
    report = browser.evaluate("document.getElementById('caption').textContent + '|' + "
                              "document.getElementById('text').textContent")
    browser.picture("fatal.png", whole_page=True)
    check(report.startswith("ERROR|--RkEngine Description--\nFailed to open the world file.\n"),
          f"the page shows {report!r}")
    check(browser.evaluate("!document.getElementById('box').hidden"), "the report's box is hidden")
    errors = "\n".join(text for kind, text in browser.console if kind == "error")
    check("Failed to open the world file." in errors, "the console has no report: " + errors)


def main():
    global WORK
    parser = argparse.ArgumentParser()
    for option in ("--export", "--first-picture", "--demo", "--web-game", "--work"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    WORK = args.work
    if not os.path.exists(os.path.join(args.web_game, "EmberHollow.wasm")):
        print(f"SKIP: no web build in {args.web_game} (scripts/web-setup.sh makes it)")
        return 77
    if shutil.which("chromium") is None:
        print("SKIP: chromium is not installed (scripts/web-setup.sh installs it)")
        return 77
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    site = os.path.join(WORK, "site")
    os.makedirs(site)
    subprocess.run([args.export, "--web", "--game", args.web_game, args.demo, os.path.join(site, "demo")],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run([args.first_picture, args.demo, os.path.join(WORK, "native.bmp")], check=True)
    native = Image.open(os.path.join(WORK, "native.bmp")).convert("RGB")
    native.save(os.path.join(WORK, "native.png"))
    # The same page with game files that lack the first map.
    shutil.copytree(os.path.join(site, "demo"), os.path.join(site, "broken"))
    with open(os.path.join(site, "broken", "game.data"), "wb") as data:
        data.write(b"RKGAME01" + struct.pack("<I", 0))

    server = serve(site)
    root = f"http://127.0.0.1:{server.server_address[1]}"
    browser = Browser(WORK)
    try:
        load_ms = play_demo(browser, root + "/demo/", native)
        show_fatal_report(browser, root + "/broken/")
        print(f"page load to first picture: {load_ms:.0f} ms")
    except Failure as failure:
        print(f"FAIL: {failure}")
        print("console:", *(f"  {kind}: {text}" for kind, text in browser.console[-20:]), sep="\n")
        return 1
    finally:
        browser.close()
        server.shutdown()
    print("PASS: the demo plays in the browser as on the desktop")
    return 0


if __name__ == "__main__":
    sys.exit(main())
