// Writing cards on real files: what the copy and the senders' field put in
// the card, and failures that must leave the destination as it was.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "generator/CardWriter.h"
#include "generator/Messages.h"
#include "generator/PlayerImage.h"
#include "generator/SystemMessage.h"
#include "tests/win/TestFiles.h"
#include "tests/win/generator/Helpers.h"
#include "tests/unit/FakeProgram.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

Bytes Card(const Bytes& image, const std::string& field) {
  Bytes card(image.begin(), image.end() - 70);
  card.insert(card.end(), field.begin(), field.end());
  return card;
}

std::string Padded(const std::string& text) { return text + std::string(70 - text.size(), ' '); }

class CardWriterTest : public ::testing::Test {
 protected:
  CardWriterTest() : folder_(L"cards"), image_(FakePlayerImage(3000)) {
    container_ = folder_.File(L"Carolux.exe");
    WriteBytes(container_, Container(image_));
    card_ = folder_.File(L"Vavuri.exe");
  }

  ScratchFolder folder_;
  Bytes image_;
  std::wstring container_, card_;
};

}  // namespace

TEST_F(CardWriterTest, TwelveCharacterNamesThenSpaces) {
  CardWriter writer;
  ASSERT_TRUE(Make(writer, container_, card_, L"Mario e Anna")) << writer.Error();
  EXPECT_EQ(ReadBytes(card_), Card(image_, Padded("Mario e Anna")));
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

TEST_F(CardWriterTest, EmptyNamesGiveSeventySpaces) {
  CardWriter writer;
  ASSERT_TRUE(Make(writer, container_, card_, L""));
  EXPECT_EQ(ReadBytes(card_), Card(image_, std::string(70, ' ')));
}

TEST_F(CardWriterTest, SeventyCharactersFillTheFieldAndMoreAreCut) {
  CardWriter writer;
  std::string seventy;
  for (int i = 0; i < 70; ++i) seventy += static_cast<char>('a' + i % 26);
  ASSERT_TRUE(Make(writer, container_, card_, std::wstring(seventy.begin(), seventy.end())));
  EXPECT_EQ(ReadBytes(card_), Card(image_, seventy));
  std::wstring longer(seventy.begin(), seventy.end());
  longer += L"XYZ";
  ASSERT_TRUE(Make(writer, container_, card_, longer));
  EXPECT_EQ(ReadBytes(card_), Card(image_, seventy));
}

TEST_F(CardWriterTest, CharactersOutsideTheCodePageAreStoredInTheirAnsiForm) {
  std::wstring names = L"Zo\u00EB \u20AC \u03B1\u03B8 \u65E5\u672C";
  char expected[256] = {};
  int n = WideCharToMultiByte(CP_ACP, 0, names.c_str(), static_cast<int>(names.size()), expected, 256, nullptr,
                              nullptr);
  ASSERT_GT(n, 0);
  CardWriter writer;
  ASSERT_TRUE(Make(writer, container_, card_, names));
  Bytes card = ReadBytes(card_);
  EXPECT_EQ(card, Card(image_, Padded(std::string(expected, n))));
  if (GetACP() == 1252) {
    EXPECT_EQ(card[card.size() - 70 + 2], 0xEB);  // e with diaeresis, as is
  }
}

TEST_F(CardWriterTest, ContainerWithoutPlayerImage) {
  CardWriter writer;
  std::wstring alone = folder_.File(L"Solo.exe");
  WriteBytes(alone, Bytes(PlayerImageOffset, 0x5A));
  EXPECT_FALSE(writer.Prepare(alone.c_str(), card_.c_str()));
  EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_HANDLE_EOF));
  std::wstring shorter = folder_.File(L"Corto.exe");
  WriteBytes(shorter, Bytes(1000, 0x5A));
  EXPECT_FALSE(writer.Prepare(shorter.c_str(), card_.c_str()));
  EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_HANDLE_EOF));
  std::wstring junk = folder_.File(L"Altro.exe");
  Bytes notAProgram(PlayerImageOffset, 0x5A);
  notAProgram.insert(notAProgram.end(), 3000, 0x33);
  WriteBytes(junk, notAProgram);
  EXPECT_FALSE(writer.Prepare(junk.c_str(), card_.c_str()));
  EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_FILE_CORRUPT));
  EXPECT_FALSE(writer.Prepare(folder_.File(L"Nessuno.exe").c_str(), card_.c_str()));
  EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(card_.c_str()), INVALID_FILE_ATTRIBUTES) << "no empty card left behind";
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

