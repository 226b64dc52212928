#include "generator/Messages.h"

WideString WithoutTrailingBreaks(const WideString& text) {
  size_t end = text.length();
  while (end > 0 && (text[end - 1] == L'\r' || text[end - 1] == L'\n' || text[end - 1] == L' ')) --end;
  return text.Left(end);
}

WideString CreationErrorMessage(const WideString& path, const WideString& description) {
  WideString message(L"Si \u00E8 verificato un errore creando ");
  message += path;
  message += L", ";
  message += WithoutTrailingBreaks(description);
  return message;
}
