#pragma once
// A label that also keeps a text of the caller's (its Tag) and shows a
// tooltip over itself.

#include "common/WideString.h"
#include "forms/Label.h"

class ToolTip;

class TipLabel : public Label {
 public:
  explicit TipLabel(Form& form) : Label(form) { SetColors(RGB(0, 0, 0), RGB(255, 255, 255), false); }

  const WideString& Tag() const { return tag_; }
  void SetTag(const WideString& tag) { tag_ = tag; }

  // The tooltip goes to the form's tooltip window once attached; the text is
  // kept either way, and set again when the label is attached anew.
  void AttachToolTip(ToolTip* tips, UINT_PTR id);
  const WideString& ToolTipText() const { return toolTipText_; }
  void SetToolTipText(const WideString& text);

 private:
  WideString tag_;
  WideString toolTipText_;
  ToolTip* tips_ = nullptr;  // not owned: the form's
  UINT_PTR tipId_ = 0;
};
