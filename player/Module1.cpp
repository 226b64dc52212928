#include "player/Module1.h"

#include "forms/MessagePump.h"
#include "winapi/BoundFunctions.h"
#include "winapi/Handles.h"

bool IsWin2000OrLater() {
  static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the system expects");
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  bound::GetVersionExA(&info);
  return info.dwMajorVersion >= 5;
}

bool FileExists(const WideString& path) {
  KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

const void* LoadResourceBytes(HINSTANCE instance, short id, const char* type, DWORD* size) {
  HRSRC found = FindResourceExA(instance, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN));
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  *size = found ? SizeofResource(instance, found) : 0;
  return loaded ? LockResource(loaded) : nullptr;
}

void PlaySoundResource(HINSTANCE instance, short id) {
  DWORD size = 0;
  // The resource stays mapped while the program runs, so the sound can go
  // on playing from it after this returns.
  const void* wave = LoadResourceBytes(instance, id, "CUSTOM", &size);
  if (wave) bound::sndPlaySoundA(static_cast<LPCSTR>(wave), SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
  PumpMessages();
}
