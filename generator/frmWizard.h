#pragma once
// The generator's window: the senders' names, the card's path, and the
// button that writes the card.

#include "common/WideString.h"
#include "forms/ChildControls.h"
#include "forms/ControlForm.h"
#include "forms/GifPicture.h"
#include "forms/PictureHolder.h"
#include "forms/LineShape.h"
#include "forms/TipLabel.h"
#include "generator/CardWriter.h"

class frmAbout;

class frmWizard : public ControlForm {
 public:
  frmWizard(HINSTANCE instance, frmAbout& about) : instance_(instance), about_(about) {}

  // Creates the window centred on the screen; Form_Load sets it up.
  bool Open();

  // The first step of writing the card at nomefile, of the kind its ending
  // names: what the card is made of (the player image out of the generator's
  // own file, or the web card's template) is read, and the destination
  // checked. A failure is reported here, in a message box, and the card is
  // not made: false tells the caller to stop.
  bool CreaBiglietto(const WideString& nomefile);

  WideString CardPath;
  // The card-path label as shown: caption, Tag and tooltip (tests).
  const TipLabel& PathLabel() const { return lblDir; }

 protected:
  void Form_Load() override;
  void Form_Unload(short& cancel) override;
  void OnClick(int id) override;
  HBRUSH OnStaticColor(HWND child, HDC dc) override;

 private:
  void Command1_Click();
  void cmdCrea_Click();
  void cmdAbout_Click();
  // Makes the card of the kind CardPath names with the senders' names (the
  // field of the copied card, or the archive, or the web page), which then
  // takes the place of the file at CardPath. A failure is reported here.
  bool WriteSenders();
  void PlaceControls(int dpi);
  void CreateChildren(int dpi);

  HINSTANCE instance_;
  frmAbout& about_;
  CardWriter writer_;

  // Windowless controls, declared in paint order: later ones lie in front.
  PictureHolder Image2{*this};
  TipLabel Label1{*this};
  TipLabel Label2{*this};
  TipLabel lblDir{*this};
  GifPicture Image1{*this};
  PictureHolder Image4{*this};  // in front of Image1
  PictureHolder Image6{*this};
  Line Line1{*this};
  Shape Shape1{*this};  // behind Image3 and lblMessaggio
  TipLabel lblMessaggio{*this};
  GifPicture Image3{*this};

  CommandButton cmdCrea;
  TextBox txtAuguri;
  TextBox Text1;
  CommandButton cmdAbout;
  CommandButton Command1;
};
