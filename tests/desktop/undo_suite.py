#!/usr/bin/env python3
"""Undo and redo on a real desktop, and opening that changes nothing unless
the file was read whole: a title drag undone and redone with the keys from
the calendar itself, a deleted photo brought back, the paper colour undone
down to the saved picture's bytes, a schedule undone out of Config.ini, and
files that cannot be read or whose photos cannot be shown.

    undo_suite.py PROGRAM_DIR
"""
import os
import subprocess
import time

from desktop import (centre, check, choose_in_list, click_widget, config_ini, run_suite, save_through_menu)


def settle(d, seconds=0.8):
    time.sleep(seconds)
    return d.probe()


def near(a, b, tol=1):
    return all(abs(x - y) <= tol for x, y in zip(a, b))


def show_page(d, n):
    """Settings page n (0, 1, 2): the tab bar takes the arrow keys."""
    x, y, w, h = d.probe()["widget"]["PageControl1"]
    d.click(x + 30, y + 10)
    d.xdo("key", "Home")
    for _ in range(n):
        d.xdo("key", "Right")
    time.sleep(0.4)


def open_through_menu(d, path):
    d.xdo("key", "alt+f")
    time.sleep(0.5)
    d.xdo("key", "o")
    time.sleep(1.5)
    d.answer_no()  # the save question, when there is one
    time.sleep(0.5)
    d.xdo("type", path)
    d.xdo("key", "Return")
    time.sleep(2.0)


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text.replace("\n", "\r\n"))


