// The save dialog's answer to the card's final name and kind: the chosen
// type counts whenever the name does not already end in a card's extension.

#include <gtest/gtest.h>

#include <string>

#include "cardbytes/CardPath.h"

namespace {

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

enum Type : unsigned long { kNoType = 0, kDesigned = 1, kZipped = 2, kWeb = 3, kUnknownType = 4 };

struct Case {
  const wchar_t* chosen;
  unsigned long type;
  const wchar_t* final;
  CardKind kind;
};

const Case kCases[] = {
    // No extension, or one of no card: the chosen type's is appended.
    {L"C:\\Auguri\\Vavuri", kDesigned, L"C:\\Auguri\\Vavuri.exe", CardKind::Program},
    {L"C:\\Auguri\\Auguri.v2", kZipped, L"C:\\Auguri\\Auguri.v2.zip", CardKind::Zipped},
    {L"C:\\Auguri\\Biglietto di Natale 2.0", kDesigned, L"C:\\Auguri\\Biglietto di Natale 2.0.exe",
     CardKind::Program},
    {L"C:\\Auguri\\Auguri", kWeb, L"C:\\Auguri\\Auguri.html", CardKind::Web},
    {L"C:\\Auguri\\a.b.c.d", kWeb, L"C:\\Auguri\\a.b.c.d.html", CardKind::Web},
    {L"C:\\Auguri\\Auguri.txt", kZipped, L"C:\\Auguri\\Auguri.txt.zip", CardKind::Zipped},
    {L"C:\\Auguri\\Auguri.exe.bak", kDesigned, L"C:\\Auguri\\Auguri.exe.bak.exe", CardKind::Program},
    {L"C:\\Natale.2024\\Auguri", kZipped, L"C:\\Natale.2024\\Auguri.zip", CardKind::Zipped},
    {L"Auguri", kWeb, L"Auguri.html", CardKind::Web},
    // A card's extension, in any case, names the kind whatever the type.
    {L"C:\\Auguri\\Auguri.zip", kDesigned, L"C:\\Auguri\\Auguri.zip", CardKind::Zipped},
    {L"C:\\Auguri\\AUGURI.ZIP", kWeb, L"C:\\Auguri\\AUGURI.ZIP", CardKind::Zipped},
    {L"C:\\Auguri\\Auguri.Exe", kZipped, L"C:\\Auguri\\Auguri.Exe", CardKind::Program},
    {L"C:\\Auguri\\Auguri.HTM", kDesigned, L"C:\\Auguri\\Auguri.HTM", CardKind::Web},
    {L"C:\\Auguri\\Auguri.v2.Html", kZipped, L"C:\\Auguri\\Auguri.v2.Html", CardKind::Web},
    {L"C:\\Auguri\\Auguri.zip.exe", kZipped, L"C:\\Auguri\\Auguri.zip.exe", CardKind::Program},
    // Trailing dots and spaces, which the file system drops, go first.
    {L"C:\\Auguri\\Auguri.", kZipped, L"C:\\Auguri\\Auguri.zip", CardKind::Zipped},
    {L"C:\\Auguri\\Auguri.v2..", kDesigned, L"C:\\Auguri\\Auguri.v2.exe", CardKind::Program},
    {L"C:\\Auguri\\Auguri.zip. ", kDesigned, L"C:\\Auguri\\Auguri.zip", CardKind::Zipped},
    {L"C:\\Auguri\\Auguri .html ", kWeb, L"C:\\Auguri\\Auguri .html", CardKind::Web},
    // The dialog's own extension behind a name that ends in a space or a
    // dot was never typed: the name before it counts.
    {L"C:\\Auguri\\Auguri .html .html", kWeb, L"C:\\Auguri\\Auguri .html", CardKind::Web},
    {L"C:\\Auguri\\Auguri.zip .html", kWeb, L"C:\\Auguri\\Auguri.zip", CardKind::Zipped},
    {L"C:\\Auguri\\Auguri. .html", kWeb, L"C:\\Auguri\\Auguri.html", CardKind::Web},
    {L"C:\\Auguri\\Auguri. . .exe", kDesigned, L"C:\\Auguri\\Auguri.exe", CardKind::Program},
    {L"C:\\Auguri\\Auguri .zip. .zip", kZipped, L"C:\\Auguri\\Auguri .zip", CardKind::Zipped},
    {L"C:\\Auguri\\Auguri.v2 .zip", kZipped, L"C:\\Auguri\\Auguri.v2.zip", CardKind::Zipped},
    // Only the chosen type's extension can be the dialog's, and only behind
    // a name with a dot of its own: the rest was typed.
    {L"C:\\Auguri\\Auguri .html", kWeb, L"C:\\Auguri\\Auguri .html", CardKind::Web},
    {L"C:\\Auguri\\Auguri .zip", kWeb, L"C:\\Auguri\\Auguri .zip", CardKind::Zipped},
    {L"C:\\Auguri\\ .html", kWeb, L"C:\\Auguri\\ .html", CardKind::Web},
    // No type reported, or one the list does not have: the designed one.
    {L"C:\\Auguri\\Auguri.v2", kNoType, L"C:\\Auguri\\Auguri.v2.exe", CardKind::Program},
    {L"C:\\Auguri\\Auguri.v2", kUnknownType, L"C:\\Auguri\\Auguri.v2.exe", CardKind::Program},
    // Names outside any code page keep every character.
    {L"D:\\\x65E5\x672C\\\x03B1\x03B8.\x03B3", kWeb, L"D:\\\x65E5\x672C\\\x03B1\x03B8.\x03B3.html", CardKind::Web},
};

}  // namespace

TEST(FinalCardPath, NameAndTypeGiveTheFinalNameAndItsKind) {
  for (const Case& c : kCases) {
    std::wstring final = W(FinalCardPath(c.chosen, c.type));
    EXPECT_EQ(final, c.final) << "type " << c.type;
    EXPECT_EQ(CardKindOf(WideString(final.c_str())), c.kind) << "type " << c.type;
    EXPECT_EQ(W(FinalCardPath(WideString(final.c_str()), kZipped)), final) << "a final name stays final";
  }
}
