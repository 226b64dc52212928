"""What the three browsers' drivers share: reading a file a browser writes
as it starts, and waiting for a page to show something."""

import time


def read_text(path):
    """The file's text, or '' while it is not there yet."""
    try:
        with open(path) as f:
            return f.read()
    except FileNotFoundError:
        return ''


class Polling:
    """For a driver with evaluate(expression)."""

    def wait_for(self, expression, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.evaluate(expression):
                return
            time.sleep(0.05)
        raise TimeoutError(expression)
