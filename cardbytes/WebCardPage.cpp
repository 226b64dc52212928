#include "cardbytes/WebCardPage.h"

#include <stdint.h>
#include <string.h>

#include "codecs/Crc32.h"
#include "common/Utf8.h"

namespace {

// The names' places: as text, as a link's fragment, and as how large the
// page without scripts can set them.
enum class Place { kText, kLink, kFit };
struct PlaceName {
  const char* marker;
  size_t length;
  Place place;
};
const PlaceName kPlaces[] = {{"{{senders}}", 11, Place::kText},
                             {"{{senders_link}}", 16, Place::kLink},
                             {"{{senders_fit}}", 15, Place::kFit}};
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

const PlaceName* PlaceAt(const unsigned char* page, size_t i, size_t length) {
  if (page[i] != '{') return nullptr;
  for (const PlaceName& name : kPlaces) {
    if (i + name.length <= length && memcmp(page + i, name.marker, name.length) == 0) return &name;
  }
  return nullptr;
}

size_t CountPlaceholders(const unsigned char* page, size_t length) {
  size_t count = 0;
  for (size_t i = 0; i < length;) {
    const PlaceName* name = PlaceAt(page, i, length);
    count += name ? 1 : 0;
    i += name ? name->length : 1;
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

// The UTF-8 of one code point percent-encoded, as a link's fragment
// carries it; only the characters a URL never changes stay as they are.
size_t PutPercentEncoded(uint32_t c, unsigned char* out) {
  unsigned char utf8[4];
  size_t bytes = PutUtf8(c, utf8), n = 0;
  for (size_t i = 0; i < bytes; ++i) {
    unsigned char b = utf8[i];
    bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                 b == '.' || b == '_' || b == '~';
    if (out) {
      const char kHex[] = "0123456789ABCDEF";
      if (plain) {
        out[n] = b;
      } else {
        out[n] = '%';
        out[n + 1] = static_cast<unsigned char>(kHex[b >> 4]);
        out[n + 2] = static_cast<unsigned char>(kHex[b & 15]);
      }
    }
    n += plain ? 1 : 3;
  }
  return n;
}

// How wide a character sets, in hundredths of an em of the card's letters,
// near enough to choose a size: letters of East Asian scripts and emoji are
// square, marks and joiners take no room, other letters about 0.6 em.
uint32_t Width(uint32_t c) {
  if ((c >= 0x300 && c <= 0x36F) || (c >= 0x200B && c <= 0x200F) || (c >= 0xFE00 && c <= 0xFE0F)) return 0;
  bool square = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x1F000;
  return square ? 100 : 60;
}

// The size class the page without scripts sets the names in: 1, on one line
// at the card's size; 2 to 5, on two lines, each smaller, so that the names
// stay between the greeting and the credit band whatever their length.
unsigned char Fit(const WideString& senders) {
  // The widest names each class holds, in hundredths of an em: a line is
  // 760 of the scene's 800 units, the letters 43, 33, 28, 23 and 18 units
  // high; two lines are held to 1.8 lines' worth, for where they break.
  static const uint32_t kWidest[] = {1767, 4145, 4885, 5947};
  uint32_t width = 0, c;
  for (size_t i = 0; NextCodePoint(senders, i, c);) width += Width(c);
  unsigned char fit = '1';
  for (uint32_t widest : kWidest) {
    if (width <= widest) return fit;
    ++fit;
  }
  return fit;
}

// What one place holds for the names, written at out if out is given; its
// length either way. NULs are dropped: a field padded with them must not put
// them in the page.
size_t PutPlace(Place place, const WideString& senders, unsigned char* out) {
  if (place == Place::kFit) {
    if (out) *out = Fit(senders);
    return 1;
  }
  size_t n = 0;
  uint32_t c;
  for (size_t i = 0; NextCodePoint(senders, i, c);) {
    if (c == 0) continue;
    unsigned char* at = out ? out + n : nullptr;
    n += place == Place::kLink ? PutPercentEncoded(c, at) : PutEscaped(c, at);
  }
  return n;
}

}  // namespace

bool FillWebCardPage(const unsigned char* templ, size_t length, const WideString& senders, ByteBuffer& page) {
  page = ByteBuffer();
  size_t pageLength = 0;
  uint32_t places = 0;
  if (!CheckTrailer(templ, length, pageLength, places)) return false;
  if (places == 0 || CountPlaceholders(templ, pageLength) != places) return false;

  size_t total = 0;
  for (size_t i = 0; i < pageLength;) {
    const PlaceName* name = PlaceAt(templ, i, pageLength);
    total += name ? PutPlace(name->place, senders, nullptr) : 1;
    i += name ? name->length : 1;
  }
  ByteBuffer filled(total);
  if (!filled.ok()) return false;
  unsigned char* out = filled.data();
  for (size_t i = 0; i < pageLength;) {
    const PlaceName* name = PlaceAt(templ, i, pageLength);
    if (name) {
      out += PutPlace(name->place, senders, out);
      i += name->length;
    } else {
      *out++ = templ[i++];
    }
  }
  page = static_cast<ByteBuffer&&>(filled);
  return true;
}
