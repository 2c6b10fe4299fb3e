"""Opening, playing and stopping shows; task lists; the programs a show starts; options read
from setup.ini."""

import os
import re
import shutil
import signal
import subprocess

from desktop import check, project_file, wait_until



def copy_demo(d):
    shutil.copy(os.path.join(d.source_dir, "examples", "demo.vrx"), d.path("demo.vrx"))
    return d.path("demo.vrx")


def status_text(d):
    bars = d.widgets("status bar", None, d.dialog("对象列表"))
    return bars[0].name if bars else ""


def background(d):
    """The colour most of the screen window shows: the playing page's background."""
    from collections import Counter
    g = d.geometry(d.window("screenWindow"))
    shot = d.screenshot()
    counts = Counter(shot.pixel(x, y) for x in range(g["x"], g["x"] + g["w"], 8)
                     for y in range(g["y"], g["y"] + g["h"], 8))
    return counts.most_common(1)[0][0]


def scenario_open_shows_the_current_page_and_delete_keeps_the_tree_true(d):
    copy_demo(d)
    d.write("setup.ini", "[App]\r\nWndTitle=同步屏\r\n[Para]\r\nDelPrompt=1\r\n[Screen]\r\nLeft=300\r\nTop=200\r\n"
            "Right=940\r\nBottom=560\r\n")
    z = d.launch("demo.vrx")
    # The reader leaves the last page current; the status bar says so.
    wait_until(lambda: status_text(d) == "帧：Page2 对象：Page2", "the status after open",
               timeout=10)
    page_list = d.dialog("对象列表")
    d.click_widget(None, "Page1", within=page_list)
    wait_until(lambda: status_text(d) == "帧：Page1 对象：Page1", "Page1 selected")
    d.click_widget("push button", "删除", within=page_list)
    d.widget("label", "您真的要删除吗?")
    d.key("alt+y")
    wait_until(lambda: not d.widgets(None, "Page1", page_list), "Page1 deleted")
    # Nothing is current but the screen: the tree says the same.
    root = d.widgets(None, "同步屏", page_list)
    check(root and root[0].getState().contains(d.atspi().STATE_SELECTED),
          "the screen's item is the highlighted one")
    # Clicking Page2 makes it current, and then objects can be made on it.
    d.click_widget(None, "Page2", within=page_list)
    wait_until(lambda: status_text(d) == "帧：Page2 对象：Page2", "Page2 current")
    d.menu("控件(E)", "文字(T)")
    check(not d.widgets("label", re.compile("没有当前页")), "no 没有当前页 message")
    wait_until(lambda: d.widgets(None, re.compile(r"^Text\d+$"), page_list), "a new text")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()


def scenario_play_the_demo_until_the_page_changes_and_stop(d):
    copy_demo(d)
    z = d.launch("demo.vrx")
    d.click_widget("push button", "播放")
    wait_until(lambda: not d.shown("toolBarWindow"), "the tool windows hidden")
    first = background(d)
    # The demo's first page shows for 15 seconds; then the second, of another background.
    wait_until(lambda: background(d) != first, "the next page playing", timeout=30,
               interval=0.5)
    g = d.geometry(d.window("screenWindow"))
    d.click(g["x"] + g["w"] - 5, g["y"] + g["h"] - 5, button=3)
    d.key("s")  # 停止(&S)
    wait_until(lambda: d.shown("toolBarWindow") and d.shown("pageListWindow"),
               "the tool windows back")
    d.menu("文件(F)", "退出系统(X)")
    z.expect_clean_exit()


TASKS = """<?xml version="1.0" encoding="GB2312" standalone="yes"?>\r
<VORN>\r
<TASKS>\r
<Item>\r
<PStyle>0</PStyle>\r
<FileName>{show}</FileName>\r
<WeekNo>0</WeekNo>\r
<MonthNo>1</MonthNo>\r
<Date>4.544600e+04</Date>\r
<BTime>0.000000e+00</BTime>\r
<ETime>9.999884e-01</ETime>\r
</Item>\r
</TASKS>\r
</VORN>\r
"""


def scenario_a_task_list_starts_its_project(d):
    show = copy_demo(d)
    d.write("plan.tak", TASKS.format(show=show))
    d.write("setup.ini", "[Para]\r\nAutoPlay=1\r\nLFile={}\r\n".format(d.path("plan.tak")))
    z = d.launch()
    dialog = wait_until(lambda: [w for w in d.client_list() if d.title(w) == "播放控制"],
                        "the task list window")[0]
    d.wait_mapped(dialog)
    wait_until(lambda: d.frame_rect(dialog)[:2] == (0, 800 - 50),
               f"the task list window's corner at 0, 750 (it is at {d.frame_rect(dialog)})",
               timeout=5)
    # The task plays the demo: the screen window takes the project's place and shows page 1.
    # The task opens the demo: the screen window takes the project's place (0, 0, 640 × 360).
    wait_until(lambda: (lambda g: (g["x"], g["y"], g["w"], g["h"]) == (0, 0, 640, 360))(
        d.geometry(d.window("screenWindow"))), "the task's project opened", timeout=20)
    check(not d.shown("toolBarWindow"), "the tool windows hidden while the task list plays")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()




def sleepers(token):
    out = subprocess.run(["pgrep", "-f", f"^/bin/sleep {token}$"], capture_output=True,
                         text=True).stdout
    return [int(p) for p in out.split()]


def scenario_programs_end_with_the_player(d):
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP, signal.SIGKILL):
        token = str(3000 + int(sig))  # sleep's seconds: tells this run's program apart
        d.write("prog.vrx", project_file(
            "Exe", 128, ["<Item>", "<Name>/bin/sleep</Name>", f"<Para>{token}</Para>", "</Item>"],
            (10, 10, 32, 32), screen=(300, 200, 400, 300), seconds=600, counter="exeCount",
            name="Program1"))
        if d.exists("setup.ini"):
            os.remove(d.path("setup.ini"))
        z = d.launch("--play", "prog.vrx")
        wait_until(lambda: sleepers(token), f"the show's program running ({sig.name})")
        z.signal(sig)
        status = z.wait_exit()
        if sig == signal.SIGKILL:
            check(status == -signal.SIGKILL, f"killed: {status}")
            z.popen.returncode = 0  # killed on purpose, not a crash
        else:
            check(status == 0, f"{sig.name}: status {status}\n{z.log()}")
            check(d.exists("setup.ini"), f"setup.ini written after {sig.name}")
        wait_until(lambda: not sleepers(token), f"the program ended with the player ({sig.name})")


def scenario_close_time_is_read_to_the_second(d):
    # 08:57:33 as setup.ini keeps it: 7 significant digits, a little before the second.
    d.write("setup.ini", "[Para]\r\nAutoClose=1\r\nCloseTime=3.732986e-01\r\n")
    z = d.launch()
    d.click_widget("push button", "选项")
    dialog = d.dialog("选项")
    field = d.field(dialog, "定时关机", roles=("spin button", "text"))
    wait_until(lambda: d.text_of(field) == "08:57:33", f"08:57:33 shown ({d.text_of(field)!r})")
    d.key("Escape")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()
    text = d.read("setup.ini").decode("gb18030")
    check("CloseTime=3.732986e-01" in text.replace(" ", ""), f"CloseTime kept: {text}")
