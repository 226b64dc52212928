#include "generator/frmWizard.h"

#include "cardbytes/CardMessages.h"
#include "cardbytes/CardPath.h"
#include "cardfile/AppFolder.h"
#include "forms/MessageBox.h"
#include "forms/Twips.h"
#include "generator/GeneralBas.h"
#include "generator/GeneratorResources.h"
#include "generator/Messages.h"
#include "generator/OpenForms.h"
#include "generator/SystemMessage.h"
#include "generator/frmAbout.h"
#include "winapi/Ansi.h"
#include "winapi/ModulePath.h"

namespace {

enum ControlId { kCmdCrea = 101, kTxtAuguri, kText1, kCmdAbout, kCommand1, kLblDirTip };

const wchar_t kTitle[] = L"Carolux";

const wchar_t kInstructions[] =
    L"Carolux consente di creare dei biglietti di auguri personalizzati, da inviare alle \r\n"
    L"vostre persone pi\u00F9 care.\r\n"
    L"Per creare un nuovo biglietto \u00E8 sufficiente solo:\r\n"
    L"      - digitare i nomi dei mittenti\r\n"
    L"      - selezionare il nome che volete dare al file e la cartella dove salvarlo\r\n"
    L"      - premere il pulsante \"Crea biglietto augurale\"\r\n"
    L"verr\u00E0 cos\u00EC creato il file eseguibile, col nome scelto,  che potrete inviare (allegare), a mezzo "
    L"posta elettronica, alle vostre persone pi\u00F9 care.\r\n";

const wchar_t kWarning[] =
    L"Attenzione, alcuni provider di posta utilizzano dei filtri automatici antispam e antivirus che possono "
    L"bloccare e/o addirittura eliminare i messaggi (sia in uscita e sia in entrata) contenenti allegati di tipo "
    L"eseguibile (.exe)."
    L"Per ovviare a questo problema pu\u00F2 essere utile comprimere ('zippare') il 'biglietto di auguri' prima "
    L"dell'invio";

const FontSpec kArial9 = {L"Arial", 9, false, false, false};
const FontSpec kArial975 = {L"Arial", 9.75, false, false, false};
const FontSpec kWindowFont = {L"Arial", 8.25, false, false, false};

// What a failure of the card writer is, in words: ours for the web card's
// template, the system's for everything else.
WideString FailureText(DWORD error) {
  return error == kErrorWebTemplate ? WebTemplateProblem() : SystemErrorText(error);
}

WideString CurrentFolder() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);  // NUL included
  if (size == 0) return WideString();
  WideString folder = WideString::Repeat(L'\0', size);
  DWORD n = GetCurrentDirectoryW(size, const_cast<wchar_t*>(folder.c_str()));
  return n > 0 && n < size ? folder.Left(n) : WideString();
}

}  // namespace

bool frmWizard::Open() {
  int dpi = DisplayDpi();
  FormDesign design = {};
  design.className = L"CaroluxWizard";
  design.caption = kTitle;
  design.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  design.exStyle = 0;
  design.clientWidth = TwipsToPixels(8205, dpi);
  design.clientHeight = TwipsToPixels(5835, dpi);
  design.backColor = GetSysColor(COLOR_BTNFACE);
  design.icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM));
  return Load(instance_, design);
}

void frmWizard::Form_Load() {
  FormOpened();
  int dpi = DisplayDpi();
  SetFont(kWindowFont);
  PlaceControls(dpi);
  CreateChildren(dpi);
  CreateToolTips();
  ToolTips().SetChildTip(cmdAbout.hwnd(), L"Informazioni sul programma");
  lblDir.AttachToolTip(&ToolTips(), kLblDirTip);

  HCURSOR hand = LoadCursorW(instance_, MAKEINTRESOURCEW(IDC_HAND_CURSOR));
  cmdCrea.SetMouseIcon(hand);
  cmdAbout.SetMouseIcon(hand);
  CardPath = AppFolder() + kDefaultCardName + L".exe";
  lblDir.SetCaption(FitLabelText(lblDir, CardPath, DT_PATH_ELLIPSIS, *this));
  lblMessaggio.SetCaption(kWarning);
}

void frmWizard::PlaceControls(int dpi) {
  PlaceTwips(Image2, 7560, 0, 480, 480, dpi);
  Image2.LoadIconResource(instance_, IDI_PROGRAM, 32, 32);
  PlaceTwips(Label1, 120, 240, 5415, 225, dpi);
  Label1.SetCaption(L"Scrivi i nomi che vuoi far visualizzare nel biglietto (max 70 caratteri)");
  Label1.SetFont(kArial9);
  // At 9 points these two lines are a few pixels wider than their labels
  // with some fonts; wrapping would hide their last words.
  Label1.SetSingleLine(true);
  PlaceTwips(Label2, 120, 1080, 5280, 225, dpi);
  Label2.SetCaption(L"Nome del file e cartella dove si vuole salvare il biglietto di auguri:");
  Label2.SetFont(kArial9);
  Label2.SetSingleLine(true);
  PlaceTwips(lblDir, 120, 1320, 6615, 375, dpi);
  lblDir.SetColors(RGB(0, 0, 0), RGB(255, 255, 255), true);
  lblDir.SetBorder(true);
  lblDir.SetNoPrefix(true);
  lblDir.SetFont(kWindowFont);
  PlaceTwips(Image1, 1080, 1800, 720, 720, dpi);
  Image1.LoadGifResource(instance_, IDG_WAND);
  PlaceTwips(Image4, 1680, 2160, 480, 495, dpi);
  Image4.LoadIconResource(instance_, IDI_ENVELOPE, 32, 33);
  PlaceTwips(Image6, 6480, 2160, 315, 330, dpi);
  Image6.LoadIconResource(instance_, IDI_INFO, 21, 22);
  Line1.SetPoints(TwipsToPixels(120, dpi), TwipsToPixels(4080, dpi), TwipsToPixels(8040, dpi),
                  TwipsToPixels(4080, dpi));
  Line1.SetColor(GetSysColor(COLOR_WINDOWTEXT));
  Line1.SetVisible(true);
  PlaceTwips(Shape1, 120, 4200, 7935, 1455, dpi);
  Shape1.SetColors(RGB(255, 255, 192), GetSysColor(COLOR_WINDOWTEXT));
  PlaceTwips(lblMessaggio, 960, 4320, 6975, 1215, dpi);
  lblMessaggio.SetCaption(L"Label3");
  lblMessaggio.SetAlignment(DT_CENTER);
  lblMessaggio.SetFont(kArial9);
  PlaceTwips(Image3, 240, 4470, 720, 720, dpi);
  Image3.LoadGifResource(instance_, IDG_WARNING);
}

