"""A small client of the DevTools protocol over its WebSocket, standard
library only: enough to drive a headless Chromium from a test."""

import base64
import json
import os
import socket
import struct
import subprocess
import tempfile
import time
import urllib.request


class DevTools:
    def __init__(self, ws_url, timeout=30):
        rest = ws_url[len("ws://"):]
        hostport, path = rest.split("/", 1)
        host, port = hostport.split(":")
        self.sock = socket.create_connection((host, int(port)), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        request = (f"GET /{path} HTTP/1.1\r\nHost: {hostport}\r\nUpgrade: websocket\r\n"
                   f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n")
        self.sock.sendall(request.encode())
        reply = b""
        while b"\r\n\r\n" not in reply:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise ConnectionError("DevTools closed the connection during the handshake")
            reply += chunk
        head, self.buffer = reply.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise ConnectionError("DevTools refused the WebSocket: " + head.decode(errors="replace"))
        self.next_id = 0
        self.events = []

    def _read(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(1 << 20)
            if not chunk:
                raise ConnectionError("DevTools closed the connection")
            self.buffer += chunk
        out, self.buffer = self.buffer[:n], self.buffer[n:]
        return out

    def _send(self, text):
        payload = text.encode()
        header = bytearray([0x81])
        n = len(payload)
        if n < 126:
            header.append(0x80 | n)
        elif n < 65536:
            header.append(0x80 | 126)
            header += struct.pack(">H", n)
        else:
            header.append(0x80 | 127)
            header += struct.pack(">Q", n)
        mask = os.urandom(4)
        header += mask
        self.sock.sendall(bytes(header) + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))

    def _message(self):
        data = b""
        while True:
            b0, b1 = self._read(2)
            n = b1 & 0x7F
            if n == 126:
                n = struct.unpack(">H", self._read(2))[0]
            elif n == 127:
                n = struct.unpack(">Q", self._read(8))[0]
            payload = self._read(n)
            opcode = b0 & 0x0F
            if opcode == 8:
                raise ConnectionError("DevTools closed the WebSocket")
            if opcode in (9, 10):  # ping, pong
                continue
            data += payload
            if b0 & 0x80:
                return json.loads(data.decode())

    def call(self, method, **params):
        self.next_id += 1
        self._send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            msg = self._message()
            if msg.get("id") == self.next_id:
                if "error" in msg:
                    raise RuntimeError(f"{method}: {msg['error']}")
                return msg.get("result", {})
            self.events.append(msg)

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=await_promise)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, timeout, poll=0.1):
        """Polls until `expression` is truthy; returns its value."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(poll)
        raise TimeoutError(f"waited {timeout} s for {expression}")

    def navigate(self, url):
        self.call("Page.navigate", url=url)

    def close(self):
        self.sock.close()


class Chromium:
    """Headless Chromium with a fresh profile, driven over DevTools."""

    def __init__(self, binary="chromium"):
        self.profile = tempfile.TemporaryDirectory(prefix="velk-chromium-")
        self.proc = subprocess.Popen(
            [binary, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--no-default-browser-check", "--mute-audio", "--remote-debugging-port=0",
             "--window-size=1280,1000",
             "--autoplay-policy=no-user-gesture-required",
             f"--user-data-dir={self.profile.name}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        port = None
        deadline = time.monotonic() + 60
        while port is None and time.monotonic() < deadline:
            line = self.proc.stderr.readline()
            if not line and self.proc.poll() is not None:
                raise RuntimeError("chromium exited before DevTools started")
            if "DevTools listening on ws://" in line:
                port = int(line.split("ws://")[1].split("/")[0].split(":")[1])
        if port is None:
            raise RuntimeError("chromium's DevTools did not start")
        # Keep draining stderr so the browser never blocks on a full pipe.
        import threading
        threading.Thread(target=lambda: [None for _ in self.proc.stderr], daemon=True).start()
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as r:
            pages = [t for t in json.load(r) if t["type"] == "page"]
        self.tab = DevTools(pages[0]["webSocketDebuggerUrl"])
        self.tab.call("Page.enable")
        self.tab.call("Runtime.enable")

    def close(self):
        try:
            self.tab.close()
        finally:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
            # Chromium's helper processes may still write into the profile for
            # a moment after the browser exits: retry, then leave what stays.
            for _ in range(50):
                try:
                    self.profile.cleanup()
                    break
                except OSError:
                    time.sleep(0.1)
