"""Both pages under axe-core, the accessibility checker, in headless
Chromium: the generator's page as loaded and with each dialog open, the web
card closed, during its show and at its end. No violation a person would
meet (axe's "serious" or "critical") may stand."""

import os
import unittest

from devkit.browsers import chromium
from tests.browser.webcard import ROOT, WebCardCase, fill

AXE = os.path.join(ROOT, 'tests', 'browser', 'axe', 'node_modules', 'axe-core', 'axe.min.js')
PAGE = os.path.join(ROOT, 'dist', 'Carolux.html')
AUDIT = '''axe.run(document, {resultTypes: ["violations"]}).then((r) => r.violations
    .filter((v) => v.impact === "serious" || v.impact === "critical")
    .map((v) => [v.id, v.help, v.nodes.slice(0, 3).map((n) => n.target.join(" "))]))'''


class AxeTest(WebCardCase):
    @classmethod
    def setUpClass(cls):
        if not os.path.exists(AXE):
            raise unittest.SkipTest('%s missing: run tools/setup first' % AXE)
        super().setUpClass()
        with open(AXE, encoding='utf-8') as f:
            cls.axe = f.read()

    def audit(self, page, state):
        if not page.evaluate('typeof axe !== "undefined"'):
            page.evaluate(self.axe)
        with self.subTest(state=state):
            self.assertEqual(page.evaluate(AUDIT), [])

    def test_the_card_and_the_generators_page(self):
        page = self.open_card('Mario e Anna', 390, 844, 3, True)
        self.audit(page, 'card closed')
        self.tap_middle(page, 390, 844)
        page.evaluate('Card.freezeAt(12000)')
        self.audit(page, 'card during the show')
        _, at = self.times(page)
        page.evaluate('Card.freezeAt(%d)' % (at['end'][0] + 1000))
        page.wait_for('document.documentElement.classList.contains("ended")')
        self.audit(page, 'card at its end')

        page = self.browser.new_page()
        page.viewport(1280, 800)
        page.open(PAGE)
        page.wait_for('typeof Page !== "undefined" && Page.ready')
        self.audit(page, 'generator page')
        page.evaluate('(() => { const n = document.getElementById("names"); n.value = "\\u0395\\u03bb\\u03ad\\u03bd\\u03b7"; '
                      'n.dispatchEvent(new Event("input")); document.querySelector("#kinds input[value=\\"1\\"]").click(); '
                      'document.getElementById("crea").click(); })()')
        page.wait_for('document.getElementById("question").open')
        self.audit(page, 'the question')
        page.evaluate('document.getElementById("no").click(); document.getElementById("about-open").click()')
        page.wait_for('document.getElementById("about").open')
        self.audit(page, 'About')


if __name__ == '__main__':
    unittest.main()
