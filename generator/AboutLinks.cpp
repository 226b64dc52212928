#include "generator/AboutLinks.h"

WideString DecimalText(unsigned value) {
  wchar_t digits[12];
  size_t n = 0;
  do {
    digits[n++] = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value);
  WideString text;
  while (n > 0) text += digits[--n];
  return text;
}

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
  for (size_t i = 0; i < text.length(); ++i) {
    unsigned c = static_cast<unsigned>(text[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.length()) {
      unsigned low = static_cast<unsigned>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (Unreserved(c)) {
      out += static_cast<wchar_t>(c);
    } else if (c < 0x80) {
      AppendEscaped(out, c);
    } else if (c < 0x800) {
      AppendEscaped(out, 0xC0 | (c >> 6));
      AppendEscaped(out, 0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      AppendEscaped(out, 0xE0 | (c >> 12));
      AppendEscaped(out, 0x80 | ((c >> 6) & 0x3F));
      AppendEscaped(out, 0x80 | (c & 0x3F));
    } else {
      AppendEscaped(out, 0xF0 | (c >> 18));
      AppendEscaped(out, 0x80 | ((c >> 12) & 0x3F));
      AppendEscaped(out, 0x80 | ((c >> 6) & 0x3F));
      AppendEscaped(out, 0x80 | (c & 0x3F));
    }
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
