#include <gtest/gtest.h>

#include <type_traits>

#include "player/Module1.h"
#include "winapi/BoundFunctions.h"

// The bound pointer must have exactly the system's type, calling convention
// included: a mismatch would crash only the 32-bit program.
static_assert(std::is_same<decltype(bound::SetLayeredWindowAttributes.Get()),
                           decltype(&::SetLayeredWindowAttributes)>::value,
              "bound through the system's own pointer type");
static_assert(std::is_same<decltype(bound::mciSendStringW.Get()), decltype(&::mciSendStringW)>::value,
              "bound through the system's own pointer type");

TEST(BoundFunction, PresentFunctionIsFoundOnceAndCalled) {
  BoundFunction<decltype(&::GetTempPathA)> getTempPath{"kernel32.dll", "GetTempPathA"};
  ASSERT_TRUE(getTempPath.Available());
  EXPECT_EQ(getTempPath.Get(), getTempPath.Get());
  char viaBound[MAX_PATH] = {}, direct[MAX_PATH] = {};
  DWORD n = getTempPath(MAX_PATH, viaBound);
  EXPECT_EQ(n, GetTempPathA(MAX_PATH, direct));
  EXPECT_STREQ(viaBound, direct);
}

TEST(BoundFunction, LibraryNotLoadedYetIsLoaded) {
  // winmm is not among this program's imports: the binding must load it.
  EXPECT_TRUE(bound::mciSendStringW.Available());
  wchar_t reply[256] = {};
  EXPECT_NE(bound::mciSendStringW(L"close carolux_test_nothing", reply, 256, nullptr), 0u);
}

TEST(BoundFunction, MissingFunctionOrLibraryYieldsZeroWithoutCalling) {
  BoundFunction<decltype(&::GetTempPathA)> missing{"kernel32.dll", "CaroluxNoSuchFunction"};
  EXPECT_FALSE(missing.Available());
  char buffer[16] = "untouched";
  EXPECT_EQ(missing(16, buffer), 0u);
  EXPECT_STREQ(buffer, "untouched");
  BoundFunction<decltype(&::GetTempPathA)> noLibrary{"carolux_no_such_library.dll", "GetTempPathA"};
  EXPECT_FALSE(noLibrary.Available());
  EXPECT_EQ(noLibrary(16, buffer), 0u);
}

TEST(IsWin2000OrLater, TrueOnThisSystem) { EXPECT_TRUE(IsWin2000OrLater()); }
