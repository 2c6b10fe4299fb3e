"""Desktops scaled to 150 and 200 % (Xft.dpi 144 and 192, as desktop environments set it): the
screen window covers the project's rectangle in device pixels, objects move by the pixels the
mouse moved, the grid and the selection squares are drawn in device pixels, and the wall shows
exactly what zyntra-cli render draws of the same page. A user's own Qt scaling still wins."""

import subprocess

from desktop import check, project_file, read_ppm, wait_until

# Right of the page list, which is 340 pixels wide at 200 %.
SCREEN = (400, 200, 640, 384)

# Captions of 20 points (transparent) and 12 points (opaque, wrapped, with a border), RTF text
# of 10 and 20 points. No clock: the wall's clock shows the time of the screenshot.
RTF = (r"{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}}"
       "\r\n" r"\pard\f0\fs20 plain \b bold\b0  again \i\ul both\i0\ulnone  {\strike gone}\par"
       "\r\n" r"\qc\f1\fs40 big \b1 centred\par" "\r\n}\r\n")


def label(name, caption, font, size, transparent, border, rect):
    return [f'<Label Name="{name}" Type="131">', f"<Caption>{caption}</Caption>",
            "<Color>65535</Color>", "<BgColor>4210752</BgColor>",
            "<BorderColor>255</BorderColor>", "<Align>2</Align>",
            f"<Transparent>{transparent}</Transparent>", f"<Border>{border}</Border>",
            "<Font>", f"<Name>{font}</Name>", f"<Size>{size * 10000}</Size>",
            "<Charset>134</Charset>", "<Italic>False</Italic>",
            "<Strikethrough>False</Strikethrough>", "<Underline>False</Underline>",
            "<Bold>True</Bold>", "<Weight >700</Weight >", "</Font>", *common(rect), "</Label>"]


def common(rect):
    x, y, w, h = rect
    values = {"reserve": "False", "topmost": "False", "actionStyle": 0, "X": x, "Y": y, "W": w,
              "H": h, "preInDelay": 0, "preOutDelay": 0, "inStyle": 0, "inSpeed": 0,
              "delayTime": 0, "outStyle": 0, "outSpeed": 0}
    return [f"<{k}>{v}</{k}>" for k, v in values.items()]


def text_show(d):
    """A page of text on a navy background: two captions and an RTF text."""
    rtf = d.write("notice.rtf", RTF, encoding="ascii")
    x, y, w, h = SCREEN
    lines = ['<?xml version="1.0" encoding="GB2312" standalone="yes"?>', "<VRX>",
             '<Screen frameCount="1" proTextCount="1" effectBoxCount="0" clockCount="0" '
             'mPlayerCount="0" flashCount="0" gifCount="0" labelCount="2" exeCount="0" '
             f'X="{x}" Y="{y}" W="{w}" H="{h}" Name="同步屏" Type="-1">',
             '<Frame TTL_Kind="0" seconds="600" ybPlay="False" bg="8388608" BgPicture="" '
             'Name="Page1" Type="-2">',
             *label("Text1", "欢迎光临 Zyntra", "黑体", 20, 1, 0, (20, 20, 600, 60)),
             *label("Text2", "宋体十二点的文字排在三行里，一行一行地排下来，每一行都一样高。",
                    "宋体", 12, 0, 1, (20, 100, 400, 70)),
             '<RtfText Name="RTF1" Type="138">', f"<FileName>{rtf}</FileName>",
             "<InStyle>无</InStyle>", "<DelayTime>600</DelayTime>", "<OutStyle>无</OutStyle>",
             "<PlaySpeed>3</PlaySpeed>", "<LoopPlay>False</LoopPlay>", "<Loops>1</Loops>",
             "<Color>16777215</Color>", *common((20, 200, 600, 120)), "</RtfText>",
             "</Frame>", "</Screen>", "</VRX>"]
    d.write("show.vrx", "".join(line + "\r\n" for line in lines))


def rendered(d):
    """zyntra-cli render of page 1, as an image."""
    d.cli("render", d.path("show.vrx"), "--page", "1", "--out", d.path("render.png"))
    ppm = subprocess.run(["convert", d.path("render.png"), "ppm:-"], capture_output=True,
                         check=True, timeout=30).stdout
    return read_ppm(ppm)


def crop(image, rect):
    x, y, w, h = rect
    rows = (image.data[((y + r) * image.width + x) * 3:((y + r) * image.width + x + w) * 3]
            for r in range(h))
    return b"".join(rows)


def differing_pixels(a, b):
    return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


def check_screen_window_at(d, rect):
    win = d.window("screenWindow")
    g = wait_until(lambda: (lambda g: g if (g["x"], g["y"], g["w"], g["h"]) == rect else None)(
        d.geometry(win)), f"the screen window at {rect} (it is at {d.geometry(win)})")
    check((g["frame_x"], g["frame_y"], g["frame_w"], g["frame_h"]) == rect,
          f"the screen window's frame is its client area: {g}")


