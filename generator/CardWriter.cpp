#include "generator/CardWriter.h"

#include <string.h>

#include "cardfile/CardLayout.h"
#include "cardfile/SendersField.h"
#include "codecs/ZipArchive.h"
#include "common/WholeCharacters.h"
#include "generator/PlayerImage.h"
#include "generator/StagingName.h"
#include "web/WebCardPage.h"
#include "winapi/Ansi.h"
#include "winapi/File.h"
#include "winapi/Handles.h"

namespace {
constexpr unsigned kStagingAttempts = 16;

ByteBuffer ToUtf8(const WideString& text) {
  int length = static_cast<int>(text.length());
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
  ByteBuffer bytes(n > 0 ? static_cast<size_t>(n) : 0);
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, reinterpret_cast<char*>(bytes.data()), n, nullptr, nullptr);
  return bytes;
}

// The card's name inside an archive as the archive stores it: in the ANSI
// code page when every character has its own there (no look-alike standing
// in), else in UTF-8, flagged.
ByteBuffer MemberName(const WideString& zipPath, bool* utf8) {
  WideString name = ZipMemberName(zipPath);
  *utf8 = !CharactersOutsideCodePage(name, CP_ACP).empty();
  return *utf8 ? ToUtf8(name) : ToAnsi(name);
}

uint32_t DosNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return DosDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

}  // namespace

bool CardWriter::Fail(DWORD error) {
  error_ = error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
  Discard();
  return false;
}

void CardWriter::Discard() {
  image_ = ByteBuffer();
  if (staged_.empty()) return;
  DeleteFileW(staged_.c_str());
  staged_ = WideString();
}

bool CardWriter::Prepare(const WideString& containerPath, const WideString& cardPath) {
  Discard();
  cardPath_ = cardPath;
  kind_ = CardKindOf(cardPath);
  error_ = ERROR_SUCCESS;
  bool source = kind_ == CardKind::Web ? CheckTemplate() : ReadPlayerImage(containerPath);
  // The temporary file is made now, empty, so a folder that cannot take it
  // fails at this step for every kind.
  return source && CheckReplaceable(cardPath) && CreateStaged(cardPath);
}

bool CardWriter::ReadPlayerImage(const WideString& containerPath) {
  File container(containerPath, File::Mode::Read);
  unsigned long long size = 0;
  if (!container.IsOpen() || !container.Size(&size)) return Fail(container.LastError());
  size_t length = PlayerImageLength(size);
  if (length == 0) return Fail(ERROR_HANDLE_EOF);  // nothing behind the generator's own image
  image_ = ByteBuffer(length);
  if (!image_.ok()) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  if (!container.ReadAt(PlayerImageOffset, image_.data(), length)) return Fail(container.LastError());
  // A damaged generator must not make a card that cannot start or whose
  // names overwrite its code: the system's words for it say the file is damaged.
  return IsPlayerImage(image_.data(), image_.size()) || Fail(ERROR_FILE_CORRUPT);
}

// A template that cannot make a page is found before anything is written.
bool CardWriter::CheckTemplate() {
  ByteBuffer page;
  return FillWebCardPage(template_.data, template_.length, WideString(), page) || Fail(kErrorWebTemplate);
}

// An existing destination must be one we may replace: not read-only (which
// Wine, run by root, would let us write all the same), not a folder, and not
// held open by anyone without leave to write and delete it, as a running
// card is. Asking now keeps the old file safe from a half-done card.
bool CardWriter::CheckReplaceable(const WideString& cardPath) {
  DWORD attributes = GetFileAttributesW(cardPath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || Fail(error);
  }
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return Fail(ERROR_ACCESS_DENIED);
  KernelHandle probe(CreateFileW(cardPath.c_str(), GENERIC_WRITE | DELETE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe.Valid() || Fail(GetLastError());
}

bool CardWriter::CreateStaged(const WideString& cardPath) {
  unsigned seed = GetTickCount() ^ (static_cast<unsigned>(GetCurrentProcessId()) << 16);
  for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt) {
    WideString name = StagingName(cardPath, seed + attempt);
    File staged(name, File::Mode::CreateNew);
    if (!staged.IsOpen()) {
      DWORD error = staged.LastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return Fail(error);
    }
    staged_ = name;
    return true;
  }
  return Fail(ERROR_FILE_EXISTS);
}

bool CardWriter::WriteSendersAndPlace(const WideString& typed) {
  if (staged_.empty()) return Fail(ERROR_FILE_NOT_FOUND);
  // Names come from the field, which keeps them whole, or from anywhere
  // else: no card may end them in half a character.
  WideString senders = WholeCharacters(typed, SendersFieldLength);
  DWORD error = ERROR_SUCCESS;
  if (kind_ == CardKind::Web) {
    error = WritePage(senders);
  } else {
    ByteBuffer ansi = ToAnsi(senders);
    MakeSendersField(ansi.data(), ansi.size(), IsAnsiLeadByte, image_.data() + image_.size() - SendersFieldLength);
    error = kind_ == CardKind::Zipped ? WriteArchive() : WriteStaged(image_.data(), image_.size());
  }
  image_ = ByteBuffer();
  if (error != ERROR_SUCCESS) return Fail(error);
  if (!MoveFileExW(staged_.c_str(), cardPath_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Fail(GetLastError());
  staged_ = WideString();
  return true;
}

// The file is closed on return, before a failure removes it.
DWORD CardWriter::WriteStaged(const unsigned char* bytes, size_t length) {
  File staged(staged_, File::Mode::ReadWriteExisting);
  if (!staged.IsOpen() || !staged.WriteAt(0, bytes, length) || !staged.Flush()) return staged.LastError();
  return ERROR_SUCCESS;
}

// The finished card, zipped under the archive's own name.
DWORD CardWriter::WriteArchive() {
  bool utf8 = false;
  ByteBuffer name = MemberName(cardPath_, &utf8);
  ZipMember member = {name.data(), name.size(), utf8, DosNow()};
  ZipArchive archive;
  if (!name.ok() || !archive.Build(member, image_.data(), image_.size())) return ERROR_NOT_ENOUGH_MEMORY;
  image_ = ByteBuffer();
  return WriteStaged(archive.data(), archive.size());
}

DWORD CardWriter::WritePage(const WideString& senders) {
  ByteBuffer page;
  if (!FillWebCardPage(template_.data, template_.length, senders, page)) return kErrorWebTemplate;
  return WriteStaged(page.data(), page.size());
}
