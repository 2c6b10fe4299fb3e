"""Leaving the program: Esc on the tool bar window, its close box, 文件 → 退出系统; signals."""

import re
import signal

from desktop import check, wait_until

SECTIONS = ["App", "Para", "Screen", "ToolBar", "PlayList"]


def sections(d):
    text = d.read("setup.ini").decode("gb18030")
    return re.findall(r"^\[(\w+)\]", text, re.M)


def focus_tool_bar(d):
    """Clicks an empty place of the tool bar window's button strip."""
    toolbar = d.geometry(d.window("toolBarWindow"))
    d.click(toolbar["x"] + toolbar["w"] - 40, toolbar["y"] + toolbar["h"] - 12)


def scenario_escape_on_tool_bar(d):
    check(not d.exists("setup.ini"), "a fresh folder has no setup.ini")
    z = d.launch()
    focus_tool_bar(d)
    d.key("Escape")
    z.expect_clean_exit()
    check(sections(d) == SECTIONS, f"setup.ini sections {sections(d)}")


def scenario_close_box_of_tool_bar(d):
    z = d.launch()
    left, top, right, bottom = d.frame_rect(d.window("toolBarWindow"))
    check(top >= 0, f"the tool bar window's title is on the screen (frame top {top})")
    # openbox puts the close button at the right end of the title bar.
    d.click(right - 10, top + 10)
    z.expect_clean_exit()
    check(sections(d) == SECTIONS, f"setup.ini sections {sections(d)}")


def scenario_exit_from_file_menu(d):
    z = d.launch()
    d.menu("文件(F)", "退出系统(X)")
    z.expect_clean_exit()
    check(sections(d) == SECTIONS, f"setup.ini sections {sections(d)}")


def scenario_modified_project_asks_once(d):
    z = d.launch()
    d.menu("控件(E)", "文字(T)")  # a new text object: the project is modified
    focus_tool_bar(d)
    d.key("Escape")
    question = d.widget("label", re.compile("文件已经修改，是否保存文件"))
    check(question is not None, "the save question")
    d.key("alt+n")  # 否: leave without saving
    z.expect_clean_exit()
    check(len(d.widgets("label", re.compile("是否保存文件"))) == 0, "no second question")
    check(sections(d) == SECTIONS, f"setup.ini sections {sections(d)}")


def scenario_cancel_keeps_running(d):
    z = d.launch()
    d.menu("控件(E)", "文字(T)")
    focus_tool_bar(d)
    d.key("Escape")
    d.widget("label", re.compile("文件已经修改"))
    d.key("Escape")  # 取消
    wait_until(lambda: not d.widgets("label", re.compile("文件已经修改")), "the question to close")
    check(z.running() and d.viewable(d.window("toolBarWindow")), "still running with its windows")
    check(not d.exists("setup.ini"), "nothing written while the program keeps running")
    d.menu("文件(F)", "退出系统(X)")
    d.widget("label", re.compile("文件已经修改"))
    d.key("alt+n")
    z.expect_clean_exit()


def scenario_signals_leave_through_exit(d):
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        if d.exists("setup.ini"):
            import os
            os.remove(d.path("setup.ini"))
        z = d.launch()
        z.signal(sig)
        z.expect_clean_exit()
        check(sections(d) == SECTIONS, f"after {sig.name}: setup.ini sections {sections(d)}")
