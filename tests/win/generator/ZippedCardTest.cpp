// Writing zipped cards on real files: the archive holds exactly the card the
// writer would have placed, under the archive's name; failures leave the
// destination as it was and no temporary file behind.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/CardWriter.h"
#include "codecs/Crc32.h"
#include "codecs/ZipArchive.h"
#include "tests/unit/FakeProgram.h"
#include "tests/win/TestFiles.h"
#include "tests/win/generator/Helpers.h"

namespace {

using Bytes = std::vector<unsigned char>;

unsigned U16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }

Bytes Card(const Bytes& image, const std::string& names) {
  Bytes card(image.begin(), image.end() - 70);
  std::string field = names + std::string(70 - names.size(), ' ');
  card.insert(card.end(), field.begin(), field.end());
  return card;
}

// What the archive at path says of its member, read from its local header.
struct Member {
  Bytes name;
  bool utf8 = false;
  uint32_t dosDateTime = 0, crc = 0, size = 0;
};

Member ReadMember(const Bytes& zip) {
  Member m;
  if (zip.size() < 30 || U32(zip, 0) != 0x04034B50) return m;
  m.utf8 = (U16(zip, 6) & 0x800) != 0;
  m.dosDateTime = U16(zip, 12) << 16 | U16(zip, 10);
  m.crc = U32(zip, 14);
  m.size = U32(zip, 22);
  m.name.assign(zip.begin() + 30, zip.begin() + 30 + U16(zip, 26));
  return m;
}

// The archive the writer must have made of this card under this name, at
// the moment the written archive states: our encoder gives one answer.
Bytes ExpectedArchive(const Bytes& card, const Member& m) {
  ZipMember member = {m.name.data(), m.name.size(), m.utf8, m.dosDateTime};
  ZipArchive archive;
  if (!archive.Build(member, card.data(), card.size())) return Bytes();
  return Bytes(archive.data(), archive.data() + archive.size());
}

Bytes Ansi(const std::wstring& text) {
  char bytes[256];
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes, 256, nullptr, nullptr);
  return Bytes(bytes, bytes + (n > 0 ? n : 0));
}

uint32_t DosNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return DosDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

class ZippedCardTest : public ::testing::Test {
 protected:
  ZippedCardTest() : folder_(L"zipped"), image_(FakePlayerImage(40000)) {
    // Shaped like a program and compressible, as the real card is.
    for (size_t i = kFakeHeaders; i < 30000; ++i) image_[i] = static_cast<unsigned char>("Buon Natale "[i % 12]);
    container_ = folder_.File(L"Carolux.exe");
    WriteBytes(container_, Container(image_));
    zip_ = folder_.File(L"Auguri.zip");
  }

  ScratchFolder folder_;
  Bytes image_;
  std::wstring container_, zip_;
};

}  // namespace

TEST_F(ZippedCardTest, TheArchiveHoldsTheCardNamedAfterIt) {
  CardWriter writer;
  uint32_t before = DosNow();
  ASSERT_TRUE(Make(writer, container_, zip_, L"Mario e Anna")) << writer.Error();
  uint32_t after = DosNow();
  Bytes zip = ReadBytes(zip_);
  Member m = ReadMember(zip);
  Bytes card = Card(image_, "Mario e Anna");
  EXPECT_EQ(std::string(m.name.begin(), m.name.end()), "Auguri.exe");
  EXPECT_FALSE(m.utf8);
  EXPECT_EQ(m.size, card.size());
  EXPECT_EQ(m.crc, Crc32(card.data(), card.size()));
  EXPECT_GE(m.dosDateTime, before);
  EXPECT_LE(m.dosDateTime, after);
  EXPECT_EQ(zip, ExpectedArchive(card, m));
  EXPECT_LT(zip.size(), card.size() / 2);
  EXPECT_EQ(StagedFiles(folder_), 0u);
  EXPECT_EQ(GetFileAttributesW(folder_.File(L"Auguri.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ZippedCardTest, AnyCaseOfZipAndOnlyAtTheEnd) {
  CardWriter writer;
  std::wstring upper = folder_.File(L"NATALE.ZIP");
  ASSERT_TRUE(Make(writer, container_, upper, L"Lia"));
  Member m = ReadMember(ReadBytes(upper));
  EXPECT_EQ(std::string(m.name.begin(), m.name.end()), "NATALE.exe");
  EXPECT_EQ(m.crc, Crc32(Card(image_, "Lia").data(), image_.size()));
  std::wstring notZip = folder_.File(L"Auguri.zip.exe");
  ASSERT_TRUE(Make(writer, container_, notZip, L"Lia"));
  EXPECT_EQ(ReadBytes(notZip), Card(image_, "Lia")) << "a card, not an archive";
}

TEST_F(ZippedCardTest, MemberNamesInTheCodePageOrInUtf8) {
  CardWriter writer;
  std::wstring inside = L"Zo\u00EB e Andr\u00E9";  // in every Western code page
  std::wstring path = folder_.File(inside + L".zip");
  ASSERT_TRUE(Make(writer, container_, path, L"Zoe"));
  Member m = ReadMember(ReadBytes(path));
  if (GetACP() == 1252) {
    EXPECT_FALSE(m.utf8);
    EXPECT_EQ(m.name, Ansi(inside + L".exe"));
    EXPECT_EQ(m.name[2], 0xEB);
  }
  EXPECT_EQ(ReadBytes(path), ExpectedArchive(Card(image_, "Zoe"), m));

  std::wstring outside = L"Auguri \u03B1\u03B8 \u65E5\u672C";
  path = folder_.File(outside + L".zip");
  ASSERT_TRUE(Make(writer, container_, path, L"Zoe"));
  m = ReadMember(ReadBytes(path));
  EXPECT_TRUE(m.utf8);
  const char utf8[] = "Auguri \xCE\xB1\xCE\xB8 \xE6\x97\xA5\xE6\x9C\xAC.exe";
  EXPECT_EQ(m.name, Bytes(utf8, utf8 + sizeof utf8 - 1));
  EXPECT_EQ(ReadBytes(path), ExpectedArchive(Card(image_, "Zoe"), m));

  // A look-alike the code page would put in its place is not the name.
  path = folder_.File(L"Auguri \u0101\u0163.zip");
  ASSERT_TRUE(Make(writer, container_, path, L"Zoe"));
  m = ReadMember(ReadBytes(path));
  EXPECT_TRUE(m.utf8);
  const char lookAlikes[] = "Auguri \xC4\x81\xC5\xA3.exe";
  EXPECT_EQ(m.name, Bytes(lookAlikes, lookAlikes + sizeof lookAlikes - 1));
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

