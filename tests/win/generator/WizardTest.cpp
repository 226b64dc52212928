// The generator window's "Sfoglia" on the real save dialog, answered from
// another thread as a user would: what a choice, a cancel and a long path do
// to the destination and to the label that shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "generator/frmAbout.h"
#include "generator/frmWizard.h"
#include "tests/win/TestFiles.h"

namespace {

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

const wchar_t kDialogTitle[] = L"Seleziona cartella e nome dove salvare il biglietto di auguri";
const int kFileNameBox = 1148;
const int kFileTypeBox = 1136;
const int kSfoglia = 105;

HWND FindVisible(const wchar_t* cls, const wchar_t* title, int tenthsOfSeconds) {
  for (int i = 0; i < tenthsOfSeconds; ++i) {
    HWND found = FindWindowW(cls, title);
    if (found && IsWindowVisible(found)) return found;
    Sleep(100);
  }
  return nullptr;
}

BOOL CALLBACK FindNameBox(HWND hwnd, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  if (GetDlgCtrlID(hwnd) == kFileNameBox && lstrcmpiW(cls, L"Edit") == 0) *reinterpret_cast<HWND*>(lp) = hwnd;
  return TRUE;
}

// What the user does, and what they saw, while "Sfoglia" runs.
struct Answered {
  int type = 0;               // the file type to choose, counting from 1; 0 leaves it
  int messageButton = IDOK;   // the answer to a message box of the generator
  std::atomic<bool> dialogSeen{false};
  std::atomic<bool> dialogStayed{false};  // the dialog refused the name itself
  std::vector<std::wstring> types;        // the dialog's list of file types
  std::wstring message;                   // the generator's message box, if any
};

// Reads the dialog's file types and chooses one, as a click in the list
// does: the owner hears of the choice both ways.
void ChooseType(HWND dialog, Answered* answered) {
  HWND types = GetDlgItem(dialog, kFileTypeBox);
  int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    if (SendMessageW(types, CB_GETLBTEXTLEN, i, 0) < 128)
      SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    answered->types.push_back(text);
  }
  if (answered->type == 0) return;
  SendMessageW(types, CB_SETCURSEL, answered->type - 1, 0);
  for (WORD code : {CBN_SELENDOK, CBN_SELCHANGE})
    SendMessageW(GetParent(types), WM_COMMAND, MAKEWPARAM(kFileTypeBox, code), reinterpret_cast<LPARAM>(types));
}

// Types name into the save dialog (or leaves it), chooses the type asked
// for and presses button; then reads and answers a message box of the
// generator, if one comes.
void Answer(std::wstring name, int button, Answered* answered) {
  HWND dialog = FindVisible(L"#32770", kDialogTitle, 200);
  if (!dialog) return;
  answered->dialogSeen = true;
  Sleep(300);
  ChooseType(dialog, answered);
  HWND box = nullptr;
  EnumChildWindows(dialog, FindNameBox, reinterpret_cast<LPARAM>(&box));
  if (box && !name.empty()) SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  for (int i = 0; i < 30 && IsWindow(dialog); ++i) Sleep(100);
  if (IsWindow(dialog)) {
    // The dialog's own complaint, then out of it.
    answered->dialogStayed = true;
    for (int i = 0; i < 20 && IsWindow(dialog); ++i) {
      HWND popup = GetLastActivePopup(dialog);
      if (popup && popup != dialog) PostMessageW(popup, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      Sleep(300);
    }
  }
  HWND message = FindVisible(L"#32770", L"Carolux", 30);
  if (!message) return;
  std::wstring text(4096, L'\0');  // on the heap: no frame may pass a page
  GetDlgItemTextW(message, 0xFFFF, &text[0], 4096);  // a message box's text
  answered->message = text.c_str();
  PostMessageW(message, WM_COMMAND, MAKEWPARAM(answered->messageButton, BN_CLICKED), 0);
  for (int i = 0; i < 50 && IsWindow(message); ++i) Sleep(100);
}

// Closing the last window asks the message loop to end; tests have none.
void ForgetQuit() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wizard_.Open()); }
  void TearDown() override {
    wizard_.Unload();
    ForgetQuit();
  }

  // "Sfoglia", answered by the user thread.
  void Browse(const std::wstring& name, int button, Answered* answered) {
    std::thread user(Answer, name, button, answered);
    HWND sfoglia = GetDlgItem(wizard_.hwnd(), kSfoglia);
    SendMessageW(wizard_.hwnd(), WM_COMMAND, MAKEWPARAM(kSfoglia, BN_CLICKED), reinterpret_cast<LPARAM>(sfoglia));
    user.join();
    ASSERT_TRUE(answered->dialogSeen) << "the save dialog did not open";
  }

  std::wstring Tip() { return W(wizard_.ToolTips().AreaTip(106)); }

  frmAbout about_{GetModuleHandleW(nullptr)};
  frmWizard wizard_{GetModuleHandleW(nullptr), about_};
};

