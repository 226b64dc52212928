// What holds for every destination, a card, a zipped card or a web card: a
// failure leaves the destination as it was and no temporary file behind, an
// old file is replaced whole, and the writer goes on to the next card.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "generator/CardWriter.h"
#include "tests/win/TestFiles.h"
#include "tests/win/generator/Helpers.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Destination {
  const wchar_t* name;
};

void PrintTo(const Destination& d, std::ostream* out) {
  for (const wchar_t* c = d.name; *c; ++c) *out << static_cast<char>(*c);
}

class DestinationTest : public ::testing::TestWithParam<Destination> {
 protected:
  DestinationTest() : folder_(L"destinations"), image_(FakePlayerImage(3000)) {
    container_ = folder_.File(L"Carolux.exe");
    WriteBytes(container_, Container(image_));
    target_ = folder_.File(GetParam().name);
  }

  ScratchFolder folder_;
  Bytes image_;
  std::wstring container_, target_;
  const Bytes old_ = Bytes(5000, 'o');
};

}  // namespace

TEST_P(DestinationTest, ReadOnlyDestinationIsLeftAlone) {
  WriteBytes(target_, old_);
  SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY);
  CardWriter writer;
  EXPECT_FALSE(writer.Prepare(container_.c_str(), target_.c_str()));
  EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(target_), old_);
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

TEST_P(DestinationTest, DestinationLockedByAnotherProcessIsLeftAlone) {
  WriteBytes(target_, old_);
  {
    FileLockedElsewhere lock(target_);
    ASSERT_TRUE(lock.Held());
    CardWriter writer;
    EXPECT_FALSE(writer.Prepare(container_.c_str(), target_.c_str()));
    EXPECT_NE(writer.Error(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(StagedFiles(folder_), 0u);
  }
  EXPECT_EQ(ReadBytes(target_), old_);
}

TEST_P(DestinationTest, LockedBetweenCopyAndFieldTheOldFileStays) {
  WriteBytes(target_, old_);
  CardWriter writer;
  ASSERT_TRUE(writer.Prepare(container_.c_str(), target_.c_str()));
  EXPECT_EQ(StagedFiles(folder_), 1u);
  {
    FileLockedElsewhere lock(target_);
    ASSERT_TRUE(lock.Held());
    EXPECT_FALSE(writer.WriteSendersAndPlace(L"Mario"));
    EXPECT_NE(writer.Error(), static_cast<DWORD>(ERROR_SUCCESS));
  }
  EXPECT_EQ(ReadBytes(target_), old_);
  EXPECT_EQ(StagedFiles(folder_), 0u);
  ASSERT_TRUE(Make(writer, container_, target_, L"Mario")) << "the writer goes on to the next card";
  EXPECT_NE(ReadBytes(target_), old_);
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

TEST_P(DestinationTest, MissingFolderCreatesNothing) {
  std::wstring target = folder_.File(std::wstring(L"manca\\") + GetParam().name);
  CardWriter writer;
  EXPECT_FALSE(writer.Prepare(container_.c_str(), target.c_str()));
  EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(writer.WriteSendersAndPlace(L"Lia"));
  EXPECT_EQ(GetFileAttributesW(folder_.File(L"manca").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

// An old file longer than any card: nothing of its tail may stay.
TEST_P(DestinationTest, AnExistingLongerFileIsReplacedWhole) {
  CardWriter writer;
  ASSERT_TRUE(CreateDirectoryW(folder_.File(L"nuovo").c_str(), nullptr));
  std::wstring fresh = folder_.File(std::wstring(L"nuovo\\") + GetParam().name);
  ASSERT_TRUE(Make(writer, container_, fresh, L"Lia")) << writer.Error();
  WriteBytes(target_, Bytes(200000, 'X'));
  ASSERT_TRUE(Make(writer, container_, target_, L"Lia")) << writer.Error();
  Bytes written = ReadBytes(target_);
  EXPECT_EQ(written.size(), ReadBytes(fresh).size());
  EXPECT_NE(written.back(), 'X');
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

TEST_P(DestinationTest, AbandonedCopyIsRemoved) {
  {
    CardWriter writer;
    ASSERT_TRUE(writer.Prepare(container_.c_str(), target_.c_str()));
    EXPECT_EQ(StagedFiles(folder_), 1u);
    EXPECT_EQ(ReadBytes(std::wstring(writer.StagedPath().c_str())), Bytes()) << "the card waits in memory";
  }
  EXPECT_EQ(StagedFiles(folder_), 0u);
  EXPECT_EQ(GetFileAttributesW(target_.c_str()), INVALID_FILE_ATTRIBUTES);
  CardWriter writer;
  EXPECT_FALSE(writer.WriteSendersAndPlace(L"senza copia"));
  EXPECT_EQ(GetFileAttributesW(target_.c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DestinationTest,
                         ::testing::Values(Destination{L"Vavuri.exe"}, Destination{L"Auguri.zip"},
                                           Destination{L"Auguri.html"}));
