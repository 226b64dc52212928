#!/usr/bin/env python3
"""Writes the card player's sounds: assets/player/tune.mid and chime.wav.

tune.mid is our arrangement of the traditional carol "Tu scendi dalle
stelle": tubular bells carry the tune, a choir holds the chords under it.
The carol lilts in 6/8; here one 6/8 bar fills one 4/4 bar at 120 bpm, so
its quaver is a crotchet triplet (80 ticks) and each of its two beats is a
minim (240 ticks).  That gives the dotted-crotchet beat about 60 per minute,
an unhurried pastorale pace, and twelve bars of the carol in 24 seconds.

chime.wav is the short bell the player rings when the card opens a page.

Usage: python3 -m assets.player.make_sounds [output_dir]
The output directory defaults to assets/player, this script's folder.
A listing of the tune is printed so it can be checked by eye.
"""

import math
import os
import struct
import sys

# ------------------------------------------------------------------ music

DIVISION = 120            # ticks per quarter note
TEMPO_US = 500000         # 120 bpm
E, Q, DQ = 80, 160, 240   # 6/8 quaver, crotchet and dotted crotchet
BAR = 480
LENGTH = 48 * DIVISION    # 24 s

BELLS_CH, BELLS_PROGRAM = 0, 14    # GM 15 Tubular Bells
CHOIR_CH, CHOIR_PROGRAM = 2, 52    # GM 53 Choir Aahs

NAMES = ['C', 'C#', 'D', 'Eb', 'E', 'F', 'F#', 'G', 'Ab', 'A', 'Bb', 'B']


def pitch(name):
    """'Bb5' -> MIDI note number (C4 = 60)."""
    letter, octave = name[:-1], int(name[-1])
    return NAMES.index(letter) + 12 * (octave + 1)


