#pragma once
// Real child windows of a form: buttons and text boxes, which take the
// focus, the keyboard and the system's visual styles. Their windows belong
// to the form's window and go with it; the objects outlive them and can
// make them anew when the form loads again.

#include <windows.h>

#include "common/WideString.h"
#include "forms/Font.h"
#include "winapi/Handles.h"

class ChildWindow {
 public:
  ChildWindow() = default;
  virtual ~ChildWindow() = default;
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  int Id() const { return id_; }
  void SetFont(const FontSpec& font);
  void SetText(const WideString& text);
  WideString Text() const;
  // The cursor shown over the control (not owned: a resource cursor).
  void SetMouseIcon(HCURSOR cursor) { cursor_ = cursor; }
  HCURSOR MouseIcon() const { return cursor_; }
  void Focus() const;
  // The form's window is gone, and this one with it.
  void Detach() { hwnd_ = nullptr; }
  // The control's text changed, by the user or by a program (EN_CHANGE).
  virtual void TextChanged() {}

 protected:
  // left, top, width, height in pixels of the parent's client area.
  bool CreateChild(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, int id, const RECT& place,
                   const wchar_t* text);

 private:
  HWND hwnd_ = nullptr;
  int id_ = 0;
  UniqueFont font_;
  HCURSOR cursor_ = nullptr;
};

class CommandButton : public ChildWindow {
 public:
  bool Create(HWND parent, int id, const RECT& place, const wchar_t* caption);
};

class TextBox : public ChildWindow {
 public:
  // A single-line box takes at most maxLength characters (0: no limit); a
  // multi-line one wraps its words and scrolls vertically.
  bool Create(HWND parent, int id, const RECT& place, bool multiLine, bool readOnly, int maxLength,
              const wchar_t* text);
  // A limited box keeps whole characters within its limit, however the text
  // came: the edit control's own limit counts units, so typing or pasting
  // at the limit could keep the first half of a pair, and a program's
  // WM_SETTEXT is not limited at all.
  void TextChanged() override;

 private:
  size_t maxLength_ = 0;
};

// A rectangle from a designed position and size in twips, at the display's resolution.
RECT TwipsRect(int left, int top, int width, int height, int dpi);

class Control;
// Puts a windowless control where the design has it (in twips) and shows it.
void PlaceTwips(Control& control, int left, int top, int width, int height, int dpi);
