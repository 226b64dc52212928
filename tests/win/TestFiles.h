#pragma once
// Scratch folders and files for the Windows-side tests, removed afterwards.

#include <windows.h>

#include <string>
#include <vector>

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name);
  ~ScratchFolder();
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::wstring& path);
// A stand-in for a card: a program image (headers and one section) of the
// length given, more than 128 bytes, then the 70-byte field given.
// A file of the build under test's dist folder (the shipped programs), as a
// Windows path.
std::wstring DistPath(const char* name);
// The shipped card player, its field never written.
std::vector<unsigned char> ShippedPlayer();
std::vector<unsigned char> CardBytes(size_t imageLength, const std::string& field);
