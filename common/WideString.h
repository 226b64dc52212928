#pragma once
// A small owning wide string. The programs avoid the C++ library's strings,
// which would make a card several times larger than its artwork.
// Embedded NUL characters are kept: a senders' field never written is 70 NULs.

#include <stddef.h>
#include <string.h>

class WideString {
 public:
  WideString() = default;
  WideString(const wchar_t* text);  // NOLINT: implicit from literals on purpose
  WideString(const wchar_t* text, size_t length);
  WideString(const WideString& other);
  WideString(WideString&& other) noexcept;
  WideString& operator=(const WideString& other);
  WideString& operator=(WideString&& other) noexcept;
  ~WideString();

  static WideString Repeat(wchar_t c, size_t count);

  const wchar_t* c_str() const { return data_ ? data_ : L""; }
  size_t length() const { return length_; }
  bool empty() const { return length_ == 0; }
  wchar_t operator[](size_t i) const { return data_[i]; }

  WideString& Append(const wchar_t* text, size_t length);
  WideString& operator+=(const WideString& other) { return Append(other.c_str(), other.length()); }
  WideString& operator+=(const wchar_t* text);
  WideString& operator+=(wchar_t c) { return Append(&c, 1); }

  WideString Left(size_t count) const;
  // Without leading and trailing spaces; other characters, NUL included, stay.
  WideString TrimSpaces() const;
  // Up to (excluding) the first NUL: for buffers the system filled.
  WideString UpToNul() const;
  bool EndsWith(wchar_t c) const { return length_ > 0 && data_[length_ - 1] == c; }

  // Inline, so only a program that compares strings imports memcmp.
  bool operator==(const WideString& other) const {
    return length_ == other.length_ && (length_ == 0 || memcmp(data_, other.data_, length_ * sizeof(wchar_t)) == 0);
  }
  bool operator!=(const WideString& other) const { return !(*this == other); }

 private:
  void Reserve(size_t capacity);

  wchar_t* data_ = nullptr;
  size_t length_ = 0;
  size_t capacity_ = 0;
};

WideString operator+(const WideString& a, const WideString& b);
