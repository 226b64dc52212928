#include "codecs/Deflate.h"

#include <stdint.h>
#include <string.h>

#include "common/ByteBuffer.h"

namespace {

constexpr size_t kWindow = 32768;
constexpr size_t kHashSize = 32768;
constexpr unsigned kMinMatch = 3;
constexpr unsigned kMaxMatch = 258;
constexpr unsigned kMaxChain = 256;
// A three-byte match farther than this costs more bits than its literals.
constexpr size_t kFarForThree = 4096;
constexpr size_t kStoredBlock = 65535;

class BitWriter {
 public:
  explicit BitWriter(unsigned char* out) : out_(out) {}

  // Least significant bit first, as deflate packs everything but its codes.
  void Put(uint32_t value, unsigned count) {
    bits_ |= value << count_;
    count_ += count;
    while (count_ >= 8) {
      out_[size_++] = static_cast<unsigned char>(bits_);
      bits_ >>= 8;
      count_ -= 8;
    }
  }

  // Huffman codes go most significant bit first.
  void PutCode(uint32_t code, unsigned length) {
    uint32_t reversed = 0;
    for (unsigned i = 0; i < length; ++i, code >>= 1) reversed = (reversed << 1) | (code & 1);
    Put(reversed, length);
  }

  size_t Finish() {
    if (count_ > 0) out_[size_++] = static_cast<unsigned char>(bits_);
    bits_ = 0;
    count_ = 0;
    return size_;
  }

 private:
  unsigned char* out_;
  size_t size_ = 0;
  uint32_t bits_ = 0;
  unsigned count_ = 0;
};

// The fixed code of a literal (0-255), the block's end (256) or a length (257-285).
void PutSymbol(BitWriter& bits, unsigned symbol) {
  if (symbol < 144)
    bits.PutCode(0x30 + symbol, 8);
  else if (symbol < 256)
    bits.PutCode(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    bits.PutCode(symbol - 256, 7);
  else
    bits.PutCode(0xC0 + symbol - 280, 8);
}

// Finds the code whose range holds value: codes from 0, ranges starting at
// base, each 2^extra(code) wide. Returns the code; base and extra for it.
unsigned FindCode(unsigned value, unsigned base, unsigned (*extraOf)(unsigned), unsigned* codeBase,
                  unsigned* extra) {
  unsigned code = 0;
  for (;; ++code) {
    *extra = extraOf(code);
    if (value < base + (1u << *extra)) break;
    base += 1u << *extra;
  }
  *codeBase = base;
  return code;
}

unsigned LengthExtra(unsigned code) { return code < 8 ? 0 : (code - 4) / 4; }
unsigned DistanceExtra(unsigned code) { return code < 4 ? 0 : code / 2 - 1; }

void PutMatch(BitWriter& bits, unsigned length, unsigned distance) {
  unsigned base, extra;
  if (length == kMaxMatch) {
    PutSymbol(bits, 285);  // 258 has a code of its own
  } else {
    PutSymbol(bits, 257 + FindCode(length, kMinMatch, LengthExtra, &base, &extra));
    bits.Put(length - base, extra);
  }
  bits.PutCode(FindCode(distance, 1, DistanceExtra, &base, &extra), 5);
  bits.Put(distance - base, extra);
}

// Earlier places of each three-byte string: head holds the latest place + 1
// for each hash (0: none), prev the place before each one within the window.
class Matcher {
 public:
  Matcher(const unsigned char* data, size_t length, uint32_t* head, uint32_t* prev)
      : data_(data), length_(length), head_(head), prev_(prev) {}

  void Insert(size_t pos) {
    if (pos + kMinMatch > length_) return;
    uint32_t& latest = head_[Hash(pos)];
    prev_[pos % kWindow] = latest;
    latest = static_cast<uint32_t>(pos + 1);
  }

  // The longest earlier match for the bytes at pos (not yet inserted): its
  // length, 0 when there is none worth a code, and its distance.
  unsigned Longest(size_t pos, unsigned* distance) const {
    if (pos + kMinMatch > length_) return 0;
    size_t limit = length_ - pos < kMaxMatch ? length_ - pos : kMaxMatch;
    unsigned best = 0;
    uint32_t candidate = head_[Hash(pos)];
    for (unsigned chain = kMaxChain; candidate != 0 && chain > 0; --chain) {
      size_t from = candidate - 1;
      // Beyond the window; prev_ has also been reused there.
      if (pos - from > kWindow) break;
      size_t n = 0;
      while (n < limit && data_[from + n] == data_[pos + n]) ++n;
      if (n > best) {
        best = static_cast<unsigned>(n);
        *distance = static_cast<unsigned>(pos - from);
        if (n == limit) break;
      }
      candidate = prev_[from % kWindow];
    }
    if (best < kMinMatch || (best == kMinMatch && *distance > kFarForThree)) return 0;
    return best;
  }

 private:
  unsigned Hash(size_t pos) const {
    return ((data_[pos] << 10) ^ (data_[pos + 1] << 5) ^ data_[pos + 2]) % kHashSize;
  }

  const unsigned char* data_;
  size_t length_;
  uint32_t* head_;
  uint32_t* prev_;
};

size_t StoredLength(size_t length) {
  size_t blocks = length == 0 ? 1 : (length + kStoredBlock - 1) / kStoredBlock;
  return length + 5 * blocks;
}

size_t WriteStored(const unsigned char* data, size_t length, unsigned char* out) {
  size_t written = 0;
  do {
    size_t n = length < kStoredBlock ? length : kStoredBlock;
    length -= n;
    out[written++] = length == 0 ? 1 : 0;  // final block or not; type 00
    out[written++] = static_cast<unsigned char>(n);
    out[written++] = static_cast<unsigned char>(n >> 8);
    out[written++] = static_cast<unsigned char>(~n);
    out[written++] = static_cast<unsigned char>(~n >> 8);
    memcpy(out + written, data, n);
    data += n;
    written += n;
  } while (length > 0);
  return written;
}

}  // namespace

// Fixed codes spend at most 9 bits on a byte, a match never more than its
// literals would; plus the block's head and end.
size_t DeflateBound(size_t length) { return length + length / 8 + 16; }

size_t Deflate(const unsigned char* data, size_t length, unsigned char* out) {
  ByteBuffer tables((kHashSize + kWindow) * sizeof(uint32_t));
  if (!tables.ok()) return 0;
  uint32_t* head = reinterpret_cast<uint32_t*>(tables.data());
  Matcher matcher(data, length, head, head + kHashSize);
  BitWriter bits(out);
  bits.Put(1, 1);  // the final block
  bits.Put(1, 2);  // fixed Huffman codes
  size_t pos = 0;
  while (pos < length) {
    unsigned distance = 0;
    unsigned match = matcher.Longest(pos, &distance);
    matcher.Insert(pos);
    unsigned later = 0;
    if (match > 0 && match < kMaxMatch && matcher.Longest(pos + 1, &later) > match) match = 0;
    if (match == 0) {
      PutSymbol(bits, data[pos++]);
      continue;
    }
    PutMatch(bits, match, distance);
    for (size_t end = pos + match; ++pos < end;) matcher.Insert(pos);
  }
  PutSymbol(bits, 256);
  size_t written = bits.Finish();
  return written > StoredLength(length) ? WriteStored(data, length, out) : written;
}
