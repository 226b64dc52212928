#include "forms/TipLabel.h"

#include "forms/ToolTip.h"

void TipLabel::AttachToolTip(ToolTip* tips, UINT_PTR id) {
  tips_ = tips;
  tipId_ = id;
  if (!toolTipText_.empty()) SetToolTipText(toolTipText_);
}

void TipLabel::SetToolTipText(const WideString& text) {
  if (&text != &toolTipText_) toolTipText_ = text;
  RECT area = {Left(), Top(), Left() + Width(), Top() + Height()};
  if (tips_) tips_->SetAreaTip(tipId_, area, toolTipText_);
}
