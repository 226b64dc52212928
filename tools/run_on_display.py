#!/usr/bin/env python3
"""On the user's own display: starts a copy of the generator from out/run/
in a Wine prefix of its own, with the same fonts as the tests' prefix but
Wine's default window management, as a real desktop has a window manager."""

import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import BUILD, ROOT, ensure_prefix  # noqa: E402

OUT = os.path.join(ROOT, "out", "run")
PREFIX = os.path.join(ROOT, "build", "wine-run")

ensure_prefix(PREFIX, bare_display=False)
os.makedirs(OUT, exist_ok=True)
generator = os.path.join(OUT, "Carolux.exe")
shutil.copyfile(os.path.join(BUILD.dist, "Carolux.exe"), generator)
os.chmod(generator, 0o755)
os.chdir(OUT)
os.environ.update(WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
os.execv(BUILD.loader, [BUILD.loader, "Carolux.exe"])
