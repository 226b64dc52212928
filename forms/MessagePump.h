#pragma once
// Long routines let other events run only here: every pending message of the
// thread is dispatched, then the call returns.
void PumpMessages();

// The program's main loop; returns the exit code of WM_QUIT.
int RunMessageLoop();
// The same, where Tab, Enter and Esc move between and press a window's
// controls. A file of its own, so a program without dialog keys imports
// none of what they need.
int RunDialogMessageLoop();
