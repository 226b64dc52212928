// Writes what the generator's deflate encoder and archive writer make of a
// file, for zip_against_python.py to read back with Python's zlib and
// zipfile, which share no code with ours.
//
//   zip_write deflate IN OUT                         raw deflate stream of IN
//   zip_write zip IN OUT NAME ansi|utf8 Y M D h m s  archive holding IN as NAME
//                                                    (NAME's bytes as given)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "codecs/Deflate.h"
#include "codecs/ZipArchive.h"

namespace {

std::vector<unsigned char> Read(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Write(const char* path, const unsigned char* bytes, size_t n) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes, 1, n, f) == n;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  std::vector<unsigned char> data = Read(argv[2]);
  if (std::strcmp(argv[1], "deflate") == 0 && argc == 4) {
    std::vector<unsigned char> out(DeflateBound(data.size()));
    size_t n = Deflate(data.data(), data.size(), out.data());
    if (n == 0 || n > out.size()) return 1;
    return Write(argv[3], out.data(), n) ? 0 : 1;
  }
  if (std::strcmp(argv[1], "zip") == 0 && argc == 12) {
    unsigned t[6];
    for (int i = 0; i < 6; ++i) t[i] = static_cast<unsigned>(std::atoi(argv[6 + i]));
    ZipMember member = {reinterpret_cast<const unsigned char*>(argv[4]), std::strlen(argv[4]),
                        std::strcmp(argv[5], "utf8") == 0, DosDateTime(t[0], t[1], t[2], t[3], t[4], t[5])};
    ZipArchive archive;
    if (!archive.Build(member, data.data(), data.size())) return 1;
    return Write(argv[3], archive.data(), archive.size()) ? 0 : 1;
  }
  return 2;
}
