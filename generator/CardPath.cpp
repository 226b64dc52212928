#include "generator/CardPath.h"

#include "generator/StagingName.h"

bool IsZipPath(const WideString& path) {
  static const wchar_t kZip[] = L".zip";
  size_t n = path.length();
  if (n < 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    wchar_t c = path[n - 4 + i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kZip[i]) return false;
  }
  return true;
}

WideString ZipMemberName(const WideString& zipPath) {
  size_t folder = FolderPart(zipPath).length();
  size_t end = zipPath.length();
  for (size_t i = end; i > folder; --i) {
    if (zipPath[i - 1] == L'.') {
      end = i - 1;
      break;
    }
  }
  WideString name(zipPath.c_str() + folder, end - folder);
  name += L".exe";
  return name;
}
