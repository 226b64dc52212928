"""The generator through its real window under Wine: the focus and Enter,
typing the senders' names, the card it writes and that card running, one
instance at a time, the About window, the save dialog and the type chosen in
it, the card zipped, the web card, a damaged generator, and failures that
leave an existing file as it was. Each
session runs its own copy of the generator container (dist/Carolux.exe, or
its twin) from a scratch folder, so the cards land there."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

from devkit.wine import BUILD, DIST, OUT, ROOT, Session, wait_exit
from tests.assets import test_generator_art as art_reader

CONTAINER = os.path.join(DIST, "Carolux.exe")
PLAYER = os.path.join(DIST, "Nevalto.exe")
ASSETS = os.path.join(ROOT, "assets", "generator")
WEB_TEMPLATE = os.path.join(ROOT, "build", "host", "web", "card-template.html")
# The card writing code the generator and its page share, built for this machine.
CARD_WRITE = os.path.join(ROOT, "build", "host", "card_write")

VK_TAB, VK_RETURN, VK_ESCAPE = 0x09, 0x0D, 0x1B
CONFIRMATION = "Il biglietto augurale \u00e8 stato creato!"
ERROR_PREFIX = "Si \u00e8 verificato un errore creando "
DIALOG_TITLE = "Seleziona cartella e nome dove salvare il biglietto di auguri"
CREA = "Crea biglietto augurale"
ID_CREA, ID_AUGURI, ID_TEXT1, ID_ABOUT, ID_SFOGLIA = 101, 102, 103, 104, 105
FILE_NAME_BOX = 1148  # the file name box of the system's save dialog
FILE_TYPE_BOX = 1136  # its list of file types
EXE_TYPE, ZIP_TYPE = "File eseguibile (*.exe)", "Biglietto compresso (*.zip)"
WEB_TYPE = "Biglietto per il web (*.html)"
TEMPLATE_PROBLEM = "il modello del biglietto per il web"

# Client area of frmWizard, 8205 x 5835 twips, at the 96 dots per inch of the test display.
CLIENT_SIZE = (547, 389)
SHAPE1 = (8, 280, 529, 97)      # the pale yellow box
LBL_DIR = (8, 88, 441, 25)      # the card's path
IMAGE1 = (72, 120)              # the magic wand
IMAGE3 = (16, 298)              # the warning sign
PALE_YELLOW = (255, 255, 192)
RED = (255, 0, 0)
# Where a card on an 800 x 600 screen writes the senders' line.
NAMES_BAND = (200, 460, 400, 45)


def player_image():
    with open(PLAYER, "rb") as f:
        data = f.read()
    assert data[-70:] == bytes(70)
    return data


def card_with(names):
    field = names.encode("cp1252")
    return player_image()[:-70] + field + b" " * (70 - len(field))


def shared_card(file_name, names, dos_date_time=0):
    """The card the generator's page makes (code page 1252), from the same
    writing code built for this machine: the program must write the same."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "card")
        subprocess.run([CARD_WRITE, PLAYER, WEB_TEMPLATE, file_name, names, str(dos_date_time), out], check=True)
        return read(out)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def web_page(names):
    """The page the generator's filler makes of the build's template."""
    return shared_card("Auguri.html", names)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def gif_first_picture(name):
    return art_reader.gif_pictures(art_reader.parse_gif(read(os.path.join(ASSETS, name))))[0]


def names_drawn(session, card, folder, picture):
    """Runs a card and counts the red pixels its senders' line adds."""
    red_before = session.screenshot().count(lambda p: p == RED, NAMES_BAND)
    started = time.time()
    session.start(card, cwd=folder)
    assert session.wait_window("NevaltoCard", timeout_ms=30000) is not None, \
        "the card did not open its window:\n" + session.windows()
    # The names come after the tree, about 21 s in here; a slower machine
    # only stretches the tree.
    time.sleep(18)
    while True:
        shot = session.screenshot()
        names = shot.count(lambda p: p == RED, NAMES_BAND) - red_before
        if names > 800 or time.time() - started > 45:
            break
        time.sleep(0.5)
    shot.save_png(os.path.join(OUT, picture))
    return names


