#include "forms/ChildControls.h"

#include "common/WholeCharacters.h"

#include "forms/Control.h"
#include "forms/Twips.h"

bool ChildWindow::CreateChild(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, int id,
                              const RECT& place, const wchar_t* text) {
  id_ = id;
  hwnd_ = CreateWindowExW(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (hwnd_ && font_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return hwnd_ != nullptr;
}

void ChildWindow::SetFont(const FontSpec& design) {
  UniqueFont font = CreatePointFont(design, DisplayDpi());
  if (!font) return;
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = static_cast<UniqueFont&&>(font);  // the old one only once the window has let it go
}

void ChildWindow::SetText(const WideString& text) {
  if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
}

WideString ChildWindow::Text() const {
  if (!hwnd_) return WideString();
  int length = GetWindowTextLengthW(hwnd_);
  if (length <= 0) return WideString();
  WideString buffer = WideString::Repeat(L'\0', static_cast<size_t>(length) + 1);
  int got = GetWindowTextW(hwnd_, const_cast<wchar_t*>(buffer.c_str()), length + 1);
  return buffer.Left(got > 0 ? static_cast<size_t>(got) : 0);
}

void ChildWindow::Focus() const {
  if (hwnd_) SetFocus(hwnd_);
}

bool CommandButton::Create(HWND parent, int id, const RECT& place, const wchar_t* caption) {
  return CreateChild(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, id, place, caption);
}

namespace {

// A multi-line edit box asks the dialog manager for every key, so Tab, Enter
// and Esc would stay inside it (Esc even closes the window around it). Ours
// leave those keys to the form, as a text box of a form does: Tab moves on.
LRESULT CALLBACK MultiLineEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
  if (message == WM_GETDLGCODE) result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  return result;
}

}  // namespace

bool TextBox::Create(HWND parent, int id, const RECT& place, bool multiLine, bool readOnly, int maxLength,
                     const wchar_t* text) {
  DWORD style = WS_TABSTOP | (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
  if (readOnly) style |= ES_READONLY;
  if (!CreateChild(parent, L"EDIT", style, WS_EX_CLIENTEDGE, id, place, text)) return false;
  maxLength_ = maxLength > 0 ? static_cast<size_t>(maxLength) : 0;
  if (maxLength_) SendMessageW(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  if (multiLine) {
    SetWindowLongPtrW(hwnd(), GWLP_USERDATA, GetWindowLongPtrW(hwnd(), GWLP_WNDPROC));
    SetWindowLongPtrW(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MultiLineEditProc));
  }
  return true;
}

void TextBox::TextChanged() {
  if (!maxLength_ || !hwnd()) return;
  WideString text = Text();
  DWORD start = 0;
  SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  size_t caret = start;
  WideString whole = WholeCharacters(text, maxLength_, &caret);
  if (whole == text) return;
  SetText(whole);  // changes the text again, to one that stays as it is
  SendMessageW(hwnd(), EM_SETSEL, caret, caret);
}

RECT TwipsRect(int left, int top, int width, int height, int dpi) {
  int l = TwipsToPixels(left, dpi), t = TwipsToPixels(top, dpi);
  RECT r = {l, t, l + TwipsToPixels(width, dpi), t + TwipsToPixels(height, dpi)};
  return r;
}

void PlaceTwips(Control& control, int left, int top, int width, int height, int dpi) {
  RECT r = TwipsRect(left, top, width, height, dpi);
  control.Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
  control.SetVisible(true);
}
