#include "generator/OpenForms.h"

#include <windows.h>

namespace {
int openForms = 0;
}  // namespace

void FormOpened() { ++openForms; }

void FormClosed() {
  if (openForms > 0) --openForms;
  if (openForms == 0) PostQuitMessage(0);
}
