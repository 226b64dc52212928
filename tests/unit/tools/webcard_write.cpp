// Fills a web card template with names, through the generator's own filler,
// for the browser tests:  webcard_write TEMPLATE NAMES_UTF8 OUT
// Exit 1 when the template is refused or the page cannot be written.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "web/WebCardPage.h"

namespace {

// UTF-8 to wchar_t (UTF-32 here); the tests give only valid UTF-8.
WideString Wide(const std::string& utf8) {
  WideString out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    unsigned long point = extra == 0 ? c : (c & (0x3F >> extra));
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) point = (point << 6) | (utf8[i + k] & 0x3F);
    out += static_cast<wchar_t>(point);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<unsigned char> templ((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ByteBuffer page;
  if (!FillWebCardPage(templ.data(), templ.size(), Wide(argv[2]), page)) return 1;
  std::FILE* f = std::fopen(argv[3], "wb");
  if (!f) return 1;
  bool ok = std::fwrite(page.data(), 1, page.size(), f) == page.size();
  return std::fclose(f) == 0 && ok ? 0 : 1;
}
