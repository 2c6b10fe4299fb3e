"""At home on a Chinese Linux desktop: Qt's own dialogs speak Chinese, font dialogs keep the font
they were opened on, and a Wayland session still gets its windows placed exactly."""

import os
import re
import shutil
import signal

from desktop import check, wait_until

SCREEN_AWAY = "[Screen]\r\nLeft=300\r\nTop=200\r\nRight=900\r\nBottom=600\r\n"


def scenario_qt_dialogs_speak_chinese(d):
    d.write("setup.ini", SCREEN_AWAY)
    z = d.launch()
    d.menu("控件(E)", "文字(T)")  # modified: leaving asks
    d.menu("文件(F)", "退出系统(X)")
    for name in ("是(Y)", "否(N)", "取消"):
        d.widget("push button", name)
    d.key("Escape")
    wait_until(lambda: not d.widgets("push button", "否(N)"), "the question answered 取消")
    d.menu("文件(F)", "文件另存为  ...")
    chooser = d.dialog("另存为")
    for name in ("保存(S)", "取消"):
        d.widget("push button", name, within=chooser)
    d.widget("label", re.compile("^文件名称"), within=chooser)
    d.key("Escape")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()


def save_now(d):
    """Saves the opened project and waits until its file is written anew."""
    os.remove(d.path("demo.vrx"))
    d.menu("文件(F)", "保存文件")
    wait_until(lambda: d.exists("demo.vrx"), "the project saved")
    size = wait_until(lambda: (lambda n: n if n > 0 else None)(
        os.path.getsize(d.path("demo.vrx"))), "the saved bytes")
    return d.read("demo.vrx") if size else b""


def open_demo(d):
    shutil.copy(os.path.join(d.source_dir, "examples", "demo.vrx"), d.path("demo.vrx"))
    z = d.launch("demo.vrx")
    d.wait_mapped(d.window("toolBarWindow"))
    # The bytes as this build writes them, before any dialog. Clocks of the clock styles hold
    # 60 in their countdown length from their first tick on: the baseline is taken after it.
    return z, wait_until(lambda: (lambda b: b if b"<totalTime>2</totalTime>" not in b else None)(
        save_now(d)), "the clocks' first tick", timeout=10, interval=0.3)


def save_and_compare(d, before, what):
    after = save_now(d)
    check(after == before, f"{what}: the saved project changed")


def scenario_clock_font_dialog_keeps_the_font(d):
    z, before = open_demo(d)
    # Page 2 is current; its clock Timer4 lies at 40, 200 – 600, 250 of the screen at 0, 0.
    d.double_click(400, 225)
    clock = d.dialog("时钟")
    d.click(*d.centre(d.field(clock, "字 体：", roles=("push button",))))
    d.dialog("选择字体")
    d.key("Return")  # OK, nothing changed
    wait_until(lambda: not d.widgets(None, "选择字体"), "the font dialog closed")
    d.click_widget("push button", "确定", within=clock)
    save_and_compare(d, before, "the clock's font dialog, OK unchanged")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()


def scenario_caption_editor_font_dialog_keeps_the_font(d):
    z, before = open_demo(d)
    d.double_click(400, 150)  # Text4 (黑体, bold) at 40, 120 – 600, 180
    label = d.dialog("文字")
    d.click_widget("push button", "编  辑", within=label)
    editor = d.dialog("标签计设器")
    d.click_widget("push button", "字体", within=editor)
    d.dialog("选择字体")
    d.key("Return")
    wait_until(lambda: not d.widgets(None, "选择字体"), "the font dialog closed")
    d.click_widget("push button", "确  定", within=editor)
    wait_until(lambda: not d.widgets(None, "标签计设器"), "the caption editor closed")
    save_and_compare(d, before, "the caption editor's font dialog, OK unchanged")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()


def scenario_wayland_session_still_places_the_screen_window(d):
    d.write("setup.ini", SCREEN_AWAY)
    z = d.launch(env={"XDG_SESSION_TYPE": "wayland", "WAYLAND_DISPLAY": "wayland-0"})
    g = d.geometry(d.window("screenWindow"))
    check((g["x"], g["y"], g["w"], g["h"]) == (300, 200, 600, 400), f"screen window at {g}")
    z.signal(signal.SIGTERM)
    z.expect_clean_exit()
