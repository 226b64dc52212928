"""The house's includes run one way, down: a room of the source tree includes
only itself and the rooms beneath it, from the ground: common; winapi and
codecs; cardfile and forms; player; web; cardbytes; generator and webgen
(the two front ends, which include neither each other)."""

import os
import re
import subprocess
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
FLOORS = [('common',), ('winapi', 'codecs'), ('cardfile', 'forms'), ('player',), ('web',), ('cardbytes',),
          ('generator', 'webgen')]
FLOOR = {room: level for level, rooms in enumerate(FLOORS) for room in rooms}


class IncludesTest(unittest.TestCase):
    def test_no_room_includes_one_above_it_or_beside_it(self):
        files = subprocess.run(['git', 'ls-files', '--cached', '--others', '--exclude-standard', '*.cpp', '*.h', '*.inc'],
                               cwd=ROOT, capture_output=True, text=True, check=True).stdout.split()
        rooms = {f.split('/')[0] for f in files}
        self.assertLessEqual({'common', 'cardbytes', 'generator', 'webgen', 'web', 'player'}, rooms)
        upward = []
        for path in files:
            room = path.split('/')[0]
            if room not in FLOOR:
                continue
            with open(os.path.join(ROOT, path), encoding='utf-8') as f:
                for n, line in enumerate(f, 1):
                    included = re.match(r'\s*#\s*include\s+"([^/"]+)/', line)
                    if included and included.group(1) in FLOOR and included.group(1) != room \
                            and FLOOR[included.group(1)] >= FLOOR[room]:
                        upward.append('%s:%d %s' % (path, n, line.strip()))
        self.assertEqual(upward, [])


if __name__ == '__main__':
    unittest.main()
