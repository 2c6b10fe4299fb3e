"""Undo and redo on the desktop: a session of drawing, dragging, deleting and editing a
property is taken back step by step (by the 控件 menu and by Ctrl+Z) and done again (Ctrl+Y,
Ctrl+Shift+Z); the saved files are the same bytes as before and after."""

from desktop import check, wait_until
from scenarios_objects import SETUP, draw, make_gif_project, objects, save, surface, tree_items


def menu_item_enabled(d, menu, label):
    """Opens a main menu, reads whether an item can be chosen, and closes the menu again."""
    d.wait_mapped(d.window("toolBarWindow"))
    d.click(*d.centre(d.widget("menu item", menu)))
    item = d.widget("menu item", label)
    enabled = item.getState().contains(d.atspi().STATE_ENABLED)
    d.key("Escape")
    wait_until(lambda: not d.widgets("menu item", label), f"the {menu} menu to close")
    return enabled


def scenario_a_session_undone_and_redone(d):
    d.write("setup.ini", SETUP.format(prompt=0))
    make_gif_project(d)
    z = d.launch("show.vrx")
    check(not menu_item_enabled(d, "控件(E)", "撤销(U)"), "撤销 greyed in an opened project")
    check(not menu_item_enabled(d, "控件(E)", "重做(Y)"), "重做 greyed in an opened project")
    save(d)
    opened = wait_until(lambda: objects(d, "show.vrx") and d.read("show.vrx"), "the saved show")

    # The session: two objects drawn, one dragged, the other deleted, then a property typed.
    sx, sy = surface(d)
    draw(d, 131, 100, 100, 150, 100)
    wait_until(lambda: "Text1" in tree_items(d), "Text1 drawn")
    draw(d, 123, 400, 100, 150, 100)
    wait_until(lambda: "Timer1" in tree_items(d), "Timer1 drawn")
    d.drag(sx + 175, sy + 150, sx + 225, sy + 180)  # Text1 by 50, 30
    d.click(sx + 410, sy + 110)  # selected, then its menu
    d.click(sx + 410, sy + 110, button=3)
    d.key("d")  # 删除(&D)
    wait_until(lambda: "Timer1" not in tree_items(d), "Timer1 deleted")
    d.double_click(sx + 160, sy + 140)
    window = d.dialog("文字")
    d.set_field(window, "L：", "333")
    d.key("Tab")
    save(d)
    edited_objects = wait_until(
        lambda: (lambda o: o if o.get("Text1", (0, 0))[1] == 333 else None)(
            objects(d, "show.vrx")), "Text1 saved at L 333")
    check(sorted(edited_objects) == ["Gif1", "Text1"], f"saved objects {sorted(edited_objects)}")
    check(edited_objects["Text1"] == (131, 333, 130, 150, 100), f"Text1 {edited_objects['Text1']}")
    edited = d.read("show.vrx")
    check(menu_item_enabled(d, "控件(E)", "撤销(U)"), "撤销 can be chosen after edits")

    # 撤销 from the menu: the typing is one step, and the open property window shows it undone.
    d.menu("控件(E)", "撤销(U)")
    field = d.field(window, "L：")
    wait_until(lambda: d.text_of(field) == "150",
               f"the 文字 window showing L 150 again (shows {d.text_of(field)!r})")
    d.menu("控件(E)", "撤销(U)")
    wait_until(lambda: "Timer1" in tree_items(d), "Timer1 back in the page list")

    # The rest by keyboard on the surface: the drag, then both drawings.
    d.click(sx + 800, sy + 500)
    d.key("ctrl+z", "ctrl+z", "ctrl+z")
    wait_until(lambda: tree_items(d) == ["Page1", "Gif1"],
               f"only the opened objects left (the page list shows {tree_items(d)})")
    check(not menu_item_enabled(d, "控件(E)", "撤销(U)"), "撤销 greyed with everything undone")
    check(menu_item_enabled(d, "控件(E)", "重做(Y)"), "重做 can be chosen")
    save(d)
    wait_until(lambda: d.read("show.vrx") == opened, "the saved file as it was opened")

    # Everything again, with both redo keys.
    d.click(sx + 800, sy + 500)
    d.key("ctrl+y", "ctrl+y", "ctrl+y", "ctrl+shift+z", "ctrl+shift+z")
    wait_until(lambda: tree_items(d) == ["Page1", "Gif1", "Text1"],
               f"Text1 back, Timer1 deleted again (the page list shows {tree_items(d)})")
    check(not menu_item_enabled(d, "控件(E)", "重做(Y)"), "重做 greyed with everything redone")
    save(d)
    wait_until(lambda: d.read("show.vrx") == edited, "the saved file as it was after the edits")

    # At the saved point the project is not modified: leaving asks nothing.
    d.menu("文件(F)", "退出系统(X)")
    z.expect_clean_exit()


def scenario_undo_back_to_the_saved_point_is_unmodified(d):
    d.write("setup.ini", SETUP.format(prompt=0))
    make_gif_project(d)
    z = d.launch("show.vrx")
    draw(d, 131, 100, 100, 150, 100)
    wait_until(lambda: "Text1" in tree_items(d), "Text1 drawn")
    sx, sy = surface(d)
    d.click(sx + 800, sy + 500)
    d.key("ctrl+z")
    wait_until(lambda: "Text1" not in tree_items(d), "Text1 undone")
    d.menu("文件(F)", "退出系统(X)")
    z.expect_clean_exit()
    check(objects(d, "show.vrx") == {"Gif1": (126, 20, 500, 60, 40)}, "the file untouched")
