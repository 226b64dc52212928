#pragma once
// Windows functions that a card must not import: each is looked up by library
// and name on its first call and remembered, so the program still starts on a
// system that lacks one. The pointer type is taken from the system's own
// declaration, so it carries the right calling convention on 32-bit Windows.

#include <windows.h>

#include <type_traits>

FARPROC LoadLibraryFunction(const char* library, const char* name);

template <typename Fn>
class BoundFunction {
  static_assert(std::is_pointer<Fn>::value && std::is_function<typename std::remove_pointer<Fn>::type>::value,
                "bind functions through their pointer type");

 public:
  constexpr BoundFunction(const char* library, const char* name) : library_(library), name_(name) {}

  // Null when the library or the function is missing.
  Fn Get() {
    if (!looked_up_) {
      fn_ = reinterpret_cast<Fn>(reinterpret_cast<void*>(LoadLibraryFunction(library_, name_)));
      looked_up_ = true;
    }
    return fn_;
  }
  bool Available() { return Get() != nullptr; }

  // A missing function does nothing and yields a zero result, which every
  // caller treats as the call's own failure.
  template <typename... Args>
  auto operator()(Args... args) -> decltype(static_cast<Fn>(nullptr)(args...)) {
    Fn fn = Get();
    if (!fn) return decltype(static_cast<Fn>(nullptr)(args...))();
    return fn(args...);
  }

 private:
  const char* library_;
  const char* name_;
  Fn fn_ = nullptr;
  bool looked_up_ = false;
};

// Declares bound::Name, typed after the system's declaration of ::Name.
#define BIND_WINDOWS_FUNCTION(library, name) \
  inline BoundFunction<decltype(&::name)> name { library, #name }
