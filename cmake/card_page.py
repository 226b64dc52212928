"""The web card's page template, as the page assembler makes it from web/
(cmake/assemble_page.py card): the page, its style and
scripts (minified), the card's pictures and the static picture of the
finished card, and one deflated pack, which the page unpacks behind its
closed card: the scene's WebAssembly, the tune, the chime and the script
that only the show needs (the synthesizer, the show's clock, its sound and
the show itself), which the page runs from there, allowed by its hash. The
names' placeholders stay for the generator to fill; a trailer with the
page's length, CRC-32 and number of placeholders lets it refuse a damaged
template.

With --site-page, also the site's card page: the same page, which takes its
names from its link's fragment, with the tags that messengers read for the
link's preview. --site-url is the site's address (may be empty): the tags'
picture is absolute with it, and a card written as a file links to its own
page on the site from its picture without scripts.

Options: --web DIR --assets DIR --texts CardTexts.h --look CardLook.h --wasm FILE
         --finished FILE --out FILE [--site-page FILE --site-url URL]
"""

import os
import re
import zlib

from cmake import card_resources, ico_to_png
from cmake.page_parts import (b64, csp_hash, escape, fill, minify_script, minify_style, packed, policy, read,
                              smallest_png, within)
from devkit.card_layout import layout_constant

# The names' places the filler knows: as text, in a link, their size class.
PLACEHOLDERS = re.compile(r'\{\{senders(?:_link|_fit)?\}\}')
BANNER = 'Animazione e musica: apri questo file in un browser, sul computer o su Android.'
BANNER_TO_SITE = '<a href="%s">Animazione e musica: apri il biglietto</a>'
SITE_BANNER = "Per l'animazione con la musica, attiva JavaScript nel browser e riapri il link."
CARD_PAGE = 'biglietto.html'
PREVIEW = ('anteprima.jpg', 1200, 630)  # the link's preview picture, beside the card page
PREVIEW_TAGS = (('og:type', 'website'), ('og:title', 'Un biglietto di auguri per te'),
                ('og:description', "Apri il biglietto: l'albero di Natale si accende, con la musica e la neve."),
                ('og:locale', 'it_IT'))
MAX_BYTES = 36 * 1024  # below the card program, which the static tests hold to 37 KB
# The page's own scripts, and those that travel in its pack, in the order
# they run.
SCRIPTS = ('embedded.js', 'frames.js', 'closed.js')
PACKED_SCRIPTS = ('memory.js', 'synth.js', 'clock.js', 'sound.js', 'card.js')


def picture_symbols(assets):
    """One SVG symbol per picture, the icon as a PNG inside."""
    out = []
    for index, (name, _, icon) in enumerate(card_resources.pictures()):
        with open(os.path.join(assets, icon), 'rb') as f:
            width, height, png = ico_to_png.icon_to_png(f.read())
        out.append('<symbol id="p%d" data-name="%s" width="%d" height="%d"><image width="%d" height="%d" '
                   'href="data:image/png;base64,%s"/></symbol>' % (index, name, width, height, width, height,
                                                                     b64(smallest_png(png))))
    return ''.join(out)


def finished_picture(path):
    """The scene's last picture as SVG, and the credit line's place. A run of
    the same picture (the garland) is one path with the picture at every
    point, drawn in order as the scene painted it; each point after the first
    is written as its step from the one before, the shortest way."""
    paints, label = [], None
    with open(path) as f:
        for line in f:
            fields = line.split()
            if fields and fields[0] == 'paint':
                paints.append(tuple(int(v) for v in fields[1:4]))
            elif fields and fields[0] == 'label':
                label = tuple(int(v) for v in fields[1:4])
    if not paints or label is None:
        raise SystemExit('assemble_page: %s holds no finished card' % path)
    svg, markers, i = [], set(), 0
    while i < len(paints):
        j = i
        while j < len(paints) and paints[j][0] == paints[i][0]:
            j += 1
        which = paints[i][0]
        if j - i >= 3:
            markers.add(which)
            svg.append('<path marker-start="url(#m%d)" marker-mid="url(#m%d)" marker-end="url(#m%d)" '
                       'd="m%s"/>' % (which, which, which, path_steps([(x, y) for _, x, y in paints[i:j]])))
        else:
            svg.extend('<use href="#p%d" x="%d" y="%d"/>' % p for p in paints[i:j])
        i = j
    defs = ''.join('<marker id="m%d" markerUnits="userSpaceOnUse" markerWidth="48" markerHeight="48" '
                   'overflow="visible"><use href="#p%d"/></marker>' % (m, m) for m in sorted(markers))
    return defs, ''.join(svg), label


def path_steps(points):
    """The points as a path's moves: the first where it is, then each step
    (a relative line), with no space before a minus sign."""
    numbers = list(points[0])
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        numbers += [x1 - x0, y1 - y0]
    out = str(numbers[0])
    for n in numbers[1:]:
        out += ('%d' if n < 0 else ' %d') % n
    return out


def card_texts(path):
    """The card's own words, from the header the card program uses too."""
    with open(path, encoding='utf-8') as f:
        source = f.read()
    texts = {}
    for name in ('CARD_GREETING_TEXT', 'CARD_CREDIT_LINE'):
        match = re.search(r'#define ' + name + r'[\s\\]*((?:L"[^"]*"\s*)+)', source)
        if not match:
            raise SystemExit('assemble_page: no %s in %s' % (name, path))
        texts[name] = ''.join(re.findall(r'L"([^"]*)"', match.group(1)))
    return texts


