"""WebKitGTK (the engine of Safari) for the web card's checks in a third
engine: a GTK window holding one WebKitWebView, in a child process
(webkit_view.py) on its own Xvfb display, driven by JSON lines.

The same small interface as firefox.py: Browser(downloads, scripts), then
open, evaluate, wait_for, click, key, screenshot, download, close."""

import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

from devkit.browsers.pages import Polling

PYTHON = '/usr/bin/python3'
XVFB = '/usr/bin/Xvfb'
VIEW = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'webkit_view.py')
NAME = 'webkit'


def available():
    """Why WebKitGTK cannot run here, or None."""
    if not os.path.exists(XVFB):
        return 'Xvfb is not installed'
    found = subprocess.run([PYTHON, '-c', 'import gi; gi.require_version("WebKit2", "4.1"); '
                            'gi.require_version("Gtk", "3.0"); gi.require_foreign("cairo")'],
                           stderr=subprocess.DEVNULL).returncode == 0
    return None if found else 'WebKitGTK for Python (gir1.2-webkit2-4.1, python3-gi, python3-gi-cairo) is not installed'


class Browser(Polling):
    def __init__(self, downloads, scripts=True):
        self.downloads = downloads
        self.home = tempfile.mkdtemp(prefix='webcard-webkit-')
        self.log = open(os.path.join(self.home, 'webkit.log'), 'w')
        self.view = None
        # -noreset: the server outlives the window closing; -displayfd: it
        # picks a free display and says which.
        read, write = os.pipe()
        self.xvfb = subprocess.Popen([XVFB, '-displayfd', str(write), '-screen', '0', '1920x1080x24', '-nolisten',
                                      'tcp', '-noreset'], pass_fds=[write], stdout=self.log, stderr=self.log)
        os.close(write)
        display = b''
        while not display.endswith(b'\n'):
            ready, _, _ = select.select([read], [], [], 30)
            chunk = ready and os.read(read, 16)
            if not chunk:
                os.close(read)
                self.close()
                raise RuntimeError('Xvfb did not start')
            display += chunk
        os.close(read)
        # A home and caches of its own, so nothing of the user's or of an
        # earlier run is seen.
        env = dict(os.environ, DISPLAY=':' + display.decode().strip(), GDK_BACKEND='x11', NO_AT_BRIDGE='1',
                   HOME=self.home, XDG_CACHE_HOME=os.path.join(self.home, 'cache'),
                   XDG_DATA_HOME=os.path.join(self.home, 'data'), XDG_CONFIG_HOME=os.path.join(self.home, 'config'))
        # A process group of its own: WebKit's web and network processes
        # outlive the view for a while, and go with it.
        self.view = subprocess.Popen([PYTHON, VIEW, downloads, '1' if scripts else '0'], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=self.log, env=env, start_new_session=True)
        self.received = b''
        self.next_id = 0
        self.events = []

    def _line(self, timeout):
        """The child's next line, or None after timeout seconds."""
        deadline = time.time() + timeout
        while b'\n' not in self.received:
            ready, _, _ = select.select([self.view.stdout], [], [], max(0, deadline - time.time()))
            if not ready:
                return None
            chunk = os.read(self.view.stdout.fileno(), 65536)
            if not chunk:
                self.log.flush()
                with open(self.log.name) as f:
                    raise RuntimeError('the WebKit view ended:\n' + f.read()[-3000:])
            self.received += chunk
        line, self.received = self.received.split(b'\n', 1)
        return json.loads(line)

    def send(self, what, timeout=60, **params):
        self.next_id += 1
        self.view.stdin.write((json.dumps(dict(params, id=self.next_id, do=what)) + '\n').encode())
        self.view.stdin.flush()
        deadline = time.time() + timeout
        while True:
            message = self._line(max(0, deadline - time.time()))
            if message is None:
                raise TimeoutError(what)
            if 'event' in message:
                self.events.append(message)
            elif message['id'] == self.next_id:
                break
        if message.get('error'):
            raise RuntimeError('%s: %s' % (what, message['error']))
        return message.get('value')

    def open(self, path, width, height):
        self.send('size', width=width, height=height)
        self.send('open', url=path if '://' in path else 'file://' + os.path.abspath(path))
        self.wait_for('innerWidth === %d && innerHeight === %d' % (width, height))

    def evaluate(self, expression):
        """The expression's value (a promise's, awaited) as JSON makes it."""
        value = self.send('eval', body='return JSON.stringify(await (%s));' % expression)
        return None if value is None else json.loads(value)

    def click(self, x, y):
        self.send('click', x=x, y=y)

    def key(self, key):
        """One key, pressed and let go: a character, or 'Enter'."""
        self.send('key', key=key)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.send('shot', path=os.path.abspath(path))

    def download(self, timeout=20):
        """The next finished download: its file's name and bytes."""
        deadline = time.time() + timeout
        while not self.events:
            message = self._line(max(0, deadline - time.time()))
            if message is None:
                raise TimeoutError('no download')
            self.events.append(message)
        event = self.events.pop(0)
        if 'error' in event:
            raise RuntimeError('download: %s' % event['error'])
        with open(event['path'], 'rb') as f:
            return os.path.basename(event['path']), f.read()

    @staticmethod
    def _end_group(group):
        """Ends what is left of the view's group once the view is gone:
        its helpers only, with nothing of theirs worth keeping. Done when
        none runs on (the dead wait for init, which may be slow)."""
        def running():
            for pid in filter(str.isdigit, os.listdir('/proc')):
                try:
                    with open('/proc/%s/stat' % pid) as f:
                        state, _, pgrp = f.read().rsplit(')', 1)[1].split()[:3]
                except OSError:
                    continue
                if int(pgrp) == group and state != 'Z':
                    return True
            return False
        try:
            os.killpg(group, signal.SIGKILL)
        except ProcessLookupError:
            return
        deadline = time.time() + 5
        while running() and time.time() < deadline:
            time.sleep(0.02)

    def close(self):
        try:
            if self.view:
                self.view.stdin.close()
                try:
                    self.view.wait(10)
                except subprocess.TimeoutExpired:
                    self.view.kill()
                    self.view.wait()
                self.view.stdout.close()
                self._end_group(self.view.pid)
        finally:
            self.xvfb.terminate()
            self.xvfb.wait()
            self.log.close()
            shutil.rmtree(self.home, ignore_errors=True)
