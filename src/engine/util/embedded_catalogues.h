// Message catalogues kept in the program as data: the .mo bytes that msgfmt
// made from po/<code>.po when the program was built (cmake/embed_catalogues.cmake
// writes the source that defines them).
#pragma once

#include <cstddef>
#include <span>

namespace kalvitor {

struct EmbeddedCatalogue {
  const char* code;  // "en", "pt_BR"
  const unsigned char* bytes;
  size_t size;
};

// The game's languages other than Russian, one catalogue each.
std::span<const EmbeddedCatalogue> GameCatalogues();

}  // namespace kalvitor
