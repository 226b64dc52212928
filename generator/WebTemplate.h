#pragma once
// The web card's page template, which the generator carries as a resource
// of its own image.

#include <stddef.h>

struct WebTemplate {
  const unsigned char* data;
  size_t length;
};

// This program's own template; empty (null, 0) when the resource is missing.
// The bytes live as long as the program.
WebTemplate OwnWebTemplate();
