#!/usr/bin/env python3
"""Checks assets/player/tune.mid and chime.wav as the player will use them.

Both files are read back with small parsers written here rather than
trusted from the generator, so a slip in the byte layout shows up.

Run from the repository root: python3 -m unittest tests.assets.test_player_sounds
"""

import cmath
import math
import os
import struct
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.normpath(os.path.join(HERE, '..', '..', 'assets', 'player'))
TUNE = os.path.join(ASSETS, 'tune.mid')
CHIME = os.path.join(ASSETS, 'chime.wav')

LENGTH = 5760                                     # 48 quarters at 120 ticks
F_MAJOR = {5, 7, 9, 10, 0, 2, 4}                  # F G A Bb C D E
CHORDS = {'I': {5, 9, 0}, 'IV': {10, 2, 5}, 'V7': {0, 4, 7, 10}}


# ------------------------------------------------------------ SMF parser

def read_vlq(data, pos):
    value = 0
    for _ in range(4):
        b = data[pos]
        pos += 1
        value = (value << 7) | (b & 0x7F)
        if not b & 0x80:
            return value, pos
    raise ValueError('variable-length quantity longer than 4 bytes')


def parse_track(data):
    """List of events (tick, kind, payload).

    kind is 'meta' (type, bytes), 'sysex' (bytes) or a channel status
    high nibble with payload (channel, data bytes)."""
    events, pos, tick, status = [], 0, 0, None
    lengths = {0x8: 2, 0x9: 2, 0xA: 2, 0xB: 2, 0xC: 1, 0xD: 1, 0xE: 2}
    while pos < len(data):
        delta, pos = read_vlq(data, pos)
        tick += delta
        b = data[pos]
        if b == 0xFF:
            mtype = data[pos + 1]
            size, pos = read_vlq(data, pos + 2)
            events.append((tick, 'meta', (mtype, data[pos:pos + size])))
            pos += size
            status = None
        elif b in (0xF0, 0xF7):
            size, pos = read_vlq(data, pos + 1)
            events.append((tick, 'sysex', data[pos:pos + size]))
            pos += size
            status = None
        else:
            if b & 0x80:
                status = b
                pos += 1
            elif status is None:
                raise ValueError('running status with no status byte')
            n = lengths[status >> 4]
            args = tuple(data[pos:pos + n])
            if len(args) != n or any(a & 0x80 for a in args):
                raise ValueError('bad channel message data at %d' % pos)
            events.append((tick, status >> 4, (status & 0x0F, args)))
            pos += n
    if pos != len(data):
        raise ValueError('event runs past the end of the track')
    return events


def parse_midi(blob):
    if blob[:4] != b'MThd':
        raise ValueError('no MThd')
    hlen, fmt, ntrks, division = struct.unpack('>IHHH', blob[4:14])
    pos, tracks = 8 + hlen, []
    while pos < len(blob):
        cid, size = blob[pos:pos + 4], struct.unpack('>I', blob[pos + 4:pos + 8])[0]
        if pos + 8 + size > len(blob):
            raise ValueError('chunk %r overruns the file' % cid)
        tracks.append((cid, parse_track(blob[pos + 8:pos + 8 + size])
                       if cid == b'MTrk' else None))
        pos += 8 + size
    return (hlen, fmt, ntrks, division), tracks


def notes_of(events):
    """Pairs note-ons with their note-offs: (start, end, channel, key).

    Raises on an off without an on, an on never released, or an on for a
    key that is still down: most synths would let the next off (even one
    at the same tick) silence the new note."""
    sounding, notes = {}, []
    for tick, kind, payload in events:
        if kind not in (0x8, 0x9):
            continue
        ch, (key, vel) = payload
        if kind == 0x9 and vel > 0:
            if sounding.get((ch, key)):
                raise AssertionError('key %d on ch %d struck again while down '
                                     'at %d' % (key, ch, tick))
            sounding.setdefault((ch, key), []).append(tick)
        else:
            starts = sounding.get((ch, key))
            if not starts:
                raise AssertionError('note-off without note-on: ch %d key %d '
                                     'at %d' % (ch, key, tick))
            notes.append((starts.pop(0), tick, ch, key))
    hanging = [(k, v) for k, v in sounding.items() if v]
    if hanging:
        raise AssertionError('notes never released: %r' % hanging)
    return sorted(notes)


