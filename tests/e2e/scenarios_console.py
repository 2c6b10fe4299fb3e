"""The web console: the real program with --console (or [Console] Listen=) on a loopback port,
spoken to over HTTP as curl or a browser would."""

import json
import os
import re
import shutil
import signal
import socket
import struct
import subprocess
import urllib.error
import urllib.parse
import urllib.request

from desktop import check, project_file, wait_until


def copy_demo(d):
    shutil.copy(os.path.join(d.source_dir, "examples", "demo.vrx"), d.path("demo.vrx"))
    return d.path("demo.vrx")


class Console:
    """The console of a started program: its address from the program's output, its token
    from the config folder."""

    def __init__(self, d, program):
        line = wait_until(lambda: re.search(r"console on http://127\.0\.0\.1:(\d+)/",
                                            program.log()), "the console's address", 15)
        self.port = int(line.group(1))
        self.base = f"http://127.0.0.1:{self.port}"
        path = os.path.join(d.env["XDG_CONFIG_HOME"], "zyntra", "console-token")
        with open(path) as f:
            self.token = f.read().strip()
        self.token_mode = os.stat(path).st_mode & 0o777

    def call(self, method, path, body=None, token=True, headers=None):
        """(status, headers, body bytes) of one request."""
        request = urllib.request.Request(self.base + path, data=body, method=method)
        if token:
            request.add_header("Authorization",
                               "Bearer " + (self.token if token is True else token))
        for key, value in (headers or {}).items():
            request.add_header(key, value)
        try:
            with urllib.request.urlopen(request, timeout=20) as reply:
                return reply.status, dict(reply.headers), reply.read()
        except urllib.error.HTTPError as error:
            return error.code, dict(error.headers), error.read()

    def json(self, method, path, body=None, expect=200):
        status, _, data = self.call(method, path, body)
        check(status == expect, f"{method} {path}: {status} {data[:300]!r}, not {expect}")
        return json.loads(data)

    def status(self):
        return self.json("GET", "/api/status")


