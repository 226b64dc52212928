#include "common/Utf8.h"

namespace {
constexpr uint32_t kReplacement = 0xFFFD;
}

bool NextCodePoint(const WideString& text, size_t& i, uint32_t& c) {
  if (i >= text.length()) return false;
  c = static_cast<uint32_t>(text[i++]);
  if (IsHighSurrogate(c) && i < text.length()) {
    uint32_t low = static_cast<uint32_t>(text[i]);
    if (IsLowSurrogate(low)) {
      ++i;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      return true;
    }
  }
  if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) c = kReplacement;
  return true;
}

size_t PutUtf8(uint32_t c, unsigned char* out) {
  unsigned char bytes[4];
  size_t n;
  if (c < 0x80) {
    bytes[0] = static_cast<unsigned char>(c);
    n = 1;
  } else if (c < 0x800) {
    bytes[0] = static_cast<unsigned char>(0xC0 | (c >> 6));
    bytes[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    n = 2;
  } else if (c < 0x10000) {
    bytes[0] = static_cast<unsigned char>(0xE0 | (c >> 12));
    bytes[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    bytes[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    n = 3;
  } else {
    bytes[0] = static_cast<unsigned char>(0xF0 | (c >> 18));
    bytes[1] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
    bytes[2] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    bytes[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    n = 4;
  }
  if (out)
    for (size_t k = 0; k < n; ++k) out[k] = bytes[k];
  return n;
}

ByteBuffer ToUtf8(const WideString& text) {
  size_t n = 0;
  uint32_t c;
  for (size_t i = 0; NextCodePoint(text, i, c);) n += PutUtf8(c, nullptr);
  ByteBuffer bytes(n);
  if (!bytes.ok()) return bytes;
  n = 0;
  for (size_t i = 0; NextCodePoint(text, i, c);) n += PutUtf8(c, bytes.data() + n);
  return bytes;
}
