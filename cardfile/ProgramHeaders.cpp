#include "cardfile/ProgramHeaders.h"

namespace {

unsigned long long Read(const unsigned char* at, size_t bytes) {
  unsigned long long value = 0;
  for (size_t i = bytes; i > 0; --i) value = (value << 8) | at[i - 1];
  return value;
}

constexpr size_t kPeOffsetAt = 0x3C;
constexpr size_t kFileHeaderLength = 20;
constexpr size_t kSectionLength = 40;
constexpr size_t kSizeOfHeadersAt = 60;  // in the optional header, PE32 and PE32+ alike

}  // namespace

bool ReadProgramHeaders(const unsigned char* bytes, size_t length, ProgramHeaders* headers) {
  if (!bytes || length < kPeOffsetAt + 4 || bytes[0] != 'M' || bytes[1] != 'Z') return false;
  ProgramHeaders h = {};
  h.peOffset = Read(bytes + kPeOffsetAt, 4);
  if (h.peOffset + 4 + kFileHeaderLength > length) return false;
  const unsigned char* signature = bytes + h.peOffset;
  if (signature[0] != 'P' || signature[1] != 'E' || signature[2] != 0 || signature[3] != 0) return false;
  const unsigned char* fileHeader = signature + 4;
  h.sections = Read(fileHeader + 2, 2);
  h.optionalSize = Read(fileHeader + 16, 2);
  unsigned long long optional = h.peOffset + 4 + kFileHeaderLength;
  h.sectionTable = optional + h.optionalSize;
  h.sectionsEnd = h.sectionTable + h.sections * kSectionLength;
  if (h.sectionsEnd > length) return false;
  if (h.optionalSize >= 2) h.magic = Read(bytes + optional, 2);
  if (h.optionalSize >= kSizeOfHeadersAt + 4) h.sizeOfHeaders = Read(bytes + optional + kSizeOfHeadersAt, 4);
  *headers = h;
  return true;
}

void SectionInFile(const unsigned char* bytes, const ProgramHeaders& headers, unsigned long long i,
                   unsigned long long* offset, unsigned long long* size) {
  const unsigned char* section = bytes + headers.sectionTable + i * kSectionLength;
  *size = Read(section + 16, 4);
  *offset = Read(section + 20, 4);
}
