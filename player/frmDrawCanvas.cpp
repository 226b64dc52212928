// frmDraw as the show's canvas: drawing, pauses, clocks, tune and chime on the card window.

#include "common/HalfEven.h"
#include "forms/MessagePump.h"
#include "player/CardLook.h"
#include "player/Module1.h"
#include "player/PlayerResources.h"
#include "player/Scene.h"
#include "player/ShowTimings.h"
#include "player/frmDraw.h"
#include "winapi/BoundFunctions.h"
#include "winapi/Handles.h"

void frmDraw::PlayScene() { ::PlayScene(*this, GreetingText, SendersText); }

void frmDraw::PlayMusic(short resourceId) { ::PlayMusic(music_, resourceId, musicFile_); }

const PictureHolder& frmDraw::Holder(CardPicture which) const {
  return this->*kPictureHolders[static_cast<int>(which)];
}

void frmDraw::PaintPicture(CardPicture which, float x, float y) { Form::PaintPicture(Holder(which), x, y); }

// The letters become a path, stroked with the black pen and filled: first a
// light grey copy 3 pixels right and down, then the red one over it. No
// messages are served in between, so nothing can change the font or fill.
void frmDraw::DrawOutlinedText(const WideString& text, int32_t x, int32_t y) {
  HDC dc = Canvas();
  const struct {
    COLORREF fill;
    int offset;
  } copies[] = {{WindowsColour(kLetterShadow), kShadowOffset}, {WindowsColour(kLetterFill), 0}};
  for (const auto& copy : copies) {
    SetFillColor(copy.fill);
    bound::BeginPath(dc);
    TextOutW(dc, x + copy.offset, y + copy.offset, text.c_str(), static_cast<int>(text.length()));
    bound::EndPath(dc);
    bound::StrokeAndFillPath(dc);
  }
}

void frmDraw::SetStar(int16_t starX, int16_t starY) {
  StarX = starX;
  StarY = starY;
}

void frmDraw::Sleep(uint32_t milliseconds) { bound::Sleep(milliseconds); }

// A key press ends the process inside the pump, so a pump that returns means
// the show goes on.
bool frmDraw::PumpMessages() {
  ::PumpMessages();
  return true;
}

bool frmDraw::PlayChime() {
  PlaySoundResource(pack_, IDR_CHIME);
  bound::Sleep(kChimePauseMs);
  ::PumpMessages();
  return true;
}

bool frmDraw::Delay(int32_t seconds, bool refresh) {
  return ::Delay(seconds, refresh, static_cast<SteadyClock&>(*this), static_cast<MessageWaiter&>(*this));
}

void frmDraw::EndShow() {
  short key = 50;
  Form_KeyPress(key);
}

void frmDraw::OnTimer(UINT_PTR id) {
  if (id == Timer1.Id()) ambient_.Timer1_Timer(*this, StarX, StarY);
  if (id == Timer2.Id()) ambient_.Timer2_Timer(*this, HalfScreenWidth, HalfScreenHeight, *this);
}

// Local time in milliseconds since 1601, which starts at a local midnight.
int64_t frmDraw::NowMs() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME asFileTime;
  SystemTimeToFileTime(&now, &asFileTime);
  ULARGE_INTEGER ticks;
  ticks.LowPart = asFileTime.dwLowDateTime;
  ticks.HighPart = asFileTime.dwHighDateTime;
  return static_cast<int64_t>(static_cast<double>(ticks.QuadPart) / 10000.0);
}

// The system's milliseconds since it started, which no change of the date or
// time moves back.
int64_t frmDraw::SteadyMs() { return ticks_.Widen(GetTickCount()); }

void frmDraw::WaitForMessageOrMs(uint32_t milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}
