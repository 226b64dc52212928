#include "forms/ControlForm.h"

#include <windowsx.h>

void ControlForm::AddChild(ChildWindow& child) {
  if (childCount_ < kMaxChildren) children_[childCount_++] = &child;
}

void ControlForm::AddHotSpot(Control& control, HCURSOR cursor, int clickId) {
  if (hotSpotCount_ < kMaxHotSpots) hotSpots_[hotSpotCount_++] = HotSpot{&control, cursor, clickId};
}

ChildWindow* ControlForm::FindChild(HWND hwnd) const {
  for (int i = 0; i < childCount_; ++i)
    if (hwnd && children_[i]->hwnd() == hwnd) return children_[i];
  return nullptr;
}

int ControlForm::HotSpotAt(POINT p) const {
  // The last made lies in front.
  for (int i = hotSpotCount_ - 1; i >= 0; --i) {
    const Control& c = *hotSpots_[i].control;
    if (c.Visible() && p.x >= c.Left() && p.x < c.Left() + c.Width() && p.y >= c.Top() &&
        p.y < c.Top() + c.Height())
      return i;
  }
  return -1;
}

void ControlForm::OnDialogKey(int id, HWND focus) {
  if (id != IDOK) return;
  ChildWindow* child = FindChild(focus);
  wchar_t cls[16] = {};
  if (child && GetClassNameW(focus, cls, 16) && lstrcmpiW(cls, L"BUTTON") == 0) OnClick(child->Id());
}

LRESULT ControlForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (HIWORD(wParam) == EN_CHANGE) {
        if (ChildWindow* child = FindChild(reinterpret_cast<HWND>(lParam))) child->TextChanged();
        return 0;
      }
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (id == IDOK || id == IDCANCEL) {
        OnDialogKey(id, GetFocus());
        return 0;
      }
      if (FindChild(reinterpret_cast<HWND>(lParam))) OnClick(id);
      return 0;
    }
    case WM_SETCURSOR: {
      if (LOWORD(lParam) != HTCLIENT) break;
      HWND over = reinterpret_cast<HWND>(wParam);
      ChildWindow* child = FindChild(over);
      if (child && child->MouseIcon()) {
        SetCursor(child->MouseIcon());
        return TRUE;
      }
      if (over == hwnd()) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd(), &p);
        int spot = HotSpotAt(p);
        if (spot >= 0 && hotSpots_[spot].cursor) {
          SetCursor(hotSpots_[spot].cursor);
          return TRUE;
        }
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      pressed_ = HotSpotAt(p);
      return 0;
    }
    case WM_LBUTTONUP: {
      POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int spot = HotSpotAt(p);
      bool click = spot >= 0 && spot == pressed_;
      pressed_ = -1;
      if (click) OnClick(hotSpots_[spot].clickId);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (FindChild(focus)) lastFocus_ = focus;
      } else if (FindChild(lastFocus_)) {
        SetFocus(lastFocus_);
      } else if (firstFocus_) {
        firstFocus_->Focus();
      }
      return 0;
    case WM_CTLCOLORSTATIC: {
      HBRUSH brush = OnStaticColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      if (brush) return reinterpret_cast<LRESULT>(brush);
      break;
    }
    case WM_DESTROY:
      for (int i = 0; i < childCount_; ++i) children_[i]->Detach();
      childCount_ = 0;
      hotSpotCount_ = 0;
      pressed_ = -1;
      lastFocus_ = nullptr;
      tips_.Detach();
      break;
    default:
      break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}
