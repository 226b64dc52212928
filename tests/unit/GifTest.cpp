#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "codecs/Gif.h"

namespace {

using Bytes = std::vector<unsigned char>;

// GIF LZW as encoders write it: variable code width up to 12 bits, a clear
// code first and whenever the table is full.
Bytes LzwEncode(const Bytes& indexes, int minCodeSize) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  Bytes out;
  uint32_t acc = 0;
  int bits = 0;
  auto emit = [&](int code, int width) {
    acc |= static_cast<uint32_t>(code) << bits;
    bits += width;
    while (bits >= 8) {
      out.push_back(static_cast<unsigned char>(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  };
  int width = minCodeSize + 1, next = end + 1;
  std::map<std::pair<int, int>, int> table;
  emit(clear, width);
  if (indexes.empty()) {
    emit(end, width);
  } else {
    int prefix = indexes[0];
    bool fresh = true;
    for (size_t i = 1; i < indexes.size(); ++i) {
      auto key = std::make_pair(prefix, static_cast<int>(indexes[i]));
      auto found = table.find(key);
      if (found != table.end()) {
        prefix = found->second;
        continue;
      }
      emit(prefix, width);
      fresh = false;
      table[key] = next++;
      if (next > (1 << width) && width < 12) ++width;
      if (next == 4096) {
        emit(clear, width);
        width = minCodeSize + 1;
        next = end + 1;
        table.clear();
        fresh = true;
      }
      prefix = indexes[i];
    }
    emit(prefix, width);
    if (!fresh && next + 1 > (1 << width) && width < 12) ++width;
    emit(end, width);
  }
  if (bits) out.push_back(static_cast<unsigned char>(acc & 0xFF));
  return out;
}

Bytes SubBlocks(const Bytes& data) {
  Bytes out;
  for (size_t i = 0; i < data.size(); i += 255) {
    size_t n = std::min<size_t>(255, data.size() - i);
    out.push_back(static_cast<unsigned char>(n));
    out.insert(out.end(), data.begin() + i, data.begin() + i + n);
  }
  out.push_back(0);
  return out;
}

std::vector<unsigned char> Decode(const Bytes& indexes, int minCodeSize, size_t capacity) {
  Bytes blocks = SubBlocks(LzwEncode(indexes, minCodeSize));
  std::vector<unsigned char> out(capacity);
  out.resize(DecodeGifLzw(blocks.data(), blocks.size(), minCodeSize, out.data(), capacity));
  return out;
}

struct TestFrame {
  TestFrame(int l, int t, int w, int h, Bytes i, int frameDelay = 0, int frameDisposal = 0)
      : left(l), top(t), width(w), height(h), indexes(std::move(i)), delay(frameDelay), disposal(frameDisposal) {}
  int left, top, width, height;
  Bytes indexes;  // row by row, in stored order
  int delay, disposal;
  int transparent = -1;
  bool interlaced = false;
  std::vector<uint32_t> localPalette;  // 0xRRGGBB; empty: the global one
};

void Put16(Bytes& b, int v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>(v >> 8));
}

void PutPalette(Bytes& b, const std::vector<uint32_t>& colours) {
  for (uint32_t c : colours) {
    b.push_back(static_cast<unsigned char>(c >> 16));
    b.push_back(static_cast<unsigned char>(c >> 8));
    b.push_back(static_cast<unsigned char>(c));
  }
}

// Palettes here have 4 colours (size field 1).
Bytes MakeGif(int width, int height, const std::vector<uint32_t>& palette, const std::vector<TestFrame>& frames) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, width);
  Put16(b, height);
  b.push_back(0x80 | 0x10 | 1);
  b.push_back(0);
  b.push_back(0);
  PutPalette(b, palette);
  for (const TestFrame& f : frames) {
    b.insert(b.end(), {0x21, 0xF9, 4});
    b.push_back(static_cast<unsigned char>((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)));
    Put16(b, f.delay);
    b.push_back(static_cast<unsigned char>(f.transparent >= 0 ? f.transparent : 0));
    b.push_back(0);
    b.push_back(0x2C);
    Put16(b, f.left);
    Put16(b, f.top);
    Put16(b, f.width);
    Put16(b, f.height);
    b.push_back(static_cast<unsigned char>((f.localPalette.empty() ? 0 : 0x81) | (f.interlaced ? 0x40 : 0)));
    if (!f.localPalette.empty()) PutPalette(b, f.localPalette);
    b.push_back(2);
    Bytes blocks = SubBlocks(LzwEncode(f.indexes, 2));
    b.insert(b.end(), blocks.begin(), blocks.end());
  }
  b.push_back(0x3B);
  return b;
}

const std::vector<uint32_t> kPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;

uint32_t At(const GifImage& gif, int x, int y) { return gif.Canvas()[y * gif.Width() + x]; }

