"""The one reader of Windows PE files: for the build steps that finish and
assemble the programs, the checks of what the build ships and the benchmark."""

import struct


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        self.pe_offset = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.pe_offset:self.pe_offset + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        coff = self.pe_offset + 4
        (self.machine, self.section_count, self.timestamp, _, _, self.optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, coff)
        opt = coff + 20
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.is_pe32_plus = self.magic == 0x20B
        self.entry_point = struct.unpack_from("<I", data, opt + 16)[0]
        self.file_alignment = struct.unpack_from("<I", data, opt + 36)[0]
        (self.os_major, self.os_minor, _, _, self.subsystem_major,
         self.subsystem_minor) = struct.unpack_from("<HHHHHH", data, opt + 40)
        self.checksum_offset = opt + 64
        self.checksum = struct.unpack_from("<I", data, self.checksum_offset)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + (112 if self.is_pe32_plus else 96)
        count = struct.unpack_from("<I", data, dirs - 4)[0]
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(count)]
        self.sections = []
        sec = opt + self.optional_size
        for i in range(self.section_count):
            name, vsize, vaddr, rsize, rptr = struct.unpack_from("<8sIIII", data, sec + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), vaddr, vsize, rptr, rsize))

    @classmethod
    def load(cls, path):
        with open(path, "rb") as f:
            return cls(f.read())

    def image_end(self):
        """Offset of the first byte after the last section's raw data."""
        return max(rptr + rsize for _, _, _, rptr, rsize in self.sections)

    def rva_to_offset(self, rva):
        for _, vaddr, vsize, rptr, rsize in self.sections:
            if vaddr <= rva < vaddr + max(vsize, rsize):
                return rva - vaddr + rptr
        raise ValueError("address outside the sections: %#x" % rva)

    def _cstring(self, offset):
        end = self.data.index(b"\0", offset)
        return self.data[offset:end].decode("ascii")

    def imports(self):
        """{dll name: [function names]} from the import directory."""
        rva, size = self.directories[1]
        result = {}
        if not rva:
            return result
        at = self.rva_to_offset(rva)
        thunk_size, flag = (8, 1 << 63) if self.is_pe32_plus else (4, 1 << 31)
        while True:
            lookup, _, _, name_rva, first_thunk = struct.unpack_from("<IIIII", self.data, at)
            if not (lookup or name_rva or first_thunk):
                break
            names = []
            t = self.rva_to_offset(lookup or first_thunk)
            while True:
                value = struct.unpack_from("<Q" if self.is_pe32_plus else "<I", self.data, t)[0]
                if not value:
                    break
                if value & flag:
                    names.append("#%d" % (value & 0xFFFF))
                else:
                    names.append(self._cstring(self.rva_to_offset(value) + 2))
                t += thunk_size
            result[self._cstring(self.rva_to_offset(name_rva))] = names
            at += 20
        return result

    def resources(self):
        """{(type, name, language): bytes}; type and name are strings for
        named entries and numbers otherwise."""
        rva, _ = self.directories[2]
        if not rva:
            return {}
        base = self.rva_to_offset(rva)

        def entries(offset):
            named, numbered = struct.unpack_from("<HH", self.data, offset + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, offset + 16 + 8 * i)
                if ident & 0x80000000:
                    at = base + (ident & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, at)[0]
                    ident = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                yield ident, target

        found = {}
        for kind, to_names in entries(base):
            for name, to_languages in entries(base + (to_names & 0x7FFFFFFF)):
                for language, to_data in entries(base + (to_languages & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from("<II", self.data, base + to_data)
                    start = self.rva_to_offset(data_rva)
                    found[(kind, name, language)] = self.data[start:start + size]
        return found


def image_end(data):
    """Offset of the first byte after the last section's raw data."""
    return PeFile(data).image_end()
