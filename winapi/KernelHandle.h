#pragma once
// Owner of a kernel object handle (a file opened for a moment, a mutex held
// for the life of the program): closed on every path. Both null and
// INVALID_HANDLE_VALUE mean "none", as the system returns either.

#include <windows.h>

class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE h) : h_(h) {}
  KernelHandle(KernelHandle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Reset(other.h_);
      other.h_ = nullptr;
    }
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  ~KernelHandle() { Reset(); }

  void Reset(HANDLE h = nullptr) {
    if (Valid()) CloseHandle(h_);
    h_ = h;
  }
  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_ = nullptr;
};
