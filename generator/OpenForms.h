#pragma once
// The program lives as long as one of its windows is open: closing the
// generator window while the About window is still open leaves the program
// running until that one is closed too.

void FormOpened();
// Ends the message loop when the last window has closed.
void FormClosed();
