#include "generator/Messages.h"

#include "common/Characters.h"
#include "generator/AboutLinks.h"

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

WideString UnshownCharactersQuestion(const WideString& characters) {
  WideString message(L"Il biglietto non pu\u00F2 mostrare questi caratteri dei nomi: ");
  message += SeparatedCharacters(characters);
  message += L"\r\nAl loro posto compariranno altri caratteri (per esempio \"?\").\r\n\r\n"
             L"Vuoi creare il biglietto lo stesso?";
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
