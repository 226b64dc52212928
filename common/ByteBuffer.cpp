#include "common/ByteBuffer.h"

#include <stdlib.h>

ByteBuffer::ByteBuffer(size_t size) : data_(static_cast<unsigned char*>(calloc(size + 1, 1))) {
  size_ = data_ ? size : 0;
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept : data_(other.data_), size_(other.size_) {
  other.data_ = nullptr;
  other.size_ = 0;
}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  if (this != &other) {
    free(data_);
    data_ = other.data_;
    size_ = other.size_;
    other.data_ = nullptr;
    other.size_ = 0;
  }
  return *this;
}

ByteBuffer::~ByteBuffer() { free(data_); }