Bytes ReadAsset(const char* name) {
  std::ifstream in(std::string(CAROLUX_SOURCE_DIR) + "/assets/generator/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(GifLzw, RoundTripsRunsAndNoise) {
  Bytes data;
  for (int i = 0; i < 300; ++i) data.push_back(1);
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<unsigned char>(i % 4));
  EXPECT_EQ(Decode(data, 2, data.size()), data);
}

TEST(GifLzw, CodeDefinedByItsOwnUse) {
  // "aaaa..." makes the decoder meet codes it has not added yet.
  Bytes data(7, 3);
  EXPECT_EQ(Decode(data, 2, data.size()), data);
  Bytes single = {2};
  EXPECT_EQ(Decode(single, 2, 1), single);
}

TEST(GifLzw, TableFillsAndStartsAgain) {
  std::mt19937 random(7);
  for (int minCodeSize : {2, 4, 8}) {
    Bytes data(60000);
    for (auto& v : data) v = static_cast<unsigned char>(random() % (1u << minCodeSize));
    EXPECT_EQ(Decode(data, minCodeSize, data.size()), data) << minCodeSize;
  }
}

TEST(GifLzw, StopsAtCapacityAndAtDamage) {
  Bytes data(100, 1);
  EXPECT_EQ(Decode(data, 2, 10), Bytes(10, 1));
  Bytes blocks = SubBlocks(LzwEncode(data, 2));
  // Cut short: what decodes comes out, nothing is read past the end.
  std::vector<unsigned char> out(100);
  size_t got = DecodeGifLzw(blocks.data(), 3, 2, out.data(), out.size());
  EXPECT_LT(got, 100u);
  // A code far beyond the table is damage: decoding stops there.
  Bytes bad = {2, 0x04 | (7 << 3), 0xFF, 0};  // clear, then a colour, then junk codes
  got = DecodeGifLzw(bad.data(), bad.size(), 2, out.data(), out.size());
  EXPECT_LE(got, 2u);
  EXPECT_EQ(DecodeGifLzw(blocks.data(), blocks.size(), 1, out.data(), out.size()), 0u);
  EXPECT_EQ(DecodeGifLzw(blocks.data(), blocks.size(), 9, out.data(), out.size()), 0u);
}

