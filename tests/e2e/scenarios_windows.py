"""The program's windows on a desktop with a window manager: placement, stacking, ownership of
questions and property windows, the always-on-top band, the about box, captions."""

import re

from desktop import SCREEN_H, SCREEN_W, check, wait_until

# A maximised window covers the whole 1280 × 800 desktop (no panels): W and H are 8 less.
W, H = SCREEN_W - 8, SCREEN_H - 8
# A screen window away from the tool windows.
SCREEN_AWAY = "[Screen]\r\nLeft=300\r\nTop=200\r\nRight=900\r\nBottom=600\r\n"


def above(d, upper, lower):
    """True when the window upper (a role or a title) is stacked above lower."""
    order = [(d.role(w), d.title(w)) for w in d.client_list(stacking=True)]

    def index(name):
        found = [i for i, names in enumerate(order) if name in names]
        check(found, f"a window {name} in {order}")
        return found[-1]
    return index(upper) > index(lower)


def empty_surface_point(d):
    g = d.geometry(d.window("screenWindow"))
    return g["x"] + g["w"] - 30, g["y"] + g["h"] - 30


def scenario_tool_windows_placed_by_outer_rectangle(d):
    d.launch()
    # The window manager decorates the windows a moment after they appear.
    wait_until(lambda: d.frame_rect(d.window("toolBarWindow")) == (0, 0, W, 70) and
               d.frame_rect(d.window("pageListWindow")) == (0, 70, 170, H),
               "the tool windows' frames at 0,0 – W,70 and 0,70 – 170,H", timeout=5)
    d.menu("文件(F)", "退出系统(X)")
    d.programs[-1].expect_clean_exit()


def scenario_tool_windows_stay_above_the_screen_window(d):
    d.write("setup.ini", "[Screen]\r\nLeft=150\r\nTop=60\r\nRight=1200\r\nBottom=700\r\n")
    z = d.launch()  # the screen window lies under both tool windows
    d.click(*empty_surface_point(d))
    wait_until(lambda: above(d, "toolBarWindow", "screenWindow") and
               above(d, "pageListWindow", "screenWindow"), "the tool windows above the screen")
    # A message box comes and goes: the order stays.
    d.click_widget("menu item", "控件(E)")
    d.click_widget("menu item", "文字(T)")
    d.click(*empty_surface_point(d))
    check(above(d, "toolBarWindow", "screenWindow"), f"after a click: {d.stacking()}")
    # An open property window stays above the surface as well.
    g = d.geometry(d.window("screenWindow"))
    d.double_click(g["x"] + 60, g["y"] + 50)  # the new text object at 10, 10 – 80, 80
    d.dialog("文字")
    d.click(g["x"] + 60, g["y"] + 50)  # the surface again (on the object: it stays selected)
    wait_until(lambda: above(d, "文字", "screenWindow"), "the property window above the screen")
    check(above(d, "toolBarWindow", "screenWindow") and above(d, "pageListWindow",
                                                              "screenWindow"), d.stacking())
    z.signal(15)
    z.expect_clean_exit()


def scenario_topmost_keeps_the_screen_dialog(d):
    d.write("setup.ini", SCREEN_AWAY)
    z = d.launch()
    d.double_click(*empty_surface_point(d))  # the page and screen window "屏体"
    box = d.widget("check box", "顶层窗体")
    screen = d.window("screenWindow")

    def on_top():
        return "_NET_WM_STATE_ABOVE" in d.x("xprop", "-id", str(screen), "_NET_WM_STATE")

    d.click(*d.centre(box))
    wait_until(on_top, "the screen window in the always-on-top band")
    wait_until(lambda: above(d, "屏体", "screenWindow"), "屏体 above the screen window")
    box = d.widget("check box", "顶层窗体")
    d.click(*d.centre(box))
    wait_until(lambda: not on_top(), "the screen window out of the always-on-top band")
    check(d.window("screenWindow") == screen, "the same screen window throughout")
    check(above(d, "屏体", "screenWindow"), d.stacking())
    z.signal(15)
    z.expect_clean_exit()




