"""Objects on the design surface: drawing each kind, moving and sizing by mouse, deleting three
ways, the property windows of every kind, and keys typed in a property window."""

import re
import subprocess

from desktop import check, project_file, wait_until

# The screen window away from the tool windows: client 960 × 640 at 300, 120.
SETUP = ("[Para]\r\nDelPrompt={prompt}\r\n"
         "[Screen]\r\nLeft=300\r\nTop=120\r\nRight=1260\r\nBottom=760\r\n")

TOOLS = {131: "文字", 122: "图片", 123: "时钟", 124: "电影", 138: "RTF文本", 125: "Flash动画",
         128: "程序"}
BASE = {131: "Text", 122: "Image", 123: "Timer", 124: "Video", 138: "RTF", 125: "Flash",
        128: "Program", 126: "Gif"}
TITLES = {131: "文字", 122: "图片", 123: "时钟", 124: "电影", 138: "RTF", 125: "FLASH动画",
          128: "程序", 126: "GIF"}



def surface(d):
    g = d.geometry(d.window("screenWindow"))
    return g["x"], g["y"]


def objects(d, name):
    """Name → (type, X, Y, W, H) of every object in a saved project, by zyntra-cli dump."""
    out = {}
    for frame in d.dump(name)["Frames"]:
        for o in frame["Objects"]:
            out[o["Name"]] = (int(o["Type"]), int(o["X"]), int(o["Y"]), int(o["W"]), int(o["H"]))
    return out


def tree_items(d):
    page_list = d.dialog("对象列表")
    return [w.name for w in d.widgets(None, re.compile(r"^[A-Za-z]+\d+$"), page_list)]


def draw(d, kind, x, y, w, h):
    """Presses the kind's tool and drags its rectangle on the surface (client coordinates)."""
    sx, sy = surface(d)
    d.click_widget("check box", TOOLS[kind])
    d.drag(sx + x, sy + y, sx + x + w, sy + y + h)
    # The object is made at the next movement of the mouse after the drag.
    d.move(sx + x + w + 5, sy + y + h + 5)


def save(d):
    d.menu("文件(F)", "保存文件")


def make_gif_project(d):
    gif = d.path("moving.gif")
    subprocess.run(["convert", "-size", "40x30", "xc:red", "xc:blue", "-delay", "20", gif],
                   check=True, env=d.env)
    d.write("show.vrx", project_file("Gif", 126, [f"<FileName>{gif}</FileName>"],
                                     (20, 500, 60, 40), counter="gifCount"))


