#!/usr/bin/env python3
"""Runs the Windows-side tests (CTest in the x86_64 build) under Wine, on a
virtual display of their own, since anything that makes a window needs one."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from harness import ROOT, Session  # noqa: E402

with Session(1024, 768, with_desktop=False) as session:
    result = subprocess.run(["ctest", "--output-on-failure", "--timeout", "300"],
                            cwd=os.path.join(ROOT, "build", "x64"), env=session.env)
sys.exit(result.returncode)
