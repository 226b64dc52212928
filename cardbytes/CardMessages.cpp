#include "cardbytes/CardMessages.h"

#include "common/Characters.h"

namespace {

const wchar_t kTheCard[] = L"Il biglietto augurale \u00E8 ";

WideString AboutTheCard(const wchar_t* what) {
  WideString message(kTheCard);
  message += what;
  return message;
}

}  // namespace

WideString CardCreatedMessage() { return AboutTheCard(L"stato creato!"); }

WideString CardHandedMessage(const WideString& fileName) {
  WideString message = AboutTheCard(L"pronto: il browser lo scarica come ");
  message += fileName;
  message += L".";
  return message;
}

WideString CardSharedMessage() { return AboutTheCard(L"stato condiviso."); }

WideString UnshownCharactersQuestion(const WideString& characters) {
  WideString message(L"Il biglietto non pu\u00F2 mostrare questi caratteri dei nomi: ");
  message += SeparatedCharacters(characters);
  message += L"\r\nAl loro posto compariranno altri caratteri (per esempio \"?\").\r\n\r\n"
             L"Vuoi creare il biglietto lo stesso?";
  return message;
}
