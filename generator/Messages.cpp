#include "generator/Messages.h"

#include "common/DecimalText.h"

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

WideString DialogErrorMessage(unsigned long code, const WideString& cardPath) {
  WideString message(L"Si \u00E8 verificato un errore scegliendo il file (codice ");
  message += DecimalText(static_cast<unsigned>(code));
  message += L"): il nome potrebbe essere troppo lungo. La destinazione non cambia: ";
  message += cardPath;
  return message;
}

WideString ReplaceQuestion(const WideString& path) {
  WideString message(path);
  message += L" esiste gi\u00E0.\r\nVuoi sostituirlo?";
  return message;
}

WideString WebTemplateProblem() {
  return L"il modello del biglietto per il web, contenuto nel programma, manca o \u00E8 danneggiato. "
         L"Scarica di nuovo Carolux.";
}
