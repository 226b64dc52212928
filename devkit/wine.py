"""Runs our real Windows programs under Wine on a virtual X display of a
chosen size, with a known desktop picture, and looks at and drives them
through a small Win32 driver that runs beside them.

The build under test is the one CAROLUX_ARCH names: "i686", the programs
that ship (dist/, 32-bit Wine), by default; "x64" for their 64-bit twins
(dist/x64/). Each Session owns its display and the processes it started; at
the end it stops only those (by their ids) and the Wine server of the test
prefix."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

from devkit.i386_probe import i386_problem
from devkit.pictures import Image, desktop_picture

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
WINE64 = "/usr/lib/wine/wine64"
WINE32 = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver64"
PREFIX = os.path.join(ROOT, "build", "e2e", "prefix")


class Build:
    """Where one architecture's programs are, and the Wine loader that runs them."""

    def __init__(self, name, dist, loader):
        self.name, self.dist, self.loader = name, dist, loader
        self.tree = os.path.join(ROOT, "build", name)
        self.driver = os.path.join(self.tree, "e2e", "driver.exe")

    def __str__(self):
        return "%s (%s)" % (self.name, "32-bit, as shipped" if self.name == "i686" else "64-bit twin")


BUILDS = {
    "i686": Build("i686", os.path.join(ROOT, "dist"), WINE32),
    "x64": Build("x64", os.path.join(ROOT, "dist", "x64"), WINE64),
}
BUILD = BUILDS[os.environ.get("CAROLUX_ARCH", "i686")]
DIST = BUILD.dist
OUT = os.path.join(ROOT, "out", "e2e", BUILD.name)


def build_problem(build=BUILD):
    """Why this machine cannot run the build's programs, or None when it can."""
    if build.loader == WINE32:
        problem = i386_problem()
        if problem:
            return problem
        if not os.path.exists(WINE32):
            return "Wine's 32-bit loader (Debian's wine32) is not installed"
    return None


# Wine takes Windows' locale from the environment's: the C locale is US
# English, code page 1252, with the "&Yes" and "&No" the tests press and the
# code page the generator's page writes cards in, whatever the machine's own.
WINE_LOCALE = {"LC_ALL": "C.UTF-8"}