def sounding_at(notes, tick):
    return {n[3] for n in notes if n[0] <= tick < n[1]}


class TuneTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        with open(TUNE, 'rb') as f:
            cls.blob = f.read()
        cls.header, cls.chunks = parse_midi(cls.blob)
        cls.tracks = [ev for cid, ev in cls.chunks if cid == b'MTrk']

    def test_header(self):
        self.assertEqual(self.header, (6, 1, 3, 120))

    def test_exactly_three_tracks_and_nothing_else(self):
        self.assertEqual([cid for cid, _ in self.chunks], [b'MTrk'] * 3)

    def test_small(self):
        self.assertLess(len(self.blob), 1200)

    def test_every_track_ends_once_at_the_end(self):
        for i, events in enumerate(self.tracks):
            eots = [e for e in events if e[1] == 'meta' and e[2][0] == 0x2F]
            self.assertEqual(len(eots), 1, 'track %d' % (i + 1))
            self.assertIs(events[-1], eots[0], 'track %d' % (i + 1))
            self.assertEqual(eots[0][2][1], b'')
            self.assertEqual(eots[0][0], LENGTH, 'track %d' % (i + 1))

    def test_conductor_track(self):
        events = self.tracks[0]
        meta = {}
        for tick, kind, payload in events:
            self.assertEqual(kind, 'meta', 'only meta events in track 1')
            mtype, body = payload
            if mtype != 0x2F:
                self.assertNotIn(mtype, meta, 'meta %02X twice' % mtype)
                self.assertEqual(tick, 0, 'meta %02X not at the start' % mtype)
                meta[mtype] = body
        self.assertEqual(int.from_bytes(meta[0x51], 'big'), 500000)
        nn, dd = meta[0x58][0], meta[0x58][1]
        self.assertEqual((nn, 2 ** dd), (4, 4))
        self.assertEqual(len(meta[0x58]), 4)
        sf, mi = struct.unpack('bB', meta[0x59])
        self.assertEqual((sf, mi), (-1, 0))

    def test_length_is_24_seconds(self):
        tempo = int.from_bytes(
            [p for t, k, p in self.tracks[0] if k == 'meta' and p[0] == 0x51][0][1], 'big')
        end = max(e[0] for events in self.tracks for e in events)
        self.assertAlmostEqual(end * tempo / 120 / 1e6, 24.0)

    def check_part(self, events, channel, program):
        chan = [e for e in events if isinstance(e[1], int)]
        self.assertTrue(chan)
        self.assertEqual({e[2][0] for e in chan}, {channel})
        programs = [e for e in chan if e[1] == 0xC]
        self.assertEqual([p[2][1][0] for p in programs], [program])
        first_note = min(e[0] for e in chan if e[1] == 0x9)
        self.assertLessEqual(programs[0][0], first_note)
        self.assertIs(chan[0], programs[0], 'program change before any note')
        notes = notes_of(events)
        self.assertTrue(all(end > start for start, end, _, _ in notes))
        self.assertEqual(max(n[1] for n in notes), LENGTH)
        last = max(e[0] for e in events if e[1] != 'meta')
        self.assertEqual(last, LENGTH)
        return notes

    def test_bells(self):
        notes = self.check_part(self.tracks[1], 0, 14)
        self.assertTrue(40 <= len(notes) <= 60, len(notes))
        keys = [n[3] for n in notes]
        self.assertGreaterEqual(min(keys), 69)      # A4: bells ring high
        self.assertLessEqual(max(keys), 89)         # F6
        self.assertEqual({k % 12 for k in keys} - F_MAJOR, set())
        self.assertEqual(notes[0][0], 0, 'the tune starts at once')
        # One line: each note ends where the next begins.
        for a, b in zip(notes, notes[1:]):
            self.assertEqual(a[1], b[0], 'gap or overlap at %d' % a[1])
        self.assertEqual(notes[-1][3] % 12, 5, 'tune ends on F')
        # The lilt: every onset on the 6/8 quaver grid (80 ticks; the
        # upbeat is one quaver, so bar lines fall on it too) and no leap
        # wider than an octave.
        self.assertTrue(all(n[0] % 80 == 0 for n in notes))
        self.assertTrue(all(abs(a[3] - b[3]) <= 12 for a, b in zip(notes, notes[1:])))

    def test_choir(self):
        notes = self.check_part(self.tracks[2], 2, 52)
        self.assertTrue(60 <= len(notes) <= 100, len(notes))
        keys = [n[3] for n in notes]
        self.assertGreaterEqual(min(keys), 36)
        self.assertEqual({k % 12 for k in keys} - F_MAJOR, set())
        # Long notes: nothing shorter than a crotchet.
        self.assertGreaterEqual(min(n[1] - n[0] for n in notes), 120)

    def test_choir_sits_below_the_bells(self):
        bells = notes_of(self.tracks[1])
        choir = notes_of(self.tracks[2])
        self.assertLess(max(n[3] for n in choir), min(n[3] for n in bells))

    def test_harmony_is_I_IV_V7_and_always_sounding(self):
        choir = notes_of(self.tracks[2])
        bells = notes_of(self.tracks[1])
        for start, _, _, key in bells:
            now = sounding_at(choir, start)
            self.assertGreaterEqual(len(now), 3, 'thin chord at %d' % start)
            classes = {k % 12 for k in now}
            self.assertTrue(any(classes <= c for c in CHORDS.values()),
                            'chord %r at %d' % (sorted(classes), start))
        # Ends on the tonic chord in root position, F in the bass.
        final = sounding_at(choir, LENGTH - 1)
        self.assertEqual({k % 12 for k in final}, CHORDS['I'])
        self.assertEqual(min(final) % 12, 5)
        # Every bell note a beat long (or longer) belongs to the chord under
        # it, counting the chord's tones the choir leaves out (the fifth of V7).
        for start, end, _, key in bells:
            if end - start >= 240:
                classes = {k % 12 for k in sounding_at(choir, start)}
                tones = set().union(*(c for c in CHORDS.values() if classes <= c))
                self.assertIn(key % 12, tones, 'long note clashes at %d' % start)


