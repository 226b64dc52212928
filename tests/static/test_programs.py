"""Static checks of the shipped programs: what Windows XP and later will
accept, what they import, the card's free senders' field, and the generator
container: the generator's image, then the player image at its offset."""

import os
import re
import struct
import unittest
import zlib

from devkit.pe import PeFile
from devkit.card_layout import player_image_offset

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PLAYER = os.path.join(ROOT, "dist", "Nevalto.exe")
PLAYER_TWIN = os.path.join(ROOT, "dist", "x64", "Nevalto.exe")
GENERATOR = os.path.join(ROOT, "dist", "Carolux.exe")
GENERATOR_TWIN = os.path.join(ROOT, "dist", "x64", "Carolux.exe")
WEB_TEMPLATE = os.path.join(ROOT, "build", "host", "web", "card-template.html")

PLAYER_IMAGE_OFFSET = player_image_offset()
# The card is what people mail: it stays within 37 KB.
CARD_CEILING = 37 * 1024

# Windows' own libraries; nothing else may be needed to run a card.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "comctl32.dll", "comdlg32.dll",
               "shell32.dll", "winmm.dll", "advapi32.dll"}

# Reached by name at run time, so a system lacking one still starts the card.
BOUND_AT_RUN_TIME = {"SetWindowPos", "GetWindowLongA", "SetWindowLongA", "SetLayeredWindowAttributes",
                     "CreateDCA", "StretchBlt", "DeleteDC", "BeginPath", "EndPath", "StrokeAndFillPath",
                     "Sleep", "GetVersionExA", "GetTempPathW", "mciSendStringW", "sndPlaySoundA",
                     "InitCommonControlsEx", "GetOpenFileNameW", "GetSaveFileNameW", "ShellExecuteW"}
# The generator also binds DrawTextW by name for fitting paths, but its labels
# paint with it too, so it is imported all the same and not listed above.


class ShippedPlayerTest(unittest.TestCase):
    def setUp(self):
        self.pe = PeFile.load(PLAYER)

    def test_is_a_32_bit_windows_gui_program_for_xp_and_later(self):
        self.assertEqual(self.pe.machine, 0x14C)  # i386
        self.assertFalse(self.pe.is_pe32_plus)
        self.assertEqual(self.pe.subsystem, 2)  # GUI: no console window
        self.assertLessEqual((self.pe.subsystem_major, self.pe.subsystem_minor), (5, 1))
        self.assertLessEqual((self.pe.os_major, self.pe.os_minor), (5, 1))

    def test_imports_only_windows_own_libraries(self):
        imports = self.pe.imports()
        self.assertIn("msvcrt.dll", {d.lower() for d in imports})
        self.assertLessEqual({d.lower() for d in imports}, SYSTEM_DLLS)

    def test_functions_bound_at_run_time_are_not_imported(self):
        imported = {f for names in self.pe.imports().values() for f in names}
        self.assertEqual(imported & BOUND_AT_RUN_TIME, set())

    def test_ends_in_seventy_free_zero_bytes_after_the_image(self):
        self.assertEqual(self.pe.data[-70:], bytes(70))
        # Nothing of the image lies in the field: it follows the last section.
        self.assertLessEqual(self.pe.image_end(), len(self.pe.data) - 70)

    def test_fits_under_its_ceiling(self):
        self.assertLessEqual(len(self.pe.data), CARD_CEILING)

    def test_has_no_checksum_and_no_signature(self):
        self.assertEqual(self.pe.checksum, 0)
        self.assertEqual(self.pe.directories[4], (0, 0))  # certificate table

    def test_carries_only_its_icon_manifest_and_pack_under_italian(self):
        resources = self.pe.resources()
        italian = 1040
        self.assertEqual(sorted((kind, number) for kind, number, _ in resources),
                         [(3, 1), (10, 300), (14, 1), (24, 1)])  # icon, pack, icon group, manifest
        self.assertTrue(all(language == italian for _, _, language in resources))

    def test_carries_its_seven_pictures_tune_and_chime_packed_as_made(self):
        pack = self.pe.resources().get((10, 300, 1040))  # RCDATA
        self.assertIsNotNone(pack)
        records = zlib.decompress(pack[4:], -15)
        self.assertEqual(len(records), struct.unpack_from("<I", pack)[0])
        found = {}
        at = 0
        while at < len(records):
            number, _, length = struct.unpack_from("<HHI", records, at)
            found[number] = records[at + 8:at + 8 + length]
            at += 8 + length
        for number, name in ((101, "neve"), (102, "green"), (103, "star_bright"), (104, "star_dark"),
                             (105, "snowman"), (106, "candle"), (107, "bauble")):
            ico = read(os.path.join(ROOT, "assets", "player", name + ".ico"))
            size, offset = struct.unpack_from("<II", ico, 14)
            self.assertEqual(found.pop(number, None), ico[offset:offset + size], name)
        # The tune and the chime, each as its file, under the numbers they
        # had as resources of their own.
        self.assertEqual(found.pop(100, None), read(os.path.join(ROOT, "assets", "player", "tune.mid")))
        self.assertEqual(found.pop(200, None), read(os.path.join(ROOT, "assets", "player", "chime.wav")))
        self.assertEqual(found, {})


