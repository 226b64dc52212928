#include "generator/AboutLinks.h"

#include "common/DecimalText.h"
#include "common/Utf8.h"

WideString VersionCaption(unsigned major, unsigned minor, unsigned revision) {
  WideString caption(L"Versione ");
  caption += DecimalText(major);
  caption += L'.';
  caption += DecimalText(minor);
  caption += L'.';
  caption += DecimalText(revision);
  return caption;
}

namespace {

bool Unreserved(unsigned c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

void AppendEscaped(WideString& out, unsigned byte) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  out += L'%';
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

}  // namespace

WideString PercentEncoded(const WideString& text) {
  WideString out;
  uint32_t c;
  for (size_t i = 0; NextCodePoint(text, i, c);) {
    if (Unreserved(c)) {
      out += static_cast<wchar_t>(c);
      continue;
    }
    unsigned char bytes[4];
    size_t n = PutUtf8(c, bytes);
    for (size_t k = 0; k < n; ++k) AppendEscaped(out, bytes[k]);
  }
  return out;
}

WideString MailtoLink(const WideString& address, const WideString& versionCaption) {
  WideString link(L"mailto:");
  link += address;
  link += L"?Subject=";
  link += PercentEncoded(WideString(L"Carolux - ") + versionCaption);
  return link;
}
