// The generator starts here, without the C runtime's start-up code (see the
// card's own entry point): common controls, one instance at a time, then the
// window and its message loop.

#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include "forms/MessagePump.h"
#include "generator/frmAbout.h"
#include "generator/frmWizard.h"
#include "winapi/BoundFunctions.h"
#include "winapi/Handles.h"

static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "the record comctl32 expects");

extern "C" void WinMainCRTStartup() {
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_USEREX_CLASSES};
  bound::InitCommonControlsEx(&init);
  // A second start, while one runs, ends here without a word. The mutex is
  // released by the system when this process ends.
  KernelHandle oneInstance(CreateMutexW(nullptr, FALSE, L"Carolux.Generatore.UnaIstanza"));
  if (oneInstance.Valid() && GetLastError() == ERROR_ALREADY_EXISTS) ExitProcess(0);
  int code = 1;
  {
    // The windows hold whole paths, more than a frame may take (no frame
    // may pass a page), so they live on the heap.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    frmAbout* about = new frmAbout(instance);
    frmWizard* wizard = new frmWizard(instance, *about);
    if (wizard->Open()) code = RunDialogMessageLoop();
    delete wizard;
    delete about;
  }
  ExitProcess(static_cast<UINT>(code));
}
