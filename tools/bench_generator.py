"""Figures of the generator for the benchmark: the sizes of the shipped
container and its parts, the card, the zipped card and the web card it
writes, and the time to write each (copy of the player image out of the
container of each build, or filling the page template, senders' names,
deflating for the zipped one, replacing the destination), as the median of
several rounds run under Wine by the Windows-side test program. Needs a
finished build (tools/build).

    python3 -m tools.bench_generator [ROUNDS]

bench_generator() returns the same figures as a dict, for tools/bench."""

import os
import re
import subprocess
import sys

from devkit.card_layout import player_image_offset
from devkit.pe import image_end
from devkit.wine import BUILDS, ROOT, Session, build_problem

PLAYER_IMAGE_OFFSET = player_image_offset()
ZIPPED_SHARE = 55.0  # the zipped card's size, % of the card's, at most


def sizes(container_path):
    with open(container_path, "rb") as f:
        data = f.read()
    return {"container bytes": len(data),
            "generator image bytes": image_end(data[:PLAYER_IMAGE_OFFSET]),
            "player image bytes": len(data) - PLAYER_IMAGE_OFFSET}


def card_write_ms(build, rounds=21):
    program = os.path.join(build.tree, "generator_tests.exe")
    container = "Z:" + os.path.join(build.dist, "Carolux.exe").replace("/", "\\")
    with Session(1024, 768, with_desktop=False, build=build) as session:
        env = dict(session.env, CAROLUX_BENCH_CONTAINER=container, CAROLUX_BENCH_ROUNDS=str(rounds))
        out = subprocess.run([build.loader, program, "--gtest_filter=Bench.WriteCards"], env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=600).stdout.decode()
    figures, written = {}, {}
    for label in ("card", "zipped card", "web card"):
        found = re.search(r"^%s write: median ([\d.]+) ms, fastest ([\d.]+) ms, slowest ([\d.]+) ms, \d+ rounds, "
                          r"(\d+) bytes" % label, out, re.M)
        if not found:
            raise RuntimeError("no %s figure from the bench run:\n%s" % (label, out))
        figures.update({label + " write median ms": float(found.group(1)),
                        label + " write fastest ms": float(found.group(2)),
                        label + " write slowest ms": float(found.group(3))})
        written[label + " bytes"] = int(found.group(4))
    for kind in ("zipped card", "web card"):
        share = 100.0 * written[kind + " bytes"] / written["card bytes"]
        written[kind + " / card"] = "%.1f%%" % share
    share = 100.0 * written["zipped card bytes"] / written["card bytes"]
    written["zipped card / card"] += "   target: at most %.0f %%%s" % (ZIPPED_SHARE, " MISS" if share > ZIPPED_SHARE else "")
    written.update(figures)
    written["card write rounds"] = rounds
    return written


def bench_generator(rounds=21):
    figures = {}
    for name, path in (("", os.path.join(ROOT, "dist", "Carolux.exe")),
                       ("x64 ", os.path.join(ROOT, "dist", "x64", "Carolux.exe"))):
        figures.update({name + key: value for key, value in sizes(path).items()})
    for build in (BUILDS["i686"], BUILDS["x64"]):
        if build_problem(build) is None:
            prefix = "" if build.name == "i686" else "x64 "
            figures.update({prefix + key: value for key, value in card_write_ms(build, rounds).items()})
    return figures


if __name__ == "__main__":
    for key, value in bench_generator(int(sys.argv[1]) if len(sys.argv) > 1 else 21).items():
        print("%-28s %s" % (key, value))
