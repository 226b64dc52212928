// The About window's links and version, from the real resources.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "generator/VersionResource.h"
#include "generator/frmAbout.h"
#include "tests/win/TestFiles.h"

namespace {

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

// Closing the last window asks the message loop to end; tests have none.
void ForgetQuit() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace

TEST(AboutWindow, MailLinksCarryTheVersionCaption) {
  // On the heap: no frame may pass a page.
  auto about = std::make_unique<frmAbout>(GetModuleHandleW(nullptr));
  about->Show();
  ASSERT_TRUE(about->IsOpen());
  EXPECT_EQ(W(about->EmailLink(0)), L"mailto:ep@carolux.example?Subject=Carolux%20-%20Versione%201.1.0");
  EXPECT_EQ(W(about->EmailLink(1)), L"mailto:info@carolux.example?Subject=Carolux%20-%20Versione%201.1.0");
  EXPECT_EQ(W(about->EmailLink(5)), W(about->EmailLink(1))) << "any other index: address B";

  HWND first = about->hwnd();
  about->Show();
  EXPECT_EQ(about->hwnd(), first) << "one About window at a time";

  about->Unload();
  EXPECT_FALSE(about->IsOpen());
  ForgetQuit();
  about->Show();  // made anew, with the same version
  ASSERT_TRUE(about->IsOpen());
  EXPECT_EQ(W(about->EmailLink(0)), L"mailto:ep@carolux.example?Subject=Carolux%20-%20Versione%201.1.0");
  about->Unload();
  ForgetQuit();
}

TEST(VersionRecord, ThisProgramCarriesOneOneZeroZero) {
  FileVersion v = {};
  ASSERT_TRUE(OwnFileVersion(GetModuleHandleW(nullptr), &v));
  EXPECT_EQ(v.major, 1u);
  EXPECT_EQ(v.minor, 1u);
  EXPECT_EQ(v.build, 0u);
  EXPECT_EQ(v.revision, 0u);
}

TEST(VersionRecord, TheShippedGeneratorCarriesIt) {
  HMODULE generator = LoadLibraryExW(DistPath("Carolux.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(generator, nullptr);
  FileVersion v = {};
  EXPECT_TRUE(OwnFileVersion(generator, &v));
  EXPECT_EQ(v.major * 1000 + v.minor * 100 + v.build * 10 + v.revision, 1100u);
  EXPECT_NE(FindResourceW(generator, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(12)), nullptr) << "hand cursor 101";
  FreeLibrary(generator);
}
