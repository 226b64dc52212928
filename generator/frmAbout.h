#pragma once
// The About window: version, makers, and their mail and web links. One at a
// time, not modal; each link hands its address to the system and closes it.

#include "common/WideString.h"
#include "forms/ChildControls.h"
#include "forms/ControlForm.h"
#include "forms/GifPicture.h"
#include "forms/PictureHolder.h"
#include "forms/LineShape.h"
#include "forms/TipLabel.h"

class frmAbout : public ControlForm {
 public:
  explicit frmAbout(HINSTANCE instance) : instance_(instance) {}

  // Opens the window, or brings the open one to the front.
  void Show();
  bool IsOpen() const { return hwnd() != nullptr; }

  // The link a click on lblEmail(index) hands to the system.
  WideString EmailLink(short index) const;

 protected:
  void Form_Load() override;
  void Form_Unload(short& cancel) override;
  void OnClick(int id) override;
  void OnDialogKey(int id, HWND focus) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void Command1_Click();
  void imgLogo_Click();
  void lblEmail_Click(short index);
  void PlaceControls(int dpi);

  HINSTANCE instance_;

  // Windowless controls, declared in paint order: later ones lie in front.
  TipLabel Label1[2] = {TipLabel(*this), TipLabel(*this)};  // 1 is the title, 0 its shadow
  PictureHolder Image1{*this};
  TipLabel lblVersione{*this};
  TipLabel Label2{*this};
  PictureHolder Image3{*this};
  TipLabel Label3{*this};
  GifPicture Image2{*this};
  GifPicture imgLogo{*this};
  TipLabel Label8{*this};
  GifPicture imgMail2{*this};
  TipLabel lblEmail[2] = {TipLabel(*this), TipLabel(*this)};
  Line Line1[2] = {Line(*this), Line(*this)};  // the designs' indexes 8 and 9

  CommandButton Command1;
};
