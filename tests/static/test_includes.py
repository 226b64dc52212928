"""The house's includes run one way, down: a room of the source tree includes
only itself and the rooms on the floors beneath it, as cmake/Rooms.cmake
lays them out (the build links them so), so rooms on one floor include
neither each other."""

import os
import re
import subprocess
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))


def floors():
    with open(os.path.join(ROOT, 'cmake', 'Rooms.cmake'), encoding='utf-8') as f:
        listed = re.search(r'set\(CAROLUX_FLOORS ([^)]*)\)', f.read()).group(1)
    return [floor.split() for floor in re.findall(r'"([^"]*)"|(\S+)', listed) for floor in floor if floor]


FLOORS = floors()
FLOOR = {room: level for level, rooms in enumerate(FLOORS) for room in rooms}


class IncludesTest(unittest.TestCase):
    def test_no_room_includes_one_above_it_or_beside_it(self):
        files = subprocess.run(['git', 'ls-files', '--cached', '--others', '--exclude-standard', '*.cpp', '*.h', '*.inc'],
                               cwd=ROOT, capture_output=True, text=True, check=True).stdout.split()
        rooms = {f.split('/')[0] for f in files}
        # Every folder of sources is a room on a floor, so the build makes it a library.
        self.assertEqual(rooms - {'tests'}, set(FLOOR))
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
