#include "generator/GeneralBas.h"

#include <commdlg.h>

#include "common/HalfEven.h"
#include "forms/Form.h"
#include "forms/TipLabel.h"
#include "winapi/BoundFunctions.h"
#include "winapi/Handles.h"

#ifndef _WIN64
static_assert(sizeof(OPENFILENAME_NT4W) == 76, "the dialog record without the Windows 2000 fields");
#endif

void FillDialogRecord(OPENFILENAME_NT4W* record, HWND owner, short mode, const WideString& title,
                      wchar_t* fileBuffer, wchar_t* titleBuffer, const WideString& filter,
                      const WideString& initialFolder, const WideString& defaultExt) {
  *record = OPENFILENAME_NT4W{};
  record->lStructSize = sizeof(OPENFILENAME_NT4W);
  record->hwndOwner = owner;
  record->lpstrFilter = filter.c_str();
  record->nFilterIndex = 1;
  record->lpstrFile = fileBuffer;
  record->nMaxFile = kDialogFileBuffer;
  record->lpstrFileTitle = titleBuffer;
  record->nMaxFileTitle = kDialogFileBuffer;
  record->lpstrInitialDir = initialFolder.c_str();
  record->lpstrTitle = title.c_str();
  record->Flags = mode == 1 ? kOpenDialogFlags : kSaveDialogFlags;
  record->lpstrDefExt = defaultExt.c_str();
}

WideString ShowFileDialog(HWND owner, short mode, const WideString& title, const WideString& initialName,
                          const WideString& filter, const WideString& initialFolder, const WideString& defaultExt,
                          DWORD* dialogError, DWORD* filterIndex) {
  WideString file = WideString::Repeat(L'\0', kDialogFileBuffer);
  WideString fileTitle = WideString::Repeat(L'\0', kDialogFileBuffer);
  auto* name = const_cast<wchar_t*>(file.c_str());
  for (size_t i = 0; i < initialName.length() && i + 1 < kDialogFileBuffer; ++i) name[i] = initialName[i];
  OPENFILENAME_NT4W record;
  FillDialogRecord(&record, owner, mode, title, name, const_cast<wchar_t*>(fileTitle.c_str()), filter,
                   initialFolder, defaultExt);
  auto* asSystemRecord = reinterpret_cast<OPENFILENAMEW*>(&record);  // the system reads lStructSize
  BOOL chosen = mode == 1 ? bound::GetOpenFileNameW(asSystemRecord) : bound::GetSaveFileNameW(asSystemRecord);
  if (dialogError) *dialogError = chosen ? 0 : bound::CommDlgExtendedError();
  if (filterIndex) *filterIndex = record.nFilterIndex;
  return chosen ? file.UpToNul() : WideString();
}

WideString FitLabelText(TipLabel& label, const WideString& text, DWORD extraFlags, Form& form) {
  label.SetTag(text);
  RECT fit = {0, 0, static_cast<LONG>(RoundHalfEven(label.Width() * 0.97)), label.Height()};
  // DT_MODIFYSTRING may write up to four characters more than the text.
  WideString buffer(text);
  buffer.Append(L"\0\0\0\0\0", 5);
  {
    WindowDc dc(form.hwnd());  // the window's own DC, with the window's font
    // Measured as the label draws it: a label that shows "&" as it is must
    // not have it measured as an access-key mark, a glyph narrower.
    DWORD prefix = label.NoPrefix() ? DT_NOPREFIX : 0;
    bound::DrawTextW(dc.get(), const_cast<wchar_t*>(buffer.c_str()), -1, &fit,
                     extraFlags | prefix | DT_MODIFYSTRING | DT_CALCRECT);
  }
  WideString fitted = buffer.UpToNul();
  // The tooltip names the file shown: the full text when it was shortened,
  // none when the label shows it whole (a longer path's tooltip would name
  // another file).
  label.SetToolTipText(label.Tag() != fitted ? label.Tag() : WideString());
  return fitted;
}
