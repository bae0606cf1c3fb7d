#!/usr/bin/env python3
"""Photos as phones and cameras make them, on a real X server: a work-state
file naming photos in every EXIF orientation, HEIC, AVIF, an Adobe RGB
photo (JPEG and HEIC) and a zone plate is opened through the menu; the
screen must show each upright and in true colours, the zone plate shown
small flat grey where its rings are finer than the pixels, and the picture
画像で保存 writes the same.  Photos are made here with ImageMagick,
exiftool and heif-enc.

    photos_suite.py PROGRAM_DIR
"""
import math
import os
import struct
import subprocess
import time
import zlib

from desktop import check, fail, ok, rgba, run_suite, save_through_menu

QUADRANTS = [(220, 30, 30), (30, 200, 40), (30, 40, 210), (240, 230, 40)]
# Adobe RGB's green (60, 160, 60) is sRGB's (0, 161, 47).
ADOBE_GREEN, SRGB_GREEN = (60, 160, 60), (0, 161, 47)
# The stored picture for each EXIF orientation, made from the upright one.
STORED = {1: [], 2: ["-flop"], 3: ["-rotate", "180"], 4: ["-flip"], 5: ["-transpose"],
          6: ["-rotate", "270"], 7: ["-transverse"], 8: ["-rotate", "90"]}
PAPER = (680, 952)


def make(d, args):
    subprocess.run(args, env=d.env, check=True, capture_output=True)


def zone_plate(path, w, h):
    # Rings reaching half a cycle a pixel at the left and right edges.
    k = math.pi / w
    rows = []
    for y in range(h):
        dy = (y - h / 2) ** 2
        rows.append(b"\0" + bytes(int(round(127.5 + 127.5 * math.cos(k * ((x - w / 2) ** 2 + dy))))
                                  for x in range(w)))

    def chunk(t, data):
        return struct.pack(">I", len(data)) + t + data + struct.pack(">I", zlib.crc32(t + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 0, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b""))


def make_photos(d):
    """The photos and the frames they are shown in, as (file, left, top, width, height, kind)."""
    folder = os.path.join(d.home, "photos")
    os.makedirs(folder, exist_ok=True)
    upright = os.path.join(folder, "upright.png")
    q = ["xc:rgb(%d,%d,%d)" % c for c in QUADRANTS]
    make(d, ["convert", "(", "-size", "60x80", q[0], q[1], "+append", ")",
             "(", "-size", "60x80", q[2], q[3], "+append", ")", "-append", upright])
    photos = []
    for o, ops in sorted(STORED.items()):
        path = os.path.join(folder, "o%d.jpg" % o)
        make(d, ["convert", upright] + ops + ["-quality", "95", path])
        make(d, ["exiftool", "-q", "-overwrite_original", "-Orientation#=%d" % o, path])
        photos.append((path, 5 + 82 * (o - 1), 5, 72, 96, "upright"))
    phone = os.path.join(folder, "phone.jpg")
    make(d, ["convert", upright, "-quality", "95", phone])
    for i, suffix in enumerate(["heic", "avif"]):
        path = os.path.join(folder, "phone." + suffix)
        make(d, ["heif-enc", "-q", "90", "-o", path, phone])
        photos.append((path, 5 + 130 * i, 110, 120, 160, "upright"))
    camera = os.path.join(folder, "camera.jpg")
    make(d, ["convert", "-size", "200x150", "xc:rgb(%d,%d,%d)" % ADOBE_GREEN, "-quality", "100", camera])
    make(d, ["exiftool", "-q", "-overwrite_original",
             "-ICC_Profile<=/usr/share/color/icc/ghostscript/a98.icc", camera])
    camera_heic = os.path.join(folder, "camera.heic")
    make(d, ["heif-enc", "-q", "95", "-o", camera_heic, camera])
    photos.append((camera, 270, 110, 160, 120, "adobe"))
    photos.append((camera_heic, 440, 110, 160, 120, "adobe"))
    plate = os.path.join(folder, "zone.png")
    zone_plate(plate, 1800, 1200)
    photos.append((plate, 5, 290, 450, 300, "zone"))
    return photos