def scenario_each_kind_drawn_edited_saved_and_reopened(d):
    d.write("setup.ini", SETUP.format(prompt=0))
    make_gif_project(d)
    z = d.launch("show.vrx")
    # The seven kinds with a tool, side by side; the GIF came with the file.
    places = {}
    for i, kind in enumerate(TOOLS):
        x, y = 20 + (i % 4) * 230, 40 + (i // 4) * 220
        draw(d, kind, x, y, 150, 100)
        places[kind] = (x, y)
        name = BASE[kind] + "1"
        wait_until(lambda: name in tree_items(d), f"{name} in the page list")
    places[126] = (20, 500)

    # Each kind's property window: a new L (X for the GIF), then its own window goes.
    sx, sy = surface(d)
    for kind, (x, y) in places.items():
        d.double_click(sx + x + 10, sy + y + 10)
        window = d.dialog(TITLES[kind])
        d.set_field(window, "X：" if kind == 126 else "L：", str(x + 7))
        d.key("Tab")
        d.click(sx + x + 17, sy + y + 10)  # the object at its new place, to leave the field
    save(d)
    saved = wait_until(lambda: len(objects(d, "show.vrx")) == 8 and objects(d, "show.vrx"),
                       "eight objects saved")
    for kind, (x, y) in places.items():
        name = BASE[kind] + "1"
        check(name in saved, f"{name} saved: {sorted(saved)}")
        t, X, Y, W, H = saved[name]
        size = (32, 32) if kind == 128 else (60, 40) if kind == 126 else (150, 100)
        check((t, X, Y, (W, H)) == (kind, x + 7, y, size), f"{name}: {saved[name]}")
    d.menu("文件(F)", "退出系统(X)")
    z.expect_clean_exit()

    # Opened again, every property window shows the saved place.
    z = d.launch("show.vrx")
    sx, sy = surface(d)
    for kind, (x, y) in places.items():
        d.double_click(sx + x + 17, sy + y + 10)
        window = d.dialog(TITLES[kind])
        field = d.field(window, "X：" if kind == 126 else "L：")
        wait_until(lambda: d.text_of(field) == str(x + 7),
                   f"the {TITLES[kind]} window showing L {x + 7} (shows {d.text_of(field)!r})")
    z.signal(15)
    z.expect_clean_exit()


def scenario_move_and_resize_by_mouse(d):
    d.write("setup.ini", SETUP.format(prompt=0))
    make_gif_project(d)
    z = d.launch("show.vrx")
    draw(d, 131, 100, 100, 100, 60)
    wait_until(lambda: "Text1" in tree_items(d), "Text1")
    sx, sy = surface(d)
    d.drag(sx + 150, sy + 130, sx + 200, sy + 160)  # the middle: a move by 50, 30
    # The bottom-right square sits just outside the corner (150 + 100, 130 + 60).
    d.drag(sx + 254, sy + 194, sx + 294, sy + 214)
    save(d)
    wait_until(lambda: objects(d, "show.vrx").get("Text1") == (131, 150, 130, 140, 80),
               "Text1 moved to 150, 130 and sized 140 × 80")
    z.signal(15)
    z.expect_clean_exit()


def scenario_delete_from_the_context_menu(d):
    for prompt in (1, 0):
        d.write("setup.ini", SETUP.format(prompt=prompt))
        z = d.launch()
        sx, sy = surface(d)
        for i, kind in enumerate((131, 138, 123, 124, 128)):
            draw(d, kind, 40 + i * 180, 100, 120, 90)
            name = BASE[kind] + "1"
            wait_until(lambda: name in tree_items(d), f"{name} drawn")
            d.click(sx + 50 + i * 180, sy + 110, button=3)
            d.key("d")  # 删除(&D) in the object's menu
            if prompt:
                d.widget("label", "您真的要删除吗?")
                d.key("alt+y")
            wait_until(lambda: name not in tree_items(d), f"{name} deleted (DelPrompt {prompt})")
            check(z.running(), f"still running after deleting {name}")
        z.signal(15)
        z.expect_clean_exit()


def scenario_delete_from_the_page_list_and_by_key(d):
    d.write("setup.ini", SETUP.format(prompt=0))
    z = d.launch()
    draw(d, 131, 100, 100, 120, 90)
    wait_until(lambda: "Text1" in tree_items(d), "Text1 drawn")
    page_list = d.dialog("对象列表")
    d.click_widget(None, "Text1", within=page_list)
    d.click_widget("push button", "删除", within=page_list)
    wait_until(lambda: "Text1" not in tree_items(d), "Text1 deleted by the page list")
    draw(d, 128, 300, 100, 40, 40)
    wait_until(lambda: "Program1" in tree_items(d), "Program1 drawn")
    sx, sy = surface(d)
    d.click(sx + 310, sy + 110)
    d.key("Delete")
    wait_until(lambda: "Program1" not in tree_items(d), "Program1 deleted by the Delete key")
    z.signal(15)
    z.expect_clean_exit()


def scenario_keys_in_a_property_window_stay_there(d):
    d.write("setup.ini", SETUP.format(prompt=1))
    make_gif_project(d)
    z = d.launch("show.vrx")
    draw(d, 125, 300, 100, 120, 90)
    wait_until(lambda: "Flash1" in tree_items(d), "Flash1 drawn")
    sx, sy = surface(d)
    d.double_click(sx + 310, sy + 110)
    window = d.dialog("FLASH动画")
    d.click_widget("check box", "重复播放", within=window)
    before = tree_items(d)
    d.key("Delete", "Prior", "Next")
    check(not d.widgets("label", "您真的要删除吗?"), "no delete question")
    check(tree_items(d) == before, f"the page list as it was: {tree_items(d)} vs {before}")
    d.click_widget("push button", "确定", within=window)
    # Arrow keys in the picture window's list do not move the picture.
    draw(d, 122, 500, 300, 120, 90)
    wait_until(lambda: "Image1" in tree_items(d), "Image1 drawn")
    d.double_click(sx + 510, sy + 310)
    window = d.dialog("图片")
    lists = d.widgets("list", None, window) + d.widgets("table", None, window)
    check(lists, "the picture list")
    d.click(*d.centre(lists[0]))
    d.key("Right", "Down", "Left", "Down")
    save(d)
    wait_until(lambda: objects(d, "show.vrx").get("Image1", (0,))[1:3] == (500, 300),
               "Image1 still at 500, 300")
    check(objects(d, "show.vrx").get("Flash1", (0,))[1:3] == (300, 100), "Flash1 kept")
    z.signal(15)
    z.expect_clean_exit()
