#include "cardbytes/CardPath.h"

#include <wchar.h>

#include "common/FolderPart.h"

const wchar_t kDefaultCardName[] = L"Vavuri";

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

// The file system drops trailing dots and spaces from a name.
size_t WithoutTrailingDotsAndSpaces(const WideString& path, size_t folder, size_t end) {
  while (end > folder && (path[end - 1] == L'.' || path[end - 1] == L' ')) --end;
  return end;
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
  constexpr unsigned long kTypeCount = sizeof kTypes / sizeof kTypes[0];
  const wchar_t* extension = kTypes[filterIndex >= 1 && filterIndex <= kTypeCount ? filterIndex - 1 : 0].extension;
  size_t folder = FolderPart(chosen).length(), end = chosen.length();
  // The dialog appends the chosen type's extension to a name whose own
  // ending is not that extension, trailing space or dot included:
  // "Auguri .html " comes back as "Auguri .html .html", "Auguri. " as
  // "Auguri. .html". Such a name had an extension, or a dot, of its own, so
  // the appended one was never typed: what counts is the name before it, as
  // the file system keeps it. A name with no dot ("Auguri .html" from
  // "Auguri ") is left as it came.
  size_t appended = wcslen(extension), typed = end - appended;
  if (EndsWithNoCase(chosen, extension) && typed > folder &&
      (chosen[typed - 1] == L' ' || chosen[typed - 1] == L'.') &&
      wmemchr(chosen.c_str() + folder, L'.', typed - folder) != nullptr &&
      WithoutTrailingDotsAndSpaces(chosen, folder, typed) > folder)
    end = typed;
  WideString path = chosen.Left(WithoutTrailingDotsAndSpaces(chosen, folder, end));
  if (KnownEnding(path)) return path;
  path += extension;
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