class PlayerTwinTest(unittest.TestCase):
    def test_twin_is_the_same_program_for_64_bit_windows(self):
        pe = PeFile.load(PLAYER_TWIN)
        self.assertEqual(pe.machine, 0x8664)
        self.assertTrue(pe.is_pe32_plus)
        self.assertEqual(pe.subsystem, 2)
        imported = {f for names in pe.imports().values() for f in names}
        self.assertEqual(imported & BOUND_AT_RUN_TIME, set())
        self.assertLessEqual({d.lower() for d in pe.imports()}, SYSTEM_DLLS)
        self.assertEqual(pe.data[-70:], bytes(70))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fixed_version(data):
    """(major, minor, build, revision) of the version record's fixed part."""
    key = data.index("VS_VERSION_INFO".encode("utf-16-le"))
    at = data.index(struct.pack("<I", 0xFEEF04BD), key)
    assert at - key <= 36, "the fixed part follows the record's key"
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF


class ContainerChecks:
    container_path = player_path = template_path = None
    machine = arch = None

    def setUp(self):
        self.container = read(self.container_path)
        self.generator = self.container[:PLAYER_IMAGE_OFFSET]
        self.pe = PeFile(self.generator)

    def test_player_image_follows_at_the_offset(self):
        self.assertEqual(self.container[PLAYER_IMAGE_OFFSET:], read(self.player_path))

    def test_generator_image_ends_before_the_offset_and_zeros_fill_the_rest(self):
        self.assertEqual(self.pe.machine, self.machine)
        self.assertEqual(self.pe.subsystem, 2)  # GUI
        end = self.pe.image_end()
        self.assertLessEqual(end, PLAYER_IMAGE_OFFSET)
        self.assertEqual(self.generator[end:], bytes(PLAYER_IMAGE_OFFSET - end))

    def test_imports_only_windows_own_libraries_and_none_bound_by_name(self):
        imports = self.pe.imports()
        self.assertLessEqual({d.lower() for d in imports}, SYSTEM_DLLS)
        imported = {f for names in imports.values() for f in names}
        self.assertEqual(imported & BOUND_AT_RUN_TIME, set())

    def test_manifest_asks_for_common_controls_6_for_its_architecture(self):
        manifest = re.search(rb"<assembly.*?</assembly>", self.generator, re.S)
        self.assertIsNotNone(manifest)
        text = manifest.group(0).decode("utf-8")
        controls = re.search(r'<assemblyIdentity[^>]*Microsoft\.Windows\.Common-Controls[^>]*/>', text)
        self.assertIsNotNone(controls, text)
        self.assertIn('version="6.0.0.0"', controls.group(0))
        self.assertIn('processorArchitecture="%s"' % self.arch, controls.group(0))
        self.assertIn('processorArchitecture="%s"' % self.arch, text.split("<dependency>")[0])

    def test_version_record_is_1_1_0_0(self):
        self.assertEqual(fixed_version(self.generator), (1, 1, 0, 0))

    def test_carries_the_web_cards_page_template_its_build_made(self):
        rcdata, template, italian = 10, 301, 1040
        self.assertEqual(self.pe.resources().get((rcdata, template, italian)), read(self.template_path))


class ShippedGeneratorTest(ContainerChecks, unittest.TestCase):
    container_path, player_path, template_path, machine, arch = GENERATOR, PLAYER, WEB_TEMPLATE, 0x14C, "x86"

    def test_is_a_32_bit_program_for_xp_and_later(self):
        self.assertFalse(self.pe.is_pe32_plus)
        self.assertLessEqual((self.pe.subsystem_major, self.pe.subsystem_minor), (5, 1))
        self.assertLessEqual((self.pe.os_major, self.pe.os_minor), (5, 1))


class GeneratorTwinTest(ContainerChecks, unittest.TestCase):
    container_path, player_path, template_path, machine, arch = (GENERATOR_TWIN, PLAYER_TWIN, WEB_TEMPLATE,
                                                                 0x8664, "amd64")


if __name__ == "__main__":
    unittest.main()
