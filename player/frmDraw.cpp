#include "player/frmDraw.h"

#include "cardfile/CardFile.h"
#include "forms/MessageBox.h"
#include "forms/MessagePump.h"
#include "forms/Twips.h"
#include "player/CardLook.h"
#include "player/CardTexts.h"
#include "player/Module1.h"
#include "player/PlayerResources.h"
#include "player/ScreenGate.h"
#include "winapi/BoundFunctions.h"

namespace {

constexpr int kDesignWidth = 280;
constexpr int kDesignHeight = 155;

const wchar_t kCreditLine[] = CARD_CREDIT_LINE;

const wchar_t kResolutionMessage[] =
    L"Per visualizzare correttamente il messaggio\r\n"
    L"occorre impostare una risoluzione video\r\n"
    L"non inferiore a 800x600.\r\n"
    L"Modificare la risoluzione video e riprovare.";

}  // namespace

bool frmDraw::Open() {
  int dpi = DisplayDpi();
  FormDesign design = {};
  design.className = L"NevaltoCard";
  design.caption = L"";
  design.style = WS_POPUP | WS_CLIPCHILDREN;
  design.exStyle = WS_EX_TOOLWINDOW;  // no taskbar button
  design.clientWidth = DesignPixels(kDesignWidth, dpi);
  design.clientHeight = DesignPixels(kDesignHeight, dpi);
  design.backColor = RGB(255, 255, 255);
  design.icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_CARD_WINDOW));
  PlaceControls();
  return Load(instance_, design);
}

// Designed positions are pixels at 96 dots per inch; pictures keep their size.
void frmDraw::PlaceControls() {
  int dpi = DisplayDpi();
  struct Placement {
    int id, left, top, size;
    bool visible;
  };
#define CARD_PICTURE_PLACEMENT(name, id, icon, left, top, size, visible) {id, left, top, size, visible},
  static const Placement kPlacements[] = {CARD_PICTURES(CARD_PICTURE_PLACEMENT)};
#undef CARD_PICTURE_PLACEMENT
  for (size_t i = 0; i < sizeof kPlacements / sizeof kPlacements[0]; ++i) {
    const Placement& p = kPlacements[i];
    PictureHolder& holder = this->*kPictureHolders[i];
    size_t length = 0;
    const unsigned char* image = pack_.Find(p.id, length);
    holder.LoadIconImage(image, length, p.size, p.size);
    holder.Move(DesignPixels(p.left, dpi), DesignPixels(p.top, dpi), p.size, p.size);
    holder.SetVisible(p.visible);
  }
  lblMessaggio.Move(DesignPixels(56, dpi), DesignPixels(48, dpi), DesignPixels(121, dpi), DesignPixels(17, dpi));
  lblMessaggio.SetCaption(L"Label1");
  lblMessaggio.SetColors(WindowsColour(kCreditLetters), WindowsColour(kCreditBand), true);
  lblMessaggio.SetAlignment(DT_CENTER);
  lblMessaggio.SetFont(FontSpec{L"Arial", 9, false, false, false});
  lblMessaggio.SetVisible(false);
}

void frmDraw::Form_Load() {
  short width = static_cast<short>(GetSystemMetrics(SM_CXSCREEN));
  short height = static_cast<short>(GetSystemMetrics(SM_CYSCREEN));
  HalfScreenWidth = HalfOfScreen(width);
  HalfScreenHeight = HalfOfScreen(height);
  if (ScreenTooSmall(width, height)) {
    ShowMessage(nullptr, kResolutionMessage, L"Vavuri!", MB_OK | MB_ICONERROR);
    return;
  }
  SetFont(FontSpec{L"comic sans ms", 32, true, false, false});
  SetBackColor(RGB(255, 255, 255));
  SetForeColor(RGB(0, 0, 0));
  SetFillSolid(true);
  MoveWindowTo(0, 0, width, height);
  bound::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  CopyScreen();
  GreetingText = CARD_GREETING_TEXT;
  SendersText = ReadSenders();
  lblMessaggio.SetCaption(kCreditLine);
}

void frmDraw::CopyScreen() {
  SetPersistentDrawing(true);
  HDC display = bound::CreateDCA("DISPLAY", "", "", nullptr);
  bound::StretchBlt(Canvas(), 0, 0, ScaleWidth(), ScaleHeight(), display, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), SRCCOPY);
  if (display) bound::DeleteDC(display);
  SetPersistentDrawing(false);
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
  PumpMessages();
}

void frmDraw::Form_Paint() {
  if (ShowStarted) return;
  ShowStarted = true;
  PlayMusic(IDR_MUSIC);
  PlayScene();
}

// The ending: every step goes on whatever the previous one did, and the
// process ends here, never returning to a show running underneath. A key
// that comes while the fade serves messages finds it running and changes
// nothing: starting again would copy the half-faded screen and flash it back
// at full opacity.
void frmDraw::Form_KeyPress(short& keyAscii) {
  (void)keyAscii;
  if (ending_) return;
  ending_ = true;
  EndMusic();
  FadeOut();
  Unload();
  ExitProcess(0);
}

void frmDraw::Form_Unload(short& cancel) {
  (void)cancel;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
}

void frmDraw::FadeOut() {
  Timer2.SetEnabled(false);
  Timer1.SetEnabled(false);
  if (!IsWin2000OrLater()) {
    ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  CopyScreen();
  // Layered once; each step then only lowers the opacity.
  LONG style = bound::GetWindowLongA(hwnd(), GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) bound::SetWindowLongA(hwnd(), GWL_EXSTYLE, style | WS_EX_LAYERED);
  for (short alpha = 255; alpha >= 0; alpha -= 2) {
    bound::SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    bound::Sleep(15);
    if (alpha < 10) ShowWindow(hwnd(), SW_HIDE);
    PumpMessages();
  }
}

void frmDraw::EndMusic() { ::EndMusic(music_, musicFile_); }

LRESULT frmDraw::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // A close that is not a key (the system's close command, logging off):
    // end without the fade, but never leave the music playing. During the
    // ending it changes nothing; the ending finishes by itself.
    if (ending_) return 0;
    ending_ = true;
    EndMusic();
    Unload();
    ExitProcess(0);
  }
  return Form::HandleMessage(message, wParam, lParam);
}
