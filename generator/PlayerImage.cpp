#include "generator/PlayerImage.h"

#include "cardfile/ProgramHeaders.h"

size_t PlayerImageLength(unsigned long long containerSize) {
  if (containerSize <= PlayerImageOffset) return 0;
  unsigned long long length = containerSize - PlayerImageOffset;
  return length > static_cast<size_t>(-1) ? 0 : static_cast<size_t>(length);
}

bool IsPlayerImage(const unsigned char* image, size_t length) {
  constexpr unsigned long long kDosHeader = 64;
  if (!image || length < kDosHeader + SendersFieldLength) return false;
  // Everything of the program lies before the field.
  const unsigned long long field = length - SendersFieldLength;
  ProgramHeaders program;
  if (!ReadProgramHeaders(image, field, &program) || program.peOffset < kDosHeader) return false;
  if (program.sections == 0 || program.sizeOfHeaders == 0) return false;
  if (program.magic != 0x10B && program.magic != 0x20B) return false;
  unsigned long long headers = program.sizeOfHeaders;
  if (program.sectionsEnd > headers || headers > field) return false;
  unsigned long long end = headers;
  for (unsigned long long i = 0; i < program.sections; ++i) {
    unsigned long long offset, size;
    SectionInFile(image, program, i, &offset, &size);
    if (size == 0) continue;  // nothing in the file (uninitialised data)
    if (offset + size > field) return false;
    if (offset + size > end) end = offset + size;
  }
  return end == field;
}
