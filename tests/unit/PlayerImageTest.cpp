#include <gtest/gtest.h>

#include <vector>

#include "generator/PlayerImage.h"

namespace {

// The smallest thing that passes for a program: DOS header pointing at a PE
// signature, then room for the senders' field.
std::vector<unsigned char> Program(size_t length, size_t peOffset = 0x80) {
  std::vector<unsigned char> b(length, 0x11);
  b[0] = 'M';
  b[1] = 'Z';
  b[0x3C] = static_cast<unsigned char>(peOffset & 0xFF);
  b[0x3D] = static_cast<unsigned char>((peOffset >> 8) & 0xFF);
  b[0x3E] = b[0x3F] = 0;
  if (peOffset + 4 <= length) {
    b[peOffset] = 'P';
    b[peOffset + 1] = 'E';
    b[peOffset + 2] = b[peOffset + 3] = 0;
  }
  return b;
}

}  // namespace

TEST(PlayerImageLength, EverythingBehindTheOffset) {
  EXPECT_EQ(PlayerImageLength(0), 0u);
  EXPECT_EQ(PlayerImageLength(61439), 0u);
  EXPECT_EQ(PlayerImageLength(61440), 0u);  // the generator alone
  EXPECT_EQ(PlayerImageLength(61441), 1u);
  EXPECT_EQ(PlayerImageLength(61440 + 42566), 42566u);
}

TEST(IsPlayerImage, AProgramWithRoomForTheField) {
  auto image = Program(4000);
  EXPECT_TRUE(IsPlayerImage(image.data(), image.size()));
  auto smallest = Program(0x80 + 4 + 70);
  EXPECT_TRUE(IsPlayerImage(smallest.data(), smallest.size()));
}

TEST(IsPlayerImage, NotAProgram) {
  auto image = Program(4000);
  image[0] = 'Z';
  EXPECT_FALSE(IsPlayerImage(image.data(), image.size()));
  auto noPe = Program(4000);
  noPe[0x81] = 'X';
  EXPECT_FALSE(IsPlayerImage(noPe.data(), noPe.size()));
  auto headerInField = Program(0x80 + 4 + 69);
  EXPECT_FALSE(IsPlayerImage(headerInField.data(), headerInField.size()));
  auto peInsideDosHeader = Program(4000, 0x20);
  EXPECT_FALSE(IsPlayerImage(peInsideDosHeader.data(), peInsideDosHeader.size()));
  auto peBeyondEnd = Program(4000, 0x100000);
  EXPECT_FALSE(IsPlayerImage(peBeyondEnd.data(), peBeyondEnd.size()));
  std::vector<unsigned char> zeros(4000, 0);
  EXPECT_FALSE(IsPlayerImage(zeros.data(), zeros.size()));
  EXPECT_FALSE(IsPlayerImage(nullptr, 0));
}
