#!/usr/bin/env python3
"""Runs the Windows-side tests of the build that CAROLUX_ARCH names (CTest
in build/i686 or build/x64) under the matching Wine loader, on a virtual
display of their own, since anything that makes a window needs one."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from harness import BUILD, Session  # noqa: E402

print("Windows-side tests of the %s build" % BUILD, flush=True)
with Session(1024, 768, with_desktop=False) as session:
    result = subprocess.run(["ctest", "--output-on-failure", "--timeout", "300"], cwd=BUILD.tree, env=session.env)
sys.exit(result.returncode)
