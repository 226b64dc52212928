"""The web card as it travels, packed: its picture without scripts is, pixel
for pixel, the one the card showed before its parts were packed
(reference/noscript-800x600.png, taken from that build at 800 x 600, where
the scene's pictures stand at their own size); its recompressed pictures
hold the icons' pixels; and a browser that cannot unpack the show shows that
picture, with one line saying why, and no error."""

import base64
import os
import re
import unittest

from tests.browser.webcard import OUT, ROOT, TEMPLATE, WebCardCase, fill

from cmake import ico_to_png
from cmake.card_resources import pictures

REFERENCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'reference', 'noscript-800x600.png')
NAMES = 'Mario e Anna'
NEWER = "Per l'animazione con la musica serve un browser pi\u00f9 recente."
BOX = 'JSON.parse(JSON.stringify(document.querySelector(%r).getBoundingClientRect()))'

# Pixels of two PNG pictures (base64) that differ, outside the rectangles
# left out: how many, and the box around them.
DIFFER = '''(async (a, b, outside) => {
    const pixels = async (png) => {
        const image = new Image();
        image.src = "data:image/png;base64," + png;
        await image.decode();
        const canvas = new OffscreenCanvas(image.width, image.height), context = canvas.getContext("2d");
        context.drawImage(image, 0, 0);
        return context.getImageData(0, 0, image.width, image.height);
    };
    const [x, y] = [await pixels(a), await pixels(b)];
    if (x.width !== y.width || x.height !== y.height) return {size: [x.width, x.height, y.width, y.height]};
    let count = 0, box = null;
    for (let i = 0; i < x.data.length; i += 4) {
        const px = (i / 4) % x.width, py = Math.floor(i / 4 / x.width);
        if (outside.some(([l, t, r, b]) => px >= l && px < r && py >= t && py < b)) continue;
        if ([0, 1, 2, 3].every((k) => x.data[i + k] === y.data[i + k])) continue;
        count++;
        box = box ? [Math.min(box[0], px), Math.min(box[1], py), Math.max(box[2], px), Math.max(box[3], py)]
                  : [px, py, px, py];
    }
    return {count, box};
})'''


class PackedPageTest(WebCardCase):
    def differences(self, shot, reference=None, outside=()):
        """Pixels of a picture (PNG, in base64) that differ from another's,
        the reference picture unless told."""
        if reference is None:
            with open(REFERENCE, 'rb') as f:
                reference = base64.b64encode(f.read()).decode('ascii')
        page = self.browser.new_page()
        return page.evaluate('%s(%r, %r, %r)' % (DIFFER, reference, shot, [list(r) for r in outside]))

    def shoot(self, page, name):
        data = page.send('Page.captureScreenshot', {'format': 'png'})['data']
        os.makedirs(OUT, exist_ok=True)
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(base64.b64decode(data))
        return data

    def test_picture_without_scripts_is_the_one_before_packing(self):
        page = self.browser.new_page()
        page.viewport(800, 600)
        page.send('Emulation.setScriptExecutionDisabled', {'value': True})
        page.open(fill(self.folder.name, NAMES))
        shot = self.shoot(page, 'packed-noscript-800x600.png')
        self.assertEqual(self.differences(shot), {'count': 0, 'box': None})

    def test_pictures_keep_the_icons_pixels(self):
        with open(TEMPLATE, encoding='utf-8') as f:
            carried = re.findall(r'<symbol id="p(\d)"[^>]*><image[^>]*href="data:image/png;base64,([^"]+)"', f.read())
        self.assertEqual([int(i) for i, _ in carried], list(range(len(pictures()))))
        for (index, png), (name, _, icon) in zip(carried, pictures()):
            with open(os.path.join(ROOT, 'assets', 'player', icon), 'rb') as f:
                _, _, drawn = ico_to_png.icon_to_png(f.read())
            with self.subTest(name):
                self.assertEqual(self.differences(png, base64.b64encode(drawn).decode('ascii')),
                                 {'count': 0, 'box': None})

    def test_a_browser_that_cannot_unpack_shows_the_picture_and_says_why(self):
        page = self.browser.new_page()
        page.send('Page.addScriptToEvaluateOnNewDocument', {'source': 'delete window.DecompressionStream;'})
        page.viewport(800, 600)
        path = fill(self.folder.name, NAMES)
        page.open(path)
        page.wait_for('typeof Closed !== "undefined"')
        line = page.evaluate(BOX % '#newer')
        self.assertEqual(page.evaluate('document.getElementById("newer").textContent'), NEWER)
        self.assertGreater(line['height'], 0)
        self.assertEqual(page.evaluate(BOX % '#closed')['width'], 0, 'no closed card')
        shot = self.shoot(page, 'packed-old-browser-800x600.png')
        errors = [e for e in page.events('Runtime.consoleAPICalled') if e['type'] in ('error', 'warning')]
        errors += page.events('Runtime.exceptionThrown')
        errors += [e for e in page.events('Log.entryAdded') if e['entry']['level'] in ('error', 'warning')]
        self.assertEqual(errors, [])

        # The picture is the card's without scripts, pixel for pixel, but
        # for the line, where that card has its own.
        quiet = self.browser.new_page()
        quiet.viewport(800, 600)
        quiet.send('Emulation.setScriptExecutionDisabled', {'value': True})
        quiet.open(path)
        banner = quiet.evaluate(BOX % '.open')
        lines = [[int(b['left']), int(b['top']), int(b['right']) + 1, int(b['bottom']) + 1] for b in (line, banner)]
        self.assertEqual(self.differences(shot, outside=lines), {'count': 0, 'box': None})


if __name__ == '__main__':
    unittest.main()
