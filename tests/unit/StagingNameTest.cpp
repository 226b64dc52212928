#include <gtest/gtest.h>

#include <string>

#include "common/FolderPart.h"
#include "generator/Messages.h"
#include "generator/StagingName.h"

namespace {
std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }
}  // namespace

TEST(FolderPart, UpToTheLastSeparator) {
  EXPECT_EQ(W(FolderPart(L"C:\\Auguri\\Vavuri.exe")), L"C:\\Auguri\\");
  EXPECT_EQ(W(FolderPart(L"C:\\Vavuri.exe")), L"C:\\");
  EXPECT_EQ(W(FolderPart(L"C:/Auguri/Vavuri.exe")), L"C:/Auguri/");
  EXPECT_EQ(W(FolderPart(L"C:Vavuri.exe")), L"C:");
  EXPECT_EQ(W(FolderPart(L"\\\\server\\share\\Vavuri.exe")), L"\\\\server\\share\\");
  EXPECT_EQ(W(FolderPart(L"Vavuri.exe")), L"");
}

TEST(StagingName, InTheCardsFolderNumberedInHex) {
  EXPECT_EQ(W(StagingName(L"C:\\Auguri\\Vavuri.exe", 0x1a2b)), L"C:\\Auguri\\~crl00001a2b.tmp");
  EXPECT_EQ(W(StagingName(L"Vavuri.exe", 0xffffffffu)), L"~crlffffffff.tmp");
  EXPECT_NE(W(StagingName(L"C:\\x.exe", 1)), W(StagingName(L"C:\\x.exe", 2)));
  // Folders outside the ANSI code page stay as they are.
  EXPECT_EQ(W(StagingName(L"D:\\\x65E5\x672C\\\x03B1.exe", 0)), L"D:\\\x65E5\x672C\\~crl00000000.tmp");
}

TEST(CreationErrorMessage, PathThenTheSystemsReason) {
  EXPECT_EQ(W(CreationErrorMessage(L"C:\\Auguri\\Vavuri.exe", L"Accesso negato.\r\n")),
            L"Si \u00E8 verificato un errore creando C:\\Auguri\\Vavuri.exe, Accesso negato.");
  EXPECT_EQ(W(CreationErrorMessage(L"X.exe", L"")), L"Si \u00E8 verificato un errore creando X.exe, ");
}

TEST(WithoutTrailingBreaks, OnlyTheEnd) {
  EXPECT_EQ(W(WithoutTrailingBreaks(L"Riga uno.\r\nRiga due. \r\n")), L"Riga uno.\r\nRiga due.");
  EXPECT_EQ(W(WithoutTrailingBreaks(L"\r\n")), L"");
}
