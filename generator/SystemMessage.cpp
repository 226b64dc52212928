#include "generator/SystemMessage.h"

#include "common/DecimalText.h"
#include "generator/Messages.h"

WideString SystemErrorText(DWORD error) {
  wchar_t text[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           512, nullptr);
  if (n > 0) return WithoutTrailingBreaks(WideString(text, n));
  WideString code(L"errore ");
  code += DecimalText(error);
  return code;
}
