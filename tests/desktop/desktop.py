"""What every desktop suite shares: its own X server (Xvfb) with a window
manager (openbox) and, unless asked otherwise, a compositor (picom); the
editor started on it with a home of its own; xdotool to drive it; the
program's probe (SIGUSR1) for its own account of windows and focus; and the
checks, which count failures rather than stop at the first.  A missing tool
is a failure, never a skip.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TOOLS = ["Xvfb", "openbox", "picom", "xdotool", "xwininfo", "import", "convert", "compare"]
failures = []
procs = []


def fail(msg):
    failures.append(msg)
    print("FAIL:", msg, flush=True)


def ok(msg):
    print("ok:", msg, flush=True)


def check(cond, msg):
    (ok if cond else fail)(msg)
    return cond


class Desktop:
    def __init__(self, program_dir, compositor):
        self.home = tempfile.mkdtemp(prefix="tamarie-desktop-")
        self.probe_file = os.path.join(self.home, "probe.txt")
        os.makedirs(os.path.join(self.home, "Documents"))
        os.makedirs(os.path.join(self.home, "run"), mode=0o700)
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1600x1000x24",
                                 "+extension", "Composite", "-nolisten", "tcp"],
                                pass_fds=[w], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs.append(xvfb)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            c = os.read(r, 1)
            if not c:
                raise RuntimeError("Xvfb did not start")
            number += c
        os.close(r)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip(), HOME=self.home,
                        XDG_RUNTIME_DIR=os.path.join(self.home, "run"), LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        TAMARIE_PROBE=self.probe_file)
        for k in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_DATA_HOME"):
            self.env.pop(k, None)
        procs.append(subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        if compositor:
            procs.append(subprocess.Popen(["picom", "--backend", "xrender"], env=self.env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        self.program_dir = program_dir
        self.log = open(os.path.join(self.home, "tamarie.out"), "w")
        self.app = None
        self.main = None
        self.start_editor()
        time.sleep(2.0)

    def start_editor(self, args=(), wait_for_window=True):
        """Starts the editor (again) on this desktop with this home; the
        probe then asks the newest one.  Returns its process."""
        known = set(self.run(["xdotool", "search", "--name", "--", "-タマリエ$"], check=False).split())
        self.app = subprocess.Popen(["./tamarie"] + list(args), cwd=self.program_dir, env=self.env,
                                    stdout=self.log, stderr=self.log)
        procs.append(self.app)
        if not wait_for_window:
            return self.app
        self.main = None
        for _ in range(60):
            out = self.run(["xdotool", "search", "--name", "--", "-タマリエ$"], check=False).split()
            new = [w for w in out if w not in known]
            if new:
                self.main = new[0]
                break
            time.sleep(0.5)
        if not self.main:
            raise RuntimeError("no main window appeared")
        return self.app

    def run(self, args, check=True):
        r = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=30)
        if check and r.returncode != 0:
            raise RuntimeError("%s: %s" % (" ".join(args), r.stderr.strip()))
        return r.stdout

    def xdo(self, *args):
        self.run(["xdotool"] + [str(a) for a in args])

    def probe(self):
        """The program's own account of its windows, widgets and focus."""
        before = os.path.getmtime(self.probe_file) if os.path.exists(self.probe_file) else 0
        if os.path.exists(self.probe_file):
            os.remove(self.probe_file)
        self.app.send_signal(signal.SIGUSR1)
        for _ in range(100):
            if os.path.exists(self.probe_file):
                break
            time.sleep(0.05)
        del before
        p = {"calendar": {}, "back": {}, "title": {}, "grid": {}, "widget": {}, "window": {}, "photo": {},
             "caption": {}, "text": {}, "stack": []}
        with open(self.probe_file, encoding="utf-8") as f:
            for line in f:
                if line.startswith(("caption ", "text ")):  # the rest of the line is the value
                    kind, name, value = (line.rstrip("\n").split(" ", 2) + [""])[:3]
                    p[kind][name] = value
                    continue
                parts = line.split()
                if parts[0] in ("focus", "active", "mode"):
                    p[parts[0]] = parts[1]
                elif parts[0] in ("calendar", "back", "title", "grid", "photo"):
                    p[parts[0]][int(parts[1])] = tuple(int(v) for v in parts[2:])
                elif parts[0] == "stack":  # photos bottom to top: index, x, y, w, h, file
                    fields = line.rstrip("\n").split(" ", 6)
                    p["stack"].append(tuple(int(v) for v in fields[1:6]) + (fields[6] if len(fields) > 6 else "",))
                elif parts[0] in ("widget", "window"):
                    p[parts[0]][parts[1]] = tuple(int(v) for v in parts[2:])
        return p

    def server_geometry(self, wid):
        """Where the X server has the window: absolute x, y, width, height, mapped."""
        out = self.run(["xwininfo", "-id", str(wid)])
        def val(name):
            return int(re.search(name + r":\s+(-?\d+)", out).group(1))
        return (val("Absolute upper-left X"), val("Absolute upper-left Y"), val("Width"), val("Height"),
                "IsViewable" in out)

    def screenshot(self, name):
        path = os.path.join(self.home, name + ".png")
        self.run(["import", "-window", "root", path])
        return path

    def click(self, x, y, repeat=1):
        self.xdo("mousemove", x, y)
        time.sleep(0.1)
        self.xdo("click", "--repeat", repeat, "--delay", 80, 1)
        time.sleep(0.3)

    def set_field(self, name, text):
        x, y, w, h = self.probe()["widget"][name]
        self.click(x + w // 2, y + h // 2)
        self.xdo("key", "ctrl+a")
        self.xdo("type", text)
        time.sleep(0.2)

    def answer_no(self):
        """Answers a shown question with いいえ(N); true when there was one."""
        if "qt_msgbox_buttonbox" not in self.probe()["widget"]:
            return False
        self.xdo("key", "alt+n")
        time.sleep(0.8)
        return True

    def dismiss_message(self):
        """Closes a shown message box with its default button; true when there was one."""
        if "qt_msgbox_buttonbox" not in self.probe()["widget"]:
            return False
        self.xdo("key", "Return")
        time.sleep(0.5)
        return True

    def close(self):
        self.log.close()


def centre(r):
    return r[0] + r[2] // 2, r[1] + r[3] // 2


def pixel(path, x, y):
    out = subprocess.run(["convert", path, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                         capture_output=True, text=True).stdout
    m = re.search(r"#([0-9A-Fa-f]{6})", out)
    return m.group(1).upper() if m else None


def on_the_paper(p):
    if 1 not in p["calendar"] or "Panel1" not in p["widget"]:
        return False
    cx, cy, cw, ch = p["calendar"][1][:4]
    px, py, pw, ph = p["widget"]["Panel1"]
    return px <= cx and py <= cy and cx + cw <= px + pw and cy + ch <= py + ph


def save_through_menu(d, key, path, settle):
    # ファイル, the command's access key, the path typed into the file dialog.
    d.xdo("key", "alt+f")
    time.sleep(0.5)
    d.xdo("key", key)
    time.sleep(1.5)
    d.xdo("type", path)
    d.xdo("key", "Return")
    for _ in range(40):
        if os.path.exists(path) and os.path.getsize(path) > 0:
            break
        time.sleep(0.25)
    time.sleep(settle)
    # A picture may be followed by a notice of photos too small for print.
    d.dismiss_message()



def config_ini(d):
    path = os.path.join(d.home, "Documents", "Norte", "TamarieData", "Config.ini")
    if not os.path.exists(path):
        return b""
    with open(path, "rb") as f:
        return f.read()



def rgba(path, crop=None):
    args = ["convert", path] + (["-crop", "%dx%d+%d+%d" % crop, "+repage"] if crop else [])
    return subprocess.run(args + ["-depth", "8", "rgba:-"], capture_output=True, check=True).stdout



def translucent_mismatches(screen, window, under=None, tol=8):
    """Pixels where the screen cannot be the window's own pixels (straight
    alpha) laid over something: with `under` known (an RGB triple), over
    exactly that; otherwise over anything at all."""
    bad = 0
    for i in range(0, min(len(screen), len(window)), 4):
        a = window[i + 3]
        for k in range(3):
            own = window[i + k] * a / 255.0
            if under is None:
                lo, hi = own - tol, own + (255 - a) + tol
            else:
                v = own + under[k] * (255 - a) / 255.0
                lo, hi = v - tol, v + tol
            if not lo <= screen[i + k] <= hi:
                bad += 1
                break
    return bad



def screen_differs_from_rendering(d, n, shot, tag=""):
    """Pixels of calendar n where the screen differs from the calendar's own
    rendering (its see-through pixels excepted), and the pixels compared.  A
    loaded machine's compositor may be a frame behind, so a difference is
    looked at again for up to two seconds; stale pixels stay."""
    for _ in range(4):
        differing, total = _screen_differs_once(d, n, shot, tag)
        if differing * 1000 <= total:
            break
        time.sleep(0.5)
        d.run(["import", "-window", "root", shot])
    return differing, total



def _screen_differs_once(d, n, shot, tag):
    p = d.probe()
    x, y, w, h = d.server_geometry(p["calendar"][n][4])[:4]
    rendering = d.probe_file + ".calendar-%d.png" % n
    if p.get("mode") == "translucent":
        return translucent_mismatches(rgba(shot, (w, h, x, y)), rgba(rendering)), w * h
    crop = os.path.join(d.home, "crop-%d%s.png" % (n, tag))
    seen = os.path.join(d.home, "seen-%d%s.png" % (n, tag))
    subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", crop], check=True)
    # The rendering laid over the screen: see-through pixels take the screen's.
    subprocess.run(["convert", crop, rendering, "-composite", seen], check=True)
    r = subprocess.run(["compare", "-metric", "AE", "-fuzz", "3%", crop, seen, "null:"],
                       capture_output=True, text=True)
    return int(float(r.stderr.split()[0])), w * h



def click_widget(d, name):
    x, y, w, h = d.probe()["widget"][name]
    d.click(x + 8, y + h // 2)  # on the box or the indicator, which take the click



def choose_in_list(d, name, key="Down"):
    click_widget(d, name)
    time.sleep(0.3)
    d.xdo("key", key)
    d.xdo("key", "Return")
    time.sleep(0.3)



def on_paper(p):
    px, py = p["widget"]["Panel1"][:2]
    places = {"Image1": tuple(v - o for v, o in zip(p["widget"]["Image1"], (px, py, 0, 0)))}
    for n, c in p["calendar"].items():
        places["calendar %d" % n] = (c[0] - px, c[1] - py, c[2], c[3])
    return places, p["widget"]["Panel1"][2:]


def run_suite(doc, tests):
    """The suite's entry: PROGRAM_DIR [--no-compositor] from the command
    line, each test given the desktop in turn; exit status 1 on any failure."""
    if len(sys.argv) < 2:
        print(doc)
        return 2
    missing = [t for t in TOOLS if shutil.which(t) is None]
    if missing:
        print("FAIL: missing tools:", " ".join(missing))
        return 1
    program_dir = os.path.abspath(sys.argv[1])
    compositor = "--no-compositor" not in sys.argv
    started = time.time()
    d = None
    try:
        d = Desktop(program_dir, compositor)
        for test in tests:
            print("--", test.__name__, flush=True)
            try:
                test(d)
            except Exception as e:  # a broken step is a failure, never a skip
                fail("%s: %s" % (test.__name__, e))
    except Exception as e:
        fail(str(e))
    finally:
        for pr in reversed(procs):
            if pr.poll() is None:
                pr.terminate()
                try:
                    pr.wait(5)
                except subprocess.TimeoutExpired:
                    pr.kill()
        if d:
            d.close()
            if not failures:
                shutil.rmtree(d.home, ignore_errors=True)
            else:
                print("kept for a look:", d.home)
    print("%d failure(s), %.1f s" % (len(failures), time.time() - started))
    return 1 if failures else 0
