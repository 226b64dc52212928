#include "web/WebCardPage.h"

#include <stdint.h>
#include <string.h>

#include "codecs/Crc32.h"

namespace {

const char kPlaceholder[] = "{{senders}}";
constexpr size_t kPlaceholderLength = sizeof(kPlaceholder) - 1;
const char kTrailerStart[] = "\n<!-- webcard ";
const char kTrailerEnd[] = " -->\n";
constexpr size_t kTrailerStartLength = sizeof(kTrailerStart) - 1;
constexpr size_t kTrailerEndLength = sizeof(kTrailerEnd) - 1;
// "LLLLLLLL CCCCCCCC NN"
constexpr size_t kTrailerFieldsLength = 8 + 1 + 8 + 1 + 2;
constexpr size_t kTrailerLength = kTrailerStartLength + kTrailerFieldsLength + kTrailerEndLength;
constexpr uint32_t kReplacement = 0xFFFD;

bool ParseHex(const unsigned char* text, size_t digits, uint32_t& value) {
  value = 0;
  for (size_t i = 0; i < digits; ++i) {
    unsigned char c = text[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return false;
    }
    value = value * 16 + digit;
  }
  return true;
}

// The page's length when the trailer vouches for the bytes before it.
bool CheckTrailer(const unsigned char* templ, size_t length, size_t& pageLength, uint32_t& places) {
  if (!templ || length < kTrailerLength) return false;
  const unsigned char* trailer = templ + length - kTrailerLength;
  const unsigned char* fields = trailer + kTrailerStartLength;
  uint32_t declaredLength = 0, declaredCrc = 0;
  if (memcmp(trailer, kTrailerStart, kTrailerStartLength) != 0 ||
      memcmp(fields + kTrailerFieldsLength, kTrailerEnd, kTrailerEndLength) != 0 ||
      fields[8] != ' ' || fields[17] != ' ' || !ParseHex(fields, 8, declaredLength) ||
      !ParseHex(fields + 9, 8, declaredCrc) || !ParseHex(fields + 18, 2, places)) {
    return false;
  }
  pageLength = length - kTrailerLength;
  return declaredLength == pageLength && Crc32(templ, pageLength) == declaredCrc;
}

size_t CountPlaceholders(const unsigned char* page, size_t length) {
  size_t count = 0;
  for (size_t i = 0; i + kPlaceholderLength <= length;) {
    if (memcmp(page + i, kPlaceholder, kPlaceholderLength) == 0) {
      ++count;
      i += kPlaceholderLength;
    } else {
      ++i;
    }
  }
  return count;
}

// Code points from UTF-16 (wchar_t of 2 bytes, pairs of surrogates) or
// UTF-32; what is not a character becomes U+FFFD. NULs are dropped: a field
// padded with them must not put them in the page.
class CodePoints {
 public:
  explicit CodePoints(const WideString& text) : text_(text) {}
  bool Next(uint32_t& c) {
    while (i_ < text_.length()) {
      c = static_cast<uint32_t>(text_[i_++]);
      if (c == 0) continue;
      if (c >= 0xD800 && c <= 0xDBFF && sizeof(wchar_t) == 2 && i_ < text_.length()) {
        uint32_t low = static_cast<uint32_t>(text_[i_]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          ++i_;
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          return true;
        }
      }
      if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
      return true;
    }
    return false;
  }

 private:
  const WideString& text_;
  size_t i_ = 0;
};

// Writes the escaped UTF-8 of one code point at out, if out is given; returns
// its length either way.
size_t PutEscaped(uint32_t c, unsigned char* out) {
  const char* entity = nullptr;
  switch (c) {
    case '&': entity = "&amp;"; break;
    case '<': entity = "&lt;"; break;
    case '>': entity = "&gt;"; break;
    case '"': entity = "&quot;"; break;
    case '\'': entity = "&#39;"; break;
    default: break;
  }
  if (entity) {
    size_t n = strlen(entity);
    if (out) memcpy(out, entity, n);
    return n;
  }
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
  if (out) memcpy(out, bytes, n);
  return n;
}

size_t PutNames(const WideString& senders, unsigned char* out) {
  size_t n = 0;
  CodePoints points(senders);
  for (uint32_t c; points.Next(c);) n += PutEscaped(c, out ? out + n : nullptr);
  return n;
}

}  // namespace

bool FillWebCardPage(const unsigned char* templ, size_t length, const WideString& senders, ByteBuffer& page) {
  page = ByteBuffer();
  size_t pageLength = 0;
  uint32_t places = 0;
  if (!CheckTrailer(templ, length, pageLength, places)) return false;
  if (places == 0 || CountPlaceholders(templ, pageLength) != places) return false;

  size_t namesLength = PutNames(senders, nullptr);
  size_t total = pageLength - places * kPlaceholderLength + places * namesLength;
  ByteBuffer filled(total);
  if (!filled.ok()) return false;
  unsigned char* out = filled.data();
  for (size_t i = 0; i < pageLength;) {
    if (i + kPlaceholderLength <= pageLength && memcmp(templ + i, kPlaceholder, kPlaceholderLength) == 0) {
      out += PutNames(senders, out);
      i += kPlaceholderLength;
    } else {
      *out++ = templ[i++];
    }
  }
  page = static_cast<ByteBuffer&&>(filled);
  return true;
}
