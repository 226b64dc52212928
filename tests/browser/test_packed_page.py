"""The web card as it travels, packed: its picture without scripts is, pixel
for pixel, the one the card showed before its parts were packed
(reference/noscript-800x600.png, taken from that build at 800 x 600, where
the scene's pictures stand at their own size)."""

import base64
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from webcard import OUT, WebCardCase, fill  # noqa: E402

REFERENCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'reference', 'noscript-800x600.png')
NAMES = 'Mario e Anna'

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
    def differences(self, shot, outside=()):
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


if __name__ == '__main__':
    unittest.main()
