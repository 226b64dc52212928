#pragma once
// The tooltips of one form: a system tooltip window owned by the form's
// window (and so destroyed with it), with one tool per control that has a
// tooltip text: a child window, or the rectangle of a windowless control.

#include <windows.h>

#include "common/WideString.h"

class ToolTip {
 public:
  ToolTip() = default;
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  bool Create(HWND owner);
  // The owner's window is gone, and the tooltip window with it.
  void Detach() { hwnd_ = nullptr; }
  HWND hwnd() const { return hwnd_; }

  // Sets (or replaces) the tooltip of a rectangle of the owner's client area;
  // an empty text removes it.
  void SetAreaTip(UINT_PTR id, const RECT& area, const WideString& text);
  // Sets (or replaces) the tooltip of a child window.
  void SetChildTip(HWND child, const WideString& text);
  // The text the tooltip window holds for a tool (empty when none).
  WideString AreaTip(UINT_PTR id) const;
  WideString ChildTip(HWND child) const;

 private:
  void Set(UINT flags, UINT_PTR id, const RECT& area, const WideString& text);
  WideString Get(UINT flags, UINT_PTR id) const;

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
};
