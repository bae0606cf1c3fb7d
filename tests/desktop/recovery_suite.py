#!/usr/bin/env python3
"""Unsaved work survives a killed editor: a 12-month work-state file is
opened, calendar 3 dragged and 用紙の色 changed; three seconds later the
editor is killed (SIGKILL).  Started again it offers the work; はい brings
every calendar and photo back where it was (within a pixel) with the new
paper colour, named after its file, and the save question asks.  After a
clean exit nothing is offered.  Two editors with one home each leave their
own copy, and each is recovered by itself.

    recovery_suite.py PROGRAM_DIR
"""
import glob
import os
import signal
import sys
import time

from desktop import centre, check, choose_in_list, pixel, run_suite, save_through_menu


def recovery_copies(d):
    """The ids of the recovery copies in the data folder."""
    folder = os.path.join(d.home, "Documents", "Norte", "TamarieData", "Recovery")
    return sorted({os.path.basename(f).split("-")[0] for f in glob.glob(os.path.join(folder, "*.ini"))})


def ready(d):
    """Waits for the editor's first showing; its probe then."""
    for _ in range(40):
        p = d.probe()
        if 1 in p["calendar"] and "Panel1" in p["widget"]:
            return p
        time.sleep(0.5)
    return d.probe()


def asked(d, seconds=6):
    """Whether a question or message is up within that many seconds."""
    for _ in range(int(seconds / 0.5)):
        if "qt_msgbox_buttonbox" in d.probe()["widget"]:
            return True
        time.sleep(0.5)
    return False


def kill(d):
    d.app.send_signal(signal.SIGKILL)
    d.app.wait(10)


def caption(d):
    return d.run(["xdotool", "getwindowname", d.main]).strip()


def paper_page(d):
    x, y, w, h = d.probe()["widget"]["PageControl1"]
    d.click(x + 150, y + 10)  # "画像/用紙"


def next_paper_colour(d):
    paper_page(d)
    choose_in_list(d, "ColorBoxPaperColor")
    time.sleep(0.5)


def places(p):
    """Calendars and photos on the screen."""
    out = {}
    for kind in ("calendar", "photo"):
        for n, r in p[kind].items():
            out["%s %d" % (kind, n)] = r[:4]
    return out


def paper_colour(d, p):
    """The paper's colour, on its frame where nothing lies over it."""
    x, y, w, h = p["widget"]["Panel1"]
    covering = places(p).values()
    shot = d.screenshot("paper")
    for px, py in ((x + 2, y + h // 2), (x + w - 3, y + h // 2), (x + w // 2, y + h - 3), (x + w // 2, y + 2)):
        if not any(cx <= px < cx + cw and cy <= py < cy + ch for cx, cy, cw, ch in covering):
            return pixel(shot, px, py)
    return None


def within_a_pixel(a, b):
    return a.keys() == b.keys() and all(max(abs(u - v) for u, v in zip(a[k], b[k])) <= 1 for k in a)


def recover(d):
    """Starts the editor again and answers the offer with はい; whether it was offered."""
    d.start_editor()
    offered = asked(d)
    if offered:
        d.xdo("key", "alt+y")
        time.sleep(2.5)
    return offered


def test_killed_work_comes_back(d):
    ready(d)
    d.set_field("LECalendarYear", "2027")
    d.set_field("LECalendarMonth", "1")
    d.set_field("LECalendarMonths", "12")
    d.click(*centre(d.probe()["widget"]["BtnOK"]))
    time.sleep(0.5)
    d.answer_no()  # "無題"を保存しますか?
    time.sleep(1.5)
    plan = os.path.join(d.home, "Documents", "plan.ini")
    save_through_menu(d, "n", plan, 1.0)
    check(os.path.exists(plan), "the 12-month file is saved")
    check(recovery_copies(d) == [], "a saved arrangement has no recovery copy")

    # Opened as a file, then changed.
    d.xdo("key", "alt+f")
    time.sleep(0.5)
    d.xdo("key", "o")
    time.sleep(1.5)
    d.xdo("type", plan)
    d.xdo("key", "Return")
    time.sleep(2.0)
    p = d.probe()
    check(len(p["calendar"]) == 12, "the file shows 12 calendars")
    # The calendars lie in a cascade: calendar 3's title shows above calendar 4's.
    tx, ty, tw, th = p["title"][3]
    d.xdo("mousemove", tx + tw // 3, ty + 2)
    d.xdo("mousedown", 1)
    for i in range(1, 6):
        d.xdo("mousemove", tx + tw // 3 + 60 * i, ty + 2 + 40 * i)
        time.sleep(0.15)
    d.xdo("mouseup", 1)
    time.sleep(0.5)
    moved = d.probe()["calendar"][3]
    check(moved[:2] != p["calendar"][3][:2], "calendar 3 was dragged")
    next_paper_colour(d)
    time.sleep(3.0)
    before = d.probe()
    colour = paper_colour(d, before)
    check(len(recovery_copies(d)) == 1, "the unsaved work has its recovery copy")

    kill(d)
    check(recover(d), "started again, the editor offers the unsaved work")
    after = ready(d)
    check(within_a_pixel(places(before), places(after)),
          "every calendar and photo is back within a pixel (%s / %s)" % (places(before), places(after)))
    check(paper_colour(d, after) == colour, "the paper has the new colour %s" % colour)
    check(caption(d) == "plan-タマリエ", "the caption names the file (%s)" % caption(d))

    # The work is unsaved: closing asks; いいえ ends the editor cleanly.
    d.xdo("key", "ctrl+q")
    check(asked(d, 3), "the save question asks")
    d.xdo("key", "alt+n")
    d.app.wait(10)
    check(recovery_copies(d) == [], "a clean exit leaves no recovery copy")
    d.start_editor()
    ready(d)
    check(not asked(d, 4), "started after a clean exit, nothing is offered")


def use(d, app):
    """Makes that editor the one the probe asks, in front."""
    d.app = app
    d.main = d.run(["xdotool", "search", "--all", "--pid", str(app.pid), "--name", "--", "-タマリエ$"]).split()[0]
    d.xdo("windowactivate", "--sync", d.main)
    time.sleep(0.8)


def test_two_editors_recover_their_own(d):
    first = d.app
    use(d, first)
    next_paper_colour(d)
    second = d.start_editor()
    ready(d)
    use(d, second)
    next_paper_colour(d)
    next_paper_colour(d)
    time.sleep(3.0)
    check(len(recovery_copies(d)) == 2, "each editor keeps its own copy")
    colours = {}
    use(d, first)
    colours["first"] = paper_colour(d, d.probe())
    use(d, second)
    colours["second"] = paper_colour(d, d.probe())
    check(colours["first"] != colours["second"], "the two editors' papers differ (%s)" % colours)

    use(d, first)
    kill(d)
    check(recover(d), "the first editor's work is offered while the second runs")
    check(paper_colour(d, ready(d)) == colours["first"], "and it is the first editor's")
    check(not asked(d, 1), "only one copy is offered")
    use(d, second)
    kill(d)
    check(recover(d), "the second editor's work is offered once it is gone")
    check(paper_colour(d, ready(d)) == colours["second"], "and it is the second editor's")


if __name__ == "__main__":
    sys.exit(run_suite(__doc__, (test_killed_work_comes_back, test_two_editors_recover_their_own)))
