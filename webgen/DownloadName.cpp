#include "webgen/DownloadName.h"

#include <stdint.h>

#include "cardbytes/CardPath.h"
#include "common/Graphemes.h"
#include "common/Utf8.h"

namespace {

bool Unsafe(uint32_t c) {
  switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
    case 0x200E:
    case 0x200F:
    case 0xFEFF:
      return true;
    default:
      return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
             IsHighSurrogate(c) || IsLowSurrogate(c) || (c & 0xFFFE) == 0xFFFE;
  }
}

WideString Replaced(const WideString& typed) {
  WideString out;
  for (size_t i = 0; i < typed.length();) {
    bool pair = IsHighSurrogate(typed[i]) && i + 1 < typed.length() && IsLowSurrogate(typed[i + 1]);
    size_t units = pair ? 2 : 1;
    if (!pair && Unsafe(static_cast<uint32_t>(typed[i]))) {
      out += L'_';
    } else {
      out.Append(typed.c_str() + i, units);
    }
    i += units;
  }
  return out;
}

WideString WithoutLeading(const WideString& name) {
  size_t start = 0;
  while (start < name.length() && (name[start] == L'.' || name[start] == L' ')) ++start;
  return WideString(name.c_str() + start, name.length() - start);
}

WideString WithoutTrailing(const WideString& name) {
  size_t end = name.length();
  while (end > 0 && (name[end - 1] == L'.' || name[end - 1] == L' ')) --end;
  return name.Left(end);
}

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// A device name, whatever follows it after a dot: "con", "Aux.v2", "LPT3 ".
bool DeviceName(const WideString& base) {
  size_t end = 0;
  while (end < base.length() && base[end] != L'.') ++end;
  while (end > 0 && base[end - 1] == L' ') --end;
  static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
  for (const wchar_t* device : kDevices) {
    if (end == 3 && Upper(base[0]) == device[0] && Upper(base[1]) == device[1] && Upper(base[2]) == device[2])
      return true;
  }
  bool numbered = end == 4 && base[3] >= L'1' && base[3] <= L'9';
  return numbered && ((Upper(base[0]) == L'C' && Upper(base[1]) == L'O' && Upper(base[2]) == L'M') ||
                      (Upper(base[0]) == L'L' && Upper(base[1]) == L'P' && Upper(base[2]) == L'T'));
}

size_t Utf8Length(const WideString& text) {
  size_t n = 0;
  uint32_t c;
  for (size_t i = 0; NextCodePoint(text, i, c);) n += PutUtf8(c, nullptr);
  return n;
}

// The base cut between whole characters to at most room UTF-8 bytes.
WideString CutToBytes(const WideString& base, size_t room) {
  GraphemeBreaker breaker;
  size_t bytes = 0, keep = 0;
  for (size_t i = 0; i < base.length();) {
    size_t at = i;
    uint32_t c;
    NextCodePoint(base, i, c);
    if (breaker.StartsNew(c)) keep = at;  // what fits ends before this character
    bytes += PutUtf8(c, nullptr);
    if (bytes > room) return base.Left(keep);
  }
  return base;
}

}  // namespace

WideString DownloadName(const WideString& typed, unsigned long filterIndex) {
  WideString name = WithoutLeading(Replaced(typed));
  if (WithoutTrailing(name).empty()) name = kDefaultCardName;
  // The program's rule always ends the name in a card's extension.
  WideString path = FinalCardPath(name, filterIndex);
  size_t dot = path.length();
  while (dot > 0 && path[dot - 1] != L'.') --dot;
  size_t split = dot > 0 ? dot - 1 : path.length();
  WideString extension(path.c_str() + split, path.length() - split);
  WideString base = path.Left(split);
  if (DeviceName(base)) base = WideString(L"_") + base;
  size_t extensionBytes = Utf8Length(extension);
  if (Utf8Length(base) + extensionBytes > kLongestDownloadName) {
    base = WithoutTrailing(CutToBytes(base, kLongestDownloadName - extensionBytes));
    if (base.empty()) base = kDefaultCardName;
  }
  return base + extension;
}
