#include <gtest/gtest.h>

#include "cardfile/AppFolder.h"

TEST(AppFolder, FolderOfAProgramEndsInOneBackslash) {
  EXPECT_EQ(FolderOfPath(L"C:\\Auguri\\Carolux.exe"), WideString(L"C:\\Auguri\\"));
  EXPECT_EQ(FolderOfPath(L"\\\\server\\share\\dir\\Vavuri.exe"), WideString(L"\\\\server\\share\\dir\\"));
}

TEST(AppFolder, DriveRootKeepsASingleBackslash) {
  EXPECT_EQ(FolderOfPath(L"C:\\Carolux.exe"), WideString(L"C:\\"));
  EXPECT_EQ(WithTrailingBackslash(L"C:\\"), WideString(L"C:\\"));
  EXPECT_EQ(WithTrailingBackslash(L"C:\\Auguri"), WideString(L"C:\\Auguri\\"));
}

TEST(AppFolder, NonAnsiFolderNamesPassUnchanged) {
  EXPECT_EQ(FolderOfPath(L"D:\\Natale \x65E5\x672C\\\x0391\x03B8\\Vavuri.exe"),
            WideString(L"D:\\Natale \x65E5\x672C\\\x0391\x03B8\\"));
}