# What a prefix needs to look like Windows: the metric twins of Windows'
# fonts in their place, so texts take the room they were designed for.
FONT_SETTINGS = [
    (r"HKCU\Software\Wine\Fonts\Replacements", "Arial", "Liberation Sans"),
    (r"HKCU\Software\Wine\Fonts\Replacements", "Comic Sans MS", "Comic Neue"),
]
# On a display without a window manager, Wine draws the windows' own frames.
BARE_DISPLAY_SETTINGS = [(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")]
# The About window's links go to the system's browser and mailer: in the
# tests, to a command that takes them and does nothing, so that no browser
# the machine has opens on a test's display and covers its windows.
LINK_SETTINGS = [(r"HKCU\Software\Wine\WineBrowser", "Browsers", "true"),
                 (r"HKCU\Software\Wine\WineBrowser", "Mailers", "true")]
# Wine's own fonts (Tahoma for dialogs, Marlett for the caption buttons), which
# this Wine does not find by itself in its data folder.
WINE_FONTS = "/usr/share/wine/fonts"


def prefix_lacks_32bit_system(prefix):
    """A prefix made before wine32 was installed has an empty syswow64, and
    32-bit programs cannot start in it."""
    return os.path.exists(WINE32) and os.path.exists(os.path.join(prefix, "system.reg")) and \
        not os.path.exists(os.path.join(prefix, "drive_c", "windows", "syswow64", "kernel32.dll"))


def ensure_prefix(prefix=PREFIX, bare_display=True):
    """A Wine prefix is made once per checkout and reused; it holds both
    systems, so it serves both builds."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", **WINE_LOCALE)
    env.pop("DISPLAY", None)
    if prefix_lacks_32bit_system(prefix):
        subprocess.run([WINESERVER, "-k"], env=env, stderr=subprocess.DEVNULL, check=False)
        shutil.rmtree(prefix)
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        os.makedirs(prefix, exist_ok=True)
        subprocess.run([WINE64, "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300, check=False)
    mark = os.path.join(prefix, "carolux-settings-4")
    if not os.path.exists(mark):
        fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
        os.makedirs(fonts, exist_ok=True)
        for name in ("marlett.ttf", "tahoma.ttf", "tahomabd.ttf"):
            if os.path.exists(os.path.join(WINE_FONTS, name)):
                shutil.copyfile(os.path.join(WINE_FONTS, name), os.path.join(fonts, name))
        for key, name, value in FONT_SETTINGS + (BARE_DISPLAY_SETTINGS + LINK_SETTINGS if bare_display else []):
            subprocess.run([WINE64, "reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", value, "/f"], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120, check=True)
        open(mark, "w").close()
    subprocess.run([WINESERVER, "-w"], env=env, timeout=120, check=False)


def free_display():
    for n in range(140, 400):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    raise RuntimeError("no free X display number")


class WindowInfo:
    def __init__(self, line):
        self.fields = dict(part.split("=", 1) for part in line.split(" ") if "=" in part)
        self.pid = int(self.fields["pid"])
        self.window = tuple(int(v) for v in self.fields["window"].split(","))
        self.client = tuple(int(v) for v in self.fields["client"].split(","))

    def flag(self, name):
        return self.fields.get(name) == "1"


class Session:
    def __init__(self, width, height, with_desktop=True, build=None):
        self.width, self.height = width, height
        self.build = build or BUILD
        self.processes = []
        self.scratch = tempfile.mkdtemp(prefix="carolux-e2e-")
        ensure_prefix()
        self.display = free_display()
        self.xvfb = subprocess.Popen(["Xvfb", ":%d" % self.display, "-screen", "0", "%dx%dx24" % (width, height),
                                      "-nolisten", "tcp", "-noreset"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=":%d" % self.display, WINEPREFIX=PREFIX, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", **WINE_LOCALE)
        deadline = time.time() + 20
        while not os.path.exists("/tmp/.X11-unix/X%d" % self.display):
            if time.time() > deadline or self.xvfb.poll() is not None:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.05)
        # A prefix serves one display at a time: end what an earlier session left.
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL, check=False)
        subprocess.run([WINESERVER, "-w"], env=self.env, check=False, timeout=60)
        subprocess.run([WINESERVER, "-p"], env=self.env, check=True)
        # Wine's desktop and services start with its first program and repaint
        # the root window; only then does a desktop picture stay. They live on
        # and inherit that program's output, so it must not be a pipe of ours.
        subprocess.run([self.build.loader, self.build.driver, "windows"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120, check=False)
        self.desktop = None
        if with_desktop:
            self.desktop = desktop_picture(width, height)
            png = os.path.join(self.scratch, "desktop.png")
            self.desktop.save_png(png)
            subprocess.run(["feh", "--no-fehbg", "--bg-center", png], env=self.env, check=True)
            time.sleep(0.3)

    def start(self, program, *args, cwd=None):
        process = subprocess.Popen([self.build.loader, program] + list(args), env=self.env, cwd=cwd,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def driver(self, *args, timeout=60):
        # Output through a file, not a pipe: a pipe stays open as long as any
        # Wine process that inherited it, which may be long after the driver.
        with tempfile.TemporaryFile(dir=self.scratch) as out:
            result = subprocess.run([self.build.loader, self.build.driver] + [str(a) for a in args], env=self.env, stdout=out,
                                    stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return result.returncode, out.read().decode("utf-8", "replace")

    def wait_window(self, cls, title="*", timeout_ms=15000):
        rc, out = self.driver("wait", cls, title, timeout_ms)
        return WindowInfo(out.strip().splitlines()[0]) if rc == 0 else None

    def dialog(self, title, timeout_ms=15000):
        """(window info, [child texts]) of a dialog, or None."""
        rc, out = self.driver("dialog", title, timeout_ms)
        if rc != 0:
            return None
        lines = out.strip().splitlines()
        texts = [line.split(" text=", 1)[1].replace("\\r", "\r").replace("\\n", "\n")
                 for line in lines[1:] if " text=" in line]
        return WindowInfo(lines[0]), texts

    def windows(self):
        """The visible top-level windows, as the driver describes them: for
        failure messages."""
        return self.driver("windows")[1]

    def press_button(self, title, text):
        return self.driver("button", title, text)[0] == 0

    def keys(self, *vks):
        return self.driver("key", *["0x%x" % vk for vk in vks])[0] == 0

    def click(self, x, y):
        return self.driver("click", x, y)[0] == 0

    def screenshot(self, save_as=None):
        path = os.path.join(self.scratch, "shot.bmp")
        rc, _ = self.driver("screenshot", "Z:" + path.replace("/", "\\"))
        if rc != 0:
            raise RuntimeError("screenshot failed")
        image = Image.from_bmp(path)
        if save_as:
            image.save_png(os.path.join(OUT, save_as))
        return image

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=10)
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL, check=False)
        subprocess.run([WINESERVER, "-w"], env=self.env, check=False, timeout=60)
        self.xvfb.send_signal(signal.SIGTERM)
        try:
            self.xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.xvfb.kill()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def wait_exit(process, seconds):
    """True when the process ended within the time."""
    try:
        process.wait(timeout=seconds)
        return True
    except subprocess.TimeoutExpired:
        return False
