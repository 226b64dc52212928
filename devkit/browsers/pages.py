"""What the three browsers' drivers share: reading a file a browser writes
as it starts, waiting for a page to show something, and ending a browser."""

import subprocess
import time


def read_text(path):
    """The file's text, or '' while it is not there yet."""
    try:
        with open(path) as f:
            return f.read()
    except FileNotFoundError:
        return ''


def stop(process):
    """Ends a browser the driver started: asked first, then made to."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Polling:
    """For a driver with evaluate(expression)."""

    def wait_for(self, expression, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.evaluate(expression):
                return
            time.sleep(0.05)
        raise TimeoutError(expression)
