#include "common/WideString.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

WideString::WideString(const wchar_t* text) {
  if (text) Append(text, wcslen(text));
}

WideString::WideString(const wchar_t* text, size_t length) { Append(text, length); }

WideString::WideString(const WideString& other) { Append(other.c_str(), other.length_); }

WideString::WideString(WideString&& other) noexcept
    : data_(other.data_), length_(other.length_), capacity_(other.capacity_) {
  other.data_ = nullptr;
  other.length_ = other.capacity_ = 0;
}

WideString& WideString::operator=(const WideString& other) {
  if (this != &other) {
    length_ = 0;
    Append(other.c_str(), other.length_);
  }
  return *this;
}

WideString& WideString::operator=(WideString&& other) noexcept {
  if (this != &other) {
    free(data_);
    data_ = other.data_;
    length_ = other.length_;
    capacity_ = other.capacity_;
    other.data_ = nullptr;
    other.length_ = other.capacity_ = 0;
  }
  return *this;
}

WideString::~WideString() { free(data_); }

WideString WideString::Repeat(wchar_t c, size_t count) {
  WideString s;
  s.Reserve(count);
  for (size_t i = 0; i < count; ++i) s.data_[i] = c;
  s.length_ = count;
  s.data_[count] = 0;
  return s;
}

void WideString::Reserve(size_t capacity) {
  if (capacity < capacity_ && data_) return;
  size_t grown = capacity_ * 2 > capacity + 1 ? capacity_ * 2 : capacity + 1;
  auto* bigger = static_cast<wchar_t*>(realloc(data_, grown * sizeof(wchar_t)));
  if (!bigger) abort();  // out of memory: nothing sensible left to do
  data_ = bigger;
  capacity_ = grown;
}

WideString& WideString::Append(const wchar_t* text, size_t length) {
  // The source may lie inside this very string, which Reserve may move.
  bool inside = data_ && text >= data_ && text < data_ + capacity_;
  size_t offset = inside ? static_cast<size_t>(text - data_) : 0;
  Reserve(length_ + length);
  if (inside) text = data_ + offset;
  if (length) memmove(data_ + length_, text, length * sizeof(wchar_t));
  length_ += length;
  data_[length_] = 0;
  return *this;
}

WideString& WideString::operator+=(const wchar_t* text) {
  return Append(text, wcslen(text));
}

WideString WideString::Left(size_t count) const {
  return WideString(c_str(), count < length_ ? count : length_);
}

WideString WideString::TrimSpaces() const {
  size_t begin = 0, end = length_;
  while (begin < end && data_[begin] == L' ') ++begin;
  while (end > begin && data_[end - 1] == L' ') --end;
  return WideString(c_str() + begin, end - begin);
}

WideString WideString::UpToNul() const { return WideString(c_str(), wcslen(c_str())); }

WideString operator+(const WideString& a, const WideString& b) {
  WideString s(a);
  s += b;
  return s;
}
