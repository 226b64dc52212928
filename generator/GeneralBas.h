#pragma once
// The generator's two helpers around the system's dialogs and text fitting.

#include <windows.h>
// After windows.h, which it builds on.
#include <commdlg.h>

#include "common/WideString.h"

class Form;
class TipLabel;

// Flags of the two dialogs: the open dialog wants an existing file, the save
// dialog an existing folder and asks before replacing a file.
constexpr DWORD kOpenDialogFlags = 0x1804;  // OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY
constexpr DWORD kSaveDialogFlags = 0x806;   // OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT
// Room for the longest path the system accepts (32,767 characters and the
// NUL): a shorter buffer makes the dialog fail on a long path.
constexpr DWORD kDialogFileBuffer = 32768;

// Shows the open dialog (mode 1) or the save dialog (any other mode) and
// returns the chosen path, or an empty text when the user cancelled or the
// dialog failed. filter: description and pattern pairs, each ended by a NUL
// (the WideString's own terminator ends the list). dialogError, when given,
// tells the two apart: the dialog's own error code, 0 for a cancel.
// filterIndex, when given, receives the type chosen last in the dialog (its
// place in the filter, counting from 1).
WideString ShowFileDialog(HWND owner, short mode, const WideString& title, const WideString& initialName,
                          const WideString& filter, const WideString& initialFolder, const WideString& defaultExt,
                          DWORD* dialogError = nullptr, DWORD* filterIndex = nullptr);

// The text shortened as the system does it to fit 0.97 of the label's
// width in the window's font, measured as the label draws it (extraFlags
// such as DT_PATH_ELLIPSIS choose how). The label's Tag becomes the full
// text; its tooltip becomes the full text when the text had to be
// shortened, and goes when it is shown whole.
WideString FitLabelText(TipLabel& label, const WideString& text, DWORD extraFlags, Form& form);

// The dialog's record as the system lays it out without the fields that
// Windows 2000 added; filled for ShowFileDialog, exposed for its tests.
void FillDialogRecord(OPENFILENAME_NT4W* record, HWND owner, short mode, const WideString& title,
                      wchar_t* fileBuffer, wchar_t* titleBuffer, const WideString& filter,
                      const WideString& initialFolder, const WideString& defaultExt);