def write_plan(d, photos):
    plan = os.path.join(d.home, "photos.ini")
    lines = ["[Form1]", "IsMaximized=1", "[Panel]", "Left=0", "Top=0", "Width=%d" % PAPER[0],
             "Height=%d" % PAPER[1], "[Hoko]", "Value=0", "[Calendar]", "Month=2025/04/01", "Months=1",
             "Count=1", "[CalForm1]", "Left=900", "Top=700", "Width=200", "Height=180",
             "[Image]", "Count=%d" % len(photos)]
    for i, (path, x, y, w, h, _) in enumerate(photos):
        lines += ["[Image%d]" % i, "Left=%d" % x, "Top=%d" % y, "Width=%d" % w, "Height=%d" % h,
                  "FileName=" + path]
    lines += ["[Paper]", "Color=16777215"]
    with open(plan, "w") as f:
        f.write("\n".join(lines) + "\n")
    return plan


def open_through_menu(d, path):
    d.xdo("key", "alt+f")
    time.sleep(0.5)
    d.xdo("key", "o")
    time.sleep(1.5)
    d.answer_no()  # the save question
    time.sleep(1.0)
    d.xdo("type", path)
    d.xdo("key", "Return")


def mean(pixels, w, box):
    x0, y0, bw, bh = box
    s = [0, 0, 0]
    for y in range(y0, y0 + bh):
        for x in range(x0, x0 + bw):
            i = 4 * (y * w + x)
            for k in range(3):
                s[k] += pixels[i + k]
    n = max(1, bw * bh)
    return tuple(round(v / n) for v in s)


def far(a, b):
    return max(abs(p - q) for p, q in zip(a, b))


def judge(pixels, w, h, kind, what):
    """Checks one photo's pixels (w x h, RGBA) for what its kind must show."""
    if kind == "upright":
        for i, colour in enumerate(QUADRANTS):
            box = ((i % 2) * w // 2 + w // 8, (i // 2) * h // 2 + h // 8, max(1, w // 4), max(1, h // 4))
            seen = mean(pixels, w, box)
            if far(seen, colour) > 40:
                return check(False, "%s: quadrant %d is %s, not %s" % (what, i, seen, colour))
        return check(True, "%s: upright" % what)
    if kind == "adobe":
        seen = mean(pixels, w, (w // 4, h // 4, w // 2, h // 2))
        return check(far(seen, SRGB_GREEN) <= 6, "%s: Adobe RGB %s shown as %s (sRGB %s)" %
                     (what, ADOBE_GREEN, seen, SRGB_GREEN))
    # The zone plate: its outer part (beyond 0.6 of the half width) grey.
    count = grey_off = 0
    for y in range(h):
        for x in range(w):
            if math.hypot(x + 0.5 - w / 2, y + 0.5 - h / 2) < 0.3 * w:
                continue
            count += 1
            i = 4 * (y * w + x)
            grey_off += abs((pixels[i] + pixels[i + 1] + pixels[i + 2]) / 3 - 128) > 32
    share = grey_off / max(1, count)
    return check(share < 0.05, "%s: %.1f %% of the zone plate's outer part far from grey" % (what, 100 * share))


def test_photos_on_screen(d):
    d.photos = make_photos(d)
    open_through_menu(d, write_plan(d, d.photos))
    p = {}
    for _ in range(120):
        time.sleep(0.5)
        p = d.probe()
        if len(p["photo"]) == len(d.photos) and all(r[4] for r in p["photo"].values()):
            break
    check(len(p["photo"]) == len(d.photos), "the file's %d photos are on the paper" % len(d.photos))
    shot = d.screenshot("photos")
    for i, (path, _, _, _, _, kind) in enumerate(d.photos):
        r = p["photo"].get(i)
        if not r:
            fail("photo %d is not shown" % i)
            continue
        x, y, w, h, shown = r
        if not shown:
            fail("%s: still a placeholder" % os.path.basename(path))
            continue
        judge(rgba(shot, (w, h, x, y)), w, h, kind, "screen, " + os.path.basename(path))


def test_saved_picture(d):
    out = os.path.join(d.home, "photos.png")
    save_through_menu(d, "s", out, 1)
    if not check(os.path.exists(out), "画像で保存 wrote the picture"):
        return
    # The picture shows the paper from client point (5, 5) (the paper's frame
    # line is its first pixel), 2000 pixels across its width less 20.  The
    # zone plate is not small there.
    s = 2000.0 / (PAPER[0] - 20)
    for path, x, y, w, h, kind in d.photos:
        if kind == "zone":
            continue
        box = (int(w * s), int(h * s), max(0, int((x - 6) * s)), max(0, int((y - 6) * s)))
        judge(rgba(out, box), box[0], box[1], kind, "picture, " + os.path.basename(path))


if __name__ == "__main__":
    import sys
    sys.exit(run_suite(__doc__, (test_photos_on_screen, test_saved_picture)))
