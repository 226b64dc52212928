#pragma once
// A ZIP archive of one member, deflated: what the generator writes when the
// card is to travel zipped. Laid out in memory, then written in one piece.

#include <stddef.h>
#include <stdint.h>

#include "common/ByteBuffer.h"

// DOS date (high 16 bits) and time (low 16 bits) as ZIP stores them: years
// 1980 to 2107, seconds in twos. Earlier moments become 1 January 1980, 00:00.
uint32_t DosDateTime(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                     unsigned second);

struct ZipMember {
  // The member's name as the archive stores it: in the ANSI code page, or in
  // UTF-8 with utf8Name set (the general-purpose flag's bit 11).
  const unsigned char* name;
  size_t nameLength;
  bool utf8Name;
  uint32_t dosDateTime;
};

class ZipArchive {
 public:
  // Lays out the archive holding data as the member. False when memory ran
  // out or the member is larger than 2 GB (no ZIP64 records here).
  bool Build(const ZipMember& member, const unsigned char* data, size_t length);

  const unsigned char* data() const { return bytes_.data(); }
  size_t size() const { return size_; }

 private:
  ByteBuffer bytes_;
  size_t size_ = 0;
};
