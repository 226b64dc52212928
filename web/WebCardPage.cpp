#include "web/WebCardPage.h"

#include <stdint.h>
#include <string.h>

#include "codecs/Crc32.h"
#include "common/Utf8.h"

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
  if (!entity) return PutUtf8(c, out);
  size_t n = strlen(entity);
  if (out) memcpy(out, entity, n);
  return n;
}

// NULs are dropped: a field padded with them must not put them in the page.
size_t PutNames(const WideString& senders, unsigned char* out) {
  size_t n = 0;
  uint32_t c;
  for (size_t i = 0; NextCodePoint(senders, i, c);)
    if (c != 0) n += PutEscaped(c, out ? out + n : nullptr);
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
