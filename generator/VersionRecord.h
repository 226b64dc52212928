#pragma once
// Reading the fixed part of a version record (the VS_VERSIONINFO block of a
// program's version resource), without the system's version library.

#include <stddef.h>

struct FileVersion {
  unsigned major, minor, build, revision;
};

// False when the block is not a version record with its fixed part.
bool ReadFileVersion(const unsigned char* block, size_t size, FileVersion* version);
