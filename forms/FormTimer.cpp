#include "forms/FormTimer.h"

#include "forms/Form.h"

void FormTimer::SetEnabled(bool enabled) {
  HWND hwnd = form_.hwnd();
  if (enabled && hwnd) enabled_ = SetTimer(hwnd, id_, interval_, nullptr) != 0;
  if (!enabled) {
    if (enabled_ && hwnd) KillTimer(hwnd, id_);
    enabled_ = false;
  }
}