# ------------------------------------------------------------ WAVE parser

def parse_wave(blob):
    if blob[:4] != b'RIFF' or blob[8:12] != b'WAVE':
        raise ValueError('not RIFF WAVE')
    size = struct.unpack('<I', blob[4:8])[0]
    chunks, pos = [], 12
    while pos < len(blob):
        cid = blob[pos:pos + 4]
        clen = struct.unpack('<I', blob[pos + 4:pos + 8])[0]
        if pos + 8 + clen > len(blob):
            raise ValueError('chunk %r overruns the file' % cid)
        chunks.append((cid, blob[pos + 8:pos + 8 + clen]))
        pos += 8 + clen + (clen & 1)
    return size, chunks


def dft_bins(samples, rate):
    """Magnitudes of the DFT of the centred samples, as (Hz, magnitude)."""
    n = len(samples)
    x = [s - 128 for s in samples]
    out = []
    for k in range(1, n // 2):
        w = cmath.exp(-2j * math.pi * k / n)
        acc, z = 0j, 1 + 0j
        for v in x:
            acc += v * z
            z *= w
        out.append((k * rate / n, abs(acc)))
    return out


class ChimeTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        with open(CHIME, 'rb') as f:
            cls.blob = f.read()
        cls.riff_size, cls.chunks = parse_wave(cls.blob)
        cls.data = dict(cls.chunks)[b'data']

    def test_layout(self):
        self.assertEqual(self.riff_size, len(self.blob) - 8)
        self.assertEqual([c for c, _ in self.chunks], [b'fmt ', b'fact', b'data'])
        self.assertTrue(600 <= len(self.blob) <= 760, len(self.blob))

    def test_format(self):
        fmt = dict(self.chunks)[b'fmt ']
        self.assertEqual(len(fmt), 16)
        tag, ch, rate, byte_rate, align, bits = struct.unpack('<HHIIHH', fmt)
        self.assertEqual((tag, ch, rate, bits), (1, 1, 11025, 8))
        self.assertEqual((byte_rate, align), (11025, 1))

    def test_fact_counts_the_samples(self):
        fact = dict(self.chunks)[b'fact']
        self.assertEqual(len(fact), 4)
        self.assertEqual(struct.unpack('<I', fact)[0], len(self.data))
        # About 56 ms.
        self.assertTrue(550 <= len(self.data) <= 680, len(self.data))

    def test_starts_and_ends_in_silence(self):
        self.assertLessEqual(abs(self.data[0] - 128), 2)
        self.assertLessEqual(abs(self.data[-1] - 128), 2)
        # Eases in and out rather than being cut: the first and last
        # stretches stay close to silence.  A chime cut mid-ring fails here.
        for s in self.data[:4] + self.data[-8:]:
            self.assertLessEqual(abs(s - 128), 4)

    def test_loud_enough(self):
        self.assertGreaterEqual(max(abs(s - 128) for s in self.data), 64)

    def test_no_jumps(self):
        # The loudest part is a fundamental under 2 kHz, which moves by at
        # most 2*sin(pi*2000/11025) = 1.1 of its amplitude per sample; the
        # quieter upper partials add less than that again, so an honest
        # mix with a peak under 128 never steps by 128.  A wrapped-around
        # (overflowed) sample, signed bytes or a splice step by far more.
        steps = [abs(a - b) for a, b in zip(self.data, self.data[1:])]
        self.assertLess(max(steps), 128)

    def test_sounds_like_a_bell(self):
        bins = dft_bins(self.data, 11025)
        total = sum(m * m for _, m in bins)
        f0 = max(bins, key=lambda p: p[1])[0]
        self.assertTrue(1300 <= f0 <= 2000, f0)
        # A strong partial well above the fundamental that is not one of
        # its harmonics: that is what makes it a bell and not a beep.
        upper = [p for p in bins if p[0] > 1.6 * f0]
        fu, mu = max(upper, key=lambda p: p[1])
        self.assertGreater(mu * mu / total, 0.02)
        ratio = fu / f0
        self.assertGreater(abs(ratio - round(ratio)), 0.15, ratio)
        # Clicks and aliasing spread energy to the top of the band.
        top = sum(m * m for f, m in bins if f > 4700)
        self.assertLess(top / total, 0.05)


# ------------------------------------------------------- committed output

class UpToDateTest(unittest.TestCase):
    """The committed files are what the generator makes today."""

    def test_regenerates(self):
        from assets.player import make_sounds as gen
        with open(TUNE, 'rb') as f:
            self.assertEqual(f.read(), gen.midi_bytes())
        with open(CHIME, 'rb') as f:
            old = f.read()
        new = gen.wav_bytes()
        self.assertEqual(len(old), len(new))
        self.assertEqual(old[:44], new[:44])
        # Allow a last-bit difference in another libm's sin/exp.
        self.assertLessEqual(max(abs(a - b) for a, b in zip(old[44:], new[44:])), 1)


if __name__ == '__main__':
    unittest.main()
