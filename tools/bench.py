"""The benchmark's figures, for the 32-bit programs that ship and their
64-bit twins, measured in the same run. Not pass or fail: targets are
printed beside them, and a figure that misses its target says MISS.

    python3 -m tools.bench [--arch i686|x64] [--card-only]

--arch measures one build only; --card-only leaves out the generator's
figures (the card writes, and its page's in Chromium) and the web card's,
which take the longest."""

import os
import statistics
import subprocess
import sys
import time

from devkit.wine import BUILDS, ROOT, Session, build_problem

# 395 stamps of 40 ms; 10 ornaments of chime (200 ms) + 100 ms; the star's
# chime and three 100 ms pauses; the snowman's chime; 200 ms between the texts;
# the final 12 s; 128 fade steps of 15 ms.
NOMINAL_SHOW = 395 * 0.040 + 10 * 0.3 + 0.2 + 0.3 + 0.2 + 0.2 + 12 + 128 * 0.015

CARD_BYTES = 37 * 1024   # the shipped card, at most
CPU_SHARE = 0.6          # % of one core over the show, at most
STARTUP_RATIO = 1.3      # the card's start-up beside a minimal window, at most
SHOW_SLACK = 1.0         # s either side of the nominal length


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def player_figures(build):
    player = os.path.join(build.dist, "Nevalto.exe")
    minimal = os.path.join(build.tree, "bench", "MinimalWindow.exe")
    figures = {"card bytes": os.path.getsize(player)}
    with Session(1024, 768, build=build) as session:
        start = time.time()
        card = session.start(player)
        _, status, usage = os.wait4(card.pid, 0)
        figures["show s"] = time.time() - start
        card.returncode = os.waitstatus_to_exitcode(status)
        figures["show CPU s"] = usage.ru_utime + usage.ru_stime

        def startup(program, cls):
            times = []
            for _ in range(7):
                rc, out = session.driver("launch", windows_path(program), cls)
                if rc == 0:
                    times.append(float(out.strip()))
            return statistics.median(times) if times else float("nan")

        figures["card start ms"] = startup(player, "NevaltoCard")
        figures["minimal start ms"] = startup(minimal, "MinimalWindow")
    return figures


def cell(text, missed):
    return text + (" MISS" if missed else "")


def report(results):
    names = list(results)
    print("%-52s" % "" + "".join("%18s" % n for n in names))

    def row(label, fmt, value, target="", missed=lambda name, v: False):
        cells = []
        for n in names:
            v = value(results[n])
            cells.append("%18s" % cell(fmt % v, v == v and missed(n, v)))  # nan: not measured, not missed
        print("%-52s" % label + "".join(cells) + target)

    row("card size (bytes)", "%d", lambda f: f["card bytes"], "   target: shipped card at most %d" % CARD_BYTES,
        lambda n, v: n.startswith("i686") and v > CARD_BYTES)
    row("show at 1024 x 768, wall (s; %.1f nominal)" % NOMINAL_SHOW, "%.1f", lambda f: f["show s"],
        "   target: within %.0f s of nominal" % SHOW_SLACK, lambda n, v: abs(v - NOMINAL_SHOW) > SHOW_SLACK)
    row("card process CPU over the show (s)", "%.2f", lambda f: f["show CPU s"])
    row("  share of one core (%)", "%.2f", lambda f: 100 * f["show CPU s"] / f["show s"],
        "   target: at most %.1f %%" % CPU_SHARE, lambda n, v: v > CPU_SHARE)
    row("start to visible window, card (ms, median of 7)", "%.0f", lambda f: f["card start ms"])
    row("  minimal window, same architecture (ms)", "%.0f", lambda f: f["minimal start ms"])
    row("  ratio", "%.2f", lambda f: f["card start ms"] / f["minimal start ms"],
        "   target: at most %.1f" % STARTUP_RATIO, lambda n, v: v > STARTUP_RATIO)


if __name__ == "__main__":
    import argparse
    parser = argparse.ArgumentParser(description="Prints the card's (and the generator's) figures.")
    parser.add_argument("--arch", choices=sorted(BUILDS), help="measure this build only")
    parser.add_argument("--card-only", action="store_true", help="leave out the generator's figures")
    args = parser.parse_args()
    results = {}
    for build in (BUILDS["i686"], BUILDS["x64"]):
        if args.arch and build.name != args.arch:
            continue
        problem = build_problem(build)
        if problem:
            print("%s not measured: %s" % (build, problem))
            continue
        results[build.name + (" (shipped)" if build.name == "i686" else " (twin)")] = player_figures(build)
    report(results)
    if args.card_only:
        sys.exit(0)

    def run(python, module):
        sys.stdout.flush()
        return subprocess.run([python, "-m", module], cwd=ROOT).returncode

    failed = run(sys.executable, "tools.bench_generator")
    # The web card and the generator's page, in Chromium, under Debian's
    # Python (its DevTools client).
    for helper in ("tools.bench_web_card", "tools.bench_page"):
        failed = failed or run("/usr/bin/python3", helper)
    sys.exit(failed)
