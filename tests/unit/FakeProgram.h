#pragma once
// A program image laid out as the build lays out the player: DOS header, PE
// header at 0x80, section table, headers padded to 0x400, each section's raw
// data in turn, then the 70 zero bytes of the senders' field. Shared by the
// host and the Windows-side tests.

#include <stddef.h>

#include <vector>

struct FakeSection {
  size_t rawSize;
  unsigned char fill;
};

inline void PutWord(std::vector<unsigned char>& b, size_t at, unsigned value) {
  b[at] = static_cast<unsigned char>(value);
  b[at + 1] = static_cast<unsigned char>(value >> 8);
}

inline void PutDword(std::vector<unsigned char>& b, size_t at, unsigned long value) {
  PutWord(b, at, static_cast<unsigned>(value & 0xFFFF));
  PutWord(b, at + 2, static_cast<unsigned>(value >> 16));
}

constexpr size_t kFakePe = 0x80;
constexpr size_t kFakeHeaders = 0x400;

// Offset of section i's header in the section table.
inline size_t FakeSectionHeader(bool pe32plus, size_t i) { return kFakePe + 24 + (pe32plus ? 240 : 224) + 40 * i; }

inline std::vector<unsigned char> FakeProgram(const std::vector<FakeSection>& sections, bool pe32plus = false) {
  std::vector<unsigned char> b(kFakeHeaders, 0);
  b[0] = 'M';
  b[1] = 'Z';
  PutDword(b, 0x3C, kFakePe);
  b[kFakePe] = 'P';
  b[kFakePe + 1] = 'E';
  PutWord(b, kFakePe + 4, pe32plus ? 0x8664 : 0x14C);
  PutWord(b, kFakePe + 6, static_cast<unsigned>(sections.size()));
  PutWord(b, kFakePe + 20, pe32plus ? 240 : 224);
  size_t optional = kFakePe + 24;
  PutWord(b, optional, pe32plus ? 0x20B : 0x10B);
  PutDword(b, optional + 60, kFakeHeaders);
  for (size_t i = 0; i < sections.size(); ++i) {
    size_t header = FakeSectionHeader(pe32plus, i);
    b[header] = '.';
    b[header + 1] = static_cast<unsigned char>('a' + i);
    PutDword(b, header + 16, static_cast<unsigned long>(sections[i].rawSize));
    PutDword(b, header + 20, static_cast<unsigned long>(sections[i].rawSize ? b.size() : 0));
    b.insert(b.end(), sections[i].rawSize, sections[i].fill);
  }
  b.insert(b.end(), 70, 0);
  return b;
}
