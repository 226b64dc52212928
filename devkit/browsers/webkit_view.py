"""The child process of webkit.py: a GTK window on an X display (Xvfb for
the tests) holding one WebKitWebView as large as the window, so that the
page's viewport is exactly the window's size. It owns the GTK main loop and
takes one JSON command a line on stdin, answering each with one JSON line
on stdout ({"id", "value"} or {"id", "error"}); finished downloads come as
{"event": "download", ...} lines in between.

    /usr/bin/python3 webkit_view.py DOWNLOADS_FOLDER SCRIPTS(1 or 0)"""

import json
import os
import sys

import gi

gi.require_version('Gtk', '3.0')
gi.require_version('Gdk', '3.0')
gi.require_version('WebKit2', '4.1')
gi.require_foreign('cairo')  # the snapshot is a cairo surface
from gi.repository import Gdk, GLib, Gtk, WebKit2  # noqa: E402

# The protocol has stdout to itself: whatever the libraries print goes to
# stderr.
OUT = os.fdopen(os.dup(1), 'w', buffering=1)
os.dup2(2, 1)


class View:
    def __init__(self, downloads, scripts):
        self.downloads = downloads
        self.scripts = scripts
        self.window = Gtk.Window()
        self.window.set_decorated(False)
        self.window.move(0, 0)
        self.context = WebKit2.WebContext.get_default()
        self.context.connect('download-started', self.download_started)
        self.view = WebKit2.WebView.new_with_context(self.context)
        self.settings = self.view.get_settings()
        self.window.add(self.view)
        self.loading = None  # the id waiting for the page's load
        self.view.connect('load-changed', self.load_changed)
        self.view.connect('load-failed', self.load_failed)
        self.resize(800, 600)
        self.window.show_all()
        self.buffer = b''
        GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, self.readable)

    def reply(self, id, value=None, error=None):
        OUT.write(json.dumps({'id': id, 'error': error} if error else {'id': id, 'value': value}) + '\n')

    def readable(self, fd, condition):
        data = os.read(fd, 65536)
        if not data:
            Gtk.main_quit()
            return False
        self.buffer += data
        while b'\n' in self.buffer:
            line, self.buffer = self.buffer.split(b'\n', 1)
            command = json.loads(line)
            try:
                getattr(self, 'do_' + command.pop('do'))(**command)
            except Exception as e:  # noqa: BLE001 the test side sees it
                self.reply(command['id'], error=repr(e))
        return True

    def resize(self, width, height):
        self.window.set_size_request(width, height)
        self.window.resize(width, height)

    # The commands, each answered once.

    def do_size(self, id, width, height):
        self.resize(width, height)
        self.reply(id)

    # Scripts off is the browser's setting while the page loads, as a
    # person's would be: the page is parsed without them (its noscript
    # shows, its scripts never run). They come back on once it has loaded,
    # for the test's own readings alone.
    def do_open(self, id, url):
        self.loading = id
        self.settings.set_enable_javascript(self.scripts)
        self.view.load_uri(url)

    def load_changed(self, view, event):
        if event == WebKit2.LoadEvent.FINISHED and self.loading is not None:
            self.settings.set_enable_javascript(True)
            id, self.loading = self.loading, None
            self.reply(id)

    def load_failed(self, view, event, uri, error):
        if self.loading is not None:
            id, self.loading = self.loading, None
            self.reply(id, error='%s: %s' % (uri, error.message))
        return True

    def do_eval(self, id, body):
        """The body of an async function; its result must be a string (or
        undefined), as JSON.stringify gives."""
        def done(view, result):
            try:
                value = view.call_async_javascript_function_finish(result)
                self.reply(id, None if value.is_undefined() else value.to_string())
            except Exception as e:  # noqa: BLE001 the test side sees it
                self.reply(id, error=repr(e))
        self.view.call_async_javascript_function(body, -1, None, None, None, None, done)

    def event(self, kind, **fields):
        event = Gdk.Event.new(kind)
        event.any.window = self.view.get_window()
        seat = self.view.get_display().get_default_seat()
        key = kind in (Gdk.EventType.KEY_PRESS, Gdk.EventType.KEY_RELEASE)
        event.set_device(seat.get_keyboard() if key else seat.get_pointer())
        part = event.key if key else event.motion if kind == Gdk.EventType.MOTION_NOTIFY else event.button
        part.time = Gtk.get_current_event_time() or GLib.get_monotonic_time() // 1000
        for name, value in fields.items():
            setattr(part, name, value)
        Gtk.main_do_event(event)

    def do_click(self, id, x, y):
        # Real GDK pointer events, handed to the web view as the X server's
        # would be: the page sees a mouse's move, press, release and click.
        origin = self.view.get_window().get_origin()
        at = dict(x=float(x), y=float(y), x_root=float(x + origin.x), y_root=float(y + origin.y))
        self.event(Gdk.EventType.MOTION_NOTIFY, **at)
        self.event(Gdk.EventType.BUTTON_PRESS, button=1, **at)
        self.event(Gdk.EventType.BUTTON_RELEASE, button=1, state=Gdk.ModifierType.BUTTON1_MASK, **at)
        self.reply(id)

    def do_key(self, id, key):
        # A GDK key press and release, through the view's input method as
        # a keyboard's would go.
        keyval = Gdk.KEY_Return if key == 'Enter' else Gdk.unicode_to_keyval(ord(key))
        found, entries = Gdk.Keymap.get_for_display(self.view.get_display()).get_entries_for_keyval(keyval)
        if not found:
            raise ValueError('no key gives %r' % key)
        state = Gdk.ModifierType.SHIFT_MASK if entries[0].level == 1 else 0
        fields = dict(keyval=keyval, hardware_keycode=entries[0].keycode, group=entries[0].group, state=state)
        self.view.grab_focus()
        self.event(Gdk.EventType.KEY_PRESS, **fields)
        self.event(Gdk.EventType.KEY_RELEASE, **fields)
        self.reply(id)

    def do_shot(self, id, path):
        def done(view, result):
            try:
                view.get_snapshot_finish(result).write_to_png(path)
                self.reply(id)
            except Exception as e:  # noqa: BLE001 the test side sees it
                self.reply(id, error=repr(e))
        self.view.get_snapshot(WebKit2.SnapshotRegion.VISIBLE, WebKit2.SnapshotOptions.NONE, None, done)

    def download_started(self, context, download):
        failed_already = []

        def destination(download, suggested):
            download.set_allow_overwrite(True)
            download.set_destination(GLib.filename_to_uri(os.path.join(self.downloads, suggested), None))
            return True

        def finished(download):
            if failed_already:
                return  # said already
            OUT.write(json.dumps({'event': 'download', 'path': GLib.filename_from_uri(download.get_destination())[0]})
                      + '\n')

        def failed(download, error):
            failed_already.append(True)
            OUT.write(json.dumps({'event': 'download', 'error': error.message}) + '\n')
        download.connect('decide-destination', destination)
        download.connect('finished', finished)
        download.connect('failed', failed)


if __name__ == '__main__':
    View(sys.argv[1], sys.argv[2] == '1')
    Gtk.main()
