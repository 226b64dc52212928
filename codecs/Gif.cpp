#include "codecs/Gif.h"

#include <stdlib.h>
#include <string.h>

#include "common/ByteBuffer.h"

namespace {

constexpr int kMaxCodes = 4096;

// Reads little-endian codes of a given width across the data sub-blocks.
class CodeReader {
 public:
  CodeReader(const unsigned char* blocks, size_t size) : at_(blocks), end_(blocks + size) {}

  // -1 once the data ends (a zero-length block or the end of the bytes).
  int Read(int width) {
    while (bitCount_ < width) {
      if (left_ == 0) {
        if (at_ >= end_ || *at_ == 0) return -1;
        left_ = *at_++;
      }
      if (at_ >= end_) return -1;
      bits_ |= static_cast<uint32_t>(*at_++) << bitCount_;
      bitCount_ += 8;
      --left_;
    }
    int code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    bitCount_ -= width;
    return code;
  }

 private:
  const unsigned char* at_;
  const unsigned char* end_;
  size_t left_ = 0;  // bytes left in the current sub-block
  uint32_t bits_ = 0;
  int bitCount_ = 0;
};

int Read16(const unsigned char* p) { return p[0] | (p[1] << 8); }

// Interlaced frames store rows 0, 8, 16...; then 4, 12...; then 2, 6...;
// then the odd ones. The image row of the stored row.
int InterlacedRow(int stored, int height) {
  static const int kStart[4] = {0, 4, 2, 1};
  static const int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    int rows = (height - kStart[pass] + kStep[pass] - 1) / kStep[pass];
    if (stored < rows) return kStart[pass] + stored * kStep[pass];
    stored -= rows;
  }
  return height;  // past the end: drawn nowhere
}

// Skips data sub-blocks from at; returns the offset after their terminator,
// or 0 when the bytes end first.
size_t SkipBlocks(const unsigned char* data, size_t size, size_t at) {
  while (at < size) {
    size_t n = data[at];
    if (n == 0) return at + 1;
    at += n + 1;
  }
  return 0;
}

}  // namespace

