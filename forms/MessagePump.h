#pragma once
// Long routines let other events run only here: every pending message of the
// thread is dispatched, then the call returns.
void PumpMessages();

// The program's main loop; returns the exit code of WM_QUIT. With
// dialogKeys, Tab, Enter and Esc move between and press a window's controls.
int RunMessageLoop(bool dialogKeys);
