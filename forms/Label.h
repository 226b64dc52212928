#pragma once
// A windowless text label: opaque or transparent background, aligned text,
// "&&" shown as one ampersand.

#include "common/WideString.h"
#include "forms/Control.h"
#include "forms/Font.h"

class Label : public Control {
 public:
  explicit Label(Form& form) : Control(form) {}

  void SetCaption(const WideString& caption);
  const WideString& Caption() const { return caption_; }
  void SetFont(const FontSpec& spec);
  void SetColors(COLORREF text, COLORREF back, bool opaque);
  void SetAlignment(UINT drawTextAlignment) { alignment_ = drawTextAlignment; }

  void Paint(HDC dc) const override;

 private:
  WideString caption_;
  UniqueFont font_;
  COLORREF text_ = RGB(0, 0, 0);
  COLORREF back_ = RGB(255, 255, 255);
  bool opaque_ = true;
  UINT alignment_ = DT_LEFT;
};
