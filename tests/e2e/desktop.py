"""A virtual desktop for end-to-end scenarios.

Each scenario gets its own X server (Xvfb on a free display), a window manager (openbox), a
session bus with the accessibility bus (so widgets can be found by role and name, the way a
screen reader sees them), and a fresh working folder with its own HOME and XDG folders. Input
goes through xdotool as real pointer and key events; nothing talks to the program any other way.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_W, SCREEN_H = 1280, 800


def project_file(kind_element, kind_type, kind_xml, rect, screen=(300, 120, 960, 640),
                 seconds=5, counter="", name=None):
    """A one-page project with one object, as the program writes it: the object's own
    elements (kind_xml), then the common ones at rect (x, y, w, h)."""
    counters = " ".join(f'{c}="{1 if c == counter else 0}"' for c in (
        "frameCount", "proTextCount", "effectBoxCount", "clockCount", "mPlayerCount",
        "flashCount", "gifCount", "labelCount", "exeCount"))
    counters = counters.replace('frameCount="0"', 'frameCount="1"')
    x, y, w, h = rect
    common = {"reserve": "False", "topmost": "False", "actionStyle": 2 if kind_type == 126
              else 0, "X": x, "Y": y, "W": w, "H": h, "preInDelay": 0, "preOutDelay": 0,
              "inStyle": 0, "inSpeed": 0, "delayTime": 0, "outStyle": 0, "outSpeed": 0}
    sx, sy, sw, sh = screen
    lines = ['<?xml version="1.0" encoding="GB2312" standalone="yes"?>', "<VRX>",
             f'<Screen {counters} X="{sx}" Y="{sy}" W="{sw}" H="{sh}" Name="同步屏" Type="-1">',
             f'<Frame TTL_Kind="0" seconds="{seconds}" ybPlay="False" bg="0" BgPicture="" '
             'Name="Page1" Type="-2">',
             f'<{kind_element} Name="{name or kind_element + "1"}" Type="{kind_type}">',
             *kind_xml,
             *(f"<{k}>{v}</{k}>" for k, v in common.items()),
             f"</{kind_element}>", "</Frame>", "</Screen>", "</VRX>"]
    return "".join(line + "\r\n" for line in lines)


class ScenarioFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise ScenarioFailure(message)


def wait_until(condition, what, timeout=15.0, interval=0.05):
    """Polls condition() until it returns something true; fails naming what after timeout."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except ScenarioFailure:
            raise
        except Exception as error:  # a window that went away between two calls, etc.
            last_error = error
        if time.monotonic() > deadline:
            extra = f" (last error: {last_error})" if last_error else ""
            raise ScenarioFailure(f"timed out after {timeout:g} s waiting for {what}{extra}")
        time.sleep(interval)


