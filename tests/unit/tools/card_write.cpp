// Makes a card of any kind with the code the generator and its page share,
// code page 1252 as the page uses, for the tests that hold the page's
// downloads and the program's cards to the same bytes:
//   card_write IMAGE TEMPLATE CARD_NAME NAMES_UTF8 DOS_DATE_TIME OUT
// The card's name chooses the kind, as in the program. Exit 1 on failure.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cardbytes/CardBytes.h"
#include "cardbytes/CodePage1252.h"

namespace {

std::vector<unsigned char> Read(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

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
  if (argc != 7) return 2;
  std::vector<unsigned char> image = Read(argv[1]), templ = Read(argv[2]);
  WideString name = Wide(argv[3]);
  CardMaterial material = {image.data(), image.size(), templ.data(), templ.size()};
  ByteBuffer card;
  uint32_t when = static_cast<uint32_t>(std::strtoul(argv[5], nullptr, 0));
  if (MakeCardBytes(CardKindOf(name), material, name, Wide(argv[4]), when, kCodePage1252, card) != CardBytesResult::Made)
    return 1;
  std::FILE* f = std::fopen(argv[6], "wb");
  if (!f) return 1;
  bool ok = std::fwrite(card.data(), 1, card.size(), f) == card.size();
  return std::fclose(f) == 0 && ok ? 0 : 1;
}
