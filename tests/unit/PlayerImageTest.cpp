#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "generator/PlayerImage.h"
#include "tests/unit/FakeProgram.h"

namespace {

using Bytes = std::vector<unsigned char>;

bool Whole(const Bytes& b) { return IsPlayerImage(b.data(), b.size()); }

// Text, data and resources, about 48 KB like the player.
Bytes Player(bool pe32plus = false) {
  return FakeProgram({{17000, 0xC3}, {512, 0x11}, {0, 0}, {30000, 0x52}, {1024, 0x7E}}, pe32plus);
}

Bytes Cut(const Bytes& b, size_t bytes) { return Bytes(b.begin(), b.end() - static_cast<long>(bytes)); }

Bytes ReadFile(const std::string& path) {
  Bytes b;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return b;
  int c;
  while ((c = fgetc(f)) != EOF) b.push_back(static_cast<unsigned char>(c));
  fclose(f);
  return b;
}

}  // namespace

TEST(PlayerImageLength, EverythingBehindTheOffset) {
  EXPECT_EQ(PlayerImageLength(0), 0u);
  EXPECT_EQ(PlayerImageLength(PlayerImageOffset - 1), 0u);
  EXPECT_EQ(PlayerImageLength(PlayerImageOffset), 0u);  // the generator alone
  EXPECT_EQ(PlayerImageLength(PlayerImageOffset + 1), 1u);
  EXPECT_EQ(PlayerImageLength(PlayerImageOffset + 42566), 42566u);
}

TEST(IsPlayerImage, AWholeProgramThenExactlyTheField) {
  EXPECT_TRUE(Whole(Player()));
  EXPECT_TRUE(Whole(Player(true)));
  EXPECT_TRUE(Whole(FakeProgram({{1, 0x90}})));
  // The field's own bytes are not looked at: a card's names are in them.
  Bytes named = Player();
  for (size_t i = named.size() - 70; i < named.size(); ++i) named[i] = 'N';
  EXPECT_TRUE(Whole(named));
}

TEST(IsPlayerImage, CutOrGrownContainers) {
  for (size_t cut : {1, 69, 70, 71, 100, 1024, 30000})
    EXPECT_FALSE(Whole(Cut(Player(), cut))) << "cut by " << cut;
  for (size_t cut : {1, 70, 100, 30000}) EXPECT_FALSE(Whole(Cut(Player(true), cut))) << "PE32+ cut by " << cut;
  Bytes grown = Player();
  grown.push_back(0);
  EXPECT_FALSE(Whole(grown)) << "the field must be the last 70 bytes, not 71";
  Bytes signedAfter = Player();
  signedAfter.insert(signedAfter.end(), 4096, 0x30);
  EXPECT_FALSE(Whole(signedAfter));
}

TEST(IsPlayerImage, SectionsOutsideTheImage) {
  const size_t last = 4;  // the resources' neighbour, the last section
  Bytes pastEnd = Player();
  PutDword(pastEnd, FakeSectionHeader(false, last) + 20, 200000);
  EXPECT_FALSE(Whole(pastEnd)) << "raw data beyond the end of the file";
  Bytes intoField = Player();
  size_t header = FakeSectionHeader(false, last);
  PutDword(intoField, header + 16, 1024 + 1);
  EXPECT_FALSE(Whole(intoField)) << "raw data running into the field";
  Bytes wrapping = Player();
  PutDword(wrapping, header + 20, 0xFFFFFF00u);
  PutDword(wrapping, header + 16, 0x200);
  EXPECT_FALSE(Whole(wrapping)) << "an offset and size whose 32-bit sum wraps";
  Bytes shorter = Player();
  PutDword(shorter, header + 16, 1024 - 1);
  EXPECT_FALSE(Whole(shorter)) << "bytes between the last section and the field";
}

TEST(IsPlayerImage, HeadersOutsideTheImage) {
  Bytes headersPast = Player();
  PutDword(headersPast, kFakePe + 24 + 60, static_cast<unsigned long>(headersPast.size()));
  EXPECT_FALSE(Whole(headersPast));
  Bytes tablePastHeaders = Player();
  PutWord(tablePastHeaders, kFakePe + 6, 60);  // 60 section headers do not fit in 0x400 bytes
  EXPECT_FALSE(Whole(tablePastHeaders));
  Bytes noSections = Player();
  PutWord(noSections, kFakePe + 6, 0);
  EXPECT_FALSE(Whole(noSections));
  Bytes tinyOptional = Player();
  PutWord(tinyOptional, kFakePe + 20, 16);
  EXPECT_FALSE(Whole(tinyOptional));
  Bytes badMagic = Player();
  PutWord(badMagic, kFakePe + 24, 0x107);
  EXPECT_FALSE(Whole(badMagic));
  // Only the headers left, the sections' data gone.
  EXPECT_FALSE(Whole(Cut(Player(), Player().size() - kFakeHeaders)));
}

TEST(IsPlayerImage, NotAProgram) {
  Bytes noMz = Player();
  noMz[0] = 'Z';
  EXPECT_FALSE(Whole(noMz));
  Bytes noPe = Player();
  noPe[kFakePe + 1] = 'X';
  EXPECT_FALSE(Whole(noPe));
  Bytes peInsideDosHeader = Player();
  PutDword(peInsideDosHeader, 0x3C, 0x20);
  EXPECT_FALSE(Whole(peInsideDosHeader));
  Bytes peBeyondEnd = Player();
  PutDword(peBeyondEnd, 0x3C, 0x100000);
  EXPECT_FALSE(Whole(peBeyondEnd));
  EXPECT_FALSE(Whole(Bytes(4000, 0)));
  EXPECT_FALSE(Whole(Bytes(100, 'M')));
  EXPECT_FALSE(IsPlayerImage(nullptr, 0));
}

// The rule fits the player the build makes (when the build has made it).
TEST(IsPlayerImage, TheBuiltPlayers) {
  for (const char* name : {"/dist/Nevalto.exe", "/dist/x64/Nevalto.exe"}) {
    Bytes player = ReadFile(std::string(CAROLUX_SOURCE_DIR) + name);
    if (player.empty()) continue;
    EXPECT_TRUE(Whole(player)) << name;
    EXPECT_FALSE(Whole(Cut(player, 100))) << name;
  }
}
