"""A small client of the Chrome DevTools protocol that starts a headless Chromium and drives its pages.

Only Python's standard library is used: the protocol's WebSocket is spoken here (the client side of
RFC 6455: masked text frames out, plain frames in), over one connection to the browser, with each
page reached through a session of its own.

Every wait polls the browser's state until a deadline: nothing sleeps for a fixed time.
"""

import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import tempfile
import time

kStartTimeout = 30.0
kCallTimeout = 15.0


class BrowserUnavailable(RuntimeError):
    """No browser could be started; the message says why and what to do."""


class DevToolsError(RuntimeError):
    """A call the browser answered with an error, or a wait that ran out of time."""


def find_chromium():
    candidates = [os.environ.get("PINLORE_CHROMIUM"), "chromium", "chromium-browser"]
    for candidate in candidates:
        if candidate and shutil.which(candidate):
            return shutil.which(candidate)
    raise BrowserUnavailable(
        "No browser could be started: there is no chromium on PATH. scripts/install-deps installs "
        "Debian's chromium; PINLORE_CHROMIUM may name another Chromium program.")


class WebSocket:
    def __init__(self, url, timeout):
        if not url.startswith("ws://"):
            raise ValueError(f"not a ws:// address: {url}")
        host_port, path = url[len("ws://"):].split("/", 1)
        host, port = host_port.rsplit(":", 1)
        self._socket = socket.create_connection((host, int(port)), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        self._socket.sendall((f"GET /{path} HTTP/1.1\r\nHost: {host_port}\r\nUpgrade: websocket\r\n"
                              f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                              "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        self._buffer = b""
        while b"\r\n\r\n" not in self._buffer:
            self._buffer += self._receive_some()
        head, self._buffer = self._buffer.split(b"\r\n\r\n", 1)
        if not head.startswith(b"HTTP/1.1 101"):
            raise ConnectionError(f"the browser refused the WebSocket: {head.decode(errors='replace')}")

    def close(self):
        self._socket.close()

    def send(self, text):
        self._send_frame(0x1, text.encode())

    def receive(self, timeout):
        """The next text message, or None when none came within `timeout` seconds."""
        self._socket.settimeout(timeout)
        try:
            return self._receive_message()
        except socket.timeout:
            return None

    def _send_frame(self, opcode, payload):
        header = bytearray([0x80 | opcode])
        length = len(payload)
        if length < 126:
            header.append(0x80 | length)
        elif length < 1 << 16:
            header += bytes([0x80 | 126]) + struct.pack("!H", length)
        else:
            header += bytes([0x80 | 127]) + struct.pack("!Q", length)
        mask = os.urandom(4)
        masked = bytes(byte ^ mask[i % 4] for i, byte in enumerate(payload))
        self._socket.sendall(bytes(header) + mask + masked)

    def _receive_some(self):
        chunk = self._socket.recv(1 << 16)
        if not chunk:
            raise ConnectionError("the browser closed its DevTools connection")
        return chunk

    def _read(self, count):
        while len(self._buffer) < count:
            self._buffer += self._receive_some()
        data, self._buffer = self._buffer[:count], self._buffer[count:]
        return data

    def _receive_message(self):
        message = b""
        while True:
            first, second = self._read(2)
            opcode, length = first & 0x0F, second & 0x7F
            if length == 126:
                length = struct.unpack("!H", self._read(2))[0]
            elif length == 127:
                length = struct.unpack("!Q", self._read(8))[0]
            mask = self._read(4) if second & 0x80 else None
            payload = self._read(length)
            if mask:
                payload = bytes(byte ^ mask[i % 4] for i, byte in enumerate(payload))
            if opcode == 0x8:
                raise ConnectionError("the browser closed its DevTools connection")
            if opcode == 0x9:
                self._send_frame(0xA, payload)
                continue
            if opcode == 0xA:
                continue
            message += payload
            if first & 0x80:
                return message.decode()


class Chromium:
    """A headless Chromium of its own profile, ended by close()."""

    def __init__(self, width=1024, height=768):
        self._program = find_chromium()
        self._profile = tempfile.mkdtemp(prefix="pinlore-chromium-")
        arguments = [self._program, "--headless=new", "--remote-debugging-port=0", f"--user-data-dir={self._profile}",
                     "--no-first-run", "--no-default-browser-check", "--disable-gpu", "--mute-audio",
                     "--autoplay-policy=no-user-gesture-required", f"--window-size={width},{height}",
                     "about:blank"]
        if os.geteuid() == 0:
            arguments.append("--no-sandbox")
        self._log = open(os.path.join(self._profile, "chromium.log"), "wb")
        self._process = subprocess.Popen(arguments, stdin=subprocess.DEVNULL, stdout=self._log, stderr=self._log)
        self._next_id = 0
        self._events = []
        try:
            self._socket = WebSocket(self._browser_address(), kCallTimeout)
        except Exception:
            self.close()
            raise

    def _browser_address(self):
        port_file = os.path.join(self._profile, "DevToolsActivePort")
        deadline = time.monotonic() + kStartTimeout
        while time.monotonic() < deadline:
            if self._process.poll() is not None:
                raise BrowserUnavailable(f"No browser could be started: {self._program} ended at once with status "
                                         f"{self._process.returncode}:\n{self._log_tail()}")
            try:
                with open(port_file) as lines:
                    port, path = lines.read().split()
                return f"ws://127.0.0.1:{port}{path}"
            except (FileNotFoundError, ValueError):
                time.sleep(0.05)  # the poll's interval: the file appears once the port is open
        raise BrowserUnavailable(f"No browser could be started: {self._program} did not open its DevTools port "
                                 f"within {kStartTimeout:.0f} s:\n{self._log_tail()}")

    def _log_tail(self):
        self._log.flush()
        with open(os.path.join(self._profile, "chromium.log"), "rb") as log:
            return log.read()[-2000:].decode(errors="replace")

    def close(self):
        if getattr(self, "_socket", None):
            self._socket.close()
        self._process.terminate()
        try:
            self._process.wait(10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        self._log.close()
        shutil.rmtree(self._profile, ignore_errors=True)

    def call(self, method, params=None, session=None, timeout=kCallTimeout):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        self._socket.send(json.dumps(message))
        deadline = time.monotonic() + timeout
        while True:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise DevToolsError(f"{method} got no answer within {timeout} s")
            answer = self._receive(remaining)
            if answer is not None and answer.get("id") == self._next_id:
                if "error" in answer:
                    raise DevToolsError(f"{method}: {answer['error'].get('message')}")
                return answer.get("result", {})

    def _receive(self, timeout):
        text = self._socket.receive(timeout)
        if text is None:
            return None
        message = json.loads(text)
        if "method" in message:
            self._events.append(message)
        return message

    def pump(self, timeout):
        """Takes in the events that arrive within `timeout` seconds, at least one if any comes."""
        self._receive(timeout)

    def events(self, session, method):
        return [event["params"] for event in self._events
                if event.get("sessionId") == session and event["method"] == method]

    def open_page(self):
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        return Page(self, target, session)


class Page:
    """One tab of the browser."""

    def __init__(self, browser, target, session):
        self._browser = browser
        self._target = target
        self.session = session
        self.call("Page.enable")
        self.call("Runtime.enable")

    def close(self):
        self._browser.call("Target.closeTarget", {"targetId": self._target})

    def call(self, method, params=None):
        return self._browser.call(method, params, self.session)

    def events(self, method):
        return self._browser.events(self.session, method)

    def evaluate(self, expression):
        answer = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in answer:
            raise DevToolsError(f"{expression}: {answer['exceptionDetails'].get('exception', {}).get('description')}")
        return answer["result"].get("value")

    def wait_for(self, expression, timeout=10.0, what=None):
        """Evaluates `expression` until it gives a true value, which it returns. A page being left or
        loaded in between is waited out."""
        deadline = time.monotonic() + timeout
        last = None
        while time.monotonic() < deadline:
            try:
                last = self.evaluate(expression)
                if last:
                    return last
            except DevToolsError as error:
                last = error
            self._browser.pump(0.02)
        raise DevToolsError(f"waited {timeout} s for {what or expression}; last: {last!r}; "
                            f"at {self.location()}")

    def wait_until(self, condition, timeout=10.0, what="a condition"):
        """Takes in events until `condition()` holds. A call the browser refuses while the page changes
        counts as not yet."""
        deadline = time.monotonic() + timeout
        last = None
        while True:
            try:
                if condition():
                    return
            except DevToolsError as error:
                last = error
            if time.monotonic() >= deadline:
                raise DevToolsError(f"waited {timeout} s for {what}; last: {last!r}")
            self._browser.pump(0.02)

    def location(self):
        try:
            return self.evaluate("location.href")
        except DevToolsError as error:
            return f"(unknown: {error})"

    def navigate(self, url):
        """Starts loading `url`; the caller waits for what it expects to see."""
        answer = self.call("Page.navigate", {"url": url})
        if answer.get("errorText"):
            raise DevToolsError(f"{url}: {answer['errorText']}")

    def add_script_for_every_document(self, source):
        self.call("Page.addScriptToEvaluateOnNewDocument", {"source": source})

    def add_binding(self, name):
        """Makes `window[name](text)` in every document of this page report `text` as an event."""
        self.call("Runtime.addBinding", {"name": name})

    def binding_calls(self, name):
        return [call["payload"] for call in self.events("Runtime.bindingCalled") if call["name"] == name]

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                                   "clickCount": 0 if kind == "mouseMoved" else 1})

    def click_element(self, selector):
        box = self.box(selector)
        self.click(box["left"] + box["width"] / 2, box["top"] + box["height"] / 2)

    def box(self, selector):
        return self.evaluate(f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
                             f".getBoundingClientRect(); return {{left: r.left, top: r.top, width: r.width, "
                             f"height: r.height}}; }})()")

    kKeyCodes = {"ArrowLeft": 37, "ArrowRight": 39}

    def press(self, key):
        code = self.kKeyCodes[key]
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": key,
                                                 "windowsVirtualKeyCode": code, "nativeVirtualKeyCode": code})

    def emulate_window(self, width, height, mobile):
        self.call("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                         "deviceScaleFactor": 1, "mobile": mobile})

    def back(self):
        """What the browser's Back button does."""
        answer = self.call("Page.getNavigationHistory")
        previous = answer["entries"][answer["currentIndex"] - 1]
        self.call("Page.navigateToHistoryEntry", {"entryId": previous["id"]})

    def history(self):
        """The addresses of the tab's history, and the index of the current one."""
        answer = self.call("Page.getNavigationHistory")
        return [entry["url"] for entry in answer["entries"]], answer["currentIndex"]