TEST(GifImage, RejectsWhatIsNotAGif) {
  GifImage gif;
  Bytes png = {0x89, 'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(gif.Open(png.data(), png.size()));
  Bytes noFrames = MakeGif(2, 2, kPalette, {});
  EXPECT_FALSE(gif.Open(noFrames.data(), noFrames.size()));
  EXPECT_FALSE(gif.Open(nullptr, 0));
}

TEST(GifImage, TransparentPixelsStayClear) {
  TestFrame f{0, 0, 3, 2, {0, 1, 3, 2, 3, 0}};
  f.transparent = 3;
  Bytes bytes = MakeGif(3, 2, kPalette, {f});
  GifImage gif;
  ASSERT_TRUE(gif.Open(bytes.data(), bytes.size()));
  ASSERT_EQ(gif.FrameCount(), 1);
  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(At(gif, 0, 0), kRed);
  EXPECT_EQ(At(gif, 1, 0), kGreen);
  EXPECT_EQ(At(gif, 2, 0), 0u);
  EXPECT_EQ(At(gif, 0, 1), kBlue);
  EXPECT_EQ(At(gif, 1, 1), 0u);
  EXPECT_EQ(At(gif, 2, 1), kRed);
}

TEST(GifImage, InterlacedRowsGoToTheirPlace) {
  // Ten rows, each of the colour index (row % 3); stored in interlace order.
  const int order[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
  TestFrame f{0, 0, 1, 10, {}};
  for (int row : order) f.indexes.push_back(static_cast<unsigned char>(row % 3));
  f.interlaced = true;
  Bytes bytes = MakeGif(1, 10, kPalette, {f});
  GifImage gif;
  ASSERT_TRUE(gif.Open(bytes.data(), bytes.size()));
  ASSERT_TRUE(gif.Advance());
  const uint32_t colours[3] = {kRed, kGreen, kBlue};
  for (int y = 0; y < 10; ++y) EXPECT_EQ(At(gif, 0, y), colours[y % 3]) << y;
}

TEST(GifImage, FramesComposeAsTheirDisposalAsks) {
  TestFrame base{0, 0, 2, 2, {3, 3, 3, 3}, 50};
  TestFrame kept{0, 0, 1, 1, {0}, 10, 1};              // stays for the next frame
  TestFrame cleared{1, 0, 1, 1, {1}, 10, 2};           // its area goes back to clear
  TestFrame restored{0, 1, 1, 1, {2}, 0, 3};           // the canvas goes back to before it
  restored.localPalette = {0x000000, 0x111111, 0x123456, 0x000000};
  Bytes bytes = MakeGif(2, 2, kPalette, {base, kept, cleared, restored});
  GifImage gif;
  ASSERT_TRUE(gif.Open(bytes.data(), bytes.size()));
  ASSERT_EQ(gif.FrameCount(), 4);
  EXPECT_EQ(gif.Delay(0), 50);
  EXPECT_EQ(gif.Delay(3), 0);
  EXPECT_EQ(gif.Delay(9), 0);

  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(gif.Current(), 0);
  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(At(gif, 0, 0), kRed);
  EXPECT_EQ(At(gif, 1, 1), kWhite);
  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(At(gif, 0, 0), kRed);  // the kept frame's pixel
  EXPECT_EQ(At(gif, 1, 0), kGreen);
  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(At(gif, 1, 0), 0u);  // cleared after its frame
  EXPECT_EQ(At(gif, 0, 1), 0xFF123456u);  // from the frame's own palette
  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(gif.Current(), 0);  // the animation starts again, on a clear canvas
  EXPECT_EQ(At(gif, 0, 0), kWhite);
  EXPECT_EQ(At(gif, 1, 0), kWhite);
  EXPECT_EQ(At(gif, 0, 1), kWhite);
}

TEST(GifImage, RestoreToPreviousBringsBackTheCanvas) {
  TestFrame base{0, 0, 2, 1, {1, 1}};
  TestFrame over{0, 0, 2, 1, {0, 0}, 0, 3};
  TestFrame after{1, 0, 1, 1, {2}};
  Bytes bytes = MakeGif(2, 1, kPalette, {base, over, after});
  GifImage gif;
  ASSERT_TRUE(gif.Open(bytes.data(), bytes.size()));
  gif.Advance();
  gif.Advance();
  EXPECT_EQ(At(gif, 0, 0), kRed);
  gif.Advance();
  EXPECT_EQ(At(gif, 0, 0), kGreen);  // what lay under the restored frame
  EXPECT_EQ(At(gif, 1, 0), kBlue);
}

TEST(GifImage, FramesOutsideTheCanvasAndDamagedDataAreSafe) {
  TestFrame outside{1, 1, 3, 3, Bytes(9, 1)};
  Bytes bytes = MakeGif(2, 2, kPalette, {outside});
  GifImage gif;
  ASSERT_TRUE(gif.Open(bytes.data(), bytes.size()));
  ASSERT_TRUE(gif.Advance());
  EXPECT_EQ(At(gif, 1, 1), kGreen);
  EXPECT_EQ(At(gif, 0, 0), 0u);

  TestFrame whole{0, 0, 4, 4, Bytes(16, 2)};
  Bytes full = MakeGif(4, 4, kPalette, {whole});
  for (size_t cut = 14; cut < full.size(); ++cut) {
    Bytes part(full.begin(), full.begin() + cut);
    GifImage damaged;
    if (damaged.Open(part.data(), part.size())) {
      EXPECT_TRUE(damaged.Advance()) << cut;
    }
  }
}

TEST(GifImage, TheBannerAnimates) {
  Bytes bytes = ReadAsset("banner.gif");
  ASSERT_FALSE(bytes.empty());
  GifImage gif;
  ASSERT_TRUE(gif.Open(bytes.data(), bytes.size()));
  EXPECT_EQ(gif.Width(), 147);
  EXPECT_EQ(gif.Height(), 26);
  EXPECT_EQ(gif.FrameCount(), 13);
  ASSERT_TRUE(gif.Advance());
  std::vector<uint32_t> first(gif.Canvas(), gif.Canvas() + 147 * 26);
  for (uint32_t p : first) EXPECT_EQ(p >> 24, 0xFFu);  // the first frame covers it all
  int changed = 0;
  for (int i = 1; i < 13; ++i) {
    EXPECT_GT(gif.Delay(i), 0);
    ASSERT_TRUE(gif.Advance());
    changed += std::vector<uint32_t>(gif.Canvas(), gif.Canvas() + 147 * 26) != first;
  }
  EXPECT_GT(changed, 3);
}

TEST(GifImage, StillsHaveTransparentCorners) {
  for (const char* name : {"wand.gif", "warning.gif", "mailperson.gif"}) {
    Bytes bytes = ReadAsset(name);
    GifImage gif;
    ASSERT_TRUE(gif.Open(bytes.data(), bytes.size())) << name;
    ASSERT_TRUE(gif.Advance());
    EXPECT_EQ(At(gif, 0, 0), 0u) << name;
    int opaque = 0;
    for (int i = 0; i < gif.Width() * gif.Height(); ++i) opaque += (gif.Canvas()[i] >> 24) == 0xFF;
    EXPECT_GT(opaque, gif.Width() * gif.Height() / 5) << name;
  }
}
