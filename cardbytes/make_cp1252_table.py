#!/usr/bin/env python3
"""Writes cardbytes/Cp1252Table.inc: how Windows turns Unicode into code page
1252 when a program asks for no exact match (WideCharToMultiByte with no
flags), from the code page file Wine ships, which is made from the best-fit
table Windows itself publishes. The Windows-side test holds the result
against the system's own conversion, for every UTF-16 unit.

    make_cp1252_table.py [/usr/share/wine/nls/c_1252.nls]
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def tables(path):
    with open(path, 'rb') as f:
        data = f.read()
    header = struct.unpack_from('<7H', data, 0)
    if header[0] != 13 or header[1] != 1252 or header[2] != 1 or len(data) < 65536 + 28 + 512:
        raise SystemExit('make_cp1252_table: %s is not the single-byte code page 1252' % path)
    to_unicode = struct.unpack_from('<256H', data, 28)
    from_unicode = data[-65536:]  # one byte per UTF-16 unit, at the end of the file
    return to_unicode, from_unicode


def main():
    to_unicode, from_unicode = tables(sys.argv[1] if len(sys.argv) > 1 else '/usr/share/wine/nls/c_1252.nls')
    default = ord('?')
    for c in range(65536):
        exact = to_unicode[from_unicode[c]] == c
        if c < 0x80 and not exact:
            raise SystemExit('make_cp1252_table: ASCII is not kept at %04X' % c)
    best_fit = [(c, from_unicode[c]) for c in range(65536)
                if to_unicode[from_unicode[c]] != c and from_unicode[c] != default]
    lines = ['// Made by make_cp1252_table.py from the code page tables; do not edit.',
             '// The characters of the upper half, by byte 0x80 to 0xFF.',
             'const uint16_t kUpperHalf[128] = {']
    upper = ['0x%04X' % to_unicode[b] for b in range(128, 256)]
    lines += ['    ' + ', '.join(upper[i:i + 8]) + ',' for i in range(0, 128, 8)]
    lines += ['};', '// Stand-ins for characters the code page lacks, by UTF-16 unit; all others become "?".',
              'const BestFit kBestFit[%d] = {' % len(best_fit)]
    pairs = ['{0x%04X, 0x%02X}' % pair for pair in best_fit]
    lines += ['    ' + ', '.join(pairs[i:i + 6]) + ',' for i in range(0, len(pairs), 6)]
    lines.append('};')
    with open(os.path.join(HERE, 'Cp1252Table.inc'), 'w') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
