#pragma once
// A file handle owned for as long as one routine needs it; closed on every
// path. Errors are kept as the system's codes so callers can describe them.

#include <windows.h>

#include "common/WideString.h"

class File {
 public:
  enum class Mode { Read, ReadWriteExisting, CreateNew };

  File() = default;
  File(const WideString& path, Mode mode);
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { Close(); }

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  // False (with LastError set) when the size cannot be had.
  bool Size(unsigned long long* size);
  bool ReadAt(unsigned long long offset, void* buffer, size_t count);
  bool WriteAt(unsigned long long offset, const void* buffer, size_t count);
  // Inline, so only a program that flushes imports FlushFileBuffers.
  bool Flush() { return (IsOpen() && FlushFileBuffers(handle_)) || Fail(); }
  void Close();
  // The system's code for the last failure of this file, or of its opening.
  DWORD LastError() const { return error_; }

 private:
  bool Seek(unsigned long long offset);
  bool Fail();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DWORD error_ = ERROR_SUCCESS;
};
