#include "cardfile/ImageExtent.h"

#include "cardfile/CardLayout.h"

namespace {

unsigned long long Read(const unsigned char* at, size_t bytes) {
  unsigned long long value = 0;
  for (size_t i = bytes; i > 0; --i) value = (value << 8) | at[i - 1];
  return value;
}

constexpr size_t kPeOffsetAt = 0x3C;
constexpr size_t kFileHeaderLength = 20;
constexpr size_t kSectionLength = 40;

}  // namespace

unsigned long long ImageEndFromHeaders(const unsigned char* headers, size_t length) {
  if (length < kPeOffsetAt + 4 || headers[0] != 'M' || headers[1] != 'Z') return 0;
  unsigned long long pe = Read(headers + kPeOffsetAt, 4);
  if (pe + 4 + kFileHeaderLength > length) return 0;
  const unsigned char* signature = headers + pe;
  if (signature[0] != 'P' || signature[1] != 'E' || signature[2] != 0 || signature[3] != 0) return 0;
  const unsigned char* fileHeader = signature + 4;
  unsigned long long sections = Read(fileHeader + 2, 2);
  unsigned long long table = pe + 4 + kFileHeaderLength + Read(fileHeader + 16, 2);
  unsigned long long end = table + sections * kSectionLength;
  if (end > length) return 0;
  for (unsigned long long i = 0; i < sections; ++i) {
    const unsigned char* section = headers + table + i * kSectionLength;
    unsigned long long rawSize = Read(section + 16, 4);
    unsigned long long rawEnd = Read(section + 20, 4) + rawSize;
    if (rawSize != 0 && rawEnd > end) end = rawEnd;
  }
  return end;
}

bool FieldFollowsImage(unsigned long long fileLength, unsigned long long imageEnd) {
  return imageEnd != 0 && fileLength >= imageEnd + SendersFieldLength;
}
