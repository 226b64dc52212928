"""Headless Firefox ESR driven over WebDriver BiDi, for the web card's
checks in a second engine: one fresh profile per browser, its one tab.
No sound device is set up for it: CI has none, and the card must not need one.

The same small interface as webkit.py: Browser(downloads, scripts), then
open, evaluate, wait_for, click, key, screenshot, download, close."""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import time

import websocket

from devkit.browsers.pages import Polling, read_text, stop

FIREFOX = '/usr/bin/firefox-esr'
NAME = 'firefox'

# Quiet and local: no first-run or welcome pages, no telemetry, updates or
# other background requests, downloads saved silently where the test looks.
PREFS = {
    'browser.shell.checkDefaultBrowser': False,
    'browser.startup.page': 0,
    'browser.startup.homepage_override.mstone': 'ignore',
    'startup.homepage_welcome_url': 'about:blank',
    'browser.aboutwelcome.enabled': False,
    'datareporting.policy.dataSubmissionEnabled': False,
    'datareporting.healthreport.uploadEnabled': False,
    'toolkit.telemetry.enabled': False,
    'toolkit.telemetry.unified': False,
    'app.update.disabledForTesting': True,
    'app.normandy.enabled': False,
    'browser.safebrowsing.malware.enabled': False,
    'browser.safebrowsing.phishing.enabled': False,
    'browser.safebrowsing.downloads.enabled': False,
    'extensions.update.enabled': False,
    'network.captive-portal-service.enabled': False,
    'network.connectivity-service.enabled': False,
    'browser.download.folderList': 2,
    'browser.download.useDownloadDir': True,
    'browser.download.always_ask_before_handling_new_types': False,
    'browser.download.alwaysOpenPanel': False,
    'browser.download.start_downloads_in_tmp_dir': False,
}


def available():
    """Why Firefox cannot run here, or None."""
    return None if os.path.exists(FIREFOX) else 'Firefox ESR is not installed (%s)' % FIREFOX


class Browser(Polling):
    def __init__(self, downloads, scripts=True):
        self.downloads = downloads
        self.profile = tempfile.mkdtemp(prefix='webcard-firefox-')
        prefs = dict(PREFS, **{'browser.download.dir': downloads, 'javascript.enabled': scripts})
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            for name, value in prefs.items():
                f.write('user_pref(%s, %s);\n' % (json.dumps(name), json.dumps(value)))
        self.log = open(os.path.join(self.profile, 'firefox.log'), 'w')
        # Port 0: Firefox picks a free one and says which in the profile.
        self.process = subprocess.Popen(
            [FIREFOX, '--headless', '--no-remote', '--remote-debugging-port=0', '--profile', self.profile,
             'about:blank'], stdout=self.log, stderr=subprocess.STDOUT)
        self.socket = None
        server = os.path.join(self.profile, 'WebDriverBiDiServer.json')
        deadline = time.time() + 60
        while True:
            try:
                port = json.loads(read_text(server))['ws_port']
                break
            except (ValueError, KeyError):
                if time.time() > deadline or self.process.poll() is not None:
                    said = read_text(self.log.name)[-3000:]
                    self.close()
                    raise RuntimeError('Firefox did not start:\n' + said)
                time.sleep(0.1)
        self.next_id = 0
        self.events = []
        try:
            # Firefox refuses a handshake that names an origin.
            self.socket = websocket.create_connection('ws://127.0.0.1:%d/session' % port, timeout=60,
                                                      suppress_origin=True)
            self.send('session.new', {'capabilities': {}})
            self.send('session.subscribe', {'events': ['browsingContext.downloadEnd']})
            self.context = self.send('browsingContext.getTree', {'maxDepth': 0})['contexts'][0]['context']
        except Exception:
            self.close()
            raise

    def send(self, method, params=None):
        self.next_id += 1
        wanted = self.next_id
        self.socket.send(json.dumps({'id': wanted, 'method': method, 'params': params or {}}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('type') == 'event':
                self.events.append(message)
            elif message.get('id') == wanted:
                break
        if message.get('type') == 'error':
            raise RuntimeError('%s: %s: %s' % (method, message.get('error'), message.get('message')))
        return message['result']

    def open(self, path, width, height):
        self.send('browsingContext.setViewport', {'context': self.context,
                                                   'viewport': {'width': width, 'height': height},
                                                   'devicePixelRatio': 1})
        self.send('browsingContext.navigate', {'context': self.context, 'url': path if '://' in path else 'file://' + os.path.abspath(path),
                                               'wait': 'complete'})

    def evaluate(self, expression):
        """The expression's value (a promise's, awaited) as JSON makes it."""
        # Not an async function: with scripts off its promise never settles.
        reply = self.send('script.evaluate', {
            'expression': '((v) => v instanceof Promise ? v.then(JSON.stringify) : JSON.stringify(v))(%s)'
                          % expression,
            'target': {'context': self.context}, 'awaitPromise': True, 'resultOwnership': 'none'})
        if reply['type'] == 'exception':
            raise RuntimeError('%s: %s' % (expression, reply['exceptionDetails']['text']))
        value = reply['result'].get('value')
        return None if value is None else json.loads(value)

    def click(self, x, y):
        self.send('input.performActions', {'context': self.context, 'actions': [{
            'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
            'actions': [{'type': 'pointerMove', 'x': int(x), 'y': int(y)},
                        {'type': 'pointerDown', 'button': 0}, {'type': 'pointerUp', 'button': 0}]}]})

    def key(self, key):
        """One key, pressed and let go: a character, or 'Enter'."""
        value = {'Enter': '\ue007'}.get(key, key)
        self.send('input.performActions', {'context': self.context, 'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyDown', 'value': value}, {'type': 'keyUp', 'value': value}]}]})

    def screenshot(self, path):
        data = self.send('browsingContext.captureScreenshot', {'context': self.context})['data']
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(base64.b64decode(data))

    def download(self, timeout=20):
        """The next finished download: its file's name and bytes."""
        deadline = time.time() + timeout
        while True:
            ended = [e for e in self.events if e['method'] == 'browsingContext.downloadEnd']
            if ended:
                self.events.remove(ended[0])
                params = ended[0]['params']
                if params['status'] != 'complete':
                    raise RuntimeError('download %s' % params['status'])
                with open(params['filepath'], 'rb') as f:
                    return os.path.basename(params['filepath']), f.read()
            if time.time() > deadline:
                raise TimeoutError('no download')
            self.socket.settimeout(max(0.1, deadline - time.time()))
            try:
                self.events.append(json.loads(self.socket.recv()))
            except websocket.WebSocketTimeoutException:
                pass
            finally:
                self.socket.settimeout(60)

    def close(self):
        try:
            if self.socket:
                self.socket.close()
        finally:
            stop(self.process)
            self.log.close()
            shutil.rmtree(self.profile, ignore_errors=True)
