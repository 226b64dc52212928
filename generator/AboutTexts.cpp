// The About window's texts for the generator's page, made by the window's
// own functions so the page says exactly what the window does. A build
// tool: prints one "name=text" line each, in UTF-8.
//
//   about_texts MAJOR MINOR REVISION

#include <stdio.h>
#include <stdlib.h>

#include "common/Utf8.h"
#include "generator/AboutContacts.h"
#include "generator/AboutLinks.h"

namespace {

void Print(const char* name, const WideString& text) {
  ByteBuffer bytes = ToUtf8(text);
  printf("%s=%.*s\n", name, static_cast<int>(bytes.size()), reinterpret_cast<const char*>(bytes.data()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "about_texts MAJOR MINOR REVISION\n");
    return 2;
  }
  WideString version = VersionCaption(static_cast<unsigned>(atoi(argv[1])), static_cast<unsigned>(atoi(argv[2])),
                                      static_cast<unsigned>(atoi(argv[3])));
  Print("version", version);
  Print("credit", kCreditLine);
  Print("author_a", kFirstAuthor);
  Print("author_b", kSecondAuthor);
  Print("email_a", kEmailA);
  Print("email_b", kEmailB);
  Print("web", kWebAddress);
  Print("mailto_a", MailtoLink(kEmailA, version));
  Print("mailto_b", MailtoLink(kEmailB, version));
  return 0;
}
