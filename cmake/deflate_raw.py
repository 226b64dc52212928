"""Raw deflate, with no header: the form the card's inflater and the
browsers' DecompressionStream("deflate-raw") read. Made by zopfli, smaller
than zlib at its best and the same bytes at every build."""

import os
import shutil
import subprocess
import tempfile

ITERATIONS = 50


def deflate_raw(data):
    zopfli = shutil.which('zopfli')
    if not zopfli:
        raise SystemExit('deflate_raw: zopfli is missing (tools/setup installs it)')
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, 'data')
        with open(path, 'wb') as f:
            f.write(data)
        return subprocess.run([zopfli, '--deflate', '--i%d' % ITERATIONS, '-c', path], check=True,
                              stdout=subprocess.PIPE).stdout