def name_of(note):
    return '%s%d' % (NAMES[note % 12], note // 12 - 1)


# The tune in F major, bells register C5..D6.  Every phrase starts on the
# same upbeat quaver and fills exactly three bars with it; the words are
# kept beside the notes so the lilt (stress on the crotchets) can be
# checked against the carol.
PHRASE_A = [  # Tu scendi dalle stelle, o Re del Cielo
    ('C5', E),                                        # Tu
    ('F5', Q), ('F5', E), ('G5', Q), ('A5', E),       # scen-di dal-le
    ('Bb5', Q), ('A5', E), ('G5', Q), ('F5', E),      # stel-le_o Re del
    ('G5', Q), ('F5', E), ('E5', Q),                  # Cie - lo
]
PHRASE_B = [  # e vieni in una grotta al freddo e al gelo
    ('C5', E),                                        # e
    ('A5', Q), ('A5', E), ('Bb5', Q), ('C6', E),      # vie-ni_in u-na
    ('D6', Q), ('C6', E), ('Bb5', Q), ('A5', E),      # grot-ta_al fred-do_e_al
    ('G5', DQ), ('F5', Q),                            # ge - lo
]
MELODY = PHRASE_A + PHRASE_B + PHRASE_A + PHRASE_B

# Harmony, one chord per 6/8 beat (240 ticks) for the twelve bars after
# the upbeat.  Only I, IV and V7: the tune outlines them plainly, and the
# accented passing notes (G over F, Bb over F) resolve by step.
F, BB, C7 = 'F', 'Bb', 'C7'
CHORDS = [F, F,   BB, C7,  C7, C7,    # phrase A: half close on C7
          F, F,   BB, BB,  C7, F,     # phrase B: full close
          F, F,   BB, C7,  C7, C7,
          F, F,   BB, BB,  C7, F]
# Close upper voicing an octave and more below the bells, moving by step
# or not at all between chords.
UPPER = {F: ('A3', 'C4', 'F4'), BB: ('Bb3', 'D4', 'F4'),
         C7: ('Bb3', 'C4', 'E4')}
# Pastorale bass: root on the first beat, fifth below on the second when
# a chord is held for the whole bar.
ROOT = {F: 'F2', BB: 'Bb2', C7: 'C3'}
LOW_FIFTH = {F: 'C3', BB: 'F2', C7: 'G2'}

BELLS_VELOCITY = 92
CHOIR_VELOCITY = 58
BASS_VELOCITY = 66


def melody_notes():
    """(start, end, note, velocity) for the bells, legato."""
    out, t = [], 0
    for name, dur in MELODY:
        out.append((t, t + dur, pitch(name), BELLS_VELOCITY))
        t += dur
    assert t == LENGTH, t
    return out


def beat_span(i):
    """Ticks covered by harmony beat i.  The first beat also takes the
    upbeat, and the last one gives that quaver back, as the carol's
    final bar does."""
    start = E + i * DQ
    return (0 if i == 0 else start), min(start + DQ, LENGTH)


def choir_notes():
    """(start, end, note, velocity) for the choir."""
    out = []
    # Upper voices: a new chord at every bar line and at every change of
    # chord; a held chord is sung through the bar.
    i = 0
    while i < len(CHORDS):
        chord = CHORDS[i]
        j = i + 1
        if i % 2 == 0 and j < len(CHORDS) and CHORDS[j] == chord:
            j += 1
        start, end = beat_span(i)[0], beat_span(j - 1)[1]
        for name in UPPER[chord]:
            out.append((start, end, pitch(name), CHOIR_VELOCITY))
        i = j
    # Bass, one note per beat.
    for i, chord in enumerate(CHORDS):
        start, end = beat_span(i)
        held = i % 2 == 1 and CHORDS[i - 1] == chord
        bass = LOW_FIFTH[chord] if held else ROOT[chord]
        out.append((start, end, pitch(bass), BASS_VELOCITY))
    # Fill out the last tonic chord with the tenor F.
    start, end = beat_span(len(CHORDS) - 1)
    out.append((start, end, pitch('F3'), CHOIR_VELOCITY))
    assert max(n[1] for n in out) == LENGTH
    return out


# ------------------------------------------------------------- SMF bytes

def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def track_chunk(body):
    return b'MTrk' + struct.pack('>I', len(body)) + body


def meta_track():
    body = b''
    body += vlq(0) + b'\xFF\x03' + vlq(22) + b'Tu scendi dalle stelle'
    body += vlq(0) + b'\xFF\x51\x03' + TEMPO_US.to_bytes(3, 'big')
    body += vlq(0) + b'\xFF\x58\x04' + bytes([4, 2, 24, 8])  # 4/4
    body += vlq(0) + b'\xFF\x59\x02' + bytes([0xFF, 0])     # F major
    # End where the music ends so every track is the same length.
    body += vlq(LENGTH) + b'\xFF\x2F\x00'
    return track_chunk(body)


def note_track(channel, program, notes):
    """Notes as note-on pairs (velocity 0 = off) under running status.

    At equal times offs come before ons, so a repeated pitch is
    re-struck rather than cut short."""
    events = []
    for start, end, note, vel in notes:
        events.append((start, 1, note, vel))
        events.append((end, 0, note, 0))
    events.sort()
    body = vlq(0) + bytes([0xC0 | channel, program])
    status = 0x90 | channel
    body += vlq(0) + bytes([status])   # first note event states the status
    now, first = 0, True
    for t, _, note, vel in events:
        if not first:
            body += vlq(t - now)
        first = False
        body += bytes([note, vel])
        now = t
    body += vlq(LENGTH - now) + b'\xFF\x2F\x00'
    return track_chunk(body)


def midi_bytes():
    head = b'MThd' + struct.pack('>IHHH', 6, 1, 3, DIVISION)
    return (head + meta_track()
            + note_track(BELLS_CH, BELLS_PROGRAM, melody_notes())
            + note_track(CHOIR_CH, CHOIR_PROGRAM, choir_notes()))


# ------------------------------------------------------------------ chime

RATE = 11025
CHIME_SAMPLES = 614                  # ~56 ms
CHIME_F0 = 1396.9                    # F6, the tune's tonic
# Free-bar modes 1 and 2.76 give the metallic, inharmonic colour; the
# bar's next mode (5.4) would sit above Nyquist at this rate, so a quiet
# partial at 3.6 stands in for the upper shimmer.  Higher partials die
# faster, as they do on a struck bar.  (ratio, amplitude, decay in s)
PARTIALS = [(1.0, 1.0, 0.022), (2.76, 0.42, 0.011), (3.6, 0.16, 0.006)]
FADE_IN = 24                         # ~2 ms: soft enough not to click
FADE_OUT = 110                       # ~10 ms down to exact silence
PEAK = 104                           # largest excursion from 128


def chime_samples():
    raw = []
    for n in range(CHIME_SAMPLES):
        t = n / RATE
        v = sum(a * math.exp(-t / tau) * math.sin(2 * math.pi * CHIME_F0 * r * t)
                for r, a, tau in PARTIALS)
        # Raised-cosine edges: zero slope at both ends, hence no click.
        if n < FADE_IN:
            v *= 0.5 - 0.5 * math.cos(math.pi * n / FADE_IN)
        tail = CHIME_SAMPLES - 1 - n
        if tail < FADE_OUT:
            v *= 0.5 - 0.5 * math.cos(math.pi * tail / FADE_OUT)
        raw.append(v)
    k = PEAK / max(abs(v) for v in raw)
    return bytes(max(0, min(255, 128 + round(v * k))) for v in raw)


def wav_bytes():
    data = chime_samples()
    fmt = struct.pack('<HHIIHH', 1, 1, RATE, RATE, 1, 8)
    chunks = (b'fmt ' + struct.pack('<I', len(fmt)) + fmt
              + b'fact' + struct.pack('<II', 4, len(data))
              + b'data' + struct.pack('<I', len(data)) + data)
    if len(data) & 1:
        chunks += b'\0'                      # RIFF chunks are word aligned
    return b'RIFF' + struct.pack('<I', 4 + len(chunks)) + b'WAVE' + chunks


# ------------------------------------------------------------------ main

def listing():
    """The bells part as note names, in 6/8 quavers, one bar per line."""
    lines, bar, pos = ['upbeat: '], [], 0
    for start, end, note, _ in melody_notes():
        bar.append('%s/%d' % (name_of(note), (end - start) // E))
        pos += end - start
        if (pos - E) % BAR == 0 or end == LENGTH:
            lines[-1] += ' '.join(bar)
            lines.append('bar %2d: ' % ((pos - E) // BAR + 1))
            bar = []
    return '\n'.join(lines[:-1])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else here
    os.makedirs(out_dir, exist_ok=True)
    for name, data in (('tune.mid', midi_bytes()), ('chime.wav', wav_bytes())):
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)
        print('%-10s %5d bytes' % (name, len(data)))
    mel, cho = melody_notes(), choir_notes()
    seconds = max(n[1] for n in mel + cho) * TEMPO_US / DIVISION / 1e6
    print('bells %d notes, choir %d notes, %.2f s' % (len(mel), len(cho), seconds))
    print(listing())


if __name__ == '__main__':
    main()
