#!/usr/bin/env python3
"""The web build against the native game: a seeded journey (tests/web/
journey.txt: the title, a walk, a shop purchase, a trip and a fight) replayed
by the page in headless Chromium and by `velk --headless` must leave the same
state dump byte for byte, the same pictures at chosen frames pixel for pixel
(the page's canvas against the native screenshots), and the same save. The
save must then survive a reload of the page, and a native save uploaded to
the page must play on exactly as it does natively.

Usage: web_e2e.py --native BUILD --site BUILD-WEB/site"""

import argparse
import base64
import functools
import http.server
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Chromium  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SEED = 7
JOURNEY_FRAMES = 584
# The title, the town, the shop with its goods, the talk box's Korean text,
# the gate, the field as the fight starts, and the last frame.
SHOTS = [3, 20, 55, 203, 300, 420, JOURNEY_FRAMES - 1]
# A save brought in from the native game: the title, then a short walk.
UPLOAD_SCRIPT = "0 mouse 650 515\n4 button left down\n5 button left up\n10 key Left down\n30 key Left up\n"
UPLOAD_FRAMES = 40
SAVE = "txt/user/user.txt"

failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what, flush=True)
    if not ok:
        failures.append(what)


def png_pixels(data):
    """(width, height, rows of RGB bytes) of an 8-bit RGB or RGBA PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, width = 8, b"", None
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG kind"
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        rows.append(bytes(line) if channels == 3 else bytes(v for i, v in enumerate(line) if i % 4 != 3))
    return width, height, rows


def compare_pictures(native_png, canvas_png, what):
    w1, h1, a = png_pixels(native_png)
    w2, h2, b = png_pixels(canvas_png)
    if (w1, h1) != (w2, h2):
        check(False, f"{what}: native {w1}x{h1}, canvas {w2}x{h2}")
        return
    diff = [(x, y) for y in range(h1) if a[y] != b[y] for x in range(w1) if a[y][3 * x:3 * x + 3] != b[y][3 * x:3 * x + 3]]
    check(not diff, f"{what}: {len(diff)} pixels differ" + (f", first at {diff[0]}" if diff else ""))


def run_native(velk, data, work, script, frames, shots=(), save=None):
    """velk --headless with a fresh save folder (holding `save` if given)."""
    save_dir = os.path.join(work, "save")
    shutil.rmtree(save_dir, ignore_errors=True)
    if save is not None:
        os.makedirs(os.path.dirname(os.path.join(save_dir, SAVE)))
        with open(os.path.join(save_dir, SAVE), "wb") as f:
            f.write(save)
    with open(os.path.join(work, "script.txt"), "w") as f:
        f.write(script)
    args = [velk, "--headless", "--data", data, "--save-dir", save_dir, "--script", os.path.join(work, "script.txt"),
            "--seed", str(SEED), "--frames", str(frames), "--dump-state", os.path.join(work, "state.json")]
    for s in shots:
        args += ["--screenshot", f"{s}:{work}/native-{s}.png"]
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_DATA_HOME=os.path.join(work, "share"))
    r = subprocess.run(args, capture_output=True, text=True, env=env)
    if r.returncode != 0:
        raise RuntimeError(f"native velk failed ({r.returncode}): {r.stdout}{r.stderr}")
    with open(os.path.join(work, "state.json"), "rb") as f:
        dump = f.read()
    with open(os.path.join(save_dir, SAVE), "rb") as f:
        saved = f.read()
    pictures = {}
    for s in shots:
        with open(f"{work}/native-{s}.png", "rb") as f:
            pictures[s] = f.read()
    return dump, saved, pictures


def serve(site):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def page_url(port, store, script=None, frames=None, shots=()):
    q = {"store": store}
    if script is not None:
        q.update(script="data:text/plain;base64," + base64.b64encode(script.encode()).decode(),
                 seed=str(SEED), frames=str(frames), dump="1")
        if shots:
            q["shots"] = ",".join(map(str, shots))
    return f"http://127.0.0.1:{port}/index.html?" + urllib.parse.urlencode(q)


def play_in_page(tab, url, timeout=180):
    tab.events.clear()
    tab.navigate(url)
    try:
        tab.wait_for("window.velk && window.velk.done", timeout)
    except TimeoutError:
        console(tab)
        raise
    result = tab.evaluate("({code: velk.code, message: velk.message, dump: velk.dump, storage: velk.storage,"
                          " titleMs: velk.titleMs, costs: velk.frameCostMs, shots: velk.shots})")
    if result["code"] != 0:
        console(tab)
    return result


def console(tab):
    for ev in tab.events:
        if ev.get("method") == "Runtime.consoleAPICalled":
            print("  console:", " ".join(str(a.get("value", a.get("description"))) for a in ev["params"]["args"]))
        elif ev.get("method") == "Runtime.exceptionThrown":
            print("  exception:", ev["params"]["exceptionDetails"].get("exception", {}).get("description"))


def read_save(tab):
    data = tab.evaluate("(() => { const b = velk.readSave(); return b ? btoa(String.fromCharCode(...b)) : null; })()")
    return None if data is None else base64.b64decode(data)


def canvas_png(tab):
    return base64.b64decode(tab.evaluate("document.getElementById('canvas').toDataURL('image/png')").split(",", 1)[1])


def live_play(tab):
    """The page as a player has it: a real click on the title's start button
    and a held arrow key move the game on, and the sounds reach Web Audio."""
    rect = tab.evaluate("(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
                        " return [r.left, r.top, r.width / 800, r.height / 600]; })()")
    x, y = rect[0] + 650 * rect[2], rect[1] + 515 * rect[3]
    tab.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
    time.sleep(0.5)  # the button lights up under the pointer first, as a player's would
    tab.call("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", clickCount=1)
    time.sleep(0.1)
    tab.call("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y, button="left", clickCount=1)
    time.sleep(1.5)
    state = tab.evaluate("velk.gameState")
    check(state == 400, f"live play: a real click on the title's start button starts the game (state {state})")
    before = canvas_png(tab)
    key = dict(code="ArrowRight", key="ArrowRight", windowsVirtualKeyCode=39, nativeVirtualKeyCode=39)
    tab.call("Input.dispatchKeyEvent", type="rawKeyDown", **key)
    time.sleep(1.0)
    tab.call("Input.dispatchKeyEvent", type="keyUp", **key)
    time.sleep(0.3)
    check(canvas_png(tab) != before, "live play: a held arrow key moves the game on")
    audio = tab.evaluate("(() => { const a = Module.velkAudio || {sounds: {}, music: {}};"
                         " return [Object.keys(a.sounds).length, Object.values(a.music).filter(t => t.buffer).length,"
                         " Module.velkAudioContext().state]; })()")
    check(audio[0] > 0, f"live play: {audio[0]} effects in Web Audio, {audio[1]} music track(s) decoded by the "
                        f"browser, audio {audio[2]}")
    costs = tab.evaluate("velk.frameCostMs")
    print(f"live play: {len(costs)} paced frames, median {statistics.median(costs):.2f} ms, "
          f"95th percentile {sorted(costs)[int(len(costs) * 0.95)]:.2f} ms")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--native", required=True, help="the native build folder (velk, data/)")
    ap.add_argument("--site", required=True, help="the web build's page folder")
    ap.add_argument("--chromium", default="chromium")
    opts = ap.parse_args()
    velk = os.path.join(opts.native, "velk")
    data = os.path.join(opts.native, "data")

    sizes = {n: os.path.getsize(os.path.join(opts.site, n)) for n in sorted(os.listdir(opts.site))}
    print("page download: " + ", ".join(f"{n} {s / 1e6:.2f} MB" for n, s in sizes.items()) +
          f"; total {sum(sizes.values()) / 1e6:.2f} MB")

    with open(os.path.join(HERE, "journey.txt")) as f:
        journey = f.read()
    work = tempfile.mkdtemp(prefix="velk-web-e2e-")
    server = serve(opts.site)
    port = server.server_address[1]
    browser = Chromium(opts.chromium)
    tab = browser.tab
    try:
        native_dump, native_save, native_shots = run_native(velk, data, work, journey, JOURNEY_FRAMES, SHOTS)

        started = time.monotonic()
        web = play_in_page(tab, page_url(port, "journey", journey, JOURNEY_FRAMES, SHOTS))
        wall = time.monotonic() - started
        check(web["code"] == 0, f"the page played the journey ({web['message'] or 'exit 0'})")
        check(web["storage"] == "ok", f"the page has its persistent storage ({web['storage']})")
        check(web["dump"] is not None and web["dump"].encode() == native_dump,
              f"the state dump equals the native one ({len(native_dump)} bytes)")
        if web["dump"] is not None and web["dump"].encode() != native_dump:
            with open(os.path.join(work, "web-state.json"), "w") as f:
                f.write(web["dump"])
            print(f"  compare {work}/state.json with {work}/web-state.json")
        for s in SHOTS:
            shot = web["shots"].get(str(s))
            if shot is None:
                check(False, f"frame {s}: the canvas was captured")
                continue
            compare_pictures(native_shots[s], base64.b64decode(shot.split(",", 1)[1]), f"frame {s}: canvas against native")
        check(read_save(tab) == native_save, f"the page's save equals the native save ({len(native_save)} bytes)")
        print(f"first page load (nothing cached) to the title: {web['titleMs']:.0f} ms")
        costs = web["costs"]
        print(f"journey: {len(costs)} paced frames in {wall:.1f} s; paced frame in the browser: mean "
              f"{statistics.mean(costs):.2f} ms, median {statistics.median(costs):.2f} ms, "
              f"95th percentile {sorted(costs)[int(len(costs) * 0.95)]:.2f} ms, max {max(costs):.2f} ms")

        # A reload plays on from the same store: the save is still there.
        tab.events.clear()
        tab.navigate(page_url(port, "journey"))
        title_ms = tab.wait_for("window.velk && window.velk.titleMs", 60)
        check(read_save(tab) == native_save, "after a reload the save is still in the browser's storage")
        print(f"reloaded page to the title: {title_ms:.0f} ms")
        live_play(tab)

        # A native save uploaded to the page (into a fresh store) plays on as natively.
        upload_dump, _, _ = run_native(velk, data, work, UPLOAD_SCRIPT, UPLOAD_FRAMES, save=native_save)
        tab.navigate(page_url(port, "uploaded"))
        tab.wait_for("window.velk && window.velk.titleMs", 60)
        tab.evaluate(f"velk.importSave(Uint8Array.from(atob('{base64.b64encode(native_save).decode()}'), "
                     "c => c.charCodeAt(0)))", await_promise=True)
        web = play_in_page(tab, page_url(port, "uploaded", UPLOAD_SCRIPT, UPLOAD_FRAMES))
        check(web["code"] == 0 and web["dump"] is not None and web["dump"].encode() == upload_dump,
              "a native save uploaded to the page plays on exactly as in the native game")
    finally:
        browser.close()
        server.shutdown()
    if failures:
        print(f"{len(failures)} web check(s) failed; the native run's files are in {work}")
        return 1
    shutil.rmtree(work, ignore_errors=True)
    print("web build: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
