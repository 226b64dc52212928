#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cardbytes/CardPath.h"
#include "codecs/Crc32.h"
#include "codecs/ZipArchive.h"

namespace {
std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

uint32_t Crc(const char* text) { return Crc32(reinterpret_cast<const unsigned char*>(text), std::strlen(text)); }
}  // namespace

TEST(Crc32, KnownVectors) {
  EXPECT_EQ(Crc(""), 0u);
  EXPECT_EQ(Crc("a"), 0xE8B7BE43u);
  EXPECT_EQ(Crc("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  const unsigned char zeros[32] = {};
  EXPECT_EQ(Crc32(zeros, sizeof zeros), 0x190A55ADu);
  const unsigned char ones[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Crc32(ones, sizeof ones), 0xFFFFFFFFu);
}

TEST(Crc32, GoesOnInPieces) {
  const unsigned char* text = reinterpret_cast<const unsigned char*>("123456789");
  EXPECT_EQ(Crc32(text + 4, 5, Crc32(text, 4)), 0xCBF43926u);
  EXPECT_EQ(Crc32(text, 0, 0xCBF43926u), 0xCBF43926u);
}

TEST(DosDateTime, PacksDateHighAndTimeLow) {
  // 24 December 2024, 18:30:47: seconds are kept in twos.
  EXPECT_EQ(DosDateTime(2024, 12, 24, 18, 30, 47), (44u << 9 | 12u << 5 | 24u) << 16 | (18u << 11 | 30u << 5 | 23u));
  EXPECT_EQ(DosDateTime(1980, 1, 1, 0, 0, 0), 0x00210000u);
  EXPECT_EQ(DosDateTime(2107, 12, 31, 23, 59, 59), 0xFF9FBF7Du);
  EXPECT_EQ(DosDateTime(1979, 12, 31, 23, 59, 59), 0x00210000u) << "before DOS time began";
}

TEST(ZipArchive, RefusesNamesLongerThanTheirField) {
  std::string name(0x10000, 'a');
  ZipMember member = {reinterpret_cast<const unsigned char*>(name.data()), name.size(), false, 0};
  ZipArchive archive;
  const unsigned char data[1] = {'x'};
  EXPECT_FALSE(archive.Build(member, data, 1));
  member.nameLength = 0xFFFF;
  EXPECT_TRUE(archive.Build(member, data, 1));
  EXPECT_EQ(archive.size(), 30u + 46 + 22 + 2 * 0xFFFF + 3);  // "x" deflates to 3 bytes
}

TEST(ZipMemberName, TheArchivesNameAsAProgram) {
  EXPECT_EQ(W(ZipMemberName(L"C:\\Auguri\\Auguri.zip")), L"Auguri.exe");
  EXPECT_EQ(W(ZipMemberName(L"C:\\Auguri\\Mario e Anna.ZIP")), L"Mario e Anna.exe");
  EXPECT_EQ(W(ZipMemberName(L"Z:\\tmp\\v1.2 Natale.zip")), L"v1.2 Natale.exe") << "only the last extension goes";
  EXPECT_EQ(W(ZipMemberName(L"C:\\Natale.2024\\Auguri.zip")), L"Auguri.exe") << "dots in folders stay there";
  EXPECT_EQ(W(ZipMemberName(L"Auguri.zip")), L"Auguri.exe");
  EXPECT_EQ(W(ZipMemberName(L"D:\\\x65E5\x672C\\\x03B1\x03B8.zip")), L"\x03B1\x03B8.exe");
}
