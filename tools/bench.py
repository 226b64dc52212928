#!/usr/bin/env python3
"""The benchmark's figures, for the 32-bit programs that ship and their
64-bit twins, measured in the same run. Not pass or fail: targets are
printed beside them."""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import BUILDS, Session, build_problem  # noqa: E402

# 395 stamps of 40 ms; 10 ornaments of chime (200 ms) + 100 ms; the star's
# chime and three 100 ms pauses; the snowman's chime; 200 ms between the texts;
# the final 12 s; 128 fade steps of 15 ms.
NOMINAL_SHOW = 395 * 0.040 + 10 * 0.3 + 0.2 + 0.3 + 0.2 + 0.2 + 12 + 128 * 0.015


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


def report(results):
    names = list(results)
    print("%-52s" % "" + "".join("%18s" % n for n in names))

    def row(label, fmt, value, target=""):
        print("%-52s" % label + "".join("%18s" % (fmt % value(results[n])) for n in names) + target)

    row("card size (bytes)", "%d", lambda f: f["card bytes"], "   target: at most 48 KB (49,152)")
    row("show at 1024 x 768, wall (s; %.1f nominal)" % NOMINAL_SHOW, "%.1f", lambda f: f["show s"])
    row("card process CPU over the show (s)", "%.2f", lambda f: f["show CPU s"])
    row("  share of one core (%)", "%.1f", lambda f: 100 * f["show CPU s"] / f["show s"], "   target: at most 5 %")
    row("start to visible window, card (ms, median of 7)", "%.0f", lambda f: f["card start ms"])
    row("  minimal window, same architecture (ms)", "%.0f", lambda f: f["minimal start ms"])
    row("  ratio", "%.2f", lambda f: f["card start ms"] / f["minimal start ms"], "   target: at most 1.5")


if __name__ == "__main__":
    results = {}
    for build in (BUILDS["i686"], BUILDS["x64"]):
        problem = build_problem(build)
        if problem:
            print("%s not measured: %s" % (build, problem))
            continue
        results[build.name + (" (shipped)" if build.name == "i686" else " (twin)")] = player_figures(build)
    report(results)
    generator = os.path.join(os.path.dirname(__file__), "bench_generator.py")
    sys.stdout.flush()
    sys.exit(os.system("%s %s" % (sys.executable, generator)) >> 8)
