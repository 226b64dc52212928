#include "generator/frmAbout.h"

#include "forms/Twips.h"
#include "generator/AboutContacts.h"
#include "generator/AboutLinks.h"
#include "generator/GeneratorResources.h"
#include "generator/OpenForms.h"
#include "generator/VersionResource.h"
#include "winapi/BoundFunctions.h"

namespace {

enum ClickId { kCommand1 = 101, kImgLogo = 201, kEmail0, kEmail1 };
constexpr UINT_PTR kBannerTimer = 1;

FontSpec Arial(double points, bool bold, bool italic = false, bool underline = false) {
  return FontSpec{L"Arial", points, bold, italic, underline};
}

}  // namespace

void frmAbout::Show() {
  if (IsOpen()) {
    SetForegroundWindow(hwnd());
    return;
  }
  int dpi = DisplayDpi();
  FormDesign design = {};
  design.className = L"CaroluxAbout";
  design.caption = L"Informazioni su...";
  design.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  design.exStyle = WS_EX_TOOLWINDOW;  // small caption, no taskbar button
  design.clientWidth = TwipsToPixels(4755, dpi);
  design.clientHeight = TwipsToPixels(3405, dpi);
  design.backColor = GetSysColor(COLOR_BTNFACE);
  design.icon = nullptr;
  Load(instance_, design);
}

void frmAbout::Form_Load() {
  FormOpened();
  int dpi = DisplayDpi();
  SetFont(Arial(8.25, false));
  PlaceControls(dpi);
  Command1.SetFont(Arial(8.25, false));
  Command1.Create(hwnd(), kCommand1, TwipsRect(1680, 3000, 1290, 330, dpi), L"&Chiudi");
  AddChild(Command1);
  SetFirstFocus(Command1);

  CreateToolTips();
  ToolTips().SetChildTip(Command1.hwnd(), L"Chiude la finestra e ritorna al programma");
  for (int i = 0; i < 2; ++i) {
    lblEmail[i].AttachToolTip(&ToolTips(), kEmail0 + i);
    lblEmail[i].SetToolTipText(L"e-mail");
  }
  RECT banner = {imgLogo.Left(), imgLogo.Top(), imgLogo.Left() + imgLogo.Width(), imgLogo.Top() + imgLogo.Height()};
  ToolTips().SetAreaTip(kImgLogo, banner, WideString(L"Sito Internet ") + kWebAddress);

  // The same picture as the generator window's icon.
  Image1.LoadIconResource(instance_, IDI_PROGRAM, 32, 32);
  HCURSOR hand = LoadCursorW(instance_, MAKEINTRESOURCEW(IDC_HAND_CURSOR));
  AddHotSpot(lblEmail[0], hand, kEmail0);
  AddHotSpot(lblEmail[1], hand, kEmail1);
  AddHotSpot(imgLogo, hand, kImgLogo);
  Command1.SetMouseIcon(hand);

  FileVersion version = {};
  if (OwnFileVersion(instance_, &version))
    lblVersione.SetCaption(VersionCaption(version.major, version.minor, version.revision));
  imgLogo.StartAnimation(kBannerTimer);
}

