#include <gtest/gtest.h>

#include <vector>

#include "cardfile/ImageExtent.h"

namespace {

void Put(std::vector<unsigned char>& b, size_t at, unsigned long value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) b[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

struct Section {
  unsigned long rawOffset, rawSize;
};

// Headers as a linker writes them: DOS header, signature at 0x80, file
// header, an optional header of 0xE0 bytes, then the section table.
std::vector<unsigned char> Headers(const std::vector<Section>& sections, size_t length = 0x400) {
  std::vector<unsigned char> b(length, 0);
  b[0] = 'M';
  b[1] = 'Z';
  Put(b, 0x3C, 0x80, 4);
  b[0x80] = 'P';
  b[0x81] = 'E';
  Put(b, 0x86, sections.size(), 2);
  Put(b, 0x94, 0xE0, 2);
  size_t table = 0x80 + 24 + 0xE0;
  for (size_t i = 0; i < sections.size() && table + 40 * (i + 1) <= length; ++i) {
    Put(b, table + 40 * i + 16, sections[i].rawSize, 4);
    Put(b, table + 40 * i + 20, sections[i].rawOffset, 4);
  }
  return b;
}

}  // namespace

TEST(ImageEndFromHeaders, TheFurthestSectionEndWhateverTheirOrder) {
  auto h = Headers({{0x400, 0x7000}, {0xA600, 0x200}, {0x7400, 0x3200}});
  EXPECT_EQ(ImageEndFromHeaders(h.data(), h.size()), 0xA800u);
  // Sections without raw data (uninitialised data) have no place in the file.
  auto bss = Headers({{0x400, 0x200}, {0x90000, 0}});
  EXPECT_EQ(ImageEndFromHeaders(bss.data(), bss.size()), 0x600u);
  // No section at all: the image is its headers.
  auto none = Headers({});
  EXPECT_EQ(ImageEndFromHeaders(none.data(), none.size()), 0x80u + 24 + 0xE0);
}

TEST(ImageEndFromHeaders, NothingWhenTheHeadersAreNotAProgramsOrNotWhole) {
  auto h = Headers({{0x400, 0x200}});
  EXPECT_EQ(ImageEndFromHeaders(h.data(), 0x3F), 0u);  // cut inside the DOS header
  EXPECT_EQ(ImageEndFromHeaders(h.data(), 0x80 + 24 + 0xE0 + 39), 0u);  // cut inside the section table
  EXPECT_EQ(ImageEndFromHeaders(h.data(), 0x80 + 24 + 0xE0 + 40), 0x600u);
  auto noMz = h;
  noMz[1] = 'X';
  EXPECT_EQ(ImageEndFromHeaders(noMz.data(), noMz.size()), 0u);
  auto noPe = h;
  noPe[0x82] = 'X';
  EXPECT_EQ(ImageEndFromHeaders(noPe.data(), noPe.size()), 0u);
  auto farPe = h;
  Put(farPe, 0x3C, 0xFFFFFFF0ul, 4);  // points far past the headers
  EXPECT_EQ(ImageEndFromHeaders(farPe.data(), farPe.size()), 0u);
  auto manySections = Headers({{0x400, 0x200}});
  Put(manySections, 0x86, 0xFFFF, 2);
  EXPECT_EQ(ImageEndFromHeaders(manySections.data(), manySections.size()), 0u);
}

TEST(FieldFollowsImage, OnlyAWholeFieldBehindTheImage) {
  EXPECT_TRUE(FieldFollowsImage(48710, 48640));  // a card as the build makes it
  EXPECT_TRUE(FieldFollowsImage(90000, 48640));  // written over a longer file
  EXPECT_FALSE(FieldFollowsImage(48709, 48640));
  EXPECT_FALSE(FieldFollowsImage(48640 - 30, 48640));
  EXPECT_FALSE(FieldFollowsImage(5000, 0));  // no image found
}