// Containers whose player image is not whole: cut at its end, or with a
// section said to lie past it. Each is refused as damaged before anything is
// written: no card, no temporary file, an old card left as it was.
TEST_F(CardWriterTest, DamagedContainersMakeNoCard) {
  const Bytes player = ShippedPlayer();
  ASSERT_GT(player.size(), 31000u);  // every cut below leaves a header to read
  const Bytes whole = Container(player);
  std::vector<std::pair<std::string, Bytes>> damaged;
  for (size_t cut : {1, 70, 100, 30000})
    damaged.emplace_back("cut by " + std::to_string(cut), Bytes(whole.begin(), whole.end() - cut));
  // The last section's raw data moved past the end of the file.
  Bytes pastEnd = whole;
  size_t pe = PlayerImageOffset + (player[0x3C] | player[0x3D] << 8);
  size_t sections = pastEnd[pe + 6] | pastEnd[pe + 7] << 8;
  size_t table = pe + 24 + (pastEnd[pe + 20] | pastEnd[pe + 21] << 8);
  size_t lastOffset = table + 40 * (sections - 1) + 20;
  PutDword(pastEnd, lastOffset, static_cast<unsigned long>(player.size()));
  damaged.emplace_back("a section past the end", pastEnd);

  const std::wstring oldCard = folder_.File(L"Vecchio.exe");
  const Bytes old(5000, 'o');
  WriteBytes(oldCard, old);
  for (const auto& container : damaged) {
    WriteBytes(container_, container.second);
    for (const std::wstring& card : {card_, oldCard}) {
      CardWriter writer;
      EXPECT_FALSE(Make(writer, container_, card, L"Mario e Anna")) << container.first;
      EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_FILE_CORRUPT)) << container.first;
      EXPECT_EQ(StagedFiles(folder_), 0u) << container.first;
    }
    EXPECT_EQ(GetFileAttributesW(card_.c_str()), INVALID_FILE_ATTRIBUTES) << container.first << ": no card";
    EXPECT_EQ(ReadBytes(oldCard), old) << container.first;
  }
  // The same shipped player, whole, makes its card.
  WriteBytes(container_, whole);
  CardWriter writer;
  ASSERT_TRUE(Make(writer, container_, card_, L"Mario e Anna")) << writer.Error();
  EXPECT_EQ(ReadBytes(card_), Card(player, Padded("Mario e Anna")));
}

TEST_F(CardWriterTest, RenamedContainerStillMakesCards) {
  std::wstring renamed = folder_.File(L"Carolux (1).exe");
  ASSERT_TRUE(MoveFileW(container_.c_str(), renamed.c_str()));
  CardWriter writer;
  ASSERT_TRUE(Make(writer, renamed, card_, L"Mario e Anna"));
  EXPECT_EQ(ReadBytes(card_), Card(image_, Padded("Mario e Anna")));
}

TEST_F(CardWriterTest, FoldersOutsideTheCodePage) {
  ScratchFolder folder(L"Natale \x65E5\x672C \x0391\x03B8\x03AE\x03BD\x03B1");
  std::wstring card = folder.File(L"Auguri \x03B1.exe");
  CardWriter writer;
  ASSERT_TRUE(Make(writer, container_, card, L"Lia"));
  EXPECT_EQ(ReadBytes(card), Card(image_, Padded("Lia")));
  EXPECT_EQ(StagedFiles(folder), 0u);
}

TEST(CreationMessage, ADamagedGeneratorIsCalledSo) {
  // The system's own words for ERROR_FILE_CORRUPT, with no "%1" left unfilled.
  std::wstring text = W(SystemErrorText(ERROR_FILE_CORRUPT));
  EXPECT_GT(text.size(), 5u);
  EXPECT_EQ(text.find(L"%1"), std::wstring::npos) << text;
  EXPECT_NE(text, W(SystemErrorText(ERROR_ACCESS_DENIED)));
}

TEST(CreationMessage, NamesThePathAndTheSystemsReason) {
  WideString text = CreationErrorMessage(L"C:\\Auguri\\Vavuri.exe", SystemErrorText(ERROR_ACCESS_DENIED));
  std::wstring s(text.c_str(), text.length());
  const std::wstring prefix = L"Si \u00E8 verificato un errore creando C:\\Auguri\\Vavuri.exe, ";
  ASSERT_EQ(s.substr(0, prefix.size()), prefix);
  EXPECT_GT(s.size(), prefix.size() + 3) << "the system's description follows";
  EXPECT_EQ(s.find(L'\r'), std::wstring::npos);
  EXPECT_EQ(s.find(L'\n'), std::wstring::npos);
  EXPECT_NE(SystemErrorText(ERROR_ACCESS_DENIED), SystemErrorText(ERROR_PATH_NOT_FOUND));
}