void frmAbout::PlaceControls(int dpi) {
  for (int i = 0; i < 2; ++i) {
    // The shadow lies 30 twips right and 15 down from the title.
    PlaceTwips(Label1[i], i == 0 ? 1080 : 1050, i == 0 ? 120 : 105, 3690, 420, dpi);
    Label1[i].SetCaption(L"Carolux");
    Label1[i].SetColors(i == 0 ? RGB(192, 192, 192) : RGB(255, 0, 0), 0, false);
    Label1[i].SetAlignment(DT_CENTER);
    Label1[i].SetFont(Arial(18, true, true));
  }
  PlaceTwips(Image1, 240, 360, 750, 645, dpi);
  PlaceTwips(lblVersione, 1560, 600, 2535, 300, dpi);
  lblVersione.SetCaption(L"Versione");
  lblVersione.SetColors(GetSysColor(COLOR_HIGHLIGHTTEXT), RGB(255, 0, 0), true);
  lblVersione.SetAlignment(DT_CENTER);
  lblVersione.SetFont(Arial(11.25, true));
  PlaceTwips(Label2, 1560, 1020, 2535, 255, dpi);
  Label2.SetCaption(kCreditLine);
  Label2.SetColors(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE), true);
  Label2.SetAlignment(DT_CENTER);
  Label2.SetFont(Arial(9, true));
  PlaceTwips(Image3, 240, 1200, 480, 480, dpi);
  Image3.LoadIconResource(instance_, IDI_LOGO, 32, 32);
  PlaceTwips(Label3, 1920, 1320, 1755, 225, dpi);
  Label3.SetCaption(kFirstAuthor);
  Label3.SetAlignment(DT_CENTER);
  Label3.SetFont(Arial(8.25, false));
  PlaceTwips(Image2, 1440, 1470, 270, 270, dpi);
  Image2.LoadGifResource(instance_, IDG_MAILPERSON);
  PlaceTwips(imgLogo, 120, 1950, 2205, 390, dpi);
  imgLogo.LoadGifResource(instance_, IDG_BANNER);
  PlaceTwips(Label8, 3120, 1950, 1095, 285, dpi);
  Label8.SetCaption(kSecondAuthor);
  Label8.SetColors(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE), true);
  Label8.SetFont(Arial(8.25, false));
  PlaceTwips(imgMail2, 2400, 2100, 270, 270, dpi);
  imgMail2.LoadGifResource(instance_, IDG_MAILPERSON);
  const int emailLeft[2] = {1800, 2640}, emailTop[2] = {1500, 2160}, emailWidth[2] = {2040, 2010};
  for (int i = 0; i < 2; ++i) {
    PlaceTwips(lblEmail[i], emailLeft[i], emailTop[i], emailWidth[i], 225, dpi);
    lblEmail[i].SetCaption(i == 0 ? kEmailA : kEmailB);
    lblEmail[i].SetColors(RGB(0, 0, 255), 0, false);
    lblEmail[i].SetAlignment(DT_CENTER);
    lblEmail[i].SetFont(Arial(9, true, false, true));
  }
  const int lineTop[2] = {2520, 2535};
  const COLORREF lineColor[2] = {RGB(128, 128, 128), RGB(224, 224, 224)};
  for (int i = 0; i < 2; ++i) {
    Line1[i].SetPoints(TwipsToPixels(120, dpi), TwipsToPixels(lineTop[i], dpi), TwipsToPixels(4560, dpi),
                       TwipsToPixels(lineTop[i], dpi));
    Line1[i].SetColor(lineColor[i]);
    Line1[i].SetVisible(true);
  }
}

void frmAbout::Form_Unload(short& cancel) {
  (void)cancel;
  FormClosed();
}

void frmAbout::OnClick(int id) {
  if (id == kCommand1) Command1_Click();
  if (id == kImgLogo) imgLogo_Click();
  if (id == kEmail0) lblEmail_Click(0);
  if (id == kEmail1) lblEmail_Click(1);
}

// "&Chiudi" is the window's default and cancel button: Enter and Esc press it.
void frmAbout::OnDialogKey(int id, HWND focus) {
  (void)focus;
  if (id == IDOK || id == IDCANCEL) Command1_Click();
}

void frmAbout::OnTimer(UINT_PTR id) { imgLogo.OnTimer(id); }

void frmAbout::Command1_Click() { Unload(); }

void frmAbout::imgLogo_Click() {
  bound::ShellExecuteW(hwnd(), nullptr, kWebAddress, nullptr, L"", SW_SHOWNORMAL);
  Unload();
}

WideString frmAbout::EmailLink(short index) const {
  return MailtoLink(index == 0 ? kEmailA : kEmailB, lblVersione.Caption());
}

// Whatever the system does with the link, the window closes.
void frmAbout::lblEmail_Click(short index) {
  bound::ShellExecuteW(hwnd(), nullptr, EmailLink(index).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  Unload();
}
