#include "generator/StagingName.h"

#include "common/FolderPart.h"

WideString StagingName(const WideString& cardPath, unsigned attempt) {
  static const wchar_t kHex[] = L"0123456789abcdef";
  WideString name = FolderPart(cardPath);
  name += L"~crl";
  wchar_t digits[8];
  for (int i = 7; i >= 0; --i) {
    digits[i] = kHex[attempt & 15];
    attempt >>= 4;
  }
  name.Append(digits, 8);
  name += L".tmp";
  return name;
}
