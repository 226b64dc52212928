#pragma once
// The card's one window: it covers the screen with a copy of the desktop,
// plays the show from its first paint, and ends the program at a key press.

#include "common/WideString.h"
#include "forms/Form.h"
#include "forms/FormTimer.h"
#include "forms/Label.h"
#include "forms/PictureHolder.h"

class frmDraw : public Form {
 public:
  explicit frmDraw(HINSTANCE instance) : instance_(instance) { quitOnDestroy_ = true; }

  // Creates the window in its designed state; Form_Load then sets it up.
  bool Open();

  void CopyScreen();
  void FadeOut();

  WideString GreetingText;
  WideString SendersText;
  short HalfScreenWidth = 0;
  short HalfScreenHeight = 0;
  bool ShowStarted = false;

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  void Form_KeyPress(short& keyAscii) override;
  void Form_Unload(short& cancel) override;
  void OnTimer(UINT_PTR id) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PlayMusic(short resourceId);
  void PlayScene();
  void SendMci(const char* command);
  void PlaceControls();

  HINSTANCE instance_;

  // Declared in the designed creation order, which is also the paint order.
  FormTimer Timer2{*this, 2, 200};
  FormTimer Timer1{*this, 1, 1000};
  PictureHolder imgNeve{*this};
  PictureHolder picGreen{*this};
  PictureHolder imgStar1{*this};
  PictureHolder imgPupNeve{*this};
  Label lblMessaggio{*this};
  PictureHolder imgCandle{*this};
  PictureHolder imgStar0{*this};
  PictureHolder picRed{*this};
};
