#include "player/Module1.h"

#include "winapi/BoundFunctions.h"

bool IsWin2000OrLater() {
  static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the system expects");
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  bound::GetVersionExA(&info);
  return info.dwMajorVersion >= 5;
}
