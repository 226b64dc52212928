#include "tests/win/generator/Helpers.h"

#include <gtest/gtest.h>

#include "generator/PlayerImage.h"
#include "tests/unit/FakeProgram.h"
#include "winapi/ModulePath.h"

bool Make(CardWriter& writer, const std::wstring& container, const std::wstring& card, const std::wstring& names) {
  return writer.Prepare(container.c_str(), card.c_str()) &&
         writer.WriteSendersAndPlace(WideString(names.c_str(), names.size()));
}

std::vector<unsigned char> FakePlayerImage(size_t length) {
  return FakeProgram({{length - kFakeHeaders - SendersFieldLength, 0x5C}});
}

std::vector<unsigned char> Container(const std::vector<unsigned char>& image) {
  std::vector<unsigned char> container(PlayerImageOffset, 0);
  container[0] = 'M';
  container[1] = 'Z';
  container.insert(container.end(), image.begin(), image.end());
  return container;
}

size_t StagedFiles(const ScratchFolder& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder.path() + L"\\~crl*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  size_t n = 0;
  do ++n;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return n;
}

// The body of the copy that holds the lock: opens the file without sharing,
// says so with an event, and holds it until told to let go.
TEST(LockHelper, HoldFileOpen) {
  wchar_t path[MAX_PATH * 2], ready[64], release[64];
  if (!GetEnvironmentVariableW(L"CAROLUX_LOCK_PATH", path, MAX_PATH * 2)) GTEST_SKIP();
  GetEnvironmentVariableW(L"CAROLUX_LOCK_READY", ready, 64);
  GetEnvironmentVariableW(L"CAROLUX_LOCK_RELEASE", release, 64);
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready);
  HANDLE releaseEvent = OpenEventW(SYNCHRONIZE, FALSE, release);
  SetEvent(readyEvent);
  WaitForSingleObject(releaseEvent, 60000);
  CloseHandle(file);
  CloseHandle(readyEvent);
  CloseHandle(releaseEvent);
}

FileLockedElsewhere::FileLockedElsewhere(const std::wstring& path) {
  std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
  std::wstring readyName = L"CaroluxLockReady" + id, releaseName = L"CaroluxLockRelease" + id;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
  release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
  SetEnvironmentVariableW(L"CAROLUX_LOCK_PATH", path.c_str());
  SetEnvironmentVariableW(L"CAROLUX_LOCK_READY", readyName.c_str());
  SetEnvironmentVariableW(L"CAROLUX_LOCK_RELEASE", releaseName.c_str());
  WideString self = OwnModulePath();
  std::wstring command = L"\"" + std::wstring(self.c_str()) + L"\" --gtest_filter=LockHelper.HoldFileOpen";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  if (CreateProcessW(self.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_)) {
    HANDLE waits[2] = {ready, process_.hProcess};
    held_ = WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
  }
  SetEnvironmentVariableW(L"CAROLUX_LOCK_PATH", nullptr);
  SetEnvironmentVariableW(L"CAROLUX_LOCK_READY", nullptr);
  SetEnvironmentVariableW(L"CAROLUX_LOCK_RELEASE", nullptr);
  CloseHandle(ready);
}

FileLockedElsewhere::~FileLockedElsewhere() {
  SetEvent(release_);
  if (process_.hProcess) {
    WaitForSingleObject(process_.hProcess, 30000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  CloseHandle(release_);
}
