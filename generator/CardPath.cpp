#include "generator/CardPath.h"

#include <wchar.h>

#include "generator/StagingName.h"

namespace {

struct CardType {
  const wchar_t* description;
  const wchar_t* pattern;
  const wchar_t* extension;
};

// In the dialog's order; the filter index counts from 1.
constexpr CardType kTypes[] = {
    {L"File eseguibile (*.exe)", L"*.exe", L".exe"},
    {L"Biglietto compresso (*.zip)", L"*.zip", L".zip"},
    {L"Biglietto per il web (*.html)", L"*.html", L".html"},
};

struct Ending {
  const wchar_t* extension;
  CardKind kind;
};

constexpr Ending kEndings[] = {
    {L".exe", CardKind::Program}, {L".zip", CardKind::Zipped}, {L".html", CardKind::Web}, {L".htm", CardKind::Web}};

// Extensions are ASCII: only A to Z need folding.
bool EndsWithNoCase(const WideString& path, const wchar_t* ending) {
  size_t n = path.length(), m = wcslen(ending);
  if (n < m) return false;
  for (size_t i = 0; i < m; ++i) {
    wchar_t c = path[n - m + i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != ending[i]) return false;
  }
  return true;
}

const Ending* KnownEnding(const WideString& path) {
  for (const Ending& ending : kEndings)
    if (EndsWithNoCase(path, ending.extension)) return &ending;
  return nullptr;
}

}  // namespace

WideString CardTypesFilter() {
  WideString filter;
  for (const CardType& type : kTypes) {
    filter += type.description;
    filter += L'\0';
    filter += type.pattern;
    filter += L'\0';
  }
  return filter;
}

CardKind CardKindOf(const WideString& path) {
  const Ending* ending = KnownEnding(path);
  return ending ? ending->kind : CardKind::Program;
}

WideString FinalCardPath(const WideString& chosen, unsigned long filterIndex) {
  size_t folder = FolderPart(chosen).length(), end = chosen.length();
  while (end > folder && (chosen[end - 1] == L'.' || chosen[end - 1] == L' ')) --end;
  WideString path = chosen.Left(end);
  if (KnownEnding(path)) return path;
  constexpr unsigned long kTypeCount = sizeof kTypes / sizeof kTypes[0];
  path += kTypes[filterIndex >= 1 && filterIndex <= kTypeCount ? filterIndex - 1 : 0].extension;
  return path;
}

WideString ZipMemberName(const WideString& zipPath) {
  size_t folder = FolderPart(zipPath).length();
  size_t end = zipPath.length();
  for (size_t i = end; i > folder; --i) {
    if (zipPath[i - 1] == L'.') {
      end = i - 1;
      break;
    }
  }
  WideString name(zipPath.c_str() + folder, end - folder);
  name += L".exe";
  return name;
}