def scenario_question_belongs_to_the_dialog_that_asks(d):
    d.write("setup.ini", SCREEN_AWAY)
    z = d.launch()
    d.menu("控件(E)", "文字(T)")
    g = d.geometry(d.window("screenWindow"))
    d.double_click(g["x"] + 40, g["y"] + 40)
    d.click_widget("push button", "特  效", within=d.dialog("文字"))
    effects = d.dialog("效果设置")
    d.click_widget("push button", "去除效果", within=effects)
    d.widget("label", re.compile("去除进出屏效果"))
    # _NET_CLIENT_LIST is in the order the windows appeared: the dialog, then its question.
    question = wait_until(lambda: (lambda ws: ws if len(ws) == 2 else None)(
        [w for w in d.client_list() if d.title(w) == "效果设置"]),
        "two windows titled 效果设置: the dialog and its question")
    # The question is the one with the message in it (the dialog has no such label).
    def transient(w):
        match = re.search(r"# (0x[0-9a-f]+)", d.x("xprop", "-id", str(w), "WM_TRANSIENT_FOR"))
        return int(match.group(1), 16) if match else None
    box_win = [w for w in question if transient(w) in question]
    check(len(box_win) == 1, f"the question belongs to the dialog: "
          f"{[(hex(w), transient(w)) for w in question]}")
    box_win = box_win[0]
    dialog_win = transient(box_win)
    # Clicking the dialog does not hide the question.
    dg = d.geometry(dialog_win)
    d.click(dg["x"] + 5, dg["y"] + dg["h"] - 5)
    order = d.client_list(stacking=True)
    check(order.index(box_win) > order.index(dialog_win), "the question stays above the dialog")
    d.key("Escape")
    z.signal(15)
    z.expect_clean_exit()


def scenario_about_box_centred_on_its_owner(d):
    d.write("setup.ini", SCREEN_AWAY)
    z = d.launch()
    d.menu("帮助(H)", "关于 ... (A)")
    about = wait_until(lambda: [w for w in d.client_list() if d.title(w) == "关于"],
                       "the about box")[0]
    d.wait_mapped(about)
    screen = d.geometry(d.window("screenWindow"))
    cx, cy = screen["x"] + screen["w"] // 2, screen["y"] + screen["h"] // 2

    def centred():
        g = d.geometry(about)
        ax, ay = g["frame_x"] + g["frame_w"] // 2, g["frame_y"] + g["frame_h"] // 2
        return (g["w"], g["h"]) == (308, 226) and abs(ax - cx) <= 3 and abs(ay - cy) <= 3
    wait_until(centred, f"a 308 × 226 about box centred on the screen window ({cx},{cy}); "
               f"it is at {d.geometry(about)}", timeout=5)
    d.click_widget("push button", "确定")
    wait_until(lambda: not [w for w in d.client_list() if d.title(w) == "关于"], "closed")
    z.signal(15)
    z.expect_clean_exit()


def scenario_captions_empty_without_title_and_version(d):
    d.write("setup.ini", "[App]\r\nCompanyName=\r\n[Para]\r\nDelPrompt=0\r\n" + SCREEN_AWAY)
    z = d.launch()
    for role in ("screenWindow", "toolBarWindow"):
        for prop in ("_NET_WM_NAME", "WM_NAME"):
            out = d.x("xprop", "-id", str(d.window(role)), prop)
            check(re.search(r'= ?("")?$', out.strip()), f"{role} {prop}: {out}")
    z.signal(15)
    z.expect_clean_exit()


def scenario_all_seven_page_list_buttons_show(d):
    z = d.launch()
    page_list = d.geometry(d.window("pageListWindow"))
    names = ["新建播放页", "删除", "冻结", "参数设置", "全屏切换", "上移", "下移"]
    for name in names:
        button = d.widget("push button", name)
        x, y, w, h = d.rect(button)
        check(w > 0 and page_list["x"] <= x and x + w <= page_list["x"] + page_list["w"],
              f"{name} inside the page list: {x},{y} {w}×{h}")
    z.signal(15)
    z.expect_clean_exit()
