#include "cardbytes/CardMessages.h"

#include "common/Characters.h"

WideString UnshownCharactersQuestion(const WideString& characters) {
  WideString message(L"Il biglietto non pu\u00F2 mostrare questi caratteri dei nomi: ");
  message += SeparatedCharacters(characters);
  message += L"\r\nAl loro posto compariranno altri caratteri (per esempio \"?\").\r\n\r\n"
             L"Vuoi creare il biglietto lo stesso?";
  return message;
}