class Generator:
    """One running generator in a session, with what the tests ask of it."""

    def __init__(self, session, name="Carolux.exe", cut=0, damage_template=False):
        self.s = session
        self.folder = session.scratch
        self.path = os.path.join(self.folder, name)
        shutil.copy(CONTAINER, self.path)
        if cut:
            with open(self.path, "r+b") as f:
                f.truncate(os.path.getsize(CONTAINER) - cut)
        if damage_template:  # one letter of the web card's page template changes case
            data = bytearray(read(self.path))
            at = data.index(b"<!DOCTYPE html>") + 1000
            data[at] ^= 0x20
            with open(self.path, "wb") as f:
                f.write(data)
        self.process = session.start(self.path, cwd=self.folder)
        self.info = session.wait_window("CaroluxWizard", "Carolux", timeout_ms=30000)
        assert self.info is not None, "the generator window did not appear:\n" + session.windows()

    def focus(self):
        rc, out = self.s.driver("focus", "CaroluxWizard")
        fields = dict(part.split("=", 1) for part in out.split(" text=")[0].split() if "=" in part)
        return fields.get("class"), int(fields.get("id", "-1"))

    def wait_focus(self, control_id, seconds=10):
        """Message boxes take a moment to go under Wine: waits for the focus
        to come back to the window's control."""
        deadline = time.time() + seconds
        while time.time() < deadline:
            if self.focus()[1] == control_id:
                return True
            time.sleep(0.2)
        return False

    def child_text(self, control_id):
        _, out = self.s.driver("children", "CaroluxWizard")
        for line in out.splitlines():
            if " id=%d " % control_id in line:
                return line.split(" text=", 1)[1]
        return None

    def message(self, timeout_ms=15000):
        found = self.s.dialog("Carolux", timeout_ms)
        if found is None:
            return None
        return [t for t in found[1] if t != "OK"]

    def answer_ok(self):
        assert self.s.press_button("Carolux", "OK")

    def press(self, text):
        assert self.s.press_button("Carolux", text), "no button " + text

    def staged_files(self):
        return [n for n in os.listdir(self.folder) if n.startswith("~crl")]

    def save_as(self, path, type_index=None):
        """The save dialog: the type at type_index (from 0) if given, then the
        name typed, then Save. Returns the chosen type's text."""
        self.press("&Sfoglia")
        assert self.s.dialog(DIALOG_TITLE, 15000) is not None, "the save dialog did not open"
        chosen = None
        if type_index is not None:
            rc, chosen = self.s.driver("select", DIALOG_TITLE, FILE_TYPE_BOX, type_index)
            assert rc == 0
        assert self.s.driver("settext", DIALOG_TITLE, FILE_NAME_BOX, windows_path(path))[0] == 0
        self.s.driver("command", DIALOG_TITLE, 1)
        assert self.s.driver("gone", "#32770", 10000)[0] == 0
        return chosen and chosen.strip()

    def path_label_tip(self):
        """The path label's tooltip, the full destination when the label
        shows it shortened."""
        left, top = self.info.client[:2]
        x, y, w, h = LBL_DIR
        self.s.driver("move", left + x + w // 2, top + y + h // 2)
        rc, out = self.s.driver("tip", 10000)
        text = out.strip() if rc == 0 else None
        self.s.driver("move", 5, 5)
        return text


class CardMakingTest(unittest.TestCase):
    def test_enter_then_names_then_the_card_runs(self):
        with Session(800, 600) as s:
            g = Generator(s)
            left, top, right, bottom = g.info.client
            self.assertEqual((right - left, bottom - top), CLIENT_SIZE)
            self.assertEqual(g.focus(), ("Button", ID_CREA), "the window opens with the focus on " + CREA)
            self.assertEqual(g.child_text(ID_CREA), CREA)

            s.driver("move", 5, 5)  # no tooltip in the picture
            time.sleep(0.5)
            shot = s.screenshot(save_as="generator-screen.png")
            self.assert_designed_pictures(shot, left, top)
            # The window with its frame, as Wine draws it (the README's picture).
            wl, wt, wr, wb = g.info.window
            shot.crop(wl, wt, wr - wl, wb - wt).save_png(os.path.join(OUT, "generator-window.png"))

            # Enter presses the focused button at once: a card with 70 spaces.
            self.assertTrue(s.keys(VK_RETURN))
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            card = os.path.join(g.folder, "Vavuri.exe")
            self.assertEqual(read(card), card_with(""))
            self.assertEqual(g.staged_files(), [])

            # A second start shows nothing and ends.
            second = s.start(g.path, cwd=g.folder)
            self.assertTrue(wait_exit(second, 30), "a second generator must end by itself")
            self.assertEqual(second.returncode, 0)
            wizards = [line for line in s.windows().splitlines() if "class=CaroluxWizard " in line]
            self.assertEqual(len(wizards), 1)
            self.assertNotIn("pid=%d " % second.pid, s.windows())

            # Tab goes round the controls in their designed order.
            self.assertTrue(g.wait_focus(ID_CREA), "the focus must come back to the button")
            for expected in (("Edit", ID_AUGURI), ("Edit", ID_TEXT1), ("Button", ID_ABOUT),
                             ("Button", ID_SFOGLIA), ("Button", ID_CREA)):
                s.keys(VK_TAB)
                g.wait_focus(expected[1], 5)
                self.assertEqual(g.focus(), expected)
            self.assertIsNone(g.process.poll(), "Tab and the instructions' box do not close the window")

            # Typed names go to the card's last 70 bytes.
            s.keys(VK_TAB)
            g.wait_focus(ID_AUGURI, 5)
            self.assertEqual(g.focus(), ("Edit", ID_AUGURI))
            s.driver("type", "Mario e Anna")
            self.assertEqual(g.child_text(ID_AUGURI), "Mario e Anna")
            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            self.assertEqual(read(card), card_with("Mario e Anna"))
            self.assertEqual(read(card), shared_card("Vavuri.exe", "Mario e Anna"), "the generator's page's card")
            self.assertEqual(read(card)[-58:], b" " * 58)
            self.assertEqual(g.process.poll(), None)

            # The card written runs and writes the names it carries.
            self.assertTrue(g.wait_focus(ID_CREA), "the message box goes before the card copies the screen")
            self.assertGreater(names_drawn(s, card, g.folder, "card-from-generator.png"), 800,
                               "the senders' names in red letters")

    def assert_designed_pictures(self, shot, left, top):
        x, y, w, h = SHAPE1
        yellow = shot.count(lambda p: p == PALE_YELLOW, (left + x, top + y, w, h))
        self.assertGreater(yellow, w * h // 2, "the pale yellow box behind the warning")
        for name, (px, py) in (("wand.gif", IMAGE1), ("warning.gif", IMAGE3)):
            picture = gif_first_picture(name)
            opaque = [(cx, cy, c) for cy, row in enumerate(picture) for cx, c in enumerate(row) if c is not None]
            same = sum(shot.pixel(left + px + cx, top + py + cy) == c for cx, cy, c in opaque)
            self.assertGreater(same / len(opaque), 0.95, name + " is shown where designed, at its natural size")
            # Its transparent corner shows what lies behind.
            self.assertNotEqual(shot.pixel(left + px, top + py), (0, 0, 0))


class AboutWindowTest(unittest.TestCase):
    def test_one_about_window_closed_by_esc_enter_and_links(self):
        with Session(800, 600) as s:
            g = Generator(s)
            g.press("?")
            about = s.wait_window("CaroluxAbout", "Informazioni su...")
            self.assertIsNotNone(about, "the About window did not open")
            self.assertTrue(about.flag("toolwindow"), "the About window has no taskbar button")
            left, top, right, bottom = about.client
            self.assertEqual((right - left, bottom - top), (317, 227))
            s.driver("move", 5, 5)
            time.sleep(0.5)
            shot = s.screenshot(save_as="about-window.png")
            banner = gif_first_picture("banner.gif")
            same = sum(shot.pixel(left + 8 + x, top + 130 + y) == c
                       for y, row in enumerate(banner) for x, c in enumerate(row))
            self.assertGreater(same / (147 * 26), 0.95, "the web banner's first frame")

            g.press("?")  # while it is open: no second one
            time.sleep(1)
            abouts = [line for line in s.windows().splitlines() if "class=CaroluxAbout " in line]
            self.assertEqual(len(abouts), 1)

            s.driver("foreground", "CaroluxAbout")
            s.keys(VK_ESCAPE)
            self.assertEqual(s.driver("gone", "CaroluxAbout", 10000)[0], 0, "Esc closes the About window")

            g.press("?")
            self.assertIsNotNone(s.wait_window("CaroluxAbout"))
            s.driver("foreground", "CaroluxAbout")
            s.keys(VK_RETURN)
            self.assertEqual(s.driver("gone", "CaroluxAbout", 10000)[0], 0, "Enter closes the About window")

            # A mail link closes the window whatever the system does with it.
            g.press("?")
            about = s.wait_window("CaroluxAbout")
            s.click(about.client[0] + 243, about.client[1] + 151)  # the second address
            self.assertEqual(s.driver("gone", "CaroluxAbout", 15000)[0], 0, "a link click closes the window")

            # Closing the generator window leaves the program to the About window.
            g.press("?")
            self.assertIsNotNone(s.wait_window("CaroluxAbout"))
            s.driver("close", "CaroluxWizard")
            self.assertEqual(s.driver("gone", "CaroluxWizard", 10000)[0], 0)
            self.assertIsNone(g.process.poll(), "the program lives on while the About window is open")
            assert s.press_button("Informazioni su...", "&Chiudi")
            self.assertTrue(wait_exit(g.process, 15), "the program ends with its last window")


class DestinationTest(unittest.TestCase):
    def test_failures_leave_the_old_file_and_the_dialog_chooses_the_path(self):
        with Session(800, 600) as s:
            # A copy saved under another name still makes cards.
            g = Generator(s, name="Carolux (1).exe")
            card = os.path.join(g.folder, "Vavuri.exe")
            longer = player_image() + b"X" * 5000
            with open(card, "wb") as f:
                f.write(longer)
            os.chmod(card, 0o444)

            g.press(CREA)
            texts = g.message()
            self.assertIsNotNone(texts, "no message for a read-only destination")
            self.assertEqual(len(texts), 1)
            self.assertTrue(texts[0].startswith(ERROR_PREFIX + windows_path(card) + ", "), texts[0])
            self.assertGreater(len(texts[0]), len(ERROR_PREFIX + windows_path(card) + ", "), "with the reason")
            g.answer_ok()
            self.assertTrue(g.wait_focus(ID_CREA), "the message box goes, the window stays")
            self.assertIsNone(s.dialog("Carolux", 3000), "no confirmation after a failure")
            self.assertIsNone(g.process.poll(), "the program goes on after a failure")
            self.assertEqual(read(card), longer, "the existing file is left as it was")
            self.assertEqual(g.staged_files(), [])

            # Writable again: the card replaces it whole, nothing of the old tail stays.
            os.chmod(card, 0o644)
            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            self.assertEqual(read(card), card_with(""))

            # The save dialog: a name without extension gets ".exe".
            sub = os.path.join(g.folder, "Auguri di Natale")
            os.mkdir(sub)
            g.press("&Sfoglia")
            self.assertIsNotNone(s.dialog(DIALOG_TITLE, 15000), "the save dialog did not open")
            self.assertEqual(s.driver("settext", DIALOG_TITLE, FILE_NAME_BOX, windows_path(sub) + "\\Nonni")[0], 0)
            s.driver("command", DIALOG_TITLE, 1)
            self.assertEqual(s.driver("gone", "#32770", 10000)[0], 0)
            s.screenshot(save_as="generator-exe-type.png")
            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            self.assertEqual(read(os.path.join(sub, "Nonni.exe")), card_with(""))

            # Cancelling the dialog keeps Nonni.exe: Vavuri.exe beside the
            # program is not touched.
            with open(card, "wb") as f:
                f.write(b"not a card")
            os.remove(os.path.join(sub, "Nonni.exe"))
            g.press("&Sfoglia")
            self.assertIsNotNone(s.dialog(DIALOG_TITLE, 15000))
            s.driver("command", DIALOG_TITLE, 2)
            self.assertEqual(s.driver("gone", "#32770", 10000)[0], 0)
            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            self.assertEqual(read(os.path.join(sub, "Nonni.exe")), card_with(""))
            self.assertEqual(read(card), b"not a card")


class NamesOutsideTheCodePageTest(unittest.TestCase):
    """Names the card cannot show are asked about: No writes nothing, Yes
    writes the card with what the field can hold: the code page's
    look-alike where it has one, else "?", as the generator's page writes."""

    def test_no_goes_back_and_yes_writes(self):
        with Session(800, 600) as s:
            g = Generator(s)
            names = "Zo\u00eb e \u0396\u03c9\u03ae \u0150rs"
            self.assertEqual(s.driver("settext", "Carolux", ID_AUGURI, names)[0], 0)
            self.assertEqual(g.child_text(ID_AUGURI), names)
            card = os.path.join(g.folder, "Vavuri.exe")
            g.press(CREA)
            found = s.dialog("Carolux")
            self.assertIsNotNone(found, "no question about the names")
            question = [t for t in found[1] if "?" in t and len(t) > 20]
            self.assertEqual(len(question), 1, found[1])
            self.assertIn("\u0396  \u03c9  \u03ae", question[0], "it names the characters the card cannot show, apart")
            self.assertNotIn("\u00eb", question[0].split("\r\n")[0], "not those it can")
            s.screenshot(save_as="names-question.png")
            self.assertTrue(s.press_button("Carolux", "&No"))
            self.assertTrue(g.wait_focus(ID_CREA), "No goes back to the window")
            self.assertFalse(os.path.exists(card))
            self.assertEqual(g.staged_files(), [])

            g.press(CREA)
            self.assertIsNotNone(s.dialog("Carolux"))
            self.assertTrue(s.press_button("Carolux", "&Yes"))
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            field = read(card)[-70:]
            self.assertEqual(field[:6], "Zo\u00eb e ".encode("cp1252"))
            self.assertEqual(field.rstrip(b" ")[6:], b"??? Ors", "stand-ins, one byte each")
            self.assertEqual(read(card), shared_card("Vavuri.exe", names))


class DamagedGeneratorTest(unittest.TestCase):
    def test_a_cut_container_or_a_damaged_template_says_so_and_makes_no_card(self):
        with Session(800, 600) as s:
            g = Generator(s, cut=100, damage_template=True)
            card = os.path.join(g.folder, "Vavuri.exe")
            g.press(CREA)
            found = s.dialog("Carolux", 15000)
            self.assertIsNotNone(found, "no message for a damaged generator")
            s.screenshot(save_as="generator-damaged.png")
            texts = [t for t in found[1] if t != "OK"]
            self.assertEqual(len(texts), 1, texts)
            self.assertTrue(texts[0].startswith(ERROR_PREFIX + windows_path(card) + ", "), texts[0])
            self.assertGreater(len(texts[0]), len(ERROR_PREFIX + windows_path(card) + ", "), "with the reason")
            g.answer_ok()
            self.assertTrue(g.wait_focus(ID_CREA), "the message box goes, the window stays")
            self.assertIsNone(s.dialog("Carolux", 3000), "no confirmation after the error")
            self.assertFalse(os.path.exists(card), "no card")
            self.assertEqual(g.staged_files(), [])
            self.assertIsNone(g.process.poll())

            # The web card needs no player image, but its template is damaged.
            page = os.path.join(g.folder, "Auguri.html")
            g.save_as(page)
            g.press(CREA)
            texts = g.message()
            s.screenshot(save_as="generator-damaged-template.png")
            self.assertEqual(len(texts or []), 1, texts)
            self.assertTrue(texts[0].startswith(ERROR_PREFIX + windows_path(page) + ", " + TEMPLATE_PROBLEM), texts[0])
            g.answer_ok()
            self.assertTrue(g.wait_focus(ID_CREA))
            self.assertIsNone(s.dialog("Carolux", 3000), "no confirmation after the error")
            self.assertFalse(os.path.exists(page), "no page")
            self.assertEqual(g.staged_files(), [])


class ZippedCardTest(unittest.TestCase):
    def test_the_zip_type_writes_an_archive_whose_card_draws_the_names(self):
        with Session(800, 600) as s:
            g = Generator(s)
            s.keys(VK_TAB)
            self.assertTrue(g.wait_focus(ID_AUGURI, 5))
            s.driver("type", "Mario e Anna")
            self.assertEqual(g.child_text(ID_AUGURI), "Mario e Anna")

            # The designed type comes first and is chosen; the zipped card follows it.
            g.press("&Sfoglia")
            self.assertIsNotNone(s.dialog(DIALOG_TITLE, 15000), "the save dialog did not open")
            _, children = s.driver("children", "#32770")
            type_box = [line for line in children.splitlines() if " id=%d " % FILE_TYPE_BOX in line]
            self.assertEqual(len(type_box), 1, children)
            self.assertTrue(type_box[0].endswith(" text=" + EXE_TYPE), type_box[0])
            s.driver("command", DIALOG_TITLE, 2)
            self.assertEqual(s.driver("gone", "#32770", 10000)[0], 0)

            # A name whose dot starts no card's extension: the zipped type
            # gives it ".zip", and the path label says so before "Crea". The
            # folder is deep enough for the label to shorten the path and
            # show it whole in its tooltip.
            folder = os.path.join(g.folder, "Biglietti di Natale per tutta la famiglia e per gli amici lontani")
            os.mkdir(folder)
            self.assertEqual(g.save_as(os.path.join(folder, "Auguri.v2"), 1), ZIP_TYPE)
            archive = os.path.join(folder, "Auguri.v2.zip")
            self.assertEqual(g.path_label_tip(), windows_path(archive))
            s.screenshot(save_as="generator-zip-type.png")

            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            self.assertEqual(sorted(os.listdir(folder)), ["Auguri.v2.zip"], "the archive alone")
            tested = subprocess.run(["unzip", "-t", archive], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            self.assertEqual(tested.returncode, 0, tested.stdout.decode(errors="replace"))
            with zipfile.ZipFile(archive) as z:
                self.assertEqual(z.namelist(), ["Auguri.v2.exe"])
                info = z.infolist()[0]
                self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED)
                self.assertLess(abs(time.mktime(info.date_time + (0, 0, -1)) - time.time()), 120,
                                "written now, in local time")
                member = z.read("Auguri.v2.exe")
            self.assertEqual(member, card_with("Mario e Anna"))
            # The page's writing code, given the moment the archive states, makes the same archive.
            dos_date_time = int.from_bytes(read(archive)[10:14], "little")
            self.assertEqual(read(archive), shared_card("Auguri.v2.zip", "Mario e Anna", dos_date_time))
            self.assertLess(os.path.getsize(archive), len(member) * 0.75, "deflated, not stored")

            # The card out of the archive runs and draws the names.
            unpacked = os.path.join(g.folder, "scompattato")
            os.mkdir(unpacked)
            card = os.path.join(unpacked, "Auguri.exe")
            with open(card, "wb") as f:
                f.write(member)
            self.assertTrue(g.wait_focus(ID_CREA), "the message box goes before the card copies the screen")
            self.assertGreater(names_drawn(s, card, unpacked, "card-from-archive.png"), 800,
                               "the senders' names in red letters")


class WebCardTest(unittest.TestCase):
    def test_the_web_type_writes_the_filled_template_with_the_names_as_typed(self):
        with Session(800, 600) as s:
            g = Generator(s)
            s.keys(VK_TAB)
            self.assertTrue(g.wait_focus(ID_AUGURI, 5))
            s.driver("type", "Mario e Anna")
            self.assertEqual(g.save_as(os.path.join(g.folder, "Auguri"), 2), WEB_TYPE)
            s.driver("move", 5, 5)
            time.sleep(0.5)
            s.screenshot(save_as="generator-web-type.png")

            page = os.path.join(g.folder, "Auguri.html")
            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION])
            g.answer_ok()
            self.assertEqual(g.staged_files(), [])
            written = read(page)
            self.assertEqual(written, web_page("Mario e Anna"))
            self.assertIn(b"Mario e Anna", written)
            # What the friend gets: the page the generator wrote, opened from
            # disk in a real browser (Debian's Python has its protocol client).
            opened = subprocess.run(["/usr/bin/python3", "-m", "tests.browser.open_card", page, "Mario e Anna",
                                     os.path.join(OUT, "web-card")], cwd=ROOT, capture_output=True, text=True,
                                    timeout=180)
            self.assertEqual(opened.returncode, 0, opened.stderr[-2000:])

            # Names no code page holds, and markup: no question, every
            # character in the page, as text.
            names = "Zo\u00eb & \u0396\u03c9\u03ae <b>"
            self.assertTrue(g.wait_focus(ID_CREA))
            self.assertEqual(s.driver("settext", "Carolux", ID_AUGURI, names)[0], 0)
            g.press(CREA)
            self.assertEqual(g.message(), [CONFIRMATION], "no question about the names")
            g.answer_ok()
            written = read(page)
            self.assertEqual(written, web_page(names))
            self.assertIn("Zo\u00eb &amp; \u0396\u03c9\u03ae &lt;b&gt;".encode("utf-8"), written)


if __name__ == "__main__":
    unittest.main()
