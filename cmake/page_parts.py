"""What both one-file pages (the web card's template and the generator's
page) are assembled with: base64, HTML escaping, scripts and styles
minified, pictures recompressed, and the policy's hashes of what they carry
inline. The sources stay readable in the repository; the pages carry only
what runs."""

import base64
import hashlib
import os
import shutil
import subprocess
import tempfile


def b64(data):
    return base64.b64encode(data).decode('ascii')


def escape(text):
    return text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;').replace('"', '&quot;')


def tool(name):
    found = shutil.which(name)
    if not found:
        raise SystemExit('page_parts: %s is missing (tools/setup installs it)' % name)
    return found


def _esbuild(text, *options):
    return subprocess.run([tool('esbuild'), '--minify', '--charset=utf8', '--log-level=warning'] + list(options),
                          input=text.encode('utf-8'), stdout=subprocess.PIPE, check=True).stdout.decode('utf-8').strip()


def minify_script(script):
    """The script minified; the names at its top level, which the page's
    other script and the tests read, stay. Written for browsers from before
    the page's needs, so that an old one parses it and stays quiet."""
    return _esbuild(script, '--loader=js', '--target=es2017')


def minify_style(style):
    return _esbuild(style, '--loader=css')


def smallest_png(png):
    """The same picture, pixel for pixel, as small as zopflipng makes it."""
    with tempfile.TemporaryDirectory() as folder:
        source, smaller = os.path.join(folder, 'in.png'), os.path.join(folder, 'out.png')
        with open(source, 'wb') as f:
            f.write(png)
        subprocess.run([tool('zopflipng'), '-m', '-y', source, smaller], check=True, stdout=subprocess.DEVNULL)
        with open(smaller, 'rb') as f:
            return f.read()


def csp_hash(text):
    return "'sha256-%s'" % b64(hashlib.sha256(text.encode('utf-8')).digest())
