#!/usr/bin/env python3
"""Two editors on one desktop with one home share Config.ini: A stores a
schedule on day 10, B on day 17, A on day 24; the file keeps all three and
each editor shows what the other stored.  Exits non-zero on any failure.

    shared_files_suite.py PROGRAM_DIR [--no-compositor]
"""
import calendar
import sys
import time

from desktop import check, centre, config_ini, on_the_paper, run_suite

YEAR, MONTH = 2026, 3
editors = {}


def use(d, name):
    """Makes the named editor the one the probe asks and brings it forward."""
    d.app, d.main = editors[name]
    d.xdo("windowactivate", "--sync", d.main)
    time.sleep(0.5)


def started(d):
    for _ in range(40):
        p = d.probe()
        if on_the_paper(p):
            return p
        time.sleep(0.5)
    return d.probe()


def show_month(d):
    d.set_field("LECalendarYear", str(YEAR))
    d.set_field("LECalendarMonth", str(MONTH))
    d.set_field("LECalendarMonths", "1")
    d.click(*centre(d.probe()["widget"]["BtnOK"]))
    time.sleep(0.5)
    d.answer_no()  # "無題"を保存しますか?
    time.sleep(1.0)


def choose_day(d, day):
    """Double-clicks the day in calendar 1; the date the panel then shows."""
    p = d.probe()
    gx, gy, gw, gh = p["grid"][1]
    tx, ty, tw, th = p["title"][1]
    d.click(tx + tw // 3, ty + th // 2)  # brings the calendar forward
    first = (calendar.weekday(YEAR, MONTH, 1) + 1) % 7  # Sunday in the first column
    col, row = (first + day - 1) % 7, 1 + (first + day - 1) // 7
    d.click(gx + gw * (2 * col + 1) // 14, gy + gh * (2 * row + 1) // 14, repeat=2)
    time.sleep(1.0)
    return d.probe()


def store(d, who, day, text):
    use(d, who)
    p = choose_day(d, day)
    want = "%04d/%02d/%02dの予定" % (YEAR, MONTH, day)
    check(p["caption"].get("LESchedule") == want, "%s chose %s (%s)" % (who, want, p["caption"].get("LESchedule")))
    d.xdo("type", text)
    d.xdo("key", "Return")
    time.sleep(1.0)


def shown(d, who, day):
    use(d, who)
    return choose_day(d, day)["text"].get("LESchedule")


def rendering(d):
    d.probe()
    with open(d.probe_file + ".calendar-1.png", "rb") as f:
        return f.read()


def test_two_editors_keep_each_others_schedules(d):
    editors["A"] = (d.app, d.main)
    started(d)
    show_month(d)
    d.start_editor()
    editors["B"] = (d.app, d.main)
    check(on_the_paper(started(d)), "a second editor starts beside the first")
    show_month(d)

    store(d, "A", 10, "A10")
    store(d, "B", 17, "B17")
    d.app, d.main = editors["B"]
    before = rendering(d)
    store(d, "A", 24, "A24")
    d.app, d.main = editors["B"]
    time.sleep(1.0)
    check(rendering(d) != before, "editor B draws day 24 anew once A stored it, untouched itself")

    ini = config_ini(d)
    for text in (b"A10", b"B17", b"A24"):
        check(text in ini, "Config.ini holds %s" % text.decode())
    check(b"Count=3" in ini, "Config.ini counts three schedules")
    check(shown(d, "A", 17) == "B17", "editor A shows B's schedule of day 17")
    check(shown(d, "B", 10) == "A10", "editor B shows A's schedule of day 10")
    check(shown(d, "B", 24) == "A24", "editor B shows A's schedule of day 24")
    d.screenshot("shared-files")


if __name__ == "__main__":
    sys.exit(run_suite(__doc__, (test_two_editors_keep_each_others_schedules,)))
