"""What both one-file pages (the web card's template and the generator's
page) are assembled with: base64, HTML escaping, scripts and styles
minified, pictures recompressed, and the policy's hashes of what they carry
inline. The sources stay readable in the repository; the pages carry only
what runs."""

import base64
import hashlib
import os
import re
import shutil
import subprocess
import tempfile

from cmake.deflate_raw import deflate_raw


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


def read(path, binary=False):
    with open(path, 'rb' if binary else 'r', **({} if binary else {'encoding': 'utf-8'})) as f:
        return f.read()


def fill(source, values, keep=(), what='page'):
    """Each {{name}} of the source with its value. Names in keep stay as they
    are, for a later filler; any other name without a value stops the build
    and is named."""
    unknown = set()

    def value(match):
        name = match.group(1)
        if name in values:
            return values[name]
        if name not in keep:
            unknown.add(name)
        return match.group(0)

    out = re.sub(r'\{\{(\w+)\}\}', value, source)
    if unknown:
        raise SystemExit('assemble_page: nothing for %s in the %s' % (', '.join(sorted(unknown)), what))
    return out


def policy(styles, scripts, frames=False):
    """The page's Content-Security-Policy: nothing loads; pictures from data:,
    the styles and scripts it carries by their hashes, WebAssembly, and
    blob: frames where asked."""
    return ("default-src 'none'; img-src data:; style-src %s; script-src %s 'wasm-unsafe-eval'; %s"
            "base-uri 'none'; form-action 'none'" % (' '.join(styles), ' '.join(scripts),
                                                     'frame-src blob:; ' if frames else ''))


def packed(name, parts):
    """A script line that carries the parts in one deflated pack, and their
    lengths to part them again."""
    return 'const %s = {pack: "%s", parts: [%s]};\n' % (name, b64(deflate_raw(b''.join(parts))),
                                                       ', '.join(str(len(p)) for p in parts))


def within(body, limit, what):
    """The page's bytes, once they are seen to stay within its limit."""
    if len(body) > limit:
        raise SystemExit('assemble_page: the %s has %d bytes, more than %d' % (what, len(body), limit))
    return body
