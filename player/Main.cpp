// The card starts here, without the C runtime's start-up code, which would
// cost more than the card's own program.

#include <windows.h>

#include "forms/MessagePump.h"
#include "player/frmDraw.h"

extern "C" void WinMainCRTStartup() {
  int code = 1;
  {
    frmDraw form(GetModuleHandleW(nullptr));
    if (form.Open()) code = RunMessageLoop();
  }
  ExitProcess(static_cast<UINT>(code));
}