def test_title_drag_undo_redo(d):
    p = d.probe()
    wid = p["calendar"][1][4]
    start = d.server_geometry(wid)[:4]
    tx, ty, tw, th = p["title"][1]
    grab = (tx + tw // 3, ty + th // 2)
    d.xdo("mousemove", *grab)
    time.sleep(0.2)
    d.xdo("mousedown", 1)
    time.sleep(0.2)
    for i in range(1, 9):
        d.xdo("mousemove", grab[0] + 9 * i, grab[1] - 11 * i)
        time.sleep(0.05)
    d.xdo("mouseup", 1)
    time.sleep(0.8)
    dragged = d.server_geometry(wid)[:4]
    check(dragged[:2] != start[:2], "the title drag moved calendar 1 (%s to %s)" % (start, dragged))
    # The calendar has the focus now; the keys work there too.
    d.xdo("key", "ctrl+z")
    time.sleep(0.8)
    undone = d.server_geometry(wid)[:4]
    check(near(undone, start), "Ctrl+Z puts calendar 1 back within 1 px (%s, was %s)" % (undone, start))
    back = d.probe()["back"].get(1)  # none where the backing is part of the calendar's window
    if back:
        geometry = d.server_geometry(back[4])
        check(not geometry[4] or near(geometry[:4], undone), "its backing window came back with it")
    d.xdo("key", "ctrl+y")
    time.sleep(0.8)
    redone = d.server_geometry(wid)[:4]
    check(near(redone, dragged), "Ctrl+Y moves it again (%s, dragged to %s)" % (redone, dragged))
    d.xdo("key", "ctrl+z")
    time.sleep(0.5)


def test_photo_delete_undo(d):
    # Three overlapping photos from a work-state file, the middle one deleted.
    folder = os.path.join(d.home, "Documents")
    photos = []
    for i, colour in enumerate(("red", "lime", "blue")):
        path = os.path.join(folder, "p%d.png" % i)
        subprocess.run(["convert", "-size", "80x60", "xc:" + colour, path], check=True)
        photos.append(path)
    plan = os.path.join(folder, "photos.ini")
    sections = "".join("[Image%d]\nLeft=%d\nTop=%d\nWidth=200\nHeight=150\nFileName=%s\n" % (i, 40 + 60 * i, 40 + 50 * i, f)
                       for i, f in enumerate(photos))
    write(plan, "[Form1]\nIsMaximized=1\n[Calendar]\nMonths=1\nCount=1\n[Image]\nCount=3\n" + sections)
    open_through_menu(d, plan)
    before = d.probe()["stack"]
    check([ph[0] for ph in before] == [0, 1, 2], "the file's three photos are shown (%s)" % before)
    if len(before) != 3:
        return
    shot_before = d.screenshot("photos-before")
    # Select the middle one (its part not under photo 2), then 画像削除.
    x, y, w, h = before[1][1:5]
    d.click(x + 10, y + 10)
    show_page(d, 2)
    click_widget(d, "BtnDeletePicture")
    time.sleep(0.5)
    d.xdo("key", "alt+y")  # 画像"p1"を削除しますか?
    after = settle(d)["stack"]
    check(len(after) == 2 and after[1][5] == photos[2], "画像削除 removed the middle photo (%s)" % after)
    d.xdo("key", "ctrl+z")
    restored = settle(d)["stack"]
    check(restored == before, "Ctrl+Z brings back its file name, bounds and stacking place (%s, was %s)" %
          (restored, before))
    shot = d.screenshot("photos-undone")
    r = subprocess.run(["compare", "-metric", "AE", "-fuzz", "2%", "-extract", "%dx%d+%d+%d" % (300, 300, x - 40, y - 40),
                        shot_before, shot, "null:"], capture_output=True, text=True)
    differing = int(float((r.stderr.split() or ["-1"])[0]))
    check(differing == 0, "and its picture, as the screen shows (%d pixels differ)" % differing)


def peak_difference(a, b):
    """The largest difference of a channel between two pictures, 0 to 65535."""
    if not (os.path.exists(a) and os.path.exists(b)):
        return 65536
    r = subprocess.run(["compare", "-metric", "PAE", a, b, "null:"], capture_output=True, text=True)
    return int(float(r.stderr.split()[0]))


def far_pixels(a, b):
    """Pixels of two pictures more than 15 % apart (more than two saves of one arrangement differ)."""
    if not (os.path.exists(a) and os.path.exists(b)):
        return -1
    r = subprocess.run(["compare", "-metric", "AE", "-fuzz", "15%", a, b, "null:"], capture_output=True, text=True)
    return int(float(r.stderr.split()[0]))


def test_paper_colour_undo(d):
    folder = os.path.join(d.home, "Documents")
    before = os.path.join(folder, "before.png")
    after = os.path.join(folder, "after.png")
    show_page(d, 2)
    # Two saves of one arrangement may differ in the anti-aliasing of the day
    # numbers' edges; beyond that the undone picture is the one before.
    again = os.path.join(folder, "again.png")
    save_through_menu(d, "s", before, 1)
    save_through_menu(d, "s", again, 1)
    x, y, w, h = d.probe()["widget"]["Panel1"]
    shot_before = d.screenshot("paper-before")
    choose_in_list(d, "ColorBoxPaperColor")
    time.sleep(0.5)
    changed = d.screenshot("paper-changed")
    r = subprocess.run(["compare", "-metric", "AE", shot_before, changed, "null:"], capture_output=True, text=True)
    check(int(float(r.stderr.split()[0])) > 0, "用紙の色 changes the screen")
    d.click(x + w + 40, y + h // 2)  # the window's own surface: no text field has the keys
    d.xdo("key", "ctrl+z")
    time.sleep(0.8)
    save_through_menu(d, "s", after, 1)
    noise = peak_difference(before, again)
    far = far_pixels(before, after)
    check(far == 0, "after Ctrl+Z the saved picture is the one before (%d pixels far from it; two saves differ "
          "by at most %d of 65535)" % (far, noise))


def holds(data, text):
    """Whether the file's bytes hold text, in either encoding an INI file may have."""
    return text.encode("cp932") in data or text.encode("utf-8") in data


def test_schedule_undo(d):
    # From a fresh start, whatever the tests before opened.
    d.app.terminate()
    d.app.wait(10)
    d.start_editor()
    time.sleep(3)
    p = d.probe()
    gx, gy, gw, gh = p["grid"][1]
    rendering = d.probe_file + ".calendar-1.png"
    clean = os.path.join(d.home, "calendar-before.png")
    subprocess.run(["cp", rendering, clean], check=True)
    # Double-click a day in the middle row, type, Enter.
    d.click(gx + gw // 2, gy + gh * 9 // 14, repeat=2)
    time.sleep(0.5)
    d.xdo("type", "dentist-undo")
    d.xdo("key", "Return")
    time.sleep(0.5)
    stored = config_ini(d)
    check(holds(stored, "dentist-undo"), "Enter stores the schedule in Config.ini")
    # The text field first takes back its own typing; from the window the step is undone.
    x, y, w, h = d.probe()["widget"]["Panel1"]
    d.click(x + w + 40, y + h // 2)
    d.xdo("key", "ctrl+z")
    time.sleep(0.8)
    check(not holds(config_ini(d), "dentist-undo"), "after Ctrl+Z Config.ini no longer holds it")
    # A fresh start does not show it.
    d.app.terminate()
    d.app.wait(10)
    d.start_editor()
    time.sleep(3)
    d.probe()
    r = subprocess.run(["compare", "-metric", "AE", clean, rendering, "null:"], capture_output=True, text=True)
    check(int(float(r.stderr.split()[0])) == 0, "a fresh start draws calendar 1 without it")


def test_open_all_or_nothing(d):
    folder = os.path.join(d.home, "Documents")
    x_ini = os.path.join(folder, "x.ini")
    y_ini = os.path.join(folder, "y.ini")
    bad_ini = os.path.join(folder, "bad.ini")
    write(x_ini, "[Form1]\nIsMaximized=1\n[Calendar]\nMonth=2027/01/01\nMonths=3\nCount=3\n"
                 "[Image]\nCount=0\n[Paper]\nColor=65280\n")
    write(y_ini, "[Form1]\nIsMaximized=1\n[Calendar]\nMonth=2027/05/01\nMonths=1\nCount=1\n"
                 "[Image]\nCount=1\n[Image0]\nWidth=100\nHeight=80\nFileName=%s\n" % os.path.join(folder, "gone.jpg"))
    write(bad_ini, "[Calendar]\nCount=2\n")
    with open(os.path.join(folder, "bad_1.dat"), "wb") as f:
        f.write(b"short")
    open_through_menu(d, x_ini)
    p = d.probe()
    check(sorted(p["calendar"]) == [1, 2, 3], "x.ini opens with its three calendars")
    # A file that cannot be read changes nothing, caption included.
    open_through_menu(d, bad_ini)
    d.dismiss_message()
    p = d.probe()
    title = d.run(["xdotool", "getwindowname", d.main]).strip()
    check(title == "x-タマリエ" and sorted(p["calendar"]) == [1, 2, 3],
          "a file that cannot be read leaves x.ini's arrangement and caption (%s, %s)" % (title, sorted(p["calendar"])))
    # A photo that cannot be shown is named, and the open completes.
    open_through_menu(d, y_ini)
    message = "qt_msgbox_buttonbox" in d.probe()["widget"]
    d.dismiss_message()
    p = d.probe()
    title = d.run(["xdotool", "getwindowname", d.main]).strip()
    check(message, "the photo that cannot be shown is named in a message")
    check(title == "y-タマリエ", "the open completes under y's name (%s)" % title)
    check(len(p["stack"]) == 1 and p["stack"][0][5].endswith("gone.jpg"), "its frame stays with its file name")
    x_bytes = open(x_ini, "rb").read()
    d.xdo("key", "ctrl+s")
    time.sleep(1.0)
    d.dismiss_message()  # 保存しました。
    check(open(x_ini, "rb").read() == x_bytes, "Ctrl+S leaves x.ini alone")
    saved = open(y_ini, "rb").read()
    check(b"Count=1" in saved and b"gone.jpg" in saved, "and writes y.ini with its photo")


TESTS = [test_title_drag_undo_redo, test_photo_delete_undo, test_paper_colour_undo, test_open_all_or_nothing,
         test_schedule_undo]

if __name__ == "__main__":
    raise SystemExit(run_suite(__doc__, TESTS))
