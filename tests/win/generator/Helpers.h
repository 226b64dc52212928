#pragma once
// What the generator's Windows-side tests share: stand-ins for the player
// image and the container, counting leftover temporary files, and a file
// held open by another process.

#include <windows.h>

#include <string>
#include <vector>

#include "generator/CardWriter.h"
#include "tests/win/TestFiles.h"

// A whole program image of the given length (at least 1,095 bytes) ending in
// 70 zero bytes.
std::vector<unsigned char> FakePlayerImage(size_t length);
// A generator container around an image: PlayerImageOffset bytes of generator, then it.
std::vector<unsigned char> Container(const std::vector<unsigned char>& image);
// Both steps of writing a card, as "Crea biglietto augurale" takes them.
bool Make(CardWriter& writer, const std::wstring& container, const std::wstring& card, const std::wstring& names);
// Temporary card files ("~crl*.tmp") left in a folder.
size_t StagedFiles(const ScratchFolder& folder);

// Another process (a copy of this test program) holds the file open with no
// sharing for as long as this object lives.
class FileLockedElsewhere {
 public:
  explicit FileLockedElsewhere(const std::wstring& path);
  ~FileLockedElsewhere();
  bool Held() const { return held_; }

 private:
  PROCESS_INFORMATION process_ = {};
  HANDLE release_ = nullptr;
  bool held_ = false;
};
