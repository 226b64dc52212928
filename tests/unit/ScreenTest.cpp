#include <gtest/gtest.h>
#include <math.h>

#include "common/HalfEven.h"
#include "forms/Twips.h"
#include "player/ScreenGate.h"

TEST(HalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(462.5), 462);
  EXPECT_EQ(RoundHalfEven(463.5), 464);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(66.4999), 66);
  EXPECT_EQ(RoundHalfEven(66.5001), 67);
}

TEST(HalfEven, FloorWholeAgreesWithTheLibrarysFloor) {
  for (double v : {0.0, 0.25, 1.0, 1.75, -0.25, -1.0, -1.5, 462.5, -462.5, 86399999.0 / 1000.0, 9.0e15, -9.0e15,
                   1e-300, -1e-300})
    EXPECT_EQ(FloorWhole(v), floor(v)) << v;
}

TEST(ScreenHalves, OddWidthsRoundToEven) {
  EXPECT_EQ(HalfOfScreen(1023), 512);
  EXPECT_EQ(HalfOfScreen(1025), 512);
  EXPECT_EQ(HalfOfScreen(1024), 512);
  EXPECT_EQ(HalfOfScreen(768), 384);
  EXPECT_EQ(HalfOfScreen(799), 400);
}

TEST(ResolutionGate, EightHundredBySixHundredIsTheSmallestScreen) {
  EXPECT_FALSE(ScreenTooSmall(800, 600));
  EXPECT_FALSE(ScreenTooSmall(1024, 768));
  EXPECT_TRUE(ScreenTooSmall(799, 600));
  EXPECT_TRUE(ScreenTooSmall(800, 599));
  EXPECT_TRUE(ScreenTooSmall(640, 480));
}

TEST(Twips, DesignSizesFollowTheDisplayResolution) {
  EXPECT_EQ(DesignPixels(280, 96), 280);
  EXPECT_EQ(DesignPixels(155, 96), 155);
  EXPECT_EQ(DesignPixels(280, 120), 350);
  EXPECT_EQ(DesignPixels(155, 120), 194);  // 193.75
  EXPECT_EQ(TwipsToPixels(8205, 96), 547);
  EXPECT_EQ(TwipsToPixels(6615, 96), 441);
  EXPECT_EQ(PointsToFontHeight(9, 96), -12);
  EXPECT_EQ(PointsToFontHeight(32, 96), -43);  // 42.67
}
