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

WideString MailtoLink(const WideString& address, const WideString& versionCaption) {
  WideString link(L"mailto:");
  link += address;
  link += L"?Subject=Carolux - ";
  link += versionCaption;
  return link;
}
