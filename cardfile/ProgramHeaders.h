#pragma once
// The headers of a Windows program as far as the card's file layout needs
// them: where its sections' bytes lie in the file. The one reader of them,
// for the card reading its own field and the generator checking the image
// it copies.

#include <stddef.h>

struct ProgramHeaders {
  unsigned long long peOffset;       // where the PE signature is
  unsigned long long optionalSize;   // bytes of the optional header
  unsigned long long magic;          // 0x10B for PE32, 0x20B for PE32+, when optionalSize allows
  unsigned long long sizeOfHeaders;  // likewise
  unsigned long long sectionTable;   // offset of the section table
  unsigned long long sections;       // its number of entries
  unsigned long long sectionsEnd;    // where the section table ends
};

// False unless the bytes start with a DOS header that points at a PE
// signature, and the file header and the whole section table lie inside
// length. 64-bit sums cannot wrap on any of the headers' values.
bool ReadProgramHeaders(const unsigned char* bytes, size_t length, ProgramHeaders* headers);

// Where section i's raw data lies in the file, and how long it is.
void SectionInFile(const unsigned char* bytes, const ProgramHeaders& headers, unsigned long long i,
                   unsigned long long* offset, unsigned long long* size);