// A folder deep enough that its paths are shortened in the label.
std::wstring DeepFolder(const ScratchFolder& scratch) {
  std::wstring path = scratch.path();
  for (const wchar_t* part : {L"Una cartella dal nome lungo", L"Natale con i parenti lontani", L"Biglietti"}) {
    path += L"\\";
    path += part;
    CreateDirectoryW(path.c_str(), nullptr);
  }
  return path;
}

}  // namespace

TEST_F(WizardTest, CancelAfterAChoiceKeepsIt) {
  ScratchFolder scratch(L"scelto");
  std::wstring chosen = DeepFolder(scratch) + L"\\Scelto.exe";
  Answered first;
  Browse(DeepFolder(scratch) + L"\\Scelto", IDOK, &first);
  ASSERT_EQ(W(wizard_.CardPath), chosen);
  const TipLabel& label = wizard_.PathLabel();
  std::wstring caption = W(label.Caption());
  ASSERT_NE(caption.find(L"..."), std::wstring::npos) << "a path long enough to have a tooltip: " << caption;
  EXPECT_EQ(caption.substr(caption.size() - 11), L"\\Scelto.exe");
  EXPECT_EQ(W(label.Tag()), chosen);
  EXPECT_EQ(Tip(), chosen);

  Answered cancelled;
  Browse(L"", IDCANCEL, &cancelled);
  EXPECT_EQ(cancelled.message, L"") << "a cancel says nothing";
  EXPECT_EQ(W(wizard_.CardPath), chosen);
  EXPECT_EQ(W(label.Caption()), caption);
  EXPECT_EQ(W(label.Tag()), chosen);
  EXPECT_EQ(Tip(), chosen);
}

// A path longer than the 255 characters the dialog once had room for, and
// short enough for Wine's own dialog: taken whole, not the default instead.
TEST_F(WizardTest, APathLongerThanTwoHundredFiftyFiveCharactersIsTaken) {
  ScratchFolder scratch(L"lungo");
  std::wstring folder = scratch.path() + L"\\" + std::wstring(100, L'c');
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  std::wstring name = folder + L"\\" + std::wstring(258 - folder.size() - 5, L'n');
  std::wstring full = name + L".exe";
  ASSERT_EQ(full.size(), 258u);
  Answered answered;
  Browse(name, IDOK, &answered);
  EXPECT_FALSE(answered.dialogStayed);
  EXPECT_EQ(answered.message, L"");
  EXPECT_EQ(W(wizard_.CardPath), full);
  EXPECT_EQ(W(wizard_.PathLabel().Tag()), full);
  EXPECT_EQ(Tip(), full);
}

