#pragma once
// Owners for the GDI and USER handles the programs keep. Move-only; a handle
// that is merely borrowed is held as a plain handle and says so where kept.

#include <windows.h>

#include "winapi/BoundFunctions.h"

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset(other.h_);
      other.h_ = nullptr;
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  void Reset(Handle h = nullptr) {
    if (h_) Traits::Release(h_);
    h_ = h;
  }
  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  Handle h_ = nullptr;
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static void Release(HGDIOBJ h) { DeleteObject(h); }
};
struct FontTraits {
  using Handle = HFONT;
  static void Release(HFONT h) { DeleteObject(h); }
};
struct BitmapTraits {
  using Handle = HBITMAP;
  static void Release(HBITMAP h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static void Release(HDC h) { bound::DeleteDC(h); }  // the card binds DeleteDC by name
};
struct IconTraits {
  using Handle = HICON;
  static void Release(HICON h) { DestroyIcon(h); }
};

struct KernelObjectTraits {
  using Handle = HANDLE;
  static void Release(HANDLE h) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueBitmap = UniqueHandle<BitmapTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;

// A kernel object (a file opened for a moment, a mutex held for the life of
// the program). Both null and INVALID_HANDLE_VALUE mean "none", as the system
// returns either.
class KernelHandle : public UniqueHandle<KernelObjectTraits> {
 public:
  using UniqueHandle::UniqueHandle;
  bool Valid() const { return get() != nullptr && get() != INVALID_HANDLE_VALUE; }
};

// Selects an object into a device context for one scope, then puts back the
// one it replaced.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectionGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's device context, borrowed from the system for one scope.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};