// Made in their tab order, which is the order the focus moves in.
void frmWizard::CreateChildren(int dpi) {
  cmdCrea.SetFont(kArial975);
  cmdCrea.Create(hwnd(), kCmdCrea, TwipsRect(2400, 2040, 3255, 615, dpi), L"Crea biglietto augurale");
  txtAuguri.SetFont(kWindowFont);
  txtAuguri.Create(hwnd(), kTxtAuguri, TwipsRect(120, 600, 7935, 375, dpi), false, false, 70, L"");
  Text1.SetFont(kArial9);
  Text1.Create(hwnd(), kText1, TwipsRect(120, 2880, 7935, 975, dpi), true, true, 0, kInstructions);
  cmdAbout.SetFont(kArial975);
  cmdAbout.Create(hwnd(), kCmdAbout, TwipsRect(6960, 2040, 1095, 615, dpi), L"?");
  Command1.SetFont(kArial9);
  Command1.Create(hwnd(), kCommand1, TwipsRect(6960, 1320, 1095, 375, dpi), L"&Sfoglia");
  ChildWindow* children[] = {&cmdCrea, &txtAuguri, &Text1, &cmdAbout, &Command1};
  for (ChildWindow* child : children) AddChild(*child);
  SetFirstFocus(cmdCrea);
}

void frmWizard::Form_Unload(short& cancel) {
  (void)cancel;
  FormClosed();
}

void frmWizard::OnClick(int id) {
  if (id == kCmdCrea) cmdCrea_Click();
  if (id == kCmdAbout) cmdAbout_Click();
  if (id == kCommand1) Command1_Click();
}

// A read-only text box keeps the white of a text box.
HBRUSH frmWizard::OnStaticColor(HWND child, HDC dc) {
  if (child != Text1.hwnd()) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return GetSysColorBrush(COLOR_WINDOW);
}

// Only a chosen path changes the destination: a cancel keeps the one chosen
// before, and a failing dialog says so and keeps it too, rather than falling
// back to the default file that "Crea" would then replace unasked. The type
// chosen in the dialog counts: the final name, with its extension, is the
// destination shown from now on, and nothing is added to it at writing time.
void frmWizard::Command1_Click() {
  DWORD failure = 0, type = 1;
  WideString chosen = ShowFileDialog(hwnd(), 2, L"Seleziona cartella e nome dove salvare il biglietto di auguri",
                                     kDefaultCardName, CardTypesFilter(), CurrentFolder(), L"exe", &failure, &type);
  if (chosen.empty()) {
    if (failure != 0) ShowMessage(hwnd(), DialogErrorMessage(failure, CardPath).c_str(), kTitle, MB_OK | MB_ICONERROR);
    return;
  }
  WideString path = FinalCardPath(chosen, type);
  // The dialog asked about replacing the name it returned, not the one made
  // from it: an existing file under the final name is asked about here.
  if (path != chosen && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ShowMessage(hwnd(), ReplaceQuestion(path).c_str(), kTitle, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
    return;
  CardPath = path;
  lblDir.SetCaption(FitLabelText(lblDir, CardPath, DT_PATH_ELLIPSIS, *this));
}

void frmWizard::cmdCrea_Click() {
  // The field is single-byte ANSI, as cards have always read it: names it
  // cannot carry are asked about before anything is written. The web card
  // shows every character, so it has nothing to ask.
  WideString unshown;
  if (CardKindOf(CardPath) != CardKind::Web) unshown = CharactersOutsideCodePage(txtAuguri.Text(), CP_ACP);
  if (!unshown.empty() &&
      ShowMessage(hwnd(), UnshownCharactersQuestion(unshown).c_str(), kTitle,
                  MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
    return;
  if (!CreaBiglietto(CardPath)) return;
  if (!WriteSenders()) return;
  ShowMessage(hwnd(), CardCreatedMessage().c_str(), kTitle, MB_OK | MB_ICONINFORMATION);
}

void frmWizard::cmdAbout_Click() { about_.Show(); }

// The player image is read from this program's own file, whatever its name:
// a copy saved as "Carolux (1).exe" still makes cards.
bool frmWizard::CreaBiglietto(const WideString& nomefile) {
  if (writer_.Prepare(OwnModulePath(), nomefile)) return true;
  ShowMessage(hwnd(), CreationErrorMessage(nomefile, FailureText(writer_.Error())).c_str(), kTitle,
              MB_OK | MB_ICONERROR);
  return false;
}

bool frmWizard::WriteSenders() {
  if (writer_.WriteSendersAndPlace(txtAuguri.Text())) return true;
  ShowMessage(hwnd(), CreationErrorMessage(CardPath, FailureText(writer_.Error())).c_str(), kTitle,
              MB_OK | MB_ICONERROR);
  return false;
}
