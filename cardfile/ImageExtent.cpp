#include "cardfile/ImageExtent.h"

#include "cardfile/CardLayout.h"
#include "cardfile/ProgramHeaders.h"

unsigned long long ImageEndFromHeaders(const unsigned char* headers, size_t length) {
  ProgramHeaders program;
  if (!ReadProgramHeaders(headers, length, &program)) return 0;
  unsigned long long end = program.sectionsEnd;
  for (unsigned long long i = 0; i < program.sections; ++i) {
    unsigned long long offset, size;
    SectionInFile(headers, program, i, &offset, &size);
    if (size != 0 && offset + size > end) end = offset + size;
  }
  return end;
}

bool FieldFollowsImage(unsigned long long fileLength, unsigned long long imageEnd) {
  return imageEnd != 0 && fileLength >= imageEnd + SendersFieldLength;
}
