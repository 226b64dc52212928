#!/usr/bin/env python3
"""Plays the card on a virtual 1024 x 768 display and saves a picture of it
every few seconds to out/run/, until the card ends by itself."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import DIST_X64, ROOT, Session  # noqa: E402

OUT = os.path.join(ROOT, "out", "run")
PERIOD, LIMIT = 4.0, 90.0

os.makedirs(OUT, exist_ok=True)
with Session(1024, 768) as session:
    card = session.start(os.path.join(DIST_X64, "Nevalto.exe"))
    session.wait_window("NevaltoCard")
    start, n = time.time(), 0
    while card.poll() is None and time.time() - start < LIMIT:
        n += 1
        path = os.path.join(OUT, "card-%02d.png" % n)
        session.screenshot().save_png(path)
        print("saved %s (%.0f s)" % (os.path.relpath(path, ROOT), time.time() - start), flush=True)
        time.sleep(PERIOD)
    print("the card %s" % ("ended by itself" if card.poll() is not None else "was still running; stopped"))
