#include "generator/CardWriter.h"

#include "cardfile/CardLayout.h"
#include "cardfile/SendersField.h"
#include "common/ByteBuffer.h"
#include "generator/PlayerImage.h"
#include "generator/StagingName.h"
#include "winapi/Ansi.h"
#include "winapi/File.h"
#include "winapi/Handles.h"

namespace {
constexpr unsigned kStagingAttempts = 16;
}  // namespace

bool CardWriter::Fail(DWORD error) {
  error_ = error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
  Discard();
  return false;
}

void CardWriter::Discard() {
  if (staged_.empty()) return;
  DeleteFileW(staged_.c_str());
  staged_ = WideString();
}

bool CardWriter::CopyPlayerImage(const WideString& containerPath, const WideString& cardPath) {
  Discard();
  cardPath_ = cardPath;
  error_ = ERROR_SUCCESS;
  ByteBuffer image;
  {
    File container(containerPath, File::Mode::Read);
    unsigned long long size = 0;
    if (!container.IsOpen() || !container.Size(&size)) return Fail(container.LastError());
    size_t length = PlayerImageLength(size);
    if (length == 0) return Fail(ERROR_HANDLE_EOF);  // nothing behind the generator's own image
    image = ByteBuffer(length);
    if (!image.ok()) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    if (!container.ReadAt(PlayerImageOffset, image.data(), length)) return Fail(container.LastError());
  }
  // A damaged generator must not make a card that cannot start or whose
  // names overwrite its code: the system's words for it say the file is damaged.
  if (!IsPlayerImage(image.data(), image.size())) return Fail(ERROR_FILE_CORRUPT);
  if (!CheckReplaceable(cardPath)) return false;
  return CreateStaged(cardPath, image.data(), image.size());
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

bool CardWriter::CreateStaged(const WideString& cardPath, const unsigned char* image, size_t length) {
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
    if (!staged.WriteAt(0, image, length) || !staged.Flush()) {
      DWORD error = staged.LastError();
      staged.Close();
      return Fail(error);
    }
    return true;
  }
  return Fail(ERROR_FILE_EXISTS);
}

bool CardWriter::WriteSendersAndPlace(const WideString& senders) {
  if (staged_.empty()) return Fail(ERROR_FILE_NOT_FOUND);
  ByteBuffer ansi = ToAnsi(senders);
  unsigned char field[SendersFieldLength];
  MakeSendersField(ansi.data(), ansi.size(), IsAnsiLeadByte, field);
  DWORD error = ERROR_SUCCESS;
  {
    File card(staged_, File::Mode::ReadWriteExisting);
    unsigned long long length = 0;
    if (!card.IsOpen() || !card.Size(&length))
      error = card.LastError();
    else if (length < SendersFieldLength)
      error = ERROR_HANDLE_EOF;
    else if (!card.WriteAt(length - SendersFieldLength, field, SendersFieldLength) || !card.Flush())
      error = card.LastError();
  }  // closed before a failure removes it
  if (error != ERROR_SUCCESS) return Fail(error);
  if (!MoveFileExW(staged_.c_str(), cardPath_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Fail(GetLastError());
  staged_ = WideString();
  return true;
}
