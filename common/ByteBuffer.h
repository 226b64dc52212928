#pragma once
// An owned block of bytes, always followed by one NUL so it can be passed on
// as an ANSI text. Move-only: copies of a player image are never meant.

#include <stddef.h>

class ByteBuffer {
 public:
  ByteBuffer() = default;
  explicit ByteBuffer(size_t size);
  ByteBuffer(ByteBuffer&& other) noexcept;
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;
  ~ByteBuffer();

  unsigned char* data() { return data_; }
  const unsigned char* data() const { return data_; }
  const char* c_str() const { return data_ ? reinterpret_cast<const char*>(data_) : ""; }
  size_t size() const { return size_; }
  // False when the memory could not be had: callers report it as a failure.
  bool ok() const { return data_ != nullptr; }

 private:
  unsigned char* data_ = nullptr;
  size_t size_ = 0;
};
