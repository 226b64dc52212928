#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "generator/VersionRecord.h"

namespace {

void Put16(std::vector<unsigned char>& b, unsigned v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void Put32(std::vector<unsigned char>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A version record as resource compilers write it: header, key, padding,
// the fixed part, then children (here some filler standing in for them).
std::vector<unsigned char> Record(uint32_t ms, uint32_t ls, const char* key = "VS_VERSION_INFO",
                                  uint32_t signature = 0xFEEF04BD) {
  std::vector<unsigned char> b;
  Put16(b, 0);   // length, set below
  Put16(b, 52);  // the fixed part's length
  Put16(b, 0);   // binary
  for (const char* c = key; *c; ++c) Put16(b, static_cast<unsigned char>(*c));
  Put16(b, 0);
  while (b.size() % 4) b.push_back(0);
  Put32(b, signature);
  Put32(b, 0x00010000);
  Put32(b, ms);
  Put32(b, ls);
  Put32(b, ms);  // product version
  Put32(b, ls);
  for (int i = 0; i < 7; ++i) Put32(b, 0);
  for (int i = 0; i < 40; ++i) b.push_back(0xAB);
  b[0] = static_cast<unsigned char>(b.size() & 0xFF);
  b[1] = static_cast<unsigned char>(b.size() >> 8);
  return b;
}

}  // namespace

TEST(ReadFileVersion, FourNumbersFromTheFixedPart) {
  auto block = Record(0x00010001, 0x00000000);
  FileVersion v = {};
  ASSERT_TRUE(ReadFileVersion(block.data(), block.size(), &v));
  EXPECT_EQ(v.major, 1u);
  EXPECT_EQ(v.minor, 1u);
  EXPECT_EQ(v.build, 0u);
  EXPECT_EQ(v.revision, 0u);
  block = Record(0x0002000A, 0x00070003);
  ASSERT_TRUE(ReadFileVersion(block.data(), block.size(), &v));
  EXPECT_EQ(v.major, 2u);
  EXPECT_EQ(v.minor, 10u);
  EXPECT_EQ(v.build, 7u);
  EXPECT_EQ(v.revision, 3u);
}

TEST(ReadFileVersion, RejectsOtherBlocks) {
  FileVersion v = {99, 99, 99, 99};
  auto wrongKey = Record(0x00010001, 0, "VS_VERSION_INFX");
  EXPECT_FALSE(ReadFileVersion(wrongKey.data(), wrongKey.size(), &v));
  auto wrongSignature = Record(0x00010001, 0, "VS_VERSION_INFO", 0x12345678);
  EXPECT_FALSE(ReadFileVersion(wrongSignature.data(), wrongSignature.size(), &v));
  auto good = Record(0x00010001, 0);
  EXPECT_FALSE(ReadFileVersion(good.data(), 91, &v));  // cut inside the fixed part
  EXPECT_FALSE(ReadFileVersion(nullptr, 0, &v));
  EXPECT_EQ(v.major, 99u);  // untouched
}
