#include "generator/CardWriter.h"

#include "cardbytes/CardBytes.h"
#include "cardbytes/WebCardPage.h"
#include "codecs/ZipArchive.h"
#include "generator/PlayerImage.h"
#include "generator/StagingName.h"
#include "winapi/Ansi.h"
#include "winapi/File.h"
#include "winapi/Handles.h"

namespace {
constexpr unsigned kStagingAttempts = 16;

WideString OutsideSystemCodePage(const WideString& text) { return CharactersOutsideCodePage(text, CP_ACP); }

// Cards carry their names in the system's code page, as cards always have.
const CardCodePage kSystemCodePage = {ToAnsi, IsAnsiLeadByte, OutsideSystemCodePage};

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

bool CardWriter::WriteSendersAndPlace(const WideString& senders) {
  if (staged_.empty()) return Fail(ERROR_FILE_NOT_FOUND);
  CardMaterial material = {image_.data(), image_.size(), template_.data, template_.length};
  ByteBuffer card;
  CardBytesResult made = MakeCardBytes(kind_, material, cardPath_, senders, DosNow(), kSystemCodePage, card);
  image_ = ByteBuffer();
  if (made == CardBytesResult::DamagedTemplate) return Fail(kErrorWebTemplate);
  if (made != CardBytesResult::Made) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  DWORD error = WriteStaged(card.data(), card.size());
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
