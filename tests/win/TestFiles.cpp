#include "tests/win/TestFiles.h"

#include <shellapi.h>

ScratchFolder::ScratchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"carolux-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  std::wstring from = path_ + L'\0';  // double NUL ends the list
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD put = 0;
  if (h != INVALID_HANDLE_VALUE) {
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
  }
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
  std::vector<unsigned char> bytes;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  GetFileSizeEx(h, &size);
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

std::vector<unsigned char> CardBytes(size_t imageLength, const std::string& field) {
  std::vector<unsigned char> bytes(imageLength);
  for (size_t i = 0; i < imageLength; ++i) bytes[i] = static_cast<unsigned char>('M' + i % 7);
  // The least of a program's headers: signature at 0x40, one section with
  // no optional header, its raw data from 0x80 to the image's end.
  auto put = [&bytes](size_t at, unsigned long value, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  if (imageLength > 0x80) {
    for (size_t i = 0; i < 0x80; ++i) bytes[i] = 0;
    bytes[0] = 'M';
    bytes[1] = 'Z';
    put(0x3C, 0x40, 4);
    bytes[0x40] = 'P';
    bytes[0x41] = 'E';
    put(0x46, 1, 2);
    put(0x58 + 16, static_cast<unsigned long>(imageLength - 0x80), 4);
    put(0x58 + 20, 0x80, 4);
  }
  bytes.insert(bytes.end(), field.begin(), field.end());
  return bytes;
}

std::wstring DistPath(const char* name) {
  std::string unix = std::string(CAROLUX_DIST) + "/" + name;
  std::wstring path = L"Z:";
  for (char c : unix) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

std::vector<unsigned char> ShippedPlayer() { return ReadBytes(DistPath("Nevalto.exe")); }
