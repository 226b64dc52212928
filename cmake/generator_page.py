"""The generator's page, dist/Carolux.html, as the page assembler makes it
(cmake/assemble_page.py generator) from webgen/: the page,
its style and script (minified, the script with the web card's reader of
embedded bytes, web/embedded.js), one deflated pack of the writing code's
WebAssembly, the finished player image and the web card's template (each
byte for byte, which the page unpacks), the program's icon (once) and the
About window's contacts and version. One file that opens from disk or any
static host and loads nothing.

Its Content-Security-Policy allows its own style and script by hash, and the
web card's too: the preview frame shows the card from a blob: address, and
such a document keeps the policy of the page that made it, besides its own.

With --site-out, also the site's own copy of the page, which offers the
card's link: it stands beside the card page, which the link opens.

The kinds of card are the save dialog's types, read from CardPath.cpp, in
the page's markup, so that nothing moves when its script starts.

Options: --page DIR --web DIR --wasm FILE --image FILE --template FILE --about-texts TOOL
         --resources Carolux.rc --icon FILE --card-path CardPath.cpp --out FILE [--site-out FILE]
"""

import os
import re
import subprocess

from cmake import ico_to_png
from cmake.page_parts import (b64, csp_hash, escape, fill, minify_script, minify_style, packed, policy, read,
                              smallest_png, within)
from devkit.card_layout import senders_field_length

MAX_BYTES = 96 * 1024


def card_sources(template):
    """The hashes the web card's own policy allows for its style and scripts."""
    match = re.search(rb'http-equiv="Content-Security-Policy" content="([^"]*)"', template)
    if not match:
        raise SystemExit('assemble_page: the web card template has no policy')
    policy = dict((part.strip().split(' ', 1) + [''])[:2] for part in match.group(1).decode().split(';'))

    def hashes(directive):
        return [source for source in policy.get(directive, '').split() if source.startswith("'sha256-")]

    return hashes('style-src'), hashes('script-src')


def about_texts(tool, resources):
    """The About window's version caption, contacts and mail links, from the
    window's own code (the build's about_texts), for the program's version."""
    match = re.search(r'FILEVERSION\s+(\d+),\s*(\d+),\s*(\d+),\s*(\d+)', read(resources))
    if not match:
        raise SystemExit('assemble_page: no FILEVERSION in %s' % resources)
    major, minor, _, revision = match.groups()
    lines = subprocess.run([tool, major, minor, revision], check=True, capture_output=True).stdout.decode('utf-8')
    return dict(line.split('=', 1) for line in lines.splitlines())


def card_types(path):
    """The save dialog's types in order: (description, pattern)."""
    block = re.search(r'kTypes\[\] = \{(.*?)\n\};', read(path), re.S)
    types = re.findall(r'\{L"([^"]+)", L"([^"]+)", L"[^"]+"\}', block.group(1) if block else '')
    if not types:
        raise SystemExit('assemble_page: no card types in %s' % path)
    return types


def default_name(path):
    """The card's name when none is typed, as the program and the page give it."""
    match = re.search(r'kDefaultCardName\[\] = L"([^"]+)";', read(path))
    if not match:
        raise SystemExit('assemble_page: no default name in %s' % path)
    return match.group(1)


def kinds_markup(types, web_checked):
    """One radio per type, its value the filter index; the web card chosen
    where the link is not offered."""
    return ''.join('<label><input type="radio" name="kind" value="%d"%s>%s</label>\n' % (
        i + 1, ' checked' if web_checked and pattern == '*.html' else '', escape(description))
        for i, (description, pattern) in enumerate(types)).rstrip('\n')


def options(parser):
    for option in ('--page', '--web', '--wasm', '--image', '--template', '--about-texts', '--resources', '--icon',
                   '--card-path', '--out'):
        parser.add_argument(option, required=True)
    parser.add_argument('--site-out')


def assemble(args):
    image, template = read(args.image, binary=True), read(args.template, binary=True)
    field = senders_field_length()
    if image[-field:] != bytes(field):
        raise SystemExit('assemble_page: %s does not end in the free senders\' field' % args.image)
    script = packed('PAGE_DATA', (read(args.wasm, binary=True), image, template)) + \
        minify_script(''.join(read(path) for path in (os.path.join(args.web, 'embedded.js'),
                                                      os.path.join(args.web, 'memory.js'),
                                                      os.path.join(args.page, 'page.js'))))
    style = minify_style(read(os.path.join(args.page, 'page.css')))
    # Marks the page as scripted before it shows, so the form never shows
    # where it could not work: nor where the browser cannot unpack it.
    boot = 'document.documentElement.className = window.DecompressionStream ? "js" : "";'
    card_styles, card_scripts = card_sources(template)
    csp = policy([csp_hash(style)] + card_styles, [csp_hash(boot), csp_hash(script)] + card_scripts, frames=True)
    _, _, icon = ico_to_png.icon_to_png(read(args.icon, binary=True))
    icon = smallest_png(icon)
    about = {name: escape(text) for name, text in about_texts(args.about_texts, args.resources).items()}
    values = dict(about, csp=csp, style=style, script=script, boot=boot, icon=b64(icon),
                  default_name=escape(default_name(args.card_path)))
    source = read(os.path.join(args.page, 'page.html'))
    types = card_types(args.card_path)
    for path, site in ((args.out, False), (args.site_out, True)):
        if not path:
            continue
        own = {'site': ' data-site' if site else '', 'link_hidden': '' if site else ' hidden',
               'link_checked': ' checked' if site else '', 'kinds': kinds_markup(types, not site)}
        page = fill(source, dict(values, **own), what="generator's page").encode('utf-8')
        with open(path, 'wb') as f:
            f.write(within(page, MAX_BYTES, "generator's page"))
