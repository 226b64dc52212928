"""On the user's own display: starts a copy of the generator from out/run/
in a Wine prefix of its own, with the same fonts as the tests' prefix but
Wine's default window management, as a real desktop has a window manager."""

import os
import shutil

from devkit.wine import BUILD, ROOT, ensure_prefix

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