// The type chosen in the dialog gives a name of any other ending its
// extension, and the label shows the final name at once.
TEST_F(WizardTest, TheChosenTypeMakesTheFinalName) {
  ScratchFolder scratch(L"tipi");
  struct Choice {
    const wchar_t* typed;
    int type;
    const wchar_t* final;
  };
  for (const Choice& choice : {Choice{L"Auguri.v2", 2, L"Auguri.v2.zip"}, Choice{L"Auguri", 3, L"Auguri.html"},
                               Choice{L"Biglietto di Natale 2.0", 1, L"Biglietto di Natale 2.0.exe"},
                               Choice{L"Auguri.Zip", 3, L"Auguri.Zip"}, Choice{L"Auguri .html ", 3, L"Auguri .html"},
                               Choice{L"Auguri. ", 3, L"Auguri.html"}}) {
    Answered answered;
    answered.type = choice.type;
    Browse(scratch.File(choice.typed), IDOK, &answered);
    EXPECT_EQ(answered.types, (std::vector<std::wstring>{L"File eseguibile (*.exe)", L"Biglietto compresso (*.zip)",
                                                         L"Biglietto per il web (*.html)"}));
    EXPECT_EQ(answered.message, L"");
    std::wstring final = scratch.File(choice.final);
    EXPECT_EQ(W(wizard_.CardPath), final);
    EXPECT_EQ(W(wizard_.PathLabel().Tag()), final);
    std::wstring caption = W(wizard_.PathLabel().Caption());
    std::wstring name = std::wstring(L"\\") + choice.final;
    EXPECT_EQ(caption.substr(caption.size() - std::min(caption.size(), name.size())), name);
  }
}

// The dialog asked about replacing the name typed, not the final one: an
// existing file of the final name is asked about, and No keeps the
// destination chosen before.
TEST_F(WizardTest, AnExistingFileOfTheFinalNameIsAskedAbout) {
  ScratchFolder scratch(L"esiste");
  std::wstring final = scratch.File(L"Auguri.v2.zip");
  WriteBytes(final, std::vector<unsigned char>(10, 'o'));
  const std::wstring before = W(wizard_.CardPath);
  Answered no;
  no.type = 2;
  no.messageButton = IDNO;
  Browse(scratch.File(L"Auguri.v2"), IDOK, &no);
  EXPECT_EQ(no.message, final + L" esiste gi\u00E0.\r\nVuoi sostituirlo?");
  EXPECT_EQ(W(wizard_.CardPath), before);
  Answered yes;
  yes.type = 2;
  yes.messageButton = IDYES;
  Browse(scratch.File(L"Auguri.v2"), IDOK, &yes);
  EXPECT_NE(yes.message, L"");
  EXPECT_EQ(W(wizard_.CardPath), final);
}

// The names field holds 70 units; a character of two never goes in half,
// whether typed, pasted or set by a program.
TEST_F(WizardTest, TheNamesFieldKeepsWholeCharacters) {
  HWND field = GetDlgItem(wizard_.hwnd(), 102);
  ASSERT_NE(field, nullptr);
  const std::wstring tree = L"\xD83C\xDF84";
  auto text = [&] {
    wchar_t buffer[128] = {};
    GetWindowTextW(field, buffer, 128);
    return std::wstring(buffer);
  };
  auto set = [&](const std::wstring& s) { SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())); };

  set(std::wstring(69, L'a') + tree);
  EXPECT_EQ(text(), std::wstring(69, L'a'));
  set(std::wstring(68, L'a') + tree);
  EXPECT_EQ(text(), std::wstring(68, L'a') + tree);
  set(std::wstring(75, L'b'));
  EXPECT_EQ(text(), std::wstring(70, L'b')) << "a program's text is held to the limit too";

  set(std::wstring(69, L'a'));
  SendMessageW(field, EM_SETSEL, 69, 69);
  for (wchar_t unit : tree) SendMessageW(field, WM_CHAR, unit, 1);
  EXPECT_EQ(text(), std::wstring(69, L'a')) << "typed at the limit";

  set(std::wstring(60, L'c'));
  SendMessageW(field, EM_SETSEL, 0, 0);
  std::wstring paste = L"defghijkl" + tree + L"xyz";
  SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(paste.c_str()));
  std::wstring pasted = text();
  EXPECT_LE(pasted.size(), 70u);
  EXPECT_EQ(pasted.substr(0, 9), L"defghijkl");
  EXPECT_EQ(pasted.find(L'\xD83C'), std::wstring::npos) << "no first half left behind in mid-text";
}