class Image:
    """A screenshot: width, height and packed RGB bytes."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, rect, predicate):
        x, y, w, h = rect
        n = 0
        for yy in range(max(0, y), min(self.height, y + h)):
            for xx in range(max(0, x), min(self.width, x + w)):
                if predicate(self.pixel(xx, yy)):
                    n += 1
        return n


def read_ppm(data):
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    if not match:
        raise ScenarioFailure("screenshot is not a PPM image")
    width, height, maxval = (int(g) for g in match.groups())
    if maxval < 256:
        return Image(width, height, data[match.end():match.end() + width * height * 3])
    # ImageMagick's import writes 16 bits a sample (big-endian): the high bytes are the 8-bit
    # values the X server holds (v × 257).
    return Image(width, height, data[match.end():match.end() + width * height * 6:2])


class Program:
    """A started zyntra process."""

    def __init__(self, desktop, popen, log_path):
        self.desktop, self.popen, self.log_path = desktop, popen, log_path

    @property
    def pid(self):
        return self.popen.pid

    def running(self):
        return self.popen.poll() is None

    def wait_exit(self, timeout=15.0):
        """Waits for the process to end; its exit status (negative: killed by that signal)."""
        wait_until(lambda: not self.running(), "the program to end", timeout)
        return self.popen.returncode

    def expect_clean_exit(self, timeout=15.0):
        status = self.wait_exit(timeout)
        check(status == 0, f"the program ended with status {status}; log:\n{self.log()}")

    def log(self):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def signal(self, sig):
        os.kill(self.popen.pid, sig)


class Desktop:
    def __init__(self, bin_dir, source_dir, name):
        self.bin_dir = bin_dir
        self.source_dir = source_dir
        self.root = tempfile.mkdtemp(prefix=f"zyntra-e2e-{name}-")
        self.work = os.path.join(self.root, "work")
        self.home = os.path.join(self.root, "home")
        for d in (self.work, self.home, os.path.join(self.root, "runtime")):
            os.makedirs(d)
        os.chmod(os.path.join(self.root, "runtime"), 0o700)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "XDG_RUNTIME_DIR": os.path.join(self.root, "runtime"),
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local/share"),
            "LANG": "C.UTF-8",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "NO_AT_BRIDGE": "0",
        }
        self.processes = []
        self.programs = []
        self._atspi = None

    # --- life cycle ------------------------------------------------------------------------------
    def start(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_W}x{SCREEN_H}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=self.env)
        os.close(write_end)
        self.processes.append(xvfb)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                raise ScenarioFailure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.env["DISPLAY"] = ":" + number.decode().strip()

        bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                              "--print-pid=1"], capture_output=True, text=True, env=self.env,
                             check=True)
        address, pid = bus.stdout.split()[:2]
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.bus_pid = int(pid)

        self.processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL))
        wait_until(lambda: "window id" in self.xprop_root("_NET_SUPPORTING_WM_CHECK"),
                   "the window manager", 10)
        self.processes.append(subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_until(lambda: "AT_SPI_BUS" in self.xprop_root("AT_SPI_BUS") and
                   "not found" not in self.xprop_root("AT_SPI_BUS"), "the accessibility bus", 10)
        return self

    def stop(self):
        failures = []
        for program in self.programs:
            if program.running():
                failures.append(f"zyntra (pid {program.pid}) still running after the scenario")
                program.popen.kill()
                program.popen.wait()
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        try:
            os.kill(self.bus_pid, signal.SIGTERM)
        except (AttributeError, ProcessLookupError):
            pass
        return failures

    def cleanup(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def scale_desktop(self, dpi):
        """Scales the desktop as desktop environments do: loads `Xft.dpi: DPI` into the X
        server's resources (xrdb -merge). Programs started afterwards read it (192 = 200 %)."""
        subprocess.run(["xrdb", "-merge"], input=f"Xft.dpi: {dpi}\n", text=True, env=self.env,
                       check=True, timeout=20)
        check(f"Xft.dpi:\t{dpi}" in self.x("xrdb", "-query"), f"Xft.dpi {dpi} not loaded")

    # --- the program -------------------------------------------------------------------------------
    def path(self, *parts):
        return os.path.join(self.work, *parts)

    def write(self, name, content, encoding="gb18030"):
        path = self.path(name)
        data = content.encode(encoding) if isinstance(content, str) else content
        with open(path, "wb") as f:
            f.write(data)
        return path

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def exists(self, name):
        return os.path.exists(self.path(name))

    def launch(self, *args, env=None):
        """Starts zyntra in the working folder and waits until its three windows are up."""
        log_path = os.path.join(self.root, f"zyntra-{len(self.programs)}.log")
        log = open(log_path, "wb")
        popen = subprocess.Popen([os.path.join(self.bin_dir, "zyntra"), *args], cwd=self.work,
                                 env={**self.env, **(env or {})}, stdout=log,
                                 stderr=subprocess.STDOUT, start_new_session=True)
        log.close()
        program = Program(self, popen, log_path)
        self.programs.append(program)
        # The tool windows are hidden when the program comes up playing; the screen window
        # is there in every case.
        wait_until(lambda: not program.running() or self.window("screenWindow", 0),
                   "the program's windows", 30)
        check(program.running(), f"zyntra ended at start with {popen.returncode}:\n{program.log()}")
        self.wait_mapped(self.window("screenWindow"))
        # The start-up is over (settings read, screen window placed, first page made) once the
        # page list's status bar names a page.
        wait_until(lambda: any((w.name or "").startswith("帧：")
                               for w in self.widgets("status bar", None, showing=False)),
                   "the start-up to finish", 30)
        return program

    def cli(self, *args, check_status=True):
        result = subprocess.run([os.path.join(self.bin_dir, "zyntra-cli"), *args], cwd=self.work,
                                env={**self.env, "QT_QPA_PLATFORM": "offscreen"},
                                capture_output=True, timeout=60)
        if check_status:
            check(result.returncode == 0,
                  f"zyntra-cli {' '.join(args)} failed: {result.stderr.decode(errors='replace')}")
        return result

    def dump(self, name):
        """The project as zyntra-cli dump prints it (JSON text)."""
        import json
        return json.loads(self.cli("dump", self.path(name)).stdout.decode())

    # --- X: windows, geometry, stacking -----------------------------------------------------------
    def x(self, *argv, check_status=True):
        result = subprocess.run(list(argv), env=self.env, capture_output=True, text=True,
                                timeout=20)
        if check_status and result.returncode != 0:
            raise ScenarioFailure(f"{' '.join(argv)}: {result.stderr.strip()}")
        return result.stdout

    def xprop_root(self, prop):
        return self.x("xprop", "-root", prop, check_status=False)

    def client_list(self, stacking=False):
        prop = "_NET_CLIENT_LIST_STACKING" if stacking else "_NET_CLIENT_LIST"
        out = self.xprop_root(prop)
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", out)]

    def role(self, win):
        out = self.x("xprop", "-id", str(win), "WM_WINDOW_ROLE", check_status=False)
        match = re.search(r'= "(.*)"', out)
        return match.group(1) if match else None

    def title(self, win):
        out = self.x("xprop", "-id", str(win), "_NET_WM_NAME", check_status=False)
        match = re.search(r'= "(.*)"', out)
        return match.group(1) if match else ""

    def window(self, role, timeout=10.0):
        """The managed window with this WM_WINDOW_ROLE (the widget's object name)."""
        def find():
            for win in self.client_list():
                if self.role(win) == role:
                    return win
            return None
        if timeout == 0:
            return find()
        return wait_until(find, f"a window {role!r}", timeout)

    def windows_with_role(self, role):
        return [w for w in self.client_list() if self.role(w) == role]

    def stacking(self):
        """Managed windows bottom to top, by role (or title when a window has none)."""
        return [(self.role(w) or self.title(w)) for w in self.client_list(stacking=True)]

    def geometry(self, win):
        """The client area (x, y, w, h) and the outer rectangle of a window (frame_*), from
        xwininfo and the window manager's _NET_FRAME_EXTENTS."""
        out = self.x("xwininfo", "-id", str(win))
        ax = int(re.search(r"Absolute upper-left X:\s+(-?\d+)", out).group(1))
        ay = int(re.search(r"Absolute upper-left Y:\s+(-?\d+)", out).group(1))
        w = int(re.search(r"Width:\s+(\d+)", out).group(1))
        h = int(re.search(r"Height:\s+(\d+)", out).group(1))
        extents = self.x("xprop", "-id", str(win), "_NET_FRAME_EXTENTS", check_status=False)
        match = re.search(r"= (\d+), (\d+), (\d+), (\d+)", extents)
        left, right, top, bottom = map(int, match.groups()) if match else (0, 0, 0, 0)
        return {"x": ax, "y": ay, "w": w, "h": h, "frame_x": ax - left, "frame_y": ay - top,
                "frame_w": w + left + right, "frame_h": h + top + bottom,
                "map": "IsViewable" in out}

    def frame_rect(self, win):
        """The outer rectangle of a window, frame included, as (left, top, right, bottom)."""
        g = self.geometry(win)
        return (g["frame_x"], g["frame_y"], g["frame_x"] + g["frame_w"],
                g["frame_y"] + g["frame_h"])

    def wait_mapped(self, win, timeout=10.0):
        wait_until(lambda: self.geometry(win)["map"], f"window {win:#x} shown", timeout)

    def shown(self, role):
        """True when the window with this role is on the desktop (mapped and viewable)."""
        win = self.window(role, 0)
        return bool(win) and self.viewable(win)

    def viewable(self, win):
        try:
            return self.geometry(win)["map"]
        except ScenarioFailure:
            return False

    # --- input ----------------------------------------------------------------------------------
    def move(self, x, y):
        # --sync waits for the pointer to get there, and waits in vain when it is there already.
        if self.pointer() != (x, y):
            self.x("xdotool", "mousemove", "--sync", str(x), str(y))

    def click(self, x, y, button=1, repeat=1):
        self.move(x, y)
        self.x("xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button))

    def double_click(self, x, y):
        self.click(x, y, repeat=2)

    def drag(self, x1, y1, x2, y2, steps=8):
        self.move(x1, y1)
        self.x("xdotool", "mousedown", "1")
        for i in range(1, steps + 1):
            self.move(x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
            time.sleep(0.02)  # the pointer travels like a hand's, not in one jump
        self.x("xdotool", "mouseup", "1")

    def key(self, *keys):
        self.x("xdotool", "key", "--delay", "60", *keys)

    def type(self, text):
        self.x("xdotool", "type", "--delay", "30", text)

    def pointer(self):
        out = self.x("xdotool", "getmouselocation")
        return int(re.search(r"x:(\d+)", out).group(1)), int(re.search(r"y:(\d+)", out).group(1))

    # --- pixels -----------------------------------------------------------------------------------
    def screenshot(self, save_as=None):
        data = subprocess.run(["import", "-window", "root", "ppm:-"], env=self.env,
                              capture_output=True, check=True, timeout=30).stdout
        if save_as:
            with open(os.path.join(self.root, save_as), "wb") as f:
                f.write(data)
        return read_ppm(data)

    # --- widgets through the accessibility bus ------------------------------------------------------
    def atspi(self):
        if self._atspi is None:
            os.environ.update(self.env)
            import pyatspi  # reads the display and the session bus from the environment
            self._atspi = pyatspi
        return self._atspi

    def app(self):
        pyatspi = self.atspi()
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "zyntra":
                return app
        return None

    def widgets(self, role=None, name=None, within=None, showing=True):
        """Every accessible widget matching role and name (a string, or a compiled pattern)."""
        pyatspi = self.atspi()
        root = within or self.app()
        found = []
        if root is None:
            return found
        stack = [root]
        while stack:
            acc = stack.pop()
            try:
                acc_role, acc_name = acc.getRoleName(), acc.name
                states = acc.getState()
                children = [acc.getChildAtIndex(i) for i in range(acc.childCount)]
            except Exception:
                continue
            role_ok = role is None or acc_role == role
            if name is None:
                name_ok = True
            elif isinstance(name, str):
                name_ok = acc_name == name
            else:
                name_ok = bool(name.search(acc_name or ""))
            if role_ok and name_ok and acc is not root and (
                    not showing or states.contains(pyatspi.STATE_SHOWING)):
                found.append(acc)
            stack.extend(c for c in reversed(children) if c is not None)
        return found

    def widget(self, role, name, within=None, timeout=10.0, index=0):
        return wait_until(lambda: (lambda w: w[index] if len(w) > index else None)(
            self.widgets(role, name, within)), f"a {role} {name!r}", timeout)

    def rect(self, acc):
        pyatspi = self.atspi()
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    def centre(self, acc):
        x, y, w, h = self.rect(acc)
        return x + w // 2, y + h // 2

    def click_widget(self, role, name, within=None, button=1, timeout=10.0):
        acc = self.widget(role, name, within, timeout)
        self.click(*self.centre(acc), button=button)
        return acc

    def text_of(self, acc):
        try:
            t = acc.queryText()
            return t.getText(0, t.characterCount)
        except NotImplementedError:
            return acc.name

    def dialog(self, title, timeout=10.0):
        """The accessible top-level window (a dialog, a tool window) with this title."""
        def find():
            app = self.app()
            for i in range(app.childCount if app else 0):
                child = app.getChildAtIndex(i)
                if child is not None and child.name == title and child.getState().contains(
                        self.atspi().STATE_SHOWING):
                    return child
            return None
        return wait_until(find, f"the window {title!r}", timeout)

    def field(self, within, label, roles=("text", "spin button", "combo box")):
        """The edit (or spin box, combo box) right of a label, as a form lays them out."""
        def find():
            tags = [w for role in ("label", "check box") for w in self.widgets(role, label, within)]
            if not tags:
                return None
            tag = tags[0]
            lx, ly, lw, lh = self.rect(tag)
            best = None
            for role in roles:
                for w in self.widgets(role, None, within):
                    x, y, ww, h = self.rect(w)
                    if x >= lx + lw - 2 and y < ly + lh and ly < y + h:
                        if best is None or x < self.rect(best)[0]:
                            best = w
            return best
        return wait_until(find, f"the field of {label!r}", 10)

    def set_field(self, within, label, text):
        """Clicks into a field, selects what it holds and types text in its place."""
        self.click(*self.centre(self.field(within, label)))
        self.key("ctrl+a")
        if text:
            self.type(text)
        else:
            self.key("BackSpace")

    def menu(self, *path):
        """Opens a main-menu path with the mouse: 文件(F) → 退出系统(X). A menu that did not open
        (the click came while its window was still being shown) is clicked again."""
        self.wait_mapped(self.window("toolBarWindow"))
        item = self.widget("menu item", path[0])
        for label in path[1:]:
            for attempt in range(3):
                self.click(*self.centre(item))
                try:
                    following = self.widget("menu item", label, timeout=3)
                    break
                except ScenarioFailure:
                    if attempt == 2:
                        raise
                    self.key("Escape")
            item = following
        self.click(*self.centre(item))
        return item
