#include "codecs/Inflate.h"

#include <stdint.h>

namespace {

// Canonical Huffman code as deflate defines it: how many codes of each
// length, and the symbols in code order.
struct Huffman {
  uint16_t counts[16];
  uint16_t symbols[288];
};

class Reader {
 public:
  Reader(const unsigned char* in, size_t length) : in_(in), end_(in + length) {}

  bool failed = false;

  // Least significant bit first.
  unsigned Bits(unsigned count) {
    unsigned value = 0;
    for (unsigned i = 0; i < count; ++i) {
      if (bit_ == 0) {
        if (in_ == end_) {
          failed = true;
          return 0;
        }
        byte_ = *in_++;
        bit_ = 8;
      }
      value |= ((byte_ >> (8 - bit_)) & 1u) << i;
      --bit_;
    }
    return value;
  }

  void ToByte() { bit_ = 0; }

  // Codes go most significant bit first: walk the lengths.
  int Decode(const Huffman& h) {
    int code = 0, first = 0, index = 0;
    for (int length = 1; length < 16; ++length) {
      code |= static_cast<int>(Bits(1));
      int count = h.counts[length];
      if (code - first < count) return h.symbols[index + code - first];
      index += count;
      first = (first + count) << 1;
      code <<= 1;
      if (failed) break;
    }
    failed = true;
    return 0;
  }

 private:
  const unsigned char* in_;
  const unsigned char* end_;
  unsigned byte_ = 0;
  unsigned bit_ = 0;
};

// False for a set of lengths that over-subscribes the code.
bool Build(Huffman& h, const uint8_t* lengths, int n) {
  uint16_t offsets[16];
  for (int i = 0; i < 16; ++i) h.counts[i] = 0;
  for (int i = 0; i < n; ++i) h.counts[lengths[i]]++;
  h.counts[0] = 0;
  int left = 1;
  for (int i = 1; i < 16; ++i) {
    left = (left << 1) - h.counts[i];
    if (left < 0) return false;
  }
  offsets[1] = 0;
  for (int i = 1; i < 15; ++i) offsets[i + 1] = static_cast<uint16_t>(offsets[i] + h.counts[i]);
  for (int i = 0; i < n; ++i)
    if (lengths[i]) h.symbols[offsets[lengths[i]]++] = static_cast<uint16_t>(i);
  return true;
}

// Base and extra bits of lengths 257..285 and distances 0..29, made from
// their regular pattern rather than stored.
unsigned LengthBase(int i, unsigned& extra) {
  if (i == 28) {
    extra = 0;
    return 258;
  }
  extra = i < 8 ? 0 : static_cast<unsigned>(i / 4 - 1);
  return i < 8 ? static_cast<unsigned>(3 + i) : 3 + ((4u + (i & 3)) << extra);
}

unsigned DistanceBase(int i, unsigned& extra) {
  extra = i < 4 ? 0 : static_cast<unsigned>(i / 2 - 1);
  return i < 4 ? static_cast<unsigned>(1 + i) : 1 + ((2u + (i & 1)) << extra);
}

class Output {
 public:
  Output(unsigned char* out, size_t length) : out_(out), length_(length) {}
  size_t size = 0;

  bool Put(unsigned char c) {
    if (size == length_) return false;
    out_[size++] = c;
    return true;
  }
  bool Copy(size_t distance, unsigned length) {
    if (distance > size) return false;
    while (length--)
      if (!Put(out_[size - distance])) return false;
    return true;
  }

 private:
  unsigned char* out_;
  size_t length_;
};

bool Codes(Reader& in, Output& out, const Huffman& lengths, const Huffman& distances) {
  for (;;) {
    int symbol = in.Decode(lengths);
    if (in.failed) return false;
    if (symbol < 256) {
      if (!out.Put(static_cast<unsigned char>(symbol))) return false;
    } else if (symbol == 256) {
      return true;
    } else {
      if (symbol > 285) return false;
      unsigned extra;
      unsigned length = LengthBase(symbol - 257, extra);
      length += in.Bits(extra);
      int code = in.Decode(distances);
      if (code > 29) return false;
      size_t distance = DistanceBase(code, extra);
      distance += in.Bits(extra);
      if (in.failed || !out.Copy(distance, length)) return false;
    }
  }
}

bool Dynamic(Reader& in, Huffman& lengths, Huffman& distances) {
  static const uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  uint8_t bits[288 + 32] = {};
  int nLengths = static_cast<int>(in.Bits(5)) + 257;
  int nDistances = static_cast<int>(in.Bits(5)) + 1;
  int nCodes = static_cast<int>(in.Bits(4)) + 4;
  if (nLengths > 286 || nDistances > 30) return false;
  for (int i = 0; i < nCodes; ++i) bits[kOrder[i]] = static_cast<uint8_t>(in.Bits(3));
  Huffman codeLengths;
  if (in.failed || !Build(codeLengths, bits, 19)) return false;
  for (int i = 0; i < nLengths + nDistances;) {
    int symbol = in.Decode(codeLengths);
    if (in.failed) return false;
    if (symbol < 16) {
      bits[i++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint8_t repeated = 0;
    unsigned times;
    if (symbol == 16) {
      if (i == 0) return false;
      repeated = bits[i - 1];
      times = 3 + in.Bits(2);
    } else {
      times = symbol == 17 ? 3 + in.Bits(3) : 11 + in.Bits(7);
    }
    if (i + static_cast<int>(times) > nLengths + nDistances) return false;
    while (times--) bits[i++] = repeated;
  }
  return Build(lengths, bits, nLengths) && Build(distances, bits + nLengths, nDistances);
}

void Fixed(Huffman& lengths, Huffman& distances) {
  uint8_t bits[288];
  for (int i = 0; i < 288; ++i) bits[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
  Build(lengths, bits, 288);
  for (int i = 0; i < 30; ++i) bits[i] = 5;
  Build(distances, bits, 30);
}

}  // namespace

size_t Inflate(const unsigned char* in, size_t inLength, unsigned char* out, size_t outLength) {
  Reader reader(in, inLength);
  Output output(out, outLength);
  Huffman lengths, distances;
  unsigned last;
  do {
    last = reader.Bits(1);
    unsigned type = reader.Bits(2);
    bool ok;
    if (type == 0) {
      reader.ToByte();
      unsigned length = reader.Bits(16);
      ok = (reader.Bits(16) ^ 0xFFFFu) == length;
      while (ok && length--) ok = output.Put(static_cast<unsigned char>(reader.Bits(8)));
      ok = ok && !reader.failed;
    } else if (type == 1) {
      Fixed(lengths, distances);
      ok = Codes(reader, output, lengths, distances);
    } else {
      ok = type == 2 && Dynamic(reader, lengths, distances) && Codes(reader, output, lengths, distances);
    }
    if (!ok || reader.failed) return 0;
  } while (!last);
  return output.size;
}
