#include "forms/ToolTip.h"

#include <commctrl.h>

#include "winapi/BoundFunctions.h"

// Tool records go without the fields newer systems added: every comctl32 takes them.

bool ToolTip::Create(HWND owner) {
  // Makes sure comctl32 is loaded and its tooltip class registered.
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
  bound::InitCommonControlsEx(&init);
  owner_ = owner;
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                          reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
  return hwnd_ != nullptr;
}

void ToolTip::Set(UINT flags, UINT_PTR id, const RECT& area, const WideString& text) {
  if (!hwnd_) return;
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = flags | TTF_SUBCLASS;
  info.hwnd = owner_;
  info.uId = id;
  info.rect = area;
  SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  if (text.empty()) return;  // no tool: nothing pops up over the control
  info.lpszText = const_cast<wchar_t*>(text.c_str());  // copied by the tooltip
  SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTip::SetAreaTip(UINT_PTR id, const RECT& area, const WideString& text) { Set(0, id, area, text); }

void ToolTip::SetChildTip(HWND child, const WideString& text) {
  RECT none = {0, 0, 0, 0};
  Set(TTF_IDISHWND, reinterpret_cast<UINT_PTR>(child), none, text);
}

WideString ToolTip::Get(UINT flags, UINT_PTR id) const {
  if (!hwnd_) return WideString();
  // Room for the longest path, the longest text a tooltip of ours holds.
  constexpr size_t kRoom = 32768;
  WideString text = WideString::Repeat(L'\0', kRoom);
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = flags;
  info.hwnd = owner_;
  info.uId = id;
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(hwnd_, TTM_GETTEXTW, kRoom, reinterpret_cast<LPARAM>(&info));
  return text.UpToNul();
}

WideString ToolTip::AreaTip(UINT_PTR id) const { return Get(0, id); }

WideString ToolTip::ChildTip(HWND child) const { return Get(TTF_IDISHWND, reinterpret_cast<UINT_PTR>(child)); }
