#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "codecs/Deflate.h"
#include "codecs/Inflate.h"
#include "player/PlayerResources.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadFile(const std::string& path) {
  Bytes data;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    unsigned char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
    std::fclose(f);
  }
  return data;
}

uint32_t Le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

Bytes IconImage(const char* name) {
  Bytes ico = ReadFile(std::string(CAROLUX_SOURCE_DIR) + "/assets/player/" + name);
  if (ico.size() < 22) return {};
  return Bytes(ico.begin() + Le32(&ico[18]), ico.begin() + Le32(&ico[18]) + Le32(&ico[14]));
}

Bytes RoundTrip(const Bytes& data) {
  Bytes stream(DeflateBound(data.size()));
  stream.resize(Deflate(data.data(), data.size(), stream.data()));
  Bytes out(data.size());
  out.resize(Inflate(stream.data(), stream.size(), out.data(), out.size()));
  return out;
}

}  // namespace

// The card's pictures and tune as the build packs them (zopfli, dynamic
// Huffman blocks) come back as the icon files' own images and the tune's
// file.
TEST(Inflate, UnpacksTheCardsPackExactly) {
  Bytes pack = ReadFile(CAROLUX_CARD_PACK);
  ASSERT_GT(pack.size(), 4u);
  Bytes records(Le32(pack.data()));
  ASSERT_EQ(Inflate(pack.data() + 4, pack.size() - 4, records.data(), records.size()), records.size());
  struct Listed {
    int number;
    const char* name;
  };
#define PICTURE_FILE(name, number, icon, ...) {number, icon},
#define SOUND_FILE(number, file) {number, file},
  const Listed listed[] = {CARD_PICTURES(PICTURE_FILE) CARD_SOUNDS(SOUND_FILE)};
#undef PICTURE_FILE
#undef SOUND_FILE
  size_t at = 0, found = 0;
  while (at + 8 <= records.size()) {
    int number = records[at] | records[at + 1] << 8;
    const Listed* file =
        std::find_if(std::begin(listed), std::end(listed), [&](const Listed& l) { return l.number == number; });
    ASSERT_NE(file, std::end(listed)) << number;
    const char* name = file->name;
    Bytes image = std::strstr(name, ".ico") ? IconImage(name)
                                            : ReadFile(std::string(CAROLUX_SOURCE_DIR) + "/assets/player/" + name);
    ASSERT_FALSE(image.empty()) << name;
    ASSERT_LE(at + 8 + image.size(), records.size()) << name;
    EXPECT_EQ(Le32(&records[at + 4]), image.size()) << name;
    EXPECT_TRUE(std::equal(image.begin(), image.end(), records.begin() + at + 8)) << name;
    at += 8 + image.size();
    ++found;
  }
  EXPECT_EQ(at, records.size());
  EXPECT_EQ(found, std::size(listed));  // every picture and sound, once
}

// Our own encoder's fixed-code and stored blocks read back too.
TEST(Inflate, ReadsBackWhatDeflateWrites) {
  Bytes text;
  for (int i = 0; i < 3000; ++i) text.push_back(static_cast<unsigned char>("Buon Natale "[i % 12] + i / 997));
  EXPECT_EQ(RoundTrip(text), text);
  Bytes noise(70000);
  uint32_t state = 12345;
  for (auto& b : noise) b = static_cast<unsigned char>((state = state * 1103515245u + 12345u) >> 24);
  EXPECT_EQ(RoundTrip(noise), noise);  // stored blocks
}

// A damaged or cut stream, or one longer than the room given, yields nothing
// rather than a picture with holes.
TEST(Inflate, RefusesDamagedCutOrOverlongStreams) {
  Bytes pack = ReadFile(CAROLUX_CARD_PACK);
  ASSERT_GT(pack.size(), 100u);
  Bytes out(Le32(pack.data()));
  EXPECT_EQ(Inflate(pack.data() + 4, pack.size() - 40, out.data(), out.size()), 0u);
  EXPECT_EQ(Inflate(pack.data() + 4, pack.size() - 4, out.data(), out.size() - 1), 0u);
  const unsigned char reservedType[] = {0x07, 0x00};  // final block of type 3
  EXPECT_EQ(Inflate(reservedType, sizeof reservedType, out.data(), out.size()), 0u);
  const unsigned char farBack[] = {0x03, 0x02, 0x00};  // a match before the start
  EXPECT_EQ(Inflate(farBack, sizeof farBack, out.data(), out.size()), 0u);
}
