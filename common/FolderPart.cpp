#include "common/FolderPart.h"

WideString FolderPart(const WideString& path) {
  size_t end = path.length();
  while (end > 0 && path[end - 1] != L'\\' && path[end - 1] != L'/' && path[end - 1] != L':') --end;
  return path.Left(end);
}
