#include "codecs/ZipArchive.h"

#include <string.h>

#include "codecs/Crc32.h"
#include "codecs/Deflate.h"

namespace {

constexpr size_t kLocalHeader = 30;
constexpr size_t kCentralHeader = 46;
constexpr size_t kEndRecord = 22;
constexpr uint16_t kVersion = 20;  // 2.0: deflate
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kUtf8Name = 1 << 11;
// Sizes and offsets are 32-bit fields; half of that leaves room for the
// deflate bound and the headers (cards are some tens of kilobytes).
constexpr size_t kLargestMember = 0x7FFFFFFFu;

class Writer {
 public:
  explicit Writer(unsigned char* at) : at_(at) {}
  void U16(uint32_t v) {
    *at_++ = static_cast<unsigned char>(v);
    *at_++ = static_cast<unsigned char>(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Bytes(const unsigned char* bytes, size_t n) {
    if (n > 0) memcpy(at_, bytes, n);
    at_ += n;
  }
  void Zeros(size_t n) {
    memset(at_, 0, n);
    at_ += n;
  }

 private:
  unsigned char* at_;
};

}  // namespace

uint32_t DosDateTime(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                     unsigned second) {
  if (year < 1980) return (1u << 5 | 1u) << 16;
  uint32_t date = (year - 1980) << 9 | month << 5 | day;
  return date << 16 | hour << 11 | minute << 5 | second / 2;
}

bool ZipArchive::Build(const ZipMember& member, const unsigned char* data, size_t length) {
  bytes_ = ByteBuffer();
  size_ = 0;
  if (member.nameLength > 0xFFFF || length > kLargestMember) return false;
  size_t overhead = kLocalHeader + kCentralHeader + kEndRecord + 2 * member.nameLength;
  bytes_ = ByteBuffer(overhead + DeflateBound(length));
  if (!bytes_.ok()) return false;
  size_t dataAt = kLocalHeader + member.nameLength;
  size_t packed = Deflate(data, length, bytes_.data() + dataAt);
  if (packed == 0) return false;
  uint32_t crc = Crc32(data, length);

  // The local header; from "version needed" to the extra field's length
  // its fields are the central directory entry's too.
  constexpr size_t kShared = 26;
  unsigned char* local = bytes_.data();
  Writer w(local);
  w.U32(0x04034B50);
  w.U16(kVersion);
  w.U16(member.utf8Name ? kUtf8Name : 0);
  w.U16(kDeflated);
  w.U32(member.dosDateTime);
  w.U32(crc);
  w.U32(static_cast<uint32_t>(packed));
  w.U32(static_cast<uint32_t>(length));
  w.U16(static_cast<uint32_t>(member.nameLength));
  w.Zeros(2);  // no extra field
  w.Bytes(member.name, member.nameLength);

  size_t central = dataAt + packed;
  w = Writer(local + central);
  w.U32(0x02014B50);
  w.U16(kVersion);  // made by: MS-DOS and its file attributes, version 2.0
  w.Bytes(local + 4, kShared);
  w.Zeros(14);  // no comment, disk 0, attributes 0, the local header at offset 0
  w.Bytes(member.name, member.nameLength);
  size_t centralSize = kCentralHeader + member.nameLength;

  w.U32(0x06054B50);
  w.Zeros(4);  // this disk and the central directory's: 0
  w.U16(1);  // entries on this disk
  w.U16(1);  // entries in all
  w.U32(static_cast<uint32_t>(centralSize));
  w.U32(static_cast<uint32_t>(central));
  w.Zeros(2);  // no comment
  size_ = central + centralSize + kEndRecord;
  return true;
}
