// Decodes a GIF with the generator's reader and writes every composed frame:
// a line "width height frames", then per frame a line "delay" and the
// canvas as width*height 32-bit little-endian 0xAARRGGBB values.
// gif_against_artwork.py compares the result with an independent reader.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "codecs/Gif.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  GifImage gif;
  if (!gif.Open(bytes.data(), bytes.size())) return 1;
  std::printf("%d %d %d\n", gif.Width(), gif.Height(), gif.FrameCount());
  for (int i = 0; i < gif.FrameCount(); ++i) {
    if (!gif.Advance()) return 1;
    std::printf("%d\n", gif.Delay(i));
    std::fflush(stdout);
    std::fwrite(gif.Canvas(), sizeof(GifImage::Pixel), static_cast<size_t>(gif.Width()) * gif.Height(), stdout);
    std::fflush(stdout);
  }
  return 0;
}
