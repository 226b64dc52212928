#pragma once
// The card's one window: it covers the screen with a copy of the desktop,
// plays the show from its first paint, and ends the program at a key press.

#include "common/WideString.h"
#include "forms/Form.h"
#include "forms/FormTimer.h"
#include "forms/Label.h"
#include "forms/PictureHolder.h"
#include "player/Ambient.h"
#include "player/CardPack.h"
#include "player/Music.h"
#include "player/SceneCanvas.h"
#include "player/ShowTimings.h"
#include "player/SystemMusic.h"

class frmDraw : public Form,
                private SceneCanvas,
                private LocalClock,
                private SteadyClock,
                private MessageWaiter {
 public:
  explicit frmDraw(HINSTANCE instance) : instance_(instance), pack_(instance), music_(pack_) { quitOnDestroy_ = true; }

  // Creates the window in its designed state; Form_Load then sets it up.
  bool Open();

  void CopyScreen();
  void FadeOut();

  WideString GreetingText;
  WideString SendersText;
  short HalfScreenWidth = 0;
  short HalfScreenHeight = 0;
  short StarX = 0;
  short StarY = 0;
  bool ShowStarted = false;

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  void Form_KeyPress(short& keyAscii) override;
  void Form_Unload(short& cancel) override;
  void OnTimer(UINT_PTR id) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PlaceControls();
  void PlayMusic(short resourceId);
  void PlayScene();
  const PictureHolder& Holder(CardPicture which) const;

  // What the show draws through.
  void PaintPicture(CardPicture which, float x, float y) override;
  int ScaleWidth() const override { return Form::ScaleWidth(); }
  int ScaleHeight() const override { return Form::ScaleHeight(); }
  void DrawOutlinedText(const WideString& text, int32_t x, int32_t y) override;
  double TextWidth(const WideString& text) override { return Form::TextWidth(text); }
  double FontSize() const override { return Form::FontSize(); }
  void SetFontSize(double points) override { Form::SetFontSize(points); }
  void SetLabelWidth(int width) override { lblMessaggio.SetWidth(width); }
  void SetLabelLeft(int left) override { lblMessaggio.SetLeft(left); }
  void SetLabelTop(int top) override { lblMessaggio.SetTop(top); }
  int LabelLeft() const override { return lblMessaggio.Left(); }
  int LabelTop() const override { return lblMessaggio.Top(); }
  void SetLabelVisible(bool visible) override { lblMessaggio.SetVisible(visible); }
  void EnableTimer1() override { Timer1.SetEnabled(true); }
  void EnableTimer2() override { Timer2.SetEnabled(true); }
  void SetStar(int16_t starX, int16_t starY) override;
  void Sleep(uint32_t milliseconds) override;
  bool PumpMessages() override;
  bool PlayChime() override;
  bool Delay(int32_t seconds, bool refresh) override;
  void EndShow() override;

  // The wall clock for the snow, the steady one for the final wait, and the
  // waits between their seconds.
  int64_t NowMs() override;
  int64_t SteadyMs() override;
  void WaitForMessageOrMs(uint32_t milliseconds) override;

  // The ending's part of the tune: stopped, closed, its file removed.
  void EndMusic();

  HINSTANCE instance_;
  CardPack pack_;  // pictures, tune and chime, for the window's life
  Ambient ambient_;
  TickWidener ticks_;
  SystemMusic music_;
  WideString musicFile_;  // the tune's temporary file, once known
  bool ending_ = false;   // the ending runs once, whatever comes during its fade

  // Declared in the designed creation order, which is also the paint order.
#define CARD_TIMER(name, number, ms) FormTimer name{*this, number, ms};
  CARD_TIMERS(CARD_TIMER)
#undef CARD_TIMER
#define CARD_PICTURE_MEMBER(name, ...) PictureHolder name{*this};
  CARD_PICTURES_BEFORE_LABEL(CARD_PICTURE_MEMBER)
  Label lblMessaggio{*this};
  CARD_PICTURES_AFTER_LABEL(CARD_PICTURE_MEMBER)
#undef CARD_PICTURE_MEMBER

  // The holders by CardPicture number.
#define CARD_PICTURE_HOLDER(name, ...) &frmDraw::name,
  static constexpr PictureHolder frmDraw::*kPictureHolders[] = {CARD_PICTURES(CARD_PICTURE_HOLDER)};
#undef CARD_PICTURE_HOLDER
};
