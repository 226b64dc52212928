#include "cardfile/AppFolder.h"

#ifdef _WIN32
#include "winapi/ModulePath.h"
#endif

WideString FolderOfPath(const WideString& path) {
  size_t end = path.length();
  while (end > 0 && path[end - 1] != L'\\') --end;
  return WithTrailingBackslash(path.Left(end));
}

WideString WithTrailingBackslash(const WideString& folder) {
  if (folder.EndsWith(L'\\')) return folder;
  WideString result(folder);
  result += L'\\';
  return result;
}

#ifdef _WIN32
WideString AppFolder() { return FolderOfPath(OwnModulePath()); }
#endif
