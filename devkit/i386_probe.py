"""Can this machine run 32-bit x86 programs? Tried, not guessed: a tiny
static i386 Linux program that only exits with 42 is written and run.
As python3 -m devkit.i386_probe: exit 0 when it can, else prints why and exits 1."""

import os
import struct
import subprocess
import sys
import tempfile

# mov eax, 1 (exit); mov ebx, 42; int 0x80
CODE = bytes.fromhex("b801000000bb2a000000cd80")


def tiny_i386_program():
    base, header, segment = 0x08048000, 52, 32
    size = header + segment + len(CODE)
    elf = b"\x7fELF" + bytes([1, 1, 1, 0]) + bytes(8) + struct.pack(
        "<HHIIIIIHHHHHH", 2, 3, 1, base + header + segment, header, 0, 0, header, segment, 1, 0, 0, 0)
    load = struct.pack("<IIIIIIII", 1, 0, base, base, size, size, 5, 0x1000)
    return elf + load + CODE


def i386_problem():
    """None when the kernel runs i386 code, else the reason it does not."""
    with tempfile.TemporaryDirectory(prefix="carolux-i386-") as folder:
        path = os.path.join(folder, "probe")
        with open(path, "wb") as f:
            f.write(tiny_i386_program())
        os.chmod(path, 0o755)
        try:
            rc = subprocess.run([path], timeout=10).returncode
        except OSError as e:
            return "the kernel does not execute i386 programs (%s)" % e.strerror
        except subprocess.TimeoutExpired:
            return "a tiny i386 program did not end"
    return None if rc == 42 else "a tiny i386 program ended with %d instead of 42" % rc


if __name__ == "__main__":
    problem = i386_problem()
    if problem:
        print(problem)
    sys.exit(1 if problem else 0)