def wall_matches_render(d, dpi):
    if dpi != 96:
        d.scale_desktop(dpi)
    text_show(d)
    expected = rendered(d)
    check((expected.width, expected.height) == SCREEN[2:], "the render has the screen's size")
    # The comparison means something only when every object drew: yellow captions, the
    # caption's grey background, the RTF text's white page.
    check(expected.count((20, 20, 600, 60), lambda p: p == (255, 255, 0)) > 300, "Text1 drawn")
    check(expected.pixel(22, 102) == (64, 64, 64), "Text2 drawn")
    check(expected.count((20, 200, 600, 120), lambda p: p == (255, 255, 255)) > 30000,
          "RTF1 drawn")
    z = d.launch("--play", "show.vrx")
    check_screen_window_at(d, SCREEN)
    want = crop(expected, (0, 0, *SCREEN[2:]))
    # The page is painted a moment after the window shows.
    last = {}

    def same():
        last["wall"] = crop(d.screenshot(), SCREEN)
        return last["wall"] == want
    try:
        wait_until(same, "the wall to show what zyntra-cli render draws", 15, 0.3)
    except AssertionError:
        d.screenshot("wall.ppm")
        with open(d.path("render.ppm"), "wb") as f:
            f.write(b"P6 %d %d 255\n" % (expected.width, expected.height) + expected.data)
        raise AssertionError(f"{differing_pixels(last['wall'], want)} of "
                             f"{SCREEN[2] * SCREEN[3]} pixels differ at Xft.dpi {dpi}")
    z.signal(15)
    z.expect_clean_exit()


def scenario_wall_matches_render_at_96_dpi(d):
    wall_matches_render(d, 96)


def scenario_wall_matches_render_at_144_dpi(d):
    wall_matches_render(d, 144)


def scenario_wall_matches_render_at_192_dpi(d):
    wall_matches_render(d, 192)


def objects(d, name):
    out = {}
    for frame in d.dump(name)["Frames"]:
        for o in frame["Objects"]:
            out[o["Name"]] = (int(o["X"]), int(o["Y"]), int(o["W"]), int(o["H"]))
    return out


def scenario_design_in_device_pixels_at_192_dpi(d):
    d.scale_desktop(192)
    d.write("setup.ini", "[Para]\r\nDelPrompt=0\r\nMinWH=30\r\nShowGrid=1\r\nGridWidth=20\r\n")
    d.write("show.vrx", project_file("Label", 131, [
        "<Caption>文字</Caption>", "<Color>65280</Color>", "<BgColor>0</BgColor>",
        "<BorderColor>255</BorderColor>", "<Align>0</Align>", "<Transparent>0</Transparent>",
        "<Border>0</Border>", "<Font>", "<Name>宋体</Name>", "<Size>200000</Size>",
        "<Charset>134</Charset>", "<Italic>False</Italic>", "<Strikethrough>False</Strikethrough>",
        "<Underline>False</Underline>", "<Bold>False</Bold>", "<Weight >400</Weight >",
        "</Font>"], (100, 100, 200, 80), screen=SCREEN, counter="labelCount", name="Text1"))
    z = d.launch("show.vrx")
    check_screen_window_at(d, SCREEN)
    sx, sy = SCREEN[:2]
    # The tool windows follow the desktop's scale: twice the 70 and 170 pixels of 96 dpi.
    wait_until(lambda: d.frame_rect(d.window("toolBarWindow"))[3] == 140 and
               d.frame_rect(d.window("pageListWindow"))[1:3] == (140, 340),
               "the tool bar window 140 pixels high, the page list 340 wide below it "
               f"({d.frame_rect(d.window('toolBarWindow'))}, "
               f"{d.frame_rect(d.window('pageListWindow'))})", timeout=5)

    # The grid every 20 device pixels, in RGB 226, 226, 226, on the black page.
    shot = wait_until(lambda: (lambda s: s if s.pixel(sx + 20, sy + 50) == (226, 226, 226)
                               else None)(d.screenshot()), "the grid drawn")
    for x in (40, 60, 420):
        check(shot.pixel(sx + x, sy + 50) == (226, 226, 226), f"a grid line at x = {x}")
    for x in (21, 30, 39, 41):
        check(shot.pixel(sx + x, sy + 50) == (0, 0, 0), f"no grid line at x = {x}")

    # Dragged by 100, 50 pixels: the object moves by 100, 50 project pixels.
    d.drag(sx + 200, sy + 140, sx + 300, sy + 190)
    d.move(sx + 320, sy + 300)
    # Its selection squares are 8 × 8 device pixels outside its corners (300 - 8 .. 300).
    shot = wait_until(lambda: (lambda s: s if s.pixel(sx + 196, sy + 146) == (255, 255, 255)
                               else None)(d.screenshot()), "the selection squares at 200, 150")
    check(shot.pixel(sx + 192, sy + 142) == (0, 0, 0), "the square's outline at 192, 142")
    check(shot.pixel(sx + 404, sy + 234) == (255, 255, 255), "the bottom-right square")
    # An arrow key nudges it by one pixel.
    d.key("Right")
    d.menu("文件(F)", "保存文件")
    wait_until(lambda: objects(d, "show.vrx").get("Text1") == (201, 150, 200, 80),
               "Text1 saved at 201, 150, 200 × 80 "
               f"(saved: {objects(d, 'show.vrx').get('Text1')})")

    # A click without a drag makes an object of MinWH × MinWH device pixels.
    d.click_widget("check box", "文字")
    d.click(sx + 500, sy + 300)
    d.move(sx + 560, sy + 340)
    d.menu("文件(F)", "保存文件")
    wait_until(lambda: objects(d, "show.vrx").get("Text2") == (500, 300, 30, 30),
               f"Text2 saved at 500, 300, 30 × 30 (saved: {objects(d, 'show.vrx')})")
    z.signal(15)
    z.expect_clean_exit()


def scenario_a_users_own_qt_scaling_wins(d):
    d.scale_desktop(192)
    small = (100, 50, 300, 150)
    d.write("show.vrx", project_file("Label", 131, [], (10, 10, 100, 40), screen=small,
                                     counter="labelCount", name="Text1"))
    z = d.launch("show.vrx", env={"QT_ENABLE_HIGHDPI_SCALING": "1"})
    # Qt scales by the desktop's factor, as the user asked: every number twice over.
    check_screen_window_at(d, tuple(2 * v for v in small))
    z.signal(15)
    z.expect_clean_exit()
