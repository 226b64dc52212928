#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <commdlg.h>

#include <cstddef>

// The records the programs hand to the system, as the system lays them out
// for this architecture. A packing or alignment slip shows only in one of
// the two builds, so each build checks its own figures.
#ifdef _WIN64
constexpr size_t kDialogRecord = 136, kDialogFile = 48, kDialogFlags = 96, kDialogDefExt = 104;
constexpr size_t kVersionRecord = 148;
#else
constexpr size_t kDialogRecord = 76, kDialogFile = 28, kDialogFlags = 52, kDialogDefExt = 60;
constexpr size_t kVersionRecord = 148;
static_assert(sizeof(OPENFILENAME_NT4W) == 76, "the 76-byte dialog record of the 32-bit system");
#endif

TEST(RecordLayout, SaveDialogRecordMatchesTheSystems) {
  EXPECT_EQ(sizeof(OPENFILENAME_NT4W), kDialogRecord);
  EXPECT_EQ(offsetof(OPENFILENAME_NT4W, lpstrFile), kDialogFile);
  EXPECT_EQ(offsetof(OPENFILENAME_NT4W, Flags), kDialogFlags);
  EXPECT_EQ(offsetof(OPENFILENAME_NT4W, lpstrDefExt), kDialogDefExt);
}

TEST(RecordLayout, VersionAndControlRecords) {
  EXPECT_EQ(sizeof(OSVERSIONINFOA), kVersionRecord);
  EXPECT_EQ(sizeof(INITCOMMONCONTROLSEX), 8u);
}

TEST(RecordLayout, TheSystemAcceptsTheVersionRecord) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_GE(info.dwMajorVersion, 5u);
}
