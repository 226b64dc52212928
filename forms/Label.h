#pragma once
// A windowless text label: opaque or transparent background, an optional
// sunken border, aligned text, "&&" shown as one ampersand. Text that does not
// fit wraps at words, as designed labels do, unless it is kept on one line.

#include "common/WideString.h"
#include "forms/Control.h"
#include "forms/Font.h"

class Label : public Control {
 public:
  explicit Label(Form& form) : Control(form) {}

  void SetCaption(const WideString& caption);
  const WideString& Caption() const { return caption_; }
  void SetFont(const FontSpec& font);
  void SetColors(COLORREF text, COLORREF back, bool opaque);
  void SetAlignment(UINT drawTextAlignment) { alignment_ = drawTextAlignment; }
  void SetBorder(bool border);
  // Ampersands shown as they are (paths), not as access-key marks.
  void SetNoPrefix(bool noPrefix) { noPrefix_ = noPrefix; }
  bool NoPrefix() const { return noPrefix_; }
  // One line, drawn whole even where it runs a few pixels past the label.
  void SetSingleLine(bool singleLine) { singleLine_ = singleLine; }

  void Paint(HDC dc) const override;

 private:
  WideString caption_;
  UniqueFont font_;
  COLORREF text_ = RGB(0, 0, 0);
  COLORREF back_ = RGB(255, 255, 255);
  bool opaque_ = true;
  bool border_ = false;
  bool noPrefix_ = false;
  bool singleLine_ = false;
  UINT alignment_ = DT_LEFT;
};
