// Writing web cards on real files: the page is the template this program
// carries, filled with the names exactly as typed; a template that is
// missing or damaged makes nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cardbytes/WebCardPage.h"
#include "generator/CardWriter.h"
#include "generator/WebTemplate.h"
#include "tests/win/TestFiles.h"
#include "tests/win/generator/Helpers.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Page(WebTemplate from, const std::wstring& names) {
  ByteBuffer page;
  if (!FillWebCardPage(from.data, from.length, WideString(names.c_str(), names.size()), page)) return Bytes();
  return Bytes(page.data(), page.data() + page.size());
}

bool Holds(const Bytes& page, const std::string& text) {
  const Bytes bytes(text.begin(), text.end());
  return std::search(page.begin(), page.end(), bytes.begin(), bytes.end()) != page.end();
}

class WebCardTest : public ::testing::Test {
 protected:
  WebCardTest() : folder_(L"web") {
    container_ = folder_.File(L"Carolux.exe");
    WriteBytes(container_, Container(FakePlayerImage(3000)));
  }

  ScratchFolder folder_;
  std::wstring container_;
};

}  // namespace

TEST_F(WebCardTest, ThePageShowsTheNamesAsTypedAndAsData) {
  const WebTemplate own = OwnWebTemplate();
  ASSERT_GT(own.length, 1000u) << "the program carries its template";
  const std::wstring names = L"Zo\u00EB & \u0396\u03C9\u03AE \u65E5\u672C </script><b>";
  for (const wchar_t* name : {L"Auguri.html", L"AUGURI.HTM"}) {
    std::wstring page = folder_.File(name);
    CardWriter writer;
    ASSERT_TRUE(Make(writer, container_, page, names)) << writer.Error();
    Bytes written = ReadBytes(page);
    EXPECT_EQ(written, Page(own, names));
    EXPECT_TRUE(Holds(written, "Zo\xC3\xAB &amp; \xCE\x96\xCF\x89\xCE\xAE \xE6\x97\xA5\xE6\x9C\xAC &lt;/script&gt;"))
        << "every character, in UTF-8, markup escaped";
    EXPECT_FALSE(Holds(written, "</script><b>"));
  }
  // Names from elsewhere than the field are held to its 70 units, whole.
  std::wstring page = folder_.File(L"Lunghi.html");
  CardWriter writer;
  ASSERT_TRUE(Make(writer, container_, page, std::wstring(69, L'a') + L"\xD83C\xDF84"));
  EXPECT_EQ(ReadBytes(page), Page(own, std::wstring(69, L'a')));
  EXPECT_EQ(StagedFiles(folder_), 0u);
}

TEST_F(WebCardTest, AMissingOrDamagedTemplateWritesNothing) {
  const WebTemplate own = OwnWebTemplate();
  Bytes changed(own.data, own.data + own.length);
  changed[changed.size() / 2] ^= 0x20;
  const std::wstring oldPage = folder_.File(L"Vecchio.html"), newPage = folder_.File(L"Nuovo.html");
  const Bytes old(5000, 'o');
  WriteBytes(oldPage, old);
  const WebTemplate damaged[] = {{nullptr, 0}, {own.data, own.length - 1}, {changed.data(), changed.size()}};
  for (const WebTemplate& from : damaged) {
    for (const std::wstring& page : {oldPage, newPage}) {
      CardWriter writer(from);
      EXPECT_FALSE(writer.Prepare(container_.c_str(), page.c_str())) << from.length;
      EXPECT_EQ(writer.Error(), kErrorWebTemplate);
      EXPECT_FALSE(writer.WriteSendersAndPlace(L"Lia"));
    }
    EXPECT_EQ(ReadBytes(oldPage), old);
    EXPECT_EQ(GetFileAttributesW(newPage.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(StagedFiles(folder_), 0u);
  }
}
