"""What both one-file pages (the web card's template and the generator's
page) are assembled with: base64, HTML escaping, scripts and styles without
their comments, and the policy's hashes of what they carry inline."""

import base64
import hashlib
import re


def b64(data):
    return base64.b64encode(data).decode('ascii')


def escape(text):
    return text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;').replace('"', '&quot;')


def compact(script):
    """The script without its comments and indentation: the sources are read
    in the repository, the page carries only what runs. A comment after code
    stands two spaces or more after it."""
    lines = (re.sub(r'\s{2,}//\s.*$', '', line).strip() for line in script.splitlines())
    return '\n'.join(line for line in lines if line and not line.startswith('//'))


def compact_style(style):
    """The style without its comments and indentation, likewise."""
    lines = (line.strip() for line in re.sub(r'/\*.*?\*/', '', style, flags=re.S).splitlines())
    return '\n'.join(line for line in lines if line)


def csp_hash(text):
    return "'sha256-%s'" % b64(hashlib.sha256(text.encode('utf-8')).digest())
