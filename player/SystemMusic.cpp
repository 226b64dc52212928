#include "player/SystemMusic.h"

#include "cardfile/AppFolder.h"
#include "forms/MessagePump.h"
#include "player/Module1.h"
#include "winapi/BoundFunctions.h"
#include "winapi/Handles.h"

WideString SystemMusic::SystemTempFolder() {
  DWORD size = MAX_PATH + 1;
  // A second call with the size the first asked for covers a folder that
  // grew in between.
  for (int attempt = 0; attempt < 2; ++attempt) {
    WideString buffer = WideString::Repeat(L'\0', size);
    DWORD n = bound::GetTempPathW(size, const_cast<wchar_t*>(buffer.c_str()));
    if (n == 0) return WideString();
    if (n < size) return buffer.Left(n);
    size = n + 1;
  }
  return WideString();
}

WideString SystemMusic::ProgramFolder() { return AppFolder(); }

bool SystemMusic::FileExists(const WideString& path) { return ::FileExists(path); }

void SystemMusic::DeleteQuietly(const WideString& path) { DeleteFileW(path.c_str()); }

// The file is made empty first, so a longer leftover keeps no bytes behind
// the tune. No handle stays open while messages are served, so an ending
// that comes meanwhile can still remove the file.
void SystemMusic::WriteResourceToFile(short resourceId, const WideString& path) {
  size_t size = 0;
  const unsigned char* bytes = pack_.Find(resourceId, size);
  if (!bytes) return;
  {
    KernelHandle created(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created.Valid()) return;
  }
  ::PumpMessages();
  {
    KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return;
    DWORD written = 0;
    WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr);
  }
  ::PumpMessages();
}

// The sequencer may open its file through the ANSI code page (Wine's does),
// where a folder named in another script is lost; the short form is plain
// ASCII. Where the volume keeps no short names the wide command below still
// carries the long path to a sequencer that opens files by wide names.
WideString SystemMusic::PathForMci(const WideString& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  WideString buffer = WideString::Repeat(L'\0', size);
  DWORD n = GetShortPathNameW(path.c_str(), const_cast<wchar_t*>(buffer.c_str()), size);
  if (n == 0 || n >= size) return path;
  return buffer.Left(n);
}

// The wide entry point carries any path the file system holds, where the
// ANSI one would turn characters outside the code page into "?".
void SystemMusic::SendMci(const WideString& command) {
  wchar_t reply[256] = {};
  bound::mciSendStringW(command.c_str(), reply, 256, nullptr);
}
