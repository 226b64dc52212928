"""Headless Chromium driven over the DevTools protocol, for the web card's
tests: one fresh profile per browser, one page target per test."""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import time

import websocket

from devkit.browsers.pages import Polling, read_text, stop

CHROMIUM = '/usr/bin/chromium'


class Browser:
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix='webcard-chromium-')
        self.process = subprocess.Popen(
            # A desktop with a mouse, as the page sees it; a page with touch
            # emulated sees a finger.
            [CHROMIUM, '--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
             '--blink-settings=primaryPointerType=4,availablePointerTypes=4,primaryHoverType=2,availableHoverTypes=2',
             '--disable-background-networking', '--disable-component-update', '--disable-sync',
             '--user-data-dir=' + self.profile, '--remote-debugging-port=0', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, 'DevToolsActivePort')
        deadline = time.time() + 30
        while len(read_text(port_file).split()) < 2:
            if time.time() > deadline or self.process.poll() is not None:
                self.close()
                raise RuntimeError('Chromium did not start')
            time.sleep(0.1)
        port, path = read_text(port_file).split()[:2]
        self.socket = websocket.create_connection('ws://127.0.0.1:%s%s' % (port, path), timeout=60)
        self.next_id = 0
        self.events = []
        self.replies = {}
        self.handlers = []  # called with each event as it comes, may send

    def _receive(self):
        message = json.loads(self.socket.recv())
        if 'id' in message:
            self.replies[message['id']] = message
        else:
            self.events.append(message)
            for handler in self.handlers:
                handler(message)

    def send(self, method, params=None, session=None):
        self.next_id += 1
        message = {'id': self.next_id, 'method': method, 'params': params or {}}
        if session:
            message['sessionId'] = session
        self.socket.send(json.dumps(message))
        wanted = self.next_id
        self.socket.settimeout(60)
        while wanted not in self.replies:
            self._receive()
        reply = self.replies.pop(wanted)
        if 'error' in reply:
            raise RuntimeError('%s: %s' % (method, reply['error']))
        return reply.get('result', {})

    def wait_event(self, method, session=None, timeout=30):
        deadline = time.time() + timeout
        seen = 0
        while time.time() < deadline:
            for event in self.events[seen:]:
                if event.get('method') == method and (session is None or event.get('sessionId') == session):
                    return event
            seen = len(self.events)
            self.socket.settimeout(max(0.1, deadline - time.time()))
            try:
                self._receive()
            except websocket.WebSocketTimeoutException:
                break
        raise TimeoutError(method)

    def new_page(self, window=False):
        """A new tab, which hides the one in front; with window, a window of
        its own, so that both pages are shown."""
        target = self.send('Target.createTarget', {'url': 'about:blank', 'newWindow': window})['targetId']
        session = self.send('Target.attachToTarget', {'targetId': target, 'flatten': True})['sessionId']
        return Page(self, session, target)

    def close(self):
        try:
            if getattr(self, 'socket', None):
                self.socket.close()
        finally:
            stop(self.process)
            shutil.rmtree(self.profile, ignore_errors=True)


class Page(Polling):
    def __init__(self, browser, session, target):
        self.browser = browser
        self.session = session
        self.target = target
        for domain in ('Page', 'Runtime', 'Log'):
            self.send(domain + '.enable')

    def send(self, method, params=None):
        return self.browser.send(method, params, self.session)

    def events(self, method):
        return [e['params'] for e in self.browser.events
                if e.get('method') == method and e.get('sessionId') == self.session]

    def viewport(self, width, height, ratio=1, mobile=False):
        self.send('Emulation.setDeviceMetricsOverride',
                  {'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': mobile})
        if mobile:
            self.send('Emulation.setTouchEmulationEnabled', {'enabled': True})

    def open(self, path):
        """A file, or an address with its scheme."""
        self.browser.events = [e for e in self.browser.events if e.get('method') != 'Page.loadEventFired']
        self.send('Page.navigate', {'url': path if '://' in path else 'file://' + os.path.abspath(path)})
        self.browser.wait_event('Page.loadEventFired', self.session)

    def evaluate(self, expression):
        result = self.send('Runtime.evaluate', {'expression': expression, 'awaitPromise': True,
                                                'returnByValue': True})
        if 'exceptionDetails' in result:
            raise RuntimeError('%s: %s' % (expression, result['exceptionDetails']))
        return result['result'].get('value')

    def tap(self, x, y):
        for kind in ('mousePressed', 'mouseReleased'):
            self.send('Input.dispatchMouseEvent', {'type': kind, 'x': x, 'y': y, 'button': 'left',
                                                   'clickCount': 1})

    def key(self, key='a'):
        """A key that types (one character) or one that does not (Shift)."""
        typed = {'text': key} if len(key) == 1 else {}
        for kind in ('keyDown' if typed else 'rawKeyDown', 'keyUp'):
            self.send('Input.dispatchKeyEvent', dict({'type': kind, 'key': key}, **(typed if kind != 'keyUp' else {})))

    def hide(self, freeze=False):
        """Another tab in front, as when the user switches away; with
        freeze, the page is then frozen, as phones do to background tabs.
        Returns that tab."""
        other = self.browser.new_page()
        if freeze:
            self.send('Page.setWebLifecycleState', {'state': 'frozen'})
        return other

    def show(self):
        self.send('Page.setWebLifecycleState', {'state': 'active'})
        self.browser.send('Target.activateTarget', {'targetId': self.target})

    def screenshot(self, path):
        data = self.send('Page.captureScreenshot', {'format': 'png'})['data']
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(base64.b64decode(data))