size_t DecodeGifLzw(const unsigned char* blocks, size_t size, int minCodeSize, unsigned char* out,
                    size_t capacity) {
  if (minCodeSize < 2 || minCodeSize > 8) return 0;
  // 16 KB of tables live on the heap: the programs are built without stack
  // probes, so no frame may pass a page.
  ByteBuffer tables(kMaxCodes * sizeof(uint16_t) + 2 * kMaxCodes + 1);
  if (!tables.ok()) return 0;
  uint16_t* prefix = reinterpret_cast<uint16_t*>(tables.data());
  unsigned char* suffix = tables.data() + kMaxCodes * sizeof(uint16_t);
  unsigned char* stack = suffix + kMaxCodes;
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  int width = minCodeSize + 1;
  int next = clear + 2;
  int previous = -1;
  unsigned char first = 0;  // first index of the previous code's string
  size_t written = 0;
  CodeReader reader(blocks, size);

  for (int i = 0; i < clear; ++i) suffix[i] = static_cast<unsigned char>(i);
  while (written < capacity) {
    int code = reader.Read(width);
    if (code < 0 || code == end) break;
    if (code == clear) {
      width = minCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (previous < 0) {
      if (code >= clear) break;  // the first code after a clear must be a colour
      out[written++] = static_cast<unsigned char>(code);
      previous = code;
      first = static_cast<unsigned char>(code);
      continue;
    }
    if (code > next || (code == next && next >= kMaxCodes)) break;  // damaged
    int depth = 0;
    int walk = code;
    if (code == next) {
      // The code being defined right now: the previous string and its own first index.
      stack[depth++] = first;
      walk = previous;
    }
    while (walk >= clear) {
      stack[depth++] = suffix[walk];
      walk = prefix[walk];
    }
    stack[depth++] = static_cast<unsigned char>(walk);
    first = static_cast<unsigned char>(walk);
    while (depth > 0 && written < capacity) out[written++] = stack[--depth];
    if (next < kMaxCodes) {
      prefix[next] = static_cast<uint16_t>(previous);
      suffix[next] = first;
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    previous = code;
  }
  return written;
}

GifImage::~GifImage() {
  free(canvas_);
  free(saved_);
}

bool GifImage::Open(const unsigned char* data, size_t size) {
  frameCount_ = 0;
  current_ = -1;
  if (!data || size < 13 || memcmp(data, "GIF8", 4) != 0) return false;
  data_ = data;
  size_ = size;
  width_ = Read16(data + 6);
  height_ = Read16(data + 8);
  size_t at = 13;
  if (data[10] & 0x80) {
    globalPaletteSize_ = 2 << (data[10] & 7);
    globalPalette_ = data + at;
    at += static_cast<size_t>(globalPaletteSize_) * 3;
  }
  Frame pending = {};
  pending.transparent = -1;
  while (at < size && frameCount_ < kMaxFrames) {
    unsigned char kind = data[at++];
    if (kind == 0x3B) break;  // trailer
    if (kind == 0x21) {
      if (at >= size) break;
      unsigned char label = data[at++];
      if (label == 0xF9 && at + 5 <= size && data[at] >= 4) {
        unsigned char flags = data[at + 1];
        pending.disposal = (flags >> 2) & 7;
        pending.delay = Read16(data + at + 2);
        pending.transparent = (flags & 1) ? data[at + 4] : -1;
      }
      at = SkipBlocks(data, size, at);
      if (!at) break;
      continue;
    }
    if (kind != 0x2C || at + 9 > size) break;
    Frame frame = pending;
    frame.left = Read16(data + at);
    frame.top = Read16(data + at + 2);
    frame.width = Read16(data + at + 4);
    frame.height = Read16(data + at + 6);
    unsigned char flags = data[at + 8];
    at += 9;
    frame.interlaced = (flags & 0x40) != 0;
    frame.palette = globalPalette_;
    frame.paletteSize = globalPaletteSize_;
    if (flags & 0x80) {
      frame.paletteSize = 2 << (flags & 7);
      frame.palette = data + at;
      at += static_cast<size_t>(frame.paletteSize) * 3;
    }
    if (at >= size) break;
    frame.dataOffset = at;
    if (frame.palette + static_cast<size_t>(frame.paletteSize) * 3 > data + size) break;
    frames_[frameCount_++] = frame;
    at = SkipBlocks(data, size, at + 1);
    if (!at) break;
    pending = Frame{};
    pending.transparent = -1;
  }
  return frameCount_ > 0 && width_ > 0 && height_ > 0;
}

int GifImage::Delay(int frame) const {
  return frame >= 0 && frame < frameCount_ ? frames_[frame].delay : 0;
}

void GifImage::ClearRect(int left, int top, int width, int height) {
  for (int y = top; y < top + height && y < height_; ++y)
    for (int x = left; x < left + width && x < width_; ++x) canvas_[y * width_ + x] = 0;
}

bool GifImage::Advance() {
  size_t pixels = static_cast<size_t>(width_) * height_;
  if (!canvas_) {
    canvas_ = static_cast<Pixel*>(calloc(pixels, sizeof(Pixel)));
    if (!canvas_) return false;
  }
  if (frameCount_ == 0) return false;
  if (current_ >= 0) Dispose(frames_[current_]);
  current_ = current_ + 1 < frameCount_ ? current_ + 1 : 0;
  if (current_ == 0) memset(canvas_, 0, pixels * sizeof(Pixel));
  const Frame& frame = frames_[current_];
  if (frame.disposal == 3) {
    if (!saved_) saved_ = static_cast<Pixel*>(malloc(pixels * sizeof(Pixel)));
    if (saved_) memcpy(saved_, canvas_, pixels * sizeof(Pixel));
  }
  Draw(frame);
  return true;
}

void GifImage::Dispose(const Frame& frame) {
  if (frame.disposal == 2) ClearRect(frame.left, frame.top, frame.width, frame.height);
  if (frame.disposal == 3 && saved_)
    memcpy(canvas_, saved_, static_cast<size_t>(width_) * height_ * sizeof(Pixel));
}

void GifImage::Draw(const Frame& frame) {
  size_t count = static_cast<size_t>(frame.width) * frame.height;
  if (count == 0) return;
  auto* indexes = static_cast<unsigned char*>(malloc(count));
  if (!indexes) return;
  size_t got = DecodeGifLzw(data_ + frame.dataOffset + 1, size_ - frame.dataOffset - 1, data_[frame.dataOffset],
                            indexes, count);
  for (int stored = 0; stored < frame.height; ++stored) {
    int y = frame.top + (frame.interlaced ? InterlacedRow(stored, frame.height) : stored);
    for (int col = 0; col < frame.width; ++col) {
      size_t i = static_cast<size_t>(stored) * frame.width + col;
      if (i >= got) break;
      int x = frame.left + col;
      int index = indexes[i];
      if (index == frame.transparent || index >= frame.paletteSize || x >= width_ || y >= height_) continue;
      const unsigned char* rgb = frame.palette + index * 3;
      canvas_[y * width_ + x] = 0xFF000000u | (static_cast<Pixel>(rgb[0]) << 16) |
                                (static_cast<Pixel>(rgb[1]) << 8) | rgb[2];
    }
  }
  free(indexes);
}
