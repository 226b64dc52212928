#include "winapi/File.h"

File::File(const WideString& path, Mode mode) {
  DWORD access = GENERIC_READ;
  DWORD share = FILE_SHARE_READ;
  DWORD disposition = OPEN_EXISTING;
  if (mode == Mode::ReadWriteExisting) access = GENERIC_READ | GENERIC_WRITE;
  if (mode == Mode::CreateNew) {
    access = GENERIC_READ | GENERIC_WRITE;
    share = 0;
    disposition = CREATE_NEW;
  }
  if (mode == Mode::Read) share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  handle_ = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) error_ = GetLastError();
}

File::File(File&& other) noexcept : handle_(other.handle_), error_(other.error_) {
  other.handle_ = INVALID_HANDLE_VALUE;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    error_ = other.error_;
    other.handle_ = INVALID_HANDLE_VALUE;
  }
  return *this;
}

void File::Close() {
  if (IsOpen()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

bool File::Fail() {
  error_ = GetLastError();
  if (error_ == ERROR_SUCCESS) error_ = ERROR_HANDLE_EOF;
  return false;
}

bool File::Size(unsigned long long* size) {
  LARGE_INTEGER value;
  if (!IsOpen() || !GetFileSizeEx(handle_, &value)) return Fail();
  *size = static_cast<unsigned long long>(value.QuadPart);
  return true;
}

bool File::Seek(unsigned long long offset) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  return IsOpen() && SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN);
}

bool File::ReadAt(unsigned long long offset, void* buffer, size_t count) {
  if (!Seek(offset)) return Fail();
  auto* at = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    DWORD chunk = count > 0x10000000 ? 0x10000000 : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!ReadFile(handle_, at, chunk, &got, nullptr)) return Fail();
    if (got == 0) {
      SetLastError(ERROR_HANDLE_EOF);
      return Fail();
    }
    at += got;
    count -= got;
  }
  return true;
}

bool File::WriteAt(unsigned long long offset, const void* buffer, size_t count) {
  if (!Seek(offset)) return Fail();
  const auto* at = static_cast<const unsigned char*>(buffer);
  while (count > 0) {
    DWORD chunk = count > 0x10000000 ? 0x10000000 : static_cast<DWORD>(count);
    DWORD put = 0;
    if (!WriteFile(handle_, at, chunk, &put, nullptr) || put == 0) return Fail();
    at += put;
    count -= put;
  }
  return true;
}

