"""Runs the Windows-side tests of the build that CAROLUX_ARCH names (CTest
in build/i686 or build/x64) under the matching Wine loader, on a virtual
display of their own, since anything that makes a window needs one."""

import subprocess
import sys

from devkit.wine import BUILD, Session

print("Windows-side tests of the %s build" % BUILD, flush=True)
with Session(1024, 768, with_desktop=False) as session:
    result = subprocess.run(["ctest", "--output-on-failure", "--timeout", "300"], cwd=BUILD.tree, env=session.env)
sys.exit(result.returncode)