def sky_stars():
    """Small stars over the whole window, the same at every build: two tiles
    of different sizes laid over each other, so the sky shows no repeat."""
    seed, out = 20261224, []
    for name, (width, height), count in (('near', (557, 419), 16), ('far', (733, 461), 22)):
        circles = []
        for _ in range(count):
            values = []
            for _ in range(3):
                seed = (seed * 1103515245 + 12345) % 2 ** 31
                values.append(seed / 2 ** 31)
            circles.append('<circle cx="%d" cy="%d" r="%.1f"/>' % (width * values[0], height * values[1],
                                                                    0.6 + 1.2 * values[2] ** 3))
        out.append('<pattern id="stars-%s" width="%d" height="%d" patternUnits="userSpaceOnUse" fill="#fff">%s'
                   '</pattern>' % (name, width, height, ''.join(circles)))
    return ''.join(out)


def site_address(url):
    """The site's address as the build was given it, ending in a slash, or
    empty. Only a web address, with no fragment of its own."""
    if not url:
        return ''
    if not re.fullmatch(r'https?://[^\s/?#<>"\']+(/[^\s?#<>"\']*)?', url):
        raise SystemExit('assemble_page: the site\'s address %r is not an http(s) address' % url)
    return url if url.endswith('/') else url + '/'


def preview_tags(site):
    name, width, height = PREVIEW
    tags = list(PREVIEW_TAGS) + [('og:image', site + name), ('og:image:width', str(width)),
                                 ('og:image:height', str(height)), ('og:image:alt', "L'albero di Natale del biglietto")]
    if site:
        tags.append(('og:url', site + CARD_PAGE))
    return ''.join('<meta property="%s" content="%s">' % (key, escape(value)) for key, value in tags) + \
        '<meta name="twitter:card" content="summary_large_image">'


def site_page(page):
    """The site's card page from the filled template's markup: no names in it
    (the script reads them from the link), and its own title and banner."""
    title = '<title>Un biglietto di auguri da {{senders}}</title>'
    if title not in page:
        raise SystemExit('assemble_page: the page\'s title is not where the site page expects it')
    page = page.replace(title, '<title>Un biglietto di auguri</title>')
    return page.replace('{{senders_fit}}', '1').replace('{{senders_link}}', '').replace('{{senders}}', '')


def card_look(path):
    """The letters' and the credit line's colours, as the card draws them."""
    names = {'letter_fill': 'kLetterFill', 'letter_shadow': 'kLetterShadow', 'credit_band': 'kCreditBand',
             'credit_letters': 'kCreditLetters'}
    return {key: '#%06x' % layout_constant(name, path) for key, name in names.items()}


def include(web, name):
    return read(os.path.join(web, name))


def options(parser):
    for option in ('--web', '--assets', '--texts', '--look', '--wasm', '--finished', '--out'):
        parser.add_argument(option, required=True)
    parser.add_argument('--site-page')
    parser.add_argument('--site-url', default='')


def assemble(args):
    site = site_address(args.site_url)
    wasm, tune, chime = (read(path, binary=True) for path in (args.wasm, os.path.join(args.assets, 'tune.mid'),
                                                              os.path.join(args.assets, 'chime.wav')))
    markers, finished, (label_left, label_top, label_width) = finished_picture(args.finished)

    show = minify_script(''.join(include(args.web, name) for name in PACKED_SCRIPTS))
    script = packed('CARD_DATA', (wasm, tune, chime, show.encode('utf-8'))) + \
        minify_script(''.join(include(args.web, name) for name in SCRIPTS))
    boot = minify_script(include(args.web, 'boot.js'))
    look = card_look(args.look)
    style = minify_style(fill(include(args.web, 'style.css'), look, what='style'))
    csp = policy([csp_hash(style)], [csp_hash(s) for s in (boot, script, show)])
    texts = card_texts(args.texts)
    values = {
        'greeting': escape(texts['CARD_GREETING_TEXT']),
        'credit': escape(texts['CARD_CREDIT_LINE'].replace('&&', '&')),
        'sky_stars': sky_stars(),
        'csp': csp,
        'style': style,
        'boot': boot,
        'script': script,
        'symbols': picture_symbols(args.assets) + markers,
        'finished': finished,
        'label_left': str(label_left),
        'label_top': str(label_top),
        'label_width': str(label_width),
        'label_centre': str(label_left + label_width // 2),
        **look,
    }
    source = include(args.web, 'page.html')

    def page(extra):
        return fill(source, dict(values, **extra), keep=('senders', 'senders_link', 'senders_fit'))

    if args.site_page:
        body = site_page(page({'banner': escape(SITE_BANNER), 'link_card': ' data-link',
                               'preview_tags': preview_tags(site)})).encode('utf-8')
        with open(args.site_page, 'wb') as f:
            f.write(within(body, MAX_BYTES, 'site page'))
    banner = BANNER_TO_SITE % (escape(site + CARD_PAGE) + '#{{senders_link}}') if site else escape(BANNER)
    text = page({'banner': banner, 'link_card': '', 'preview_tags': ''})
    body = within(text.encode('utf-8'), MAX_BYTES, 'web card')
    places = len(PLACEHOLDERS.findall(text))
    if not 1 <= places <= 0xFF:
        raise SystemExit('assemble_page: %d places for the names' % places)
    trailer = '\n<!-- webcard %08x %08x %02x -->\n' % (len(body), zlib.crc32(body), places)
    with open(args.out, 'wb') as f:
        f.write(body + trailer.encode('ascii'))
