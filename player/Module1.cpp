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

void PlaySoundResource(const CardPack& pack, short id) {
  size_t size = 0;
  const unsigned char* wave = pack.Find(id, size);
  if (wave) bound::sndPlaySoundA(reinterpret_cast<LPCSTR>(wave), SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
  PumpMessages();
}
