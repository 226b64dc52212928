#pragma once
// A form with real child controls as well as windowless ones: it passes the
// buttons' clicks on, keeps the keyboard focus on a control (the first one
// at the start, the last one used when the window comes back to the front),
// lets Enter press the focused button, shows each control's own mouse
// cursor, and turns clicks on windowless controls into click events.
// The message loop must let the dialog manager see the keys
// (RunDialogMessageLoop()).

#include "forms/ChildControls.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/ToolTip.h"

class ControlForm : public Form {
 public:
  static constexpr int kMaxChildren = 16;
  static constexpr int kMaxHotSpots = 8;

  ToolTip& ToolTips() { return tips_; }

 protected:
  // To be called from Form_Load, once the window exists; the registrations
  // end with the window.
  void AddChild(ChildWindow& child);
  // A windowless control that shows its own cursor (may be null) and
  // reports clicks with the given id.
  void AddHotSpot(Control& control, HCURSOR cursor, int clickId);
  void SetFirstFocus(ChildWindow& child) { firstFocus_ = &child; }
  // Makes the tooltip window; to be called from Form_Load.
  void CreateToolTips() { tips_.Create(hwnd()); }

  // A button's click or a windowless control's click, by its id.
  virtual void OnClick(int id) { (void)id; }
  // Enter (IDOK) or Esc (IDCANCEL) from the dialog manager, with the
  // control that has the focus. By default Enter presses a focused button.
  virtual void OnDialogKey(int id, HWND focus);
  // Background of a read-only or disabled edit box; null for the system's.
  virtual HBRUSH OnStaticColor(HWND child, HDC dc) {
    (void)child;
    (void)dc;
    return nullptr;
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ChildWindow* FindChild(HWND hwnd) const;
  int HotSpotAt(POINT client) const;

  struct HotSpot {
    Control* control;
    HCURSOR cursor;
    int clickId;
  };
  ChildWindow* children_[kMaxChildren] = {};
  int childCount_ = 0;
  HotSpot hotSpots_[kMaxHotSpots] = {};
  int hotSpotCount_ = 0;
  int pressed_ = -1;  // the hot spot under the left button when it went down
  ChildWindow* firstFocus_ = nullptr;
  HWND lastFocus_ = nullptr;
  ToolTip tips_;
};