def png_size(data):
    check(data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR", "a PNG image")
    return struct.unpack(">II", data[16:24])


def window_pixels(d):
    g = d.geometry(d.window("screenWindow"))
    shot = d.screenshot()
    return [shot.pixel(x, y) for x in range(g["x"], g["x"] + g["w"], 4)
            for y in range(g["y"], g["y"] + g["h"], 4)]


def scenario_console_needs_the_token_then_plays_shows_the_wall_and_stops(d):
    copy_demo(d)
    z = d.launch("--console", "0", "demo.vrx")
    console = Console(d, z)
    check(console.token_mode == 0o600, f"the token file is {oct(console.token_mode)}")
    check(re.fullmatch(r"[0-9a-f]{64}", console.token), "a random token of 64 hex digits")

    # Without the token (or with a wrong one) nothing happens.
    for token in (False, "0" * 64):
        status, headers, _ = console.call("POST", "/api/play", token=token)
        check(status == 401, f"play without the token: {status}")
        check(not any(k.lower().startswith("access-control") or k.lower() == "set-cookie"
                      for k in headers), f"no CORS header or cookie: {headers}")
        check(console.call("GET", "/api/status", token=token)[0] == 401, "status needs it too")
    check(d.shown("toolBarWindow"), "nothing plays after the refused requests")

    before = console.status()
    check(before["playing"] is False and before["mode"] == "idle", f"idle: {before}")
    check(before["file"] == d.path("demo.vrx"), f"the project's file: {before}")
    check(before["title"] == "同步播放系统(Orlume)" and before["version"] == "1.0.0",
          f"the screen's name (the program title without a setup.ini), version: {before}")
    check(before["taskList"] is None and before["task"] is None, f"no task list: {before}")

    g = d.geometry(d.window("screenWindow"))
    status, headers, shot = console.call("GET", "/api/screen.png")
    check(status == 200 and headers.get("Content-Type") == "image/png", f"screen.png: {status}")
    check(png_size(shot) == (g["w"], g["h"]),
          f"screen.png is {png_size(shot)}, the window {g['w']} × {g['h']}")

    design = window_pixels(d)
    playing = console.json("POST", "/api/play")
    check(playing["playing"] is True and playing["mode"] == "play", f"playing: {playing}")
    check(playing["page"] == "Page1" and playing["pageIndex"] == 0 and playing["pass"] == 1,
          f"the first page of the first pass: {playing}")
    # The wall changes: the tool windows go, the grid goes, the page plays.
    wait_until(lambda: not d.shown("toolBarWindow"), "the tool windows hidden")
    wait_until(lambda: sum(a != b for a, b in zip(design, window_pixels(d))) > len(design) // 20,
               "the screen window to change", 10)
    wait_until(lambda: console.call("GET", "/api/screen.png")[2] != shot,
               "the live view to follow the wall", 10)
    check(console.status()["playing"] is True, "the status says playing")

    stopped = console.json("POST", "/api/stop")
    check(stopped["playing"] is False and stopped["pass"] == 0, f"stopped: {stopped}")
    wait_until(lambda: d.shown("toolBarWindow") and d.shown("pageListWindow"),
               "the tool windows back")

    # The proof of play: the page's start and its end by the stop, in today's file too.
    log = console.json("GET", "/api/log")
    events = [(r["event"], r["page"], r["pass"], r["ended"]) for r in log["records"]]
    check(events == [("start", "Page1", 1, ""), ("end", "Page1", 1, "stopped")],
          f"the log: {events}")
    check(all(r["project"] == d.path("demo.vrx") and r["mode"] == "play"
              for r in log["records"]), f"the records name the project: {log}")
    with open(d.path(f"play-log-{log['date']}.tsv"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    check(len(lines) == 2 and lines[1].endswith("\tend\tplay\t" + d.path("demo.vrx") +
                                                "\tPage1\t1\tstopped"), f"the file: {lines}")

    # Every request was logged on standard error, the token never.
    check('"POST /api/play" 401' in z.log() and '"GET /api/status" 200' in z.log(),
          "requests in the log")
    check(console.token not in z.log(), "the token is never logged")

    # The same token on the next start.
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()
    z = d.launch("--console", "0")
    check(Console(d, z).token == console.token, "the token is kept")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()


def scenario_console_uploads_and_opens_shows_of_its_folder_only(d):
    d.write("setup.ini", "[App]\r\nWndTitle=同步屏\r\n[Console]\r\nListen=127.0.0.1:0\r\n"
            "Shows=walls\r\n")
    show = project_file("Label", 131, ["<Caption>控制台</Caption>"], (20, 20, 200, 60),
                        screen=(200, 100, 480, 270), seconds=3)
    d.write("outside.vrx", show)
    z = d.launch()
    console = Console(d, z)

    check(console.json("GET", "/api/shows") == {"folder": d.path("walls"), "shows": []},
          "an empty folder before the first upload")
    name = urllib.parse.quote("节目.vrx")
    reply = console.json("PUT", "/api/shows/" + name, show.encode("gb18030"), expect=201)
    check(reply == {"name": "节目.vrx", "bytes": len(show.encode("gb18030"))}, f"{reply}")
    check(d.read("walls/节目.vrx") == show.encode("gb18030"), "the file as sent")
    shows = console.json("GET", "/api/shows")["shows"]
    check([s["name"] for s in shows] == ["节目.vrx"], f"the list: {shows}")

    # Nothing outside the folder is written or opened, whatever the name says.
    os.symlink(d.path("outside.vrx"), d.path("walls/link.vrx"))
    for method, path, body, expect in (
            ("PUT", "/api/shows/..%2Foutside.vrx", b"x", 400),
            ("PUT", "/api/shows/%2E%2E%2Fsetup.ini", b"x", 400),
            ("PUT", "/api/shows/a.sh", b"x", 400),
            ("PUT", "/api/shows/link.vrx", b"x", 409),
            ("POST", "/api/open", b'{"name":"../outside.vrx"}', 400),
            ("POST", "/api/open", ('{"name":"' + d.path("outside.vrx") + '"}').encode(), 400),
            ("POST", "/api/open", b'{"name":"link.vrx"}', 404),
            ("POST", "/api/open", b'{"name":"setup.ini"}', 400)):
        status, _, data = console.call(method, path, body)
        check(status == expect, f"{method} {path} {body!r}: {status} {data!r}")
    check(d.read("outside.vrx") == show.encode("gb18030"), "the file outside untouched")
    check(console.status()["file"] == "", "nothing opened")

    opened = console.json("POST", "/api/open", json.dumps({"name": "节目.vrx"}).encode())
    check(opened["file"] == d.path("walls", "节目.vrx") and opened["title"] == "同步屏",
          f"opened: {opened}")
    wait_until(lambda: (lambda g: (g["x"], g["y"], g["w"], g["h"]) == (200, 100, 480, 270))(
        d.geometry(d.window("screenWindow"))), "the screen window at the show's place")

    # A task list from the folder plays its project by its schedule.
    tasks = ("<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n<VORN>\r\n"
             "<TASKS>\r\n<Item>\r\n<PStyle>0</PStyle>\r\n<FileName>{}</FileName>\r\n"
             "<WeekNo>0</WeekNo>\r\n<MonthNo>1</MonthNo>\r\n<Date>4.544600e+04</Date>\r\n"
             "<BTime>0.000000e+00</BTime>\r\n<ETime>9.999884e-01</ETime>\r\n</Item>\r\n"
             "</TASKS>\r\n</VORN>\r\n").format(d.path("walls", "节目.vrx"))
    console.json("PUT", "/api/shows/plan.tak", tasks.encode("gb18030"), expect=201)
    console.json("POST", "/api/open", b'{"name": "plan.tak"}')
    running = wait_until(lambda: (lambda s: s if s["playing"] and s["task"] else None)(
        console.status()), "the task list's project playing", 10)
    check(running["taskList"] == d.path("walls", "plan.tak") and
          running["task"] == {"row": 0, "file": d.path("walls", "节目.vrx")}, f"{running}")
    check(console.json("POST", "/api/stop")["playing"] is False, "stopped")
    check(console.status()["taskList"] is None, "the schedule stopped with it")

    # Hostile transport: a body past the bound is refused before it is read, and the program
    # goes on.
    with socket.create_connection(("127.0.0.1", console.port), timeout=20) as s:
        s.sendall(b"PUT /api/shows/big.vrx HTTP/1.1\r\nHost: x\r\nContent-Length: 99999999999"
                  b"\r\nAuthorization: Bearer " + console.token.encode() + b"\r\n\r\n")
        answer = b""
        try:
            chunk = b"x" * 65536
            for _ in range(260):  # 17 MB: just past the bound
                s.sendall(chunk)
        except OSError:
            pass
        try:
            while True:
                data = s.recv(4096)
                if not data:
                    break
                answer += data
        except OSError:
            pass
    check(answer.startswith(b"HTTP/1.1 413"), f"413 for a huge body: {answer[:80]!r}")
    check(not d.exists("walls/big.vrx"), "nothing of it written")
    check(console.call("GET", "/api/status")[0] == 200, "still answering")

    z.signal(signal.SIGTERM)
    z.expect_clean_exit()
    ini = d.read("setup.ini").decode("gb18030")
    check("[Console]\r\nListen=127.0.0.1:0\r\nShows=walls\r\n" in ini,
          f"the console's settings kept: {ini}")


def scenario_console_page_in_a_real_browser(d):
    copy_demo(d)
    z = d.launch("--console", "127.0.0.1:0", "demo.vrx")
    console = Console(d, z)
    script = os.path.join(d.source_dir, "tests", "browser", "console-page.mjs")
    result = subprocess.run(
        ["node", script, console.base + "/", console.token, os.path.join(d.root, "chromium")],
        env={**d.env, "NODE_PATH": ""}, capture_output=True, text=True, timeout=100)
    print(result.stdout, result.stderr)
    check(result.returncode == 0, f"the browser test failed:\n{result.stdout}\n{result.stderr}")
    check(console.status()["playing"] is False, "the browser stopped the show again")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()
